// The program plays a hand-made level with a script: walking into the area
// types the objective out at the top of the screen and finishes the entry; a
// "PORTAL" entry ends the level; --check-script judges the same file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "display/backend.h"
#include "test_util.h"

namespace fs = std::filesystem;

namespace {
const char* const MAP =
    "RRRRRRRRRRRRRRRRRRRR\n"
    "R                  R\n"
    "R                  R\n"
    "R  P               R\n"
    "R                  R\n"
    "R                  R\n"
    "RRRRRRRRRRRRRRRRRRRR\n"
    ":Script walk\n";

const std::string OBJECTIVE = "Reach the signal tower before nightfall.";

// A data folder with the map as level 120 and SCRIPT as the campaign's script.
void MAKEDATA(const TempDir& dir, const std::string& script) {
  const std::string data = MAKERUNDATA(dir.path);
  std::ofstream(data + "/CAMPAIGN/main/MAPS/Map120.txt", std::ios::binary) << MAP;
  std::ofstream(data + "/CAMPAIGN/main/script.txt", std::ios::binary) << script;
}

// Runs level 120 with INPUT for FRAMES frames; returns the state dump.
std::string RUNLEVEL(const TempDir& dir, const std::string& input, int frames,
                     const std::string& extra = "") {
  std::ofstream(dir.path + "/input.txt") << input;
  const GAMERUN r = RUNHEADLESS(dir.path, "--seed 3 --frames " + std::to_string(frames) + " --data " + dir.path +
                                              "/data --input " + dir.path + "/input.txt " + extra + " 120");
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  return r.DUMP;
}

// Counts pure white pixels (colour 15) in the rows Y0..Y1 of IMG.
int WHITEPIXELS(const IMAGE& img, int y0, int y1) {
  int n = 0;
  for (int y = y0; y < y1 && y < img.H; y++)
    for (int x = 0; x < img.W; x++) {
      const uint8_t* p = &img.RGBA[(static_cast<size_t>(y) * img.W + x) * 4];
      if (p[0] > 240 && p[1] > 240 && p[2] > 240) n++;
    }
  return n;
}
}  // namespace

TEST(ScriptRun, WalkingIntoTheAreaTypesTheObjectiveOut) {
  TempDir dir;
  // The area: columns 10..12 of lines 2..6, right of the player's start.
  MAKEDATA(dir, "120,gate,10,2,3,5,-\"" + OBJECTIVE + "\"\n"
                "120,,15,2,3,2,DARK,-\"\"\n"
                "121,,10,2,3,5,-\"another level\"\n");

  // Standing still: nothing fires, and the top rows hold no white text.
  const std::string shot = dir.path + "/shot.png";
  nlohmann::json j = PARSEDUMP(RUNLEVEL(dir, "", 150, "--screenshot " + shot));
  ASSERT_EQ(j["script"]["count"], 3) << j["script"];
  EXPECT_EQ(j["script"]["list"][0]["activated"], false);
  EXPECT_EQ(j["script"]["list"][0]["timer"], 1);
  EXPECT_EQ(j["objective"]["lines"].size(), 0u);
  IMAGE img;
  ASSERT_TRUE(LOADIMAGEFILE(shot, img));
  EXPECT_LT(WHITEPIXELS(img, 0, img.H / 20), 20);

  // Six steps right and the entry fires; by frame 150 the line is typed out.
  j = PARSEDUMP(RUNLEVEL(dir, "4 down D\n18 up D\n", 150, "--screenshot " + shot));
  const auto& p = j["players"][0];
  EXPECT_GE(p["x"], 10) << p;
  const auto& e = j["script"]["list"][0];
  EXPECT_EQ(e["level"], 120);
  EXPECT_EQ(e["voice"], "gate");
  EXPECT_EQ(e["activated"], true);
  EXPECT_EQ(e["timer"], 0);
  EXPECT_EQ(j["script"]["list"][2]["activated"], false);
  ASSERT_EQ(j["objective"]["lines"], nlohmann::json::array({OBJECTIVE})) << j["objective"];
  EXPECT_GT(j["objective"]["timer"], 0);
  EXPECT_GE(j["objective"]["char"], static_cast<int>(OBJECTIVE.size()));

  // The typed line shows in white in the top rows of the frame.
  ASSERT_TRUE(LOADIMAGEFILE(shot, img));
  EXPECT_GT(WHITEPIXELS(img, 0, img.H / 20), 60);
}

TEST(ScriptRun, PortalEntryEndsTheLevel) {
  TempDir dir;
  MAKEDATA(dir, "120,,1,1,1,ONSTART,PORTAL:121,-\"\"\n");
  const nlohmann::json j = PARSEDUMP(RUNLEVEL(dir, "", 200));
  EXPECT_EQ(j["victory"], 1);
  EXPECT_EQ(j["nextmap"], 121);
  EXPECT_LT(j["frames"], 10);  // the level ended at once
  EXPECT_EQ(j["script"]["list"][0]["timer"], 0);
}

TEST(ScriptRun, CheckScriptOption) {
  TempDir dir;
  MAKEDATA(dir, "120,gate,10,2,3,5,-\"" + OBJECTIVE + "\"\n");
  const std::string file = dir.path + "/data/CAMPAIGN/main/script.txt";
  COMMANDRESULT r = RUNCOMMAND(std::string(ASHEN_BINARY) + " --check-script " + file);
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find("1 entries, no problems found"), std::string::npos) << r.OUTPUT;

  std::ofstream(file, std::ios::binary) << "120,gate,10,2,3,5,-\"ok\"\n120,,1\n";
  r = RUNCOMMAND(std::string(ASHEN_BINARY) + " --check-script " + file);
  EXPECT_EQ(r.CODE, 4) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find("script.txt:2: ignored: fewer than four commas"), std::string::npos) << r.OUTPUT;
}

TEST(ScriptRun, FalloutMessagePausesTheGame) {
  TempDir dir;
  MAKEDATA(dir, "120,radio,10,2,3,5,FALLOUT,-\"RADIO: Hold there and listen.\"\n");
  // Walking in shows the message and pauses: the held key moves nobody.
  nlohmann::json j = PARSEDUMP(RUNLEVEL(dir, "4 down D\n60 up D\n", 150));
  EXPECT_EQ(j["players"][0]["x"], 10);
  EXPECT_EQ(j["view"]["pausestate"], 2);  // keys released, waiting for a press
  EXPECT_EQ(j["messages"][6]["text"], "RADIO: Hold there and listen.");
  EXPECT_EQ(j["objective"]["lines"].size(), 0u);
}
