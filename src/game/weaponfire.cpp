#include "game/weaponfire.h"

#include <utility>

#include "display/input.h"
#include "game/items.h"
#include "game/monsterdeath.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/weaponhits.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/messages.h"
#include "render/view.h"
#include "base/random.h"
#include "shell/engine.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {
// A piercing shot traces again after each kill; a row can never be longer
// than the grid, so this bound is never reached in play.
constexpr int MAXPIERCE = MAX_MAPWIDTH + MAX_MAPHEIGHT;

int32_t aheadX(BYTE p) { return PLAYERX[p] + FIREOFFSETX[p]; }
int32_t aheadY(BYTE p) { return PLAYERY[p] + FIREOFFSETY[p]; }
bool aheadBlank(BYTE p) {
  const int32_t x = aheadX(p), y = aheadY(p);
  return VALID(x, y) && MAP[x][y] == ' ';
}

// Trace, muzzle flash and spark at the stop cell; true when the stop cell lies on the grid.
bool traceShot(BYTE p) {
  RETURNTOUCHPOINT(p);
  WEAPONFLASH[p] = true;
  ADDSPARK(TOUCHX[p], TOUCHY[p]);
  return VALID(TOUCHX[p], TOUCHY[p]);
}

void blinkAt(int32_t x, int32_t y, BYTE state, BYTE maxstate) {
  if (VALID(x, y)) ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), state, maxstate);
}

void scrapGun(BYTE p) {
  if (PISTOLTIMER[p] != 0) return;
  if (WEAPONAMMO[p][1] < 1) {
    WEAPONCLICK(p, 1);
    return;
  }
  WEAPONSOUND(p, 48);
  CHECKLIGHT(aheadX(p), aheadY(p), 3);
  PISTOLTIMER[p] = 10;
  for (int i = 0; i < MAXPIERCE; i++) {
    if (!traceShot(p)) return;
    HITSCANBARREL(p, 1);
    HITSCANPLAYER(p, 1);
    blinkAt(TOUCHX[p], TOUCHY[p], 1, 3);
    CHECKLIGHT(TOUCHX[p], TOUCHY[p], 1);
    ABSORBGATHEREDRESOURCES(p, HURTTREEWEAKROCK(TOUCHX[p], TOUCHY[p], 10));
    BUILDBRIDGE(p);
    if (!HITSCANMONSTER(p, 1)) return;
  }
}

void rangeShotgun(BYTE p) {
  if (SHOTGUNTIMER[p] != 0) return;
  if (WEAPONAMMO[p][2] < 1) {
    WEAPONCLICK(p, 2);
    return;
  }
  WEAPONSOUND(p, 1);
  CHECKLIGHT(aheadX(p), aheadY(p), 4);
  SHOTGUNTIMER[p] = 35;
  TAKEAMMO(p, 2, 1);
  SETRECOIL(p, FIREOFFSETX[p], FIREOFFSETY[p], 1.0 / 7);
  EJECTSHELLS(p, 14, false);
  if (!traceShot(p)) return;
  HITSCANBARREL(p, 2);
  HITSCANPLAYER(p, 2);
  blinkAt(TOUCHX[p], TOUCHY[p], 1, 5);
  blinkAt(TOUCHX[p] - FIREOFFSETX[p], TOUCHY[p] - FIREOFFSETY[p], 1, 5);
  CHECKLIGHT(TOUCHX[p], TOUCHY[p], 1);
  HITSCANMONSTER(p, 2);
}

void powerShotgun(BYTE p) {
  if (DSHOTGUNTIMER[p] != 0) return;
  if (WEAPONAMMO[p][3] < 2) {
    WEAPONCLICK(p, 3);
    return;
  }
  WEAPONSOUND(p, 2);
  CHECKLIGHT(aheadX(p), aheadY(p), 10);
  DSHOTGUNTIMER[p] = 55;
  TAKEAMMO(p, 3, 2);
  SETRECOIL(p, FIREOFFSETX[p], FIREOFFSETY[p], 1.0 / 3);
  EJECTSHELLS(p, 4, true);
  for (int i = 0; i < MAXPIERCE; i++) {
    if (!traceShot(p)) return;
    const int32_t tx = TOUCHX[p], ty = TOUCHY[p], dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
    HITSCANBARREL(p, 3);
    HITSCANPLAYER(p, 3);
    blinkAt(tx, ty, 4, 11);
    blinkAt(tx - dx, ty - dy, 5, 11);
    blinkAt(tx + dx, ty + dy, 7, 11);
    if (LIGHTNINGTYPE == 2) CHECKLIGHT(tx, ty, 1);
    if (!HITSCANMONSTER(p, 3)) return;
  }
}

void rocketLauncher(BYTE p) {
  if (WEAPONAMMO[p][5] < 1 || RLAUNCHERTIMER[p] != 0) return;
  RLAUNCHERTIMER[p] = 19;
  WEAPONSOUND(p, 4);
  WEAPONFLASH[p] = true;
  if (!aheadBlank(p)) return;
  const BYTE before = NUMBEROFROCKETS;
  ADDROCKET(static_cast<BYTE>(aheadX(p)), static_cast<BYTE>(aheadY(p)), FIREOFFSETX[p], FIREOFFSETY[p]);
  // A full rocket table costs no rocket.
  if (NUMBEROFROCKETS != before) TAKEAMMO(p, 5, 1);
}

void plasmaRifle(BYTE p) {
  if (WEAPONAMMO[p][8] < 1 || !aheadBlank(p) || PLASMATIMER[p] != 0) return;
  const int32_t x = PLAYERX[p], y = PLAYERY[p], dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  PLASMATIMER[p] = 3;
  TAKEAMMO(p, 8, 1);
  CHECKLIGHT(aheadX(p), aheadY(p), 3 + random(4));
  WEAPONSOUND(p, 79);
  ADDPLASMA(static_cast<BYTE>(x + dx), static_cast<BYTE>(y + dy), dx, dy);
  ADDPLASMA(static_cast<BYTE>(x + dy), static_cast<BYTE>(y - dx), dx, dy);
  ADDPLASMA(static_cast<BYTE>(x - dy), static_cast<BYTE>(y + dx), dx, dy);
  WEAPONFLASH[p] = true;
}

void nrg(BYTE p) {
  if (WEAPONAMMO[p][7] < 40 || !aheadBlank(p) || RAILGUNTIMER[p] != 0) return;
  RAILGUNTIMER[p] = 100;
  if (NEAREVENT(PLAYERX[p], PLAYERY[p])) {
    if (SOUNDPLAYING1(24)) STOPSOUND1(24);
    STARTSOUND1(24, 24, false);
  }
  TAKEAMMO(p, 7, 40);
  WEAPONFLASH[p] = true;
  WEAPONSOUND(p, 4);
  BFGCHARGE[p] = 50;
}
}  // namespace

void WEAPONCLICK(BYTE p, int w) {
  WEAPONSOUND(p, w <= 3 ? 46 : 47);
  switch (w) {
    case 1: PISTOLTIMER[p] = 10; break;
    case 2: SHOTGUNTIMER[p] = 10; break;
    case 3: DSHOTGUNTIMER[p] = 10; break;
    case 4: CHAINGUNTIMER[p] = 3; break;
    case 9: MINITIMER[p] = 3; break;
    default: break;
  }
}

void EJECTSHELLS(BYTE p, BYTE life, bool bothsides) {
  const int32_t x = PLAYERX[p], y = PLAYERY[p], dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  if (VALID(x - dy, y + dx)) ADDSHELL(static_cast<BYTE>(x - dy), static_cast<BYTE>(y + dx), -dy, dx, life);
  if (bothsides && VALID(x + dy, y - dx))
    ADDSHELL(static_cast<BYTE>(x + dy), static_cast<BYTE>(y - dx), dy, -dx, life);
}

void BUILDBRIDGE(BYTE p) {
  if (TOUCHCHAR[p] != 'W') return;
  const int32_t x = TOUCHX[p], y = TOUCHY[p];
  if (PLAYERRES[p].SCRAP < 5) {
    INFORM(p, "Bridge block needs 5 scrap.", 12);
    return;
  }
  auto water = [](int32_t cx, int32_t cy) { return VALID(cx, cy) && MAP[cx][cy] == 'W'; };
  int32_t ax, ay, bx, by;
  if (water(x, y + 1) && water(x, y - 1)) {
    ax = bx = x;
    ay = y + 1;
    by = y - 1;
  } else if (water(x - 1, y) && water(x + 1, y)) {
    ay = by = y;
    ax = x - 1;
    bx = x + 1;
  } else {
    INFORM(p, "Even water surface needed.", 12);
    return;
  }
  MAP[x][y] = ' ';
  MFATTR[x][y] = DARKGRAY;
  for (const auto& c : {std::pair<int32_t, int32_t>{ax, ay}, std::pair<int32_t, int32_t>{bx, by}}) {
    MAP[c.first][c.second] = 'R';
    MFATTR[c.first][c.second] = LIGHTGRAY;
    MDAMAGE[c.first][c.second] = 0;  // plain railing, not weak rock
  }
  EATSCRAPLUMBER(p, 5, 0);
  INFORM(p, "Bridge block created.", 7);
}

void HANDLEWEAPONFIRE(BYTE p) {
  if (p < 1 || p > 2) return;
  WEAPONFIRED[p] = false;
  if (!ALLOWWORLDHOSTILITY() || DEAD[p]) return;
  // Without a direction there is nothing to aim at.
  if (FIREOFFSETX[p] == 0 && FIREOFFSETY[p] == 0) return;
  switch (CHOSENWEAPON[p]) {
    case 1: scrapGun(p); break;
    case 2: rangeShotgun(p); break;
    case 3: powerShotgun(p); break;
    case 4:
      CHAINGUNFIRING[p] = true;
      CHAINGUNOFFSETX[p] = FIREOFFSETX[p];
      CHAINGUNOFFSETY[p] = FIREOFFSETY[p];
      break;
    case 5: rocketLauncher(p); break;
    case 6:
      FLAMEGUNFIRING[p] = true;
      FLAMEGUNOFFSETX[p] = FIREOFFSETX[p];
      FLAMEGUNOFFSETY[p] = FIREOFFSETY[p];
      break;
    case 7: nrg(p); break;
    case 8: plasmaRifle(p); break;
    case 9:
      MINIFIRING[p] = true;
      MINIOFFSETX[p] = FIREOFFSETX[p];
      MINIOFFSETY[p] = FIREOFFSETY[p];
      break;
    default: break;
  }
}

void MANAGEAMMOSTATUS() {
  for (int p = 1; p <= 2; p++) {
    BYTE* timers[] = {&PISTOLTIMER[p],    &SHOTGUNTIMER[p],   &DSHOTGUNTIMER[p],
                      &CHAINGUNTIMER[p],  &RLAUNCHERTIMER[p], &FLAMEGUNTIMER[p],
                      &PLASMATIMER[p],    &RAILGUNTIMER[p],   &LANDMINETIMER[p]};
    for (BYTE* t : timers)
      if (*t > 0) (*t)--;
    MINITIMER[p] = MINITIMER[p] < 8 ? 0 : static_cast<BYTE>(MINITIMER[p] - 8);
  }
}
