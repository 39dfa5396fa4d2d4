// Lighting: the static layer with its patterns and ambient sounds, the torch
// and lamps, the light stamps of shots and explosions, and the blast push.
#include <gtest/gtest.h>

#include <cstring>

#include "display/input.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "render/torch.h"
#include "base/random.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {

// An open level of 40 x 30 blank cells, no lights, my player alone at (20, 15).
class Lighting : public ::testing::Test {
 protected:
  void SetUp() override {
    RANDSEED(12345);
    MAPSIZEX = 40;
    MAPSIZEY = 30;
    for (int x = 0; x <= MAX_MAPWIDTH; x++)
      for (int y = 0; y <= MAX_MAPHEIGHT; y++) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
        MAPPP[x][y] = POSTPROCESSING();
        OOGA[x][y] = MLIGHT[x][y] = 128;
      }
    NUMBEROFLIGHTS = NUMBEROFPATTERNS = 0;
    std::memset(PCOUNTER, 0, sizeof PCOUNTER);
    std::memset(ASOUND, 0, sizeof ASOUND);
    NUMTRULITES = 0;
    NUMBEROFMONSTERS = 0;
    SUBDUED_VISUALS = 0;
    MYNUMBER = NUMBEROFPLAYERS = 1;
    PLAYERX[1] = 20;
    PLAYERY[1] = 15;
    PLAYSOUND = 0;
    LOOP = false;
    INVENTORY[1] = "    ";
    CHOSENITEM[1] = 0;
    PLAYERRES[1] = RES();
    for (int p = 1; p <= 2; p++) {
      PLAYERHEALTH[p] = 100;
      ARMOR[p] = 0;
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
    }
  }

  // Light grids and brightness are addressed with rows counted from the top.
  static BYTE& LIGHTAT(int x, int y) { return MLIGHT[x][MAPSIZEY + 1 - y]; }
  static POSTPROCESSING& PPAT(int x, int y) { return MAPPP[x][MAPSIZEY + 1 - y]; }

  // Map light N covering the world cell (X, Y) with colour behaviour HOW.
  static void TAGCELL(int n, int x, int y, int how, int lrandom = 0) {
    if (NUMBEROFLIGHTS < n) NUMBEROFLIGHTS = static_cast<BYTE>(n);
    LIGHTHOW[n] = static_cast<BYTE>(how);
    LIGHTRANDOM[n] = static_cast<BYTE>(lrandom);
    OOGA[x][MAPSIZEY + 1 - y] = static_cast<BYTE>(130 + n);
  }
  static void PATTERN(int p, std::initializer_list<int> colours) {
    if (NUMBEROFPATTERNS < p) NUMBEROFPATTERNS = static_cast<BYTE>(p);
    PCOLOR[p] = 0;
    for (int c : colours) LPATTERN[p][++PCOLOR[p]] = static_cast<BYTE>(c);
  }
  // The whole level dark under a pattern of colour 0.
  static void DARKLEVEL() {
    PATTERN(1, {0});
    for (int x = 1; x <= 40; x++)
      for (int y = 1; y <= 30; y++) TAGCELL(1, x, y, 1);
    MANAGELIGHTNING();
  }
  static uint16_t MONSTERAT(int x, int y, int energy) {
    uint16_t m = ++NUMBEROFMONSTERS;
    MONSTERTYPE[m] = 3;
    MONSTERX[m] = MONSTERX_[m] = static_cast<BYTE>(x);
    MONSTERY[m] = MONSTERY_[m] = static_cast<BYTE>(y);
    MONSTERENERGY[m] = energy;
    MAP[x][y] = 'M';
    MFATTR[x][y] = 12;
    return m;
  }
};

TEST_F(Lighting, PatternsOfLengthOneSequentialAndRandom) {
  PATTERN(1, {5});
  PATTERN(2, {3, 5, 9});
  PATTERN(3, {1, 2, 3, 4, 5, 6});
  TAGCELL(1, 10, 10, 1);
  TAGCELL(2, 11, 10, 1, 1);  // random phase of a single colour: still that colour
  TAGCELL(3, 12, 10, 2);
  TAGCELL(4, 13, 10, 3, 1);
  std::vector<int> sequence;
  bool seen[7] = {};
  int changes = 0;
  for (int tick = 0; tick < 60; tick++) {
    int before = LIGHTAT(13, 10);
    MANAGELIGHTNING();
    ASSERT_EQ(LIGHTAT(10, 10), 5);
    ASSERT_EQ(LIGHTAT(11, 10), 5);
    if (tick < 4) sequence.push_back(LIGHTAT(12, 10));
    int c = LIGHTAT(13, 10);
    ASSERT_EQ(c, LPATTERN[3][PCOUNTER[3]]);
    seen[c] = true;
    changes += c != before;
  }
  EXPECT_EQ(sequence, (std::vector<int>{3, 5, 9, 3}));
  // Re-rolled every tick: every value shows up, and repeats happen.
  for (int c = 1; c <= 6; c++) EXPECT_TRUE(seen[c]) << c;
  EXPECT_GT(changes, 30);
  EXPECT_LT(changes, 60);

  // A second light on pattern 2 makes it advance twice per tick.
  TAGCELL(5, 14, 10, 2);
  PCOUNTER[2] = 0;
  MANAGELIGHTNING();
  EXPECT_EQ(LIGHTAT(12, 10), 5);
  EXPECT_EQ(LIGHTAT(14, 10), 5);
}

TEST_F(Lighting, LightBehavioursAndUnusableTags) {
  PPAT(10, 5).INITIALBRIGHTNESS = 87;
  TAGCELL(1, 10, 5, 128);  // plain light at natural brightness
  TAGCELL(2, 11, 5, 214);  // colour 114
  TAGCELL(3, 12, 5, 100);  // colour 0: dark
  // Pattern 4 has a stale length but this level defines no pattern 4;
  // patterns 0 and 99 cannot exist; tag 140 names light 10 of 6.
  PCOLOR[4] = 3;
  TAGCELL(4, 13, 5, 4);
  TAGCELL(5, 14, 5, 0);
  TAGCELL(6, 15, 5, 99);
  OOGA[16][MAPSIZEY + 1 - 5] = 140;
  PPAT(30, 20).BRIGHTNESS = 3;
  MANAGELIGHTNING();
  EXPECT_EQ(LIGHTAT(10, 5), 128);
  EXPECT_EQ(PPAT(10, 5).BRIGHTNESS, 87);
  EXPECT_EQ(LIGHTAT(11, 5), 114);
  EXPECT_EQ(LIGHTAT(12, 5), 128);
  EXPECT_EQ(PPAT(12, 5).BRIGHTNESS, 0);
  for (int x = 13; x <= 16; x++) {
    EXPECT_EQ(LIGHTAT(x, 5), 128) << x;
    EXPECT_EQ(PPAT(x, 5).BRIGHTNESS, 100) << x;
  }
  EXPECT_EQ(PPAT(30, 20).BRIGHTNESS, 100);  // rebuilt every tick
}

TEST_F(Lighting, AmbientSoundUnderMyPlayerSpendsItsBudget) {
  TAGCELL(1, 20, 15, 128);
  ASOUND[1] = 61;
  ASOUNDHOW[1] = 2;
  for (int expected : {61, 61, 0}) {
    PLAYSOUND = 0;
    MANAGELIGHTNING();
    EXPECT_EQ(PLAYSOUND, expected);
  }
  EXPECT_EQ(ASOUNDHOW[1], 0);
  ASOUNDHOW[1] = 255;  // looping, no budget
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 61);
  EXPECT_TRUE(LOOP);
  EXPECT_EQ(ASOUNDHOW[1], 255);
  PLAYSOUND = 0;
  PLAYERX[1] = 21;  // my player elsewhere
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 0);
}

TEST_F(Lighting, TorchFallOffAtAThirdOfTheRadiusAndAtTheRadius) {
  DARKLEVEL();
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) LIGHTAT(x, y) = 4;
  PPAT(21, 15).INITIALBRIGHTNESS = 84;
  TORCHLIGHT(20, 15, 9);
  EXPECT_EQ(PPAT(20, 15).BRIGHTNESS, 100);  // centre
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 84);   // never beyond the natural level
  EXPECT_EQ(PPAT(23, 15).BRIGHTNESS, 100);  // d = R / 3 exactly
  EXPECT_EQ(LIGHTAT(23, 15), 128);
  EXPECT_EQ(PPAT(26, 15).BRIGHTNESS, 50);   // 100 - 3 * 100 / 6
  EXPECT_EQ(LIGHTAT(26, 15), 128);
  EXPECT_EQ(PPAT(27, 15).BRIGHTNESS, 33);   // b <= 35 keeps the coloured light
  EXPECT_EQ(LIGHTAT(27, 15), 4);
  EXPECT_EQ(PPAT(29, 15).BRIGHTNESS, 0);    // d = R
  EXPECT_EQ(PPAT(23, 18).BRIGHTNESS, 79);   // d = 4.24
  TORCHLIGHT(20, 15, 9);                    // a second light adds nothing more
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 84);
}

TEST_F(Lighting, TorchStopsAtWallsAndFarFromMyPlayer) {
  for (int y = 1; y <= 30; y++) MAP[23][y] = 'R';
  DARKLEVEL();
  TORCHLIGHT(20, 15, 8);
  EXPECT_EQ(PPAT(22, 15).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 15).BRIGHTNESS, 0);
  PLAYERX[1] = 38;  // only cells within 18 columns of my player are lit
  MANAGELIGHTNING();
  TORCHLIGHT(5, 5, 7);
  for (int x = 1; x <= 12; x++) ASSERT_EQ(PPAT(x, 5).BRIGHTNESS, 0) << x;
}

TEST_F(Lighting, TorchInHandOrPersonalLight) {
  DARKLEVEL();
  INVENTORY[1] = "A i ";
  CHOSENITEM[1] = 3;
  PLAYERRES[1].LUMBER = 5;
  MANAGETORCH(1);
  EXPECT_GT(PPAT(25, 15).BRIGHTNESS, 40);  // radius 8
  // Out of lumber, or another item chosen: the personal light of radius 3.
  for (int chosen : {1, 3}) {
    CHOSENITEM[1] = static_cast<BYTE>(chosen);
    PLAYERRES[1].LUMBER = chosen == 3 ? 0 : 5;
    MANAGELIGHTNING();
    MANAGETORCH(1);
    EXPECT_EQ(PPAT(25, 15).BRIGHTNESS, 0) << chosen;
    EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 100) << chosen;
  }
  // None while my player's own cell is at its natural brightness.
  TAGCELL(2, 20, 15, 128);
  MANAGELIGHTNING();
  MANAGETORCH(1);
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 0);
}

TEST_F(Lighting, LampsTheEightyFirstIgnoredAndBarrelsGoingOut) {
  for (int i = 1; i <= 81; i++) ADDTRULITE(i, 2, false);
  EXPECT_EQ(NUMTRULITES, 80);
  EXPECT_EQ(TRULITE[80].X, 80);
  NUMTRULITES = 0;
  ADDTRULITE(15, 15, false);
  ADDTRULITE(25, 15, true);
  MAP[25][15] = 219;
  DARKLEVEL();
  DRAWTRULITES();
  EXPECT_EQ(PPAT(15, 16).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 16).BRIGHTNESS, 100);
  MAP[25][15] = ' ';  // the barrel blew up
  MANAGELIGHTNING();
  DRAWTRULITES();
  EXPECT_EQ(PPAT(15, 16).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 16).BRIGHTNESS, 0);
}

TEST_F(Lighting, StampColoursAndSightTests) {
  MFATTR[10][10] = 4;    // red floor becomes light red
  MFATTR[11][10] = 137;  // blinking light blue is brightened as light blue
  LIGHTAT(12, 10) = 10;  // green light becomes yellow
  PPAT(10, 10).BRIGHTNESS = 0;
  CHECKLIGHT(11, 10, 1);
  EXPECT_EQ(LIGHTAT(10, 10), 12);
  EXPECT_EQ(LIGHTAT(11, 10), 10);
  EXPECT_EQ(LIGHTAT(12, 10), 14);
  EXPECT_EQ(PPAT(10, 10).BRIGHTNESS, 100);
  SUBDUED_VISUALS = 1;  // subdued: brightness only, up to the natural level
  LIGHTAT(10, 10) = 128;
  PPAT(10, 10).BRIGHTNESS = 0;
  PPAT(10, 10).INITIALBRIGHTNESS = 90;
  CHECKLIGHT(11, 10, 1);
  EXPECT_EQ(LIGHTAT(10, 10), 128);
  EXPECT_EQ(PPAT(10, 10).BRIGHTNESS, 90);

  // Shots stop at anything but floor (SEES7), blasts only at rock (SEES77).
  MAP[22][10] = 'T';
  CHECKLIGHT9(20, 10, 4, 3);
  EXPECT_EQ(LIGHTAT(21, 10), 3);
  EXPECT_EQ(LIGHTAT(23, 10), 128);
  CHECKLIGHT2(20, 10, 4);
  EXPECT_EQ(LIGHTAT(23, 10), 10);
  MAP[22][10] = 'R';
  LIGHTAT(23, 10) = 128;
  CHECKLIGHT2(20, 10, 4);
  EXPECT_EQ(LIGHTAT(23, 10), 128);

  // Burning trees light only while the centre burns.
  MAP[30][10] = 'T';
  CHECKLIGHTPLASMA(30, 10, 2, 12);
  EXPECT_EQ(LIGHTAT(30, 11), 12);
  LIGHTAT(30, 11) = 128;
  MAP[30][10] = ' ';
  CHECKLIGHTPLASMA(30, 10, 2, 12);
  EXPECT_EQ(LIGHTAT(30, 11), 128);
}

TEST_F(Lighting, BlastTintByRadiusAndModernGlowByWorldRow) {
  PPAT(11, 10).BRIGHTNESS = 20;
  CHECKLIGHT2(10, 10, 3);
  EXPECT_EQ(LIGHTAT(11, 10), 2);
  EXPECT_EQ(LIGHTAT(13, 10), 2);
  EXPECT_EQ(LIGHTAT(14, 10), 128);
  EXPECT_EQ(PPAT(11, 10).BRIGHTNESS, 100);
  CHECKLIGHT2(10, 10, 4);
  EXPECT_EQ(LIGHTAT(11, 10), 10);
  EXPECT_EQ(LIGHTAT(14, 10), 10);

  CHECKLIGHT11_MODERN(30, 10, 1);
  const POSTPROCESSING& c = MAPPP[30][10];  // overlays use world rows
  EXPECT_EQ(c.OC[L_PLASMA], 165);
  EXPECT_EQ(c.OX[L_PLASMA], 1);
  EXPECT_EQ(c.OY[L_PLASMA], 3);
  EXPECT_EQ(c.OT[L_PLASMA], 3);
  EXPECT_EQ(MAPPP[30][MAPSIZEY + 1 - 10].OC[L_PLASMA], 0);
  CHECKLIGHT2_MODERN(30, 10, 1);
  EXPECT_EQ(MAPPP[31][10].OX[L_PLASMA], 2);
}

TEST_F(Lighting, StampsAtTheTopOfTheLevelStayInsideTheGrids) {
  // World rows above MAPSIZEY have no light row; a stamp reaching there must
  // not write into the rows of another column.
  MAPSIZEY = 10;
  CHECKLIGHT11(50, 10, 5);
  CHECKLIGHT11_MODERN(50, 9, 5);
  CHECKLIGHT2(60, 10, 6);
  PLAYERX[1] = 80;
  PLAYERY[1] = 10;
  TORCHLIGHT(80, 10, 8);
  CHECKLIGHT11(-5, 200, 3);  // centres off the grid and huge radii are harmless
  CHECKLIGHT11(1, 1, 1 << 30);
  TORCHLIGHT(80, 10, 1 << 30);
  EXPECT_EQ(MAPPP[50][10].OC[L_PLASMA], 165);
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int r = MAPSIZEY + 1; r <= MAX_MAPHEIGHT; r++) {
      ASSERT_EQ(MLIGHT[x][r], 128) << x << "," << r;
      ASSERT_EQ(MAPPP[x][r].OC[L_PLASMA], 0) << x << "," << r;
    }
}

TEST_F(Lighting, BlastRemovesWeakMonstersAndPushesOthers) {
  MONSTERAT(8, 10, 20);    // dies: 20 or less
  MONSTERAT(12, 9, 50);    // pushed right and down
  MONSTERAT(10, 7, 50);    // pushed down, but rock is in the way
  MONSTERAT(10, 12, 100);  // pushed up into the part of its column still to be visited
  MAP[10][6] = 'R';
  CHECKLIGHT2(10, 10, 3);
  ASSERT_EQ(NUMBEROFMONSTERS, 3);
  EXPECT_EQ(MAP[8][10], ' ');
  EXPECT_EQ(MAPPP[8][10].GORE, GORE_MONSTERBODY);
  // Later entries moved down one place in the table.
  EXPECT_EQ(FINDMONSTER(13, 8), 1);
  EXPECT_EQ(MONSTERX_[1], 13);
  EXPECT_EQ(MONSTERENERGY[1], 30);
  EXPECT_EQ(MFATTR[13][8], 12);  // the colour moves with the monster
  EXPECT_EQ(MFATTR[12][9], 8);
  EXPECT_EQ(FINDMONSTER(10, 7), 2);
  EXPECT_EQ(MONSTERENERGY[2], 30);
  // Hit at 12, pushed to 13 and hit again there, pushed out of reach to 14.
  EXPECT_EQ(FINDMONSTER(10, 14), 3);
  EXPECT_EQ(MONSTERENERGY[3], 60);
  EXPECT_EQ(MAP[10][12], ' ');
}

TEST_F(Lighting, BlastHurtsAndPushesPlayers) {
  NUMBEROFPLAYERS = 2;
  // Player 1 east of the centre on a sewer cell; player 2 below, rock behind.
  PLAYERX[1] = 12;
  PLAYERY[1] = 10;
  MAP[12][10] = 'P';
  MFATTR[12][10] = 7;
  STEPPEDON[1] = 'V';
  STEPPEDONC[1] = 6;
  PLAYERX[2] = 10;
  PLAYERY[2] = 8;
  MAP[10][8] = 'p';
  MAP[10][7] = 'R';
  CHECKLIGHT2(10, 10, 3);
  // Pushed east into the next column of the scan, so hit and pushed twice.
  EXPECT_EQ(PLAYERHEALTH[1], 80);
  EXPECT_EQ(PLAYERX[1], 14);
  EXPECT_EQ(MAP[14][10], 'P');
  EXPECT_EQ(MFATTR[14][10], 7);
  EXPECT_EQ(MAP[13][10], ' ');
  EXPECT_EQ(MAP[12][10], 'V');  // the sewer stays where it was
  EXPECT_EQ(MFATTR[12][10], 6);
  EXPECT_EQ(PLAYERHEALTH[2], 90);  // hurt but not moved
  EXPECT_EQ(PLAYERY[2], 8);
  EXPECT_EQ(MAP[10][8], 'p');
}

TEST_F(Lighting, PurgeDropsAmmunitionAndSparesTheInvulnerable) {
  MONSTERAT(5, 5, 10);
  MONSTERTYPE[1] = 10;
  MONSTERAT(6, 5, -30);
  MONSTERTYPE[2] = 5;
  PURGEMONSTER2(1);
  EXPECT_EQ(MAP[5][5], 239);
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  PURGEMONSTER2(1);
  PURGEMONSTER2(0);
  PURGEMONSTER2(7);
  EXPECT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERENERGY[1], ELIMIT[5]);
  EXPECT_EQ(MAPPP[6][5].GORE, GORE_NONE);
}

}  // namespace
