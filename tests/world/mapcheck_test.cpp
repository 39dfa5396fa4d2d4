// The level-author checker lists every problem with its line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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
  EXPECT_NE(out.find(":6: refused: trap message before any trap line"), std::string::npos) << out;
  EXPECT_NE(out.find(":7: note: portal: cell 6,2 cannot be reached"), std::string::npos) << out;
  EXPECT_NE(out.find(":8: note: portal: cell 9,2 is outside the map"), std::string::npos) << out;
  EXPECT_NE(out.find(":9: note: trap: trap cell 2,9 is outside the map"), std::string::npos) << out;
  EXPECT_NE(out.find(":10: refused: light sound before any light line"), std::string::npos) << out;
  EXPECT_NE(out.find(":11: refused: light pattern number"), std::string::npos) << out;
  EXPECT_NE(out.find(":33: refused: Trap messages exceed 20 !!"), std::string::npos) << out;
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
  EXPECT_NE(out.find(":5: note: lamp at column 22 ignored: more than 80 in the map"), std::string::npos) << out;
}

TEST_F(Checker, ExitCodeSaysWhetherTheGameWouldPlayTheFile) {
  const std::string room = LINES({"RRRRRR", "RP R R", "R  R R", "RRRRRR"});
  struct CASE {
    const char* what;
    std::string text;
    int code;
    const char* says;
  } cases[] = {
      {"clean", room + ":Fine\n@3,2-101\n", CHECK_CLEAN, "no problems found"},
      {"unreachable portal", room + ":Walled\n@5,2-101\n", CHECK_NOTES, ":6: note: portal: cell 5,2 cannot be reached"},
      {"no name line", room, CHECK_NOTES, "note: no name line"},
      {"walled-in start", LINES({"RRRRRR", "RPR  R", "RRR  R", "RRRRRR"}) + ":Shut in\n@4,2-101\n", CHECK_NOTES,
       ":6: note: portal: cell 4,2 cannot be reached"},
      {"no player start", LINES({"RRRR", "R  R", "RRRR"}) + ":Empty\n", CHECK_REFUSED, "refused: no player start"},
      {"a note and a refusal", room + ":Both\n@5,2-101\nS1-1\n", CHECK_REFUSED, "the game refuses this file"},
      {"byte-order mark", "\xEF\xBB\xBF" + room + ":Saved as UTF-8\n", CHECK_CLEAN, "no problems found"},
      {"control bytes", room + ":Odd\n2,2,\x01\xC8,3-R\n", CHECK_NOTES,
       "note: trap destination column \"\\x01\\xC8\" is not a number"},
  };
  for (const CASE& c : cases) {
    std::string out;
    EXPECT_EQ(check(c.text, out), c.code) << c.what << "\n" << out;
    EXPECT_NE(out.find(c.says), std::string::npos) << c.what << "\n" << out;
    for (unsigned char ch : out) EXPECT_TRUE(ch == '\n' || (ch >= 32 && ch < 127)) << c.what << ": byte " << int(ch);
  }
}

TEST_F(Checker, AFarExitAtTheEndOfAWindingWayIsReachable) {
  // A snake of 49 corridors, each joined to the next at alternating ends: the
  // exit lies some 7800 steps from the start, and walled off it is not.
  std::vector<std::string> g(99, std::string(160, 'R'));
  for (int line = 2; line <= 98; line += 2) {
    for (int x = 2; x <= 159; x++) g[line - 1][x - 1] = ' ';
    if (line + 2 <= 98) g[line][(line / 2) % 2 == 1 ? 158 : 1] = ' ';
  }
  g[1][1] = 'P';
  std::string out;
  EXPECT_EQ(check(LINES(g) + ":Snake\n@2,98-101\n", out), CHECK_CLEAN) << out;
  g[96][158] = 'R';  // close the last bend
  g[96][1] = 'R';
  EXPECT_EQ(check(LINES(g) + ":Snake\n@2,98-101\n", out), CHECK_NOTES) << out;
  EXPECT_NE(out.find("portal: cell 2,98 cannot be reached"), std::string::npos) << out;
}

TEST_F(Checker, WhatIsNoLevelFileIsRefused) {
  // Each is refused at once, without waiting on a writer or reading a device.
  const std::string path = dir + "/m.txt";
  struct CASE {
    const char* what;
    void (*make)(const std::string&);
    const char* says;
  } cases[] = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "a folder"},
      {"fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, "a named pipe"},
      {"endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }, "not a regular file"},
      {"over 1 MB", [](const std::string& p) { WRITETEXT(p, std::string((1 << 20) + 1, '\n')); }, "larger than 1048576 bytes"},
      {"endless blank lines", [](const std::string& p) { WRITETEXT(p, std::string(500000, '\n') + ":x\n"); },
       "map too large: 0 columns x more than 101 rows"},
  };
  for (const CASE& c : cases) {
    std::filesystem::remove_all(path);
    c.make(path);
    ::testing::internal::CaptureStdout();
    int rc = CHECKMAPFILE(path);
    std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(rc, CHECK_REFUSED) << c.what << "\n" << out;
    EXPECT_NE(out.find(c.says), std::string::npos) << c.what << "\n" << out;
  }
  std::filesystem::remove_all(path);
}
