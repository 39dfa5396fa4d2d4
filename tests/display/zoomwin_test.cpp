// Framed boxes, their shadows and the zoom that opens them.
#include <gtest/gtest.h>

#include "display/backend_headless.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "display/zoomwin.h"
#include "base/harness.h"

namespace {

class ZOOMWINTEST : public ::testing::Test {
 protected:
  void SetUp() override {
    THEBACKEND = MAKEHEADLESSBACKEND(640, 360);
    INITVIDEO();
    TEXTMODE80X25();
    CLEAN();
  }
  void TearDown() override {
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = nullptr;
  }
  // Every cell of the record blank in 0x17, with an effect, brightness and
  // saturation that differ from the reset values.
  static void CLEAN() {
    for (int y = 1; y <= UDT_Y; y++)
      for (int x = 1; x <= UDT_X; x++) EKRAN[y][x] = CELLINFO{' ', 0x17, 10, 40, 3};
  }
  static void EXPECTRESET(int lx, int top, int rx, int bottom) {
    for (int y = top; y <= bottom; y++)
      for (int x = lx; x <= rx; x++)
        ASSERT_TRUE(EKRAN[y][x].EFFECT3D == 0 && EKRAN[y][x].BRIGHTNESS == 100 &&
                    EKRAN[y][x].SATURATION == 100)
            << x << "," << y;
  }
};

TEST_F(ZOOMWINTEST, EfSetsTheRangeOnly) {
  EF(3, 4, 5, 6, 7, 55);
  EXPECT_TRUE(EKRAN[4][3].EFFECT3D == 7 && EKRAN[6][5].BRIGHTNESS == 55 && EKRAN[5][4].SATURATION == 100);
  EXPECT_EQ(EKRAN[4][6].EFFECT3D, 3);
  EXPECT_EQ(EKRAN[7][3].EFFECT3D, 3);
  EF(10, 10, 9, 10, 1, 1);  // empty range
  EXPECT_EQ(EKRAN[10][10].EFFECT3D, 3);
  EF(150, 95, 400, 300, 2, 100);  // clipped to the screen record
  EXPECT_EQ(EKRAN[100][160].EFFECT3D, 2);
}

TEST_F(ZOOMWINTEST, FrameInsideAndShadow) {
  DRAWWINDOWEMULATOR(10, 12, 20, 5, 99);
  for (int x = 10; x <= 20; x++)
    EXPECT_TRUE(EKRAN[5][x].SYMBOL == MENUTEXTURECHAR && EKRAN[12][x].ATTR == 15) << x;
  for (int y = 6; y <= 11; y++) {
    EXPECT_TRUE(EKRAN[y][10].SYMBOL == MENUTEXTURECHAR && EKRAN[y][20].ATTR == 15) << y;
    EXPECT_TRUE(EKRAN[y][15].SYMBOL == ' ' && EKRAN[y][15].ATTR == 0) << y;
  }
  // Shadow: row 13 from column 12 to 22, columns 21 and 22 from row 6 to 13.
  for (int x = 11; x <= 23; x++) EXPECT_EQ(EKRAN[13][x].ATTR, x >= 12 && x <= 22 ? 0 : 0x17) << x;
  for (int y = 5; y <= 13; y++) {
    EXPECT_EQ(EKRAN[y][22].ATTR, y >= 6 ? 0 : 0x17) << y;
    EXPECT_EQ(EKRAN[y][23].ATTR, 0x17) << y;
  }
  EXPECTRESET(10, 5, 20, 12);
  EXPECT_EQ(EKRAN[13][12].EFFECT3D, 3);  // the shadow keeps its effect
}

TEST_F(ZOOMWINTEST, ShadowColumnsNearTheEdges) {
  // Right column 79: shadow column 80 but not 81 (row 11 is the bottom
  // shadow row, which runs to column RX + 2).
  DRAWWINDOWEMULATOR(60, 10, 79, 4, 0);
  for (int y = 5; y <= 10; y++) EXPECT_TRUE(EKRAN[y][80].ATTR == 0 && EKRAN[y][81].ATTR == 0x17) << y;
  EXPECTRESET(60, 4, 79, 10);
  // Right column 80: no shadow column; still reset and presented.
  CLEAN();
  const int64_t frames = PUSHEDFRAMES;
  DRAWWINDOWEMULATOR(60, 10, 80, 4, 0);
  for (int y = 5; y <= 10; y++) EXPECT_EQ(EKRAN[y][81].ATTR, 0x17) << y;
  EXPECT_EQ(EKRAN[11][62].ATTR, 0);
  EXPECTRESET(60, 4, 80, 10);
  EXPECT_EQ(PUSHEDFRAMES, frames + 1);
  // Bottom row 25: no side shadow; left column 78: no bottom shadow.
  CLEAN();
  DRAWWINDOWEMULATOR(10, 25, 20, 20, 0);
  EXPECT_EQ(EKRAN[22][21].ATTR, 0x17);
  DRAWWINDOWEMULATOR(78, 10, 79, 5, 0);
  EXPECT_EQ(EKRAN[8][80].ATTR, 0);
  EXPECT_EQ(EKRAN[11][79].ATTR, 0x17);
}

TEST_F(ZOOMWINTEST, ZoomSteps) {
  int64_t frames = PUSHEDFRAMES;
  const uint64_t t0 = THEBACKEND->TICKS();
  ZOOMWINDOWEMULATOR(40, 12, 40, 12, 0, 0x40);  // 1 x 1: one step of 25 ms
  EXPECT_EQ(PUSHEDFRAMES - frames, 1);
  EXPECT_GE(THEBACKEND->TICKS() - t0, 25u);
  EXPECT_LT(THEBACKEND->TICKS() - t0, 50u);
  CLEAN();
  frames = PUSHEDFRAMES;
  ZOOMWINDOWEMULATOR(10, 5, 30, 11, 0, 0x40);
  EXPECT_EQ(PUSHEDFRAMES - frames, 11);  // larger half-width (10) plus one
  EXPECT_TRUE(EKRAN[5][10].SYMBOL == MENUTEXTURECHAR && EKRAN[11][30].SYMBOL == MENUTEXTURECHAR);
  for (int y = 6; y <= 10; y++)
    for (int x = 11; x <= 29; x++) ASSERT_EQ(EKRAN[y][x].SYMBOL, ' ') << x << "," << y;
  EXPECTRESET(10, 5, 30, 11);
  // Nothing outside the box and its shadow was touched.
  EXPECT_TRUE(EKRAN[4][20].ATTR == 0x17 && EKRAN[8][9].ATTR == 0x17 && EKRAN[8][33].EFFECT3D == 3);
  // A rectangle given right to left still ends.
  ZOOMWINDOWEMULATOR(30, 11, 10, 5, 0, 0);
  EXPECT_EQ(EKRAN[11][30].SYMBOL, MENUTEXTURECHAR);
}

}  // namespace
