// The window's event pump and the key state it maintains: held actions
// (KEYSTATUS) and the typed-character channel (READKEY).
#pragma once
#include <cstdint>

#include "shell/common.h"

constexpr int MAXINGAMEKEYS = 32;
constexpr int MAXFUNCTIONKEYS = 2;
constexpr int KEYCOUNT = MAXINGAMEKEYS + MAXFUNCTIONKEYS;  // 34 actions
constexpr int32_t UNBOUNDKEY = 320;

extern KEYDATA KEYSTATUS[KEYCOUNT + 1];  // 1..34
extern BYTE READKEY, LASTREADKEY, PREVREADKEY;  // 255 = none
extern int32_t LASTSDLKEY;

// Take at most one event from the back-end and handle it.
void HANDLESDLEVENTS();
// Mark the first action bound to key K as held or released.
void TRACKKEYSTATUS(int32_t k, bool down);
