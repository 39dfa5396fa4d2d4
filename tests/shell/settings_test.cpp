// The settings file layouts and the command-line parameter tests.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/renderer.h"
#include "base/harness.h"
#include "shell/startup.h"
#include "test_util.h"

namespace {
void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f << bytes;
}
std::string readBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}
void resetDefaults() {
  CHAPTERSUNLOCKED = 1;
  VOLUME_SOUND = VOLUME_MUSIC = 10;
  NEW_CONTROL_MODE = true;
  SUBDUED_VISUALS = 0;
  UPGRADE_DETECTED = false;
}
}  // namespace

TEST(Settings, FullFileIsReadInOrder) {
  TempDir dir;
  std::string path = dir.path + "/MONSTER.INI";
  writeBytes(path, std::string("\x03\x07\x02\x01\x01\x00", 6));
  resetDefaults();
  BYTE style = 1;
  READSETTINGS(path, style);
  EXPECT_EQ(CHAPTERSUNLOCKED, 3);
  EXPECT_EQ(VOLUME_SOUND, 7);
  EXPECT_EQ(VOLUME_MUSIC, 2);
  EXPECT_FALSE(NEW_CONTROL_MODE);  // byte 4 non-zero: keyboard plus mouse
  EXPECT_EQ(SUBDUED_VISUALS, 1);
  EXPECT_EQ(style, 0);
  EXPECT_FALSE(UPGRADE_DETECTED);
  EXPECT_EQ(SKYCOLOR, 0);  // the scratch byte is cleared again
}

TEST(Settings, OlderLayoutsSetUpgradeAndKeepDefaults) {
  TempDir dir;
  std::string path = dir.path + "/MONSTER.INI";
  for (int len : {4, 5}) {
    writeBytes(path, std::string("\x02\x05\x05\x00\x01", len));
    resetDefaults();
    BYTE style = 1;
    READSETTINGS(path, style);
    EXPECT_TRUE(UPGRADE_DETECTED) << len;
    EXPECT_EQ(style, 1) << len;
    EXPECT_EQ(SUBDUED_VISUALS, len == 5 ? 1 : 0) << len;
    EXPECT_TRUE(NEW_CONTROL_MODE);
    EXPECT_EQ(CHAPTERSUNLOCKED, 2);
  }
}

TEST(Settings, ShortMissingOrUnreadableFileKeepsDefaults) {
  TempDir dir;
  std::string path = dir.path + "/MONSTER.INI";
  for (const std::string& content :
       {std::string(), std::string("\x05"), std::string("\x05\x01\x01")}) {
    writeBytes(path, content);
    resetDefaults();
    BYTE style = 1;
    READSETTINGS(path, style);
    EXPECT_EQ(CHAPTERSUNLOCKED, 1);
    EXPECT_EQ(VOLUME_SOUND, 10);
    EXPECT_FALSE(UPGRADE_DETECTED);
    EXPECT_EQ(style, 1);
  }
  resetDefaults();
  BYTE style = 1;
  READSETTINGS(dir.path + "/absent.ini", style);
  READSETTINGS(dir.path, style);  // a folder, not a file
  EXPECT_EQ(CHAPTERSUNLOCKED, 1);
  EXPECT_EQ(style, 1);
}

TEST(Settings, WriteProducesSixBytesAndReplacesAtomically) {
  TempDir dir;
  std::string path = dir.path + "/MONSTER.INI";
  resetDefaults();
  MODERN_VISUALS = 1;
  std::string err;
  ASSERT_TRUE(WRITESETTINGS(path, err)) << err;
  EXPECT_EQ(readBytes(path), std::string("\x01\x0A\x0A\x00\x00\x01", 6));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  // A folder that cannot be written reports failure and leaves no file behind.
  EXPECT_FALSE(WRITESETTINGS(dir.path + "/missing/MONSTER.INI", err));
  EXPECT_NE(err.find("missing/MONSTER.INI"), std::string::npos) << err;
}

TEST(Settings, ValuesOutOfRangeReadAsTheirDefaults) {
  struct CASE {
    std::string bytes;
    BYTE chapters, sound, music, subdued, style;
  } cases[] = {
      {std::string("\x03\x07\x02\x00\x01\x00", 6), 3, 7, 2, 1, 0},      // all in range
      {std::string("\x03\x07\x02\x00\x01\x02", 6), 3, 7, 2, 1, 1},      // style 2
      {std::string("\x03\x07\x02\x00\x01\xFF", 6), 3, 7, 2, 1, 1},      // style 255
      {std::string("\x00\x0B\xC8\x00\x02\x00", 6), 1, 10, 10, 0, 0},    // chapters 0, volumes 11 and 200, subdued 2
      {std::string("\x9C\x0A\x00\x00\x00\x01", 6), 156, 10, 0, 0, 1},   // the largest values
      {std::string("\x9D\x0A\x00\x00\x00\x01", 6), 1, 10, 0, 0, 1},     // chapter 157
      {std::string("\x03\x07\x02\x00\x01\x00\x00", 7), 1, 10, 10, 0, 1},  // seven bytes: not ours
  };
  TempDir dir;
  const std::string path = dir.path + "/MONSTER.INI";
  for (const CASE& c : cases) {
    writeBytes(path, c.bytes);
    resetDefaults();
    BYTE style = 1;
    READSETTINGS(path, style);
    EXPECT_EQ(CHAPTERSUNLOCKED, c.chapters) << testing::PrintToString(c.bytes);
    EXPECT_EQ(VOLUME_SOUND, c.sound) << testing::PrintToString(c.bytes);
    EXPECT_EQ(VOLUME_MUSIC, c.music) << testing::PrintToString(c.bytes);
    EXPECT_EQ(SUBDUED_VISUALS, c.subdued) << testing::PrintToString(c.bytes);
    EXPECT_EQ(style, c.style) << testing::PrintToString(c.bytes);
  }
}

TEST(Settings, PipeOrEndlessDeviceReadsAsAbsent) {
  TempDir dir;
  const std::string fifo = dir.path + "/fifo.ini", zero = dir.path + "/zero.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", zero);
  for (const std::string& path : {fifo, zero}) {
    resetDefaults();
    BYTE style = 1;
    READSETTINGS(path, style);  // returns at once: nothing waits on a writer
    EXPECT_EQ(CHAPTERSUNLOCKED, 1) << path;
    EXPECT_EQ(style, 1) << path;
    EXPECT_FALSE(UPGRADE_DETECTED) << path;
  }
}

TEST(Params, NosoundMatchesAnyCaseAndBlanks) {
  for (const char* p : {"nosound", "NoSound", "No Sound", " NOSOUND "}) {
    GAMEPARAMS = {"x", p};
    EXPECT_TRUE(PARAM("NOSOUND")) << p;
  }
  GAMEPARAMS = {"nosounds"};
  EXPECT_FALSE(PARAM("NOSOUND"));
  GAMEPARAMS = {"8BIT"};
  EXPECT_TRUE(PARAM("8bit"));
}

TEST(Params, DirectLaunchNeedsLeadingDigit) {
  GAMEPARAMS = {"7"};
  EXPECT_TRUE(VALIDATEDPARAM());
  GAMEPARAMS = {"x7"};
  EXPECT_FALSE(VALIDATEDPARAM());
  GAMEPARAMS = {""};
  EXPECT_FALSE(VALIDATEDPARAM());
  GAMEPARAMS = {};
  EXPECT_FALSE(VALIDATEDPARAM());
}

TEST(Harness, OptionsAreRemovedFromGameParameters) {
  const char* argv[] = {"ashenreach", "--headless", "--frames", "12", "7",  "--size",
                        "640x360",    "NOSOUND",    "--seed",   "42", "3"};
  std::string err;
  ASSERT_TRUE(PARSEHARNESS(11, const_cast<char**>(argv), err)) << err;
  EXPECT_TRUE(HARNESS.HEADLESS);
  EXPECT_EQ(HARNESS.FRAMES, 12);
  EXPECT_EQ(HARNESS.WIDTH, 640);
  EXPECT_EQ(HARNESS.HEIGHT, 360);
  EXPECT_TRUE(HARNESS.SEEDGIVEN);
  EXPECT_EQ(HARNESS.SEED, 42u);
  ASSERT_EQ(GAMEPARAMS.size(), 3u);
  EXPECT_EQ(GAMEPARAMS[0], "7");
  EXPECT_EQ(GAMEPARAMS[1], "NOSOUND");
  EXPECT_EQ(GAMEPARAMS[2], "3");
}

TEST(Harness, MalformedOptionsAreRefused) {
  std::string err;
  const char* a1[] = {"g", "--frames", "ten"};
  EXPECT_FALSE(PARSEHARNESS(3, const_cast<char**>(a1), err));
  EXPECT_NE(err.find("--frames"), std::string::npos);
  const char* a2[] = {"g", "--size", "640"};
  EXPECT_FALSE(PARSEHARNESS(3, const_cast<char**>(a2), err));
  const char* a3[] = {"g", "--screenshot"};
  EXPECT_FALSE(PARSEHARNESS(2, const_cast<char**>(a3), err));
  const char* a4[] = {"g", "--bogus", "1"};
  EXPECT_FALSE(PARSEHARNESS(3, const_cast<char**>(a4), err));
}
