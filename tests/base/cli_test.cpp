// The command line as a person uses it: help, version, unknown options, the
// level to start, and a machine without a usable display.
#include <gtest/gtest.h>

#include <string>

#include "test_util.h"

namespace {
COMMANDRESULT RUN(const std::string& args, const std::string& env = "") {
  TempDir user;
  return RUNCOMMAND(env + " " + std::string(ASHEN_BINARY) + " --user-dir " + user.path + "/u " + args);
}
bool HAS(const COMMANDRESULT& r, const std::string& s) { return r.OUTPUT.find(s) != std::string::npos; }
}  // namespace

TEST(CommandLine, HelpAndVersion) {
  for (const char* opt : {"--help", "-h", "7 --help"}) {
    COMMANDRESULT r = RUN(opt);
    EXPECT_EQ(r.CODE, 0) << opt;
    // Game parameters, harness options, the level checker, where settings live, exit codes.
    for (const char* want : {"NOSOUND", "--headless", "--input", "--check-map", "MONSTER.INI",
                             "/u", "Exit codes"})
      EXPECT_TRUE(HAS(r, want)) << opt << " lacks " << want << "\n" << r.OUTPUT;
  }
  COMMANDRESULT v = RUN("--version");
  EXPECT_EQ(v.CODE, 0);
  EXPECT_TRUE(HAS(v, std::string("ashenreach ") + ASHEN_VERSION)) << v.OUTPUT;
}

TEST(CommandLine, BadOptionsAndLevelsAreRefusedWithTheUsage) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {{"--bogus", "unknown option --bogus"},
               {"-x", "unknown option -x"},
               {"--frames", "needs a value"},
               {"--headless --frames 2 5abc", "'5abc'"},
               {"--headless --frames 2 300", "'300'"},
               {"--headless --frames 2 0", "'0'"},
               {"--headless --frames 2 256", "'256'"},
               {"--headless --frames 2 99999999999999999999", "1..255"}};
  for (const auto& c : cases) {
    COMMANDRESULT r = RUN(c.args);
    EXPECT_EQ(r.CODE, 2) << c.args << "\n" << r.OUTPUT;
    EXPECT_TRUE(HAS(r, c.message)) << c.args << "\n" << r.OUTPUT;
    EXPECT_TRUE(HAS(r, "Usage:")) << c.args;
  }
  // The edges that are levels, and parameters that are not level numbers.
  for (const char* ok : {"1", "255", "x7", "NOSOUND"}) {
    COMMANDRESULT r = RUN(std::string("--headless --frames 2 ") + ok);
    EXPECT_EQ(r.CODE, 0) << ok << "\n" << r.OUTPUT;
  }
}

// SDL falls back to a driver that shows nothing; the game must say so and fail.
TEST(CommandLine, NoUsableDisplayIsAnError) {
  COMMANDRESULT r = RUN("--frames 2", "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy");
  EXPECT_EQ(r.CODE, 5) << r.OUTPUT;
  EXPECT_TRUE(HAS(r, "no usable display")) << r.OUTPUT;
}
