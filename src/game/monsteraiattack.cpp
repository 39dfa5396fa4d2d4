// The ranged attacks of the monster types, the monster guns and the trace
// every monster attack aims with.
#include "base/random.h"
#include "game/monsterai.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/los.h"
#include "render/view.h"
#include "shell/engine.h"
#include "base/settings.h"
#include "world/grid.h"

namespace {
constexpr int32_t AXISX[4] = {-1, 1, 0, 0}, AXISY[4] = {0, 0, -1, 1};

bool isFree(int32_t x, int32_t y) { return VALID(x, y) && MAP[x][y] == ' '; }
BYTE b(int32_t v) { return static_cast<BYTE>(v); }

// The numbers that tell the three monster guns apart.
struct MONSTERGUN {
  bool chain;           // chaingun: its own sound flag and light
  int32_t barrelfactor;
  double range;         // farthest player hit
  int32_t damagefactor;
  int bloods;           // blood particles on a player hit
};
constexpr MONSTERGUN GUN_SHOTGUN{false, 7, 20, 15, 8};
constexpr MONSTERGUN GUN_SHOTGUN2{false, 14, 25, 25, 8};
constexpr MONSTERGUN GUN_CHAINGUN{true, 4, 40, 5, 4};

void fireGun(const MONSTERGUN& g, BYTE x, BYTE y, int32_t xx, int32_t yy) {
  const BYTE me = MONSTERMYPLAYER();
  if (DISTANCE(x, y, PLAYERX[me], PLAYERY[me]) < 15) (g.chain ? CSOUND : SSOUND) = true;
  const int32_t mzx = x + xx, mzy = y + yy;
  if (g.chain)
    CHECKLIGHT5(mzx, mzy, 2 + random(2));
  else
    CHECKLIGHT(mzx, mzy, 2);
  RETURNTOUCHPOINT3(x, y, xx, yy);
  const int32_t tx = TOUCHX[3], ty = TOUCHY[3];
  const unsigned char tc = TOUCHCHAR[3];
  ADDMUZZLEFLASH(static_cast<uint16_t>(mzx), static_cast<uint16_t>(mzy));
  ADDSPARK(static_cast<uint16_t>(tx), static_cast<uint16_t>(ty));
  const double d = DISTANCE(x, y, tx, ty);
  if (tc == 219) {
    // Beyond 78 cells the fall-off would turn negative: nothing is left.
    const int64_t dmg = ROUNDEVEN((1 - d / 78) * g.barrelfactor);
    if (dmg > 0) HURTBARREL(b(tx), b(ty), b(dmg));
  } else if (tc == 'P') {
    const BYTE h = WHICHPLAYER(tx, ty);
    if (h > 0 && d <= g.range) {
      HURTPLAYER(h, static_cast<double>(ROUNDEVEN((1 - d / g.range) * g.damagefactor)));
      for (int i = 0; i < g.bloods; i++)
        ADDBLOOD(b(tx), b(ty), xx, yy, 12);
      SHAKE[h] = true;
    }
  }
  if (VALID(tx, ty)) ADDBLINK(b(tx), b(ty), 4, 11);
  if (VALID(tx - xx, ty - yy)) ADDBLINK(b(tx - xx), b(ty - yy), 5, 11);
  if (VALID(tx + xx, ty + yy)) ADDBLINK(b(tx + xx), b(ty + yy), 7, 11);
  if (VALID(mzx, mzy)) ADDBLINK(b(mzx), b(mzy), 2, 11);
  if (g.chain)
    CHECKLIGHT5(tx, ty, 1);
  else if (LIGHTNINGTYPE == 2)
    CHECKLIGHT(tx, ty, 1);
}

// Rails along the four axes when the trace ends near a player and far from
// the Eraser; 7 acting calls of cooldown after a shot.
void eraserAttack(uint16_t m) {
  if (MEDICTARGET[m] > 0) MEDICTARGET[m]--;
  if (MEDICTARGET[m] != 0) return;
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  for (BYTE p = 1; p <= MONSTERPLAYERS(); p++)
    for (int k = 0; k < 4; k++) {
      RETURNTOUCHPOINT3(mx, my, AXISX[k], AXISY[k]);
      if (DISTANCE(TOUCHX[3], TOUCHY[3], PLAYERX[p], PLAYERY[p]) < 7 &&
          DISTANCE(TOUCHX[3], TOUCHY[3], mx, my) > 8) {
        ADDRAIL(b(mx + AXISX[k]), b(my + AXISY[k]), AXISX[k], AXISY[k], 3);
        MEDICTARGET[m] = 7;
      }
    }
}

// Charge while aimed at a spot near the target player, then fire bursts as
// the charge runs down through the threshold; the monster stands meanwhile.
void burstAttack(uint16_t m, BYTE charge, BYTE threshold, void (*gun)(BYTE, BYTE, int32_t, int32_t)) {
  const BYTE pc = MONSTERTARGET(m);
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  const int32_t px = PLAYERX[pc], py = PLAYERY[pc];
  const int32_t ax = SIGN(px - mx), ay = SIGN(py - my);
  if (MEDICTARGET[m] == 0) {
    if (ax == 0 && ay == 0) return;
    RETURNTOUCHPOINT3(mx, my, ax, ay);
    if (DISTANCE(TOUCHX[3], TOUCHY[3], px, py) < 6 && SEES77(px, py, TOUCHX[3] - ax, TOUCHY[3] - ay))
      MEDICTARGET[m] = charge;
  } else {
    MEDICTARGET[m]--;
    if (MEDICTARGET[m] <= threshold && !(ax == 0 && ay == 0)) gun(mx, my, ax, ay);
  }
}

// Rockets along a row or column at a player in sight, at a friend, at a
// mine or at a tank; 2 acting calls between volleys.
void prototypeAttack(uint16_t m) {
  if (MEDICTARGET[m] > 0) {
    MEDICTARGET[m]--;
    return;
  }
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  for (BYTE p = 1; p <= MONSTERPLAYERS(); p++) {
    const int32_t ax = SIGN(PLAYERX[p] - mx), ay = SIGN(PLAYERY[p] - my);
    if (ax == 0 && ay == 0) continue;
    if (ay == 0 && SEES(mx, my, PLAYERX[p], PLAYERY[p]) && isFree(mx + ax, my)) {
      ADDROCKET(b(mx + ax), my, ax, 0);
      MEDICTARGET[m] = 2;
    }
    if (ax == 0 && SEES(mx, my, PLAYERX[p], PLAYERY[p]) && isFree(mx, my + ay)) {
      ADDROCKET(mx, b(my + ay), 0, ay);
      MEDICTARGET[m] = 2;
    }
  }
  for (int k = 0; k < 4; k++) {
    const int32_t dx = AXISX[k], dy = AXISY[k];
    RETURNTOUCHPOINT3(mx, my, dx, dy);
    const unsigned char tc = TOUCHCHAR[3];
    if ((tc == 'M' && FRIENDAT(TOUCHX[3], TOUCHY[3])) ||
        ((tc == '$' || tc == 177) && isFree(mx + dx, my + dy))) {
      ADDROCKET(b(mx + dx), b(my + dy), dx, dy);
      MEDICTARGET[m] = 2;
    }
  }
}

// Rockets in all eight directions at players, tanks and mines, with a grunt
// called in behind it for each; rockets at friends too.
void terminatorAttack(uint16_t m) {
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      RETURNTOUCHPOINT3(mx, my, dx, dy);
      const unsigned char tc = TOUCHCHAR[3];
      if (tc == 177 || tc == 'P' || tc == 'p' || tc == '$') {
        ADDROCKET(b(mx + dx), b(my + dy), dx, dy);
        if (isFree(mx - dx, my - dy)) {
          const uint16_t before = NUMBEROFMONSTERS;
          ADDMONSTER(b(mx - dx), b(my - dy), 1, 1);
          // Called in by a monster that sees its target: awake at once.
          if (NUMBEROFMONSTERS > before) SAW[NUMBEROFMONSTERS] = 1;
          PLACEPROP(123, static_cast<uint16_t>(mx - dx - 1), static_cast<uint16_t>(my - dy + 1), 1, 1, 3, 3,
                    10, 1);
        }
      } else if (tc == 'M' && FRIENDAT(TOUCHX[3], TOUCHY[3])) {
        ADDROCKET(b(mx + dx), b(my + dy), dx, dy);
      }
    }
}

// The friend fires at other monsters at least 3 cells away.
void friendAttack(uint16_t m) {
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      RETURNTOUCHPOINT3(mx, my, dx, dy);
      if (TOUCHCHAR[3] == 'M' && DISTANCE(TOUCHX[3], TOUCHY[3], mx, my) >= 3 &&
          !FRIENDAT(TOUCHX[3], TOUCHY[3]))
        ADDROCKET(b(mx + dx), b(my + dy), dx, dy);
    }
}
}  // namespace

void RETURNTOUCHPOINT3(BYTE ix, BYTE iy, int32_t xoffset, int32_t yoffset) {
  int32_t x = ix, y = iy;
  unsigned char c = WHATISIT(x, y);
  if (xoffset != 0 || yoffset != 0) {
    for (;;) {
      x += xoffset;
      y += yoffset;
      c = WHATISIT(x, y);
      if (!(c == ' ' || c == '/' || c == '\\' || c == '-' || c == '|' || c == 'o' || c == 'O')) break;
    }
  }
  // Outside the grid the trace stops on the first cell beyond it (0 or 161 at most).
  TOUCHX[3] = static_cast<BYTE>(x < 0 ? 0 : x);
  TOUCHY[3] = static_cast<BYTE>(y < 0 ? 0 : y);
  TOUCHCHAR[3] = c;
}

void SHOTGUN(BYTE x, BYTE y, int32_t xx, int32_t yy) { fireGun(GUN_SHOTGUN, x, y, xx, yy); }
void SHOTGUN2(BYTE x, BYTE y, int32_t xx, int32_t yy) { fireGun(GUN_SHOTGUN2, x, y, xx, yy); }
void CHAINGUN(BYTE x, BYTE y, int32_t xx, int32_t yy) { fireGun(GUN_CHAINGUN, x, y, xx, yy); }

void BOSSATTACK(uint16_t m) {
  const BYTE mx = MONSTERX[m], my = MONSTERY[m];
  for (BYTE p = 1; p <= MONSTERPLAYERS(); p++) {
    const int32_t ax = SIGN(PLAYERX[p] - mx), ay = SIGN(PLAYERY[p] - my);
    if (ax == 0 && ay == 0) continue;
    if (DISTANCE(mx, my, PLAYERX[p], PLAYERY[p]) < 11) {
      ADDFLAME(b(mx + ax), b(my + ay), ax, ay, 10);
    } else {
      RETURNTOUCHPOINT3(mx, my, ax, ay);
      if (TOUCHCHAR[3] == 'P') ADDROCKET(b(mx + ax), b(my + ay), ax, ay);
    }
  }
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      RETURNTOUCHPOINT3(mx, my, dx, dy);
      if (TOUCHCHAR[3] == 'M' || TOUCHCHAR[3] == 'F') ADDROCKET(b(mx + dx), b(my + dy), dx, dy);
    }
}

void MONSTERATTACK(uint16_t m) {
  switch (MONSTERTYPE[m]) {
    case 2: prototypeAttack(m); break;
    case 5: terminatorAttack(m); break;
    case 6: friendAttack(m); break;
    case 8: eraserAttack(m); break;
    case 9: burstAttack(m, 8, 3, SHOTGUN); break;
    case 10: burstAttack(m, 32, 10, CHAINGUN); break;
    case 11: burstAttack(m, 8, 6, SHOTGUN2); break;
    default: break;
  }
}
