// String and file helpers, rectangles, the backdrop, the banner animation
// and the starfield.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "shell/random.h"
#include "shell/startup.h"
#include "ui_fixture.h"

using namespace uitest;

namespace {

TEST(STRINGHELPERS, StCapsAt128) {
  EXPECT_EQ(ST('c', 200), std::string(128, 'c'));
  EXPECT_EQ(ST('c', 128), std::string(128, 'c'));
  EXPECT_EQ(ST('#', 5), "#####");
  EXPECT_EQ(ST('#', 0), "");
}

TEST(STRINGHELPERS, Str1AndVal1) {
  EXPECT_EQ(STR1(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(STR1(0), "0");
  EXPECT_EQ(VAL1("1234"), 1234);
  EXPECT_EQ(VAL1("-17"), -17);
  EXPECT_EQ(VAL1("  42"), 42);
  EXPECT_EQ(VAL1("2147483647"), 2147483647);
  EXPECT_EQ(VAL1("-2147483648"), -2147483647 - 1);
  // Not a number, or one that does not fit: 0.
  EXPECT_EQ(VAL1(""), 0);
  EXPECT_EQ(VAL1("-"), 0);
  EXPECT_EQ(VAL1("12a"), 0);
  EXPECT_EQ(VAL1("1 2"), 0);
  EXPECT_EQ(VAL1("2147483648"), 0);
  EXPECT_EQ(VAL1("99999999999999999999999"), 0);
}

TEST(FILEHELPERS, FileExistsForFilesAndFoldersInAnyCase) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("ashen_widgets_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "Campaign" / "Main");
  std::ofstream(dir / "Campaign" / "Main" / "script.txt") << "x";
  EXPECT_TRUE(FILEEXISTS((dir / "Campaign" / "Main").string()));
  EXPECT_TRUE(FILEEXISTS((dir / "Campaign" / "Main" / "script.txt").string()));
  EXPECT_TRUE(FILEEXISTS(dir.string() + "\\CAMPAIGN\\main\\SCRIPT.TXT"));
  EXPECT_FALSE(FILEEXISTS((dir / "Campaign" / "Other").string()));
  EXPECT_FALSE(FILEEXISTS(""));
  std::filesystem::remove_all(dir);
}

class SCREENTEST : public UIFIXTURE {};

TEST_F(SCREENTEST, RectanglesCountRowsFromTheBottom) {
  DRAWRECTANGLE(2, 1, 3, 1, '#', 0x1E);  // columns 2..5, rows 25 and 24
  for (int x = 2; x <= 5; x++) {
    EXPECT_EQ(EKRAN[25][x].SYMBOL, '#');
    EXPECT_EQ(EKRAN[24][x].ATTR, 0x1E);
  }
  EXPECT_NE(EKRAN[25][1].SYMBOL, '#');
  EXPECT_NE(EKRAN[25][6].SYMBOL, '#');
  EXPECT_NE(EKRAN[23][3].SYMBOL, '#');
  DRAWRECTANGLE2(1, 1, 0, 0, '*', 4);  // row 50 of the 50-row screen
  EXPECT_EQ(EKRAN[50][1].SYMBOL, '*');
  // Rows above the top of the screen are left out, nothing is written elsewhere.
  DRAWRECTANGLE(1, 20, 0, 10, '@', 4);
  EXPECT_EQ(EKRAN[1][1].SYMBOL, '@');
  EXPECT_EQ(EKRAN[6][1].SYMBOL, '@');
  EXPECT_NE(EKRAN[7][1].SYMBOL, '@');
}

TEST_F(SCREENTEST, WrWritesAndPutsTheCursorBack) {
  WINDOWEMULATOR(3, 2, 60, 20);
  GOTOXYEMULATOR(4, 5);
  TEXTCOLOREMULATOR(14);
  WR(10, 1, "hello");
  EXPECT_EQ(ROWTEXT(2, 12, 16), "hello");
  EXPECT_EQ(EKRAN[2][12].ATTR, 14);
  EXPECT_EQ(WHEREXEMULATOR(), 4);
  EXPECT_EQ(WHEREYEMULATOR(), 5);
}

TEST_F(SCREENTEST, RenderBlueDimsTheWholeScreen) {
  EKRAN[10][10].EFFECT3D = 3;
  EKRAN[10][10].SATURATION = 20;
  RENDERBLUE();
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 80; x++) {
      ASSERT_EQ(EKRAN[y][x].SYMBOL, 174);
      ASSERT_EQ(EKRAN[y][x].ATTR, 6);
      ASSERT_EQ(EKRAN[y][x].BRIGHTNESS, 25);
      ASSERT_EQ(EKRAN[y][x].SATURATION, 100);
      ASSERT_EQ(EKRAN[y][x].EFFECT3D, 0);
    }
}

TEST_F(SCREENTEST, BannerCarriesTitleAndVersion) {
  EXPECT_EQ(CSTRING.size(), 80u);
  EXPECT_EQ(CSTRING.substr(6, 11), "ASHEN REACH");
  EXPECT_NE(CSTRING.find(ASHEN_VERSION), std::string::npos);
  OPENDOOR();
  EXPECT_TRUE(BANNERSHOWN());
  EXPECT_EQ(ROWTEXT(25, 1, 80), CSTRING);
  EXPECT_EQ(EKRAN[25][7].ATTR, 7);
  EXPECT_EQ(EKRAN[10][10].SYMBOL, ' ');
}

TEST_F(SCREENTEST, MovieSweepsTheHighlightAndTurnsAtTheEnds) {
  OPENDOOR();
  XMOVIE = 500;  // out of range: reset to 11, moving right
  MOFFSET = 1;
  const uint64_t t0 = THEBACKEND->TICKS();
  MOVIE();
  EXPECT_GE(THEBACKEND->TICKS() - t0, 20u);
  EXPECT_EQ(XMOVIE, 12);
  EXPECT_EQ(EKRAN[25][12].ATTR, 7);
  for (int x = 13; x <= 22; x++) EXPECT_EQ(EKRAN[25][x].ATTR, 15) << x;
  EXPECT_EQ(EKRAN[25][23].ATTR, 7);
  XMOVIE = 79;
  MOVIE();
  EXPECT_EQ(XMOVIE, 80);
  EXPECT_EQ(MOFFSET, -1);
  EXPECT_EQ(EKRAN[25][80].ATTR, 7);  // cells past column 80 are not touched
  MOVIE();
  EXPECT_EQ(XMOVIE, 79);
  EXPECT_EQ(EKRAN[25][80].ATTR, 15);
  XMOVIE = -8;
  MOVIE();
  EXPECT_EQ(XMOVIE, -9);
  EXPECT_EQ(MOFFSET, -1);
  EXPECT_EQ(EKRAN[25][1].ATTR, 15);  // cells -8 .. 0 are off the screen
  MOVIE();
  EXPECT_EQ(XMOVIE, -10);
  EXPECT_EQ(MOFFSET, 1);
  EXPECT_EQ(EKRAN[25][1].ATTR, 7);
}

TEST_F(SCREENTEST, MovieWaitsForTheBanner) {
  CLRSCRERASEALL();
  XMOVIE = 30;
  MOFFSET = 1;
  const uint64_t t0 = THEBACKEND->TICKS();
  const int64_t f0 = PUSHEDFRAMES;
  MOVIE();
  EXPECT_EQ(XMOVIE, 30);
  EXPECT_EQ(PUSHEDFRAMES, f0);
  EXPECT_LT(THEBACKEND->TICKS() - t0, 20u);
  // The idle step of a waiting menu still pushes a frame and waits.
  MENUIDLE();
  EXPECT_EQ(PUSHEDFRAMES, f0 + 1);
  EXPECT_GE(THEBACKEND->TICKS() - t0, 20u);
}

TEST_F(SCREENTEST, StarsFlyOnlyThroughTheSky) {
  RANDSEED(7);
  SKYCOLOR = 1;
  NUMBEROFSTARS = 0;
  // Sky: the screen cleared in white on the sky colour. Rows 1..12 hold a wall
  // of text, row 13 blanks of a menu (dark grey on the sky colour); neither
  // may be covered or erased by a star.
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(1);
  CLRSCRERASEALL();
  for (int y = 1; y <= 12; y++) DISPLAYSTRING(std::string(79, 'x'), 1, static_cast<BYTE>(y), 0x17);
  DISPLAYSTRING(std::string(80, ' '), 1, 13, 0x18);
  for (int i = 0; i < 3000; i++) STARS();
  EXPECT_GT(NUMBEROFSTARS, 100);
  EXPECT_LE(NUMBEROFSTARS, MAX_STARS);
  int shown = 0;
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 80; x++) {
      if (y <= 12 && x <= 79) {
        ASSERT_EQ(EKRAN[y][x].SYMBOL, 'x') << x << "," << y;
      }
      if (y == 13) {
        ASSERT_EQ(EKRAN[y][x].SYMBOL, ' ') << x;
        ASSERT_EQ(EKRAN[y][x].ATTR, 0x18) << x;
      }
      if (EKRAN[y][x].SYMBOL == 138) {
        shown++;
        EXPECT_LT(x, 80);
        EXPECT_EQ(EKRAN[y][x].ATTR >> 4, SKYCOLOR);
      } else if (y > 13) {
        EXPECT_EQ(EKRAN[y][x].ATTR, 0x1F) << x << "," << y;  // erased stars leave sky
      }
    }
  EXPECT_GT(shown, 0);
  for (int i = 1; i <= NUMBEROFSTARS; i++) {
    EXPECT_GE(STARX[i], 1);
    EXPECT_LE(STARX[i], 79);
    EXPECT_GE(STARY[i], 1);
    EXPECT_LE(STARY[i], 25);
    EXPECT_GE(STARSPEED[i], 1);
    EXPECT_LE(STARSPEED[i], 4);
  }
  SKYCOLOR = 0;
}

TEST_F(SCREENTEST, MovieRunsTheStarsWhenAsked) {
  RANDSEED(3);
  NUMBEROFSTARS = 0;
  OPENDOOR();
  SHOWSTARS = true;
  for (int i = 0; i < 100; i++) MOVIE();
  EXPECT_GT(NUMBEROFSTARS, 0);
  SHOWSTARS = false;
  const BYTE n = NUMBEROFSTARS;
  for (int i = 0; i < 100; i++) MOVIE();
  EXPECT_EQ(NUMBEROFSTARS, n);
}

}  // namespace
