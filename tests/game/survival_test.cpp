// Survival and deathmatch: the mode tests, the tier chain and its story, the
// drops of kinds 6 and 12, placement of the next tier (with the fall-back to
// the death cell and the reseeding), the T-1000's last stand, and the return
// of a dead player on a spawn point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "game/doors.h"
#include "game/goals.h"
#include "game/survival.h"
#include "monsterfixture.h"
#include "render/hud.h"

using monstertest::HOOKCALL;
using monstertest::MONSTERFIELD;

namespace {

class Survival : public MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    CURRENTMAP = 71;
    NUMPORTALS = 0;
    DSNUMBER = 0;
    for (BYTE p = 1; p <= 2; p++) {
      for (int k = 1; k <= 10; k++) KEYS[p][k] = false;
      DEATHS[p] = 0;
    }
    CURRENTOBJECTIVELINES = 0;
    SURVIVALLEVELSTART();
  }
  void TearDown() override {
    CURRENTMAP = 1;
    MONSTERFIELD::TearDown();
  }
  static bool OBJECTIVESAYS(const std::string& start) {
    std::string all;
    for (int i = 1; i <= CURRENTOBJECTIVELINES && i <= MAX_OBJ_LINES; i++)
      all += TRIMSPACES(CURRENTOBJECTIVE[i]) + " ";
    return all.find(start) != std::string::npos;
  }
  // Kills monster N through the monster removal, as a weapon does.
  static void KILL(uint16_t n) { PURGEMONSTER2(n); }
  static int COUNTTYPE(BYTE t) {
    int c = 0;
    for (int m = 1; m <= NUMBEROFMONSTERS; m++) c += MONSTERTYPE[m] == t ? 1 : 0;
    return c;
  }
};

TEST_F(Survival, ModesFollowTheLevelNumberOnly) {
  struct CASE {
    BYTE map;
    bool deathmatch, survival;
  };
  const CASE cases[] = {{49, false, false}, {50, true, false},  {51, false, false},
                        {70, false, false}, {71, false, true},  {75, false, true},
                        {79, false, true},  {80, false, false}, {120, false, false}};
  for (const CASE& c : cases) {
    CURRENTMAP = c.map;
    EXPECT_EQ(DEATHMATCH(), c.deathmatch) << int(c.map);
    EXPECT_EQ(SURVIVAL(), c.survival) << int(c.map);
  }
}

TEST_F(Survival, TierChainWhileOthersRemain) {
  // One bystander keeps the level from being empty.
  ADDMONSTER(150, 90, 1, 0);
  const std::pair<BYTE, int32_t> chain[] = {{1, 3},  {3, 4},  {4, 11}, {11, 10}, {10, 9},
                                            {9, 2},  {2, 8},  {5, -1}, {6, -1},  {7, -1},
                                            {12, -1}, {0, -1}, {13, -1}};
  for (const auto& [t, next] : chain) {
    NUMPORTALS = 0;
    EXPECT_EQ(HANDLENEXTMONSTERTIER(20, 20, t), next) << int(t);
  }
}

TEST_F(Survival, KindEightUsuallyEndsTheChainAndSometimesCallsTheT1000) {
  ADDMONSTER(150, 90, 1, 0);
  int fives = 0, none = 0;
  for (int i = 0; i < 1000; i++) {
    const int32_t r = HANDLENEXTMONSTERTIER(20, 20, 8);
    if (r == 5) fives++;
    if (r == -1) none++;
  }
  EXPECT_EQ(fives + none, 1000);
  EXPECT_GT(fives, 150);  // one in five
  EXPECT_LT(fives, 250);
  // The first kind-8 death gave both players the access key, once.
  EXPECT_TRUE(KEYS[1][6]);
  EXPECT_TRUE(KEYS[2][6]);
  EXPECT_TRUE(OBJECTIVESAYS("My station is deflecting"));
  // With nothing else left the T-1000 always comes.
  NUMBEROFMONSTERS = 0;
  for (int i = 0; i < 50; i++) EXPECT_EQ(HANDLENEXTMONSTERTIER(20, 20, 8), 5);
}

TEST_F(Survival, BossOnlyAfterTheLastAndItsDeathOpensThePortal) {
  // The T-1000 with a grunt still alive: invulnerable, nothing spawns.
  const uint16_t t1000 = AWAKE(60, 60, 5);
  AWAKE(100, 80, 1);
  KILL(t1000);
  EXPECT_EQ(COUNTTYPE(5), 1);
  EXPECT_EQ(COUNTTYPE(12), 0);
  // The grunt dies: its next tier (kind 3) takes its place.
  KILL(FINDMONSTER(100, 80));
  EXPECT_EQ(COUNTTYPE(3), 1);
  KILL(FINDMONSTER(MONSTERX[2], MONSTERY[2]));
  EXPECT_EQ(COUNTTYPE(4), 1);
  // The stealth monster leaves the table without a death (index 2, after
  // the T-1000), so the T-1000 stands alone.
  ASSERT_EQ(NUMBEROFMONSTERS, 2);
  ASSERT_EQ(MONSTERTYPE[2], 4);
  MAP[MONSTERX[2]][MONSTERY[2]] = ' ';
  NUMBEROFMONSTERS = 1;
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  ASSERT_EQ(MONSTERTYPE[1], 5);
  EXPECT_EQ(SURVIVALBOSSDOWN, false);
  KILL(1);
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERTYPE[1], 12);
  EXPECT_EQ(SURVIVALLASTTIER, 12);
  EXPECT_TRUE(OBJECTIVESAYS("It is the Infernal"));
  // The boss dies: key 2 and the exit portal to the next level on its cell.
  const BYTE bx = MONSTERX[1], by = MONSTERY[1];
  KILL(1);
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
  ASSERT_EQ(NUMPORTALS, 1);
  EXPECT_EQ(PORTALX[1], bx);
  EXPECT_EQ(PORTALY[1], by);
  EXPECT_EQ(PORTALLEVEL[1], 72);
  EXPECT_EQ(PORTALTYPE[1], 1);
  EXPECT_EQ(MAP[bx][by], '%');
  EXPECT_EQ(MDAMAGE[bx][by], 2);
  EXPECT_TRUE(SURVIVALBOSSDOWN);
  EXPECT_TRUE(OBJECTIVESAYS("It's time to go home"));
}

TEST_F(Survival, DropsOfKindsSixAndTwelveInEveryMode) {
  for (BYTE map : {71, 50, 120}) {
    CURRENTMAP = map;
    NUMBEROFMONSTERS = 0;
    MAP[30][30] = MAP[32][30] = ' ';
    KILL(AWAKE(30, 30, 12));
    EXPECT_EQ(MAP[30][30], '%') << int(map);
    EXPECT_EQ(MDAMAGE[30][30], 2);
    EXPECT_EQ(MFATTR[30][30], KEYCOLOR[2]);
    EXPECT_EQ(OOGA[30][MAPSIZEY - 30 + 1], KEYCOLOR[2] + 130);
    EXPECT_EQ(KEYSLOOK[2 - 1], 's');
    KILL(AWAKE(32, 30, 6));
    EXPECT_EQ(MAP[32][30], '\'') << int(map);
  }
  // Outside survival nothing replaces them.
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
}

TEST_F(Survival, NextTierGoesFarFromThePlayerWithinReach) {
  PLACE(1, 80, 50);
  for (int i = 0; i < 20; i++) {
    NUMBEROFMONSTERS = 0;
    const uint16_t m = AWAKE(82, 50, 1);
    PLAYERHEALTH[1] = 100 - i;  // a different seed each round
    KILL(m);
    ASSERT_EQ(NUMBEROFMONSTERS, 1);
    EXPECT_EQ(MONSTERTYPE[1], 3);
    const int x = MONSTERX[1], y = MONSTERY[1];
    EXPECT_GT(std::hypot(x - 80, y - 50), 17.0) << x << "," << y;
    EXPECT_LE(std::hypot(x - 80, y - 50), 40.0);
    EXPECT_EQ(MAP[x][y], 'M');
    MAP[x][y] = ' ';
  }
  EXPECT_EQ(SURVIVALFALLBACKS, 0);
}

TEST_F(Survival, PlacementIsReseededFromTheHealths) {
  PLACE(1, 80, 50);
  std::vector<std::pair<int, int>> cells;
  for (int run = 0; run < 3; run++) {
    NUMBEROFMONSTERS = 0;
    RANDSEED(1000 + run);  // whatever the generator held before
    PLAYERHEALTH[1] = 73.4;
    PLAYERHEALTH[2] = 100;
    KILL(AWAKE(82, 50, 3));
    ASSERT_EQ(NUMBEROFMONSTERS, 1);
    cells.push_back({MONSTERX[1], MONSTERY[1]});
    MAP[MONSTERX[1]][MONSTERY[1]] = ' ';
  }
  EXPECT_EQ(cells[0], cells[1]);
  EXPECT_EQ(cells[1], cells[2]);
  EXPECT_EQ(RANDSEEDVALUE(), 173u);
}

TEST_F(Survival, NoAcceptableCellPutsTheNextTierOnTheDeathCell) {
  struct CASE {
    const char* what;
    int open;  // free cells kept around the player (radius), -1: none at all
  };
  const CASE cases[] = {{"only cells near the player", 6}, {"no free cell anywhere", -1}};
  for (const CASE& c : cases) {
    for (int x = 1; x <= 160; x++)
      for (int y = 1; y <= 100; y++) MAP[x][y] = 'R';
    NUMBEROFMONSTERS = 0;
    SURVIVALFALLBACKS = 0;
    PLACE(1, 80, 50);
    for (int x = 80 - c.open; c.open >= 0 && x <= 80 + c.open; x++)
      for (int y = 50 - c.open; y <= 50 + c.open; y++)
        if (MAP[x][y] == 'R') MAP[x][y] = ' ';
    MAP[84][50] = ' ';
    KILL(AWAKE(84, 50, 10));
    ASSERT_EQ(NUMBEROFMONSTERS, 1) << c.what;
    EXPECT_EQ(MONSTERTYPE[1], 9) << c.what;
    EXPECT_EQ(MONSTERX[1], 84) << c.what;
    EXPECT_EQ(MONSTERY[1], 50) << c.what;
    EXPECT_EQ(SURVIVALFALLBACKS, 1) << c.what;
  }
}

TEST_F(Survival, T1000IsInvulnerableOutsideItsLastStand) {
  struct CASE {
    BYTE map;
    bool bystander;
    bool dies;
  };
  const CASE cases[] = {{71, true, false}, {71, false, true}, {120, false, false}, {50, false, false}};
  for (const CASE& c : cases) {
    CURRENTMAP = c.map;
    NUMBEROFMONSTERS = 0;
    const uint16_t t = AWAKE(60, 60, 5);
    if (c.bystander) AWAKE(150, 90, 9);
    KILL(t);
    EXPECT_EQ(COUNTTYPE(5), c.dies ? 0 : 1) << int(c.map) << c.bystander;
  }
}

TEST_F(Survival, SeveralT1000sLeftAloneFallOneByOneAndTheLastCallsTheBoss) {
  // Kind-8 deaths leave a T-1000 behind now and then; when the rest of the
  // level is cleared two or more of them may remain, and the level must still
  // be winnable.
  const uint16_t a = AWAKE(60, 60, 5);
  AWAKE(100, 80, 5);
  AWAKE(120, 30, 5);
  KILL(a);
  ASSERT_EQ(NUMBEROFMONSTERS, 2);
  EXPECT_EQ(COUNTTYPE(5), 2);
  EXPECT_EQ(COUNTTYPE(12), 0) << "no boss while another T-1000 stands";
  KILL(1);
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(COUNTTYPE(12), 0);
  KILL(1);
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERTYPE[1], 12);
  EXPECT_TRUE(OBJECTIVESAYS("It is the Infernal"));
}

TEST_F(Survival, MonstersSealedInRockDoNotHoldBackTheChain) {
  // A grunt in a pocket of rock at (100, 80), still open on its left.
  const uint16_t t1000 = AWAKE(60, 60, 5);
  AWAKE(100, 80, 1);
  for (int x = 98; x <= 102; x++)
    for (int y = 78; y <= 82; y++)
      if (std::max(std::abs(x - 100), std::abs(y - 80)) == 2) WALL(x, y);
  MAP[98][80] = ' ';
  MAP[99][80] = ' ';
  EXPECT_EQ(MONSTERSWITHINREACH(true), 2);
  EXPECT_EQ(MONSTERSWITHINREACH(false), 1);
  KILL(t1000);
  EXPECT_EQ(COUNTTYPE(5), 1) << "a grunt the player can get at still shields the T-1000";
  // Sealed: the player can never reach it, so the T-1000 stands alone.
  WALL(98, 80);
  EXPECT_EQ(MONSTERSWITHINREACH(true), 1);
  EXPECT_EQ(MONSTERSWITHINREACH(false), 0);
  KILL(FINDMONSTER(60, 60));
  EXPECT_EQ(COUNTTYPE(5), 0);
  ASSERT_EQ(COUNTTYPE(12), 1) << "the boss comes although the sealed grunt lives";
  EXPECT_EQ(COUNTTYPE(1), 1);
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++)
    if (MONSTERTYPE[m] == 12) KILL(m);
  EXPECT_TRUE(SURVIVALBOSSDOWN);
  // A kind-8 death with only the sealed grunt besides always calls a T-1000.
  for (int i = 0; i < 20; i++) EXPECT_EQ(HANDLENEXTMONSTERTIER(20, 20, 8), 5);
  // With no player on the map every monster counts.
  EXPECT_EQ(MONSTERSWITHINREACH(true), 0);
  MAP[PLAYERX[1]][PLAYERY[1]] = ' ';
  PLAYERX[1] = PLAYERY[1] = 0;
  EXPECT_EQ(MONSTERSWITHINREACH(true), 1);
}

TEST_F(Survival, SpawnPlayerUsesSpawnPointsInDeathmatchAndTheStartElsewhere) {
  const std::pair<BYTE, BYTE> points[] = {{10, 10}, {100, 20}, {140, 80}};
  DSNUMBER = 3;
  for (int k = 0; k < 3; k++) {
    DSX[k + 1] = points[k].first;
    DSY[k + 1] = points[k].second;
  }
  PLAYERSTARTX[2] = 5;
  PLAYERSTARTY[2] = 6;
  CURRENTMAP = 50;
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < 60; i++) {
    SPAWNPLAYER(2);
    seen.insert({PLAYERX[2], PLAYERY[2]});
    MAP[PLAYERX[2]][PLAYERY[2]] = ' ';
  }
  EXPECT_EQ(seen, (std::set<std::pair<int, int>>{{10, 10}, {100, 20}, {140, 80}}));
  for (BYTE map : {71, 120}) {
    CURRENTMAP = map;
    NUMBEROFBLINKS = 0;
    SPAWNPLAYER(2);
    EXPECT_EQ(PLAYERX[2], 5);
    EXPECT_EQ(PLAYERY[2], 6);
    EXPECT_EQ(MAP[5][6], 'P');
    // Five flashes: centre, left, right, up, down.
    const std::vector<HOOKCALL> want = {
        {5, 6, 1, 11, 0}, {4, 6, 1, 11, 0}, {6, 6, 1, 11, 0}, {5, 7, 1, 11, 0}, {5, 5, 1, 11, 0}};
    EXPECT_EQ(monstertest::BLINKCALLS(), want);
    MAP[5][6] = ' ';
  }
}

TEST_F(Survival, ArenaWithoutSpawnPointsKeepsTheRivalsApart) {
  CURRENTMAP = 50;
  NUMBEROFPLAYERS = 2;
  DSNUMBER = 0;
  PLACE(1, 20, 20);
  PLAYERSTARTX[2] = 20;
  PLAYERSTARTY[2] = 21;
  for (int i = 0; i < 10; i++) {
    SPAWNPLAYER(2);
    EXPECT_GT(std::hypot(PLAYERX[2] - 20.0, PLAYERY[2] - 20.0), 17.0);
    MAP[PLAYERX[2]][PLAYERY[2]] = ' ';
  }
}

TEST_F(Survival, DeathsCountInDeathmatchAndAReturnRequestRespawns) {
  struct CASE {
    BYTE map;
    int deaths;
  };
  for (const CASE& c : {CASE{50, 1}, CASE{71, 0}}) {
    CURRENTMAP = c.map;
    NUMBEROFPLAYERS = 2;
    DEATHS[1] = DEATHS[2] = 0;
    PLACE(2, 30, 30);
    DSNUMBER = 1;
    DSX[1] = 90;
    DSY[1] = 70;
    PLAYERSTARTX[2] = 44;
    PLAYERSTARTY[2] = 45;
    PLAYERHEALTH[2] = 0;
    DEAD[2] = false;
    CHECKGOALS();
    EXPECT_TRUE(DEAD[2]);
    EXPECT_EQ(DEATHS[2], c.deaths) << int(c.map);
    EXPECT_EQ(DEATHS[1], 0);
    EXPECT_EQ(MAP[30][30], ' ');
    // Space from the dead player: the return request.
    PLAYERHEALTH[2] = 254;
    CHECKGOALS();
    EXPECT_FALSE(DEAD[2]);
    EXPECT_LE(PLAYERHEALTH[2], 100);
    const std::pair<int, int> at = {PLAYERX[2], PLAYERY[2]};
    EXPECT_EQ(at, c.map == 50 ? std::make_pair(90, 70) : std::make_pair(44, 45));
    EXPECT_EQ(MAP[at.first][at.second], 'P');
    MAP[at.first][at.second] = ' ';
  }
}

}  // namespace
