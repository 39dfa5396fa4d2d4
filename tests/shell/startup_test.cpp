// Whole-program start-up and shut-down, run as the player would run it
// (headless): the settings and key files it leaves, and the messages of bad data.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {
using RunResult = COMMANDRESULT;

RunResult runGame(const std::string& args) {
  return RUNCOMMAND(std::string(ASHEN_BINARY) + " --headless " + args);
}

std::string readBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(Startup, DefaultRunWritesDefaultSettings) {
  TempDir dir;
  RunResult r = runGame("--frames 3 --user-dir " + dir.path + "/user");
  ASSERT_EQ(r.CODE, 0) << r.OUTPUT;
  EXPECT_EQ(readBytes(dir.path + "/user/MONSTER.INI"), std::string("\x01\x0A\x0A\x00\x00\x01", 6));
  // The key file is written only when the player redefines keys or an older layout is found.
  EXPECT_FALSE(fs::exists(dir.path + "/user/KEYS.INI"));
}

TEST(Startup, OlderSettingsLayoutRewritesKeyFile) {
  TempDir dir;
  fs::create_directories(dir.path + "/user");
  std::ofstream(dir.path + "/user/MONSTER.INI", std::ios::binary) << std::string("\x02\x05\x04\x00", 4);
  // A key file of another player's bindings that the upgrade must replace.
  std::ofstream(dir.path + "/user/KEYS.INI", std::ios::binary) << std::string(128, '\x07');
  RunResult r = runGame("--frames 3 --user-dir " + dir.path + "/user");
  ASSERT_EQ(r.CODE, 0) << r.OUTPUT;
  std::string keys = readBytes(dir.path + "/user/KEYS.INI");
  ASSERT_EQ(keys.size(), 128u);
  // First action (move left) is bound to A, SDL 1.2 key code 97, little-endian.
  EXPECT_EQ(keys.substr(0, 4), std::string("\x61\x00\x00\x00", 4));
  EXPECT_EQ(readBytes(dir.path + "/user/MONSTER.INI"), std::string("\x02\x05\x04\x00\x00\x01", 6));
}

TEST(Startup, BadUserFilesAreSkippedWithAMessage) {
  // Whatever stands where the key and settings files belong, the game starts,
  // says what it skipped and ends normally.
  struct CASE {
    const char* what;
    void (*make)(const std::string& user);
    const char* says;
  } cases[] = {
      {"folder as key file", [](const std::string& u) { fs::create_directories(u + "/KEYS.INI"); }, "KEYS.INI: a folder"},
      {"pipe as key file", [](const std::string& u) { ASSERT_EQ(mkfifo((u + "/KEYS.INI").c_str(), 0600), 0); },
       "KEYS.INI: a named pipe"},
      {"endless key file", [](const std::string& u) { fs::create_symlink("/dev/zero", u + "/KEYS.INI"); },
       "KEYS.INI: a device"},
      {"pipe as settings", [](const std::string& u) { ASSERT_EQ(mkfifo((u + "/MONSTER.INI").c_str(), 0600), 0); },
       "MONSTER.INI: a named pipe"},
  };
  for (const CASE& c : cases) {
    TempDir dir;
    const std::string user = dir.path + "/user";
    fs::create_directories(user);
    c.make(user);
    RunResult r = runGame("--frames 3 --user-dir " + user);
    EXPECT_EQ(r.CODE, 0) << c.what << ": " << r.OUTPUT;
    EXPECT_NE(r.OUTPUT.find(c.says), std::string::npos) << c.what << ": " << r.OUTPUT;
  }
}

TEST(Startup, InputScriptThatIsNoFileIsRefusedWithAMessage) {
  TempDir dir;
  fs::create_directories(dir.path + "/script");
  RunResult r = runGame("--frames 3 --user-dir " + dir.path + "/user --input " + dir.path + "/script");
  EXPECT_EQ(r.CODE, 2) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find("script: a folder"), std::string::npos) << r.OUTPUT;
}

TEST(Startup, UserFolderNeverFallsIntoTheDataFolder) {
  // Relative folders in the environment are ignored; without any home the
  // game runs and keeps no settings. Nothing is written into the data folder.
  TempDir dir;
  const std::string data = dir.path + "/data";
  fs::create_directories(data);
  for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA))
    fs::create_directory_symlink(e.path(), fs::path(data) / e.path().filename());
  struct CASE {
    std::string env;
    std::string settings;  // where the settings file must land ("" = nowhere)
  } cases[] = {
      {"ASHENREACH_HOME=rel XDG_DATA_HOME=xdg HOME=" + dir.path + "/home",
       dir.path + "/home/.local/share/ASHENREACH/MONSTER.INI"},
      {"XDG_DATA_HOME=" + dir.path + "/xdg", dir.path + "/xdg/ASHENREACH/MONSTER.INI"},
      {"ASHENREACH_HOME=" + dir.path + "/ah", dir.path + "/ah/MONSTER.INI"},
  };
  for (const CASE& c : cases) {
    RunResult r = RUNCOMMAND("env -u ASHENREACH_HOME -u XDG_DATA_HOME " + c.env + " " + ASHEN_BINARY +
                             " --headless --frames 3 --data " + data);
    EXPECT_EQ(r.CODE, 0) << c.env << ": " << r.OUTPUT;
    EXPECT_TRUE(fs::is_regular_file(c.settings)) << c.env << ": " << r.OUTPUT;
  }
  // (Without HOME the account's home folder is used: see the user-folder rules.)
  for (const auto& e : fs::directory_iterator(data))
    EXPECT_TRUE(fs::is_symlink(e.path())) << "written into the data folder: " << e.path();
}

TEST(Startup, MissingDataFolderOrFirstGlyphIsReported) {
  TempDir dir;
  RunResult r = runGame("--frames 3 --user-dir " + dir.path + "/user --data " + dir.path + "/none");
  EXPECT_NE(r.CODE, 0);
  EXPECT_NE(r.OUTPUT.find(dir.path + "/none"), std::string::npos) << r.OUTPUT;

  // A data folder whose glyph sets lack code 32.
  fs::create_directories(dir.path + "/data/GFX/NORM");
  fs::create_directories(dir.path + "/data/GFX/ASCII");
  fs::copy_file(std::string(ASHEN_SOURCE_DATA) + "/GFX/NORM/65.png", dir.path + "/data/GFX/NORM/65.png");
  r = runGame("--frames 3 --user-dir " + dir.path + "/user --data " + dir.path + "/data");
  EXPECT_NE(r.CODE, 0);
  EXPECT_NE(r.OUTPUT.find("32.png"), std::string::npos) << r.OUTPUT;
  EXPECT_NE(r.OUTPUT.find(dir.path + "/data"), std::string::npos) << r.OUTPUT;
}

TEST(Startup, ScreenshotIsTheLastPushedFrame) {
  TempDir dir;
  std::string shot = dir.path + "/shot.png";
  RunResult r = runGame("--frames 4 --size 640x360 --screenshot " + shot + " --user-dir " + dir.path);
  ASSERT_EQ(r.CODE, 0) << r.OUTPUT;
  std::string png = readBytes(shot);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // Width and height in the IHDR chunk, big-endian.
  auto be32 = [&](size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 640u);
  EXPECT_EQ(be32(20), 360u);
}
