#include "game/monsterdeath.h"

#include <algorithm>

#include "game/items.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/survival.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "base/settings.h"
#include "world/grid.h"

uint32_t MONSTERPURGES = 0;

namespace {
// Glyph a monster type leaves on its cell, 0 for none, and the symbol whose
// item colour it takes.
void deathDrop(BYTE type, unsigned char& glyph, unsigned char& colourof) {
  switch (type) {
    case 10: glyph = 239; colourof = ']'; break;  // chaingun bullets
    case 9:
    case 11: glyph = 210; colourof = ','; break;  // shotgun shells
    case 2: glyph = 156; colourof = '{'; break;   // couple of rockets
    default: glyph = 0; colourof = ' '; break;
  }
}

void blink(int32_t x, int32_t y, BYTE state, BYTE maxstate) {
  if (VALID(x, y)) ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), state, maxstate);
}

void removeEntry(uint16_t n) {
  for (uint16_t m = n; m < NUMBEROFMONSTERS; m++) {
    MONSTERTYPE[m] = MONSTERTYPE[m + 1];
    MONSTERX[m] = MONSTERX[m + 1];
    MONSTERY[m] = MONSTERY[m + 1];
    MONSTERX_[m] = MONSTERX_[m + 1];
    MONSTERY_[m] = MONSTERY_[m + 1];
    MONSTERENERGY[m] = MONSTERENERGY[m + 1];
    MONSTERHURT[m] = MONSTERHURT[m + 1];
    MEDICTARGET[m] = MEDICTARGET[m + 1];
    ONFIRE[m] = ONFIRE[m + 1];
    SAW[m] = SAW[m + 1];
  }
  NUMBEROFMONSTERS--;
  MONSTERPURGES++;
}
}  // namespace

uint16_t FINDMONSTER(int32_t dx, int32_t dy) {
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++)
    if (MONSTERX[m] == dx && MONSTERY[m] == dy) return m;
  return 0;
}

void PURGEMONSTER2(uint16_t numbertopurge) {
  const uint16_t n = numbertopurge;
  if (n == 0 || n > NUMBEROFMONSTERS) return;
  const BYTE x = MONSTERX[n], y = MONSTERY[n], type = MONSTERTYPE[n];
  const bool oncell = VALID(x, y);
  if (oncell) MAP[x][y] = ' ';
  // In survival the T-1000 can be destroyed once only T-1000s are left
  // standing, so the chain can reach the boss and the level can be won (with
  // two of them left and "the last one" as the rule, neither could ever die).
  // Monsters sealed in rock where no player can get do not count.
  if (type == 5 && !(SURVIVAL() && MONSTERSWITHINREACH(false) == 0)) {
    // Invulnerable: back to full energy; it re-stamps itself on its next move.
    INFORM(MONSTERMYPLAYER(), "Target INVULNERABLE.", 12);
    MONSTERENERGY[n] = ELIMIT[5];
    ONFIRE[n] = 0;
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (dx != 0 || dy != 0) blink(x + dx, y + dy, 1, 5);
    return;
  }
  if (oncell) {
    MAPPP[x][y].GORE = GORE_MONSTERBODY;
    static const int32_t ax[4] = {-1, 1, 0, 0}, ay[4] = {0, 0, -1, 1};
    for (int k = 0; k < 4; k++)
      for (int i = 0; i < 2; i++) ADDBLOOD(x, y, ax[k], ay[k], 7);
    unsigned char glyph, colourof;
    deathDrop(type, glyph, colourof);
    if (glyph != 0) {
      IDENTIFYITEM(colourof);
      MAP[x][y] = glyph;
      MFATTR[x][y] = THINGCOLOR;
    }
    blink(x, y, 1, 12);
  }
  removeEntry(n);
  SURVIVALSPAWNCHECK(x, y, type);
}

void PURGEMONSTER(int32_t dx, int32_t dy) { PURGEMONSTER2(FINDMONSTER(dx, dy)); }

void STUNMONSTER(uint16_t mn, int32_t stun) {
  if (mn < 1 || mn > NUMBEROFMONSTERS) return;
  if (MONSTERTYPE[mn] == 2 || MONSTERTYPE[mn] == 12) return;
  MEDICTARGET[mn] = static_cast<BYTE>(std::clamp<int32_t>(stun, 0, 255));
}

void HURTBARREL(BYTE bx, BYTE by, BYTE damage) {
  // Only a barrel explodes: a chain reaction reaches a cell again after the
  // barrel on it is gone.
  if (!VALID(bx, by) || MAP[bx][by] != 219) return;
  const int32_t total = MDAMAGE[bx][by] + damage;
  if (total < 210) {
    MDAMAGE[bx][by] = static_cast<BYTE>(total);
    return;
  }
  const BYTE me = MONSTERMYPLAYER();
  if (DISTANCE(bx, by, PLAYERX[me], PLAYERY[me]) < 15) EXSOUND = true;
  MFATTR[bx][by] = 8;
  blink(bx, by, 1, 11);
  MAP[bx][by] = ' ';
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++)
      if (dx != 0 || dy != 0) ADDFLAME(bx, by, dx, dy, 5);
  HURTINRADIUS(bx, by, false);
  CHECKLIGHT10(bx, by, 7);
}

RES HURTTREEWEAKROCK(BYTE bx, BYTE by, BYTE damage) {
  RES yield;
  if (!ISTREEWEAKROCK(bx, by)) return yield;
  const unsigned char c = MAP[bx][by];
  const int32_t dmg = c == 'R' ? damage * 3 : damage;
  const int32_t d = MDAMAGE[bx][by];
  if (d + dmg < 250) {
    MDAMAGE[bx][by] = static_cast<BYTE>(d + dmg);
    CHECKLIGHTPLASMA(bx, by, 2, 11);
  } else {
    MAP[bx][by] = ' ';
    MFATTR[bx][by] = 8;
    MDAMAGE[bx][by] = 250;
    blink(bx, by, 9, 11);
  }
  const int32_t absorbed = MDAMAGE[bx][by] - d;
  if (c == 'R') yield.SCRAP = static_cast<uint16_t>(absorbed / 9);
  if (c == 'T') yield.LUMBER = static_cast<uint16_t>(absorbed / 3);
  return yield;
}
