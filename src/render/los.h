// Line of sight and reachability: the sight ray with its per-cell memory
// MAPLOS, the cheap straight-line tests used by lighting and monsters, the
// walking-connectivity test, and small shared helpers.
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int32_t FADEOUT = 180;              // MAPLOS level of full brightness
constexpr int32_t FADEINSPEED = 24;           // MAPLOS gain per frame while seen
constexpr int32_t FADEOUTSPEED = 3;           // MAPLOS loss per frame (view renderer)
constexpr int32_t BEFORE_FADE_INTERVAL = 90;  // extra MAPLOS above FADEOUT for a seen cell
constexpr unsigned char C176 = 176;

// How many blocking cells a sight ray may enter (1 normally).
extern uint16_t LOS_VIEW_DEPTH;
// The sight depth the level gives each player's position ([1], [2]): the
// view of my player uses LOS_VIEW_DEPTH, a monster looking at player P uses
// SIGHTDEPTH[P], which both linked games compute alike.
extern uint16_t SIGHTDEPTH[3];

// The viewer at (X1, Y1) sees (X2, Y2); updates MAPLOS unless DONT_TOUCH_LOS_MAP.
bool SEESLOS(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool dont_touch_los_map);
// Greedy open path (' ' and the four rocket glyphs) from start to target.
bool SEES3(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Straight king-move line through blank cells.
bool SEES7(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// As SEES7; monsters do not block.
bool SEESM7(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// As SEES7; only 'R' and #176 block.
bool SEES77(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Target in the same row or column with a clear gun line.
bool SEES(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// As SEES; monsters do not block.
bool SEESH(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A walker can get from start to target within the level.
bool REACHABLE(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t maxdist);
// True for a cell symbol a walker may step on (floor, doors, pickups, monsters).
bool WALKABLECELL(unsigned char c);
double DISTANCE(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int32_t SIGN(int32_t somenumber);
// A <= B and A <= C and A <= D.
bool SMALLEST(int32_t a, int32_t b, int32_t c, int32_t d);
// Within 18 columns and 14 rows of my player (inclusive).
bool CELLWITHINPLAYERVIEW(int32_t x, int32_t y);
