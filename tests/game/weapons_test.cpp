// The weapons: shared ammunition pools, single shots of every weapon, the
// hitscan damage table with its reach, knockback and piercing, held fire of
// the chaingun and mini gun, the NRG charge, bridge building, recoil and
// what a death takes away.
#include <cmath>

#include "combatfixture.h"

using combattest::COMBATFIXTURE;

namespace {

class Weapons : public COMBATFIXTURE {};

TEST_F(Weapons, GrantsFillBothPoolsOfAPair) {
  struct CASE {
    unsigned char glyph;
    std::vector<int32_t> ammo;  // pools 1..9 after the grant
  };
  const CASE cases[] = {
      {'1', {1, 0, 0, 0, 0, 0, 0, 0, 0}},     {'2', {0, 20, 20, 0, 0, 0, 0, 0, 0}},
      {'3', {0, 20, 20, 0, 0, 0, 0, 0, 0}},   {'4', {0, 0, 0, 50, 0, 0, 0, 0, 50}},
      {'5', {0, 0, 0, 0, 5, 0, 0, 0, 0}},     {'6', {0, 0, 0, 0, 0, 150, 0, 0, 0}},
      {'7', {0, 0, 0, 0, 0, 0, 80, 80, 0}},   {'8', {0, 0, 0, 0, 0, 0, 40, 40, 0}},
      {'9', {0, 0, 0, 200, 0, 0, 0, 0, 200}},
  };
  for (const CASE& c : cases) {
    RESETWEAPONS(1);
    ADDWEAPON(1, c.glyph);
    for (int w = 1; w <= 9; w++) EXPECT_EQ(WEAPONAMMO[1][w], c.ammo[w - 1]) << c.glyph << " pool " << w;
    EXPECT_EQ(CHOSENWEAPON[1], c.glyph - '0');
  }
  // Firing the chaingun drains the mini gun's pool with it.
  RESETWEAPONS(1);
  ARM(1, 4, 50, 1, 0);
  WEAPONAMMO[1][9] = 50;
  FIRE(1);
  HANDLECHAINGUNFIRE(1);
  EXPECT_EQ(WEAPONAMMO[1][4], 49);
  EXPECT_EQ(WEAPONAMMO[1][9], 49);
}

TEST_F(Weapons, OnePowerShotgunShellClicksButTheRangeShotgunFires) {
  ARM(1, 3, 1, 1, 0);
  ADDWEAPON(1, '2');
  WEAPONAMMO[1][2] = WEAPONAMMO[1][3] = 1;
  CHOSENWEAPON[1] = 3;
  FIRE(1);
  EXPECT_TRUE(SOUNDREQUESTED(46, 1));
  EXPECT_EQ(DSHOTGUNTIMER[1], 10);
  EXPECT_EQ(WEAPONAMMO[1][3], 1);
  EXPECT_FALSE(WEAPONFLASH[1]);

  CHOSENWEAPON[1] = 2;
  FIRE(1);
  EXPECT_TRUE(SOUNDREQUESTED(1, 1));
  EXPECT_EQ(SHOTGUNTIMER[1], 35);
  EXPECT_EQ(WEAPONAMMO[1][2], 0);
  EXPECT_EQ(WEAPONAMMO[1][3], 0);
  EXPECT_TRUE(WEAPONFLASH[1]);
  EXPECT_EQ(NUMBEROFSHELLS, 1);  // ejected to the left of the shot
  EXPECT_EQ(SHELLX[1], 20);
  EXPECT_EQ(SHELLY[1], 21);
  // Reloading: nothing more until the counter has run down.
  FIRE(1);
  EXPECT_EQ(SHOTGUNTIMER[1], 35);
}

TEST_F(Weapons, HitscanDamageByWeaponTargetAndDistance) {
  struct CASE {
    int w;
    HITTARGET target;
    double d;
    int32_t damage;  // -1 = out of reach
  };
  const CASE cases[] = {
      {1, HIT_MONSTER, 0, 13},   {1, HIT_BARREL, 39, 2},     {1, HIT_PLAYER, 1, 3},
      {2, HIT_MONSTER, 30, 45},  {2, HIT_BARREL, 20, 41},    {2, HIT_PLAYER, 30, 15},
      {3, HIT_MONSTER, 5, 75},   {3, HIT_PLAYER, 2, 48},     {3, HIT_MONSTER, 10, 0},
      {3, HIT_BARREL, 10.5, -1}, {4, HIT_BARREL, 0, 12},     {4, HIT_MONSTER, 39, 5},
      {9, HIT_MONSTER, 0, 15},   {9, HIT_PLAYER, 26, 3},     {4, HIT_MONSTER, 77, 0},
      // At 78 cells and beyond a bullet does nothing, never a negative amount.
      {4, HIT_MONSTER, 78, -1},  {1, HIT_MONSTER, 90, -1},   {2, HIT_MONSTER, 120, -1},
      {9, HIT_PLAYER, 78.5, -1}, {5, HIT_MONSTER, 1, -1},
  };
  for (const CASE& c : cases)
    EXPECT_EQ(HITSCANDAMAGE(c.w, c.target, c.d), c.damage) << "weapon " << c.w << " at " << c.d;
}

TEST_F(Weapons, FarTargetsAreNeverHurtOrHealed) {
  // A chaingun along an open row: a monster 60 cells away loses 2, one 80
  // cells away keeps its energy, is not pushed and does not bleed.
  ARM(1, 4, 50, 1, 0);
  PLACE(1, 2, 50);
  MAP[20][20] = ' ';
  const uint16_t near = MONSTER(62, 50, 100);
  FIRE(1);
  HANDLECHAINGUNFIRE(1);
  EXPECT_EQ(MONSTERENERGY[near], 98);
  EXPECT_EQ(MONSTERX[near], 63);  // knocked one cell on
  MAP[63][50] = ' ';
  NUMBEROFMONSTERS = 0;
  CLEARPROJECTILES();
  const uint16_t far = MONSTER(82, 50, 100);
  CHAINGUNTIMER[1] = 0;
  HANDLECHAINGUNFIRE(1);
  EXPECT_EQ(TOUCHX[1], 82);
  EXPECT_EQ(MONSTERENERGY[far], 100);
  EXPECT_EQ(MONSTERX[far], 82);
  EXPECT_EQ(NUMBEROFBLOODS, 0);
}

TEST_F(Weapons, ScrapGunShotGoesThroughARowOfWeakMonsters) {
  ARM(1, 1, 1, 1, 0);
  for (BYTE x = 22; x <= 26; x++) MONSTER(x, 20, 10);
  PUT(30, 20, 'R');
  FIRE(1);
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
  for (BYTE x = 22; x <= 26; x++) EXPECT_EQ(MAP[x][20], ' ') << x;
  EXPECT_EQ(TOUCHX[1], 30);  // the last trace ran on to the wall
  EXPECT_EQ(WEAPONAMMO[1][1], 1);  // the scrap gun never uses its round

  // The Range Shotgun stops at the first kill.
  SetUp();
  ARM(1, 2, 5, 1, 0);
  for (BYTE x = 22; x <= 24; x++) MONSTER(x, 20, 10);
  FIRE(1);
  EXPECT_EQ(NUMBEROFMONSTERS, 2);
  EXPECT_EQ(MONSTERX[1], 23);
}

TEST_F(Weapons, ShotgunHitKnocksTheMonsterBack) {
  ARM(1, 2, 5, 0, 1);
  const uint16_t m = MONSTER(20, 23, 200);
  PUT(20, 27, 'R');
  FIRE(1);
  // (1 - 3/78) x 60 = 57.7, rounded 58; pushed two cells up.
  EXPECT_EQ(MONSTERENERGY[m], 142);
  EXPECT_EQ(MONSTERY[m], 25);
  EXPECT_EQ(MAP[20][25], 'M');
  EXPECT_EQ(MAP[20][23], ' ');
  EXPECT_EQ(MONSTERHURT[m], 30);
  EXPECT_EQ(NUMBEROFBLOODS, 2);
  // A monster against a wall stays put.
  SHOTGUNTIMER[1] = 0;
  FIRE(1);
  EXPECT_EQ(MONSTERY[m], 26);
  SHOTGUNTIMER[1] = 0;
  FIRE(1);
  EXPECT_EQ(MONSTERY[m], 26);
}

TEST_F(Weapons, ChaingunFiresEveryThirdFrameAndClicksWhenEmpty) {
  ARM(1, 4, 2, 1, 0);
  WEAPONAMMO[1][9] = 2;
  FIRE(1);
  EXPECT_TRUE(CHAINGUNFIRING[1]);
  int shots = 0;
  for (int frame = 0; frame < 9; frame++) {
    const int32_t before = WEAPONAMMO[1][4];
    HANDLECHAINGUNFIRE(1);
    shots += WEAPONAMMO[1][4] < before;
    MANAGEAMMOSTATUS();
  }
  EXPECT_EQ(shots, 2);
  EXPECT_TRUE(SOUNDREQUESTED(47, 1));
  EXPECT_TRUE(SOUNDREQUESTED(3, 1));
}

TEST_F(Weapons, MiniGunKeepsFiringUntilItsBarrelRests) {
  ARM(1, 9, 1000, 1, 0);
  FIRE(1);
  EXPECT_TRUE(MINIFIRING[1]);
  for (int frame = 0; frame < 100; frame++) {
    HANDLEMINIFIRE(1);
    MANAGEAMMOSTATUS();
  }
  EXPECT_EQ(MTIMER[1], 1);
  EXPECT_TRUE(SOUNDREQUESTED(78, 79));  // the spin loop
  EXPECT_LT(WEAPONAMMO[1][9], 1000 - 90);

  // Let go: the barrel runs down one step a frame, firing all the while,
  // and falls silent once it is back at 90.
  MINIFIRING[1] = false;
  int frames = 0, shots = 0;
  while (MTIMER[1] < 90 && frames < 200) {
    const int32_t before = WEAPONAMMO[1][9];
    HANDLEMINIFIRE(1);
    MANAGEAMMOSTATUS();
    shots += WEAPONAMMO[1][9] < before;
    frames++;
  }
  EXPECT_EQ(frames, 89);
  EXPECT_GE(shots, 80);
  const int32_t rest = WEAPONAMMO[1][9];
  for (int frame = 0; frame < 10; frame++) {
    HANDLEMINIFIRE(1);
    MANAGEAMMOSTATUS();
  }
  EXPECT_EQ(WEAPONAMMO[1][9], rest);
  EXPECT_EQ(MTIMER[1], 90);
}

TEST_F(Weapons, NrgRailsLeaveFortyEightFramesLaterTheWayThePlayerFacesThen) {
  ARM(1, 7, 80, 1, 0);
  FIRE(1);
  EXPECT_EQ(WEAPONAMMO[1][7], 40);
  EXPECT_EQ(WEAPONAMMO[1][8], 40);
  EXPECT_EQ(RAILGUNTIMER[1], 100);
  EXPECT_TRUE(SOUNDREQUESTED(24, 24));
  HANDLEBFGCHARGE(1);  // the trigger frame's own countdown step
  for (int frame = 1; frame < 48; frame++) {
    if (frame == 20) {
      FIREOFFSETX[1] = 0;
      FIREOFFSETY[1] = 1;
    }
    HANDLEBFGCHARGE(1);
    ASSERT_EQ(NUMBEROFRAILS, 0) << "frame " << frame;
  }
  HANDLEBFGCHARGE(1);
  ASSERT_EQ(NUMBEROFRAILS, 3);
  EXPECT_EQ(BFGCHARGE[1], 1);
  for (int r = 1; r <= 3; r++) {
    EXPECT_EQ(RAILXOFFSET[r], 0);
    EXPECT_EQ(RAILYOFFSET[r], 1);
    EXPECT_EQ(RAILOWNER[r], 1);
  }
  EXPECT_EQ(RAILX[1], 20);
  EXPECT_EQ(RAILY[1], 21);
  HANDLEBFGCHARGE(1);
  EXPECT_EQ(BFGCHARGE[1], 0);
  // Fewer than 40 cells in the pool: nothing.
  RAILGUNTIMER[1] = 0;
  WEAPONAMMO[1][7] = 39;
  FIRE(1);
  EXPECT_EQ(BFGCHARGE[1], 0);
}

TEST_F(Weapons, ScrapGunBuildsABridgeAcrossAChannel) {
  // A channel along y at column 25: the target becomes floor between railings.
  for (int y = 10; y <= 30; y++) PUT(25, y, 'W');
  ARM(1, 1, 1, 1, 0);
  PLAYERRES[1].SCRAP = 12;
  FIRE(1);
  EXPECT_EQ(MAP[25][20], ' ');
  EXPECT_EQ(MAP[25][21], 'R');
  EXPECT_EQ(MAP[25][19], 'R');
  EXPECT_EQ(MFATTR[25][21], LIGHTGRAY);
  EXPECT_EQ(PLAYERRES[1].SCRAP, 7);
  EXPECT_TRUE(LOGHAS("Bridge block created."));

  // A channel along x, shot from below: railings left and right.
  for (int x = 10; x <= 30; x++) PUT(x, 40, 'W');
  PLACE(1, 20, 35);
  FIREOFFSETX[1] = 0;
  FIREOFFSETY[1] = 1;
  PISTOLTIMER[1] = 0;
  FIRE(1);
  EXPECT_EQ(MAP[20][40], ' ');
  EXPECT_EQ(MAP[19][40], 'R');
  EXPECT_EQ(MAP[21][40], 'R');
  EXPECT_EQ(PLAYERRES[1].SCRAP, 2);

  // A lone water cell, then too little scrap.
  PUT(20, 60, 'W');
  PLACE(1, 20, 55);
  PISTOLTIMER[1] = 0;
  PLAYERRES[1].SCRAP = 9;
  FIRE(1);
  EXPECT_EQ(MAP[20][60], 'W');
  EXPECT_EQ(PLAYERRES[1].SCRAP, 9);
  EXPECT_TRUE(LOGHAS("Even water surface needed."));
  PLAYERRES[1].SCRAP = 4;
  PISTOLTIMER[1] = 0;
  FIRE(1);
  EXPECT_TRUE(LOGHAS("Bridge block needs 5 scrap."));
  EXPECT_EQ(PLAYERRES[1].SCRAP, 4);
}

TEST_F(Weapons, RocketLauncherPlasmaRifleAndTheCellAhead) {
  ARM(1, 5, 2, 1, 1);
  FIRE(1);
  ASSERT_EQ(NUMBEROFROCKETS, 1);
  EXPECT_EQ(MAP[21][21], '/');
  EXPECT_EQ(MFATTR[21][21], YELLOW);
  EXPECT_EQ(WEAPONAMMO[1][5], 1);
  EXPECT_EQ(RLAUNCHERTIMER[1], 19);
  // Blocked muzzle: the launcher reloads but keeps its rocket.
  RLAUNCHERTIMER[1] = 0;
  FIRE(1);  // the first rocket still sits ahead
  EXPECT_EQ(NUMBEROFROCKETS, 1);
  EXPECT_EQ(WEAPONAMMO[1][5], 1);
  EXPECT_EQ(RLAUNCHERTIMER[1], 19);

  ARM(1, 8, 3, 1, 0);
  FIRE(1);
  ASSERT_EQ(NUMBEROFPLASMAS, 3);
  EXPECT_EQ(WEAPONAMMO[1][8], 2);
  EXPECT_EQ(WEAPONAMMO[1][7], 2);
  const int cells[3][2] = {{21, 20}, {20, 19}, {20, 21}};
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(PLASMAX[i + 1], cells[i][0]);
    EXPECT_EQ(PLASMAY[i + 1], cells[i][1]);
    EXPECT_EQ(MBATTR[cells[i][0]][cells[i][1]], BLUE);
  }
  EXPECT_EQ(PLASMATIMER[1], 3);
}

TEST_F(Weapons, FlameGunLaysFlamesWhileHeld) {
  ARM(1, 6, 2, -1, 0);
  FIRE(1);
  EXPECT_TRUE(FLAMEGUNFIRING[1]);
  HANDLEFLAMEGUNFIRE(1);
  ASSERT_EQ(NUMBEROFFLAMES, 1);
  EXPECT_EQ(FLAMEX[1], 19);
  EXPECT_EQ(FLAMELIFE[1], 10);
  EXPECT_TRUE(SOUNDREQUESTED(56, 205));
  EXPECT_EQ(FLAMEGUNTIMER[1], 2);
  FLAMEGUNTIMER[1] = 0;
  HANDLEFLAMEGUNFIRE(1);
  FLAMEGUNTIMER[1] = 0;
  HANDLEFLAMEGUNFIRE(1);  // empty now
  EXPECT_EQ(WEAPONAMMO[1][6], 0);
  EXPECT_EQ(FLAMEGUNTIMER[1], 10);
}

TEST_F(Weapons, RecoilOnlyShakesMyView) {
  TOFFX = TOFFY = 0;
  SETRECOIL(2, 1, 0, 0.5);
  EXPECT_EQ(TOFFX, 0);
  SETRECOIL(1, 1, 0, 0.5);
  EXPECT_DOUBLE_EQ(TOFFX, -0.5);
  EXPECT_DOUBLE_EQ(TOFFY, 0);
  SETRECOIL(1, -1, 1, 1.0 / 3);
  EXPECT_NEAR(TOFFX, 1.0 / 3 / std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(TOFFY, 1.0 / 3 / std::sqrt(2.0), 1e-12);
}

TEST_F(Weapons, TraceSeesThroughProjectilesFlamesAndTanks) {
  FIREOFFSETX[1] = 1;
  FIREOFFSETY[1] = 0;
  PUT(21, 20, '-');
  PUT(22, 20, 'o');
  PUT(23, 20, 177);
  PUT(24, 20, '\\');
  PUT(26, 20, 'T');
  RETURNTOUCHPOINT(1);
  EXPECT_EQ(TOUCHX[1], 26);
  EXPECT_EQ(TOUCHCHAR[1], 'T');
}

TEST_F(Weapons, DeathTakesEveryWeaponAndDropsTheOneInHandInDeathmatch) {
  ARM(1, 9, 100, 1, 0);
  MTIMER[1] = 12;
  BFGCHARGE[1] = 5;
  CLEARWEAPONSONDEATH(1);
  EXPECT_EQ(CHOSENWEAPON[1], 0);
  EXPECT_EQ(HAVEWEAPONS[1], 0);
  EXPECT_EQ(MTIMER[1], 90);
  EXPECT_EQ(BFGCHARGE[1], 0);
  for (int w = 1; w <= 9; w++) EXPECT_EQ(WEAPONAMMO[1][w], 0);
  EXPECT_EQ(MAP[20][20], 'P');  // nothing dropped in the campaign

  CURRENTMAP = 50;
  ARM(1, 5, 3, 1, 0);
  CLEARWEAPONSONDEATH(1);
  EXPECT_EQ(MAP[20][20], '5');
  EXPECT_EQ(MFATTR[20][20], YELLOW);
}

}  // namespace

namespace {
TEST_F(Weapons, ADeadPlayersHeldWeaponsFallSilent) {
  ARM(1, 9, 100, 1, 0);
  FIRE(1);
  HANDLEMINIFIRE(1);
  const int32_t spent = WEAPONAMMO[1][9];
  EXPECT_LT(spent, 100);
  MINIFIRING[1] = false;  // let go while the barrel still spins
  DEAD[1] = true;
  for (int frame = 0; frame < 5; frame++) {
    HANDLEMINIFIRE(1);
    MANAGEAMMOSTATUS();
  }
  EXPECT_EQ(WEAPONAMMO[1][9], spent);
  BFGCHARGE[1] = 2;
  HANDLEBFGCHARGE(1);
  EXPECT_EQ(NUMBEROFRAILS, 0);
  DEAD[1] = false;
}
}  // namespace
