// Lighting: the per-cell post-processing record, the two light grids, the map
// lights with their colour patterns and ambient sounds, and the placed lamps.
// The light grids and the brightness fields of MAPPP store rows counted from
// the top of the level (world row y at row MAPSIZEY + 1 - y).
#pragma once
#include <cstdint>

#include "base/common.h"
#include "world/grid.h"

constexpr int GORE_NONE = 0, GORE_BLOOD = 1, GORE_MONSTERBODY = 2;
constexpr int L_PROPS = 1, L_PLASMA = 2, L_BLINKS = 3, L_SPARKS = 4;

struct POSTPROCESSING {
  bool INDOOR = false;       // rock of a building (drawn with DISPHOUSEROCK)
  bool INDOORCELL = false;   // marked indoor by a map script
  BYTE INITIALBRIGHTNESS = 100;  // natural full brightness, percent
  BYTE BRIGHTNESS = 100;         // current brightness, rebuilt every tick
  unsigned char CHR = 255;       // letter painted on the cell; 255 = none
  BYTE GORE = GORE_NONE;
  BYTE DISPROCK = 227, DISPHOUSEROCK = 226, DISPFLOOR = 246;
  BYTE EXPLORED = 0;
  uint16_t OC[5] = {0, 0, 0, 0, 0};  // overlay glyph per layer 1..4, 0 = empty
  uint16_t OX[5] = {0, 0, 0, 0, 0};  // tile column of the overlay in its sheet
  uint16_t OY[5] = {0, 0, 0, 0, 0};  // tile row of the overlay in its sheet
  uint16_t OT[5] = {0, 0, 0, 0, 0};  // ticks until the overlay clears, 0 = permanent
};

extern POSTPROCESSING MAPPP[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
// 128 = no static light; 130 + n = covered by map light n.
extern STR18 OOGA;
// 128 = no coloured light; otherwise the colour replacing the foreground.
extern STR18 MLIGHT;

// Map lights, filled from the level file.
constexpr int MAX_LIGHTS = 50;
extern BYTE NUMBEROFLIGHTS;
extern BYTE LIGHTX1[MAX_LIGHTS + 1], LIGHTY1[MAX_LIGHTS + 1];
extern BYTE LIGHTX2[MAX_LIGHTS + 1], LIGHTY2[MAX_LIGHTS + 1];
extern BYTE LIGHTHOW[MAX_LIGHTS + 1], LIGHTRANDOM[MAX_LIGHTS + 1], LIGHTTYPE[MAX_LIGHTS + 1];
extern BYTE ASOUND[MAX_LIGHTS + 1], ASOUNDHOW[MAX_LIGHTS + 1];

// Colour patterns 1..20 of up to 30 values each.
constexpr int MAX_PATTERNS = 20;
constexpr int MAX_PATTERNVALUES = 30;
extern BYTE NUMBEROFPATTERNS;
extern BYTE LPATTERN[MAX_PATTERNS + 1][MAX_PATTERNVALUES + 1];
extern BYTE PCOLOR[MAX_PATTERNS + 1];    // number of values in pattern n
extern BYTE PCOUNTER[MAX_PATTERNS + 1];  // current position in pattern n

// Placed lamps.
constexpr int MAX_TRUELIGHTS = 80;
extern TRUELIGHT TRULITE[MAX_TRUELIGHTS + 1];
extern int32_t NUMTRULITES;

// Brightened colour for a colour.
extern const BYTE CTABLE[16];

// Appends a lamp unless MAX_TRUELIGHTS exist already.
void ADDTRULITE(int32_t x, int32_t y, bool isbarrel);
// Tags OOGA with the cells that each map light covers (level load).
void CALCLIGHTS();
// Tags every cell around the centre (row counted from the top) that SEES77
// reaches and whose distance lies in MINRADIUS..MAXRADIUS with 130 + LNUMBER.
void DRAWPRELIGHT(int32_t x, int32_t y, int32_t minradius, int32_t maxradius, int32_t lnumber);
