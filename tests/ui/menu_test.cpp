// The menu widget, the yes/no question and the line input, driven by
// scripted keys and pointer moves on the headless back-end.
#include "ui_fixture.h"

using namespace uitest;

namespace {

class MENUTEST : public UIFIXTURE {
 protected:
  static void ITEMS(int n) {
    for (int i = 1; i <= n; i++) ITEM[i] = "Item " + std::to_string(i);
  }
  static BYTE PICK(int n) { return MENU("Pick", static_cast<BYTE>(n), 5, 2, SELECT, 15, WAIT, false); }
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
    if (row > 5) {
      EXPECT_EQ(EKRAN[row][right + 1].ATTR, 0) << row;  // shadow
    }
  }
  // Title centred with a space each side in yellow; items padded to MAX + 2
  // in the current colour; a shadow line below.
  EXPECT_EQ(ROWTEXT(5, 13, 33), " " + title + " ");
  EXPECT_EQ(EKRAN[5][14].ATTR, 14);
  EXPECT_EQ(ROWTEXT(6, 11, right - 1), " ab" + std::string(22, ' '));
  EXPECT_EQ(EKRAN[6][12].ATTR, 7);
  EXPECT_EQ(EKRAN[9][12].ATTR, 0);
  EXPECT_EQ(EKRAN[9][right + 2].ATTR, 0);
  // Block effects of the frame (top, top-right, sides, bottom, corners);
  // title letters and items stay flat.
  const int want[][3] = {{10, 5, EFFECT3D_TOP},      {14, 5, EFFECT3D_NONE},    {right, 5, EFFECT3D_BOTH},
                         {10, 6, EFFECT3D_RIGHT},    {right, 7, EFFECT3D_RIGHT}, {11, 8, EFFECT3D_TOP},
                         {right, 8, EFFECT3D_RIGHT}, {10, 8, EFFECT3D_CORNER},  {12, 6, EFFECT3D_NONE}};
  for (const auto& w : want) EXPECT_EQ(EKRAN[w[1]][w[0]].EFFECT3D, w[2]) << w[0] << "," << w[1];
  // Without a longer title the longest item sets the width.
  ITEM[1] = "A rather long item";
  MENU("Hi", 2, 1, 12, SHOW, 15, NOTWAIT, false);
  EXPECT_EQ(EKRAN[13][1 + 18 + 3].SYMBOL, MENUTEXTURECHAR);
  EXPECT_EQ(ROWTEXT(12, 10, 13), " Hi ");
}

TEST_F(MENUTEST, OversizedMenusStayInsideTheScreenRecord) {
  for (int i = 1; i <= MAXMENUITEMS; i++) ITEM[i] = std::string(300, 'x');
  EXPECT_EQ(MENU(std::string(400, 't'), 255, 250, 90, SHOW, 15, NOTWAIT, true), 0);
  EXPECT_EQ(EKRAN[90][160].SYMBOL, ' ');  // the menu starts past the last column
  MENU("t", 200, 150, 95, SHOW, 15, NOTWAIT, false);  // only 25 items exist
  EXPECT_EQ(EKRAN[96][152].SYMBOL, 'x');
  EXPECT_EQ(EKRAN[100][150].SYMBOL, MENUTEXTURECHAR);
}

TEST_F(MENUTEST, HighlightColoursAndEnter) {
  ITEMS(3);
  INPUT({"Down", "Return"});
  EXPECT_EQ(PICK(3), 2);
  EXPECT_EQ(EKRAN[4][7].ATTR, 4 * 16 + 15);  // white on red
  EXPECT_EQ(EKRAN[3][7].ATTR, 8);            // others dark grey on black
}

TEST_F(MENUTEST, WrapsAroundAndPagesToTheEnds) {
  ITEMS(4);
  INPUT({"Up", "Return"});
  EXPECT_EQ(PICK(4), 4);
  INPUT({"Down", "Down", "Down", "Down", "Return"});
  EXPECT_EQ(PICK(4), 1);
  // Paging keys and Home/End go to the ends; typed capitals whose codes are
  // those of the cursor and paging keys (Q 81, I 73, H 72, P 80) do nothing.
  const struct {
    std::vector<std::string> keys;
    BYTE pick;
  } cases[] = {{{"page down", "Return"}, 4},
               {{"page down", "page up", "Return"}, 1},
               {{"end", "Return"}, 4},
               {{"Down", "end", "home", "Return"}, 1},
               {{"text Q", "Return"}, 1},
               {{"text QIHP", "Down", "Return"}, 2},
               {{"Down", "Down", "text IH", "Return"}, 3}};
  for (const auto& c : cases) {
    INPUT(c.keys);
    EXPECT_EQ(PICK(4), c.pick) << c.keys[0] << " " << c.keys[1];
  }
}

TEST_F(MENUTEST, SlotTenIsAvoided) {
  AVOID_SLOT_10 = true;
  ITEMS(12);
  std::vector<std::string> down9(9, "Down");  // the ninth tries item 10
  down9.push_back("Return");
  INPUT(down9);
  EXPECT_EQ(PICK(12), 9);
  INPUT({"Up", "Up", "Up", "Return"});  // 12, 11, then 10 becomes 9
  EXPECT_EQ(PICK(12), 9);
  AVOID_SLOT_10 = false;
  INPUT(down9);
  EXPECT_EQ(PICK(12), 10);
}

TEST_F(MENUTEST, EscapeAndClosingTheWindowLeaveEveryMenu) {
  ITEMS(3);
  INPUT({"Escape"});
  EXPECT_EQ(PICK(3), 0);
  // The title menu too: Escape there quits the game.
  ITEM[1] = "Play ASHEN REACH";
  INPUT({"Escape", "Down", "Return"});
  EXPECT_EQ(PICK(3), 0);
  // A close request leaves a menu, a waiting note and a text prompt at once,
  // and stays set for whoever acts on it.
  ITEMS(3);
  INPUT({"close", "Down", "Return"});
  EXPECT_EQ(PICK(3), 0);
  EXPECT_TRUE(QUITREQUESTED);
  EXPECT_EQ(MENU("Note", 2, 5, 5, SHOW, 15, WAIT, false), 0);
  EXPECT_EQ(READSTRING(5, 5, 10), std::string(1, '\x1b'));
  QUITREQUESTED = false;
}

TEST_F(MENUTEST, OldKeysAreDiscardedAndWaitingMenusTakeAnyKey) {
  ITEMS(3);
  READKEY = 13;  // an Enter left over from the previous screen
  INPUT({"Down", "Return"});
  EXPECT_EQ(PICK(3), 2);
  INPUT({"text x"});
  EXPECT_EQ(MENU("Note", 2, 5, 5, SHOW, 15, WAIT, false), 1);
  INPUT({"Escape"});
  EXPECT_EQ(MENU("Note", 2, 5, 5, SHOW, 15, WAIT, false), 0);
}

TEST_F(MENUTEST, PointerHighlightsAndClickChooses) {
  ITEMS(5);  // the frame spans columns 5..14, items on rows 3..7
  INPUT({"mouse 9 5 0", "Return"});
  EXPECT_EQ(PICK(5), 3);
  // A resting pointer does not fight the keys.
  INPUT({"Down", "Return"});
  EXPECT_EQ(PICK(5), 2);
  INPUT({"mouse 9 6 1", "mouse 9 6 0"});
  EXPECT_EQ(PICK(5), 4);
  // On the frame itself the pointer chooses nothing.
  INPUT({"mouse 5 6 1", "mouse 5 6 0", "Return"});
  EXPECT_EQ(PICK(5), 1);
  IGNORE_BATTR = 1;
  MODERN_VISUALS = 1;
  INPUT({"Return"});
  PICK(5);
  EXPECT_EQ(IGNORE_BATTR, 1);  // cleared only while the menu runs
}

// A click shorter than the time between two looks at the buttons (the
// button goes down and up within 5 ms) still chooses.
TEST_F(MENUTEST, ShortClickChooses) {
  ITEMS(5);  // items on rows 3..7, columns 6..13
  const int px = SCREEN_WIDTH * (2 * 9 - 1) / 160;
  const int py = VIEW_YSTART + VIEW_HEIGHT * (2 * 6 - 1) / 50;
  const int64_t f = PUSHEDFRAMES + 2;
  const std::string at = " mouse " + std::to_string(px) + " " + std::to_string(py);
  std::string err;
  ASSERT_TRUE(PARSEINPUTSCRIPT(std::to_string(f) + at + " 0\n" + std::to_string(f + 2) + "+3/1" + at +
                                   " 1\n" + std::to_string(f + 2) + "+8/1" + at + " 0\n",
                               "click", err))
      << err;
  // A menu that never sees the click ends at the frame limit instead of waiting for ever.
  HARNESS.HEADLESS = true;
  HARNESS.FRAMES = PUSHEDFRAMES + 100;
  BYTE picked = 0;
  EXPECT_NO_THROW(picked = PICK(5));
  EXPECT_EQ(picked, 4);
  HARNESS = HARNESSOPTIONS();
}

TEST_F(MENUTEST, ZoomOpensTheMenu) {
  ITEMS(2);
  const int64_t before = PUSHEDFRAMES;
  MENU("Zoom", 2, 30, 10, SHOW, 15, NOTWAIT, true);
  // MAX = 6: the zoom runs from the centre (34, 12) to (38, 13) in five steps.
  EXPECT_EQ(PUSHEDFRAMES - before, 5 + 1);
  EXPECT_EQ(EKRAN[10][30 + 6 + 3].SYMBOL, MENUTEXTURECHAR);
}

TEST_F(MENUTEST, YesOrNoPadsToTheHeader) {
  INPUT({"Down", "Return"});
  EXPECT_EQ(YESORNO("0123456789", 10, 10, false), 2);
  EXPECT_EQ(ITEM[1], "      Yes      ");
  EXPECT_EQ(ITEM[2], "      No      ");
  INPUT({"Return"});
  EXPECT_EQ(YESORNO("Sure?", 10, 10, false), 1);
  EXPECT_EQ(ITEM[1], "    Yes    ");  // 3 -> 5 -> 7, then two more each side
  INPUT({"Escape"});
  EXPECT_EQ(YESORNO("Sure?", 10, 10, false), 0);
}

class READSTRINGTEST : public UIFIXTURE {};

TEST_F(READSTRINGTEST, LengthLimitAndAcceptedCharacters) {
  INPUT({"text a/b_cd", "Return"});
  TEXTCOLOREMULATOR(15);
  EXPECT_EQ(READSTRING(10, 3, 3), "abc");
  EXPECT_EQ(ROWTEXT(3, 10, 13), "abc ");  // the cursor cell is cleared
  EXPECT_EQ(EKRAN[3][10].ATTR, 15);
  INPUT({"text Az09 (),+-.:\\", "Backspace", "text !#_/x", "Return"});
  EXPECT_EQ(READSTRING(1, 1, 40), "Az09 (),+-.:x");
}

TEST_F(READSTRINGTEST, BackspaceEscapeAndCursorKeys) {
  INPUT({"text abc", "Backspace", "Backspace", "Backspace", "Backspace", "text z", "Escape"});
  EXPECT_EQ(READSTRING(5, 5, 10), std::string(1, '\x1b'));
  EXPECT_EQ(ROWTEXT(5, 5, 8), "z   ");
  // Cursor and paging keys are not typing, though their codes are those of K, H, I and G.
  INPUT({"Left", "Up", "page up", "home", "text ok", "Return"});
  EXPECT_EQ(READSTRING(5, 5, 10), "ok");
  EXPECT_EQ(LY, 26);  // the pointer is parked off the screen
}

// Typing quickly: ten keys 12 ms apart, each held 6 ms, all reach the prompt.
TEST_F(READSTRINGTEST, FastTypingLosesNoCharacter) {
  const std::string word = "abcdefghij";
  std::string script;
  const int64_t start = (PUSHEDFRAMES + 2) * 33;  // in milliseconds from frame 0
  auto stamp = [](int64_t ms) {
    return std::to_string(ms / 33) + "+" + std::to_string(ms % 33) + "/1";
  };
  for (size_t i = 0; i < word.size(); i++) {
    const int64_t t = start + 12 * static_cast<int64_t>(i);
    script += stamp(t) + " down " + word[i] + "\n" + stamp(t + 6) + " up " + word[i] + "\n";
  }
  script += stamp(start + 130) + " down Return\n" + stamp(start + 136) + " up Return\n";
  std::string err;
  ASSERT_TRUE(PARSEINPUTSCRIPT(script, "fast typing", err)) << err;
  EXPECT_EQ(READSTRING(5, 5, 10), word);
}

}  // namespace
