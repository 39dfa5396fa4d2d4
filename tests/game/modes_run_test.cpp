// The two modes through the real program: a recorded live run of a survival
// level replayed headless, and a deathmatch on level 50 where the second
// player on the controller dies, counts as a frag for the first and comes
// back on his own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "test_util.h"

namespace {

const std::string HERE = std::string(ASHEN_TEST_DIR) + "/game/";

// A long survival run played by tools/survival_bot and recorded (--record).
const char* const BOTRUNFILE = "survival74_bot.txt";
constexpr int BOTRUNLEVEL = 74;
constexpr int BOTRUNGRUNTS = 115, BOTRUNNINES = 15;
constexpr int BOTRUNFRAMES = 5300;
constexpr int BOTRUNSPAWNS = 52;

// Runs generated level LEVEL with the input file INPUT; returns the dump.
nlohmann::json RUNMODE(const TempDir& dir, int level, const std::string& input, int frames,
                       int seed, const std::string& params = "") {
  const GAMERUN r = RUNHEADLESS(dir.path, "--seed " + std::to_string(seed) + " --frames " + std::to_string(frames) +
                                              " --data " + ASHEN_SOURCE_DATA + " --input " + input + " " +
                                              std::to_string(level) + params);
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  return PARSEDUMP(r.DUMP);
}

TEST(ModesRun, RecordedSurvivalRunAdvancesTheTiers) {
  TempDir dir;
  const nlohmann::json d = RUNMODE(dir, 72, HERE + "survival72_recorded.txt", 2000, 5);
  ASSERT_TRUE(d.contains("survival")) << d.dump();
  EXPECT_EQ(d["mode"], "survival");
  // The recording ends with Escape after 732 frames.
  EXPECT_EQ(d["frames"], 732);
  const auto& p = d["players"][0];
  EXPECT_FALSE(p["dead"].get<bool>());
  EXPECT_TRUE(p["weapons"][3].get<bool>());  // the chaingun picked up on the way
  EXPECT_EQ(p["ammo"][3], 0);                // and fired empty
  // Four kills, each replaced by the next tier: grunt (1) -> 3 -> 4 -> 11 -> 10.
  EXPECT_EQ(d["survival"]["spawns"], 4);
  EXPECT_EQ(d["survival"]["tier"], 10);
  std::set<int> kinds;
  for (const auto& m : d["monsters"]["list"]) kinds.insert(m["type"].get<int>());
  EXPECT_TRUE(kinds.count(10)) << "the tier-10 monster is on the level";
  EXPECT_EQ(d["survival"]["bosses"], 0);
}

TEST(ModesRun, BotPlayedSurvivalRunAdvancesTheTiersUntilThePlayerFalls) {
  TempDir dir;
  // Level 72 as generated: 100 grunts (kind 1) and 12 kind-9 monsters.
  std::ofstream(dir.path + "/none.txt") << "# no input\n";
  const nlohmann::json start = RUNMODE(dir, 72, dir.path + "/none.txt", 5, 5);
  std::map<int, int> before;
  for (const auto& m : start["monsters"]["list"]) before[m["type"].get<int>()]++;
  ASSERT_EQ(before[1], 100);
  ASSERT_EQ(before[9], 12);
  const nlohmann::json d = RUNMODE(dir, 72, HERE + "survival72_bot.txt", 3000, 5);
  ASSERT_TRUE(d.contains("survival")) << d.dump();
  EXPECT_EQ(d["mode"], "survival");
  // The player fell at frame 798 and left with Escape: a lone dead player
  // ends the level as lost.
  EXPECT_EQ(d["frames"], 838);
  EXPECT_TRUE(d["players"][0]["dead"].get<bool>());
  EXPECT_EQ(d["victory"], 2);
  // Seven grunts died; each was replaced by a soldier (3), which in turn gave
  // way to stealth (4), kind 11, kind 10 and kind 9 further down the chain.
  std::map<int, int> after;
  for (const auto& m : d["monsters"]["list"]) after[m["type"].get<int>()]++;
  EXPECT_EQ(after[1], 93);
  EXPECT_EQ(after[3], 5);
  EXPECT_EQ(after[11], 1);
  EXPECT_EQ(after[9], 13);
  EXPECT_EQ(d["monsters"]["count"], 112);  // one replacement per death
  EXPECT_EQ(d["survival"]["spawns"], 13);
  EXPECT_EQ(d["survival"]["tier"], 11);
  EXPECT_EQ(d["survival"]["bosses"], 0);
}

// Place of each kind on the survival chain 1 -> 3 -> 4 -> 11 -> 10 -> 9 -> 2 -> 8:
// every kill short of kind 8 puts one monster a step further on.
int CHAINRANK(int kind) {
  static const std::map<int, int> rank = {{1, 0}, {3, 1}, {4, 2}, {11, 3}, {10, 4}, {9, 5}, {2, 6}, {8, 7}};
  const auto it = rank.find(kind);
  return it == rank.end() ? -100 : it->second;
}

struct TALLY {
  int count = 0, ranks = 0;
  std::map<int, int> kinds;
};
TALLY TALLYMONSTERS(const nlohmann::json& d) {
  TALLY t;
  for (const auto& m : d["monsters"]["list"]) {
    const int k = m["type"].get<int>();
    t.count++;
    t.ranks += CHAINRANK(k);
    t.kinds[k]++;
  }
  return t;
}

TEST(ModesRun, LongBotRunClimbsTheSurvivalChain) {
  TempDir dir;
  const std::string file = HERE + BOTRUNFILE;
  // The level as generated: only grunts (1) and kind-9 monsters.
  std::ofstream(dir.path + "/none.txt") << "# no input\n";
  const TALLY before = TALLYMONSTERS(RUNMODE(dir, BOTRUNLEVEL, dir.path + "/none.txt", 5, 5, " NOSOUND"));
  ASSERT_EQ(before.kinds.size(), 2u);
  ASSERT_EQ(before.kinds.at(1), BOTRUNGRUNTS);
  ASSERT_EQ(before.kinds.at(9), BOTRUNNINES);

  const nlohmann::json d = RUNMODE(dir, BOTRUNLEVEL, file, BOTRUNFRAMES, 5, " NOSOUND");
  ASSERT_TRUE(d.contains("survival")) << d.dump();
  EXPECT_EQ(d["mode"], "survival");
  EXPECT_EQ(d["frames"], BOTRUNFRAMES);
  EXPECT_FALSE(d["players"][0]["dead"].get<bool>()) << "the player is still standing";
  EXPECT_EQ(d["victory"], 0);
  const TALLY after = TALLYMONSTERS(d);
  const int spawns = d["survival"]["spawns"].get<int>();
  EXPECT_EQ(spawns, BOTRUNSPAWNS);
  // No kind-8 monster has died yet (the access story has not been told), so
  // every kill was replaced one step further along the chain: the number of
  // monsters is unchanged and the ranks rose by one per kill.
  EXPECT_FALSE(d["survival"]["access"].get<bool>());
  EXPECT_EQ(after.count, before.count);
  EXPECT_EQ(after.ranks - before.ranks, spawns);
  // The tiers on the level now reach past the start's kinds.
  for (int k : {3, 4, 11, 10, 2}) EXPECT_TRUE(after.kinds.count(k)) << "kind " << k;
  EXPECT_EQ(after.kinds.count(12), 0u);
  EXPECT_EQ(d["survival"]["bosses"], 0);
}

// A run of level 74 that goes all the way down the chain to the boss (see
// the recording's header): replayed, it must bring the level's 130 monsters
// down to the boss and the grunts nobody can reach, with the player standing.
const char* const LONGFILE = "survival74_long.txt";
constexpr int LONGFRAMES = 152360;
constexpr int LONGLEFT = 6, LONGSPAWNS = 802;

// Kills the chain still asks of a monster of kind K.
int CHAINDEBT(int kind) { return kind == 5 || kind == 12 ? 1 : CHAINRANK(kind) < 0 ? 0 : 8 - CHAINRANK(kind); }

// Cells of the dumped map a player at (X, Y) can walk to, rock being the one
// lasting wall of a generated level (row strings top line first).
std::set<std::pair<int, int>> WALKFROM(const nlohmann::json& rows, int x, int y) {
  const int h = static_cast<int>(rows.size());
  auto rock = [&](int cx, int cy) {
    const std::string& r = rows[h - cy].get_ref<const std::string&>();
    return cx < 1 || cy < 1 || cy > h || cx > static_cast<int>(r.size()) || r[cx - 1] == 'R';
  };
  std::set<std::pair<int, int>> seen = {{x, y}};
  std::vector<std::pair<int, int>> todo = {{x, y}};
  while (!todo.empty()) {
    const auto [cx, cy] = todo.back();
    todo.pop_back();
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      if (!rock(cx + dx, cy + dy) && seen.insert({cx + dx, cy + dy}).second) todo.push_back({cx + dx, cy + dy});
  }
  return seen;
}

TEST(SurvivalLong, TheWholeLevelGoesDownTheChainAndTheBossAppears) {
  TempDir dir;
  std::ofstream(dir.path + "/none.txt") << "# no input\n";
  const TALLY before = TALLYMONSTERS(RUNMODE(dir, BOTRUNLEVEL, dir.path + "/none.txt", 5, 5, " NOSOUND"));
  ASSERT_EQ(before.count, BOTRUNGRUNTS + BOTRUNNINES);
  int debtBefore = 0;
  for (const auto& [k, n] : before.kinds) debtBefore += n * CHAINDEBT(k);
  EXPECT_EQ(debtBefore, 965);

  const nlohmann::json d = RUNMODE(dir, BOTRUNLEVEL, HERE + LONGFILE, LONGFRAMES, 5, " NOSOUND");
  ASSERT_TRUE(d.contains("survival")) << d.dump();
  EXPECT_EQ(d["frames"], LONGFRAMES);
  const auto& p = d["players"][0];
  EXPECT_FALSE(p["dead"].get<bool>()) << "one life, never lost";
  EXPECT_EQ(d["victory"], 0);
  EXPECT_TRUE(p["keys"][5].get<bool>()) << "the access key of the first kind-8 kill";
  std::string said;
  for (const auto& l : d["objective"]["lines"]) said += l.get<std::string>();
  EXPECT_NE(said.find("It is the Infernal"), std::string::npos) << said;
  const TALLY after = TALLYMONSTERS(d);
  EXPECT_EQ(after.count, LONGLEFT);
  EXPECT_EQ(d["survival"]["spawns"], LONGSPAWNS);
  // Each kill either placed the next tier or, for kind 8, ended a chain: the
  // monsters that vanished are the kind-8 deaths, and the debt fell by one
  // for every kill but two (the T-1000 the last kind-8 called, and the boss
  // that took the T-1000's place, owe as much as what they replaced).
  int debtAfter = 0;
  for (const auto& [k, n] : after.kinds) debtAfter += n * CHAINDEBT(k);
  EXPECT_EQ(debtAfter, 5 * 8 + 1);
  EXPECT_EQ(debtBefore - debtAfter + 2, LONGSPAWNS + before.count - after.count);
  // The boss is on the level, awake and wounded.
  ASSERT_EQ(after.kinds.count(12), 1u);
  EXPECT_EQ(after.kinds.at(12), 1);
  for (const auto& m : d["monsters"]["list"])
    if (m["type"] == 12) {
      EXPECT_EQ(m["saw"], 1);
      EXPECT_LT(m["energy"].get<int>(), 4000);
    }
  // The grunts still there are the ones no player can get at: none of them
  // stands on a cell the player can walk to.
  ASSERT_TRUE(after.kinds.count(1));
  const auto reach = WALKFROM(d["map"], p["x"].get<int>(), p["y"].get<int>());
  int grunts = 0;
  for (const auto& m : d["monsters"]["list"]) {
    if (m["type"] != 1) continue;
    grunts++;
    EXPECT_FALSE(reach.count({m["x"].get<int>(), m["y"].get<int>()})) << m.dump();
  }
  EXPECT_EQ(grunts, 5);
  EXPECT_EQ(d["survival"]["bosses"], 1);
  EXPECT_FALSE(d["survival"]["bossdown"].get<bool>());
}

TEST(ModesRun, DeathmatchDeathsScoreForTheRivalAndSpaceBringsThePlayerBack) {
  TempDir dir;
  const std::string input = HERE + "deathmatch_respawn.txt";
  // Both have fallen to the arena's monsters: one death each, and each death
  // is a frag for the other player. The game goes on.
  nlohmann::json d = RUNMODE(dir, 50, input, 1090, 3);
  ASSERT_TRUE(d.contains("players")) << d.dump();
  EXPECT_EQ(d["mode"], "deathmatch");
  EXPECT_EQ(d["numberofplayers"], 2);
  for (int p = 0; p < 2; p++) {
    EXPECT_TRUE(d["players"][p]["dead"].get<bool>()) << p;
    EXPECT_EQ(d["players"][p]["deaths"], 1) << p;
    EXPECT_EQ(d["players"][p]["frags"], 1) << p;
  }
  EXPECT_EQ(d["victory"], 0);
  // Player 1's Space brings him back with fresh health, away from the spot
  // where player 2 fell; player 2, who asked for nothing, stays dead.
  d = RUNMODE(dir, 50, input, 1200, 3);
  const auto& p1 = d["players"][0];
  const auto& p2 = d["players"][1];
  EXPECT_FALSE(p1["dead"].get<bool>());
  EXPECT_GT(p1["health"].get<double>(), 0.0);
  EXPECT_TRUE(p2["dead"].get<bool>());
  EXPECT_EQ(p1["deaths"], 1);
  const double apart = std::hypot(p1["x"].get<double>() - p2["x"].get<double>(),
                                  p1["y"].get<double>() - p2["y"].get<double>());
  EXPECT_GT(apart, 17.0);
  EXPECT_EQ(d["victory"], 0);
}

TEST(ModesRun, SecondKeyboardLayoutWalksPlayerTwoInTheArena) {
  TempDir dir;
  std::ofstream(dir.path + "/none.txt") << "# no input\n";
  const nlohmann::json still = RUNMODE(dir, 50, dir.path + "/none.txt", 80, 3);
  ASSERT_TRUE(still.contains("map")) << still.dump();
  const int sx = still["players"][1]["x"], sy = still["players"][1]["y"];
  // The walk by the map: down the open column until rock, then left until rock.
  const auto& rows = still["map"];
  const int h = static_cast<int>(rows.size());
  auto open = [&](int x, int y) { return rows[h - y].get<std::string>()[x - 1] == ' '; };
  int ex = sx, ey = sy;
  while (open(ex, ey - 1)) ey--;
  while (open(ex - 1, ey)) ex--;
  ASSERT_LT(ey, sy - 2) << "the arena offers a walk down from the second start";
  // Player 2 on K (down), then J (left); player 1 touches nothing.
  std::ofstream(dir.path + "/walk.txt") << "10 down k\n60 up k\n64 down j\n90 up j\n";
  const nlohmann::json d = RUNMODE(dir, 50, dir.path + "/walk.txt", 100, 3);
  EXPECT_EQ(d["players"][1]["x"], ex);
  EXPECT_EQ(d["players"][1]["y"], ey);
  EXPECT_EQ(d["players"][0]["x"], still["players"][0]["x"]);
  EXPECT_EQ(d["players"][0]["y"], still["players"][0]["y"]);
}

}  // namespace
