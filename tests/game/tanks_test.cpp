// Tanks on an open field: the table and its stamp, the may-go test with
// crushing, moving, getting out, destruction with renumbering, the gun.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/explosions.h"
#include "game/tankdrive.h"
#include "game/tanks.h"
#include "monsterfixture.h"
#include "sound/sound.h"

namespace {
using monstertest::BLOODCALLS;

class Tanks : public monstertest::MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    NUMBEROFTANKS = 0;
    for (int p = 0; p <= 2; p++) {
      INTANK[p] = 0;
      PERMISSION[p] = 1;
      SHOWCURSOR[p] = false;
    }
    for (int x = 1; x <= MAX_MAPWIDTH; x++)
      for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
        MAPPP[x][y].OC[L_PLASMA] = 0;
        MAPPP[x][y].OT[L_PLASMA] = 0;
      }
    PURGESOUND = 0;
    CLEARSOUNDREQUESTS();
  }
  // Player P sits in tank T (as its driver when DRIVES) on its centre cell.
  static void SEAT(BYTE p, BYTE t, bool drives) {
    if (MAP[PLAYERX[p]][PLAYERY[p]] == 'P') MAP[PLAYERX[p]][PLAYERY[p]] = ' ';
    INTANK[p] = t;
    if (drives) TANKFIRST[t] = p;
    PLAYERX[p] = PLAYERX_[p] = static_cast<BYTE>(TANKX[t] + 1);
    PLAYERY[p] = PLAYERY_[p] = static_cast<BYTE>(TANKY[t] - 1);
  }
  static bool SPACE(int x, int y) { return MAP[x][y] == ' ' && MFATTR[x][y] == 8; }
};

TEST_F(Tanks, TableHoldsTwentyFiveAndStampsBothLooks) {
  for (int i = 0; i < 26; i++) ADDTANK(static_cast<BYTE>(2 + 5 * i), 10);
  EXPECT_EQ(NUMBEROFTANKS, 25);
  EXPECT_EQ(WHATTANK(128, 9), 0);  // the 26th was ignored and not stamped
  EXPECT_EQ(MAP[128][9], ' ');
  EXPECT_EQ(TANKHEALTH[25], 250);
  EXPECT_EQ(TURRET[25], 1);
  EXPECT_EQ(WHATTANK(124, 8), 25);

  // Tank 1 covers columns 2..4 and rows 8..10; turret 1 points up-right.
  const std::vector<std::string> rows = {"\xB1\xB1/", "\xB1\xB2\xB1", "\xB1\xB1\xB1"};  // rows 10, 9, 8
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 3; c++) EXPECT_EQ(MAP[2 + c][10 - r], static_cast<unsigned char>(rows[r][c])) << c << "," << r;
  EXPECT_EQ(WHATISIT(4, 10), 177);
  const BYTE classic[3] = {8, 7, 8};
  for (int r = 0; r < 3; r++) EXPECT_EQ(MFATTR[2][10 - r], classic[r]);
  EXPECT_EQ(MFATTR[4][10], 8);  // the turret cell, classic look

  MODERN_VISUALS = 1;
  TURRET[1] = 6;  // straight down
  DRAWTANK(1);
  const BYTE modern[3] = {7, 15, 7};
  for (int r = 0; r < 3; r++) EXPECT_EQ(MFATTR[3][10 - r], modern[r]);
  EXPECT_EQ(MAP[3][8], '|');
  EXPECT_EQ(MAP[4][10], 177);
}

TEST_F(Tanks, MayGoAndCrush) {
  // Tank at left edge 50, bottom row 50: centre (51, 49); a step right enters
  // column 53 in rows 48..50, a step up row 51 in columns 50..52.
  struct CASE {
    const char* name;
    std::function<void()> setup;
    int ox, oy;
    bool go;
    int health;    // tank health afterwards
    int monsters;  // monsters left
  };
  const std::vector<CASE> cases = {
      {"open right", [] {}, 1, 0, true, 250, 0},
      {"open up", [] {}, 0, 1, true, 250, 0},
      {"open down", [] {}, 0, -1, true, 250, 0},
      {"no step", [] { MAP[53][49] = 'R'; }, 0, 0, true, 250, 0},
      {"diagonal", [] {}, 1, 1, false, 250, 0},
      {"diagonal down-left", [] {}, -1, -1, false, 250, 0},
      {"wall", [] { MAP[53][50] = 'R'; }, 1, 0, false, 250, 0},
      {"tree", [] { MAP[53][48] = 'T'; }, 1, 0, false, 250, 0},
      {"barrel", [] { MAP[51][51] = 219; }, 0, 1, false, 250, 0},
      {"other tank", [] { ADDTANK(53, 50); }, 1, 0, false, 250, 0},
      {"other tank's turret", [] { ADDTANK(47, 52); TURRET[2] = 7; DRAWTANK(2); }, -1, 0, false, 250, 0},
      {"player rolled over", [] { MAP[53][49] = 'P'; }, 1, 0, true, 250, 0},
      {"flame rolled over", [] { MAP[53][48] = 'O'; }, 1, 0, true, 250, 0},
      {"grunt crushed", [] { ADDMONSTER(53, 49, 1, 0); }, 1, 0, true, 250 - 50 / 9, 0},
      {"boss blocks", [] { ADDMONSTER(51, 51, 12, 0); }, 0, 1, false, 250, 1},
      {"friend heavier than the tank", [] { TANKHEALTH[1] = 111; ADDMONSTER(53, 49, 6, 0); }, 1, 0, false, 111, 1},
      {"friend just lighter", [] { TANKHEALTH[1] = 112; ADDMONSTER(53, 49, 6, 0); }, 1, 0, true, 1, 0},
      {"crushed, then a wall", [] { ADDMONSTER(53, 48, 3, 0); MAP[53][50] = 'R'; }, 1, 0, false, 250 - 100 / 9, 0},
  };
  for (const CASE& c : cases) {
    SetUp();
    ADDTANK(50, 50);
    c.setup();
    EXPECT_EQ(TANKCANGO(1, c.ox, c.oy), c.go) << c.name;
    EXPECT_EQ(TANKHEALTH[1], c.health) << c.name;
    EXPECT_EQ(NUMBEROFMONSTERS, c.monsters) << c.name;
  }
  // The left edge of the grid stops a tank.
  SetUp();
  ADDTANK(1, 50);
  EXPECT_FALSE(TANKCANGO(1, -1, 0));
  // A crushed monster cries when my player is near.
  SetUp();
  PLACE(1, 56, 49);
  ADDTANK(50, 50);
  ADDMONSTER(53, 49, 1, 0);
  EXPECT_TRUE(TANKCANGO(1, 1, 0));
  EXPECT_TRUE(SOUNDREQUESTED(21) || SOUNDREQUESTED(22) || SOUNDREQUESTED(23));
}

TEST_F(Tanks, MovingCarriesThePlayersAndLeavesFloor) {
  ADDTANK(50, 50);
  SEAT(1, 1, true);
  MOVETANK(1, 1, 0);
  EXPECT_EQ(TANKX[1], 51);
  EXPECT_EQ(TANKX_[1], 50);
  EXPECT_EQ(PLAYERX[1], 52);
  EXPECT_EQ(PLAYERY[1], 49);
  for (int y = 48; y <= 50; y++) {
    EXPECT_TRUE(SPACE(50, y)) << y;
    EXPECT_EQ(WHATTANK(53, y), 1);
  }
  MAP[54][49] = 'R';
  MOVETANK(1, 1, 0);  // blocked: stays, and the previous position catches up
  EXPECT_EQ(TANKX[1], 51);
  EXPECT_EQ(TANKX_[1], 51);
  MOVETANK(1, -1, 1);  // diagonal input never moves a tank
  EXPECT_EQ(TANKX[1], 51);
  EXPECT_EQ(TANKY[1], 50);
  MOVETANK(1, 0, -1);
  EXPECT_EQ(TANKY[1], 49);
  EXPECT_EQ(PLAYERY[1], 48);
  EXPECT_TRUE(SPACE(52, 50));
}

TEST_F(Tanks, GettingOutTakesTheLastFreeExitCell) {
  // Centre (51, 49); exit cells in the order tried: (49,47) (49,49) (49,51)
  // (51,47) (51,51) (53,47) (53,49) (53,51).
  struct CASE {
    std::vector<std::pair<int, int>> blocked;
    int x, y;  // where the player ends; 0 = still inside
  };
  const std::vector<CASE> cases = {
      {{}, 53, 51},
      {{{53, 51}}, 53, 49},
      {{{53, 51}, {53, 49}, {53, 47}, {51, 51}}, 51, 47},
      {{{53, 51}, {53, 49}, {53, 47}, {51, 51}, {51, 47}, {49, 51}, {49, 49}}, 49, 47},
      {{{53, 51}, {53, 49}, {53, 47}, {51, 51}, {51, 47}, {49, 51}, {49, 49}, {49, 47}}, 0, 0},
  };
  for (const CASE& c : cases) {
    SetUp();
    ADDTANK(50, 50);
    SEAT(1, 1, true);
    for (auto [x, y] : c.blocked) MAP[x][y] = 'R';
    PERMISSION[1] = 0;
    GETOUTOFTANK(1);
    if (c.x == 0) {
      EXPECT_EQ(INTANK[1], 1);
      EXPECT_EQ(TANKFIRST[1], 1);
      EXPECT_EQ(PERMISSION[1], 0);
      continue;
    }
    EXPECT_EQ(INTANK[1], 0);
    EXPECT_EQ(TANKFIRST[1], 0);
    EXPECT_EQ(PERMISSION[1], 1);
    EXPECT_TRUE(SHOWCURSOR[1]);
    EXPECT_EQ(PLAYERX[1], c.x);
    EXPECT_EQ(PLAYERY[1], c.y);
    EXPECT_EQ(MAP[c.x][c.y], 'P');
  }
  // The gunner left behind takes over the driving.
  SetUp();
  NUMBEROFPLAYERS = 2;
  ADDTANK(50, 50);
  SEAT(1, 1, true);
  SEAT(2, 1, false);
  GETOUTOFTANK(1);
  EXPECT_EQ(TANKFIRST[1], 2);
  EXPECT_EQ(INTANK[2], 1);
}

TEST_F(Tanks, DestroyingTankOneOfThreeRenumbers) {
  NUMBEROFPLAYERS = 2;
  ADDTANK(10, 10);
  ADDTANK(20, 20);
  ADDTANK(30, 30);
  TANKHEALTH[2] = 120;
  TURRET[3] = 5;
  TANKX_[3] = 29;
  RELOAD2[3] = 2;
  SEAT(1, 1, true);
  SEAT(2, 3, true);
  PURGETANK(1);
  EXPECT_EQ(NUMBEROFTANKS, 2);
  EXPECT_EQ(TANKX[1], 20);
  EXPECT_EQ(TANKY[1], 20);
  EXPECT_EQ(TANKHEALTH[1], 120);
  EXPECT_EQ(TANKX[2], 30);
  EXPECT_EQ(TANKX_[2], 29);
  EXPECT_EQ(TURRET[2], 5);
  EXPECT_EQ(RELOAD2[2], 2);
  EXPECT_EQ(TANKFIRST[2], 2);
  EXPECT_EQ(INTANK[2], 2);  // player 2 followed his tank to slot 2
  EXPECT_EQ(INTANK[1], 0);  // player 1 got out
  EXPECT_EQ(PLAYERX[1], 13);
  EXPECT_EQ(PLAYERY[1], 11);
  EXPECT_EQ(PURGESOUND, 1);
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 1);  // the after-glow blast at the old centre
  EXPECT_EQ(EXPLOSIONX[1], 11);
  EXPECT_EQ(EXPLOSIONY[1], 9);
  EXPECT_EQ(EXPLOSIONSTATE[1], 1);
  EXPECT_EQ(EXPLOSIONTYPE[1], 3);
  for (int x = 10; x <= 12; x++)
    for (int y = 8; y <= 10; y++) EXPECT_TRUE(SPACE(x, y)) << x << "," << y;
  EXPECT_EQ(WHATTANK(21, 19), 1);
  EXPECT_EQ(WHATTANK(31, 29), 2);

  // A tank whose exits are all taken still lets its player go: he is left
  // standing on the centre.
  SetUp();
  ADDTANK(50, 50);
  SEAT(1, 1, true);
  for (int i = -1; i <= 1; i++)
    for (int j = -1; j <= 1; j++)
      if (i != 0 || j != 0) MAP[51 + 2 * i][49 + 2 * j] = 'R';
  PURGETANK(1);
  EXPECT_EQ(NUMBEROFTANKS, 0);
  EXPECT_EQ(INTANK[1], 0);
  EXPECT_EQ(PLAYERX[1], 51);
  EXPECT_EQ(PLAYERY[1], 49);
  EXPECT_EQ(MAP[51][49], 'P');
}

TEST_F(Tanks, TurretDirections) {
  const int dirs[9][2] = {{0, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}};
  for (int d = 1; d <= 8; d++) {
    EXPECT_EQ(PROPERTURRETOFFSET(1, dirs[d][0], dirs[d][1]), d);
    EXPECT_EQ(LASTTURRETOFFSET, d);
  }
  EXPECT_EQ(PROPERTURRETOFFSET(3, 0, 0), 0);  // the tick turns 0 into 8
  EXPECT_EQ(PROPERTURRETOFFSET(3, 2, 0), 8);
}

TEST_F(Tanks, GunHitsKnocksBackAndBlasts) {
  ADDTANK(50, 50);
  TURRET[1] = 8;  // east
  DRAWTANK(1);
  SEAT(1, 1, true);
  const uint16_t eraser = AWAKE(60, 49, 8);  // 400 energy
  const uint16_t inner = AWAKE(61, 50, 8);
  const uint16_t outer = AWAKE(62, 51, 8);
  MAP[58][51] = 219;  // a barrel in the outer ring
  NUMBEROFPLAYERS = 2;
  PLACE(2, 58, 47);  // player 2 in the outer ring
  MAP[62][49] = 'R';  // the knockback stops in front of this rock
  SHOOT(1);
  EXPECT_EQ(TOUCHX[1], 60);
  EXPECT_EQ(TOUCHY[1], 49);
  EXPECT_EQ(MONSTERENERGY[eraser], 250);
  EXPECT_EQ(MONSTERX[eraser], 61);  // one free cell, then rock
  EXPECT_TRUE(SPACE(60, 49));
  EXPECT_EQ(MAP[61][49], 'M');
  EXPECT_EQ(MFATTR[61][49], 15);
  EXPECT_EQ(MONSTERENERGY[inner], 350);
  EXPECT_EQ(MONSTERENERGY[outer], 370);
  EXPECT_EQ(MDAMAGE[58][51], 20);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[2], 75);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 100);  // safe in the tank
  int blood = 0;
  for (const auto& b : BLOODCALLS()) blood += b == monstertest::HOOKCALL{60, 49, 1, 0, 20};
  EXPECT_EQ(blood, 8);
  for (int x = 52; x <= 60; x++) {
    const POSTPROCESSING& pp = MAPPP[x][49];
    EXPECT_EQ(pp.OC[L_PLASMA], 165) << x;
    EXPECT_EQ(pp.OX[L_PLASMA], 3);
    EXPECT_EQ(pp.OY[L_PLASMA], 3);
    EXPECT_EQ(pp.OT[L_PLASMA], 4);
  }
  EXPECT_EQ(MAPPP[61][49].OC[L_PLASMA], 0);
  EXPECT_TRUE(SOUNDREQUESTED(97, 1));
  // The shell's blast: a rocket-type explosion entered at state 5.
  ASSERT_EQ(NUMBEROFEXPLOSIONS, 1);
  EXPECT_EQ(EXPLOSIONX[1], 60);
  EXPECT_EQ(EXPLOSIONY[1], 49);
  EXPECT_EQ(EXPLOSIONSTATE[1], 5);
  EXPECT_EQ(EXPLOSIONTYPE[1], 1);
  EXPECT_EQ(FIREOFFSETX[1], 1);
  EXPECT_EQ(FIREOFFSETY[1], 0);
}

TEST_F(Tanks, GunKillsAndThrowsThreeCells) {
  ADDTANK(50, 50);
  TURRET[1] = 2;  // up: through the turret at (51, 50)
  DRAWTANK(1);
  SEAT(1, 1, true);
  const uint16_t grunt = AWAKE(51, 55, 1);  // 50 energy: dies
  (void)grunt;
  SHOOT(1);
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
  EXPECT_EQ(TOUCHY[1], 55);

  // A diagonal shot; the survivor flies three cells along it.
  SetUp();
  ADDTANK(50, 50);
  TURRET[1] = 7;  // down-right: turret at (52, 48)
  DRAWTANK(1);
  SEAT(1, 1, true);
  const uint16_t boss = AWAKE(55, 45, 12);
  MAP[54][46] = 219;  // barrel in the way: the shell stops on it
  SHOOT(1);
  EXPECT_EQ(TOUCHX[1], 54);
  EXPECT_EQ(TOUCHY[1], 46);
  EXPECT_EQ(MDAMAGE[54][46], 10);
  EXPECT_EQ(MONSTERENERGY[boss], 4000 - 50);  // inner ring of the blast
  MAP[54][46] = ' ';
  SHOOT(1);
  EXPECT_EQ(MONSTERENERGY[boss], 4000 - 50 - 150);
  EXPECT_EQ(MONSTERX[boss], 58);
  EXPECT_EQ(MONSTERY[boss], 42);
}
}  // namespace
