// The game program with scripted input: a bad script stops it with the file
// and line, a good one drives it, and a recording is written where asked.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "test_util.h"

namespace {

using RUN = COMMANDRESULT;

// Runs the game headless from folder DIR (relative paths resolve there).
RUN RUNGAME(const std::string& dir, const std::string& args) {
  return RUNCOMMAND("cd '" + dir + "' && " + std::string(ASHEN_BINARY) + " --headless --data " +
                    ASHEN_SOURCE_DATA + " --user-dir user " + args);
}

void WRITE(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
}

}  // namespace

TEST(InputRun, MalformedScriptStopsWithFileAndLine) {
  TempDir d;
  WRITE(d.path + "/bad.txt", "2 down Return\n3 up Return\n4 down Hyperspace\n");
  RUN r = RUNGAME(d.path, "--frames 50 --input bad.txt");
  EXPECT_NE(r.CODE, 0);
  EXPECT_NE(r.OUTPUT.find("bad.txt:3:"), std::string::npos) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find("Hyperspace"), std::string::npos) << r.OUTPUT;
}

TEST(InputRun, ScriptedRunWritesItsRecordingBesideTheScript) {
  TempDir d;
  WRITE(d.path + "/esc.txt", "2 text hello\n3 down Escape\n4 up Escape\n");
  RUN r = RUNGAME(d.path, "--frames 40 --seed 9 --input esc.txt --record rec.txt");
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  std::ifstream f(d.path + "/rec.txt");
  std::string first;
  ASSERT_TRUE(std::getline(f, first)) << "no recording beside the script";
  EXPECT_NE(first.find("--seed 9"), std::string::npos);
}

namespace {
// The first player's column in a state dump.
int PLAYERCOLUMN(const std::string& dump) {
  size_t at = dump.find("\"players\"");
  at = dump.find("\"x\":", at);
  return at == std::string::npos ? -1 : std::atoi(dump.c_str() + at + 4);
}
}  // namespace

TEST(InputRun, ScriptedKeysWalkThePlayerTheSameWayEveryTime) {
  TempDir d;
  WRITE(d.path + "/walk.txt", "5 down d\n60 up d\n");
  const std::string level = "1 --frames 120 --seed 3 ";
  RUN still = RUNGAME(d.path, level + "--dump-state still.json");
  RUN a = RUNGAME(d.path, level + "--input walk.txt --dump-state a.json");
  RUN b = RUNGAME(d.path, level + "--input walk.txt --dump-state b.json");
  ASSERT_EQ(a.CODE, 0) << a.OUTPUT;
  std::string da = READALL(d.path + "/a.json");
  EXPECT_GT(PLAYERCOLUMN(da), PLAYERCOLUMN(READALL(d.path + "/still.json")));
  EXPECT_EQ(da, READALL(d.path + "/b.json"));
}
