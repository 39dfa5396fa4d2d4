// The tank gun: a hit-scan shell along the turret, its trail, its blast and
// what it does to the thing it hits.
#include <cmath>

#include "display/input.h"
#include "display/renderer.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tankdrive.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "shell/gameflow.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {
constexpr int32_t SHELLDAMAGE = 150;  // to a monster hit directly
constexpr int KNOCKBACK = 3;          // cells a surviving monster is thrown back

int32_t sign(int32_t v) { return (v > 0) - (v < 0); }

// Cells the trace passes: floor and the rotating glyphs (turrets and rockets).
bool seeThrough(unsigned char c) { return c == ' ' || c == '-' || c == '\\' || c == '|' || c == '/'; }

// Overlay layer 2 of each cell from (X, Y) (excluded) to (TX, TY) (included):
// the shell's trail, four ticks long.
void drawTrail(int32_t x, int32_t y, int32_t tx, int32_t ty) {
  while (x != tx || y != ty) {
    x += sign(tx - x);
    y += sign(ty - y);
    if (!VALID(x, y)) return;
    POSTPROCESSING& pp = MAPPP[x][y];
    pp.OC[L_PLASMA] = 165;
    pp.OX[L_PLASMA] = 3;
    pp.OY[L_PLASMA] = 3;
    pp.OT[L_PLASMA] = 4;
  }
}

// Blood particles flying from (X, Y) in direction (DX, DY).
void bleed(int32_t x, int32_t y, int32_t dx, int32_t dy, int count, BYTE life) {
  if (!VALID(x, y)) return;
  for (int i = 0; i < count; i++) ADDBLOOD(static_cast<BYTE>(x), static_cast<BYTE>(y), dx, dy, life);
}

// Throws monster M from (X, Y) up to KNOCKBACK cells along (DX, DY), one cell
// at a time, as long as the next cell is free floor.
void knockBack(uint16_t m, int32_t x, int32_t y, int32_t dx, int32_t dy) {
  for (int k = 0; k < KNOCKBACK; k++) {
    const int32_t nx = x + dx, ny = y + dy;
    if (!VALID(nx, ny) || MAP[nx][ny] != ' ') return;
    MAP[x][y] = ' ';
    MFATTR[x][y] = 8;
    MAP[nx][ny] = 'M';
    MFATTR[nx][ny] = 15;
    MONSTERX_[m] = static_cast<BYTE>(x);
    MONSTERY_[m] = static_cast<BYTE>(y);
    MONSTERX[m] = static_cast<BYTE>(nx);
    MONSTERY[m] = static_cast<BYTE>(ny);
    x = nx;
    y = ny;
  }
}
}  // namespace

void RETURNTOUCHPOINT4(BYTE p) {
  if (p < 1 || p > 2) return;
  const int32_t dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  int32_t x = PLAYERX[p], y = PLAYERY[p];
  if (dx != 0 || dy != 0) {
    while (VALID(x + dx, y + dy)) {
      x += dx;
      y += dy;
      if (!seeThrough(MAP[x][y])) break;
    }
  }
  TOUCHX[p] = static_cast<BYTE>(x);
  TOUCHY[p] = static_cast<BYTE>(y);
  TOUCHCHAR[p] = VALID(x, y) ? MAP[x][y] : 255;
}

void HURTINRADIUSTANK(BYTE x, BYTE y) {
  for (int32_t ox = -2; ox <= 2; ox++)
    for (int32_t oy = -2; oy <= 2; oy++) {
      if (ox == 0 && oy == 0) continue;
      const int32_t cx = x + ox, cy = y + oy;
      if (!VALID(cx, cy)) continue;
      const bool inner = std::abs(ox) <= 1 && std::abs(oy) <= 1;
      const unsigned char c = MAP[cx][cy];
      if (c == 219) {
        HURTBARREL(static_cast<BYTE>(cx), static_cast<BYTE>(cy), 20);
      } else if (c == 'M') {
        const uint16_t m = FINDMONSTER(cx, cy);
        if (m == 0) continue;
        MONSTERENERGY[m] -= inner ? 50 : 30;
        if (MONSTERENERGY[m] < 1) PURGEMONSTER2(m);
      } else if (c == 'P') {
        const BYTE p = WHICHPLAYER(cx, cy);
        if (p != 0) HURTPLAYER(p, inner ? 45 : 25);
      }
    }
}

void SHOOT(BYTE pc) {
  if (pc < 1 || pc > 2) return;
  const BYTE tn = INTANK[pc];
  if (tn < 1 || tn > NUMBEROFTANKS) return;
  const BYTE t = TURRET[tn] >= 1 && TURRET[tn] <= 8 ? TURRET[tn] : 8;
  const int32_t cx = TANKX[tn] + 1, cy = TANKY[tn] - 1;
  PLAYERX[pc] = static_cast<BYTE>(cx);
  PLAYERY[pc] = static_cast<BYTE>(cy);
  const int32_t dx = TURRX[t], dy = TURRY[t];
  FIREOFFSETX[pc] = dx;
  FIREOFFSETY[pc] = dy;

  RETURNTOUCHPOINT4(pc);
  SETRECOIL(pc, dx, dy, 0.25);
  const BYTE ix = TOUCHX[pc], iy = TOUCHY[pc];
  drawTrail(cx, cy, ix, iy);
  HURTINRADIUSTANK(ix, iy);
  ADDEXPLOSION(ix, iy, 5, 1);
  if (NEAREVENT(cx, cy)) {
    if (SOUNDPLAYING1(pc)) STOPSOUND1(pc);
    STARTSOUND1(97, pc, false);
  }
  if (MAP[ix][iy] == 219) HURTBARREL(ix, iy, 10);
  if (DEATHMATCH() && MAP[ix][iy] == 'P') {
    HURTPLAYER(static_cast<BYTE>(3 - pc), 25);
    bleed(ix, iy, dx, dy, 8, 12);
  }
  CHECKLIGHT9(cx + dx, cy + dy, 2, 11);
  CHECKLIGHT(ix, iy, 2);
  if (DEATHMATCH() && WHATTANK(ix, iy) != 0) {
    const BYTE hit = WHATTANK(ix, iy);
    if (hit != 0 && hit != tn) {
      if (TANKHEALTH[hit] < 16)
        PURGETANK(hit);
      else
        TANKHEALTH[hit] = static_cast<BYTE>(TANKHEALTH[hit] - 15);
    }
  }
  if (MAP[ix][iy] != 'M') return;
  const uint16_t m = FINDMONSTER(ix, iy);
  if (m == 0) return;
  bleed(ix, iy, dx, dy, 8, 20);
  MONSTERENERGY[m] -= SHELLDAMAGE;
  if (MONSTERENERGY[m] < 1) {
    KILLMONSTER(m, ix, iy);
    return;
  }
  if (NEAREVENT(ix, iy)) HURTSOUND();
  knockBack(m, ix, iy, dx, dy);
}
