// Held fire: the chaingun, the mini gun with its spinning barrel, the flame
// gun, and the charge of the NRG - 8000. The trigger flags are set by the
// single-shot step while the fire input lasts (and cleared by the input step
// each cycle); these steps run every frame.
#include "display/input.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/weaponfire.h"
#include "game/weaponhits.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/view.h"
#include "base/random.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {
constexpr BYTE MINIATREST = 90;

// A dead player's weapons fall silent, held trigger and spinning barrel too.
bool validPlayer(BYTE p) { return (p == 1 || p == 2) && !DEAD[p]; }

// One bullet of a held weapon W along the current fire direction: trace,
// flash, spark, and the hit rules of the table.
void heldBullet(BYTE p, int w) {
  RETURNTOUCHPOINT(p);
  WEAPONFLASH[p] = true;
  ADDSPARK(TOUCHX[p], TOUCHY[p]);
  if (!VALID(TOUCHX[p], TOUCHY[p])) return;
  HITSCANBARREL(p, w);
  HITSCANPLAYER(p, w);
  HITSCANMONSTER(p, w);
}
}  // namespace

void HANDLECHAINGUNFIRE(BYTE p) {
  if (!validPlayer(p) || !ALLOWWORLDHOSTILITY()) return;
  if (!CHAINGUNFIRING[p] || CHAINGUNTIMER[p] != 0) return;
  if (WEAPONAMMO[p][4] < 1) {
    WEAPONCLICK(p, 4);
    return;
  }
  FIREOFFSETX[p] = CHAINGUNOFFSETX[p];
  FIREOFFSETY[p] = CHAINGUNOFFSETY[p];
  SETRECOIL(p, FIREOFFSETX[p], FIREOFFSETY[p], 1.0 / 15);
  CHECKLIGHT(PLAYERX[p] + FIREOFFSETX[p], PLAYERY[p] + FIREOFFSETY[p], 5 + random(2));
  CHAINGUNTIMER[p] = 3;
  TAKEAMMO(p, 4, 1);
  EJECTSHELLS(p, 14, false);
  WEAPONSOUND(p, 3);
  heldBullet(p, 4);
  if (VALID(TOUCHX[p], TOUCHY[p])) {
    ADDBLINK(TOUCHX[p], TOUCHY[p], 1, 2);
    CHECKLIGHT(TOUCHX[p], TOUCHY[p], 1);
  }
}

void HANDLEMINIFIRE(BYTE p) {
  if (!validPlayer(p) || !ALLOWWORLDHOSTILITY()) return;
  // The barrel spins up while the trigger is held and runs down by one a
  // frame after it is let go; until it rests the gun keeps firing.
  if (MINIFIRING[p]) {
    if (MTIMER[p] > 1) MTIMER[p]--;
  } else {
    if (MTIMER[p] < MINIATREST) MTIMER[p]++;
    MINIOFFSETX[p] = FIREOFFSETX[p];
    MINIOFFSETY[p] = FIREOFFSETY[p];
  }
  const BYTE loopref = static_cast<BYTE>(78 + p);
  if (MTIMER[p] >= MINIATREST && !MINIFIRING[p]) {
    if (SOUNDPLAYING1(loopref)) STOPSOUND1(loopref);
    return;
  }
  if (MINITIMER[p] != 0) return;
  if (MTIMER[p] < 30 && NEAREVENT(PLAYERX[p], PLAYERY[p])) {
    if (!SOUNDPLAYING1(loopref)) STARTSOUND1(78, loopref, true);
  } else if (SOUNDPLAYING1(loopref)) {
    STOPSOUND1(loopref);
  }
  if (WEAPONAMMO[p][9] < 1) {
    WEAPONCLICK(p, 9);
    return;
  }
  FIREOFFSETX[p] = MINIOFFSETX[p];
  FIREOFFSETY[p] = MINIOFFSETY[p];
  const int32_t dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  SETRECOIL(p, dx, dy, 0.1);
  if (random(5) == 0) {
    // Drawn one after the other so that every compiler draws in the same order.
    const int32_t kx = random(3) - 1;
    const int32_t ky = random(3) - 1;
    SETRECOIL(p, dx * kx, dy * ky, 0.2);
  }
  WEAPONSOUND(p, 6);
  CHECKLIGHT(PLAYERX[p] + dx, PLAYERY[p] + dy, random(2) + (MINIATREST - MTIMER[p]) / 20 + 5);
  MINITIMER[p] = static_cast<BYTE>(MTIMER[p] / 10);
  TAKEAMMO(p, 9, 1);
  EJECTSHELLS(p, 10, true);
  heldBullet(p, 9);
}

void HANDLEFLAMEGUNFIRE(BYTE p) {
  if (!validPlayer(p) || !ALLOWWORLDHOSTILITY()) return;
  if (!FLAMEGUNFIRING[p] || FLAMEGUNTIMER[p] != 0) return;
  if (WEAPONAMMO[p][6] < 1) {
    FLAMEGUNTIMER[p] = 10;
    return;
  }
  const int32_t dx = FLAMEGUNOFFSETX[p], dy = FLAMEGUNOFFSETY[p];
  const int32_t x = PLAYERX[p] + dx, y = PLAYERY[p] + dy;
  if (VALID(x, y)) ADDFLAME(static_cast<BYTE>(x), static_cast<BYTE>(y), dx, dy, 10);
  TAKEAMMO(p, 6, 1);
  FLAMEGUNTIMER[p] = 2;
  const BYTE ref = static_cast<BYTE>(204 + p);
  if (NEAREVENT(PLAYERX[p], PLAYERY[p]) && !SOUNDPLAYING1(ref)) STARTSOUND1(56, ref, true);
}

void HANDLEBFGCHARGE(BYTE p) {
  if (!validPlayer(p) || !ALLOWWORLDHOSTILITY() || BFGCHARGE[p] == 0) return;
  if (--BFGCHARGE[p] != 1) return;
  const int32_t x = PLAYERX[p], y = PLAYERY[p], dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  const int32_t cells[3][2] = {{x + dx, y + dy}, {x + dy, y - dx}, {x - dy, y + dx}};
  for (const auto& c : cells)
    if (VALID(c[0], c[1])) ADDRAIL(static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), dx, dy, p);
}
