// The level-author checker lists every problem with its line.
#include <gtest/gtest.h>

#include "world/mapcheck.h"
#include "world/worldtest.h"

using namespace worldtest;

namespace {
class Checker : public WorldTest {
 protected:
  int check(const std::string& text, std::string& out) {
    WRITETEXT(dir + "/m.txt", text);
    ::testing::internal::CaptureStdout();
    int rc = CHECKMAPFILE(dir + "/m.txt");
    out = ::testing::internal::GetCapturedStdout();
    return rc;
  }
};
}  // namespace

TEST_F(Checker, CleanMapPasses) {
  std::string out;
  EXPECT_EQ(check(LINES({"RRRRRR", "RP   R", "R  q R", "RRRRRR", ":Fine", "@5,2-101", "2,2,3,3-R"}), out), 0) << out;
  EXPECT_NE(out.find("no problems"), std::string::npos);
}

TEST_F(Checker, ReportsEveryProblemWithItsLine) {
  std::string text = LINES({"RRRRRRR", "RP  R R", "R   R R", "RRRRRRR", ":Broken", "\"too early\"", "@6,2-101",
                            "@9,2-101", "2,9,3,3-R", "S4-1", "P22", "END"});
  for (int i = 0; i < 21; i++) text += "\"m\"\n";
  std::string out;
  EXPECT_NE(check(text, out), 0);
  EXPECT_NE(out.find(":6: trap message before any trap line"), std::string::npos) << out;
  EXPECT_NE(out.find(":7: portal: cell 6,2 cannot be reached"), std::string::npos) << out;
  EXPECT_NE(out.find(":8: portal: cell 9,2 is outside the map"), std::string::npos) << out;
  EXPECT_NE(out.find(":9: trap: trap cell 2,9 is outside the map"), std::string::npos) << out;
  EXPECT_NE(out.find(":10: light sound before any light line"), std::string::npos) << out;
  EXPECT_NE(out.find(":11: light pattern number"), std::string::npos) << out;
  EXPECT_NE(out.find(":33: Trap messages exceed 20 !!"), std::string::npos) << out;
}

TEST_F(Checker, TooLargeAndNamelessMapsAreReportedNotFatal) {
  std::vector<std::string> g(101, std::string(161, 'R'));
  std::string out;
  EXPECT_NE(check(LINES(g), out), 0);
  EXPECT_NE(out.find("map too large: 161 columns x 101 rows"), std::string::npos) << out;
  EXPECT_NE(out.find("no name line"), std::string::npos) << out;
  EXPECT_NE(out.find("no player start"), std::string::npos) << out;
}

TEST_F(Checker, SymbolsBeyondAFullTableAreNamed) {
  std::vector<std::string> g = {std::string(40, 'R')};
  for (int r = 0; r < 4; r++) g.push_back("R" + std::string(38, '*') + "R");
  g.push_back("RP" + std::string(37, ' ') + "R");
  g.push_back(std::string(40, 'R'));
  std::string out;
  EXPECT_NE(check(LINES(g) + ":Lamps\n", out), 0);
  // Columns are scanned bottom row first, four lamps each: the 81st lamp is
  // the lowest one (line 5) of column 22.
  EXPECT_NE(out.find(":5: lamp at column 22 ignored: more than 80 in the map"), std::string::npos) << out;
}
