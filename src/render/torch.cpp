#include "render/torch.h"

#include <algorithm>

#include "display/input.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

namespace {
constexpr int32_t VIEWREACHX = 18;  // CELLWITHINPLAYERVIEW: columns around my player
constexpr int32_t VIEWREACHY = 14;  // and rows
constexpr int32_t TORCHRADIUS = 8;
constexpr int32_t PERSONALRADIUS = 3;
constexpr int32_t LAMPRADIUS = 7;
constexpr unsigned char BARRELGLYPH = 219;

// Off while the level is lit before its first frame.
bool FLICKERS = true;

// 1 with probability 1/20, else 0: the flicker of a flame's radius.
int32_t flicker() {
  if (!FLICKERS) return 0;
  return random(10) == 5 ? random(2) : 0;
}

// The chosen inventory item of player P is a torch with lumber to burn.
bool HOLDSTORCH(BYTE p) {
  const BYTE slot = CHOSENITEM[p];
  if (slot < 1 || slot > INVENTORY[p].size() || INVENTORY[p][slot - 1] != 'i') return false;
  return PLAYERRES[p].LUMBER > 0;
}
}  // namespace

void TORCHLIGHT(int32_t x, int32_t y, int32_t r) {
  if (r < 0) return;
  // Only cells near my player are lit, so the square is clipped to that area
  // first; a lamp far away costs nothing.
  const int32_t me = MYNUMBER == 2 ? 2 : 1;
  const int64_t x1 = std::max<int64_t>({1, int64_t{x} - r, int64_t{PLAYERX[me]} - VIEWREACHX});
  const int64_t x2 =
      std::min<int64_t>({MAX_MAPWIDTH, int64_t{x} + r, int64_t{PLAYERX[me]} + VIEWREACHX});
  const int64_t y1 = std::max<int64_t>({1, int64_t{y} - r, int64_t{PLAYERY[me]} - VIEWREACHY});
  const int64_t y2 =
      std::min<int64_t>({MAX_MAPHEIGHT, int64_t{y} + r, int64_t{PLAYERY[me]} + VIEWREACHY});
  const double third = r / 3.0;
  for (int32_t zx = static_cast<int32_t>(x1); zx <= x2; zx++) {
    for (int32_t zy = static_cast<int32_t>(y1); zy <= y2; zy++) {
      int32_t ry;
      if (!CELLWITHINPLAYERVIEW(zx, zy) || !LIGHTROW(zx, zy, ry)) continue;
      const double d = DISTANCE(x, y, zx, zy);
      if (d > r) continue;
      if (!SEESLOS(x, y, zx, zy, true)) continue;
      // Full light out to a third of the radius, then falling linearly to 0
      // at the radius (the test includes d = R / 3, where the fall-off also
      // gives 100, so a radius of 0 needs no division).
      int32_t b = d <= third ? 100 : static_cast<int32_t>(100 - (d - third) * 100 / (r / 1.5));
      if (b > 35) MLIGHT[zx][ry] = 128;
      BOOSTCELLBRIGHTNESS(zx, ry, b);
    }
  }
}

void MANAGETORCH(BYTE p) {
  if (p < 1 || p > 2) return;
  const int32_t f = flicker();
  if (HOLDSTORCH(p)) {
    TORCHLIGHT(PLAYERX[p], PLAYERY[p], TORCHRADIUS + f);
    return;
  }
  int32_t ry;
  if (!LIGHTROW(PLAYERX[p], PLAYERY[p], ry)) return;
  const POSTPROCESSING& c = MAPPP[PLAYERX[p]][ry];
  if (c.BRIGHTNESS < c.INITIALBRIGHTNESS) TORCHLIGHT(PLAYERX[p], PLAYERY[p], PERSONALRADIUS);
}

void DRAWTRULITES() {
  const int32_t lamps = std::min<int32_t>(NUMTRULITES, MAX_TRUELIGHTS);
  for (int32_t i = 1; i <= lamps; i++) {
    const TRUELIGHT& t = TRULITE[i];
    if (!VALID(t.X, t.Y)) continue;
    const bool barrelstands = MAP[t.X][t.Y] == BARRELGLYPH;
    const int32_t f = barrelstands ? flicker() : 0;
    // A barrel lamp goes out once its barrel is gone.
    if (!t.BARREL || barrelstands) TORCHLIGHT(t.X, t.Y, LAMPRADIUS + f);
  }
}

void LIGHTTORCHESNOW() {
  FLICKERS = false;
  DRAWTRULITES();
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) MANAGETORCH(p);
  FLICKERS = true;
}
