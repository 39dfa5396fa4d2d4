// The open monster field with the item, door, trap and goal tables emptied,
// both players carrying nothing, and death messages of the test's own.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "game/doors.h"
#include "game/goals.h"
#include "game/items.h"
#include "game/monsterfixture.h"
#include "render/messages.h"
#include "sound/sound.h"

namespace gatestest {
using namespace monstertest;

// True when TEXT was told: the log's lines joined as the word wrap split them.
inline bool TOLD(const std::string& text) {
  std::string all;
  for (int i = 1; i <= TXT_NUMLINES; i++) {
    const std::string line = TRIMSPACES(TXTLINE[i]);
    if (!line.empty()) all += (all.empty() ? "" : " ") + line;
  }
  return all.find(text) != std::string::npos;
}

class GATEFIELD : public MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    RESETCRAFTINGCOSTS();
    CURRENTMAP = 120;
    VICTORY = 0;
    NEXTMAP = 0;
    NUMBEROFDOORS = 0;
    COMMANDS = 0;
    MSGCOUNT = 0;
    NUMPORTALS = 0;
    CHEAT = false;
    for (BYTE p = 1; p <= 2; p++) {
      INVENTORY[p] = "    ";
      CHOSENITEM[p] = 0;
      PLAYERRES[p] = RES{};
      USE[p] = LASTUSE[p] = false;
      LASTOFFSETX[p] = LASTOFFSETY[p] = 0;
      OFFSETX[p] = OFFSETY[p] = 0;
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
      LASTHEALTH[p] = 100;
      DEATHS[p] = 0;
      for (int k = 0; k <= 10; k++) KEYS[p][k] = false;
    }
    PLAYERNAME[1] = "Rex";
    PLAYERNAME[2] = "Ada";
    for (int k = 1; k <= 20; k++) DDESK[k] = "% fell " + std::to_string(k) + ".";
    CLEARSOUNDREQUESTS();
  }
  static void PUT(int x, int y, unsigned char c) { MAP[x][y] = c; }
};

}  // namespace gatestest
