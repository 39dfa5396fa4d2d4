// The monster table, death and stun, the monster guns and their trace, and
// the damage barrels, trees and weak rock take.
#include "game/items.h"
#include "game/monsterfixture.h"

namespace {
using monstertest::HOOKCALL;

class Monsters : public monstertest::MONSTERFIELD {};

TEST_F(Monsters, TableHoldsAtMost4096AndStaysDense) {
  for (int i = 0; i < MAX_MONSTERS; i++) ADDMONSTER(static_cast<BYTE>(2 + i % 150), static_cast<BYTE>(2 + i / 150), 1 + i % 12, 0);
  ASSERT_EQ(NUMBEROFMONSTERS, 4096);
  ADDMONSTER(100, 90, 3, 0);
  EXPECT_EQ(NUMBEROFMONSTERS, 4096);
  EXPECT_EQ(MAXMONSTERS, 4097);  // the request still counts
  EXPECT_NE(MAP[100][90], 'M');
  // Removing one shifts every later entry down, in order.
  const BYTE x3 = MONSTERX[3], t3 = MONSTERTYPE[3], xlast = MONSTERX[4096];
  PURGEMONSTER2(2);
  EXPECT_EQ(NUMBEROFMONSTERS, 4095);
  EXPECT_EQ(MONSTERX[2], x3);
  EXPECT_EQ(MONSTERTYPE[2], t3);
  EXPECT_EQ(MONSTERX[4095], xlast);
  for (uint16_t bad : {uint16_t(0), uint16_t(4096), uint16_t(65535)}) PURGEMONSTER2(bad);
  EXPECT_EQ(NUMBEROFMONSTERS, 4095);
  // By cell: the lowest-numbered of two monsters on one cell goes.
  SetUp();
  const uint16_t n = 0;
  ADDMONSTER(150, 90, 9, 0);
  ADDMONSTER(150, 90, 3, 0);
  EXPECT_EQ(FINDMONSTER(150, 90), n + 1);
  PURGEMONSTER(150, 90);
  EXPECT_EQ(MONSTERTYPE[FINDMONSTER(150, 90)], 3);
  PURGEMONSTER(150, 91);  // nobody there
  EXPECT_EQ(NUMBEROFMONSTERS, n + 1);
}

TEST_F(Monsters, BossAndHelperHealthFromTheLastEntry) {
  struct CASE {
    std::vector<BYTE> types;
    int32_t boss, helper;
  } cases[] = {
      {{1, 12}, 4000, 0}, {{12, 1}, 0, 0}, {{12, 6}, 0, 1000}, {{}, 0, 0}, {{6}, 0, 1000},
  };
  for (const CASE& c : cases) {
    SetUp();
    for (size_t i = 0; i < c.types.size(); i++) ADDMONSTER(static_cast<BYTE>(10 + 2 * i), 90, c.types[i], 0);
    BOSSHEALTH = HELPERHEALTH = 77;
    MONSTERS();
    EXPECT_EQ(BOSSHEALTH, c.boss);
    EXPECT_EQ(HELPERHEALTH, c.helper);
  }
}

TEST_F(Monsters, DeathLeavesBodyBloodAndDrops) {
  struct CASE {
    BYTE type;
    unsigned char drop;   // glyph left on the cell, ' ' for none
    unsigned char itemof; // symbol whose item colour it takes
  } cases[] = {{10, 239, ']'}, {9, 210, ','}, {11, 210, ','}, {2, 156, '{'}, {1, ' ', ' '}, {12, ' ', ' '}};
  for (const CASE& c : cases) {
    SetUp();
    ADDMONSTER(30, 30, c.type, 0);
    PURGEMONSTER2(1);
    EXPECT_EQ(NUMBEROFMONSTERS, 0);
    EXPECT_EQ(MAP[30][30], c.drop) << int(c.type);
    if (c.drop != ' ') {
      IDENTIFYITEM(c.itemof);
      EXPECT_EQ(MFATTR[30][30], THINGCOLOR) << int(c.type);
    }
    EXPECT_EQ(MAPPP[30][30].GORE, GORE_MONSTERBODY);
    std::vector<HOOKCALL> blood = {{30, 30, -1, 0, 7}, {30, 30, -1, 0, 7}, {30, 30, 1, 0, 7}, {30, 30, 1, 0, 7},
                                   {30, 30, 0, -1, 7}, {30, 30, 0, -1, 7}, {30, 30, 0, 1, 7}, {30, 30, 0, 1, 7}};
    EXPECT_EQ(monstertest::BLOODCALLS(), blood);
    EXPECT_EQ(monstertest::BLINKCALLS(), (std::vector<HOOKCALL>{{30, 30, 1, 12, 0}}));
  }
}

TEST_F(Monsters, TerminatorCannotDieAndWalksOn) {
  PLACE(1, 40, 30);
  const uint16_t t = AWAKE(30, 30, 5);
  MONSTERENERGY[t] = -50;
  ONFIRE[t] = 9;
  PURGEMONSTER2(t);
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_TRUE(LOGHAS("Target INVULNERABLE."));
  EXPECT_EQ(MONSTERENERGY[t], 1);
  EXPECT_EQ(ONFIRE[t], 0);
  EXPECT_EQ(MAP[30][30], ' ');
  EXPECT_EQ(MAPPP[30][30].GORE, GORE_NONE);
  EXPECT_EQ(monstertest::BLINKCALLS().size(), 8u);
  for (const HOOKCALL& b : monstertest::BLINKCALLS()) {
    EXPECT_EQ(std::max(std::abs(b.X - 30), std::abs(b.Y - 30)), 1);
    EXPECT_EQ(b.A, 1);
    EXPECT_EQ(b.B, 5);
  }
  ACTNOW();
  EXPECT_EQ(MONSTERX[t], 31);
  EXPECT_EQ(MAP[31][30], 'M');
}

TEST_F(Monsters, StunSparesPrototypeAndBossAndStaysInItsByte) {
  for (BYTE t = 1; t <= 12; t++) {
    STUNMONSTER(AWAKE(10, 10, t), 3);
    EXPECT_EQ(MEDICTARGET[t], t == 2 || t == 12 ? 0 : 3) << int(t);
  }
  STUNMONSTER(1, 1000);
  EXPECT_EQ(MEDICTARGET[1], 255);
}

TEST_F(Monsters, BarrelAccumulatesAndExplodesAt210) {
  MAP[42][40] = 219;
  MFATTR[42][40] = 7;
  HURTBARREL(42, 40, 100);
  HURTBARREL(42, 40, 100);
  EXPECT_EQ(MDAMAGE[42][40], 200);
  EXPECT_EQ(MAP[42][40], 219);
  EXPECT_FALSE(EXSOUND);
  HURTBARREL(42, 40, 10);
  EXPECT_EQ(MAP[42][40], ' ');
  EXPECT_EQ(MFATTR[42][40], 8);
  EXPECT_TRUE(EXSOUND);  // my player stands 2 cells away
  EXPECT_EQ(monstertest::BLINKCALLS(), (std::vector<HOOKCALL>{{42, 40, 1, 11, 0}}));
  // A barrel of the map starts at 190: a 20-point hit sets it off; far from
  // my player it makes no sound here; an empty cell takes nothing.
  EXSOUND = false;
  MAP[90][40] = 219;
  MDAMAGE[90][40] = 190;
  HURTBARREL(90, 40, 20);
  EXPECT_EQ(MAP[90][40], ' ');
  EXPECT_FALSE(EXSOUND);
  HURTBARREL(90, 40, 250);
  EXPECT_EQ(MAP[90][40], ' ');
}

TEST_F(Monsters, TreesAndWeakRockYieldWhatTheyAbsorb) {
  struct CASE {
    unsigned char cell;
    BYTE before, damage;
    unsigned char after;
    BYTE damageafter;
    uint16_t lumber, scrap;
  } cases[] = {
      {'T', 200, 30, 'T', 230, 10, 0}, {'T', 240, 30, ' ', 250, 3, 0}, {'R', 200, 10, 'R', 230, 0, 3},
      {'R', 220, 10, ' ', 250, 0, 3},  {'R', 0, 10, 'R', 0, 0, 0},    {'G', 200, 10, 'G', 200, 0, 0},
  };
  for (const auto& c : cases) {
    SetUp();
    MAP[20][20] = c.cell;
    MDAMAGE[20][20] = c.before;
    const RES r = HURTTREEWEAKROCK(20, 20, c.damage);
    EXPECT_EQ(MAP[20][20], c.after) << c.cell << int(c.before);
    EXPECT_EQ(MDAMAGE[20][20], c.damageafter) << c.cell << int(c.before);
    EXPECT_EQ(r.LUMBER, c.lumber) << c.cell << int(c.before);
    EXPECT_EQ(r.SCRAP, c.scrap) << c.cell << int(c.before);
    if (c.after == ' ') {
      EXPECT_EQ(monstertest::BLINKCALLS(), (std::vector<HOOKCALL>{{20, 20, 9, 11, 0}}));
    }
  }
}

TEST_F(Monsters, TraceSeesThroughProjectilesAndFlames) {
  const char* seethrough = "/\\-|oO";
  for (int i = 0; seethrough[i]; i++) MAP[11 + i][10] = static_cast<unsigned char>(seethrough[i]);
  MAP[20][10] = 'R';
  RETURNTOUCHPOINT3(10, 10, 1, 0);
  EXPECT_EQ(TOUCHX[3], 20);
  EXPECT_EQ(TOUCHCHAR[3], 'R');
  RETURNTOUCHPOINT3(10, 10, -1, 0);  // off the grid
  EXPECT_EQ(TOUCHX[3], 0);
  EXPECT_EQ(TOUCHCHAR[3], 255);
  MAP[10][10] = 'M';
  RETURNTOUCHPOINT3(10, 10, 0, 0);  // no direction: the start cell
  EXPECT_EQ(TOUCHX[3], 10);
  EXPECT_EQ(TOUCHCHAR[3], 'M');
}

TEST_F(Monsters, GunsHurtPlayersAndBarrelsByDistance) {
  struct CASE {
    void (*gun)(BYTE, BYTE, int32_t, int32_t);
    int dist;
    double playerdamage;  // round((1 - d / range) * factor), 0 beyond range
    int bloods;
    bool chain;
  } cases[] = {
      {SHOTGUN, 10, 8, 8, false},   // (1 - 10/20) * 15 = 7.5 -> 8
      {SHOTGUN, 21, 0, 0, false},   // beyond 20
      {SHOTGUN2, 5, 20, 8, false},  // (1 - 5/25) * 25
      {CHAINGUN, 20, 2, 4, true},   // (1 - 20/40) * 5 = 2.5 -> 2
  };
  for (const CASE& c : cases) {
    SetUp();
    PLACE(1, static_cast<BYTE>(20 + c.dist), 20);
    c.gun(20, 20, 1, 0);
    EXPECT_DOUBLE_EQ(100 - PLAYERHEALTH[1], c.playerdamage) << c.dist;
    EXPECT_EQ(static_cast<int>(monstertest::BLOODCALLS().size()), c.bloods) << c.dist;
    EXPECT_EQ(SHAKE[1], c.bloods > 0);
    EXPECT_EQ(c.chain ? CSOUND : SSOUND, c.dist < 15) << c.dist;
    // Blinks: stop cell, one before, one beyond, muzzle.
    ASSERT_EQ(monstertest::BLINKCALLS().size(), 4u);
    EXPECT_EQ(monstertest::BLINKCALLS()[0], (HOOKCALL{20 + c.dist, 20, 4, 11, 0}));
    EXPECT_EQ(monstertest::BLINKCALLS()[3], (HOOKCALL{21, 20, 2, 11, 0}));
  }
  // A barrel 4 cells off takes round((1 - 4/78) * 7) = 7 from the shotgun.
  SetUp();
  MAP[24][20] = 219;
  SHOTGUN(20, 20, 1, 0);
  EXPECT_EQ(MDAMAGE[24][20], 7);
  CHAINGUN(20, 20, 1, 0);
  EXPECT_EQ(MDAMAGE[24][20], 11);
}
}  // namespace
