// The program on a hand-made yard: the player walks into a tank, drives it up
// to a gap in a wall, fires one shell through the gap at a far, dormant Eraser
// and gets out; the state dump shows every step.
#include <gtest/gtest.h>

#include "game/levelrun.h"
#include "test_util.h"

namespace {
// Rows count from the bottom: the player at (3, 4), the tank's left-middle
// cell at (6, 4) (the tank covers columns 6..8, rows 3..5), rock at (13, 3)
// and (13, 5) that stops the tank with the centre row open, the Eraser at
// (35, 4), more than the 20 cells of its notice range away.
const std::string YARD =
    "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR\n"
    "R                                           R\n"
    "R           R                               R\n"
    "R P  !                            D         R\n"
    "R           R                               R\n"
    "R                                           R\n"
    "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR\n"
    ":Tank yard\n";

// Hold "d": three steps on foot, the last one into the tank, then the tank
// rolls right until the rock stops it.
const std::string DRIVE =
    "3 down d\n"
    "40 up d\n";

TEST(TankRun, EnterDriveFireAndGetOut) {
  TempDir dir;
  const nlohmann::json driven = PARSEDUMP(levelrun::RUNLEVEL(dir, YARD, DRIVE, 50));
  ASSERT_EQ(driven["tanks"].size(), 1u) << driven["tanks"];
  const auto& t = driven["tanks"][0];
  EXPECT_EQ(t["x"], 10);  // left edge 6 -> 10: the rock at column 13 stops it
  EXPECT_EQ(t["y"], 5);
  EXPECT_EQ(t["health"], 250);
  EXPECT_EQ(t["turret"], 8);  // no aim given: the turret faces east
  EXPECT_EQ(t["driver"], 1);
  EXPECT_EQ(t["inside"], nlohmann::json::array({1}));
  EXPECT_EQ(driven["players"][0]["intank"], 1);
  EXPECT_EQ(driven["players"][0]["x"], 11);  // on the tank's centre
  EXPECT_EQ(driven["players"][0]["y"], 4);
  ASSERT_EQ(driven["monsters"]["count"], 1);
  EXPECT_EQ(driven["monsters"]["list"][0]["energy"], 400);

  // Then one shell to the east, and out with "e".
  const std::string fireAndLeave = DRIVE +
                                   "50 down right\n"
                                   "52 up right\n"
                                   "70 down e\n"
                                   "73 up e\n";
  const nlohmann::json after = PARSEDUMP(levelrun::RUNLEVEL(dir, YARD, fireAndLeave, 90));
  ASSERT_EQ(after["monsters"]["count"], 1) << after["monsters"];
  const auto& m = after["monsters"]["list"][0];
  EXPECT_EQ(m["energy"], 250);  // 150 from the shell
  EXPECT_EQ(m["x"], 38);        // thrown back three cells
  EXPECT_EQ(m["y"], 4);
  ASSERT_EQ(after["tanks"].size(), 1u);
  EXPECT_EQ(after["tanks"][0]["x"], 10);
  EXPECT_EQ(after["tanks"][0]["inside"], nlohmann::json::array());
  EXPECT_EQ(after["tanks"][0]["driver"], 0);
  // Out on the last free of the eight exit cells around the centre (11, 4).
  EXPECT_EQ(after["players"][0]["intank"], 0);
  EXPECT_EQ(after["players"][0]["x"], 13);
  EXPECT_EQ(after["players"][0]["y"], 6);
  EXPECT_EQ(after["effects"]["losviewdepth"], 1);
}

// Fire held for 42 input cycles: bursts of four shots three cycles apart with
// a pause of sixteen cycles between them give shots at cycles 0, 3, 6, 9 and
// 25, 28, 31, 34 (the next would come at 50): eight shells into the boss.
TEST(TankRun, HeldFireShootsBurstsOfFour) {
  TempDir dir;
  std::string yard = YARD;
  yard[yard.find('D')] = 'x';
  const std::string input = DRIVE +
                            "50 down right\n"
                            "134 up right\n";
  const nlohmann::json after = PARSEDUMP(levelrun::RUNLEVEL(dir, yard, input, 150));
  ASSERT_EQ(after["monsters"]["count"], 1) << after["monsters"];
  const auto& boss = after["monsters"]["list"][0];
  EXPECT_EQ(boss["type"], 12);
  EXPECT_EQ(boss["energy"], 4000 - 8 * 150);
  EXPECT_EQ(boss["x"], 44);  // thrown back until the rock of the border
  ASSERT_EQ(after["tanks"].size(), 1u);
  EXPECT_EQ(after["tanks"][0]["burst"], 0);
}

// A 100-row level played as level 101: walking onto column 5 of map-file line
// 85 blows up the level's tank; as level 150 the view waves and the player
// cannot be hurt below full health.
std::string HUNDREDROWS(int tankline) {
  std::string map;
  for (int l = 1; l <= 100; l++) {
    std::string row(20, ' ');
    row[0] = row[19] = 'R';
    if (l == 1 || l == 100) row = std::string(20, 'R');
    if (l == 85) row[3] = 'R', row[6] = 'P';  // rock at column 4, the player at column 7
    if (l == tankline) row[11] = '!';
    map += row + "\n";
  }
  return map + ":Effects\n";
}

TEST(TankRun, LevelEffectsThroughTheProgram) {
  TempDir dir;
  const std::string map = HUNDREDROWS(50);
  const nlohmann::json still = PARSEDUMP(levelrun::RUNLEVEL(dir, map, "", 10, 101));
  EXPECT_EQ(still["currentmap"], 101);
  ASSERT_EQ(still["tanks"].size(), 1u);
  EXPECT_EQ(still["tanks"][0]["health"], 200);  // held at 200
  EXPECT_EQ(still["effects"]["losviewdepth"], 5);

  const nlohmann::json walked = PARSEDUMP(levelrun::RUNLEVEL(dir, map, "3 down a\n30 up a\n", 40, 101));
  EXPECT_EQ(walked["players"][0]["x"], 5);
  EXPECT_EQ(walked["players"][0]["y"], 16);
  EXPECT_EQ(walked["tanks"].size(), 0u);  // blown up at the trigger cell

  const nlohmann::json wavy = PARSEDUMP(levelrun::RUNLEVEL(dir, map, "", 10, 150));
  EXPECT_EQ(wavy["currentmap"], 150);
  EXPECT_EQ(wavy["effects"]["wavy"], 1);
  EXPECT_EQ(wavy["effects"]["losviewdepth"], 1);
  EXPECT_EQ(wavy["players"][0]["health"], 100.0);
}
}  // namespace
