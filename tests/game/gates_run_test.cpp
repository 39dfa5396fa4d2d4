// The program walks hand-made levels from a script: a key opens a locked
// door, a trap knocks down the wall beyond it, a portal ends the level and
// names the next one; without the key the door stays shut and says why; a
// held use key swings the axe once, a second press swings it again.
#include <gtest/gtest.h>

#include "game/levelrun.h"
#include "test_util.h"

namespace {
using levelrun::RUNLEVEL;

// Key 6 ('h') and door 6 ('y'): a level started from the command line is
// handed keys 1..5 only. The trap at column 8 writes floor over the wall at
// column 10; the portal at column 12 leads to level 121.
std::string GATELEVEL(bool withkey) {
  return std::string("RRRRRRRRRRRRRR\n") + (withkey ? "RP h y   R   R\n" : "RP   y   R   R\n") +
         "RRRRRRRRRRRRRR\n:Gate test\n8,2,10,2- \n\"The wall crumbles!\"\n@12,2-121\n";
}

std::vector<std::string> LOG(const nlohmann::json& d) {
  std::vector<std::string> out;
  for (const auto& m : d["messages"])
    if (m["text"] != "") out.push_back(m["text"]);
  return out;
}

bool HAS(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}
}  // namespace

TEST(GatesRun, KeyDoorTrapAndPortalLeadToTheNextLevel) {
  TempDir dir;
  const nlohmann::json d = PARSEDUMP(RUNLEVEL(dir, GATELEVEL(true), "4 down d\n100 up d\n", 200));
  ASSERT_TRUE(d.contains("victory")) << d;
  EXPECT_EQ(d["victory"], 1);
  EXPECT_EQ(d["nextmap"], 121);
  EXPECT_EQ(d["currentmap"], 120);
  EXPECT_LT(d["frames"], 200) << "the level ended by itself";
  const nlohmann::json& p = d["players"][0];
  EXPECT_EQ(p["keys"][5], true) << "key 6 picked up";
  EXPECT_EQ(p["x"], 11) << "stepped back off the portal";
  ASSERT_EQ(d["doors"]["count"], 1);
  const nlohmann::json& door = d["doors"]["list"][0];
  EXPECT_EQ(door["type"], 6);
  EXPECT_EQ(door["x"], 6);
  EXPECT_EQ(door["y"], 2);
  EXPECT_GT(door["timer"], 0) << "opened and not yet closed";
  ASSERT_EQ(d["traps"]["count"], 1);
  EXPECT_EQ(d["traps"]["list"][0]["armed"], false);
  EXPECT_EQ(d["traps"]["list"][0]["activator"], 0);
  ASSERT_EQ(d["portals"]["count"], 1);
  EXPECT_EQ(d["portals"]["list"][0], nlohmann::json({{"x", 12}, {"y", 2}, {"level", 121}, {"type", 1}}));
  EXPECT_TRUE(HAS(LOG(d), "The wall crumbles!"));
}

TEST(GatesRun, WithoutTheKeyTheDoorStaysShut) {
  TempDir dir;
  const nlohmann::json d = PARSEDUMP(RUNLEVEL(dir, GATELEVEL(false), "4 down d\n100 up d\n", 120));
  ASSERT_TRUE(d.contains("victory")) << d;
  EXPECT_EQ(d["victory"], 0);
  EXPECT_EQ(d["players"][0]["x"], 5) << "stopped before the door";
  EXPECT_EQ(d["doors"]["list"][0]["timer"], 0);
  EXPECT_EQ(d["traps"]["list"][0]["armed"], true);
  const std::vector<std::string> log = LOG(d);
  EXPECT_TRUE(HAS(log, "Alpha key required.")) << d["messages"];
  EXPECT_EQ(d["messages"][6]["color"], 12);
}

TEST(GatesRun, AHeldUseKeySwingsTheAxeOnceAndANewPressAgain) {
  TempDir dir;
  // Level 108 keeps its items: two axes, then a friend boxed in by rock.
  const std::string map = "RRRRRRR\nRPAAURR\nRRRRRRR\n:Axe test\n";
  const std::string input = "4 down d\n14 up d\n20 down space\n40 up space\n50 down space\n52 up space\n";
  const nlohmann::json held = PARSEDUMP(RUNLEVEL(dir, map, input, 45, 108));
  ASSERT_TRUE(held.contains("players")) << held;
  EXPECT_EQ(held["players"][0]["inventory"], " A  ");
  EXPECT_EQ(held["players"][0]["chosenitem"], 2);
  ASSERT_EQ(held["monsters"]["count"], 1);
  EXPECT_EQ(held["monsters"]["list"][0]["energy"], 800) << "one blow while the key was held";
  const nlohmann::json again = PARSEDUMP(RUNLEVEL(dir, map, input, 70, 108));
  EXPECT_EQ(again["players"][0]["inventory"], "    ");
  EXPECT_EQ(again["monsters"]["list"][0]["energy"], 600);
}
