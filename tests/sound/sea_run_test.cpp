// The program itself: standing near water starts the sea (slot 59 under
// reference 223) and the state dump shows it playing; away from water it
// never starts. The title music and idle music show in the dump as well.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "soundfixture.h"
#include "test_util.h"

namespace fs = std::filesystem;

namespace {
// A data folder with the game's glyphs, the level MAP as level 120 and our
// own sea and idle-music files; runs a direct launch for FRAMES frames with
// EXTRA parameters and returns the dump's "audio" object.
nlohmann::json RUNAUDIO(const TempDir& dir, const std::string& map, int frames,
                        const std::string& extra = "") {
  const std::string data = MAKERUNDATA(dir.path, {"sounds"});
  soundtest::WRITEWAV(data + "/sounds/sea.ogg", 3000);
  soundtest::WRITEWAV(data + "/sounds/gothicsurveillance420.ogg", 5000);
  soundtest::WRITEWAV(data + "/sounds/pickgold.ogg", 100);
  std::ofstream(data + "/CAMPAIGN/main/MAPS/Map120.txt", std::ios::binary) << map;
  const GAMERUN r = RUNHEADLESS(dir.path, "--seed 5 --frames " + std::to_string(frames) + " --data " + data +
                                              " 120 " + extra);
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  return PARSEDUMP(r.DUMP)["audio"];
}

bool STARTED(const nlohmann::json& audio, int slot, int ref) {
  for (const auto& s : audio["starts"])
    if (s[1] == slot && s[2] == ref) return true;
  return false;
}

int PLAYINGVOLUME(const nlohmann::json& audio, int channel) {
  for (const auto& c : audio["playing"])
    if (c["channel"] == channel) return c["volume"];
  return -1;
}
}  // namespace

TEST(SeaRun, StandingNearWaterPlaysTheSea) {
  TempDir dir;
  const std::string map = "RRRRRRRRRR\nRP WWW   R\nRRRRRRRRRR\n:Shore\n";
  const nlohmann::json audio = RUNAUDIO(dir, map, 20);
  ASSERT_TRUE(audio.is_object());
  EXPECT_TRUE(audio["on"]);
  EXPECT_EQ(audio["volumes"].size(), 106u);
  EXPECT_EQ(audio["volumes"][1], 42);
  EXPECT_TRUE(STARTED(audio, 59, 223)) << audio;
  EXPECT_EQ(PLAYINGVOLUME(audio, 59), 14) << audio;
  // Started once and kept looping, not restarted every frame.
  int seastarts = 0;
  for (const auto& s : audio["starts"]) seastarts += s[1] == 59;
  EXPECT_EQ(seastarts, 1) << audio;
  // The idle music runs on its channel, fading in from 0.
  EXPECT_TRUE(STARTED(audio, 96, 96));
  // Level 120 has no music of its own: the default track stands in.
  EXPECT_EQ(audio["music"], "SOUNDS/gothicsurveillance420.ogg");
  const int idle = PLAYINGVOLUME(audio, 96);
  EXPECT_GT(idle, 0);
  EXPECT_LT(idle, 37);
}

TEST(SeaRun, AwayFromWaterNoSeaAndTitleMusicReferences) {
  TempDir dir;
  const std::string map = "RRRRRRRRRRRRRRRRR\nRP            WWR\nRRRRRRRRRRRRRRRRR\n:Inland\n";
  nlohmann::json audio = RUNAUDIO(dir, map, 20);
  EXPECT_FALSE(STARTED(audio, 59, 223)) << audio;
  EXPECT_EQ(PLAYINGVOLUME(audio, 59), -1);
  // The title music is started under four references, or one with "8bit".
  for (int r = 60; r <= 63; r++) EXPECT_TRUE(STARTED(audio, 60, r)) << r;
  audio = RUNAUDIO(dir, map, 20, "8bit");
  EXPECT_TRUE(STARTED(audio, 60, 60));
  EXPECT_FALSE(STARTED(audio, 60, 61));
  // Without sound nothing is started at all.
  audio = RUNAUDIO(dir, map, 20, "NoSound");
  EXPECT_FALSE(audio["on"]);
  EXPECT_TRUE(audio["starts"].empty());
}
