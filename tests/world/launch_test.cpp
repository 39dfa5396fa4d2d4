// The program itself: a direct launch reaches the level set-up, so a bad
// level file ends it with code 4 and a message; --check-map lists problems.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "world/worldtest.h"

using namespace worldtest;
namespace fs = std::filesystem;

namespace {
class Launch : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = MAKETEMPDIR();
    ASSERT_FALSE(dir.empty());
    // A data folder with the real glyphs and sounds and our own levels.
    fs::create_directories(dir + "/data");
    for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA))
      if (e.path().filename() != "CAMPAIGN")
        fs::create_directory_symlink(e.path(), fs::path(dir + "/data") / e.path().filename());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  // Runs the game with ARGS; returns the exit code, output in OUT.
  int run(const std::string& args, std::string& out) {
    std::string cmd = std::string(ASHEN_BINARY) + " " + args + " > " + dir + "/out.txt 2>&1";
    int status = std::system(cmd.c_str());
    std::ifstream f(dir + "/out.txt");
    std::stringstream ss;
    ss << f.rdbuf();
    out = ss.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};
}  // namespace

TEST_F(Launch, BadLevelFileEndsTheDirectLaunchWithCode4) {
  WRITETEXT(dir + "/data/CAMPAIGN/main/MAPS/Map120.txt", LINES({std::string(161, 'R'), "R", ":Wide"}));
  std::string msgs = LINES({"RRR", "RPR", "RRR", ":Chatty", "2,2,2,2-R"});
  for (int i = 0; i < 21; i++) msgs += "\"m\"\n";
  WRITETEXT(dir + "/data/CAMPAIGN/main/MAPS/Map121.txt", msgs);
  const std::string common = "--headless --frames 3 --user-dir " + dir + "/user --data " + dir + "/data ";
  std::string out;
  EXPECT_EQ(run(common + "120", out), 4);
  EXPECT_NE(out.find("Map120.txt: map too large"), std::string::npos) << out;
  EXPECT_EQ(run(common + "121", out), 4);
  EXPECT_NE(out.find("Map121.txt: line 26: Trap messages exceed 20 !!"), std::string::npos) << out;
}

TEST_F(Launch, CheckMapOption) {
  WRITETEXT(dir + "/bad.txt", LINES({"RRRR", "R  R", "RRRR", ":No start", "@9,9-101"}));
  std::string out;
  EXPECT_NE(run("--check-map " + dir + "/bad.txt", out), 0);
  EXPECT_NE(out.find("bad.txt:5: note: portal: cell 9,9 is outside the map"), std::string::npos) << out;
  EXPECT_NE(out.find("no player start"), std::string::npos) << out;
  EXPECT_EQ(run("--check-map " + std::string(ASHEN_SOURCE_DATA) + "/CAMPAIGN/main/MAPS/map1.txt", out), 0) << out;
}
