// Default key layouts and the key file.
#include "ui/keyconfig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/events.h"
#include "base/harness.h"
#include "test_util.h"

namespace {

class KeyConfig : public ::testing::Test {
 protected:
  TempDir DIR;
  std::string FILE = DIR.path + "/KEYS.INI";
  void SetUp() override {
    HARNESS.USERDIR = DIR.path;
    RESETKEYCONFIG(1);
  }
  void TearDown() override { HARNESS.USERDIR.clear(); }
  std::string READALL() {
    std::ifstream f(FILE, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
};

}  // namespace

TEST_F(KeyConfig, TheTwoLayoutsDifferOnlyInFiring) {
  const int32_t cursor[8] = {276, 275, 273, 274, 320, 320, 320, 320};
  const int32_t keypad[8] = {260, 262, 264, 258, 257, 259, 263, 265};
  for (int mode : {1, 2}) {
    RESETKEYCONFIG(mode);
    for (int i = 0; i < 8; i++)
      EXPECT_EQ(KEYSTATUS[5 + i].KEY, mode == 2 ? keypad[i] : cursor[i]) << mode << ":" << 5 + i;
    const int32_t common[][2] = {{1, 'a'}, {4, 's'},  {13, 'e'}, {17, 'u'}, {18, 32}, {20, 282},
                                 {21, 290}, {22, 286}, {23, '1'}, {31, '9'}, {32, 9}, {34, 13}};
    for (const auto& c : common) EXPECT_EQ(KEYSTATUS[c[0]].KEY, c[1]) << mode << ":" << c[0];
  }
}

TEST_F(KeyConfig, RoundTripIs128LittleEndianBytes) {
  RESETKEYCONFIG(2);
  KEYSTATUS[1].KEY = 0x01020304;
  ASSERT_TRUE(SAVEKEYCONFIG());
  std::string bytes = READALL();
  ASSERT_EQ(bytes.size(), 128u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes.substr(16, 4), std::string("\x04\x01\x00\x00", 4));  // slot 5: keypad 4
  EXPECT_FALSE(std::filesystem::exists(FILE + ".tmp"));
  RESETKEYCONFIG(1);
  KEYSTATUS[33].KEY = 1234;  // Escape and Return are never stored or loaded
  ASSERT_TRUE(LOADKEYCONFIG());
  EXPECT_EQ(KEYSTATUS[1].KEY, 0x01020304);
  EXPECT_EQ(KEYSTATUS[12].KEY, 265);
  EXPECT_EQ(KEYSTATUS[32].KEY, 9);
  EXPECT_EQ(KEYSTATUS[33].KEY, 1234);
}

TEST_F(KeyConfig, MissingOrWrongSizedFileKeepsTheDefaults) {
  EXPECT_FALSE(LOADKEYCONFIG());
  for (size_t n : {0u, 124u, 127u, 129u, 256u}) {
    std::ofstream(FILE, std::ios::binary) << std::string(n, '\x07');
    EXPECT_FALSE(LOADKEYCONFIG()) << n;
    EXPECT_EQ(KEYSTATUS[1].KEY, 'a') << n;
    EXPECT_EQ(KEYSTATUS[5].KEY, 276) << n;
    EXPECT_EQ(READALL().size(), n);  // left alone until keys are saved
  }
}

TEST_F(KeyConfig, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(SAVEKEYCONFIG());
  EXPECT_FALSE(SAVEKEYCONFIGTO(DIR.path + "/missing/KEYS.INI"));
  EXPECT_EQ(READALL().size(), 128u);
}

TEST_F(KeyConfig, FolderPipeOrEndlessDeviceKeepsTheDefaults) {
  struct CASE {
    const char* what;
    void (*make)(const std::string&);
  } cases[] = {
      {"folder", [](const std::string& f) { std::filesystem::create_directory(f); }},
      {"fifo", [](const std::string& f) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); }},
      {"link to /dev/zero", [](const std::string& f) { std::filesystem::create_symlink("/dev/zero", f); }},
  };
  for (const CASE& c : cases) {
    std::filesystem::remove_all(FILE);
    c.make(FILE);
    RESETKEYCONFIG(1);
    EXPECT_FALSE(LOADKEYCONFIG()) << c.what;
    EXPECT_EQ(KEYSTATUS[1].KEY, 'a') << c.what;
  }
  std::filesystem::remove_all(FILE);
}
