// The game flow's pieces in the process: the chapter menu with locked
// chapters, the level number of a direct launch and the modes it selects,
// the intro and end-of-campaign texts, and the option helpers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/harness.h"
#include "base/settings.h"
#include "shell/gameflow.h"
#include "shell/gameflowmenu.h"
#include "test_util.h"
#include "ui/ui_fixture.h"

namespace {
namespace fs = std::filesystem;

class GAMEFLOWTEST : public uitest::UIFIXTURE {
 protected:
  TempDir DIR;
  std::string OLDCWD;
  void SetUp() override {
    UIFIXTURE::SetUp();
    OLDCWD = fs::current_path().string();
    fs::create_directories(DIR.path + "/CAMPAIGN/main/MAPS");
    fs::create_directories(DIR.path + "/CAMPAIGN/Second");
    fs::current_path(DIR.path);
    GAME = "main";
    CHAPTERSUNLOCKED = 1;
    LINKACTIVE = false;
    LAUNCHED_FROM_MD = false;
  }
  void TearDown() override {
    fs::current_path(OLDCWD);
    HARNESS.FRAMES = -1;
    GAME = "main";
    CHAPTERSUNLOCKED = 1;
    UIFIXTURE::TearDown();
  }
  void WRITE(const std::string& rel, const std::string& text) {
    std::ofstream(DIR.path + "/" + rel, std::ios::binary) << text;
  }
  // A key pressed at frame F and released at the next.
  static std::string TAPAT(int64_t f, const std::string& key) {
    return std::to_string(f) + " down " + key + "\n" + std::to_string(f + 1) + " up " + key + "\n";
  }
  bool SCREENHAS(const std::string& s) {
    for (int row = 1; row <= 25; row++)
      if (ROWTEXT(row, 1, 80).find(s) != std::string::npos) return true;
    return false;
  }
  // Runs the text screen until it waits for its closing key; the frame limit
  // ends it there so the screen can be read.
  void RUNUNTILPROMPT(BYTE n) {
    HARNESS.FRAMES = PUSHEDFRAMES + 600;
    try {
      PREMAPCUTSCENE(n);
    } catch (const HARNESSEXIT&) {
    }
    HARNESS.FRAMES = -1;
  }
};

TEST_F(GAMEFLOWTEST, ChaptersAboveTheUnlockedCountAreLocked) {
  const struct {
    BYTE unlocked;
    const char* items[6];
  } cases[] = {
      {1, {"DAY I:   Served", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::"}},
      {0, {"DAY I:   Served", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::"}},
      {3, {"DAY I:   Served", "DAY II:  Remains", "DAY III: Warzone", ":: LOCKED ::", ":: LOCKED ::", ":: LOCKED ::"}},
      {9, {"DAY I:   Served", "DAY II:  Remains", "DAY III: Warzone", "DAY IV:  Exodus", "DAY V:   Sand",
           "DAY VI:  Defense"}},
  };
  for (const auto& c : cases) {
    CHAPTERSUNLOCKED = c.unlocked;
    for (int ch = 1; ch <= 6; ch++) EXPECT_EQ(CHAPTERITEM(ch), c.items[ch - 1]) << int(c.unlocked) << " " << ch;
  }
}

TEST_F(GAMEFLOWTEST, ALockedChapterShowsTheMenuAgain) {
  CHAPTERSUNLOCKED = 1;
  // The menu shown again drops keys pressed while it opens: the Enter that
  // takes chapter I comes once it waits.
  const int64_t f = PUSHEDFRAMES;
  std::string err;
  ASSERT_TRUE(PARSEINPUTSCRIPT(TAPAT(f + 2, "Down") + TAPAT(f + 4, "Return") + TAPAT(f + 150, "Return"),
                               "test input", err))
      << err;
  HARNESS.FRAMES = f + 400;  // a menu still waiting ends the run instead of hanging
  BYTE g = 0;
  try {
    g = CHOOSECHAPTER();
  } catch (const HARNESSEXIT&) {
    ADD_FAILURE() << "the menu still waits for a key";
  }
  HARNESS.FRAMES = -1;
  EXPECT_EQ(g, 1);
  CHAPTERSUNLOCKED = 2;
  INPUT({"Down", "Return"});
  EXPECT_EQ(CHOOSECHAPTER(), 2);
  INPUT({"Escape"});
  EXPECT_EQ(CHOOSECHAPTER(), 0);
  INPUT({"End", "Return"});  // "Exit"
  EXPECT_EQ(CHOOSECHAPTER(), 0);
}

// Left alone for a minute, the title screen rolls the credits; a key
// pressed in between starts the minute again.
TEST_F(GAMEFLOWTEST, TheTitleLeftAloneForAMinuteRollsTheCredits) {
  for (const int64_t keyat : {int64_t(0), int64_t(1500)}) {
    CLEARINPUTSCRIPT();
    const int64_t f = PUSHEDFRAMES;
    std::string err;
    if (keyat > 0) {
      ASSERT_TRUE(PARSEINPUTSCRIPT(TAPAT(f + keyat, "Down"), "test input", err)) << err;
    }
    HARNESS.FRAMES = f + 8000;
    const uint64_t t0 = GETCURRENTTICKS();
    BYTE r = 0;
    try {
      r = MAINMENUSTUFF();
    } catch (const HARNESSEXIT&) {
      ADD_FAILURE() << "the title still waits";
    }
    HARNESS.FRAMES = -1;
    EXPECT_EQ(r, MM_CREDITS) << keyat;
    EXPECT_FALSE(TIMER3) << "the idle timer belongs to the title menu only";
    const uint64_t waited = GETCURRENTTICKS() - t0;
    EXPECT_GE(waited, 60000u) << keyat;
    // With the key, a full minute after it: more than 60 s in all.
    if (keyat > 0) {
      EXPECT_GE(waited, 60000u + 20u * 1000u) << "the key started the minute again";
    }
  }
}

TEST_F(GAMEFLOWTEST, LevelNumbersOfADirectLaunchAndTheirModes) {
  const struct {
    const char* param;
    int level;
    bool deathmatch, survival;
  } cases[] = {{"50", 50, true, false},  {"70", 70, false, false}, {"71", 71, false, true},
               {"75", 75, false, true},  {"79", 79, false, true},  {"80", 80, false, false},
               {"100", 100, false, false}, {"255", 255, false, false}, {"256", 1, false, false},
               {"99999999999", 1, false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(LAUNCHLEVEL(c.param), c.level) << c.param;
    CURRENTMAP = LAUNCHLEVEL(c.param);
    EXPECT_EQ(DEATHMATCH(), c.deathmatch) << c.param;
    EXPECT_EQ(SURVIVAL(), c.survival) << c.param;
  }
  CURRENTMAP = 1;
}

TEST_F(GAMEFLOWTEST, ALevelWithoutAnIntroFileStartsAtOnce) {
  const int64_t before = PUSHEDFRAMES;
  for (int n : {101, 150, 112}) PREMAPCUTSCENE(static_cast<BYTE>(n));
  EXPECT_EQ(PUSHEDFRAMES, before) << "no screen shown";
}

TEST_F(GAMEFLOWTEST, IntroTextIsTypedWithMarkedLinesAndTheContinuePrompt) {
  WRITE("CAMPAIGN/main/MAPS/MAP101_INTRO.TXT", "^Day two\r\nAsh falls:\n");
  RUNUNTILPROMPT(101);
  EXPECT_EQ(ROWTEXT(1, 1, 8), "Day two ");
  EXPECT_EQ(EKRAN[1][1].ATTR & 15, 12) << "a marked line";
  EXPECT_EQ(ROWTEXT(2, 1, 10), "Ash falls ") << "the final colon is dropped";
  EXPECT_EQ(EKRAN[2][1].ATTR & 15, 10);
  EXPECT_EQ(ROWTEXT(4, 1, 27), "SPACE/ENTER/ESC to continue");
  // A direct launch shows no intro.
  LAUNCHED_FROM_MD = true;
  CLRSCRERASEALL();
  RUNUNTILPROMPT(101);
  EXPECT_FALSE(SCREENHAS("continue"));
}

TEST_F(GAMEFLOWTEST, Level112OfMainEndsTheCampaign) {
  WRITE("CAMPAIGN/main/MAPS/MAP112_INTRO.TXT", "It is over.\n");
  RUNUNTILPROMPT(112);
  EXPECT_EQ(EKRAN[1][1].ATTR & 15, 3);
  EXPECT_TRUE(SCREENHAS("SPACE/ENTER/ESC to EXIT TO MAIN MENU"));
  // The same level of another campaign is an ordinary intro.
  GAME = "Second";
  fs::create_directories(DIR.path + "/CAMPAIGN/Second/MAPS");
  WRITE("CAMPAIGN/Second/MAPS/MAP112_INTRO.TXT", "Not over.\n");
  CLRSCRERASEALL();
  RUNUNTILPROMPT(112);
  EXPECT_TRUE(SCREENHAS("SPACE/ENTER/ESC to continue"));
}

TEST_F(GAMEFLOWTEST, CreditsSkipWebLinesAndAKeyEndsTheText) {
  WRITE("credits.txt", "Made by us\nhttp://example.invalid\nThanks\n");
  RUNUNTILPROMPT(0);
  EXPECT_EQ(ROWTEXT(1, 1, 10), "Made by us");
  EXPECT_EQ(EKRAN[1][1].ATTR & 15, 12) << "credits lines are marked";
  EXPECT_EQ(ROWTEXT(2, 1, 6), "Thanks");
  // Space ends a long text at once, without the prompt.
  std::string longtext;
  for (int i = 0; i < 40; i++) longtext += "A line of the credits that goes on\n";
  WRITE("credits.txt", longtext);
  INPUT({"space"});
  const int64_t before = PUSHEDFRAMES;
  PREMAPCUTSCENE(0);
  EXPECT_LT(PUSHEDFRAMES - before, 200);
  EXPECT_FALSE(SCREENHAS("SPACE/ENTER/ESC"));
  // A campaign that brings its own credits shows those.
  WRITE("CAMPAIGN/main/credits.txt", "Thanks from the campaign\n");
  CLRSCRERASEALL();
  RUNUNTILPROMPT(0);
  EXPECT_EQ(ROWTEXT(1, 1, 24), "Thanks from the campaign");
}

TEST_F(GAMEFLOWTEST, CampaignNamesWithoutAFolderSelectMain) {
  const struct {
    const char* typed;
    const char* game;
  } cases[] = {{"Second", "Second"}, {"  Second  ", "Second"}, {"nowhere", "main"}, {"", "main"},
               {"   ", "main"},      {"..", "main"},           {"../CAMPAIGN", "main"}};
  for (const auto& c : cases) {
    GAME = "x";
    SETCAMPAIGN(c.typed);
    EXPECT_EQ(GAME, c.game) << "'" << c.typed << "'";
  }
}

TEST_F(GAMEFLOWTEST, ControlMethodLabelFollowsTheSetting) {
  NEW_CONTROL_MODE = true;
  EXPECT_EQ(CONTROLMETHODITEM(), "Control method : KEYBOARD (recommended)");
  NEW_CONTROL_MODE = false;
  EXPECT_EQ(CONTROLMETHODITEM(), "Control method : KEYBOARD+MOUSE (beta)");
  NEW_CONTROL_MODE = true;
}

}  // namespace
