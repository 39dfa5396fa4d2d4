// The installed game: `cmake --install` into a fresh prefix, then the
// installed program started headless from an unrelated folder, finding its
// data without --data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {
// One install shared by the cases below; removed with the test program.
struct Installed {
  TempDir prefix;
  COMMANDRESULT result;
  Installed() {
    result = RUNCOMMAND(std::string(ASHEN_CMAKE) + " --install " + ASHEN_BUILD_DIR + " --prefix " + prefix.path);
  }
};

Installed& INSTALL() {
  static Installed once;
  return once;
}

// Runs the installed program from a scratch folder with no data hints in the environment.
COMMANDRESULT runInstalled(const std::string& args, const std::string& cwd) {
  return RUNCOMMAND("cd " + cwd + " && env -u ASHENREACH_DATA -u ASHENREACH_HOME -u XDG_DATA_HOME HOME=" + cwd +
                    " " + INSTALL().prefix.path + "/bin/ashenreach " + args);
}
}  // namespace

TEST(Install, PutsEveryPieceInPlace) {
  ASSERT_EQ(INSTALL().result.CODE, 0) << INSTALL().result.OUTPUT;
  const std::string p = INSTALL().prefix.path;
  for (const char* f : {"bin/ashenreach", "share/ashenreach/GFX/NORM/130.png", "share/ashenreach/GFX/ASCII",
                        "share/ashenreach/CAMPAIGN/main/MAPS/map1.txt", "share/applications/ashenreach.desktop",
                        "share/icons/hicolor/16x16/apps/ashenreach.png", "share/icons/hicolor/48x48/apps/ashenreach.png",
                        "share/icons/hicolor/256x256/apps/ashenreach.png", "share/man/man6/ashenreach.6"})
    EXPECT_TRUE(fs::exists(p + "/" + f)) << f;
  std::ifstream d(p + "/share/applications/ashenreach.desktop");
  std::string desktop((std::istreambuf_iterator<char>(d)), std::istreambuf_iterator<char>());
  EXPECT_NE(desktop.find("\nExec=ashenreach\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nIcon=ashenreach\n"), std::string::npos);
}

// A generated level and a campaign level (100: the campaign's first map).
TEST(Install, InstalledProgramPlaysWithoutDataOption) {
  ASSERT_EQ(INSTALL().result.CODE, 0) << INSTALL().result.OUTPUT;
  struct Case {
    const char* level;
  } cases[] = {{"5"}, {"100"}};
  for (const Case& c : cases) {
    TempDir here;
    COMMANDRESULT r =
        runInstalled(std::string("--headless --frames 30 --dump-state ") + here.path + "/dump.json " + c.level, here.path);
    EXPECT_EQ(r.CODE, 0) << "level " << c.level << ": " << r.OUTPUT;
    std::ifstream f(here.path + "/dump.json");
    nlohmann::json dump = PARSEDUMP(std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(dump.contains("mapsize")) << c.level;
    EXPECT_GT(dump["mapsize"][0].get<int>(), 0) << c.level;
  }
}

// The data really comes from the install: without it the program names every folder it tried.
TEST(Install, MovedAwayDataIsReportedNotGuessed) {
  ASSERT_EQ(INSTALL().result.CODE, 0) << INSTALL().result.OUTPUT;
  if (fs::exists(std::string(ASHEN_INSTALL_DATA))) GTEST_SKIP() << "the game is installed on this machine";
  TempDir copy, here;
  fs::create_directories(copy.path + "/bin");
  fs::copy_file(INSTALL().prefix.path + "/bin/ashenreach", copy.path + "/bin/ashenreach");
  COMMANDRESULT r = RUNCOMMAND("cd " + here.path + " && env -u ASHENREACH_DATA HOME=" + here.path + " " + copy.path +
                               "/bin/ashenreach --headless --frames 1 5");
  EXPECT_EQ(r.CODE, 1) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find("no data folder found"), std::string::npos) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find(copy.path + "/share/ashenreach"), std::string::npos) << r.OUTPUT;
}
