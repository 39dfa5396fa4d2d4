// The program on a hand-made room with a grunt: the state dump shows that it
// noticed the player, walked up to it and hurt it, and a wall keeps a second
// grunt dormant.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/levelrun.h"
#include "test_util.h"

namespace {
TEST(MonsterRun, GruntNoticesWalksUpAndHurts) {
  TempDir dir;
  // The player at (4, 3), the grunt at (12, 5) (rows count from the bottom);
  // a second grunt sealed in behind rock on the right.
  const std::string map =
      "RRRRRRRRRRRRRRRRRRRR\n"
      "R                RRR\n"
      "R          M     RMR\n"
      "R                RRR\n"
      "R  P             R R\n"
      "R                R R\n"
      "RRRRRRRRRRRRRRRRRRRR\n"
      ":Monster test\n";
  const nlohmann::json before = PARSEDUMP(levelrun::RUNLEVEL(dir, map, "", 3));
  ASSERT_GE(before["monsters"]["count"].get<int>(), 2) << before["monsters"];
  for (const auto& m : before["monsters"]["list"]) EXPECT_EQ(m["saw"], 0) << m;
  EXPECT_EQ(before["players"][0]["health"], 100.0);

  const nlohmann::json after = PARSEDUMP(levelrun::RUNLEVEL(dir, map, "", 150));
  const int px = after["players"][0]["x"], py = after["players"][0]["y"];
  int awake = 0, near = 0;
  for (const auto& m : after["monsters"]["list"]) {
    const int mx = m["x"], my = m["y"];
    if (mx == 19) {  // the sealed-in one
      EXPECT_EQ(m["saw"], 0) << m;
      continue;
    }
    EXPECT_EQ(m["saw"], 1) << m;
    EXPECT_EQ(m["type"], 1) << m;
    awake++;
    EXPECT_FALSE(mx == 12 && my == 5) << "still where it started: " << m;
    near += std::abs(mx - px) <= 2 && std::abs(my - py) <= 2;
  }
  EXPECT_GE(awake, 1);
  EXPECT_GE(near, 1) << after["monsters"];
  EXPECT_LT(after["players"][0]["health"].get<double>(), 100.0);
  EXPECT_EQ(after["bosshealth"], 0);
  EXPECT_TRUE(after.contains("mnoticed"));
}
}  // namespace
