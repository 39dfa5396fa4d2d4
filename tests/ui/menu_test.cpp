// The menu widget, the yes/no question and the line input, driven by queued
// keys and pointer moves on the headless back-end.
#include "ui_fixture.h"

using namespace uitest;

namespace {

class MENUTEST : public UIFIXTURE {
 protected:
  void ITEMS(int n) {
    for (int i = 1; i <= n; i++) ITEM[i] = "Item " + std::to_string(i);
  }
  void PRESS(int32_t sym, int times = 1) {
    for (int i = 0; i < times; i++) FAKE->KEY(sym, sym == KRETURN || sym == KESCAPE ? sym : 0);
  }
};

TEST_F(MENUTEST, LongTitleSetsTheWidthAndFramesIt) {
  ITEM[1] = "ab";
  ITEM[2] = "cdef";
  const std::string title = "A much longer title";  // 19 characters: MAX = 23
  EXPECT_EQ(MENU(title, 2, 10, 5, SHOW, 15, NOTWAIT, false), 0);
  const int right = 10 + 23 + 3;
  for (int row = 5; row <= 8; row++) {
    EXPECT_EQ(EKRAN[row][10].SYMBOL, MENUTEXTURECHAR) << row;
    EXPECT_EQ(EKRAN[row][right].SYMBOL, MENUTEXTURECHAR) << row;
    EXPECT_NE(EKRAN[row][right + 1].SYMBOL, MENUTEXTURECHAR) << row;
  }
  // The title sits centred with a space on each side, in yellow.
  EXPECT_EQ(ROWTEXT(5, 13, 13 + 20), " " + title + " ");
  EXPECT_EQ(EKRAN[5][14].ATTR, 14);
  // Items: a space, the text, padding to MAX + 2 cells, in the current colour.
  EXPECT_EQ(ROWTEXT(6, 11, right - 1), " ab" + std::string(22, ' '));
  EXPECT_EQ(EKRAN[6][12].ATTR, 7);
  // Shadow: two black cells right of the frame and a line below it.
  EXPECT_EQ(EKRAN[6][right + 1].ATTR, 0);
  EXPECT_EQ(EKRAN[8][right + 2].ATTR, 0);
  EXPECT_EQ(EKRAN[9][12].ATTR, 0);
  EXPECT_EQ(EKRAN[9][12 + 23 + 3].ATTR, 0);
  // Block effects of the frame; the title letters stay flat.
  EXPECT_EQ(EKRAN[5][10].EFFECT3D, EFFECT3D_TOP);
  EXPECT_EQ(EKRAN[5][14].EFFECT3D, EFFECT3D_NONE);
  EXPECT_EQ(EKRAN[5][right].EFFECT3D, EFFECT3D_BOTH);
  EXPECT_EQ(EKRAN[6][10].EFFECT3D, EFFECT3D_RIGHT);
  EXPECT_EQ(EKRAN[7][right].EFFECT3D, EFFECT3D_RIGHT);
  EXPECT_EQ(EKRAN[8][11].EFFECT3D, EFFECT3D_TOP);
  EXPECT_EQ(EKRAN[8][right].EFFECT3D, EFFECT3D_RIGHT);
  EXPECT_EQ(EKRAN[8][10].EFFECT3D, EFFECT3D_CORNER);
  EXPECT_EQ(EKRAN[6][12].EFFECT3D, EFFECT3D_NONE);
  EXPECT_EQ(EKRAN[8][10].BRIGHTNESS, 100);
}

TEST_F(MENUTEST, WidthFollowsTheLongestItemWhenTheTitleIsShorter) {
  ITEM[1] = "A rather long item";  // 18
  ITEM[2] = "x";
  MENU("Hi", 2, 1, 1, SHOW, 15, NOTWAIT, false);
  EXPECT_EQ(EKRAN[2][1 + 18 + 3].SYMBOL, MENUTEXTURECHAR);
  EXPECT_EQ(EKRAN[2][1 + 18 + 4].ATTR, 0);
  // round((18 - 2) / 2) + 1 = 9: the title starts at column 10.
  EXPECT_EQ(ROWTEXT(1, 10, 13), " Hi ");
}

TEST_F(MENUTEST, HighlightColoursAndEnterReturnsTheItem) {
  ITEMS(3);
  PRESS(KDOWN);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Pick", 3, 20, 4, SELECT, 15, WAIT, false), 2);
  // Colour 15 highlights on red (4); the other items are dark grey on black.
  EXPECT_EQ(EKRAN[6][22].ATTR, 4 * 16 + 15);
  EXPECT_EQ(EKRAN[5][22].ATTR, 8);
  EXPECT_EQ(EKRAN[7][22].ATTR, 8);
}

TEST_F(MENUTEST, WrapsAroundBothWays) {
  ITEMS(4);
  PRESS(KUP);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Wrap", 4, 5, 5, SELECT, 1, WAIT, false), 4);
  PRESS(KPAGEDOWN);  // no typed character: ignored
  PRESS(KDOWN, 4);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Wrap", 4, 5, 5, SELECT, 1, WAIT, false), 1);
  EXPECT_EQ(FAKE->PENDING(), 0u);
}

TEST_F(MENUTEST, PageKeysJumpToTheEnds) {
  ITEMS(6);
  FAKE->KEY('Q', 81);  // page down arrives as code 81
  FAKE->KEY('I', 73);  // page up as 73
  PRESS(KDOWN);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Page", 6, 5, 5, SELECT, 15, WAIT, false), 2);
}

TEST_F(MENUTEST, SlotTenIsAvoided) {
  AVOID_SLOT_10 = true;
  ITEMS(12);
  PRESS(KDOWN, 8);  // item 9
  PRESS(KDOWN);     // 10 becomes 9: stays
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Slots", 12, 5, 2, SELECT, 15, WAIT, false), 9);
  PRESS(KUP);  // wraps to 12
  PRESS(KUP);  // 11
  PRESS(KUP);  // 10 becomes 9
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Slots", 12, 5, 2, SELECT, 15, WAIT, false), 9);
  AVOID_SLOT_10 = false;
  PRESS(KDOWN, 9);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Slots", 12, 5, 2, SELECT, 15, WAIT, false), 10);
}

TEST_F(MENUTEST, EscapeLeavesExceptInTheMainMenu) {
  ITEMS(3);
  PRESS(KESCAPE);
  EXPECT_EQ(MENU("Any", 3, 5, 5, SELECT, 15, WAIT, false), 0);
  ITEM[1] = "Play ASHEN REACH";
  PRESS(KESCAPE);
  PRESS(KDOWN);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Ashen Reach Menu :", 3, 25, 5, SELECT, 4, WAIT, false), 2);
}

TEST_F(MENUTEST, KeysPressedBeforeTheMenuAreDiscarded) {
  ITEMS(3);
  READKEY = 13;  // an Enter left over from the previous screen
  PRESS(KDOWN);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Fresh", 3, 5, 5, SELECT, 15, WAIT, false), 2);
}

TEST_F(MENUTEST, WaitingWithoutSelection) {
  ITEMS(2);
  FAKE->TYPE("x");
  EXPECT_EQ(MENU("Note", 2, 5, 5, SHOW, 15, WAIT, false), 1);
  PRESS(KESCAPE);
  EXPECT_EQ(MENU("Note", 2, 5, 5, SHOW, 15, WAIT, false), 0);
}

TEST_F(MENUTEST, PointerHighlightsAndClickChooses) {
  ITEMS(5);
  // The pointer rests on item 3's row inside the frame (menu at 10, 4).
  FAKE->MX = CELLPX(14);
  FAKE->MY = CELLPY(4 + 3);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Mouse", 5, 10, 4, SELECT, 15, WAIT, false), 3);
  // A resting pointer does not fight the keys.
  PRESS(KDOWN);
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Mouse", 5, 10, 4, SELECT, 15, WAIT, false), 2);
  // A click on item 4 chooses it.
  FAKE->MY = CELLPY(4 + 4);
  FAKE->MB = 1;
  FAKE->CLICKONCE = true;
  EXPECT_EQ(MENU("Mouse", 5, 10, 4, SELECT, 15, WAIT, false), 4);
  // On the frame itself the pointer chooses nothing.
  FAKE->MX = CELLPX(10);
  FAKE->MY = CELLPY(4 + 2);
  FAKE->MB = 1;
  FAKE->CLICKONCE = true;
  PRESS(KRETURN);
  EXPECT_EQ(MENU("Mouse", 5, 10, 4, SELECT, 15, WAIT, false), 1);
}

TEST_F(MENUTEST, ModernLookShowsBackgroundsOnlyWhileTheMenuRuns) {
  ITEMS(2);
  MODERN_VISUALS = 1;
  IGNORE_BATTR = 1;
  PRESS(KRETURN);
  MENU("Look", 2, 5, 5, SELECT, 15, WAIT, false);
  EXPECT_EQ(IGNORE_BATTR, 1);
}

TEST_F(MENUTEST, ZoomOpensTheMenuInFrameColour) {
  ITEMS(2);
  const int64_t before = PUSHEDFRAMES;
  MENU("Zoom", 2, 30, 10, SHOW, 15, NOTWAIT, true);
  // MAX = 6; the zoom runs from the centre (34, 12) to (38, 13) in five steps.
  EXPECT_EQ(PUSHEDFRAMES - before, 5 + 1);
  EXPECT_EQ(EKRAN[10][30].SYMBOL, MENUTEXTURECHAR);
  EXPECT_EQ(EKRAN[10][30 + 6 + 3].SYMBOL, MENUTEXTURECHAR);
}

TEST_F(MENUTEST, YesOrNoPadsToTheHeader) {
  FAKE->KEY(KDOWN, 0);
  FAKE->KEY(KRETURN, 13);
  EXPECT_EQ(YESORNO("0123456789", 10, 10, false), 2);
  EXPECT_EQ(ITEM[1], "      Yes      ");
  EXPECT_EQ(ITEM[2], "      No      ");
  FAKE->KEY(KRETURN, 13);
  EXPECT_EQ(YESORNO("Sure?", 10, 10, false), 1);
  EXPECT_EQ(ITEM[1], "    Yes    ");  // 3 -> 5 -> 7, then two more each side
  FAKE->KEY(KESCAPE, 27);
  EXPECT_EQ(YESORNO("Sure?", 10, 10, false), 0);
}

class READSTRINGTEST : public UIFIXTURE {};

TEST_F(READSTRINGTEST, LengthLimitAndRejectedCharacters) {
  FAKE->TYPE("a/b_cd");
  FAKE->KEY(KRETURN, 13);
  TEXTCOLOREMULATOR(15);
  EXPECT_EQ(READSTRING(10, 3, 3), "abc");
  // The text stays, the cursor cell after it is cleared.
  EXPECT_EQ(ROWTEXT(3, 10, 13), "abc ");
  EXPECT_EQ(EKRAN[3][10].ATTR, 15);
}

TEST_F(READSTRINGTEST, AcceptedSetAndBackspace) {
  FAKE->TYPE("Az09 (),+-.:\\");
  FAKE->KEY(KBACKSPACE, 8);
  FAKE->TYPE("!#_/x");
  FAKE->KEY(KRETURN, 13);
  EXPECT_EQ(READSTRING(1, 1, 40), "Az09 (),+-.:x");
}

TEST_F(READSTRINGTEST, BackspaceRedrawsTheCursor) {
  FAKE->TYPE("abc");
  FAKE->KEY(KBACKSPACE, 8);
  FAKE->KEY(KBACKSPACE, 8);
  FAKE->KEY(KBACKSPACE, 8);
  FAKE->KEY(KBACKSPACE, 8);  // nothing left to remove
  FAKE->TYPE("z");
  FAKE->KEY(KESCAPE, 27);
  EXPECT_EQ(READSTRING(5, 5, 10), std::string(1, '\x1b'));
  EXPECT_EQ(ROWTEXT(5, 5, 8), "z   ");
}

TEST_F(READSTRINGTEST, CursorKeysAreNotTyped) {
  FAKE->KEY(KLEFT, 0);
  FAKE->KEY(KUP, 0);
  FAKE->TYPE("ok");
  FAKE->KEY(KRETURN, 13);
  EXPECT_EQ(READSTRING(5, 5, 10), "ok");
  EXPECT_EQ(LY, 26);  // the pointer is parked off the screen
}

}  // namespace
