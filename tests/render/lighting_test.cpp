// Lighting: the static layer with its patterns and ambient sounds, the torch
// and lamps, and the light stamps of shots and explosions.
#include <gtest/gtest.h>

#include <cstring>

#include "display/input.h"
#include "game/items.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/lighting.h"
#include "render/lightfx.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "render/torch.h"
#include "shell/random.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {

// An open level of 40 x 30 blank cells with every light table empty and my
// player standing at (20, 15).
class Lighting : public ::testing::Test {
 protected:
  void SetUp() override {
    RANDSEED(12345);
    MAPSIZEX = 40;
    MAPSIZEY = 30;
    for (int x = 0; x <= MAX_MAPWIDTH; x++) {
      for (int y = 0; y <= MAX_MAPHEIGHT; y++) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
        MBATTR[x][y] = 0;
        MAPLOS[x][y] = 0;
        MAPBLACK[x][y] = false;
        MAPPP[x][y] = POSTPROCESSING();
        OOGA[x][y] = 128;
        MLIGHT[x][y] = 128;
      }
    }
    NUMBEROFLIGHTS = 0;
    NUMBEROFPATTERNS = 0;
    std::memset(PCOLOR, 0, sizeof PCOLOR);
    std::memset(PCOUNTER, 0, sizeof PCOUNTER);
    std::memset(LPATTERN, 0, sizeof LPATTERN);
    std::memset(ASOUND, 0, sizeof ASOUND);
    std::memset(ASOUNDHOW, 0, sizeof ASOUNDHOW);
    NUMTRULITES = 0;
    SUBDUED_VISUALS = 0;
    MYNUMBER = 1;
    NUMBEROFPLAYERS = 1;
    PLAYERX[1] = 20;
    PLAYERY[1] = 15;
    PLAYSOUND = 0;
    LOOP = false;
    NUMBEROFMONSTERS = 0;
    INVENTORY[1] = "    ";
    CHOSENITEM[1] = 0;
    PLAYERRES[1] = RES();
    PLAYERHEALTH[1] = 100;
    ARMOR[1] = 0;
    STEPPEDON[1] = ' ';
    STEPPEDONC[1] = 8;
  }

  static uint16_t MONSTERAT(int x, int y, int type, int energy) {
    uint16_t m = ++NUMBEROFMONSTERS;
    MONSTERTYPE[m] = static_cast<BYTE>(type);
    MONSTERX[m] = MONSTERX_[m] = static_cast<BYTE>(x);
    MONSTERY[m] = MONSTERY_[m] = static_cast<BYTE>(y);
    MONSTERENERGY[m] = energy;
    MAP[x][y] = 'M';
    MFATTR[x][y] = 12;
    return m;
  }

  // Light rows are counted from the top of the level.
  static int RY(int y) { return MAPSIZEY + 1 - y; }
  static BYTE& LIGHTAT(int x, int y) { return MLIGHT[x][RY(y)]; }
  static POSTPROCESSING& PPAT(int x, int y) { return MAPPP[x][RY(y)]; }

  // Map light N tagging the world cell (X, Y) with behaviour HOW.
  static void TAGCELL(int n, int x, int y, int how, int lrandom = 0) {
    if (NUMBEROFLIGHTS < n) NUMBEROFLIGHTS = static_cast<BYTE>(n);
    LIGHTHOW[n] = static_cast<BYTE>(how);
    LIGHTRANDOM[n] = static_cast<BYTE>(lrandom);
    LIGHTTYPE[n] = 1;
    OOGA[x][RY(y)] = static_cast<BYTE>(130 + n);
  }

  static void PATTERN(int p, std::initializer_list<int> colours) {
    if (NUMBEROFPATTERNS < p) NUMBEROFPATTERNS = static_cast<BYTE>(p);
    PCOLOR[p] = 0;
    for (int c : colours) LPATTERN[p][++PCOLOR[p]] = static_cast<BYTE>(c);
  }

  // Every cell of the grid outside the level's rows keeps its untouched state.
  static void EXPECTROWSBEYONDLEVELUNTOUCHED() {
    for (int x = 1; x <= MAX_MAPWIDTH; x++)
      for (int r = MAPSIZEY + 1; r <= MAX_MAPHEIGHT; r++) {
        ASSERT_EQ(MLIGHT[x][r], 128) << x << "," << r;
        ASSERT_EQ(MAPPP[x][r].BRIGHTNESS, 100) << x << "," << r;
        ASSERT_EQ(MAPPP[x][r].OC[L_PLASMA], 0) << x << "," << r;
      }
  }
};

// ---- static layer ----

TEST_F(Lighting, PatternOfLengthOneShowsItsColourEveryTick) {
  PATTERN(1, {5});
  TAGCELL(1, 10, 10, 1);
  TAGCELL(2, 11, 10, 1, 1);  // random phase: still the only colour
  for (int tick = 0; tick < 6; tick++) {
    MANAGELIGHTNING();
    EXPECT_EQ(LIGHTAT(10, 10), 5);
    EXPECT_EQ(LIGHTAT(11, 10), 5);
    EXPECT_EQ(PPAT(10, 10).BRIGHTNESS, 100);
  }
}

TEST_F(Lighting, PatternAdvancesOncePerLightAndWraps) {
  PATTERN(2, {3, 5, 9});
  TAGCELL(1, 10, 10, 2);
  std::vector<int> seen;
  for (int tick = 0; tick < 4; tick++) {
    MANAGELIGHTNING();
    seen.push_back(LIGHTAT(10, 10));
  }
  EXPECT_EQ(seen, (std::vector<int>{3, 5, 9, 3}));

  // A second light on the same pattern makes it advance twice per tick.
  TAGCELL(2, 12, 10, 2);
  PCOUNTER[2] = 0;
  MANAGELIGHTNING();
  EXPECT_EQ(LIGHTAT(10, 10), 5);
  EXPECT_EQ(LIGHTAT(12, 10), 5);
  MANAGELIGHTNING();
  EXPECT_EQ(LIGHTAT(10, 10), 3);
}

TEST_F(Lighting, RandomPatternRerollsEachTick) {
  PATTERN(1, {1, 2, 3, 4, 5, 6});
  TAGCELL(1, 10, 10, 1, 1);
  int changes = 0, distinct = 0;
  bool seen[7] = {};
  int last = -1;
  for (int tick = 0; tick < 60; tick++) {
    MANAGELIGHTNING();
    int c = LIGHTAT(10, 10);
    ASSERT_GE(c, 1);
    ASSERT_LE(c, 6);
    EXPECT_EQ(c, LPATTERN[1][PCOUNTER[1]]);
    if (!seen[c]) distinct++;
    seen[c] = true;
    if (last >= 0 && c != last) changes++;
    last = c;
  }
  // A plain sequence would change every tick in order; a random one repeats
  // sometimes and reaches every value.
  EXPECT_EQ(distinct, 6);
  EXPECT_GT(changes, 30);
  EXPECT_LT(changes, 59);
}

TEST_F(Lighting, FixedColoursPlainLightAndDarkness) {
  MAPPP[10][RY(5)].INITIALBRIGHTNESS = 87;
  TAGCELL(1, 10, 5, 128);  // plain light
  TAGCELL(2, 11, 5, 107);  // fixed colour 7
  TAGCELL(3, 12, 5, 214);  // colour 114
  TAGCELL(4, 13, 5, 100);  // colour 0: dark
  MANAGELIGHTNING();
  EXPECT_EQ(LIGHTAT(10, 5), 128);
  EXPECT_EQ(PPAT(10, 5).BRIGHTNESS, 87);
  EXPECT_EQ(LIGHTAT(11, 5), 7);
  EXPECT_EQ(LIGHTAT(12, 5), 114);
  EXPECT_EQ(LIGHTAT(13, 5), 128);
  EXPECT_EQ(PPAT(13, 5).BRIGHTNESS, 0);
  // An untagged cell is rebuilt to its natural brightness every tick.
  PPAT(30, 20).BRIGHTNESS = 3;
  PPAT(30, 20).INITIALBRIGHTNESS = 91;
  MANAGELIGHTNING();
  EXPECT_EQ(PPAT(30, 20).BRIGHTNESS, 91);
  EXPECT_EQ(LIGHTAT(30, 20), 128);
}

TEST_F(Lighting, TagsWithoutAUsableLightOrPatternGivePlainLight) {
  // Pattern 4 was never defined in this level (a stale length from an
  // earlier level does not count), pattern 0 and 99 cannot exist, and tag
  // 140 names light 10 of a level with three lights.
  PCOLOR[4] = 3;
  LPATTERN[4][1] = 0;
  TAGCELL(1, 10, 5, 4);
  TAGCELL(2, 11, 5, 0);
  TAGCELL(3, 12, 5, 99);
  OOGA[13][RY(5)] = 140;
  MANAGELIGHTNING();
  for (int x = 10; x <= 13; x++) {
    EXPECT_EQ(LIGHTAT(x, 5), 128) << x;
    EXPECT_EQ(PPAT(x, 5).BRIGHTNESS, 100) << x;
  }
}

TEST_F(Lighting, RectangleLightRowsCountFromTheTop) {
  // Rectangle x 5..6, rows 2..3 as written: world rows 29 and 28.
  NUMBEROFLIGHTS = 1;
  LIGHTTYPE[1] = 1;
  LIGHTX1[1] = 5;
  LIGHTX2[1] = 6;
  LIGHTY1[1] = 2;
  LIGHTY2[1] = 3;
  LIGHTHOW[1] = 112;
  CALCLIGHTS();
  MANAGELIGHTNING();
  EXPECT_EQ(MLIGHT[5][2], 12);
  EXPECT_EQ(MLIGHT[6][3], 12);
  EXPECT_EQ(LIGHTAT(5, 29), 12);
  EXPECT_EQ(LIGHTAT(6, 28), 12);
  EXPECT_EQ(LIGHTAT(5, 2), 128);
  EXPECT_EQ(LIGHTAT(7, 29), 128);
}

TEST_F(Lighting, AmbientSoundUnderMyPlayerSpendsItsBudget) {
  TAGCELL(1, 20, 15, 128);
  ASOUND[1] = 61;
  ASOUNDHOW[1] = 2;
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 61);
  EXPECT_FALSE(LOOP);
  EXPECT_EQ(ASOUNDHOW[1], 1);
  PLAYSOUND = 0;
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 61);
  EXPECT_EQ(ASOUNDHOW[1], 0);
  PLAYSOUND = 0;
  MANAGELIGHTNING();  // budget spent
  EXPECT_EQ(PLAYSOUND, 0);

  // Looping sound: no budget; my player elsewhere: no request.
  ASOUNDHOW[1] = 255;
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 61);
  EXPECT_TRUE(LOOP);
  EXPECT_EQ(ASOUNDHOW[1], 255);
  PLAYSOUND = 0;
  LOOP = false;
  PLAYERX[1] = 21;
  MANAGELIGHTNING();
  EXPECT_EQ(PLAYSOUND, 0);
  EXPECT_FALSE(LOOP);
}

TEST_F(Lighting, AmbientSoundOfMode254IsOccasional) {
  TAGCELL(1, 20, 15, 128);
  ASOUND[1] = 83;
  ASOUNDHOW[1] = 254;
  int requests = 0;
  for (int tick = 0; tick < 2000; tick++) {
    PLAYSOUND = 0;
    MANAGELIGHTNING();
    if (PLAYSOUND == 83) requests++;
  }
  EXPECT_EQ(ASOUNDHOW[1], 254);
  EXPECT_GT(requests, 10);   // about 1 in 50
  EXPECT_LT(requests, 100);
}

// ---- torch and lamps ----

TEST_F(Lighting, TorchFallOffAtAThirdOfTheRadiusAndAtTheRadius) {
  // Everything dark and coloured; torch of radius 9 at my player's cell.
  PATTERN(1, {0});
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) TAGCELL(1, x, y, 1);
  MANAGELIGHTNING();
  ASSERT_EQ(PPAT(23, 15).BRIGHTNESS, 0);
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) LIGHTAT(x, y) = 4;
  TORCHLIGHT(20, 15, 9);
  EXPECT_EQ(PPAT(20, 15).BRIGHTNESS, 100);  // centre
  EXPECT_EQ(PPAT(23, 15).BRIGHTNESS, 100);  // d = R / 3 exactly
  EXPECT_EQ(LIGHTAT(23, 15), 128);
  EXPECT_EQ(PPAT(26, 15).BRIGHTNESS, 50);   // d = 6: 100 - 3 * 100 / 6
  EXPECT_EQ(LIGHTAT(26, 15), 128);
  EXPECT_EQ(PPAT(27, 15).BRIGHTNESS, 33);   // b <= 35 keeps the coloured light
  EXPECT_EQ(LIGHTAT(27, 15), 4);
  EXPECT_EQ(PPAT(29, 15).BRIGHTNESS, 0);    // d = R: b = 0
  EXPECT_EQ(PPAT(20, 24).BRIGHTNESS, 0);
  EXPECT_EQ(PPAT(30, 15).BRIGHTNESS, 0);    // beyond the radius
  EXPECT_EQ(LIGHTAT(30, 15), 4);
  // Diagonal d = sqrt(18) = 4.24: 100 - 1.24 * 100 / 6 = 79.3.
  EXPECT_EQ(PPAT(23, 18).BRIGHTNESS, 79);
}

TEST_F(Lighting, TorchLiftsDarknessOnlyToTheNaturalBrightness) {
  PATTERN(1, {0});
  TAGCELL(1, 21, 15, 1);
  TAGCELL(1, 22, 15, 1);
  PPAT(21, 15).INITIALBRIGHTNESS = 84;
  PPAT(22, 15).INITIALBRIGHTNESS = 100;
  MANAGELIGHTNING();
  ASSERT_EQ(PPAT(21, 15).BRIGHTNESS, 0);
  TORCHLIGHT(20, 15, 9);
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 84);
  EXPECT_EQ(PPAT(22, 15).BRIGHTNESS, 100);
  TORCHLIGHT(20, 15, 9);  // a second light adds nothing beyond it
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 84);
}

TEST_F(Lighting, TorchStopsAtWallsAndFarFromMyPlayer) {
  PATTERN(1, {0});
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) TAGCELL(1, x, y, 1);
  for (int y = 1; y <= 30; y++) MAP[23][y] = 'R';
  MANAGELIGHTNING();
  TORCHLIGHT(20, 15, 8);
  EXPECT_EQ(PPAT(22, 15).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 15).BRIGHTNESS, 0);  // behind the wall

  // Only cells within 18 columns of my player are lit.
  PLAYERX[1] = 38;
  MANAGELIGHTNING();
  TORCHLIGHT(5, 5, 7);
  for (int x = 1; x <= 12; x++)
    for (int y = 1; y <= 12; y++) ASSERT_EQ(PPAT(x, y).BRIGHTNESS, 0) << x << "," << y;
}

TEST_F(Lighting, TorchInHandOrPersonalLight) {
  PATTERN(1, {0});
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) TAGCELL(1, x, y, 1);
  INVENTORY[1] = "A i ";
  CHOSENITEM[1] = 3;
  PLAYERRES[1].LUMBER = 5;
  MANAGELIGHTNING();
  MANAGETORCH(1);
  EXPECT_GT(PPAT(25, 15).BRIGHTNESS, 40);  // the torch reaches 8 cells

  // Out of lumber, or another item chosen: only the small personal light.
  for (int chosen : {1, 3}) {
    CHOSENITEM[1] = static_cast<BYTE>(chosen);
    PLAYERRES[1].LUMBER = chosen == 3 ? 0 : 5;
    MANAGELIGHTNING();
    MANAGETORCH(1);
    EXPECT_EQ(PPAT(25, 15).BRIGHTNESS, 0) << chosen;
    EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 100) << chosen;
  }

  // No personal light while my player's own cell is at its natural brightness.
  TAGCELL(2, 20, 15, 128);
  MANAGELIGHTNING();
  MANAGETORCH(1);
  EXPECT_EQ(PPAT(21, 15).BRIGHTNESS, 0);
  MANAGETORCH(0);  // no such player
  MANAGETORCH(3);
}

TEST_F(Lighting, EightyFirstLampIsIgnored) {
  for (int i = 1; i <= 81; i++) ADDTRULITE(i, 2, i % 2 == 0);
  EXPECT_EQ(NUMTRULITES, 80);
  EXPECT_EQ(TRULITE[80].X, 80);
  EXPECT_TRUE(TRULITE[80].BARREL);
  EXPECT_EQ(TRULITE[79].X, 79);
}

TEST_F(Lighting, BarrelLampShinesOnlyWhileItsBarrelStands) {
  PATTERN(1, {0});
  for (int x = 1; x <= 40; x++)
    for (int y = 1; y <= 30; y++) TAGCELL(1, x, y, 1);
  ADDTRULITE(15, 15, false);
  ADDTRULITE(25, 15, true);
  MAP[25][15] = 219;
  MANAGELIGHTNING();
  DRAWTRULITES();
  EXPECT_EQ(PPAT(15, 16).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 16).BRIGHTNESS, 100);
  MAP[25][15] = ' ';  // the barrel blew up
  MANAGELIGHTNING();
  DRAWTRULITES();
  EXPECT_EQ(PPAT(15, 16).BRIGHTNESS, 100);
  EXPECT_EQ(PPAT(25, 16).BRIGHTNESS, 0);
}

// ---- light stamps ----

TEST_F(Lighting, CheckLightBrightensColours) {
  MFATTR[10][10] = 4;     // red floor becomes light red
  MFATTR[11][10] = 137;   // blinking light blue is brightened as light blue
  LIGHTAT(12, 10) = 10;   // already green light becomes yellow
  PPAT(10, 10).BRIGHTNESS = 0;
  CHECKLIGHT(11, 10, 1);
  EXPECT_EQ(LIGHTAT(10, 10), 12);
  EXPECT_EQ(LIGHTAT(11, 10), 10);
  EXPECT_EQ(LIGHTAT(12, 10), 14);
  EXPECT_EQ(PPAT(10, 10).BRIGHTNESS, 100);
  EXPECT_EQ(LIGHTAT(11, 12), 128);  // outside the radius

  // Subdued look: only the brightness rises, up to the natural level.
  SUBDUED_VISUALS = 1;
  LIGHTAT(10, 10) = 128;
  PPAT(10, 10).BRIGHTNESS = 0;
  PPAT(10, 10).INITIALBRIGHTNESS = 90;
  CHECKLIGHT(11, 10, 1);
  EXPECT_EQ(LIGHTAT(10, 10), 128);
  EXPECT_EQ(PPAT(10, 10).BRIGHTNESS, 90);
}

TEST_F(Lighting, StampsNeedAClearLine) {
  MAP[12][10] = 'R';
  CHECKLIGHT9(10, 10, 4, 3);
  EXPECT_EQ(LIGHTAT(11, 10), 3);
  EXPECT_EQ(LIGHTAT(13, 10), 128);  // SEES7 stops at the rock
  CHECKLIGHT2(10, 10, 4);           // the blast too (SEES77)
  EXPECT_EQ(LIGHTAT(13, 10), 128);
  MAP[12][10] = 'T';                // a tree stops SEES7 but not SEES77
  CHECKLIGHT2(10, 10, 4);
  EXPECT_EQ(LIGHTAT(13, 10), 10);
}

TEST_F(Lighting, PlasmaLightNeedsABurningCentre) {
  MAP[10][10] = 'T';
  CHECKLIGHTPLASMA(10, 10, 2, 12);
  EXPECT_EQ(LIGHTAT(10, 11), 12);
  LIGHTAT(10, 11) = 128;
  MAP[10][10] = ' ';
  CHECKLIGHTPLASMA(10, 10, 2, 12);
  EXPECT_EQ(LIGHTAT(10, 11), 128);
  CHECKLIGHTPLASMA(0, 10, 2, 12);  // a centre off the grid lights nothing
  EXPECT_EQ(LIGHTAT(1, 10), 128);
}

TEST_F(Lighting, BlastTintDependsOnRadius) {
  PPAT(11, 10).BRIGHTNESS = 20;
  CHECKLIGHT2(10, 10, 3);
  EXPECT_EQ(LIGHTAT(11, 10), 2);
  EXPECT_EQ(LIGHTAT(13, 10), 2);
  EXPECT_EQ(LIGHTAT(14, 10), 128);
  EXPECT_EQ(PPAT(11, 10).BRIGHTNESS, 100);
  CHECKLIGHT2(10, 10, 4);
  EXPECT_EQ(LIGHTAT(11, 10), 10);
  EXPECT_EQ(LIGHTAT(14, 10), 10);
}

TEST_F(Lighting, OtherStampColours) {
  PPAT(11, 10).BRIGHTNESS = 20;
  CHECKLIGHT10(10, 10, 1);
  EXPECT_EQ(LIGHTAT(11, 10), 14);
  EXPECT_EQ(PPAT(11, 10).BRIGHTNESS, 20);  // barrels leave brightness alone
  CHECKLIGHT11(10, 10, 1);
  EXPECT_EQ(LIGHTAT(11, 10), 15);
  EXPECT_EQ(PPAT(11, 10).BRIGHTNESS, 100);
  CHECKLIGHT5(10, 10, 1);
  EXPECT_EQ(LIGHTAT(11, 10), 14);
}

TEST_F(Lighting, ModernExplosionGlowLivesInLayerTwoByWorldRow) {
  PPAT(12, 10).BRIGHTNESS = 5;
  CHECKLIGHT11_MODERN(12, 10, 1);
  const POSTPROCESSING& c = MAPPP[12][10];  // overlays use world rows
  EXPECT_EQ(c.OC[L_PLASMA], 165);
  EXPECT_EQ(c.OX[L_PLASMA], 1);
  EXPECT_EQ(c.OY[L_PLASMA], 3);
  EXPECT_EQ(c.OT[L_PLASMA], 3);
  EXPECT_EQ(MAPPP[12][RY(10)].OC[L_PLASMA], 0);
  EXPECT_EQ(PPAT(12, 10).BRIGHTNESS, 100);
  EXPECT_EQ(LIGHTAT(12, 10), 128);  // the glow replaces the coloured light
  CHECKLIGHT2_MODERN(12, 10, 1);
  EXPECT_EQ(MAPPP[13][10].OX[L_PLASMA], 2);
}

TEST_F(Lighting, StampsAtTheTopOfTheLevelStayInsideTheGrids) {
  // World rows above MAPSIZEY have no light row; a stamp reaching there
  // must not write into another column's rows.
  MAPSIZEY = 10;
  CHECKLIGHT11(50, 10, 5);
  CHECKLIGHT11_MODERN(50, 9, 5);
  CHECKLIGHT2(60, 10, 6);
  CHECKLIGHT(70, 10, 4);
  PLAYERX[1] = 80;
  PLAYERY[1] = 10;
  TORCHLIGHT(80, 10, 8);
  EXPECT_EQ(MLIGHT[50][1], 15);
  EXPECT_EQ(MLIGHT[60][1], 10);
  EXPECT_EQ(MAPPP[50][10].OC[L_PLASMA], 165);
  EXPECT_NO_FATAL_FAILURE(EXPECTROWSBEYONDLEVELUNTOUCHED());
  // Centres off the grid and huge radii are harmless.
  CHECKLIGHT11(-5, 200, 3);
  CHECKLIGHT11(1, 1, 1 << 30);
  TORCHLIGHT(80, 10, 1 << 30);
  EXPECT_NO_FATAL_FAILURE(EXPECTROWSBEYONDLEVELUNTOUCHED());
}

// ---- blast push ----

TEST_F(Lighting, BlastRemovesWeakMonstersAndPushesOthersAway) {
  MONSTERAT(8, 10, 1, 20);   // dies: 20 or less
  MONSTERAT(12, 9, 3, 50);   // pushed right and down
  MONSTERAT(10, 7, 3, 50);   // pushed down, its way blocked
  MAP[10][6] = 'R';
  CHECKLIGHT2(10, 10, 3);
  ASSERT_EQ(NUMBEROFMONSTERS, 2);
  EXPECT_EQ(MAP[8][10], ' ');
  EXPECT_EQ(MAPPP[8][10].GORE, GORE_MONSTERBODY);
  // The survivors moved down one place in the table.
  EXPECT_EQ(MONSTERX[1], 13);
  EXPECT_EQ(MONSTERY[1], 8);
  EXPECT_EQ(MONSTERX_[1], 13);
  EXPECT_EQ(MONSTERY_[1], 8);
  EXPECT_EQ(MONSTERENERGY[1], 30);
  EXPECT_EQ(MAP[13][8], 'M');
  EXPECT_EQ(MFATTR[13][8], 12);
  EXPECT_EQ(MAP[12][9], ' ');
  EXPECT_EQ(MFATTR[12][9], 8);
  EXPECT_EQ(MONSTERY[2], 7);
  EXPECT_EQ(MONSTERENERGY[2], 30);
  EXPECT_EQ(MAP[10][7], 'M');
  EXPECT_EQ(FINDMONSTER(13, 8), 1);
  EXPECT_EQ(FINDMONSTER(12, 9), 0);
}

TEST_F(Lighting, BlastMeetsABodyPushedAheadOfTheScanAgain) {
  // Cells are visited upward within a column, so a monster above the centre
  // is pushed into the next cell visited and hit once more per cell.
  MONSTERAT(10, 12, 3, 100);
  CHECKLIGHT2_MODERN(10, 10, 4);
  EXPECT_EQ(MONSTERY[1], 15);
  EXPECT_EQ(MONSTERENERGY[1], 40);
  EXPECT_EQ(MAP[10][15], 'M');
  EXPECT_EQ(MAP[10][12], ' ');
  EXPECT_EQ(MAPPP[10][12].OC[L_PLASMA], 165);
}

TEST_F(Lighting, BlastHurtsAndPushesPlayers) {
  NUMBEROFPLAYERS = 2;
  for (int p = 1; p <= 2; p++) {
    PLAYERHEALTH[p] = 100;
    ARMOR[p] = 0;
    STEPPEDON[p] = ' ';
    STEPPEDONC[p] = 8;
  }
  // Player 1 east of the centre, standing on a sewer cell; player 2 below
  // it with a wall behind.
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
  EXPECT_EQ(STEPPEDON[1], ' ');
  // Not blank behind: hurt but not moved.
  EXPECT_EQ(PLAYERHEALTH[2], 90);
  EXPECT_EQ(PLAYERY[2], 8);
  EXPECT_EQ(MAP[10][8], 'p');
  NUMBEROFPLAYERS = 1;
  PLAYERHEALTH[2] = 100;
}

TEST_F(Lighting, PurgedAmmunitionCarriersDropTheirAmmunition) {
  MONSTERAT(5, 5, 10, 10);
  MONSTERAT(6, 5, 5, -30);  // type 5 cannot die
  PURGEMONSTER2(1);
  EXPECT_EQ(MAP[5][5], 239);
  EXPECT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERTYPE[1], 5);
  PURGEMONSTER2(1);
  EXPECT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERENERGY[1], ELIMIT[5]);
  EXPECT_EQ(MAPPP[6][5].GORE, GORE_NONE);
  PURGEMONSTER2(0);
  PURGEMONSTER2(7);
  EXPECT_EQ(NUMBEROFMONSTERS, 1);
}

}  // namespace
