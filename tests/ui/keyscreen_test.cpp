// The key screen driven by scripted keys: every prompt fills its slot in the
// screen's order, the key file is written only after the last prompt, Escape
// brings back the stored bindings, and a key held when a prompt appears is
// not its answer.
#include "ui/keyscreen.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/keynames.h"
#include "test_util.h"
#include "ui/keyconfig.h"
#include "ui_fixture.h"

namespace {

class KEYSCREENTEST : public uitest::UIFIXTURE {
 protected:
  TempDir DIR;
  std::string FILE = DIR.path + "/KEYS.INI";
  void SetUp() override {
    UIFIXTURE::SetUp();
    HARNESS.USERDIR = DIR.path;
    RESETKEYCONFIG(1);
  }
  void TearDown() override {
    HARNESS.USERDIR.clear();
    RESETKEYCONFIG(1);
    UIFIXTURE::TearDown();
  }
  std::string READFILE() {
    std::ifstream f(FILE, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  // Taps the keys ten frames apart, so each prompt is waiting before its key.
  void KEYS(const std::vector<std::string>& keys, int64_t first = 5) {
    std::string script;
    int64_t f = PUSHEDFRAMES + first;
    for (const std::string& k : keys) {
      script += std::to_string(f) + " down " + k + "\n" + std::to_string(f + 1) + " up " + k + "\n";
      f += 10;
    }
    SCRIPT(script);
  }
  void SCRIPT(const std::string& script) {
    std::string err;
    ASSERT_TRUE(PARSEINPUTSCRIPT(script, "keys", err)) << err;
  }
  bool SCREENHAS(const std::string& s) {
    for (int row = 1; row <= 25; row++)
      if (ROWTEXT(row, 1, 80).find(s) != std::string::npos) return true;
    return false;
  }
};

// The slot each prompt fills, in the order the screen asks.
const int ORDER[27] = {1, 2, 3, 4, 13, 5, 6, 7, 8, 9, 10, 11, 12, 19, 32, 21, 22,
                       20, 23, 24, 25, 26, 27, 28, 29, 30, 31};

TEST_F(KEYSCREENTEST, EveryPromptFillsItsSlotAndTheFileIsWrittenAtTheEnd) {
  std::vector<std::string> keys;
  const std::string letters = "bcfghijklmnopqvxz0123456789";
  for (char c : letters) keys.push_back(std::string(1, c));
  KEYS(keys);
  DEFINEKEYS();
  EXPECT_FALSE(KEYSCREENABORTED);
  for (int i = 0; i < 27; i++) EXPECT_EQ(KEYSTATUS[ORDER[i]].KEY, uint32_t(letters[i])) << "prompt " << i + 1;
  EXPECT_EQ(KEYSTATUS[14].KEY, uint32_t('r')) << "inventory slots are not asked";
  EXPECT_EQ(KEYSTATUS[18].KEY, uint32_t(' '));
  const std::string file = READFILE();
  ASSERT_EQ(file.size(), 128u);
  // Slot 1 first, little-endian; slot 32 last.
  EXPECT_EQ(file.substr(0, 4), std::string("b\0\0\0", 4));
  EXPECT_EQ(file.substr(124, 4), std::string("v\0\0\0", 4)) << "TOGGLE AUTOMAP, the 15th prompt";
}

TEST_F(KEYSCREENTEST, EscapeKeepsTheStoredBindingsAndWritesNothing) {
  RESETKEYCONFIG(2);
  ASSERT_TRUE(SAVEKEYCONFIG());
  const std::string stored = READFILE();
  RESETKEYCONFIG(1);
  KEYS({"q", "x", "escape", "y"});
  DEFINEKEYS();
  EXPECT_TRUE(KEYSCREENABORTED);
  EXPECT_EQ(KEYSTATUS[1].KEY, 97u) << "from the key file";
  EXPECT_EQ(KEYSTATUS[2].KEY, 100u);
  EXPECT_EQ(KEYSTATUS[5].KEY, 260u) << "the stored keypad layout";
  EXPECT_EQ(READFILE(), stored);
}

TEST_F(KEYSCREENTEST, WithoutAKeyFileEscapeLeavesTheAnswersGiven) {
  KEYS({"q", "escape"});
  DEFINEKEYS();
  EXPECT_EQ(KEYSTATUS[1].KEY, uint32_t('q'));
  EXPECT_EQ(KEYSTATUS[2].KEY, 27u);
  EXPECT_FALSE(std::filesystem::exists(FILE));
}

TEST_F(KEYSCREENTEST, AKeyHeldWhenThePromptAppearsIsNotTheAnswer) {
  // "k" is already down when the screen opens and comes up later; "j" is
  // the first key pressed after that.
  const int64_t f = PUSHEDFRAMES;
  SCRIPT("0 down k\n" + std::to_string(f + 30) + " up k\n" + std::to_string(f + 40) + " down j\n" +
         std::to_string(f + 41) + " up j\n" + std::to_string(f + 50) + " down escape\n" +
         std::to_string(f + 51) + " up escape\n");
  DEFINEKEYS();
  EXPECT_EQ(KEYSTATUS[1].KEY, uint32_t('j'));
  EXPECT_EQ(KEYSTATUS[2].KEY, 27u);
}

TEST_F(KEYSCREENTEST, EachAnswerIsNamedAfterItsPrompt) {
  const struct {
    const char* key;
    uint32_t code;
    const char* shown;
  } cases[] = {{"left", 276, "MOVE LEFT - left"}, {"[4]", 260, "MOVE LEFT - [4]"},
               {"F1", 282, "MOVE LEFT - f1"},     {"q", 'q', "MOVE LEFT - q"},
               {"escape", 27, "MOVE LEFT - escape"}};
  for (const auto& c : cases) {
    CLRSCRERASEALL();
    GOTOXYEMULATOR(1, 1);
    KEYSCREENABORTED = false;
    KEYS({c.key});
    EXPECT_EQ(ASSIGNKEY("MOVE LEFT"), int32_t(c.code)) << c.key;
    EXPECT_EQ(ROWTEXT(1, 1, int(std::string(c.shown).size())), c.shown);
    EXPECT_EQ(KEYSCREENABORTED, c.code == 27) << c.key;
  }
}

}  // namespace
