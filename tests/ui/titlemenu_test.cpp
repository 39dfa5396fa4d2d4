// The title menu walked by the real program with scripted input: "Quit
// ASHEN REACH" leaves at once; moving the highlight keeps the menu up.
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

// Bright pixels inside the menu's box (columns 25..50, rows 5..11 of the
// 80 x 25 screen); the backdrop around it is dim.
int LITINMENUBOX(const IMAGE& f) {
  int lit = 0;
  for (int y = f.H * 5 / 25; y < f.H * 11 / 25; y++)
    for (int x = f.W * 25 / 80; x < f.W * 50 / 80; x++) {
      const uint8_t* p = &f.RGBA[(size_t(y) * f.W + x) * 4];
      if (p[0] > 90 || p[1] > 90 || p[2] > 90) lit++;
    }
  return lit;
}

TEST(TITLEMENU, QuitLeavesAndMovingStays) {
  TempDir dir;
  IMAGE shot;
  // Moving the highlight keeps the menu on screen until the frame limit.
  EXPECT_EQ(RUNWITHSCRIPT(dir, "30 down Down\n31 up Down\n40 down Down\n41 up Down\n", 300, shot), 0);
  ASSERT_GT(shot.W, 0);
  EXPECT_GT(LITINMENUBOX(shot), 500);
  // The last item quits: the last frame is the closing screen, long before
  // the frame limit.
  EXPECT_EQ(RUNWITHSCRIPT(dir, "30 down End\n31 up End\n60 down Return\n61 up Return\n", 2000, shot), 0);
  ASSERT_GT(shot.W, 0);
  EXPECT_EQ(LITINMENUBOX(shot), 0);
}

}  // namespace
