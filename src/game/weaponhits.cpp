#include "game/weaponhits.h"

#include "display/input.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/weapons.h"
#include "render/los.h"
#include "shell/gameflow.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {
struct HITSCANRULE {
  double BARREL, PLAYER, MONSTER;  // full damage at the muzzle
  BYTE PBLOOD, PLIFE;              // blood on a player: drops, life
  BYTE MBLOOD, MLIFE;              // blood on a monster
  int32_t KNOCK;
  bool PIERCE;
};
// Indexed by weapon; only 1, 2, 3, 4 and 9 fire along the trace.
const HITSCANRULE RULES[10] = {
    {},
    {5, 3, 40.0 / 3, 1, 4, 1, 4, 0, true},     // Scrap gun
    {55, 25, 60, 2, 6, 2, 6, 2, false},        // Range Shotgun
    {150, 60, 150, 8, 12, 8, 12, 3, true},     // Power Shotgun (10 cells)
    {12, 5, 10, 1, 6, 2, 10, 1, false},        // Chaingun
    {}, {}, {}, {},
    {12, 5, 15, 1, 6, 2, 10, 1, false},        // Mini Gun
};

bool hitscanWeapon(int w) { return w == 1 || w == 2 || w == 3 || w == 4 || w == 9; }

double shotDistance(BYTE p) { return DISTANCE(PLAYERX[p], PLAYERY[p], TOUCHX[p], TOUCHY[p]); }

void bleed(BYTE p, BYTE count, BYTE life) {
  for (int i = 0; i < count; i++) ADDBLOOD(TOUCHX[p], TOUCHY[p], FIREOFFSETX[p], FIREOFFSETY[p], life);
}
}  // namespace

int32_t HITSCANDAMAGE(int w, HITTARGET target, double d) {
  if (!hitscanWeapon(w) || d < 0) return -1;
  const HITSCANRULE& r = RULES[w];
  const double full = target == HIT_BARREL ? r.BARREL : target == HIT_PLAYER ? r.PLAYER : r.MONSTER;
  if (w == 3) {
    if (d > 10) return -1;
    return static_cast<int32_t>(ROUNDEVEN((1 - d / 10) * full));
  }
  if (d >= 78) return -1;
  // The Range Shotgun's damage to barrels and monsters stops falling off at
  // 20 cells; beyond that it hits as hard as at 20.
  const double dd = (w == 2 && target != HIT_PLAYER && d > 20) ? 20 : d;
  return FALLOFFDAMAGE(dd, full);
}

int32_t HITSCANKNOCKBACK(int w) { return hitscanWeapon(w) ? RULES[w].KNOCK : 0; }
bool HITSCANPIERCES(int w) { return hitscanWeapon(w) && RULES[w].PIERCE; }

void HITSCANBARREL(BYTE p, int w) {
  if (TOUCHCHAR[p] != 219) return;
  const int32_t dmg = HITSCANDAMAGE(w, HIT_BARREL, shotDistance(p));
  if (dmg < 0) return;
  HURTBARREL(TOUCHX[p], TOUCHY[p], static_cast<BYTE>(dmg > 255 ? 255 : dmg));
}

void HITSCANPLAYER(BYTE p, int w) {
  if (TOUCHCHAR[p] != 'P' || !DEATHMATCH() || (p != 1 && p != 2)) return;
  const int32_t dmg = HITSCANDAMAGE(w, HIT_PLAYER, shotDistance(p));
  if (dmg < 0) return;
  HURTPLAYER(static_cast<BYTE>(3 - p), dmg);
  bleed(p, RULES[w].PBLOOD, RULES[w].PLIFE);
}

bool HITSCANMONSTER(BYTE p, int w) {
  if (TOUCHCHAR[p] != 'M') return false;
  const int32_t dmg = HITSCANDAMAGE(w, HIT_MONSTER, shotDistance(p));
  if (dmg < 0) return false;
  const uint16_t m = FINDMONSTER(TOUCHX[p], TOUCHY[p]);
  if (m == 0) return false;
  bleed(p, RULES[w].MBLOOD, RULES[w].MLIFE);
  STUNMONSTER(m, 3);
  MONSTERENERGY[m] -= dmg;
  if (MONSTERENERGY[m] < 1) {
    PURGEMONSTER2(m);
    if (NEAREVENT(PLAYERX[p], PLAYERY[p])) DEATHSOUND();
    ADDBLINK(TOUCHX[p], TOUCHY[p], 1, 11);
    return true;
  }
  MONSTERHURT[m] = 30;
  if (NEAREVENT(PLAYERX[p], PLAYERY[p])) HURTSOUND();
  for (int32_t k = 0; k < RULES[w].KNOCK; k++)
    if (!KNOCKMONSTER(m, FIREOFFSETX[p], FIREOFFSETY[p])) break;
  return false;
}
