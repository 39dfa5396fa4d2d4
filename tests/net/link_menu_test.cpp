// A link game set up through the menus, as a player does it: the title's
// "Two-player link", wait or connect by typing the address, player 1 types
// the level. The help, save and load keys say why they do nothing, and the
// exit code tells how the link game ended, as for the command-line link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/harness.h"
#include "linkrun.h"
#include "test_util.h"

using linkrun::FREEPORT;
using linkrun::GAME;
using nlohmann::json;

namespace {
std::string TAP(int f, const std::string& key) {
  return std::to_string(f) + " down " + key + "\n" + std::to_string(f + 1) + " up " + key + "\n";
}

// Title: four steps down to "Two-player link", Enter.
const std::string TOLINKMENU = TAP(30, "down") + TAP(34, "down") + TAP(38, "down") + TAP(42, "down") + TAP(46, "return");

// Everything my player's log shows, lines joined by spaces.
std::string LOGTEXT(const json& d) {
  std::string s;
  for (const json& m : d["messages"]) s += m["text"].get<std::string>() + " ";
  return s;
}
}  // namespace

TEST(LinkMenus, PlayedThroughTheMenusWithoutSaveOrLoadAndLostWhenThePeerLeaves) {
  TempDir dir;
  const int port = FREEPORT();
  // Player 2 waits on the typed port; player 1 connects to the typed
  // address, chooses level 50 and, once playing, presses F5, F1 and F9.
  std::ofstream(dir.path + "/p2.txt") << TOLINKMENU + TAP(80, "down") + TAP(84, "return") + "120 text " +
                                             std::to_string(port) + "\n" + TAP(130, "return");
  std::ofstream(dir.path + "/p1.txt") << TOLINKMENU + TAP(84, "return") + "120 text 127.0.0.1:" +
                                             std::to_string(port) + "\n" + TAP(130, "return") + "200 text 50\n" +
                                             TAP(210, "return") + TAP(400, "F5") + TAP(430, "F1") + TAP(460, "F9");
  // Player 1 leaves first (his frames run out): player 2 loses the link.
  GAME two(dir.path, "two",
           "--seed 3 --input " + dir.path + "/p2.txt --frames 900 --dump-state " + dir.path + "/two.json");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  GAME one(dir.path, "one",
           "--seed 3 --input " + dir.path + "/p1.txt --frames 700 --dump-state " + dir.path + "/one.json");
  EXPECT_EQ(one.WAIT(300), 0) << one.OUTPUT();
  EXPECT_EQ(two.WAIT(120), EXIT_LINKLOST) << two.OUTPUT();
  const json a = PARSEDUMP(linkrun::READALL(dir.path + "/one.json"));
  const json b = PARSEDUMP(linkrun::READALL(dir.path + "/two.json"));
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  // Both played level 50 linked, player 1 to the end of his frames.
  EXPECT_EQ(a["currentmap"], 50);
  EXPECT_EQ(a["link"]["state"], "playing");
  EXPECT_EQ(a["link"]["mynumber"], 1);
  EXPECT_EQ(b["link"]["mynumber"], 2);
  EXPECT_GT(a["link"]["checks"].get<int>(), 10);
  EXPECT_EQ(a["link"]["desyncframe"], -1);
  // Each barred key told player 1 why nothing happened.
  const std::string log = LOGTEXT(a);
  for (const char* said : {"No saving in a link game", "No help in a link game", "No loading in a link game"})
    EXPECT_NE(log.find(said), std::string::npos) << said << " missing from: " << log;
  // Nothing was saved or loaded: no save folder on either side.
  for (const char* u : {"one.user", "two.user"})
    for (const char* f : {"SAVE", "SAVE_A"})
      EXPECT_FALSE(std::filesystem::exists(dir.path + "/" + u + "/" + f + "/SAVE0")) << u << "/" << f;
}

TEST(LinkMenus, WaitingForAGameThatNeverComesEndsAtTheFrameLimit) {
  // Nobody connects: the headless clock runs on during the wait, so the run
  // leaves through the normal shut-down once --frames is reached.
  TempDir dir;
  const int port = FREEPORT();
  std::ofstream(dir.path + "/p2.txt") << TOLINKMENU + TAP(80, "down") + TAP(84, "return") + "120 text " +
                                             std::to_string(port) + "\n" + TAP(130, "return");
  GAME two(dir.path, "two", "--seed 3 --input " + dir.path + "/p2.txt --frames 200");
  EXPECT_EQ(two.WAIT(120), 0) << two.OUTPUT();
}
