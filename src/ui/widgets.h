// The text UI widgets every menu, dialog and prompt of the game is built
// from, and a few string and file helpers. The menu and the prompts live in
// ui/menu, the backdrop, banner and starfield in ui/backdrop; this header
// brings all of them in.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"
#include "ui/backdrop.h"
#include "ui/menu.h"

// Standard text colours.
constexpr BYTE COLOR1 = 7, COLOR2 = 15;
// False throughout play.
extern bool LOADPICS;

// Writes S at (X, Y) in the current colours and puts the cursor back.
void WR(BYTE x, BYTE y, const std::string& s);
// NUMBER copies of COD, at most 128.
std::string ST(char cod, BYTE number);
// Decimal text of X.
std::string STR1(int32_t x);
// The number in T, or 0 when T is not a whole number that fits in 32 bits.
int32_t VAL1(const std::string& t);
// True when a file or folder of that name exists (letter case ignored, "\" or "/").
bool FILEEXISTS(const std::string& filename);
// Fills columns X1..X1+X2 and rows Y1..Y1+Y2, rows counted from the bottom of
// the 25-row screen, with symbol C and attribute CC, then shows the screen.
void DRAWRECTANGLE(BYTE x1, BYTE y1, BYTE x2, BYTE y2, unsigned char c, BYTE cc);
// The same on the 50-row screen.
void DRAWRECTANGLE2(BYTE x1, BYTE y1, BYTE x2, BYTE y2, unsigned char c, BYTE cc);
