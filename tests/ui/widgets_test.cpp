// String and file helpers, rectangles, the backdrop, the banner animation
// and the starfield.
#include <filesystem>
#include <fstream>

#include "base/random.h"
#include "shell/startup.h"
#include "test_util.h"
#include "ui_fixture.h"

using namespace uitest;

namespace {

TEST(STRINGHELPERS, StStr1Val1) {
  EXPECT_EQ(ST('c', 200), std::string(128, 'c'));
  EXPECT_EQ(ST('#', 5), "#####");
  EXPECT_EQ(STR1(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(VAL1("  -17"), -17);
  EXPECT_EQ(VAL1("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "-", "12a", "1 2", "2147483648", "99999999999999999999999"})
    EXPECT_EQ(VAL1(bad), 0) << bad;
}

TEST(FILEHELPERS, FileExistsForFilesAndFoldersInAnyCase) {
  TempDir dir;
  std::filesystem::create_directories(dir.path + "/Campaign/Main");
  std::ofstream(dir.path + "/Campaign/Main/script.txt") << "x";
  EXPECT_TRUE(FILEEXISTS(dir.path + "/Campaign/Main"));
  EXPECT_TRUE(FILEEXISTS(dir.path + "\\CAMPAIGN\\main\\SCRIPT.TXT"));
  EXPECT_FALSE(FILEEXISTS(dir.path + "/Campaign/Other"));
  EXPECT_FALSE(FILEEXISTS(""));
}

class SCREENTEST : public UIFIXTURE {};

TEST_F(SCREENTEST, RectanglesCountRowsFromTheBottom) {
  DRAWRECTANGLE(2, 1, 3, 1, '#', 0x1E);  // columns 2..5, rows 25 and 24
  EXPECT_EQ(ROWTEXT(25, 1, 6), " #### ");
  EXPECT_EQ(ROWTEXT(24, 1, 6), " #### ");
  EXPECT_EQ(ROWTEXT(23, 1, 6), "      ");
  EXPECT_EQ(EKRAN[24][5].ATTR, 0x1E);
  DRAWRECTANGLE2(1, 1, 0, 0, '*', 4);  // row 50 of the 50-row screen
  EXPECT_EQ(EKRAN[50][1].SYMBOL, '*');
  DRAWRECTANGLE(1, 20, 0, 10, '@', 4);  // rows above the screen are left out
  EXPECT_EQ(EKRAN[1][1].SYMBOL, '@');
  EXPECT_EQ(EKRAN[6][1].SYMBOL, '@');
  EXPECT_EQ(EKRAN[7][1].SYMBOL, ' ');
}

TEST_F(SCREENTEST, WrWritesAndPutsTheCursorBack) {
  WINDOWEMULATOR(3, 2, 60, 20);
  GOTOXYEMULATOR(4, 5);
  WR(10, 1, "hello");
  EXPECT_EQ(ROWTEXT(2, 12, 16), "hello");
  EXPECT_EQ(WHEREXEMULATOR(), 4);
  EXPECT_EQ(WHEREYEMULATOR(), 5);
}

TEST_F(SCREENTEST, RenderBlueDimsTheWholeScreen) {
  EKRAN[10][10].EFFECT3D = 3;
  EKRAN[10][10].SATURATION = 20;
  RENDERBLUE();
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 80; x++) {
      const CELLINFO& c = EKRAN[y][x];
      ASSERT_TRUE(c.SYMBOL == 174 && c.ATTR == 6 && c.BRIGHTNESS == 25 && c.SATURATION == 100 &&
                  c.EFFECT3D == 0)
          << x << "," << y;
    }
}

TEST_F(SCREENTEST, BannerAndItsMovingHighlight) {
  EXPECT_EQ(CSTRING.substr(6, 11), "ASHEN REACH");
  EXPECT_NE(CSTRING.find(ASHEN_VERSION), std::string::npos);
  // Without the banner on screen MOVIE does nothing and takes no time.
  XMOVIE = 30;
  MOFFSET = 1;
  const uint64_t t0 = THEBACKEND->TICKS();
  MOVIE();
  EXPECT_EQ(XMOVIE, 30);
  EXPECT_LT(THEBACKEND->TICKS() - t0, 20u);
  OPENDOOR();
  EXPECT_TRUE(BANNERSHOWN());
  EXPECT_EQ(ROWTEXT(25, 1, 80), CSTRING);
  XMOVIE = 500;  // out of range: back to 11, moving right
  MOVIE();
  EXPECT_EQ(XMOVIE, 12);
  EXPECT_GE(THEBACKEND->TICKS() - t0, 20u);
  EXPECT_EQ(EKRAN[25][12].ATTR, 7);
  for (int x = 13; x <= 22; x++) EXPECT_EQ(EKRAN[25][x].ATTR, 15) << x;
  EXPECT_EQ(EKRAN[25][23].ATTR, 7);
  XMOVIE = 79;  // turns at the right end
  MOVIE();
  EXPECT_EQ(MOFFSET, -1);
  EXPECT_EQ(EKRAN[25][80].ATTR, 7);
  XMOVIE = -8;  // and at the left end, never writing left of column 1
  MOVIE();
  EXPECT_EQ(EKRAN[25][1].ATTR, 15);
  MOVIE();
  EXPECT_EQ(XMOVIE, -10);
  EXPECT_EQ(MOFFSET, 1);
  EXPECT_EQ(EKRAN[25][1].ATTR, 7);
  // With SHOWSTARS the banner step also runs the starfield.
  RANDSEED(3);
  NUMBEROFSTARS = 0;
  for (int i = 0; i < 60; i++) MOVIE();
  EXPECT_EQ(NUMBEROFSTARS, 0);
  SHOWSTARS = true;
  for (int i = 0; i < 60; i++) MOVIE();
  EXPECT_GT(NUMBEROFSTARS, 0);
}

TEST_F(SCREENTEST, StarsFlyOnlyThroughTheSky) {
  RANDSEED(7);
  SKYCOLOR = 1;
  NUMBEROFSTARS = 0;
  // Sky: cleared in white on the sky colour. Rows 1..12 hold text and row 13
  // the blanks of a menu; stars must neither cover nor erase them.
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(1);
  CLRSCRERASEALL();
  for (int y = 1; y <= 12; y++) DISPLAYSTRING(std::string(79, 'x'), 1, static_cast<BYTE>(y), 0x17);
  DISPLAYSTRING(std::string(80, ' '), 1, 13, 0x18);
  for (int i = 0; i < 3000; i++) STARS();
  EXPECT_GT(NUMBEROFSTARS, 100);
  int shown = 0;
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 80; x++) {
      const CELLINFO& c = EKRAN[y][x];
      if (y <= 12 && x <= 79) {
        ASSERT_EQ(c.SYMBOL, 'x') << x << "," << y;
      }
      if (y == 13) {
        ASSERT_EQ(c.ATTR, 0x18) << x;
      }
      if (c.SYMBOL == 138) {
        shown++;
        EXPECT_TRUE(x < 80 && (c.ATTR >> 4) == 1) << x << "," << y;
      } else if (y > 13) {
        EXPECT_EQ(c.ATTR, 0x1F) << x << "," << y;  // erased stars leave sky
      }
    }
  EXPECT_GT(shown, 0);
  for (int i = 1; i <= NUMBEROFSTARS; i++)
    EXPECT_TRUE(STARX[i] >= 1 && STARX[i] <= 79 && STARY[i] >= 1 && STARY[i] <= 25 &&
                STARSPEED[i] >= 1 && STARSPEED[i] <= 4);
  SKYCOLOR = 0;
}

// The start screen's name prompt: a framed box whose answer field holds
// blanks in white on black, the sky's own attribute. Stars pass behind the
// box and its shadow, and fly again once the screen is repainted.
TEST_F(SCREENTEST, StarsStayBehindThePromptBox) {
  RANDSEED(11);
  SKYCOLOR = 0;
  NUMBEROFSTARS = 0;
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  CLRSCRERASEALL();
  ITEM[1] = std::string(11, ' ');
  MENU("Type a name :", 1, 29, 16, SHOW, 11, NOTWAIT, false);
  // The box spans columns 29..29 + 17 + 3 and rows 16..18; shadow one row and two columns more.
  const int x1 = 29, y1 = 16, x2 = 29 + 17 + 5, y2 = 19;
  int outside = 0;
  for (int i = 0; i < 3000; i++) {
    STARS();
    for (int y = y1; y <= y2; y++)
      for (int x = x1; x <= x2; x++) ASSERT_NE(EKRAN[y][x].SYMBOL, 138) << x << "," << y << " step " << i;
    for (int x = 1; x <= 80; x++) outside += EKRAN[17][x].SYMBOL == 138;
  }
  EXPECT_GT(outside, 0) << "stars fly on the prompt's rows outside the box";
  // A cleared screen forgets the box: stars cross its old place again.
  CLRSCRERASEALL();
  int crossed = 0;
  for (int i = 0; i < 3000; i++) {
    STARS();
    for (int y = y1 + 1; y < y2; y++)
      for (int x = x1 + 1; x < x2; x++) crossed += EKRAN[y][x].SYMBOL == 138;
  }
  EXPECT_GT(crossed, 0);
}

}  // namespace
