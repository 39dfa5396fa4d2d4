// The window's event pump and the key state it maintains: held actions
// (KEYSTATUS) and the typed-character channel (READKEY).
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int MAXINGAMEKEYS = 32;
constexpr int MAXFUNCTIONKEYS = 2;
constexpr int KEYCOUNT = MAXINGAMEKEYS + MAXFUNCTIONKEYS;  // 34 actions
constexpr int32_t UNBOUNDKEY = 320;

// The actions: indices into KEYSTATUS.
constexpr int M_LEFT = 1, M_RIGHT = 2, M_UP = 3, M_DOWN = 4;
constexpr int F_LEFT = 5, F_RIGHT = 6, F_UP = 7, F_DOWN = 8;
constexpr int F_BOTTOMLEFT = 9, F_BOTTOMRIGHT = 10, F_TOPLEFT = 11, F_TOPRIGHT = 12;
constexpr int M_DUCK = 13;
constexpr int ITEM_1 = 14, ITEM_2 = 15, ITEM_3 = 16, ITEM_4 = 17;
constexpr int USE_ITEM = 18, ZOOM_LEVEL = 19, GAME_HELP = 20, GAME_LOAD = 21, GAME_SAVE = 22;
constexpr int WEAPON_1 = 23, WEAPON_9 = 31;
constexpr int SHOW_MAP = 32, KEY_ESC = 33, KEY_ENTER = 34;

extern KEYDATA KEYSTATUS[KEYCOUNT + 1];  // 1..34
extern BYTE READKEY, LASTREADKEY, PREVREADKEY;  // 255 = none
extern int32_t LASTSDLKEY;

// Take at most one event and handle it: a due event of the input script
// (--input) first, otherwise one from the back-end, which is appended to the
// recording (--record) when one is being made.
void HANDLESDLEVENTS();
// Mark the first action bound to key K as held or released.
void TRACKKEYSTATUS(int32_t k, bool down);
