// An open 160 x 100 field with one player and an empty monster table, for the
// monster rules; recorders for the hooks a monster step calls.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/input.h"
#include "display/renderer.h"
#include "game/monsterai.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/explosions.h"
#include "game/particles.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "base/random.h"
#include "world/grid.h"

namespace monstertest {

struct HOOKCALL {
  int X, Y, A, B, C;
  bool operator==(const HOOKCALL&) const = default;
};
// What the monster step added to the blood, blink and pending-mine tables, in order.
inline std::vector<HOOKCALL> BLOODCALLS() {
  std::vector<HOOKCALL> v;
  for (int i = 1; i <= NUMBEROFBLOODS; i++)
    v.push_back({BLOODX[i], BLOODY[i], BLOODXOFFSET[i], BLOODYOFFSET[i], BLOODLIFE[i]});
  return v;
}
inline std::vector<HOOKCALL> BLINKCALLS() {
  std::vector<HOOKCALL> v;
  for (int i = 1; i <= NUMBEROFBLINKS; i++) v.push_back({BLINKX[i], BLINKY[i], BLINKSTATE[i], BLINKMAXSTATE[i], 0});
  return v;
}
inline std::vector<HOOKCALL> MINECALLS() {
  std::vector<HOOKCALL> v;
  for (int i = 1; i <= MINESTOEXPLODE; i++) v.push_back({MINEX[i], MINEY[i], 0, 0, 0});
  return v;
}

class MONSTERFIELD : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int x = 0; x <= MAX_MAPWIDTH; x++)
      for (int y = 0; y <= MAX_MAPHEIGHT; y++) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
        MBATTR[x][y] = 0;
        MDAMAGE[x][y] = 0;
        MAPPP[x][y].GORE = GORE_NONE;
        MAPPP[x][y].CHR = 255;
      }
    MAPSIZEX = 160;
    MAPSIZEY = 100;
    NUMBEROFMONSTERS = MAXMONSTERS = 0;
    NUMBEROFROCKETS = 0;
    NUMBEROFTANKS = 0;
    NUMBEROFPLAYERS = 1;
    MYNUMBER = 1;
    LINKACTIVE = false;
    MODERN_VISUALS = 0;
    NEW_MONSTERS = 0;
    MNOTICED = 0;
    SSOUND = CSOUND = EXSOUND = false;
    MONSTERCOUNTER1 = MONSTERCOUNTER2 = MONSTERCOUNTER3 = 0;
    for (BYTE p = 1; p <= 2; p++) {
      PLAYERHEALTH[p] = 100;
      ARMOR[p] = 0;
      DEAD[p] = false;
      INTANK[p] = 0;
      SHAKE[p] = false;
      CHOSENWEAPON[p] = 1;
      for (int w = 0; w <= 9; w++) WEAPONAMMO[p][w] = 0;
    }
    PLACE(1, 40, 40);
    PLAYERX[2] = PLAYERY[2] = 1;
    CLEARMESSAGES();
    RANDSEED(7);
    CLEARPROJECTILES();
  }

  static void PLACE(BYTE p, BYTE x, BYTE y) {
    if (VALID(PLAYERX[p], PLAYERY[p]) && MAP[PLAYERX[p]][PLAYERY[p]] == 'P') MAP[PLAYERX[p]][PLAYERY[p]] = ' ';
    PLAYERX[p] = PLAYERX_[p] = x;
    PLAYERY[p] = PLAYERY_[p] = y;
    MAP[x][y] = 'P';
  }
  // A monster that has already noticed a player; returns its index.
  static uint16_t AWAKE(BYTE x, BYTE y, BYTE type, BYTE start = 0) {
    ADDMONSTER(x, y, type, start);
    SAW[NUMBEROFMONSTERS] = 1;
    return NUMBEROFMONSTERS;
  }
  // One monster step in which every type acts (all speed dividers reach 0).
  static void ACTNOW() {
    MONSTERCOUNTER1 = 3;
    MONSTERCOUNTER2 = 5;
    MONSTERCOUNTER3 = 1;
    MONSTERS();
  }
  static void WALL(int x, int y) { MAP[x][y] = 'R'; }
  static bool LOGHAS(const std::string& text) {
    for (int i = 1; i <= TXT_NUMLINES; i++)
      if (TRIMSPACES(TXTLINE[i]) == text) return true;
    return false;
  }
};

}  // namespace monstertest
