// Things that fly and flash: rockets into barrels and monsters, the blast
// radius, mine chains, flames against walls and trees, rails with the NRG
// blast, blood stains, blinks, explosions and every table's capacity.
#include <functional>
#include <utility>

#include "combatfixture.h"

using combattest::COMBATFIXTURE;

namespace {

class Projectiles : public COMBATFIXTURE {};

TEST_F(Projectiles, RocketIntoABarrelExplodesBesideIt) {
  PUT(23, 20, 219, GREEN);
  ADDROCKET(21, 20, 1, 0);
  EXPECT_EQ(MAP[21][20], '-');
  ROCKETS();
  EXPECT_EQ(MAP[22][20], '-');
  EXPECT_EQ(MAP[21][20], ' ');
  ROCKETS();
  EXPECT_EQ(NUMBEROFROCKETS, 0);
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 1);
  EXPECT_EQ(EXPLOSIONX[1], 22);  // on the rocket's cell, beside the barrel
  EXPECT_EQ(EXPLOSIONTYPE[1], EXPLOSION_BLAST);
  EXPECT_EQ(MAP[22][20], ' ');
  EXPECT_EQ(MAP[23][20], 219);  // the barrel itself is not the blast's centre
}

TEST_F(Projectiles, RocketHitsItsMonsterOnceAndTheNeighboursThroughTheBlast) {
  const uint16_t hit = MONSTER(30, 20, 250);
  const uint16_t inner = MONSTER(30, 21, 250);
  const uint16_t outer = MONSTER(32, 20, 250);
  ADDROCKET(28, 20, 1, 0);
  ROCKETS();
  ROCKETS();
  EXPECT_EQ(MONSTERENERGY[hit], 150);   // 100 direct, the centre is spared by the blast
  EXPECT_EQ(MONSTERENERGY[inner], 150);  // 100 in the inner ring
  EXPECT_EQ(MONSTERENERGY[outer], 200);  // 50 in the outer ring
  EXPECT_EQ(NUMBEROFBLOODS, 24);
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 1);
  EXPECT_EQ(EXPLOSIONX[1], 29);
  // A player beside the impact cell is shaken by the rocket's end.
  PLACE(1, 30, 22);
  PLAYERHEALTH[1] = 200;
  ADDROCKET(28, 22, 1, 0);
  ROCKETS();
  ROCKETS();
  EXPECT_TRUE(SHAKE[1]);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);  // 80 direct, 45 from the blast beside it
}

TEST_F(Projectiles, RocketWaitsBehindAFlameAndLeavesOneLaidOverIt) {
  ADDROCKET(21, 20, 1, 0);
  PUT(22, 20, 'o');
  ROCKETS();
  EXPECT_EQ(NUMBEROFROCKETS, 1);
  EXPECT_EQ(ROCKETX[1], 21);
  ADDFLAME(21, 20, 0, 0, 9);  // a flame lands on the waiting rocket's cell
  MAP[21][20] = 'O';
  MAP[22][20] = ' ';
  ROCKETS();
  EXPECT_EQ(MAP[21][20], 'O');
  EXPECT_EQ(ROCKETX[1], 22);
}

TEST_F(Projectiles, BlastRadiusSparesTheCentreAndWhatItCannotSee) {
  const uint16_t centre = MONSTER(50, 50, 30);
  const uint16_t inner = MONSTER(51, 51, 30);
  const uint16_t outer = MONSTER(48, 50, 30);
  const uint16_t hidden = MONSTER(52, 48, 30);
  PUT(51, 49, 'R');  // rock between the centre and the hidden one
  PLACE(1, 50, 52);
  HURTINRADIUS(50, 50, false);
  // Not allowed to kill: every monster in reach is left at 1.
  EXPECT_EQ(MONSTERENERGY[centre], 30);
  EXPECT_EQ(MONSTERENERGY[inner], 1);
  EXPECT_EQ(MONSTERENERGY[outer], 1);
  EXPECT_EQ(MONSTERENERGY[hidden], 30);
  EXPECT_EQ(NUMBEROFMONSTERS, 4);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);  // outer ring
  HURTINRADIUS(50, 51, true);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 30);  // inner ring
  // Allowed to kill: the three in reach of the new centre die.
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERX[1], 52);
}

TEST_F(Projectiles, TouchingMinesGoOffTogether) {
  for (const auto& c : {std::pair<int, int>{30, 30}, {31, 30}, {32, 31}, {40, 40}}) PUT(c.first, c.second, '$');
  PUT(29, 29, '_');
  const uint16_t m = MONSTER(31, 31, 200);
  PLACE(1, 33, 32);
  EXPLODEMINE(30, 30);
  EXPLODEMINE(30, 30);  // asked twice, listed once
  EXPECT_EQ(MINESTOEXPLODE, 1);
  EXPLODEALLMINES();
  EXPECT_EQ(MINESTOEXPLODE, 0);
  EXPECT_EQ(MAP[30][30], ' ');
  EXPECT_EQ(MAP[31][30], ' ');
  EXPECT_EQ(MAP[32][31], ' ');
  EXPECT_EQ(MAP[40][40], '$');
  EXPECT_EQ(MAP[29][29], 39);
  EXPECT_EQ(MONSTERENERGY[m], 50);        // in the squares of all three mines
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);  // in the square of one
  EXPECT_TRUE(SOUNDREQUESTED(7, 7));

  // A player standing on a mine takes both hits and stays on the map.
  PUT(60, 60, '$');
  PLACE(1, 60, 60);
  EXPLODEMINE(60, 60);
  EXPLODEALLMINES();
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 25);
  EXPECT_EQ(MAP[60][60], 'P');
}

TEST_F(Projectiles, FlameSlidesAlongAWall) {
  for (int x = 5; x <= 40; x++) PUT(x, 25, 'R');
  ADDFLAME(20, 23, 1, 1, 10);
  FLAMES();
  EXPECT_EQ(FLAMEX[1], 21);
  EXPECT_EQ(FLAMEY[1], 24);
  for (int call = 0; call < 3; call++) {
    FLAMES();
    ASSERT_GE(NUMBEROFFLAMES, 1);
    EXPECT_EQ(FLAMEY[1], 24) << call;  // along the wall, not into it
    EXPECT_EQ(FLAMEYOFFSET[1], 0);
  }
  for (int x = 5; x <= 40; x++) EXPECT_EQ(MAP[x][25], 'R');
  EXPECT_TRUE(MAP[FLAMEX[1]][24] == 'o' || MAP[FLAMEX[1]][24] == 'O');
  // Boxed in by rock, a flame goes out.
  CLEARPROJECTILES();
  for (int x = 69; x <= 71; x++)
    for (int y = 69; y <= 71; y++) PUT(x, y, 'R');
  MAP[70][70] = ' ';
  ADDFLAME(70, 70, 1, 0, 10);
  FLAMES();
  EXPECT_EQ(NUMBEROFFLAMES, 0);
}

TEST_F(Projectiles, FlameBurnsATreeAndTheFireSpreadsToTheNext) {
  PUT(25, 20, 'T', GREEN);
  PUT(27, 20, 'T', GREEN);
  ADDFLAME(23, 20, 1, 0, 10);
  FLAMES();
  FLAMES();
  EXPECT_EQ(MAP[25][20], ' ');
  EXPECT_EQ(MFATTR[25][20], DARKGRAY);
  EXPECT_EQ(NUMBEROFFLAMES, 8);
  for (int call = 0; call < 3; call++) FLAMES();
  EXPECT_EQ(MAP[27][20], ' ');
}

TEST_F(Projectiles, FlameSetsAMonsterOnFireAndCanBurnItToDeath) {
  const uint16_t m = MONSTER(22, 20, 60);  // type 3: 100 at full strength
  ADDFLAME(21, 20, 1, 0, 10);
  FLAMES();
  EXPECT_EQ(MONSTERENERGY[m], 30);
  EXPECT_EQ(ONFIRE[m], 25);
  ADDFLAME(21, 20, 1, 0, 10);
  FLAMES();
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
  EXPECT_EQ(BURNEDMONSTERS, 1);
  FLAMES();
  EXPECT_EQ(BURNEDMONSTERS, 0);
}

TEST_F(Projectiles, EveryTableRefusesBeyondItsCapacity) {
  struct CASE {
    const char* name;
    int capacity;
    std::function<void(int)> add;
    std::function<int()> count;
  };
  const CASE cases[] = {
      {"rails", 50, [](int i) { ADDRAIL(static_cast<BYTE>(1 + i % 150), static_cast<BYTE>(1 + i / 150), 1, 0, 1); },
       [] { return int{NUMBEROFRAILS}; }},
      {"rockets", 255, [](int i) { ADDROCKET(static_cast<BYTE>(1 + i % 150), static_cast<BYTE>(1 + i / 150), 1, 0); },
       [] { return int{NUMBEROFROCKETS}; }},
      {"plasmas", 255, [](int i) { ADDPLASMA(static_cast<BYTE>(1 + i % 150), static_cast<BYTE>(1 + i / 150), 1, 0); },
       [] { return int{NUMBEROFPLASMAS}; }},
      {"flames", 255, [](int i) { ADDFLAME(static_cast<BYTE>(1 + i % 150), static_cast<BYTE>(1 + i / 150), 1, 0, 5); },
       [] { return int{NUMBEROFFLAMES}; }},
      {"explosions", 100, [](int) { ADDEXPLOSION(5, 5, 1, 1); }, [] { return int{NUMBEROFEXPLOSIONS}; }},
      {"bloods", 127, [](int) { ADDBLOOD(5, 5, 1, 0, 4); }, [] { return int{NUMBEROFBLOODS}; }},
      {"shells", 77, [](int) { ADDSHELL(5, 5, 1, 0, 4); }, [] { return int{NUMBEROFSHELLS}; }},
      {"blinks", 255, [](int) { ADDBLINK(5, 5, 1, 4); }, [] { return int{NUMBEROFBLINKS}; }},
      {"mines", 255, [](int i) { EXPLODEMINE(static_cast<BYTE>(1 + i % 150), static_cast<BYTE>(1 + i / 150)); },
       [] { return int{MINESTOEXPLODE}; }},
  };
  for (const CASE& c : cases) {
    SetUp();
    PLACE(1, 160, 100);
    for (int i = 0; i < c.capacity + 5; i++) c.add(i);
    EXPECT_EQ(c.count(), c.capacity) << c.name;
  }
  // With the modern land look no shell exists at all.
  SetUp();
  NEW_LAND = 1;
  ADDSHELL(5, 5, 1, 0, 4);
  EXPECT_EQ(NUMBEROFSHELLS, 0);
}

TEST_F(Projectiles, BloodStainsOnlyWhereADropLands) {
  // Over open floor: wiped as it goes, nothing left.
  ADDBLOOD(30, 30, 1, 0, 4);
  for (int call = 0; call < 10; call++) BLOODS();
  EXPECT_EQ(NUMBEROFBLOODS, 0);
  for (int x = 20; x <= 45; x++)
    for (int y = 20; y <= 40; y++) EXPECT_EQ(MAPPP[x][y].GORE, GORE_NONE) << x << "," << y;
  // Onto rock and water: a lasting mark.
  PUT(33, 50, 'R');
  PUT(33, 60, 'W');
  ADDBLOOD(31, 50, 1, 0, 8);
  ADDBLOOD(31, 60, 1, 0, 8);
  BLOODS();
  EXPECT_EQ(MFATTR[32][50], LIGHTRED);
  BLOODS();
  EXPECT_EQ(NUMBEROFBLOODS, 0);
  EXPECT_EQ(MAPPP[33][50].GORE, GORE_BLOOD);
  EXPECT_EQ(MAPPP[33][60].GORE, GORE_BLOOD);
  EXPECT_EQ(MAPPP[32][50].GORE, GORE_NONE);
  // A drop flying over an older stain leaves it in place.
  MAPPP[36][70].GORE = GORE_BLOOD;
  ADDBLOOD(35, 70, 1, 0, 8);
  BLOODS();
  BLOODS();
  EXPECT_EQ(MAPPP[36][70].GORE, GORE_BLOOD);
}

TEST_F(Projectiles, BlinksGiveTheCellItsColoursBack) {
  PUT(40, 40, 'R', MAGENTA);
  MBATTR[40][40] = CYAN;
  ADDBLINK(40, 40, 1, 4);
  BLINKS();
  EXPECT_EQ(MBATTR[40][40], WHITE);
  EXPECT_EQ(MLIGHT[40][MAPSIZEY + 1 - 40], 15);
  ADDBLINK(40, 40, 5, 11);  // a second flash over the first keeps the first one's saved colours
  for (int call = 0; call < 20; call++) BLINKS();
  EXPECT_EQ(NUMBEROFBLINKS, 0);
  EXPECT_EQ(MFATTR[40][40], MAGENTA);
  EXPECT_EQ(MBATTR[40][40], CYAN);
  // On a blank cell the foreground becomes the floor's.
  PUT(41, 40, ' ', YELLOW);
  ADDBLINK(41, 40, 1, 1);
  BLINKS();
  EXPECT_EQ(MFATTR[41][40], DARKGRAY);
  // Modern look: overlay layer 3, cleared at the end.
  MODERN_VISUALS = 1;
  ADDBLINK(42, 40, 2, 3);
  BLINKS();
  EXPECT_EQ(MAPPP[42][40].OC[L_BLINKS], 165);
  EXPECT_EQ(MAPPP[42][40].OX[L_BLINKS], 3);
  BLINKS();
  EXPECT_EQ(MAPPP[42][40].OC[L_BLINKS], 0);
}

TEST_F(Projectiles, ExplosionsRunTwelveStatesAndTheRingLeavesAGlow) {
  ADDEXPLOSION(24, 24, 1, EXPLOSION_BLAST);
  EXPLOSIONS();
  EXPECT_EQ(MBATTR[25][25], WHITE);
  EXPECT_EQ(MBATTR[26][26], BLACK);
  EXPECT_TRUE(SOUNDREQUESTED(15, 15));
  EXPLOSIONS();
  EXPECT_EQ(MBATTR[26][26], BLUE);
  for (int call = 3; call <= 11; call++) EXPLOSIONS();
  EXPECT_EQ(NUMBEROFEXPLOSIONS, 1);
  EXPECT_EQ(MBATTR[26][26], BLACK);
  EXPLOSIONS();
  EXPECT_EQ(NUMBEROFEXPLOSIONS, 0);

  ADDEXPLOSION(80, 50, 1, EXPLOSION_NRG);
  for (int call = 1; call <= 4; call++) EXPLOSIONS();
  EXPECT_EQ(MBATTR[84][50], WHITE);
  for (int call = 5; call <= 9; call++) EXPLOSIONS();
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 2);
  EXPECT_EQ(EXPLOSIONTYPE[2], EXPLOSION_GLOW);
  EXPECT_EQ(MBATTR[84][50], BLACK);
}

TEST_F(Projectiles, RailTrailAndTheNrgBlastWithItsReach) {
  PLACE(1, 3, 50);
  FIREOFFSETX[1] = 1;
  FIREOFFSETY[1] = 0;
  PUT(102, 50, 'R');
  const uint16_t far = MONSTER(20, 48, 1000);   // 81 cells from the blast
  const uint16_t near = MONSTER(60, 52, 1000);  // 41 cells
  ADDRAIL(100, 50, 1, 0, 1);
  RAILS();
  EXPECT_EQ(RAILX[1], 101);
  EXPECT_EQ(MFATTR[101][50], LIGHTGREEN);
  EXPECT_EQ(NUMBEROFBLINKS, 1);
  RAILS();
  EXPECT_EQ(NUMBEROFRAILS, 0);
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 1);
  EXPECT_EQ(EXPLOSIONTYPE[1], EXPLOSION_NRG);
  EXPECT_EQ(EXPLOSIONX[1], 101);
  // trunc((78 - 41.05) / 78 x 150) = 71; nothing at all beyond 78 cells.
  EXPECT_EQ(MONSTERENERGY[near], 929);
  EXPECT_EQ(MONSTERENERGY[far], 1000);

  // A rail into a monster: 200 direct and the blast on the one it sees;
  // each doomed monster dies once, also the one doomed twice.
  CLEARPROJECTILES();
  PLACE(1, 3, 70);
  MONSTER(110, 70, 150);
  MONSTER(109, 80, 10);
  ADDRAIL(107, 70, 1, 0, 1);
  for (int call = 0; call < 3; call++) RAILS();
  EXPECT_EQ(NUMBEROFMONSTERS, 2);  // far and near remain
  EXPECT_EQ(MONSTERENERGY[1], 1000);
  EXPECT_EQ(MONSTERENERGY[2], 880);  // 52.2 cells off: trunc(0.33 x 150) = 49
  EXPECT_EQ(MAP[110][70], ' ');
  EXPECT_EQ(MAP[109][80], ' ');
  // Off the grid a rail explodes where it is.
  CLEARPROJECTILES();
  ADDRAIL(160, 10, 1, 0, 3);
  RAILS();
  EXPECT_EQ(NUMBEROFRAILS, 0);
  EXPECT_EQ(NUMBEROFEXPLOSIONS, 1);
}

TEST_F(Projectiles, PlasmaHitStunsPushesAndIsDrawnInPlaceWhilePaused) {
  const uint16_t m = MONSTER(25, 20, 100);
  ADDPLASMA(23, 20, 1, 0);
  PLASMAS(true);
  EXPECT_EQ(PLASMAX[1], 23);
  EXPECT_EQ(MBATTR[23][20], BLUE);
  PLASMAS(false);
  EXPECT_EQ(PLASMAX[1], 24);
  EXPECT_EQ(MBATTR[23][20], BLACK);
  PLASMAS(false);
  EXPECT_EQ(NUMBEROFPLASMAS, 0);
  EXPECT_EQ(MONSTERENERGY[m], 66);
  EXPECT_EQ(MONSTERX[m], 26);
  EXPECT_EQ(NUMBEROFBLOODS, 9);
  EXPECT_TRUE(SOUNDREQUESTED(80, 250));
}

}  // namespace

namespace {
TEST_F(Projectiles, ExplosionsShakeOnlyNearbyPlayersNowAndThen) {
  ADDEXPLOSION(30, 20, 1, EXPLOSION_GLOW);  // 10 cells from player 1
  ADDEXPLOSION(40, 20, 1, EXPLOSION_GLOW);  // 20 cells
  int nearShakes = 0, farShakes = 0;
  for (int i = 0; i < 700; i++) {
    SHAKE[1] = false;
    BFGSHAKECHECK(1);
    nearShakes += SHAKE[1];
    SHAKE[1] = false;
    BFGSHAKECHECK(2);
    farShakes += SHAKE[1];
  }
  EXPECT_EQ(farShakes, 0);
  EXPECT_GT(nearShakes, 60);  // one chance in seven
  EXPECT_LT(nearShakes, 140);
}
}  // namespace
