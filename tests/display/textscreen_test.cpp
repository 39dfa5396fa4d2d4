// The emulated text screen: window and cursor writes, clearing, scrolling,
// the screen push of high attributes and the frame timer on the virtual clock.
#include <gtest/gtest.h>

#include "display/events.h"
#include "display_fixture.h"

using displaytest::AT;
using displaytest::DISPLAYFIXTURE;

namespace {

std::string ROWTEXT(int y, int x1, int x2) {
  std::string s;
  for (int x = x1; x <= x2; x++) s += static_cast<char>(EKRAN[y][x].SYMBOL);
  return s;
}

class TextScreen : public DISPLAYFIXTURE {};

TEST_F(TextScreen, WritesStartAtTheWindowCorner) {
  CLRSCRERASEALL();
  WINDOWEMULATOR(2, 2, 50, 25);
  GOTOXYEMULATOR(1, 1);
  TEXTCOLOREMULATOR(YELLOW);
  TEXTBACKGROUNDEMULATOR(BLUE);
  WRITETEXT("Hi");
  EXPECT_EQ(EKRAN[2][2].SYMBOL, 'H');
  EXPECT_EQ(EKRAN[2][3].SYMBOL, 'i');
  EXPECT_EQ(EKRAN[2][2].ATTR, BLUE * 16 + YELLOW);
  EXPECT_EQ(EKRAN[1][1].SYMBOL, ' ');
  EXPECT_EQ(WHEREXEMULATOR(), 3);
  EXPECT_EQ(WHEREYEMULATOR(), 1);
}

TEST_F(TextScreen, WritesWithoutLineEndShareOneLine) {
  CLRSCRERASEALL();
  WINDOWEMULATOR(5, 3, 70, 20);
  WRITETEXT("one");
  WRITETEXT("two");
  WRITELNTEXT("three");
  EXPECT_EQ(ROWTEXT(3, 5, 15), "onetwothree");
  EXPECT_EQ(WHEREXEMULATOR(), 1);
  EXPECT_EQ(WHEREYEMULATOR(), 2);
  // An empty write with a line end is an empty line.
  WRITELNTEXT("");
  EXPECT_EQ(WHEREYEMULATOR(), 3);
  EXPECT_TRUE(VIDEO_CURRENTSTRING.empty());
  EXPECT_FALSE(WRITEEMULATION);
}

TEST_F(TextScreen, ClearingFillsOnlyTheWindowAndDoesNotPush) {
  for (int y = 1; y <= 25; y++) DISPLAYSTRING(std::string(80, 'x'), 1, y, 0x07);
  TEXTCOLOREMULATOR(WHITE);
  TEXTBACKGROUNDEMULATOR(RED);
  IMAGE before = PUSHED();
  WINDOWEMULATOR(10, 5, 20, 8);
  EKRAN[6][12].BRIGHTNESS = 40;
  EKRAN[6][12].EFFECT3D = 3;
  CLRSCREMULATOR(false);
  EXPECT_EQ(EKRAN[5][10].SYMBOL, ' ');
  EXPECT_EQ(EKRAN[8][20].ATTR, RED * 16 + WHITE);
  EXPECT_EQ(EKRAN[6][12].BRIGHTNESS, 100);
  EXPECT_EQ(EKRAN[6][12].EFFECT3D, 0);
  EXPECT_EQ(EKRAN[4][10].SYMBOL, 'x');
  EXPECT_EQ(EKRAN[5][21].SYMBOL, 'x');
  EXPECT_EQ(EKRAN[9][20].SYMBOL, 'x');
  // The window's pixels change only with the next push.
  IMAGE still;
  ASSERT_TRUE(THEBACKEND->READFRAME(still));
  EXPECT_EQ(still.RGBA, before.RGBA);
  IMAGE after = PUSHED();
  EXPECT_NE(after.RGBA, before.RGBA);
}

TEST_F(TextScreen, StringsPastTheRightEdgeAreCut) {
  CLRSCRERASEALL();
  DISPLAYSTRING("ABCDEFGH", 157, 10, 0x1F);
  EXPECT_EQ(ROWTEXT(10, 157, 160), "ABCD");
  // Nothing spills into the next row of the record.
  EXPECT_EQ(EKRAN[11][1].SYMBOL, ' ');
  EXPECT_EQ(EKRAN[11][1].ATTR, 0x07);
  DISPLAYSTRING("Z", 1, 101, 0x1F);  // row outside the record: ignored
  DISPLAYSTRING40("Q", 3, 4, 0x2A);
  EXPECT_EQ(EKRAN[4][3].SYMBOL, 'Q');
  EXPECT_EQ(EKRAN[4][3].ATTR, 0x2A);
}

TEST_F(TextScreen, ShiftUpMovesRowsAndBlanksTheLastKeepingColours) {
  TEXTMODE80X25();
  for (int y = 1; y <= 25; y++) {
    DISPLAYSTRING(std::string(80, char('A' + y - 1)), 1, y, static_cast<BYTE>(y));
    EKRAN[y][1].BRIGHTNESS = 50 + y;
  }
  DISPLAYSTRING("#", 81, 1, 0x07);  // outside the shown 80 columns
  SHIFTTEXTUPBYONE();
  EXPECT_EQ(EKRAN[1][1].SYMBOL, 'B');
  EXPECT_EQ(EKRAN[1][1].ATTR, 2);
  EXPECT_EQ(EKRAN[1][1].BRIGHTNESS, 52);
  EXPECT_EQ(EKRAN[24][80].SYMBOL, 'Y');
  EXPECT_EQ(EKRAN[25][40].SYMBOL, ' ');
  EXPECT_EQ(EKRAN[25][40].ATTR, 25);
  EXPECT_EQ(EKRAN[25][1].BRIGHTNESS, 75);
  EXPECT_EQ(EKRAN[1][81].SYMBOL, '#');
}

TEST_F(TextScreen, ModesSetTheWindowAndStayInsideTheRecord) {
  TEXTMODE80X50();
  EXPECT_EQ(VMODE.ROW, 50);
  EXPECT_EQ(WINX2, 80);
  EXPECT_EQ(WINY2, 50);
  TEXTMODEWIDESCREEN();
  EXPECT_EQ(VMODE.COL, 45);
  EXPECT_EQ(VMODE.ROW, 25);
  TEXTMODECUSTOM(255, 200);
  EXPECT_EQ(VMODE.COL, 160);
  EXPECT_EQ(VMODE.ROW, 100);
  TEXTMODECUSTOM(0, 0);
  EXPECT_EQ(VMODE.COL, 1);
  PUSHED();  // must not read outside EKRAN nor divide by zero
}

TEST_F(TextScreen, HighAttributesLoseTheBlinkBitWhenPushed) {
  CLRSCRERASEALL();
  SWITCHTOOPENGLCOLORKEYMODE();
  DISPLAYSTRING("A", 1, 1, 128 + 16 * 1 + 14);
  IMAGE f = PUSHED();
  // Cell (1,1) spans x 0..15, y 0..27; the glyph covers its left 11 columns.
  auto glyph = AT(f, 2, 10), back = AT(f, 14, 10);
  EXPECT_EQ(glyph.R, 255);
  EXPECT_EQ(glyph.G, 255);
  EXPECT_EQ(glyph.B, 0);
  EXPECT_EQ(back.R, 0);
  EXPECT_EQ(back.G, 0);
  EXPECT_EQ(back.B, 128);
  EXPECT_EQ(EKRAN[1][1].ATTR, 16 + 14);  // recorded back as pushed
}

TEST_F(TextScreen, PerformDelayWaitsOutTheFrameOnTheVirtualClock) {
  INITDELAYTIMINGS();
  MARKDELAYSTART();
  uint64_t t0 = GETCURRENTTICKS();
  THEBACKEND->IDLE(10);
  EXPECT_FALSE(PERFORMDELAY(1.0));
  EXPECT_EQ(GETCURRENTTICKS(), t0 + 33);
  EXPECT_EQ(DELAYSTART, t0 + 33);
  // A frame that overran is not paid back by the next one.
  THEBACKEND->IDLE(50);
  EXPECT_TRUE(PERFORMDELAY(1.0));
  EXPECT_EQ(GETCURRENTTICKS(), t0 + 83);
  EXPECT_EQ(DELAYSTART, t0 + 83);
  EXPECT_FALSE(PERFORMDELAY(2.0));
  EXPECT_EQ(GETCURRENTTICKS(), t0 + 83 + 66);
}

TEST_F(TextScreen, DelayEmulatorWaitsAndPumpsAtLeastOnce) {
  uint64_t t0 = GETCURRENTTICKS();
  DELAYEMULATOR(100);
  EXPECT_EQ(GETCURRENTTICKS(), t0 + 100);
  DELAYEMULATOR1(0);
  EXPECT_EQ(GETCURRENTTICKS(), t0 + 100);
}

}  // namespace
