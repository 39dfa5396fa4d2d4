// The program walks a hand-made level from a script: position, health,
// armour, ammunition, weapons and the message log change in the state dump as
// the player steps over each pickup.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/levelrun.h"
#include "test_util.h"

namespace fs = std::filesystem;

namespace {
using levelrun::RUNLEVEL;

// The first player's object of the dump.
nlohmann::json PLAYER1(const std::string& dump) { return PARSEDUMP(dump)["players"][0]; }

// True when the message log holds a line with TEXT.
bool LOGGED(const std::string& dump, const std::string& text) {
  const nlohmann::json j = PARSEDUMP(dump);
  for (const auto& m : j["messages"])
    if (m["text"] == text) return true;
  return false;
}
}  // namespace

TEST(WalkRun, PickupsAlongACorridorShowInTheStateDump) {
  TempDir dir;
  // Shotgun clip (186), two sewer cells, health, armour, chaingun, then the wall.
  std::string corridor = "RP";
  corridor += static_cast<char>(186);
  corridor += "VVHY4 R";
  const std::string map = "RRRRRRRRRRR\n" + corridor + "\nRRRRRRRRRRR\n:Walk test\n";

  // Standing still: nothing changes.
  nlohmann::json still = PLAYER1(RUNLEVEL(dir, map, "", 30));
  EXPECT_EQ(still["x"], 2) << still;
  EXPECT_EQ(still["health"], 100.0) << still;

  // Three steps: the clip, then each sewer cell costs 5 health. (The sound
  // table's loading box is one frame before the level starts.)
  std::string dump = RUNLEVEL(dir, map, "5 down D\n10 up D\n", 30);
  nlohmann::json p = PLAYER1(dump);
  EXPECT_EQ(p["x"], 5) << p;
  EXPECT_EQ(p["health"], 90.0) << p;
  EXPECT_EQ(p["ammo"], nlohmann::json({0, 10, 10, 0, 0, 0, 0, 0, 0})) << p;
  EXPECT_TRUE(LOGGED(dump, "Picked up shotgun clip.")) << dump;

  // Held to the wall: health back to full, armour, the chaingun in hand.
  dump = RUNLEVEL(dir, map, "5 down D\n41 up D\n", 60);
  p = PLAYER1(dump);
  EXPECT_EQ(p["x"], 9) << p;
  EXPECT_EQ(p["health"], 100.0) << p;
  EXPECT_EQ(p["armor"], 100.0) << p;
  EXPECT_EQ(p["chosenweapon"], 4) << p;
  EXPECT_EQ(p["ammo"], nlohmann::json({0, 10, 10, 50, 0, 0, 0, 0, 50})) << p;
  for (const char* m : {"You feel better.", "Picked up standard armor.", "Picked up Chaingun"})
    EXPECT_TRUE(LOGGED(dump, m)) << m << "\n" << dump;
}
