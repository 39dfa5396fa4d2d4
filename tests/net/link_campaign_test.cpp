// Linked games on the campaign levels: two real programs on the loopback
// interface, one in the modern look and one in the classic look, each walking
// and shooting by its own script, must end every level in the same shared
// state (and never report a desynchronisation). A link game that follows a
// portal, and one where a player's folder still holds a level left in an
// earlier game, must stay alike too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/harness.h"
#include "linkrun.h"
#include "test_util.h"

using linkrun::FREEPORT;
using linkrun::GAME;
using linkrun::PLAYSCRIPT;
using nlohmann::json;

namespace {
void WRITE(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A user folder whose settings file picks the look: 1 modern, 0 classic
// (chapters unlocked, volumes, sky colour, subdued visuals, look).
void USERFOLDER(const std::string& dir, char look) {
  std::filesystem::create_directories(dir);
  WRITE(dir + "/MONSTER.INI", std::string{1, 10, 10, 0, 0, look});
}

// The fields both machines must agree on. What only this machine's view or
// sound changes is left out: a monster's hit flash, the shells (a casing
// shows in the classic look only), the blinks of the view, the monsters that
// noticed my player, the messages and objective lines of my player.
json SHAREDSTATE(const json& d) {
  json s;
  for (const char* f : {"currentmap", "victory", "nextmap", "frames", "players", "map", "pickups", "shots", "script",
                        "doors", "traps", "portals", "tanks", "counters", "clock", "bosshealth"})
    s[f] = d[f];
  s["monsters"] = d["monsters"];
  for (json& m : s["monsters"]["list"]) m.erase("hurt");
  s["projectiles"] = d["projectiles"];
  s["projectiles"].erase("shells");
  s["projectiles"].erase("blinks");
  return s;
}

// Plays a link game: player 1 (modern look) starts LEVEL and plays SCRIPT1,
// player 2 (classic look) plays SCRIPT2, both for FRAMES frames. The two
// dumps come back in ONE and TWO; false (with the reason added as a test
// failure) when a game did not end well. PREPARE2 may fill player 2's
// folder before the game starts.
bool PLAYLINKED(const TempDir& dir, int level, int frames, const std::string& script1, const std::string& script2,
                json& one, json& two, const std::function<void(const std::string&)>& prepare2 = nullptr) {
  const int port = FREEPORT();
  USERFOLDER(dir.path + "/one.user", 1);
  USERFOLDER(dir.path + "/two.user", 0);
  if (prepare2) prepare2(dir.path + "/two.user");
  WRITE(dir.path + "/p1.txt", script1);
  WRITE(dir.path + "/p2.txt", script2);
  const std::string common = " --frames " + std::to_string(frames);
  GAME b(dir.path, "two",
         "--link-listen " + std::to_string(port) + " --input " + dir.path + "/p2.txt --dump-state " + dir.path +
             "/two.json" + common);
  GAME a(dir.path, "one",
         std::to_string(level) + " --seed " + std::to_string(level) + " --link-connect 127.0.0.1:" +
             std::to_string(port) + " --input " + dir.path + "/p1.txt --dump-state " + dir.path + "/one.json" + common);
  const int rca = a.WAIT(600), rcb = b.WAIT(60);
  EXPECT_EQ(rca, 0) << "level " << level << ", player 1:\n" << a.OUTPUT();
  EXPECT_EQ(rcb, 0) << "level " << level << ", player 2:\n" << b.OUTPUT();
  one = PARSEDUMP(linkrun::READALL(dir.path + "/one.json"));
  two = PARSEDUMP(linkrun::READALL(dir.path + "/two.json"));
  EXPECT_FALSE(one.empty()) << "level " << level << ": no dump of player 1";
  EXPECT_FALSE(two.empty()) << "level " << level << ": no dump of player 2";
  return rca == 0 && rcb == 0 && !one.empty() && !two.empty();
}

// The first differing field of two shared states, for a readable failure.
std::string FIRSTDIFFERENCE(const json& a, const json& b) {
  for (auto it = a.begin(); it != a.end(); ++it)
    if (!b.contains(it.key()) || b[it.key()] != it.value())
      return it.key() + ": " + it.value().dump().substr(0, 600) + "\n  vs " +
             (b.contains(it.key()) ? b[it.key()].dump().substr(0, 600) : std::string("(missing)"));
  return "";
}

class LinkCampaign : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(LinkCampaign, BothMachinesPlayTheLevelAlike) {
  const int level = GetParam();
  const int frames = 600;
  TempDir dir;
  json one, two;
  ASSERT_TRUE(PLAYLINKED(dir, level, frames, PLAYSCRIPT(2 * level + 1, frames), PLAYSCRIPT(2 * level + 2, frames),
                         one, two));
  EXPECT_EQ(one["link"]["desyncframe"], -1);
  EXPECT_EQ(one["link"]["state"], "playing") << one["link"].dump();
  EXPECT_EQ(two["link"]["state"], "playing") << two["link"].dump();
  // The walk may have taken a portal (104 and 105 lead on to 106): both
  // games then follow it alike.
  EXPECT_GE(one["currentmap"].get<int>(), level);
  EXPECT_EQ(one["link"]["mynumber"], 1);
  EXPECT_EQ(two["link"]["mynumber"], 2);
  const json a = SHAREDSTATE(one), b = SHAREDSTATE(two);
  EXPECT_TRUE(a == b) << "level " << level << " differs in " << FIRSTDIFFERENCE(a, b);
  // Both scripts did play: each player left his start cell at some time
  // (the campaign's start cell is the same for both).
  EXPECT_GT(one["link"]["checks"].get<int>(), 20);
}

INSTANTIATE_TEST_SUITE_P(Levels, LinkCampaign,
                         ::testing::Values(100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 150, 151),
                         [](const ::testing::TestParamInfo<int>& i) { return "Level" + std::to_string(i.param); });

TEST(LinkCampaignPortal, PlayerOneWalksAReplayIntoTheNextLevelAndBothFollow) {
  // Player 1 walks level 110's replay to its portal, through the entry that
  // autosaves in a game of one; player 2 stands still. Both go on to 111.
  const std::string replay = linkrun::READALL(std::string(ASHEN_SOURCE_DATA) + "/CAMPAIGN/main/MAPS/Map110_replay.txt");
  ASSERT_FALSE(replay.empty());
  TempDir dir;
  json one, two;
  ASSERT_TRUE(PLAYLINKED(dir, 110, 1300, replay, "", one, two));
  EXPECT_EQ(one["currentmap"], 111) << "player 1 at column " << one["players"][0]["x"] << ", row "
                                    << one["players"][0]["y"];
  const json a = SHAREDSTATE(one), b = SHAREDSTATE(two);
  EXPECT_TRUE(a == b) << FIRSTDIFFERENCE(a, b);
  // A link game never autosaves: neither folder holds the autosave slot.
  for (const char* u : {"one.user", "two.user"})
    for (const char* f : {"SAVE", "SAVE_A"})
      EXPECT_FALSE(std::filesystem::exists(dir.path + "/" + u + "/" + f + "/SAVE9")) << u << "/" << f;

  // Player 2's folder now holds level 110 as it was left. A new link game on
  // 110 with a player 1 who never played it starts afresh on both machines.
  TempDir again;
  json one2, two2;
  ASSERT_TRUE(PLAYLINKED(again, 110, 300, "", "", one2, two2, [&](const std::string& user) {
    std::filesystem::copy(dir.path + "/two.user", user,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  }));
  const json a2 = SHAREDSTATE(one2), b2 = SHAREDSTATE(two2);
  EXPECT_TRUE(a2 == b2) << FIRSTDIFFERENCE(a2, b2);
  EXPECT_EQ(one2["players"][1]["x"], one2["players"][1]["startx"]);
  EXPECT_EQ(one2["players"][1]["y"], one2["players"][1]["starty"]);
}
