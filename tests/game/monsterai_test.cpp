// The monster step: noticing, speed dividers, each move rule, the legality
// test by type, contact, burning, mines and the ranged attacks by kind.
#include <cmath>

#include "game/monsterfixture.h"

namespace {

class MonsterAI : public monstertest::MONSTERFIELD {};

struct NOTICECASE {
  BYTE type;
  int dx, dy;  // monster offset from the player
  bool wall;   // a wall column halfway between
  bool noticed;
};

TEST_F(MonsterAI, NoticingRangeAndSight) {
  const NOTICECASE cases[] = {
      {1, 19, 0, false, true},  {1, 20, 0, false, false}, {1, 12, 12, false, true},
      {1, 15, 14, false, false}, {1, 10, 0, true, false},  {4, 3, 2, false, true},
      {4, 4, 0, false, false},  {12, 19, 5, false, true},
  };
  for (const NOTICECASE& c : cases) {
    SetUp();
    const BYTE mx = static_cast<BYTE>(40 + c.dx), my = static_cast<BYTE>(40 + c.dy);
    if (c.wall)
      for (int y = 30; y <= 50; y++) WALL(40 + c.dx / 2, y);
    ADDMONSTER(mx, my, c.type, 0);
    MONSTERS();
    EXPECT_EQ(SAW[1], c.noticed ? 1 : 0) << int(c.type) << " at " << c.dx << "," << c.dy;
    EXPECT_EQ(MNOTICED, c.noticed ? 1 : 0);
  }
}

TEST_F(MonsterAI, TargetIsTheNearerLivingPlayer) {
  // Both players in row 20, the monster at (20, 20); a tie goes to player 2.
  const int cases[][5] = {{24, 30, 0, 0, 1}, {30, 24, 0, 0, 2}, {24, 16, 0, 0, 2},
                          {24, 30, 1, 0, 2}, {24, 30, 1, 1, 1}, {30, 24, 0, 1, 1}};
  for (const auto& c : cases) {
    SetUp();
    NUMBEROFPLAYERS = 2;
    PLACE(1, static_cast<BYTE>(c[0]), 20);
    PLACE(2, static_cast<BYTE>(c[1]), 20);
    DEAD[1] = c[2];
    DEAD[2] = c[3];
    EXPECT_EQ(MONSTERTARGET(AWAKE(20, 20, 1)), c[4]) << c[0] << " " << c[1] << " " << c[2] << c[3];
  }
}

TEST_F(MonsterAI, SpeedDividersOverTwelveCalls) {
  // Acting calls out of 12 consecutive ones, by type.
  const int expected[13] = {0, 6, 2, 3, 6, 6, 3, 12, 3, 3, 6, 3, 3};
  for (BYTE t = 1; t <= 12; t++) {
    int acts = 0;
    for (int i = 0; i < 12; i++) {
      MONSTERCOUNTER1 = static_cast<BYTE>((i + 1) % 4);
      MONSTERCOUNTER2 = static_cast<BYTE>((i + 1) % 6);
      MONSTERCOUNTER3 = static_cast<BYTE>((i + 1) % 2);
      ADDMONSTER(10, 10, t, 0);
      acts += MONSTERACTS(NUMBEROFMONSTERS);
    }
    EXPECT_EQ(acts, expected[t]) << "type " << int(t);
  }
  // A grunt far from walls walks on every second call.
  const uint16_t g = AWAKE(30, 40, 1);
  for (int i = 0; i < 8; i++) MONSTERS();
  EXPECT_EQ(MONSTERX[g], 34);
}

struct MOVECASE {
  const char* name;
  BYTE type;
  int px, py;                        // player cell; monster at (20, 20)
  std::vector<std::pair<int, int>> walls;
  int ex, ey;                        // expected cell after one acting call
};

TEST_F(MonsterAI, MoveRulesByType) {
  const MOVECASE cases[] = {
      // Chase by distance: the grunt in the player's row.
      {"grunt row", 1, 30, 20, {}, 21, 20},
      {"grunt row, toward blocked", 1, 30, 20, {{21, 20}}, 19, 20},
      {"grunt row, both blocked", 1, 30, 20, {{21, 20}, {19, 20}}, 20, 20},
      // Equal distances: toward-in-y (index 3) before toward-in-x (index 4).
      {"grunt diagonal tie", 1, 23, 23, {}, 20, 21},
      {"grunt nearer in x", 1, 30, 22, {}, 21, 20},
      // Chase by priority: toward-x, toward-y, away-x, away-y.
      {"soldier", 3, 30, 25, {}, 21, 20},
      {"soldier toward-x blocked", 3, 30, 25, {{21, 20}}, 20, 21},
      {"soldier toward blocked", 3, 30, 25, {{21, 20}, {20, 21}}, 19, 20},
      {"soldier only away-y", 3, 30, 25, {{21, 20}, {20, 21}, {19, 20}}, 20, 19},
      {"eraser as soldier", 8, 30, 25, {{21, 20}}, 20, 21},
      {"T-1000 near", 5, 30, 25, {}, 21, 20},
      {"T-1000 beyond 20", 5, 45, 20, {}, 20, 20},
      // The medic flees: away-y first, then away-x.
      {"medic", 7, 25, 25, {}, 20, 19},
      {"medic away-y blocked", 7, 25, 25, {{20, 19}}, 19, 20},
      {"medic in the row", 7, 25, 20, {}, 19, 20},
      // Diagonal seekers: the neighbour nearest to a diagonal through the player.
      {"type 9", 9, 22, 25, {}, 19, 20},
      {"type 10", 10, 22, 25, {}, 19, 20},
      {"type 11 blocked", 11, 22, 25, {{19, 20}}, 20, 21},
      {"type 9 on the diagonal", 9, 25, 25, {}, 20, 19},
  };
  for (const MOVECASE& c : cases) {
    SetUp();
    PLACE(1, static_cast<BYTE>(c.px), static_cast<BYTE>(c.py));
    for (auto [x, y] : c.walls) WALL(x, y);
    const uint16_t m = AWAKE(20, 20, c.type);
    ACTNOW();
    EXPECT_EQ(MONSTERX[m], c.ex) << c.name;
    EXPECT_EQ(MONSTERY[m], c.ey) << c.name;
    EXPECT_EQ(MAP[c.ex][c.ey], 'M') << c.name;
    if (c.ex != 20 || c.ey != 20) {
      EXPECT_EQ(MAP[20][20], ' ') << c.name;
      EXPECT_EQ(MONSTERX_[m], 20) << c.name;
    }
  }
}

TEST_F(MonsterAI, StealthMonsterMovesOnlyWhileSeen) {
  PLACE(1, 24, 20);
  const uint16_t m = AWAKE(20, 20, 4);
  WALL(22, 20);  // no straight line to the player: frozen, though awake
  for (int i = 0; i < 3; i++) ACTNOW();
  EXPECT_EQ(MONSTERX[m], 20);
  EXPECT_EQ(MONSTERY[m], 20);
  EXPECT_EQ(MAP[20][20], 'M');
  MAP[22][20] = ' ';
  ACTNOW();
  EXPECT_EQ(MONSTERX[m], 21);
  // The classic style camouflages it with the colour of a neighbour.
  MAP[22][21] = 'T';
  MFATTR[22][21] = 2;
  ACTNOW();
  EXPECT_EQ(MONSTERX[m], 22);
  EXPECT_EQ(MFATTR[22][20], 2);
}

TEST_F(MonsterAI, FriendKeepsNearTheBoss) {
  // The step is random without a link; the boss decides which steps qualify.
  // Far from the boss (at 40, 20) it never steps away; near (at 22, 20) it
  // never steps closer.
  for (int trial = 0; trial < 20; trial++)
    for (int bossx : {40, 22}) {
      SetUp();
      RANDSEED(trial);
      const uint16_t f = AWAKE(20, 20, 6);
      AWAKE(static_cast<BYTE>(bossx), 20, 12);
      ACTNOW();
      const double d = DISTANCE(MONSTERX[f], MONSTERY[f], bossx, 20);
      if (bossx == 40) EXPECT_LE(d, 20.0) << trial;
      else EXPECT_GE(d, 2.0) << trial;
    }
  // Without a boss it wanders: it moves on every acting call in the open.
  SetUp();
  const uint16_t f = AWAKE(20, 20, 6);
  for (int i = 0; i < 10; i++) {
    ACTNOW();
    EXPECT_TRUE(MONSTERX[f] != MONSTERX_[f] || MONSTERY[f] != MONSTERY_[f]);
  }
}

struct CANGOCASE {
  const char* name;
  BYTE type;
  unsigned char cell;
  bool ok;
};

TEST_F(MonsterAI, CellsEachTypeMayEnter) {
  const CANGOCASE cases[] = {
      {"grunt floor", 1, ' ', true},   {"grunt mine", 1, '$', true},    {"grunt flame", 1, 'o', false},
      {"soldier mine", 3, '$', true},  {"medic mine", 7, '$', true},    {"proto mine", 2, '$', false},
      {"T-1000 floor", 5, ' ', true},  {"type 9 mine", 9, '$', false},  {"stealth mine", 4, '$', true},
      {"friend floor", 6, ' ', true},  {"eraser floor", 8, ' ', true},  {"eraser mine", 8, '$', false},
      {"boss flame o", 12, 'o', true}, {"boss flame O", 12, 'O', true}, {"boss mine", 12, '$', false},
      {"type 10 floor", 10, ' ', false}, {"type 11 floor", 11, ' ', false}, {"grunt rock", 1, 'R', false},
  };
  for (const CANGOCASE& c : cases) {
    SetUp();
    const uint16_t m = AWAKE(20, 20, c.type);
    MAP[21][20] = c.cell;
    EXPECT_EQ(MONSTERCANGO(m, 21, 20), c.ok) << c.name;
  }
  EXPECT_FALSE(MONSTERCANGO(1, 0, 20));   // off the grid
  EXPECT_FALSE(MONSTERCANGO(99, 21, 21));  // no such monster
}

TEST_F(MonsterAI, RocketDodges) {
  // A rocket at (30, 20) in the row: (21, 20) is nearer to it than the
  // monster at (20, 20) is, (19, 20) is not; (21, 21) is off its lines.
  for (BYTE type : {2, 4, 5, 9}) {
    SetUp();
    const uint16_t m = AWAKE(20, 20, type);
    NUMBEROFROCKETS = 1;
    ROCKETX[1] = 30;
    ROCKETY[1] = 20;
    ROCKETXOFFSET[1] = -1;
    ROCKETYOFFSET[1] = 0;
    EXPECT_FALSE(MONSTERCANGO(m, 21, 20)) << int(type);
    EXPECT_TRUE(MONSTERCANGO(m, 19, 20)) << int(type);
    EXPECT_TRUE(MONSTERCANGO(m, 21, 21)) << int(type);
    WALL(25, 20);  // out of the rocket's sight
    EXPECT_TRUE(MONSTERCANGO(m, 21, 20)) << int(type);
  }
  // The friend dodges too, and keeps off cells diagonal to another monster.
  SetUp();
  const uint16_t f = AWAKE(50, 50, 6);
  NUMBEROFROCKETS = 1;
  ROCKETX[1] = 50;
  ROCKETY[1] = 60;
  EXPECT_FALSE(MONSTERCANGO(f, 50, 51));
  EXPECT_TRUE(MONSTERCANGO(f, 50, 49));
  EXPECT_TRUE(MONSTERCANGO(f, 49, 50));
  NUMBEROFROCKETS = 0;
  MAP[48][51] = 'M';
  EXPECT_FALSE(MONSTERCANGO(f, 49, 50));
  EXPECT_TRUE(MONSTERCANGO(f, 51, 50));
}

TEST_F(MonsterAI, EraserAvoidsLinesOfFire) {
  const uint16_t m = AWAKE(20, 20, 8);
  PLACE(1, 30, 21);
  CHOSENWEAPON[1] = 4;
  WEAPONAMMO[1][4] = 10;
  EXPECT_FALSE(MONSTERCANGO(m, 20, 21));  // in the player's row, in sight, loaded
  EXPECT_TRUE(MONSTERCANGO(m, 21, 20));
  WEAPONAMMO[1][4] = 0;
  EXPECT_TRUE(MONSTERCANGO(m, 20, 21));  // empty weapon
  CHOSENWEAPON[1] = 5;
  WEAPONAMMO[1][5] = 10;
  EXPECT_TRUE(MONSTERCANGO(m, 20, 21));  // weapon 5 does not count
  CHOSENWEAPON[1] = 4;
  WEAPONAMMO[1][4] = 10;
  WALL(25, 21);
  EXPECT_TRUE(MONSTERCANGO(m, 20, 21));  // out of sight
  // Ahead of a rocket flying right along row 20, but not behind it.
  NUMBEROFROCKETS = 1;
  ROCKETX[1] = 15;
  ROCKETY[1] = 20;
  ROCKETXOFFSET[1] = 1;
  ROCKETYOFFSET[1] = 0;
  EXPECT_FALSE(MONSTERCANGO(m, 21, 20));
  EXPECT_TRUE(MONSTERCANGO(m, 14, 20));
}

TEST_F(MonsterAI, BossHidesWhileItsTimerRuns) {
  const uint16_t b = AWAKE(20, 20, 12, 3);
  PLACE(1, 30, 21);
  EXPECT_FALSE(MONSTERCANGO(b, 20, 21));  // the player's row, seen through monsters too
  MAP[25][21] = 'M';
  EXPECT_FALSE(MONSTERCANGO(b, 20, 21));
  EXPECT_TRUE(MONSTERCANGO(b, 21, 20));
  MEDICTARGET[b] = 0;
  EXPECT_TRUE(MONSTERCANGO(b, 20, 21));
  // Any rocket in the row or column keeps it out, whatever its direction.
  NUMBEROFROCKETS = 1;
  ROCKETX[1] = 60;
  ROCKETY[1] = 21;
  EXPECT_FALSE(MONSTERCANGO(b, 20, 21));
  // The hide timer counts down on its acting calls.
  MEDICTARGET[b] = 2;
  NUMBEROFROCKETS = 0;
  ACTNOW();
  EXPECT_EQ(MEDICTARGET[b], 1);
}

TEST_F(MonsterAI, ContactHurtsPlayersAndTanks) {
  PLACE(1, 22, 20);
  const uint16_t m = AWAKE(20, 20, 3);  // soldier, contact 10
  ACTNOW();
  EXPECT_EQ(MONSTERX[m], 21);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 90);
  // In a tank the player is safe; the tank takes the damage instead.
  SetUp();
  NUMBEROFTANKS = 1;
  TANKX[1] = 30;
  TANKY[1] = 22;
  TANKHEALTH[1] = 50;
  INTANK[1] = 1;
  PLACE(1, 31, 21);
  AWAKE(29, 19, 8);  // Eraser: 5 to a tank; walled in where it stands
  WALL(30, 19);
  WALL(29, 20);
  WALL(28, 19);
  WALL(29, 18);
  ACTNOW();
  EXPECT_EQ(TANKHEALTH[1], 45);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 100);
  TANKHEALTH[1] = 5;  // below 6: destroyed by the heavy kinds
  ACTNOW();
  EXPECT_EQ(NUMBEROFTANKS, 0);
  EXPECT_EQ(INTANK[1], 0);  // the player got out
}

TEST_F(MonsterAI, BurningAndMines) {
  PLACE(1, 30, 20);
  const uint16_t m = AWAKE(20, 20, 1);
  ONFIRE[m] = 2;
  MONSTERENERGY[m] = 2;
  MAP[21][20] = '$';
  ACTNOW();
  EXPECT_EQ(MONSTERX[m], 21);
  EXPECT_EQ(MAP[21][20], 'M');
  ASSERT_EQ(monstertest::MINECALLS().size(), 1u);
  EXPECT_EQ(monstertest::MINECALLS()[0], (monstertest::HOOKCALL{21, 20, 0, 0, 0}));
  EXPECT_EQ(MONSTERENERGY[m], 1);
  EXPECT_EQ(ONFIRE[m], 1);
  ACTNOW();
  EXPECT_EQ(MONSTERENERGY[m], 1);  // burning never kills by itself
  EXPECT_EQ(ONFIRE[m], 0);
}

struct BURSTCASE {
  BYTE type;
  int firstcharge;  // MEDICTARGET after the charging call
  int bursts;       // calls that fire before it charges again
  double perburst;  // damage per burst at this distance (oracle below)
  bool chain;
};

TEST_F(MonsterAI, ChargeThenBurstsByKind) {
  // Walled in on its four sides, the monster aims along the diagonal at the
  // player 3 cells away; the shot travels sqrt(18) cells.
  const double d = std::sqrt(18.0);
  const BURSTCASE cases[] = {
      {9, 8, 4, std::nearbyint((1 - d / 20) * 15), false},
      {10, 32, 11, std::nearbyint((1 - d / 40) * 5), true},
      {11, 8, 7, std::nearbyint((1 - d / 25) * 25), false},
  };
  for (const BURSTCASE& c : cases) {
    SetUp();
    PLACE(1, 23, 23);
    const uint16_t m = AWAKE(20, 20, c.type);
    WALL(21, 20);
    WALL(19, 20);
    WALL(20, 21);
    WALL(20, 19);
    ACTNOW();
    EXPECT_EQ(MEDICTARGET[m], c.firstcharge) << int(c.type);
    int fired = 0;
    for (int i = 0; i < c.firstcharge; i++) {
      PLAYERHEALTH[1] = 100;
      const double before = PLAYERHEALTH[1];
      SSOUND = CSOUND = false;
      ACTNOW();
      EXPECT_EQ(MONSTERX[m], 20);
      if (PLAYERHEALTH[1] < before) {
        fired++;
        EXPECT_DOUBLE_EQ(before - PLAYERHEALTH[1], c.perburst) << int(c.type);
        EXPECT_TRUE(c.chain ? CSOUND : SSOUND) << int(c.type);
        EXPECT_TRUE(SHAKE[1]);
      }
    }
    EXPECT_EQ(fired, c.bursts) << int(c.type);
    EXPECT_EQ(MEDICTARGET[m], 0);
  }
}

TEST_F(MonsterAI, EraserCooldownOfSevenCalls) {
  // Rails along the row end at the wall beside the player, far from the Eraser.
  PLACE(1, 40, 22);
  WALL(40, 20);
  const uint16_t m = AWAKE(20, 20, 8);
  std::vector<int> timers;
  for (int i = 0; i < 9; i++) {
    MONSTERATTACK(m);
    timers.push_back(MEDICTARGET[m]);
  }
  EXPECT_EQ(timers, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 7, 6}));
  // Too near the target wall: no rail.
  SetUp();
  PLACE(1, 28, 22);
  WALL(28, 20);
  const uint16_t n = AWAKE(20, 20, 8);
  MONSTERATTACK(n);
  EXPECT_EQ(MEDICTARGET[n], 0);
}

TEST_F(MonsterAI, PrototypeRocketsAlongRowsAndColumns) {
  PLACE(1, 30, 20);
  const uint16_t m = AWAKE(20, 20, 2);
  MONSTERATTACK(m);
  EXPECT_EQ(MEDICTARGET[m], 2);  // a volley, then two calls of rest
  MONSTERATTACK(m);
  MONSTERATTACK(m);
  EXPECT_EQ(MEDICTARGET[m], 0);
  WALL(25, 20);  // out of sight and nothing else to shoot at
  MONSTERATTACK(m);
  EXPECT_EQ(MEDICTARGET[m], 0);
  MAP[20][26] = '$';  // a mine straight up
  MONSTERATTACK(m);
  EXPECT_EQ(MEDICTARGET[m], 2);
}

TEST_F(MonsterAI, TerminatorCallsGruntsBehindIt) {
  PLACE(1, 26, 26);
  const uint16_t m = AWAKE(20, 20, 5);
  MONSTERATTACK(m);
  ASSERT_EQ(NUMBEROFMONSTERS, 2);
  EXPECT_EQ(MONSTERTYPE[2], 1);
  EXPECT_EQ(MONSTERX[2], 19);
  EXPECT_EQ(MONSTERY[2], 19);
  EXPECT_EQ(SAW[2], 1);
  EXPECT_EQ(MEDICTARGET[2], 1);
  // With the cell behind it taken, no reinforcement.
  MONSTERATTACK(m);
  EXPECT_EQ(NUMBEROFMONSTERS, 2);
}
}  // namespace
