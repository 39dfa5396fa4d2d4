#include "render/lightfx.h"

#include <algorithm>

#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "base/settings.h"
#include "world/grid.h"

namespace {
constexpr BYTE GLOWGLYPH = 165;  // explosion glow sheet in overlay layer 2
constexpr uint16_t GLOWLIFE = 3;

// Visits, column by column from X - R and within a column from Y - R upward,
// every cell of the stamp square that lies inside the grid and the level's
// rows, is within distance R of the centre and passes the stamp's sight test
// (SEES77 for blasts, where only rock and closed doors stop the light;
// SEES7 otherwise). FN receives the cell and its light row.
template <typename F>
void stamp(int32_t x, int32_t y, int32_t r, bool blast, F fn) {
  if (r < 0) return;
  const int64_t x1 = std::max<int64_t>(1, int64_t{x} - r);
  const int64_t x2 = std::min<int64_t>(MAX_MAPWIDTH, int64_t{x} + r);
  const int64_t y1 = std::max<int64_t>(1, int64_t{y} - r);
  const int64_t y2 = std::min<int64_t>(MAX_MAPHEIGHT, int64_t{y} + r);
  for (int32_t zx = static_cast<int32_t>(x1); zx <= x2; zx++) {
    for (int32_t zy = static_cast<int32_t>(y1); zy <= y2; zy++) {
      int32_t ry;
      if (!LIGHTROW(zx, zy, ry)) continue;
      if (DISTANCE(x, y, zx, zy) > r) continue;
      if (blast ? !SEES77(x, y, zx, zy) : !SEES7(x, y, zx, zy)) continue;
      fn(zx, zy, ry);
    }
  }
}

// Brightened colour of a colour; colours beyond the 16 of the text mode are
// brightened as their text-mode colour.
BYTE brightened(BYTE c) { return CTABLE[c & 15]; }

void glow(int32_t zx, int32_t zy, uint16_t tilex) {
  POSTPROCESSING& c = MAPPP[zx][zy];
  c.OC[L_PLASMA] = GLOWGLYPH;
  c.OX[L_PLASMA] = tilex;
  c.OY[L_PLASMA] = 3;
  c.OT[L_PLASMA] = GLOWLIFE;
}

// One step from (ZX, ZY) in direction (DX, DY) when that cell is a valid blank.
bool blankBeyond(int32_t zx, int32_t zy, int32_t dx, int32_t dy) {
  return VALID(zx + dx, zy + dy) && MAP[zx + dx][zy + dy] == ' ';
}
}  // namespace

void CHECKLIGHT(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, false, [](int32_t zx, int32_t zy, int32_t ry) {
    if (SUBDUED_VISUALS != 0) {
      BOOSTCELLBRIGHTNESS(zx, ry, 100);
      return;
    }
    BYTE& l = MLIGHT[zx][ry];
    l = l == 128 ? brightened(MFATTR[zx][zy]) : brightened(l);
    RESTORECELLBRIGHTNESS(zx, ry);
  });
}

void CHECKLIGHT5(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, false, [](int32_t zx, int32_t, int32_t ry) {
    if (SUBDUED_VISUALS != 0) {
      BOOSTCELLBRIGHTNESS(zx, ry, 100);
      return;
    }
    MLIGHT[zx][ry] = YELLOW;
    RESTORECELLBRIGHTNESS(zx, ry);
  });
}

void CHECKLIGHT9(int32_t x, int32_t y, int32_t lradius, BYTE color) {
  stamp(x, y, lradius, false, [color](int32_t zx, int32_t, int32_t ry) {
    MLIGHT[zx][ry] = color;
    RESTORECELLBRIGHTNESS(zx, ry);
  });
}

void CHECKLIGHTPLASMA(int32_t x, int32_t y, int32_t lradius, BYTE color) {
  // The fire has gone out once its cell is blank.
  if (!VALID(x, y) || MAP[x][y] == ' ') return;
  CHECKLIGHT9(x, y, lradius, color);
}

void CHECKLIGHT10(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, false, [](int32_t zx, int32_t, int32_t ry) { MLIGHT[zx][ry] = YELLOW; });
}

void CHECKLIGHT11(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, false, [](int32_t zx, int32_t, int32_t ry) {
    MLIGHT[zx][ry] = WHITE;
    RESTORECELLBRIGHTNESS(zx, ry);
  });
}

void CHECKLIGHT11_MODERN(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, false, [](int32_t zx, int32_t zy, int32_t ry) {
    glow(zx, zy, 1);
    RESTORECELLBRIGHTNESS(zx, ry);
  });
}

void CHECKLIGHT2(int32_t x, int32_t y, int32_t lradius) {
  const BYTE tint = lradius > 3 ? LIGHTGREEN : GREEN;
  stamp(x, y, lradius, true, [x, y, tint](int32_t zx, int32_t zy, int32_t ry) {
    MLIGHT[zx][ry] = tint;
    RESTORECELLBRIGHTNESS(zx, ry);
    BLASTPUSH(x, y, zx, zy);
  });
}

void CHECKLIGHT2_MODERN(int32_t x, int32_t y, int32_t lradius) {
  stamp(x, y, lradius, true, [x, y](int32_t zx, int32_t zy, int32_t ry) {
    glow(zx, zy, 2);
    RESTORECELLBRIGHTNESS(zx, ry);
    BLASTPUSH(x, y, zx, zy);
  });
}

void BLASTPUSH(int32_t x, int32_t y, int32_t zx, int32_t zy) {
  if (!VALID(zx, zy)) return;
  const int32_t dx = SIGN(zx - x), dy = SIGN(zy - y);
  const unsigned char c = MAP[zx][zy];
  if (c == 'M') {
    uint16_t m = FINDMONSTER(zx, zy);
    if (m == 0) return;
    MONSTERENERGY[m] -= 20;
    if (MONSTERENERGY[m] < 1) {
      PURGEMONSTER2(m);
    } else if (blankBeyond(zx, zy, dx, dy)) {
      // The monster's colour goes with it; the floor it leaves is plain floor.
      MAP[zx][zy] = ' ';
      MAP[zx + dx][zy + dy] = 'M';
      MFATTR[zx + dx][zy + dy] = MFATTR[zx][zy];
      MFATTR[zx][zy] = DARKGRAY;
      MONSTERX[m] = MONSTERX_[m] = static_cast<BYTE>(zx + dx);
      MONSTERY[m] = MONSTERY_[m] = static_cast<BYTE>(zy + dy);
    }
  } else if (c == 'P' || c == 'p') {
    const BYTE p = WHICHPLAYER(zx, zy);
    if (p < 1 || p > 2) return;
    HURTPLAYER(p, 10);
    if (blankBeyond(zx, zy, dx, dy)) {
      // What lay under the player stays where it was, and the player now
      // stands on bare floor; otherwise the next step would carry the
      // remembered cell (a sewer, a pickup) along to the new place.
      MAP[zx + dx][zy + dy] = 'P';
      MFATTR[zx + dx][zy + dy] = MFATTR[zx][zy];
      MAP[zx][zy] = STEPPEDON[p];
      MFATTR[zx][zy] = STEPPEDONC[p];
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = DARKGRAY;
      PLAYERX[p] = static_cast<BYTE>(zx + dx);
      PLAYERY[p] = static_cast<BYTE>(zy + dy);
    }
  }
}
