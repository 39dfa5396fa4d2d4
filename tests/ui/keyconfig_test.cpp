// Default key layouts and the key file.
#include "ui/keyconfig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/events.h"
#include "shell/harness.h"

namespace fs = std::filesystem;

namespace {

class KeyConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/ashen_keys_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    HARNESS.USERDIR = dir;
    file = dir + "/KEYS.INI";
    RESETKEYCONFIG(1);
  }
  void TearDown() override {
    HARNESS.USERDIR.clear();
    fs::remove_all(dir);
  }
  std::string readAll() {
    std::ifstream f(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  void writeRaw(const std::string& bytes) {
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f << bytes;
  }
  std::string dir, file;
};

}  // namespace

TEST_F(KeyConfig, CursorLayoutLeavesDiagonalsUnbound) {
  RESETKEYCONFIG(1);
  EXPECT_EQ(KEYSTATUS[1].KEY, 97);
  EXPECT_EQ(KEYSTATUS[5].KEY, 276);
  EXPECT_EQ(KEYSTATUS[6].KEY, 275);
  EXPECT_EQ(KEYSTATUS[7].KEY, 273);
  EXPECT_EQ(KEYSTATUS[8].KEY, 274);
  for (int i = 9; i <= 12; i++) EXPECT_EQ(KEYSTATUS[i].KEY, 320) << i;
  EXPECT_EQ(KEYSTATUS[18].KEY, 32);
  EXPECT_EQ(KEYSTATUS[20].KEY, 282);
  EXPECT_EQ(KEYSTATUS[21].KEY, 290);
  EXPECT_EQ(KEYSTATUS[22].KEY, 286);
  EXPECT_EQ(KEYSTATUS[23].KEY, '1');
  EXPECT_EQ(KEYSTATUS[31].KEY, '9');
  EXPECT_EQ(KEYSTATUS[32].KEY, 9);
  EXPECT_EQ(KEYSTATUS[33].KEY, 27);
  EXPECT_EQ(KEYSTATUS[34].KEY, 13);
}

TEST_F(KeyConfig, KeypadLayoutBindsAllEightFireDirections) {
  RESETKEYCONFIG(2);
  const int32_t want[8] = {260, 262, 264, 258, 257, 259, 263, 265};
  for (int i = 0; i < 8; i++) EXPECT_EQ(KEYSTATUS[5 + i].KEY, want[i]) << 5 + i;
  EXPECT_EQ(KEYSTATUS[4].KEY, 's');
  EXPECT_EQ(KEYSTATUS[13].KEY, 'e');
  // Any mode but 2 is the cursor layout.
  RESETKEYCONFIG(7);
  EXPECT_EQ(KEYSTATUS[5].KEY, 276);
}

TEST_F(KeyConfig, RoundTripIs128LittleEndianBytes) {
  RESETKEYCONFIG(2);
  KEYSTATUS[1].KEY = 0x01020304;
  KEYSTATUS[32].KEY = 296;
  ASSERT_TRUE(SAVEKEYCONFIG());
  std::string bytes = readAll();
  ASSERT_EQ(bytes.size(), 128u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes.substr(124, 4), std::string("\x28\x01\x00\x00", 4));  // 296
  EXPECT_EQ(bytes.substr(16, 4), std::string("\x04\x01\x00\x00", 4));   // slot 5: keypad 4
  EXPECT_FALSE(fs::exists(file + ".tmp"));

  RESETKEYCONFIG(1);
  KEYSTATUS[33].KEY = 1234;  // Escape and Return are never stored or loaded
  ASSERT_TRUE(LOADKEYCONFIG());
  EXPECT_EQ(KEYSTATUS[1].KEY, 0x01020304);
  EXPECT_EQ(KEYSTATUS[5].KEY, 260);
  EXPECT_EQ(KEYSTATUS[12].KEY, 265);
  EXPECT_EQ(KEYSTATUS[32].KEY, 296);
  EXPECT_EQ(KEYSTATUS[33].KEY, 1234);
}

TEST_F(KeyConfig, MissingOrWrongSizedFileKeepsTheDefaults) {
  EXPECT_FALSE(LOADKEYCONFIG());
  EXPECT_EQ(KEYSTATUS[5].KEY, 276);
  for (size_t n : {0u, 4u, 124u, 127u, 129u, 256u}) {
    writeRaw(std::string(n, '\x07'));
    EXPECT_FALSE(LOADKEYCONFIG()) << n;
    EXPECT_EQ(KEYSTATUS[1].KEY, 97) << n;
    EXPECT_EQ(KEYSTATUS[5].KEY, 276) << n;
    // The odd file is left alone: it is rewritten only when keys are saved.
    EXPECT_EQ(readAll().size(), n);
  }
}

TEST_F(KeyConfig, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(SAVEKEYCONFIG());
  // A key file path inside a folder that does not exist cannot be written.
  EXPECT_FALSE(SAVEKEYCONFIGTO(dir + "/missing/KEYS.INI"));
  EXPECT_EQ(readAll().size(), 128u);
}
