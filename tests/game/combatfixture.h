// An empty open grid for the weapon and projectile rules: one player on foot
// at (20, 20) in the campaign, classic look, nothing flying, nothing paused.
#pragma once
#include <gtest/gtest.h>

#include "display/input.h"
#include "display/renderer.h"
#include "game/items.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weaponfire.h"
#include "game/weaponhits.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "base/random.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace combattest {

class COMBATFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int x = 0; x <= MAX_MAPWIDTH; x++)
      for (int y = 0; y <= MAX_MAPHEIGHT; y++) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = DARKGRAY;
        MBATTR[x][y] = BLACK;
        MDAMAGE[x][y] = 0;
        MLIGHT[x][y] = 128;
        OOGA[x][y] = 128;
        MAPPP[x][y] = POSTPROCESSING();
      }
    MAPSIZEX = 160;
    MAPSIZEY = 100;
    CURRENTMAP = 100;
    NUMBEROFPLAYERS = 1;
    MYNUMBER = 1;
    MODERN_VISUALS = 0;
    NEW_LAND = 0;
    LINKACTIVE = false;
    CHEAT = false;
    PAUSESTATE = PAUSED_NOT;
    LIGHTNINGTYPE = 2;
    NUMBEROFTANKS = 0;
    NUMBEROFMONSTERS = 0;
    CLEARPROJECTILES();
    RESETPLAYERSFORMAP();
    for (BYTE p = 1; p <= 2; p++) {
      RESETWEAPONS(p);
      PLAYERHEALTH[p] = 100;
      ARMOR[p] = 0;
      PLAYERRES[p] = RES{};
      WEAPONFIRED[p] = false;
      WEAPONFLASH[p] = false;
      SHAKE[p] = false;
    }
    PLACE(1, 20, 20);
    PLACE(2, 1, 100);
    CLEARMESSAGES();
    CLEARSOUNDREQUESTS();
    RANDSEED(7);
  }

  static void PLACE(BYTE p, BYTE x, BYTE y) {
    PLAYERX[p] = PLAYERX_[p] = x;
    PLAYERY[p] = PLAYERY_[p] = y;
    if (p <= NUMBEROFPLAYERS) MAP[x][y] = 'P';
  }
  static void PUT(int32_t x, int32_t y, unsigned char c, BYTE attr = LIGHTGRAY) {
    MAP[x][y] = c;
    MFATTR[x][y] = attr;
  }
  // A monster of TYPE with ENERGY at (X, Y); its table index.
  static uint16_t MONSTER(BYTE x, BYTE y, int32_t energy, BYTE type = 3) {
    ADDMONSTER(x, y, type, 0);
    MONSTERENERGY[NUMBEROFMONSTERS] = energy;
    return NUMBEROFMONSTERS;
  }
  // Player P holds weapon W with AMMO rounds (in both pools of a pair) and
  // aims along (DX, DY).
  static void ARM(BYTE p, int w, int32_t ammo, int32_t dx, int32_t dy) {
    ADDWEAPON(p, static_cast<unsigned char>('0' + w));
    WEAPONAMMO[p][w] = ammo;
    if (AMMOPARTNER[w] != 0) WEAPONAMMO[p][AMMOPARTNER[w]] = ammo;
    CHOSENWEAPON[p] = static_cast<BYTE>(w);
    FIREOFFSETX[p] = dx;
    FIREOFFSETY[p] = dy;
  }
  // One pull of the trigger of player P.
  static void FIRE(BYTE p) {
    WEAPONFIRED[p] = true;
    HANDLEWEAPONFIRE(p);
  }
  static bool LOGHAS(const std::string& text) {
    for (int i = 1; i <= TXT_NUMLINES; i++)
      if (TRIMSPACES(TXTLINE[i]) == text) return true;
    return false;
  }
};

}  // namespace combattest
