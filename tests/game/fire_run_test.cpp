// The program on a hand-made firing range: the player picks up the rocket
// launcher, fires along the corridor from the keyboard, and the state dump
// shows the monster gone, one rocket spent and nothing left in flight.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {
std::string READALL(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// A direct launch of level 120 holding MAP with the input script INPUT for
// FRAMES frames; the parsed state dump.
nlohmann::json RUNRANGE(const TempDir& dir, const std::string& map, const std::string& input, int frames) {
  fs::create_directories(dir.path + "/data/CAMPAIGN/main/MAPS");
  for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA))
    if (e.path().filename() != "CAMPAIGN" && !fs::exists(fs::path(dir.path + "/data") / e.path().filename()))
      fs::create_directory_symlink(e.path(), fs::path(dir.path + "/data") / e.path().filename());
  std::ofstream(dir.path + "/data/CAMPAIGN/main/MAPS/Map120.txt", std::ios::binary) << map;
  std::ofstream(dir.path + "/input.txt") << input;
  const std::string dump = dir.path + "/state.json";
  std::remove(dump.c_str());
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless --seed 5 --frames " +
                          std::to_string(frames) + " --user-dir " + dir.path + "/user --data " +
                          dir.path + "/data --input " + dir.path + "/input.txt --dump-state " + dump +
                          " 120 > " + dir.path + "/out.txt 2>&1";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << READALL(dir.path + "/out.txt");
  return PARSEDUMP(READALL(dump));
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
