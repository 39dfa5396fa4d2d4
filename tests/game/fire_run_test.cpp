// The program on a hand-made firing range: the player picks up the rocket
// launcher, fires along the corridor from the keyboard, and the state dump
// shows the monster gone, one rocket spent and nothing left in flight.
#include <gtest/gtest.h>

#include "game/levelrun.h"
#include "test_util.h"

namespace {
// A direct launch of level 120 holding MAP with the input script INPUT for
// FRAMES frames; the parsed state dump.
nlohmann::json RUNRANGE(const TempDir& dir, const std::string& map, const std::string& input, int frames) {
  return PARSEDUMP(levelrun::RUNLEVEL(dir, map, input, frames, 120, 5));
}

const std::string RANGE =
    "RRRRRRRRRRRRRRRRRRRRRRRR\n"
    "R            \xdb         R\n"
    "RP5             M      R\n"
    "R                      R\n"
    "RRRRRRRRRRRRRRRRRRRRRRRR\n"
    ":Firing range\n";
const std::string WALK = "4 down d\n9 up d\n";
}  // namespace

TEST(FireRun, ARocketFromTheKeyboardClearsTheRange) {
  TempDir dir;
  // Walking only: the launcher is taken, the monster stands, nothing flies.
  nlohmann::json before = RUNRANGE(dir, RANGE, WALK, 100);
  const nlohmann::json& p = before["players"][0];
  EXPECT_EQ(p["chosenweapon"], 5) << p;
  EXPECT_EQ(p["ammo"][4], 5) << p;
  EXPECT_EQ(p["mtimer"], 90) << p;
  EXPECT_EQ(p["bfgcharge"], 0) << p;
  EXPECT_EQ(before["monsters"]["count"], 1) << before["monsters"];
  ASSERT_EQ(before["map"].size(), 5u);
  EXPECT_EQ(before["map"][0], "RRRRRRRRRRRRRRRRRRRRRRRR");
  // The barrel's code-page byte 219 comes out as the character U+00DB.
  EXPECT_EQ(before["map"][1], "R            \u00db         R");
  EXPECT_NE(before["map"][2].get<std::string>().find('M'), std::string::npos) << before["map"];
  for (const char* kind : {"rockets", "plasmas", "rails", "flames", "mines", "explosions", "bloods", "shells", "blinks"})
    EXPECT_EQ(before["projectiles"][kind], 0) << kind;

  // Then the cursor key fires right: one rocket spent, the monster gone.
  nlohmann::json after = RUNRANGE(dir, RANGE, WALK + "20 down right\n23 up right\n", 100);
  const nlohmann::json& q = after["players"][0];
  EXPECT_EQ(q["ammo"][4], 4) << q;
  EXPECT_EQ(after["monsters"]["count"], 0) << after["monsters"];
  EXPECT_EQ(after["map"][2].get<std::string>().find('M'), std::string::npos) << after["map"];
  EXPECT_EQ(after["projectiles"]["rockets"], 0);
  EXPECT_EQ(after["projectiles"]["explosions"], 0);  // the blast has died down

  // Stopped earlier, the rocket is still on its way: its glyph is in the row.
  nlohmann::json flying = RUNRANGE(dir, RANGE, WALK + "20 down right\n23 up right\n", 30);
  EXPECT_EQ(flying["projectiles"]["rockets"], 1) << flying["projectiles"];
  EXPECT_NE(flying["map"][2].get<std::string>().find('-'), std::string::npos) << flying["map"];
}
