// The whole game through the real program from the title screen: menus into
// the first chapter, its intro, a portal into the next level, chapters
// unlocked across runs, Escape and the window's close button, and the
// volume options.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_util.h"

namespace {
namespace fs = std::filesystem;

// A data folder beside the repository's: level 100 with a trap at column 8
// that opens the wall at column 10 and a portal at column 12 to level 101,
// level 101 (named "Second") with a portal at column 2 back to 100, and level
// 100's intro.
void MAKEDATA(const TempDir& dir) {
  const std::string maps = MAKERUNDATA(dir.path) + "/CAMPAIGN/main/MAPS/";
  std::ofstream(maps + "Map100.txt", std::ios::binary)
      << "RRRRRRRRRRRRRR\nRP       R   R\nRRRRRRRRRRRRRR\n:First\n8,2,10,2- \n\"Open\"\n@12,2-101\n";
  std::ofstream(maps + "Map101.txt", std::ios::binary) << "RRRRRRRR\nR  P   R\nRRRRRRRR\n:Second\n@2,2-100\n";
  std::ofstream(maps + "MAP100_INTRO.TXT", std::ios::binary) << "^DAY ONE\nWalk east:\n";
}

struct RUN {
  int code = -1;
  nlohmann::json dump;
  std::string out;
};

RUN RUNGAME(const TempDir& dir, const std::string& input, int frames) {
  std::ofstream(dir.path + "/input.txt") << input;
  const GAMERUN g = RUNHEADLESS(dir.path, "--seed 3 --frames " + std::to_string(frames) + " --data " + dir.path +
                                              "/data --input " + dir.path + "/input.txt");
  RUN r;
  r.code = g.CODE;
  r.out = g.OUTPUT;
  r.dump = PARSEDUMP(g.DUMP);
  return r;
}

// A key tapped at frame F.
std::string TAP(int f, const std::string& key) {
  return std::to_string(f) + " down " + key + "\n" + std::to_string(f + 1) + " up " + key + "\n";
}

// Title "Play", difficulty "VETERAN", then the chapter menu.
const std::string TOCHAPTERS = TAP(40, "Return") + TAP(80, "Return");

TEST(GameFlowRun, TitleMenusIntoLevel100ThenThroughThePortalInto101) {
  TempDir dir;
  MAKEDATA(dir);
  // Chapter I; the intro waits for Enter; then walk east onto the portal.
  const std::string walk = TOCHAPTERS + TAP(120, "Return") + TAP(220, "Return") +
                           "260 down d\n420 up d\n";
  const RUN r = RUNGAME(dir, walk, 600);
  ASSERT_EQ(r.code, 0) << r.out;
  ASSERT_TRUE(r.dump.contains("currentmap")) << r.out;
  EXPECT_EQ(r.dump["currentmap"], 101);
  EXPECT_EQ(r.dump["mapname"], "Second");
  EXPECT_EQ(r.dump["victory"], 0) << "playing the new level";
  EXPECT_EQ(r.dump["frames"], 600) << "still playing at the frame limit";
  // The intro's music and typing sounds were started before the level.
  bool intromusic = false, typing = false;
  for (const auto& s : r.dump["audio"]["starts"]) {
    if (s[1] == 100 && s[2] == 100) intromusic = true;
    if (s[1] == 5 && s[2] == 50) typing = true;
  }
  EXPECT_TRUE(intromusic);
  EXPECT_TRUE(typing);

  // Level 101 unlocked chapter II, kept in the settings file: a new run
  // offers it, and choosing it starts level 101 without the portal.
  const RUN again = RUNGAME(dir, TOCHAPTERS + TAP(120, "Down") + TAP(124, "Return"), 300);
  ASSERT_EQ(again.code, 0) << again.out;
  EXPECT_EQ(again.dump["currentmap"], 101);
}

// The cell at column X of the level's row Y (rows count from the bottom).
char CELL(const nlohmann::json& dump, int x, int y) {
  const auto& rows = dump["map"];
  return rows[rows.size() - y].get<std::string>()[x - 1];
}

TEST(GameFlowRun, ALevelLeftByAPortalResumesAsLeftWithoutItsIntro) {
  TempDir dir;
  MAKEDATA(dir);
  // Into level 100 (its intro ended with Enter), ten seconds there, east
  // through the trap that opens the wall and into 101, west through 101's
  // portal back to 100, then a few steps west.
  const std::string there = TOCHAPTERS + TAP(120, "Return") + TAP(220, "Return") + "560 down d\n720 up d\n";
  const std::string back = there + "760 down a\n820 up a\n" + "900 down a\n906 up a\n";
  const RUN r = RUNGAME(dir, back, 1000);
  ASSERT_EQ(r.code, 0) << r.out;
  ASSERT_TRUE(r.dump.contains("currentmap")) << r.out;
  EXPECT_EQ(r.dump["currentmap"], 100);
  EXPECT_EQ(r.dump["mapname"], "First");
  // Level 100 as it was left: the wall at column 10 open, the player back
  // beside the portal (not at the start cell, column 2) and walking on: no
  // intro waits for its key.
  EXPECT_EQ(CELL(r.dump, 10, 2), ' ') << r.dump["map"];
  const int x = r.dump["players"][0]["x"];
  EXPECT_LT(x, 11);
  // Its clock went on from where it stopped: over ten seconds before the
  // portal and about six since the return.
  EXPECT_GE(r.dump["clock"]["seconds"].get<int>(), 15) << r.dump["clock"];
  EXPECT_TRUE(fs::exists(dir.path + "/user/SAVE/CURRENT/map100.inf"));
  EXPECT_TRUE(fs::exists(dir.path + "/user/SAVE/CURRENT/map101.inf"));

  // A new game starts level 100 afresh, with its intro.
  const RUN fresh = RUNGAME(dir, TOCHAPTERS + TAP(120, "Return") + TAP(220, "Return"), 300);
  ASSERT_EQ(fresh.code, 0) << fresh.out;
  EXPECT_EQ(fresh.dump["currentmap"], 100);
  EXPECT_EQ(fresh.dump["players"][0]["x"], 2);
  EXPECT_EQ(CELL(fresh.dump, 10, 2), 'R');
  EXPECT_FALSE(fs::exists(dir.path + "/user/SAVE/CURRENT/map101.inf"));
}

TEST(GameFlowRun, SavedWithF5InALevelAndLoadedFromTheTitle) {
  TempDir dir;
  MAKEDATA(dir);
  fs::remove(dir.path + "/data/CAMPAIGN/main/MAPS/MAP100_INTRO.TXT");
  // Into level 100, east past the trap that opens the wall, then F5: slot 1,
  // a name, Enter.
  const std::string save = TOCHAPTERS + TAP(120, "Return") + "200 down d\n216 up d\n" + TAP(250, "F5") +
                           TAP(310, "Return") + "350 text first\n" + TAP(380, "Return");
  const RUN saved = RUNGAME(dir, save, 460);
  ASSERT_EQ(saved.code, 0) << saved.out;
  ASSERT_TRUE(fs::exists(dir.path + "/user/SAVE/SAVE0/save.gam")) << saved.out;
  const int x = saved.dump["players"][0]["x"];
  ASSERT_GT(x, 8) << "walked past the trap";
  ASSERT_LT(x, 12) << "not into the portal";
  EXPECT_NE(CELL(saved.dump, 10, 2), 'R') << "the trap opened the wall";

  // F9 in play: on through the portal into level 101, then back to the save.
  const RUN quick = RUNGAME(dir, save + "420 down d\n440 up d\n" + TAP(480, "F9") + TAP(540, "Return"), 620);
  ASSERT_EQ(quick.code, 0) << quick.out;
  EXPECT_EQ(quick.dump["currentmap"], 100);
  EXPECT_EQ(quick.dump["players"][0]["x"], x);
  EXPECT_EQ(quick.dump["map"], saved.dump["map"]);

  // A new run: "Load saved game" on the title, slot 1.
  const RUN loaded = RUNGAME(dir, TAP(40, "Down") + TAP(44, "Return") + TAP(120, "Return"), 250);
  ASSERT_EQ(loaded.code, 0) << loaded.out;
  EXPECT_EQ(loaded.dump["currentmap"], 100);
  EXPECT_EQ(loaded.dump["mapname"], "First");
  EXPECT_EQ(loaded.dump["players"][0]["x"], x);
  EXPECT_EQ(loaded.dump["map"], saved.dump["map"]);
  EXPECT_EQ(loaded.dump["frames"], 250) << "playing on after the load";

  // The save brought its game's level states; one of them damaged since: the
  // portal leads into level 101 afresh, and the player is told.
  std::ofstream(dir.path + "/user/SAVE/SAVE0/CURRENT/map101.inf", std::ios::binary) << "damaged";
  const RUN on = RUNGAME(dir, TAP(40, "Down") + TAP(44, "Return") + TAP(120, "Return") + "200 down d\n215 up d\n", 300);
  ASSERT_EQ(on.code, 0) << on.out;
  EXPECT_EQ(on.dump["currentmap"], 101);
  EXPECT_EQ(on.dump["mapname"], "Second");
  EXPECT_NE(on.out.find("map101.inf"), std::string::npos) << on.out;
  EXPECT_NE(on.dump["messages"].dump().find("damaged"), std::string::npos) << on.dump["messages"];
}

TEST(GameFlowRun, ALockedChapterKeepsTheMenuAndChapterOneStartsLevel100) {
  TempDir dir;
  MAKEDATA(dir);
  fs::remove(dir.path + "/data/CAMPAIGN/main/MAPS/MAP100_INTRO.TXT");
  // Chapter II is locked: the menu is shown again, on chapter I.
  const RUN r = RUNGAME(dir, TOCHAPTERS + TAP(120, "Down") + TAP(124, "Return") + TAP(180, "Return"), 260);
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.dump["currentmap"], 100);
  EXPECT_EQ(r.dump["mapname"], "First");
}

TEST(GameFlowRun, EscapeAndTheCloseButtonQuitFromTheTitleAndSaveTheSettings) {
  for (const std::string& input : {TAP(40, "Escape"), std::string("40 close\n"),
                                   // From inside the options menus.
                                   TAP(40, "Down") + TAP(44, "Down") + TAP(48, "Return") + "90 close\n"}) {
    TempDir dir;
    MAKEDATA(dir);
    const RUN r = RUNGAME(dir, input, 2000);
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_LT(r.dump["frames"], 300) << input;
    EXPECT_TRUE(fs::exists(dir.path + "/user/MONSTER.INI")) << input;
  }
}

TEST(GameFlowRun, TheCloseButtonInALevelAsksFirst) {
  TempDir dir;
  MAKEDATA(dir);
  fs::remove(dir.path + "/data/CAMPAIGN/main/MAPS/MAP100_INTRO.TXT");
  // Into level 100, then close: the quit question waits.
  const std::string in = TOCHAPTERS + TAP(120, "Return") + "200 close\n";
  RUN r = RUNGAME(dir, in, 400);
  EXPECT_EQ(r.dump["frames"], 400) << "the question holds the game";
  EXPECT_EQ(r.dump["currentmap"], 100);
  // "Yes" leaves the level for the title, and Escape there quits.
  r = RUNGAME(dir, in + TAP(260, "Return") + TAP(340, "Escape"), 2000);
  EXPECT_EQ(r.code, 0);
  EXPECT_LT(r.dump["frames"], 500);
  EXPECT_TRUE(fs::exists(dir.path + "/user/MONSTER.INI"));
}

TEST(GameFlowRun, VolumeZeroSilencesEffectsAtOnceAndExitKeepsIt) {
  TempDir dir;
  MAKEDATA(dir);
  // Options > Game options > Sound volume > "0".
  const std::string toSound = TAP(40, "Down") + TAP(44, "Down") + TAP(48, "Return") + TAP(90, "Down") +
                              TAP(94, "Return") + TAP(140, "Down") + TAP(144, "Return");
  RUN r = RUNGAME(dir, toSound + TAP(190, "Return"), 260);
  ASSERT_TRUE(r.dump.contains("audio")) << r.out;
  const auto& v = r.dump["audio"]["volumes"];
  EXPECT_EQ(v[67], 0) << "an effect slot";
  EXPECT_GT(v[60], 0) << "the title music keeps its volume";
  // "Exit" of the volume menu keeps the old volume.
  TempDir dir2;
  MAKEDATA(dir2);
  r = RUNGAME(dir2, toSound + TAP(190, "End") + TAP(194, "Return"), 260);
  EXPECT_GT(r.dump["audio"]["volumes"][67], 0);
}

}  // namespace
