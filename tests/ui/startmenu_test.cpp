// The start menu walked by the real program with scripted input: "Quit"
// leaves only after the yes/no question says "Yes".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "display/backend.h"
#include "test_util.h"

namespace {

// Runs the game headless with SCRIPT as its input; returns the exit code and
// loads the last frame into SHOT.
int RUNWITHSCRIPT(const TempDir& dir, const std::string& script, int frames, IMAGE& shot) {
  const std::string scriptpath = dir.path + "/walk.txt";
  const std::string shotpath = dir.path + "/shot.png";
  std::ofstream(scriptpath) << script;
  std::remove(shotpath.c_str());
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless --size 640x360 --user-dir " +
                          dir.path + "/user --input " + scriptpath + " --frames " +
                          std::to_string(frames) + " --screenshot " + shotpath + " >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(LOADIMAGEFILE(shotpath, shot)) << cmd;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Pixels that are not black inside the menu's box (columns 31..46, rows 9..14
// of the 80 x 25 screen).
int LITINMENUBOX(const IMAGE& f) {
  int lit = 0;
  for (int y = f.H * 8 / 25; y < f.H * 14 / 25; y++)
    for (int x = f.W * 30 / 80; x < f.W * 46 / 80; x++) {
      const uint8_t* p = &f.RGBA[(size_t(y) * f.W + x) * 4];
      if (p[0] > 40 || p[1] > 40 || p[2] > 40) lit++;
    }
  return lit;
}

const char* const TOQUIT =
    "30 down Down\n31 up Down\n40 down Down\n41 up Down\n50 down Down\n51 up Down\n"
    "60 down Return\n61 up Return\n";

TEST(STARTMENU, QuitAsksAndYesLeaves) {
  TempDir dir;
  IMAGE shot;
  // "No" keeps the menu on screen until the frame limit.
  const std::string no = std::string(TOQUIT) + "120 down Down\n121 up Down\n130 down Return\n131 up Return\n";
  EXPECT_EQ(RUNWITHSCRIPT(dir, no, 300, shot), 0);
  ASSERT_GT(shot.W, 0);
  EXPECT_GT(LITINMENUBOX(shot), 500);
  // "Yes" leaves the menu: the last frame is the closing screen, long before
  // the frame limit.
  const std::string yes = std::string(TOQUIT) + "120 down Return\n121 up Return\n";
  EXPECT_EQ(RUNWITHSCRIPT(dir, yes, 2000, shot), 0);
  ASSERT_GT(shot.W, 0);
  EXPECT_EQ(LITINMENUBOX(shot), 0);
}

}  // namespace
