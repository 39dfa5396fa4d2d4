// The program finds each campaign level's own idle music: entering a level
// loads CAMPAIGN/main/BCKM_MAPS/<level>.ogg into the idle-music slot and
// starts it looping under its reference, as the state dump shows.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "test_util.h"

namespace fs = std::filesystem;

TEST(LevelMusicRun, EachLevelStartsItsOwnMusic) {
  const fs::path campaign = fs::path(ASHEN_SOURCE_DATA) / "CAMPAIGN" / "main";
  TempDir tmp;
  const std::regex map("Map([0-9]+)\\.txt");
  int levels = 0;
  for (const auto& e : fs::directory_iterator(campaign / "MAPS")) {
    std::smatch m;
    const std::string f = e.path().filename().string();
    if (!std::regex_match(f, m, map) || std::stoi(m[1].str()) < 100) continue;
    const std::string level = m[1].str();
    levels++;
    const std::string folder = tmp.path + "/" + level;
    fs::create_directories(folder);
    const GAMERUN r =
        RUNHEADLESS(folder, std::string("--seed 1 --frames 40 --data ") + ASHEN_SOURCE_DATA + " " + level);
    ASSERT_EQ(r.CODE, 0) << "level " << level << ":\n" << r.OUTPUT;
    const nlohmann::json audio = PARSEDUMP(r.DUMP)["audio"];
    ASSERT_TRUE(audio.is_object()) << "level " << level;
    ASSERT_TRUE(audio["on"]) << "level " << level;
    EXPECT_EQ(audio["music"], "CAMPAIGN/main/BCKM_MAPS/" + level + ".ogg") << "level " << level;
    bool started = false, playing = false;
    for (const auto& s : audio["starts"]) started = started || (s[1] == 96 && s[2] == 96);
    for (const auto& c : audio["playing"]) playing = playing || c["channel"] == 96;
    EXPECT_TRUE(started) << "level " << level << ": the idle music was never started";
    EXPECT_TRUE(playing) << "level " << level << ": the idle music does not play";
  }
  EXPECT_GE(levels, 6);
}
