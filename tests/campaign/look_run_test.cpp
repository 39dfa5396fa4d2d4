// The look (modern or classic glyphs, chosen in the options and kept in the
// settings file) changes what the player sees, never how the game plays: the
// same seed and input give the same game in both looks, so a recorded input
// replays the same whatever look its player had set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {
std::string SLURP(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// Plays LEVEL's committed replay for FRAMES frames with the look of the
// settings file (last byte: 1 modern, 0 classic) and returns the state dump.
std::string PLAYINLOOK(const std::string& dir, int level, int frames, bool modern) {
  const std::string tag = std::to_string(level) + (modern ? "m" : "c");
  const fs::path user = fs::path(dir) / ("user" + tag);
  fs::create_directories(user);
  // Chapters unlocked, sound and music volumes, controls, subdued lighting, look.
  const char settings[6] = {1, 10, 10, 0, 0, static_cast<char>(modern ? 1 : 0)};
  std::ofstream(user / "MONSTER.INI", std::ios::binary).write(settings, sizeof settings);
  const fs::path replay = fs::path(ASHEN_SOURCE_DATA) / "CAMPAIGN" / "main" / "MAPS" /
                          ("Map" + std::to_string(level) + "_replay.txt");
  const std::string dump = dir + "/dump" + tag + ".json";
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless --seed 1 --frames " + std::to_string(frames) +
                          " --data " + ASHEN_SOURCE_DATA + " --user-dir " + user.string() + " --input " +
                          replay.string() + " --dump-state " + dump + " " + std::to_string(level) + " > " + dir +
                          "/out" + tag + ".txt 2>&1";
  if (std::system(cmd.c_str()) == -1) return "";
  return SLURP(dump);
}
}  // namespace

// Level 100 fights with guns and blood under lights; level 103 adds plasma,
// portals and the spinning bars: every draw only one look makes (the classic
// look's mottled brightness, shells, portal shimmer; the modern look's sparks)
// must leave the game's own draws alone.
TEST(LookRun, BothLooksPlayTheSameGame) {
  TempDir tmp;
  for (int level : {100, 103}) {
    const std::string modern = PLAYINLOOK(tmp.path, level, 1200, true);
    const std::string classic = PLAYINLOOK(tmp.path, level, 1200, false);
    ASSERT_FALSE(modern.empty()) << "level " << level << ": no dump in the modern look";
    const nlohmann::json a = PARSEDUMP(modern), b = PARSEDUMP(classic);
    ASSERT_TRUE(a.contains("players")) << "level " << level;
    EXPECT_EQ(a["players"], b["players"]) << "level " << level;
    EXPECT_EQ(a["monsters"], b["monsters"]) << "level " << level;
    EXPECT_EQ(a["map"], b["map"]) << "level " << level;
    EXPECT_EQ(a["projectiles"], b["projectiles"]) << "level " << level;
    EXPECT_EQ(a["audio"]["starts"], b["audio"]["starts"]) << "level " << level;
    EXPECT_EQ(modern, classic) << "level " << level << ": the dumps differ elsewhere";
  }
}
