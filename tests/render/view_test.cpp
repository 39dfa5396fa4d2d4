// The view renderer: window geometry, what a cell looks like, what is hidden,
// which rows are skipped, exploration, block faces, and whole frames compared
// with reference images.
//
// Reference images live in tests/render/ref/. After an intended change of the
// look, regenerate them with
//   ASHEN_UPDATE_REFS=1 build/test_render --gtest_filter='ViewReference*'
// and look at the new PNGs before committing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "game/monsters.h"
#include "game/players.h"
#include "levelfixture.h"
#include "render/los.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"
#include "viewfixture.h"

using leveltest::LEVELFIXTURE;

namespace {

// 20 x 12; the player stands at (10, 7). Rows are listed top (12) to bottom (1).
const std::vector<std::string> TESTMAP = {
    "RRRRRRRRRRRRRRRRRRRR",  // 12
    "R                  R",  // 11
    "R  RRR        W W  R",  // 10
    "R  RRR  $       $  R",  // 9
    "R  RRR             R",  // 8
    "R        P         R",  // 7
    "R     M       T    R",  // 6
    "R   H    1   _     R",  // 5
    "R              RRRRR",  // 4
    "R              R   R",  // 3
    "R              R ' R",  // 2
    "RRRRRRRRRRRRRRRRRRRR",  // 1
};

class ViewTest : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    STYLE(1);
    LEVEL(TESTMAP);
    STILLVIEWER();
  }
  // One frame of the view around the player into a 45 x 25 screen.
  void FRAME(BYTE sizex = 33, BYTE sizey = 25, bool hidebottom = true) {
    TEXTMODECUSTOM(45, 25);
    STARTUPDATESCREEN();
    DRAWVIEW40(PLAYERX[1], PLAYERY[1], sizex, sizey, false, hidebottom);
    ENDUPDATESCREEN();
  }
};

TEST(ViewGeometry, WindowPlacementForEveryZoomLevel) {
  // 33 x 25 at zoom 100: the viewer sits on column 17, row 14; the top row of
  // the window is screen row 2 and the bottom map row falls on row 26.
  EXPECT_EQ(MAPTOSCREENX(50, 50, 33), 17);
  EXPECT_EQ(MAPTOSCREENX(34, 50, 33), 1);
  EXPECT_EQ(MAPTOSCREENX(66, 50, 33), 33);
  EXPECT_EQ(MAPTOSCREENY(40, 40, 25), 14);
  EXPECT_EQ(MAPTOSCREENY(52, 40, 25), 2);
  EXPECT_EQ(MAPTOSCREENY(28, 40, 25), 26);
  // 27 x 21 at the default zoom 125.
  EXPECT_EQ(MAPTOSCREENX(50, 50, 27), 14);
  EXPECT_EQ(MAPTOSCREENY(40, 40, 21), 12);
  // An even size (the save preview is 23 x 16): half of 15 rounds to 8 (even),
  // so the window spans 17 rows and the viewer sits on row 16 + 1 - 8.
  EXPECT_EQ(MAPTOSCREENY(40, 40, 16), 9);
  EXPECT_TRUE(CELLWITHINVIEW(48, 32, 40, 40, 23, 16));
  EXPECT_TRUE(CELLWITHINVIEW(40 - 11, 40 + 8, 40, 40, 23, 16));
  EXPECT_FALSE(CELLWITHINVIEW(40 - 12, 40, 40, 40, 23, 16));
  EXPECT_FALSE(CELLWITHINVIEW(40, 40 + 9, 40, 40, 23, 16));
  EXPECT_EQ(REPLACEFATTR(0x1E, 4), 0x14);
}

TEST_F(ViewTest, InvisibleAndOffMapCellsAreBlackAndNeverExplored) {
  for (int i = 0; i < 4; i++) FRAME();
  // The closed room in the bottom right cannot be seen from the player.
  for (int x = 17; x <= 19; x++)
    for (int y = 2; y <= 3; y++) {
      EXPECT_EQ(MAPPP[x][y].EXPLORED, 0) << x << "," << y;
      CELLINFO c = CELLDRAWINFO(10, 7, x, y, 1, 1);
      EXPECT_EQ(c.ATTR, 0);
      EXPECT_EQ(c.BRIGHTNESS, 0);
    }
  // Open floor around the player is explored, and so is the player's cell.
  EXPECT_EQ(MAPPP[10][7].EXPLORED, 1);
  EXPECT_EQ(MAPPP[12][9].EXPLORED, 1);
  // Off the grid and above the level's top row.
  for (auto [x, y] : {std::pair{0, 5}, std::pair{161, 5}, std::pair{5, 0}, std::pair{5, 13}}) {
    CELLINFO c = CELLDRAWINFO(10, 7, x, y, 1, 1);
    EXPECT_EQ(c.ATTR, 0);
    EXPECT_EQ(c.BRIGHTNESS, 0);
  }
  EXPECT_EQ(MAPPP[5][13].EXPLORED, 0);
}

TEST_F(ViewTest, BottomLineAndObjectiveRowsAreSkipped) {
  // A 9 x 5 window around (10, 7) spans rows 5..9.
  FRAME(9, 5, true);
  for (int x = 6; x <= 14; x++) {
    EXPECT_EQ(MAPPP[x][5].EXPLORED, 0) << x;
    EXPECT_EQ(MAPPP[x][6].EXPLORED, 1) << x;
  }
  FRAME(9, 5, false);
  EXPECT_EQ(MAPPP[10][5].EXPLORED, 1);

  // Four objective lines hide the top two rows; one line hides none.
  LEVEL(TESTMAP);
  CURRENTOBJECTIVETIMER = 50;
  CURRENTOBJECTIVELINES = 4;
  FRAME(9, 5, true);
  EXPECT_EQ(MAPPP[10][9].EXPLORED, 0);
  EXPECT_EQ(MAPPP[11][8].EXPLORED, 0);
  EXPECT_EQ(MAPPP[11][7].EXPLORED, 1);
  CURRENTOBJECTIVELINES = 1;
  FRAME(9, 5, true);
  EXPECT_EQ(MAPPP[10][9].EXPLORED, 1);
}

TEST_F(ViewTest, BlockFaces) {
  // The rock block spans columns 4..6, rows 8..10; make every rock seen.
  for (int x = 1; x <= 20; x++)
    for (int y = 1; y <= 12; y++) MAPLOS[x][y] = FADEOUT;
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(4, 8), 0);   // surrounded
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(4, 10), 2);  // open above
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(6, 8), 1);   // open to the right
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(6, 10), 3);  // both
  MAP[5][9] = ' ';                                              // hollow the block
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(4, 8), 7);   // only the corner shows
  MAPLOS[5][8] = 0;  // an unseen neighbour shows the face toward it
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(4, 8), 1);
  // A painted letter makes a rock flat; water scrolls; nothing off the grid.
  MAPPP[6][8].CHR = 'A';
  EXPECT_FALSE(ISDRAWNROCK(6, 8));
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(6, 8), 0);
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(15, 10), EFFECT3D_SCROLL);
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(0, 8), 0);
  MODERN_VISUALS = 0;
  EXPECT_EQ(DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(6, 10), 0);
  MODERN_VISUALS = 1;
}

TEST_F(ViewTest, HiddenThingsLeaveTheFloorAndARecord) {
  FRAME();
  // The monster cell shows floor; the record keeps the monster's look for its own pass.
  const int sx = MAPTOSCREENX(7, 10, 33), sy = MAPTOSCREENY(6, 7, 25);
  CELLINFO c = CELLDRAWINFO(10, 7, 7, 6, sx, sy);
  EXPECT_EQ(c.SYMBOL, MAPPP[7][6].DISPFLOOR);
  EXPECT_EQ(EMUKRAN[sy][sx].SYMBOL, 'M');
  EXPECT_EQ(c.ATTR % 16, 8);
  // The player's own cell is hidden the same way.
  EXPECT_EQ(CELLDRAWINFO(10, 7, 10, 7, 17, 14).SYMBOL, MAPPP[10][7].DISPFLOOR);
}

TEST_F(ViewTest, LandmineShowsOnlyNearTheLocalPlayer) {
  FRAME();
  // (9, 9) is 2.2 cells from the player, (17, 9) 7.3 cells.
  EXPECT_EQ(CELLDRAWINFO(10, 7, 9, 9, 1, 1).SYMBOL, 141);
  EXPECT_EQ(CELLDRAWINFO(10, 7, 17, 9, 1, 1).SYMBOL, MAPPP[17][9].DISPFLOOR);
  // The distance counts from the local player, not from the view centre.
  PLAYERX[1] = 16;
  EXPECT_EQ(CELLDRAWINFO(10, 7, 17, 9, 1, 1).SYMBOL, 141);
  // The plain look draws the mine with the same code (its own mine symbol).
  SETVISUALS(0);
  EXPECT_EQ(CELLDRAWINFO(10, 7, 17, 9, 1, 1).SYMBOL, 141);
  PLAYERX[1] = 10;
  EXPECT_EQ(CELLDRAWINFO(10, 7, 17, 9, 1, 1).SYMBOL, MAPPP[17][9].DISPFLOOR);
}

// A mine beyond sight range must not give itself away by any difference from
// the floor: the whole frame equals the frame of the same level with floor
// in its place, in both looks, near rocks and away from them.
TEST_F(ViewTest, AFarLandmineLooksExactlyLikeFloorInBothLooks) {
  auto render = [this](BYTE look, bool mined) {
    STYLE(look);
    RANDSEED(11);
    std::vector<std::string> rows = TESTMAP;
    rows[12 - 3][14] = '$';  // (15, 3): in the shadow of the rock at (16, 4)
    LEVEL(rows);
    if (!mined) {
      for (auto [x, y] : {std::pair<int, int>{15, 3}, {17, 9}}) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
      }
    }
    STILLVIEWER();
    // Odd light levels, so any other rounding of the floor's halving would show.
    MAPPP[15][MAPSIZEY + 1 - 3].BRIGHTNESS = 77;
    MAPPP[17][MAPSIZEY + 1 - 9].BRIGHTNESS = 81;
    for (int i = 0; i < 8; i++) FRAME();
    IMAGE f;
    EXPECT_TRUE(THEBACKEND->READFRAME(f));
    return f;
  };
  for (BYTE look : {1, 0}) {
    SCOPED_TRACE(look ? "modern" : "plain");
    IMAGE mined = render(look, true), clear = render(look, false);
    ASSERT_EQ(mined.RGBA.size(), clear.RGBA.size());
    int64_t differing = 0;
    for (size_t i = 0; i < mined.RGBA.size(); i++) differing += mined.RGBA[i] != clear.RGBA[i];
    EXPECT_EQ(differing, 0) << "a far mine shows";
    // The near mine (9, 9) is still drawn as a mine.
    EXPECT_EQ(CELLDRAWINFO(10, 7, 9, 9, 1, 1).SYMBOL, 141);
  }
}

TEST_F(ViewTest, GlyphSubstitutionInBothStyles) {
  FRAME();
  EXPECT_EQ(CELLDRAWINFO(10, 7, 14, 5, 1, 1).SYMBOL, 248);  // '_'
  EXPECT_EQ(MFATTR[14][5], 7);
  EXPECT_EQ(CELLDRAWINFO(10, 7, 10, 5, 1, 1).SYMBOL, 145);  // weapon '1'
  EXPECT_EQ(CELLDRAWINFO(10, 7, 15, 10, 1, 1).SYMBOL, 247);  // water
  SETVISUALS(0);
  EXPECT_EQ(CELLDRAWINFO(10, 7, 14, 5, 1, 1).SYMBOL, 139);  // '_' is #139 in the classic look
  EXPECT_EQ(CELLDRAWINFO(10, 7, 10, 5, 1, 1).SYMBOL, '1');
  EXPECT_EQ(CELLDRAWINFO(10, 7, 15, 10, 1, 1).SYMBOL, '#');
  EXPECT_EQ(CELLDRAWINFO(10, 7, 15, 10, 1, 1).EFFECT3D, 0);
}

TEST_F(ViewTest, ClassicFireShownAsWavesSoundsLikeTheSea) {
  SETVISUALS(0);
  MAP[12][7] = 'O';  // two cells right of the player; no water within 3 cells
  bool sawW = false, saww = false;
  for (int i = 0; i < 200 && !(sawW && saww); i++) {
    SEASOUND[1] = false;
    CELLINFO c = CELLDRAWINFO(10, 7, 12, 7, 1, 1);
    ASSERT_TRUE(c.SYMBOL == 'W' || c.SYMBOL == 'w');
    EXPECT_TRUE(c.ATTR % 16 == 4 || c.ATTR % 16 == 12);
    EXPECT_EQ(SEASOUND[1], c.SYMBOL == 'W');
    (c.SYMBOL == 'W' ? sawW : saww) = true;
  }
  EXPECT_TRUE(sawW && saww);
}

TEST_F(ViewTest, SeaShimmerOnlySwapsWithinOneKindOfWater) {
  // A pond of mixed colours in the first band (columns 2..19).
  for (int x = 3; x <= 8; x++)
    for (int y = 2; y <= 3; y++) {
      MAP[x][y] = 'W';
      MFATTR[x][y] = static_cast<BYTE>(x % 2 ? 1 : 9);
    }
  MFATTR[2][2] = 7;
  int ones = 0, nines = 0;
  for (SEACOUNTER = 1; SEACOUNTER <= 8; SEACOUNTER++)
    for (int k = 0; k < 20; k++) ANIMATESEA();
  for (int x = 3; x <= 8; x++)
    for (int y = 2; y <= 3; y++) (MFATTR[x][y] == 1 ? ones : nines) += 1;
  EXPECT_EQ(ones, 6);
  EXPECT_EQ(nines, 6);
  EXPECT_EQ(MFATTR[2][2], 7);
}

TEST_F(ViewTest, GarbleOnlyForTheLocalPlayer) {
  CYCLES[1] = CYCLES[2] = 0;
  for (int i = 0; i < 2000; i++) GARBLEEFFECT(2, 1);
  EXPECT_EQ(CYCLES[2], 0);
  bool started = false;
  for (int i = 0; i < 2000 && !started; i++) {
    GARBLEEFFECT(1, 1);
    started = CYCLES[1] > 0;
  }
  ASSERT_TRUE(started);
  EXPECT_LE(CYCLES[1], 7);
  EXPECT_TRUE(CHOSEN[1] == '/' || CHOSEN[1] == '\\');
  const BYTE c = CYCLES[1];
  GARBLEEFFECT(1, 1);
  EXPECT_EQ(CYCLES[1], c - 1);
}

TEST_F(ViewTest, HurtMonsterSwellsAndShrinksBack) {
  FRAME();
  ASSERT_GE(NUMBEROFMONSTERS, 1);
  MONSTERHURT[1] = ZOOM_MONSTER_HURT_DELTA;
  DRAWMONSTER(1, 10, 7, 33, 25);
  EXPECT_EQ(MONSTERHURT[1], 20);
  DRAWMONSTER(1, 10, 7, 33, 25);
  MONSTERHURT[1] = ZOOM_MONSTER_HURT_DELTA;  // hit again: the swell restarts
  DRAWMONSTER(1, 10, 7, 33, 25);
  EXPECT_EQ(MONSTERHURT[1], 20);
  for (int i = 0; i < 5; i++) DRAWMONSTER(1, 10, 7, 33, 25);
  EXPECT_EQ(MONSTERHURT[1], 0);
  // A monster out of sight is not drawn and keeps its swell.
  MONSTERHURT[1] = 30;
  MAPLOS[MONSTERX[1]][MONSTERY[1]] = 0;
  DRAWMONSTER(1, 10, 7, 33, 25);
  EXPECT_EQ(MONSTERHURT[1], 30);
}

TEST_F(ViewTest, PropsAndSparksFillTheOverlayLayers) {
  ASSERT_TRUE(TEXINFO[206].ITS_LARGE);
  ADDSPARK(11, 7);
  EXPECT_EQ(MAPPP[11][7].OC[L_SPARKS], 206);
  EXPECT_EQ(MAPPP[11][7].OT[L_SPARKS], 6);
  EXPECT_GE(MAPPP[11][7].OX[L_SPARKS], 1);
  EXPECT_LE(MAPPP[11][7].OX[L_SPARKS], 4);
  ADDMUZZLEFLASH(11, 7);
  EXPECT_EQ(MAPPP[11][7].OY[L_SPARKS], 2);
  EXPECT_EQ(MAPPP[11][7].OT[L_SPARKS], 8);
  ADDSPARK(0, 7);  // off the grid: ignored

  // A 3 x 2 prop laid downward from its top-left cell.
  PLACEPROP(206, 12, 9, 2, 1, 3, 2, 0, L_PROPS);
  EXPECT_EQ(MAPPP[12][9].OC[L_PROPS], 206);
  EXPECT_EQ(MAPPP[14][8].OC[L_PROPS], 206);
  EXPECT_EQ(MAPPP[14][8].OX[L_PROPS], 4);
  EXPECT_EQ(MAPPP[14][8].OY[L_PROPS], 2);
  EXPECT_EQ(MAPPP[12][10].OC[L_PROPS], 0);
  EXPECT_EQ(OOGA[12][MAPSIZEY + 1 - 9], 128);
  // Only large sheets become props, and only in the modern look.
  PLACEPROP('A', 2, 2, 1, 1, 1, 1, 0, L_PROPS);
  EXPECT_EQ(MAPPP[2][2].OC[L_PROPS], 0);
}

// Renders the test level in one visual style and compares the frame with the
// committed reference image.
void COMPAREWITHREFERENCE(const std::string& name) {
  IMAGE frame;
  ASSERT_TRUE(THEBACKEND->READFRAME(frame));
  const std::filesystem::path ref = std::filesystem::path(ASHEN_TEST_DIR) / "render" / "ref" / name;
  if (const char* u = std::getenv("ASHEN_UPDATE_REFS"); u && std::string(u) == "1") {
    std::filesystem::create_directories(ref.parent_path());
    ASSERT_TRUE(SAVEPNGFILE(ref.string(), frame));
    GTEST_SKIP() << "reference written: " << ref;
  }
  IMAGE want;
  ASSERT_TRUE(LOADIMAGEFILE(ref.string(), want)) << "missing reference " << ref
                                                 << " (ASHEN_UPDATE_REFS=1 writes it)";
  ASSERT_EQ(want.W, frame.W);
  ASSERT_EQ(want.H, frame.H);
  int64_t differing = 0;
  for (size_t i = 0; i + 3 < frame.RGBA.size(); i += 4)
    for (int c = 0; c < 3; c++)
      if (std::abs(int(frame.RGBA[i + c]) - int(want.RGBA[i + c])) > 8) {
        differing++;
        break;
      }
  if (differing > 0) {
    const std::string got = (std::filesystem::temp_directory_path() / ("got_" + name)).string();
    SAVEPNGFILE(got, frame);
    ADD_FAILURE() << differing << " pixels differ from " << ref << "; this frame: " << got;
  }
}

class ViewReference : public LEVELFIXTURE {
 protected:
  void RENDERLEVEL(BYTE style) {
    STYLE(style);
    RANDSEED(7);
    LEVEL(TESTMAP);
    STILLVIEWER();
    CIC = 5;
    MAPPP[8][11].CHR = 'A';  // a painted letter
    MAPPP[12][6].GORE = GORE_BLOOD;
    // Let the sight memory fade in fully before the compared frame.
    for (int i = 0; i < 8; i++) {
      TEXTMODECUSTOM(45, 25);
      STARTUPDATESCREEN();
      DRAWVIEW40(PLAYERX[1], PLAYERY[1], 33, 25, false, true);
      ENDUPDATESCREEN();
    }
  }
};

TEST_F(ViewReference, ModernLook) {
  RENDERLEVEL(1);
  COMPAREWITHREFERENCE("view_modern.png");
}

TEST_F(ViewReference, ClassicLook) {
  RENDERLEVEL(0);
  COMPAREWITHREFERENCE("view_classic.png");
}

}  // namespace
