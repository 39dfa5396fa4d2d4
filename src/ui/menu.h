// The menu widget (a framed, optionally zooming list with a moving
// highlight), the yes/no question built on it, and the one-line text input.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

// Argument values of MENU.
constexpr BYTE SHOW = 0, SELECT = 1, NOTWAIT = 0, WAIT = 1;
constexpr int MAXMENUITEMS = 25;

// Items of the next MENU call; callers fill 1..n first.
extern std::string ITEM[MAXMENUITEMS + 1];
// Screen cell of the mouse pointer (column 1..80, row 1..25; outside = none).
extern BYTE LX, LY;
// When set, the highlight never rests on item 10.
extern bool AVOID_SLOT_10;
// The title menu's idle timer: while set, a selection menu left alone (no
// key, no pointer move or click) for IDLELIMITMS gives up and returns 0 with
// IDLEEXPIRED set.
extern bool TIMER3;
extern bool IDLEEXPIRED;
constexpr uint64_t IDLELIMITMS = 60000;

// Draws a framed list of ITEM[1..ITEMSNUMBER] titled NAME at (X, Y). With
// SELECTION = 1 the user picks an item: returns its number after Enter (or a
// click), 0 after Escape or a close request. Without selection and
// with WAITING = 1 waits for a key: 1, or 0 for Escape; otherwise returns 0.
BYTE MENU(const std::string& name, BYTE itemsnumber, BYTE x, BYTE y, BYTE selection, BYTE color,
          BYTE waiting, bool zoom);
// 1 = "Yes", 2 = "No", 0 = Escape.
BYTE YESORNO(const std::string& header, BYTE x, BYTE y, bool zoom);
// Line input at (X, Y) of at most LEN characters; returns the text after
// Enter, or the one-character string #27 after Escape.
std::string READSTRING(BYTE x, BYTE y, BYTE len);

// Updates LX, LY from the pointer when it has moved; true when the left
// button went down since the last call.
bool REFRESHMENUMOUSE();
