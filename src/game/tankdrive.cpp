#include "game/tankdrive.h"

#include "display/renderer.h"
#include "game/tanks.h"
#include "render/view.h"
#include "world/grid.h"

int32_t LASTTURRETOFFSET = 0;

// Until the tank may-go test exists a tank stays where it is, stamped anew.
void MOVETANK(BYTE tn, int32_t ox, int32_t oy) {
  (void)ox;
  (void)oy;
  if (tn >= 1 && tn <= NUMBEROFTANKS) DRAWTANK(tn);
}

int32_t PROPERTURRETOFFSET(int32_t tindex, int32_t offx, int32_t offy) {
  (void)tindex;
  int32_t result = 8;
  if (offx == 0 && offy == 0) result = 0;
  else
    for (int d = 1; d <= 8; d++)
      if (TURRX[d] == offx && TURRY[d] == offy) result = d;
  LASTTURRETOFFSET = result;
  return result;
}

// The tank gun and leaving a tank arrive with the tank rules.
void SHOOT(BYTE pc) { (void)pc; }
void GETOUTOFTANK(BYTE pc) { (void)pc; }

void DRAWTANKONSCREEN(BYTE z, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey) {
  if (z < 1 || z > NUMBEROFTANKS) return;
  // The turret cell lies one step from the centre in the turret's direction.
  const BYTE t = TURRET[z];
  const bool hasturret = t >= 1 && t <= 8;
  const int32_t tcol = hasturret ? 2 + TURRX[t] : 0, trow = hasturret ? 2 + TURRY[t] : 0;
  // The block spans columns TANKX..TANKX+2 and rows TANKY-2..TANKY.
  for (int32_t col = 1; col <= 3; col++)
    for (int32_t row = 1; row <= 3; row++) {
      const int32_t x = TANKX[z] + col - 1, y = TANKY[z] - 3 + row;
      if (!VALID(x, y) || !CELLWITHINVIEW(x, y, vx, vy, sizex, sizey) || MAPLOS[x][y] < 1 ||
          !VIEWROWDRAWN(y))
        continue;
      const int32_t sx = MAPTOSCREENX(x, vx, sizex), sy = MAPTOSCREENY(y, vy, sizey);
      if (sx < 1 || sx > UDT_X || sy < 1 || sy > UDT_Y) continue;
      const bool turret = col == tcol && row == trow;
      int32_t glyph = MODERN_VISUALS == 1 ? 202 : (col == 2 && row == 2) ? 178 : 177;
      if (MODERN_VISUALS != 1 && turret && static_cast<size_t>(t) <= TSHAPES.size())
        glyph = static_cast<unsigned char>(TSHAPES[t - 1]);
      const CELLINFO& rec = EMUKRAN[sy][sx];
      const int32_t effect = glyph >= 242 ? (row == 1 ? 2 : 0) + (col == 3 ? 1 : 0) : 0;
      const BYTE bri =
          static_cast<BYTE>(rec.BRIGHTNESS < 0 ? 0 : rec.BRIGHTNESS > 255 ? 255 : rec.BRIGHTNESS);
      ACTORCELL(true);
      RENDERCHARCODE(sx, sy, glyph, rec.ATTR, 100, bri, effect, col, row, 100, true);
      ACTORCELL(false);
      if (MODERN_VISUALS == 1 && turret) RENDERCHARCODE(sx, sy, 202, rec.ATTR, 100, bri, 0, 4, 1, 100, true);
    }
}
