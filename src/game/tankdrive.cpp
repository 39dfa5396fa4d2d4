#include "game/tankdrive.h"

#include <string>

#include "display/input.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/los.h"
#include "render/view.h"
#include "sound/sound.h"
#include "world/grid.h"

int32_t LASTTURRETOFFSET = 0;

namespace {
// Cells a tank may roll onto: floor, and the monsters, players and flames or
// helpers it rolls over.
bool passable(unsigned char c) { return c == ' ' || c == 'M' || c == 'P' || c == 'O'; }

// Puts every player sitting in tank TN on its centre cell.
void seatPlayers(BYTE tn) {
  for (BYTE p = 1; p <= 2; p++)
    if (INTANK[p] == tn) {
      PLAYERX[p] = static_cast<BYTE>(TANKX[tn] + 1);
      PLAYERY[p] = static_cast<BYTE>(TANKY[tn] - 1);
    }
}
}  // namespace

bool TANKCANGO(BYTE tn, int32_t ox, int32_t oy) {
  if (ox == 0 && oy == 0) return true;
  if (tn < 1 || tn > NUMBEROFTANKS) return false;
  const int32_t cx = TANKX[tn] + 1, cy = TANKY[tn] - 1;
  const int32_t nx = cx + 2 * ox, ny = cy + 2 * oy;
  int32_t cells[3][2];
  if (ny == cy) {
    for (int i = 0; i < 3; i++) cells[i][0] = nx, cells[i][1] = cy - 1 + i;
  } else if (nx == cx) {
    for (int i = 0; i < 3; i++) cells[i][0] = cx - 1 + i, cells[i][1] = ny;
  } else {
    return false;  // a tank never moves diagonally
  }
  int counted = 0;
  for (const auto& c : cells) {
    const unsigned char s = WHATISIT(c[0], c[1]);
    if (!passable(s)) continue;
    counted++;
    if (s != 'M') continue;
    const uint16_t m = FINDMONSTER(c[0], c[1]);
    if (m == 0) continue;
    const BYTE type = MONSTERTYPE[m];
    const int32_t damage = type >= 1 && type <= ALLMONSTERS ? ELIMIT[type] / 9 : 0;
    if (TANKHEALTH[tn] <= damage) return false;
    TANKHEALTH[tn] = static_cast<BYTE>(TANKHEALTH[tn] - damage);
    PURGEMONSTER(c[0], c[1]);
    // A monster that cannot die stays where it is and stops the tank.
    if (FINDMONSTER(c[0], c[1]) != 0) return false;
    if (NEAREVENT(c[0], c[1])) DEATHSOUND();
  }
  return counted == 3;
}

void MOVETANK(BYTE tn, int32_t ox, int32_t oy) {
  if (tn < 1 || tn > NUMBEROFTANKS) return;
  if (!TANKCANGO(tn, ox, oy)) ox = oy = 0;
  ERASETANK(TANKX[tn], TANKY[tn]);
  TANKX_[tn] = TANKX[tn];
  TANKY_[tn] = TANKY[tn];
  TANKX[tn] = static_cast<BYTE>(TANKX[tn] + ox);
  TANKY[tn] = static_cast<BYTE>(TANKY[tn] + oy);
  DRAWTANK(tn);
  seatPlayers(tn);
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

void GETOUTOFTANK(BYTE pc) {
  if (pc < 1 || pc > 2) return;
  const BYTE tn = INTANK[pc];
  if (tn < 1 || tn > NUMBEROFTANKS) return;
  const int32_t cx = TANKX[tn] + 1, cy = TANKY[tn] - 1;
  int32_t ex = 0, ey = 0;
  for (int32_t i = -1; i <= 1; i++)
    for (int32_t j = -1; j <= 1; j++) {
      if (i == 0 && j == 0) continue;
      if (WHATISIT(cx + 2 * i, cy + 2 * j) == ' ') {
        ex = cx + 2 * i;
        ey = cy + 2 * j;
      }
    }
  if (ex == 0) return;  // every exit cell is taken: the player stays inside
  const BYTE other = static_cast<BYTE>(3 - pc);
  TANKFIRST[tn] = INTANK[other] == tn ? other : 0;
  INTANK[pc] = 0;
  PERMISSION[pc] = 1;
  PLAYERX[pc] = static_cast<BYTE>(ex);
  PLAYERY[pc] = static_cast<BYTE>(ey);
  // The player owns his cell from now on, so nothing else takes it before
  // his next step stamps it again.
  MAP[ex][ey] = 'P';
  MFATTR[ex][ey] = MODERN_VISUALS != 0 ? 7 : PLAYERCOLOR[pc];
  STEPPEDON[pc] = ' ';
  STEPPEDONC[pc] = 8;
  SHOWCURSOR[pc] = true;
  DISPLAYSTRING(std::string(14, ' '), 11, static_cast<BYTE>(20 + 25 * (pc - 1)), 10);
}

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
