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
// READKEY is the typed character next in line for a reader (255 = none);
// characters typed faster than they are read wait behind it, in order.
extern BYTE READKEY, LASTREADKEY, PREVREADKEY;  // 255 = none
extern int32_t LASTSDLKEY;
// Set when the window's close button or the desktop's close shortcut asks the
// program to end; menus then leave as if Escape was pressed, and a level asks
// its quit question. Whoever acts on it clears it.
extern bool QUITREQUESTED;
// Keys (SDL 1.2 codes 0..MAXSDLKEY) down now, bound to an action or not.
constexpr int32_t MAXSDLKEY = 511;
extern bool KEYDOWNNOW[MAXSDLKEY + 1];
// True while any key is down; ANYKEYRESET forgets them all.
bool ANYKEYDOWN();
void ANYKEYRESET();

// Keys without a character of their own (cursor keys, Page Up, Page Down,
// Home, End) are typed as two codes, 0 and then their PC scan code, as on
// the text-mode machine, so a reader can tell them from the capital letter
// with the same code ("H" and cursor up are both 72).
constexpr BYTE EXT_UP = 0x48, EXT_DOWN = 0x50, EXT_LEFT = 0x4B, EXT_RIGHT = 0x4D,
               EXT_PAGEUP = 0x49, EXT_PAGEDOWN = 0x51, EXT_HOME = 0x47, EXT_END = 0x4F;
// The most typed codes kept waiting; more are dropped.
constexpr int MAXTYPEAHEAD = 64;

// True when a typed code waits (READKEY, refilled from the queue).
bool TYPEDKEYWAITING();
// Takes the waiting code (255 when none).
BYTE TAKETYPEDKEY();
// Forgets every typed code not read yet.
void CLEARTYPEDKEYS();

// A key that went down since the last input cycle counts as held for that
// cycle even when it came up again before it (a short tap).
bool ACTIONHELD(int action, bool withtaps);
// Forgets the taps: called once the input cycle has read them.
void CLEARKEYTAPS();
// Key SYM (SDL 1.2 code) is down, or went down since the last call that
// asked for it with FORGET (a short tap counts for one input cycle); for keys
// read by themselves, outside the action table.
bool KEYDOWNSINCE(int32_t sym, bool forget);

// Left-button presses seen by the event pump since the last look, so a click
// shorter than the time between two looks still counts.
bool TAKEMOUSEPRESS();
void NOTEMOUSEPRESS();

// Take at most one event and handle it: a due event of the input script
// (--input) first, otherwise one from the back-end, which is appended to the
// recording (--record) when one is being made.
void HANDLESDLEVENTS();
// Mark the first action bound to key K as held or released.
void TRACKKEYSTATUS(int32_t k, bool down);
