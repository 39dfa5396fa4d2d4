// A dead player's keys in the engine tick, by mode: alone (campaign or
// survival) Space or Escape ends the level and other keys do nothing; in the
// deathmatch arena, played by two, Space brings the player back.
#include <gtest/gtest.h>

#include <string>

#include "display/events.h"
#include "display/input.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "ui/keyconfig.h"

using leveltest::LEVELFIXTURE;

namespace {

class ModesEngine : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    STYLE(0);
    LEVEL({"RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR",
           "R     P                                R",
           "R                                      R",
           "R                                      R",
           "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"});
    READYTOPLAY();
  }
  void TearDown() override {
    for (auto& k : KEYSTATUS) k.PRESSED = false;
    CURRENTMAP = 1;
    LEVELFIXTURE::TearDown();
  }
  std::string ROW(int row, int from, int len) const {
    std::string s;
    for (int x = from; x < from + len; x++) s += static_cast<char>(EKRAN[row][x].SYMBOL);
    return s;
  }
};

TEST_F(ModesEngine, DeadPlayerKeysByMode) {
  struct CASE {
    BYTE map;
    int key;  // action held once dead
    bool leaves;
    bool back;
    const char* caption;
  };
  const CASE cases[] = {
      {71, USE_ITEM, true, false, "PRESS SPACE TO EXIT"},
      {79, KEY_ESC, true, false, "PRESS SPACE TO EXIT"},
      {71, M_RIGHT, false, false, "PRESS SPACE TO EXIT"},
      {120, USE_ITEM, true, false, "PRESS SPACE TO EXIT"},
      {50, USE_ITEM, false, true, "HIT SPACE TO RESPAWN"},
      {50, M_RIGHT, false, false, "HIT SPACE TO RESPAWN"},
  };
  for (const CASE& c : cases) {
    SCOPED_TRACE(std::to_string(c.map) + " key " + std::to_string(c.key));
    CURRENTMAP = c.map;
    VICTORY = 0;
    PORT60[1] = 0;
    PLAYERHEALTH[1] = 0;
    PLAYERHEALTH[2] = 100;
    RUN(4);
    EXPECT_TRUE(DEAD[1]);
    EXPECT_EQ(ROW(11, 7, 20).substr(0, std::string(c.caption).size()), c.caption);
    KEYSTATUS[c.key].PRESSED = true;
    RUN(8);
    KEYSTATUS[c.key].PRESSED = false;
    const bool left = VICTORY == 2 || PORT60[1] == 1;
    EXPECT_EQ(left, c.leaves);
    EXPECT_EQ(!DEAD[1], c.back);
    if (c.back) {
      EXPECT_EQ(PLAYERHEALTH[1], 100);
    }
  }
}

}  // namespace
