#include "render/lighting.h"

#include "render/los.h"

POSTPROCESSING MAPPP[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
STR18 OOGA;
STR18 MLIGHT;

BYTE NUMBEROFLIGHTS = 0;
BYTE LIGHTX1[MAX_LIGHTS + 1], LIGHTY1[MAX_LIGHTS + 1];
BYTE LIGHTX2[MAX_LIGHTS + 1], LIGHTY2[MAX_LIGHTS + 1];
BYTE LIGHTHOW[MAX_LIGHTS + 1], LIGHTRANDOM[MAX_LIGHTS + 1], LIGHTTYPE[MAX_LIGHTS + 1];
BYTE ASOUND[MAX_LIGHTS + 1], ASOUNDHOW[MAX_LIGHTS + 1];

BYTE NUMBEROFPATTERNS = 0;
BYTE LPATTERN[MAX_PATTERNS + 1][MAX_PATTERNVALUES + 1];
BYTE PCOLOR[MAX_PATTERNS + 1];
BYTE PCOUNTER[MAX_PATTERNS + 1];

TRUELIGHT TRULITE[MAX_TRUELIGHTS + 1];
int32_t NUMTRULITES = 0;

const BYTE CTABLE[16] = {15, 9, 10, 11, 12, 13, 14, 15, 7, 10, 14, 15, 11, 12, 15, 7};

void ADDTRULITE(int32_t x, int32_t y, bool isbarrel) {
  if (NUMTRULITES >= MAX_TRUELIGHTS) return;
  NUMTRULITES++;
  TRULITE[NUMTRULITES].X = static_cast<BYTE>(x);
  TRULITE[NUMTRULITES].Y = static_cast<BYTE>(y);
  TRULITE[NUMTRULITES].BARREL = isbarrel;
}

void DRAWPRELIGHT(int32_t x, int32_t y, int32_t minradius, int32_t maxradius, int32_t lnumber) {
  y = MAPSIZEY + 1 - y;
  for (int32_t zx = x - maxradius; zx <= x + maxradius; zx++) {
    for (int32_t zy = y - maxradius; zy <= y + maxradius; zy++) {
      if (!VALID(zx, zy)) continue;
      double d = DISTANCE(x, y, zx, zy);
      if (d < minradius || d > maxradius) continue;
      if (!SEES77(x, y, zx, zy)) continue;
      int32_t ry = MAPSIZEY + 1 - zy;
      if (!VALID(zx, ry)) continue;
      OOGA[zx][ry] = static_cast<BYTE>(130 + lnumber);
    }
  }
}

void CALCLIGHTS() {
  for (int n = 1; n <= NUMBEROFLIGHTS; n++) {
    if (LIGHTTYPE[n] == 1) {
      // Rectangle, coordinates as written (rows counted from the top).
      for (int x = LIGHTX1[n]; x <= LIGHTX2[n]; x++)
        for (int y = LIGHTY1[n]; y <= LIGHTY2[n]; y++)
          if (VALID(x, y)) OOGA[x][y] = static_cast<BYTE>(130 + n);
    } else {
      DRAWPRELIGHT(LIGHTX1[n], LIGHTY1[n], LIGHTX2[n], LIGHTY2[n], n);
    }
  }
}
