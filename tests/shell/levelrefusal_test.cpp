// A refused level is explained on the game screen, which waits for a key.
#include "shell/levelrefusal.h"

#include <gtest/gtest.h>

#include "base/harness.h"
#include "display/textscreen.h"
#include "levelfixture.h"

namespace {
class LevelRefusal : public leveltest::LEVELFIXTURE {
 protected:
  // The text of screen row Y.
  std::string ROWTEXT(int y) {
    std::string s;
    for (int x = 1; x <= VMODE.COL; x++) s += static_cast<char>(EKRAN[y][x].SYMBOL);
    return s;
  }
  bool SHOWN(const std::string& text) {
    for (int y = 1; y <= VMODE.ROW; y++)
      if (ROWTEXT(y).find(text) != std::string::npos) return true;
    return false;
  }
};
}  // namespace

TEST_F(LevelRefusal, ReasonStaysOnScreenUntilAKey) {
  TEXTMODE80X25();
  const std::string longText = "a fault described at such length that it cannot fit on one row of the "
                               "screen and has to be wrapped onto the next one";
  struct CASE {
    std::string where, text;
    std::vector<std::string> rows;
  } cases[] = {
      {"CAMPAIGN/main/MAPS/Map121.txt: line 26", "Trap messages exceed 20 !!",
       {"This level cannot be played.", "Map121.txt: line 26:", "Trap messages exceed 20 !!", "Press a key"}},
      {"Map9.txt", longText, {"a fault described at such length", "wrapped onto the next one"}},
  };
  for (const CASE& c : cases) {
    // No key comes: the scripted run's frame limit ends the wait.
    HARNESS.FRAMES = static_cast<int32_t>(PUSHEDFRAMES) + 10;
    const int64_t before = PUSHEDFRAMES;
    SHOWLEVELREFUSALSCREEN(c.where, c.text);
    EXPECT_GE(PUSHEDFRAMES - before, 9) << "the screen did not wait";
    for (const std::string& r : c.rows) EXPECT_TRUE(SHOWN(r)) << r;
    INITVIDEO();
  }
  HARNESS.FRAMES = -1;
}
