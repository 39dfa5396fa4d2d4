// The world grid of a level: the symbol grid and its companion grids, the
// level scalars, the symbol vocabulary, and the small cell queries that every
// rule of play uses.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int MAX_MAPWIDTH = 160;
constexpr int MAX_MAPHEIGHT = 100;

// Grids are indexed [X 1..160][Y 1..100]; index 0 of each dimension is unused.
// Y counts from the bottom of the level text (the first text line is row MAPSIZEY).
typedef unsigned char MAPTYPE[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
typedef BYTE STR18[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];

extern MAPTYPE MAP;      // one symbol per cell
extern STR18 MFATTR;     // foreground attribute (0..15, bit 7 = blink)
extern STR18 MBATTR;     // background attribute
extern STR18 MDAMAGE;    // damage of trees and weak rock, key number of a key, 190 for a barrel
extern bool MAPBLACK[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];   // border cell forced to rock
extern int32_t MAPLOS[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];  // sight memory

extern BYTE MAPSIZEX, MAPSIZEY;  // used width and height of the level
extern std::string MAPNAME;
extern std::string MAPFILENAME;  // the path actually opened

// Vocabulary (set once at start-up).
extern std::string KEYSLOOK;   // "asdfghjkl;": symbol of key 1..10
extern std::string DOORSLOOK;  // "qwertyuiop": symbol of door 1..10 (type 11 is '`')
extern BYTE KEYCOLOR[12];      // colour of key / door 1..11
extern std::string WEAPONS;    // "123456789": weapon pickup symbols
extern std::string KEYNAMES[11];  // 1..5 per level, 6..10 fixed

// Deathmatch spawn points recorded for the symbol 'Q'.
constexpr int MAX_DSPOTS = 255;
extern BYTE DSX[MAX_DSPOTS + 1], DSY[MAX_DSPOTS + 1];
extern BYTE DSNUMBER;

// Boss path start, recorded by the scan for the symbol 'S'.
constexpr int MAX_SMARTYMOVES = 255;
extern bool SMARTYPRESENT;
extern BYTE SMARTYX, SMARTYY;
extern int32_t SMARTYMOVES;
extern BYTE SMARTYMX[MAX_SMARTYMOVES + 1], SMARTYMY[MAX_SMARTYMOVES + 1];

// True when 1 <= X <= 160 and 1 <= Y <= 100 (the array bounds, not the level size).
bool VALID(int32_t x, int32_t y);
// True on the border of the used area.
bool MAPEDGE(BYTE x, BYTE y);
// The symbol of a cell; #255 outside the grid; #177 for a turret glyph of a tank.
unsigned char WHATISIT(int32_t x, int32_t y);
// An "R" or "T" cell whose MDAMAGE is 200..250.
bool ISTREEWEAKROCK(BYTE x, BYTE y);
// 250 - MDAMAGE for a tree or weak rock, else 0.
BYTE TREEWEAKROCKHEALTH(BYTE x, BYTE y);
// Open horizontal extent times open vertical extent around a cell.
uint16_t RETURNROOMSIZE(BYTE x, BYTE y);
// Writes TEXT into row Y from column X rightwards with foreground FG.
void MAPSTRING(const std::string& text, BYTE x, BYTE y, BYTE fg);
// A word as two bytes, high byte first, and back.
void CONVERT1TO2(uint16_t w, BYTE& hi, BYTE& lo);
uint16_t CONVERT2TO1(BYTE hi, BYTE lo);
