// Messages, the hero-thought box, the objective box and the HUD texts.
#include <gtest/gtest.h>

#include "display/events.h"
#include "display/input.h"
#include "display/keynames.h"
#include "display/textscreen.h"
#include "game/player.h"
#include "render/hud.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MYNUMBER = 1;
    NUMBEROFPLAYERS = 1;
    PLAYERHEALTH[1] = 100;
    PLAYERHEALTH[2] = 100;
    PAUSESTATE = PAUSED_NOT;
    NEW_CONTROL_MODE = true;
    PORT60[1] = 0;
    MOUSESTATUS[1] = 0;
    CLEARMESSAGES();
  }
  // The log lines from the newest back, trimmed.
  static std::string LINE(int fromnewest) { return TRIMSPACES(TXTLINE[TXT_NUMLINES - fromnewest]); }
};

TEST_F(MessagesTest, WrapsAtTwentyNineCharacters) {
  const std::string exact(29, 'x');
  INFORM(1, exact, 7);
  EXPECT_EQ(TXTLINE[7], exact);
  EXPECT_TRUE(TRIMSPACES(TXTLINE[6]).empty());

  CLEARMESSAGES();
  // 30 characters whose only space is at position 20.
  const std::string thirty = std::string(19, 'a') + " " + std::string(10, 'b');
  INFORM(1, thirty, 7);
  EXPECT_EQ(TXTLINE[6], PADRIGHT(std::string(19, 'a'), 29));
  EXPECT_EQ(TXTLINE[7], PADRIGHT(std::string(10, 'b'), 29));
  EXPECT_EQ(TXTLINE[7].size(), 29u);
}

TEST_F(MessagesTest, AFortyCharacterWordLosesOneCharacterPerLine) {
  std::string word;
  for (int i = 0; i < 40; i++) word += static_cast<char>('a' + i % 26);
  INFORM(1, word, 7);
  // Twelve lines: eleven of one character, then the last 29 characters.
  EXPECT_EQ(LINE(0), word.substr(11));
  for (int k = 1; k <= 6; k++) EXPECT_EQ(LINE(k), word.substr(11 - k, 1)) << k;
}

TEST_F(MessagesTest, BreaksAfterPunctuation) {
  INFORM(1, "Picked up a backpack with ammo!.", 10);
  EXPECT_EQ(LINE(1), "Picked up a backpack with");
  EXPECT_EQ(LINE(0), "ammo!.");
}

TEST_F(MessagesTest, ColourMappingAndTheHeroBox) {
  INFORM(1, "plain", 10);
  EXPECT_EQ(TXTLINECOLOR[7], 7);
  EXPECT_EQ(TXTBLINK[7], 0);
  EXPECT_EQ(HEROTIMER, 0);

  INFORM(1, "hmm, what was that?", 14);
  EXPECT_EQ(TXTLINECOLOR[7], 10);
  EXPECT_EQ(TXTBLINK[7], 50);
  EXPECT_EQ(HEROTIMER, 300);
  EXPECT_EQ(HEROCOLOR, 10);
  EXPECT_EQ(TRIMSPACES(HEROTHOUGHT[7]), "hmm, what was that?");

  INFORM(1, "danger", 12);
  EXPECT_EQ(TXTLINECOLOR[7], 12);
  EXPECT_EQ(TXTBLINK[7], 50);
  EXPECT_EQ(TRIMSPACES(HEROTHOUGHT[7]), "hmm, what was that?");  // not a thought

  INFORM(1, "SGT: hold the line", 14);
  EXPECT_EQ(TXTLINECOLOR[7], 11);  // a speaker tag in capitals
  EXPECT_EQ(HEROCOLOR, 11);
  EXPECT_EQ(TRIMSPACES(HEROTHOUGHT[6]), "hmm, what was that?");  // box still fresh: kept
}

TEST_F(MessagesTest, AnAgedHeroBoxStartsAfresh) {
  INFORM(1, "first thought", 14);
  HEROTIMER = 120;
  INFORM(1, "second thought", 14);
  EXPECT_TRUE(HEROTHOUGHT[6].empty());
  EXPECT_EQ(TRIMSPACES(HEROTHOUGHT[7]), "second thought");
}

TEST_F(MessagesTest, ChatLinesReachADeadPlayerAndMayRepeat) {
  // Machine 2 of a link game, its player lying dead: game messages are
  // dropped, chat lines are not, even the same line twice.
  MYNUMBER = 2;
  NUMBEROFPLAYERS = 2;
  PLAYERHEALTH[2] = 0;
  INFORM(2, "Picked up a medkit.", 10);
  EXPECT_TRUE(LINE(0).empty());
  INFORMCHAT("ann: hold on", 11);
  INFORMCHAT("ann: hold on", 11);
  EXPECT_EQ(LINE(0), "ann: hold on");
  EXPECT_EQ(LINE(1), "ann: hold on");
  EXPECT_EQ(TXTLINECOLOR[7], 11);
  // A chat line does not start a hero thought.
  EXPECT_EQ(HEROTIMER, 0);
  MYNUMBER = 1;
}

TEST_F(MessagesTest, RepeatsAndOtherPlayersAreDropped) {
  INFORM(1, "once", 7);
  INFORM(1, "once", 7);
  EXPECT_EQ(LINE(0), "once");
  EXPECT_TRUE(LINE(1).empty());
  INFORM(1, "other", 7);
  INFORM(1, "once", 7);
  EXPECT_EQ(LINE(0), "once");
  EXPECT_EQ(LINE(2), "once");

  INFORM(2, "not mine", 7);
  EXPECT_EQ(LINE(0), "once");
  PLAYERHEALTH[1] = 0;
  INFORM(1, "dead men hear nothing", 7);
  EXPECT_EQ(LINE(0), "once");
}

TEST_F(MessagesTest, HeroBoxTimingWhilePaused) {
  INFORM(1, "wait here", 14);
  PAUSESTATE = PAUSED_WAITFORNOINPUT;
  PORT60[1] = 0x12;  // the player is still holding a key
  for (int i = 0; i < 40; i++) ADVANCEHEROTIMER();
  EXPECT_EQ(HEROTIMER, 10);
  EXPECT_EQ(PAUSESTATE, PAUSED_WAITFORNOINPUT);
  PORT60[1] = 0;
  ADVANCEHEROTIMER();
  EXPECT_EQ(PAUSESTATE, PAUSED_WAITFORINPUT);
  EXPECT_EQ(HEROCOLOR, 2);
  ADVANCEHEROTIMER();
  EXPECT_EQ(PAUSESTATE, PAUSED_WAITFORINPUT);
  PORT60[1] = 0x39;
  ADVANCEHEROTIMER();
  EXPECT_EQ(PAUSESTATE, PAUSED_NOT);
  EXPECT_EQ(HEROTIMER, 0);
  EXPECT_TRUE(HEROTHOUGHT[7].empty());
}

TEST_F(MessagesTest, APauseWithoutAThoughtCanStillEnd) {
  HEROTIMER = 0;
  PAUSESTATE = PAUSED_WAITFORINPUT;
  PORT60[1] = 0x39;
  ADVANCEHEROTIMER();
  EXPECT_EQ(PAUSESTATE, PAUSED_NOT);
}

TEST_F(MessagesTest, HeroBoxCountsDownUnpaused) {
  INFORM(1, "quiet", 14);
  for (int i = 0; i < 299; i++) ADVANCEHEROTIMER();
  EXPECT_EQ(HEROTIMER, 1);
  EXPECT_FALSE(HEROTHOUGHT[7].empty());
  ADVANCEHEROTIMER();
  EXPECT_EQ(HEROTIMER, 0);
  EXPECT_TRUE(HEROTHOUGHT[7].empty());
}

TEST_F(MessagesTest, ObjectiveLineBreaking) {
  const std::string s66 = std::string(30, 'a') + " " + std::string(35, 'b');
  TOGGLEOBJECTIVETEXT(s66);
  EXPECT_EQ(CURRENTOBJECTIVELINES, 1);
  EXPECT_EQ(CURRENTOBJECTIVE[1], s66);
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 300);

  // 67 characters: two lines of about 34, the cut at the last break at or
  // before 34.
  const std::string s67 = std::string(33, 'a') + " " + std::string(33, 'b');
  TOGGLEOBJECTIVETEXT(s67);
  EXPECT_EQ(CURRENTOBJECTIVELINES, 2);
  EXPECT_EQ(CURRENTOBJECTIVE[1], std::string(33, 'a') + " ");
  EXPECT_EQ(CURRENTOBJECTIVE[2], std::string(33, 'b'));
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 400);
  EXPECT_EQ(OBJLINE, 1);
  EXPECT_EQ(OBJCHAR, 1);

  // Without any break the cut falls to one character.
  TOGGLEOBJECTIVETEXT(std::string(67, 'z'));
  EXPECT_EQ(CURRENTOBJECTIVE[1], "z");

  // A very long text is kept to ten lines.
  TOGGLEOBJECTIVETEXT(std::string(2000, 'q'));
  EXPECT_EQ(CURRENTOBJECTIVELINES, MAX_OBJ_LINES);
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 1200);
}

TEST_F(MessagesTest, ObjectiveTypewriterAdvancesOnReadingFrames) {
  TOGGLEOBJECTIVETEXT("Find the red key, then the door.");
  ASSERT_EQ(CURRENTOBJECTIVELINES, 1);
  INPUTCOUNTER = 2;
  DRAWOBJECTIVE(true);
  EXPECT_EQ(OBJCHAR, 1);
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 299);
  INPUTCOUNTER = 1;
  DRAWOBJECTIVE(true);
  EXPECT_EQ(OBJCHAR, 2);

  TOGGLEOBJECTIVETEXT(std::string(40, 'a') + " " + std::string(40, 'b'));
  ASSERT_EQ(CURRENTOBJECTIVELINES, 2);
  const int first = static_cast<int>(CURRENTOBJECTIVE[1].size());
  for (int i = 0; i < first; i++) DRAWOBJECTIVE(true);
  EXPECT_EQ(OBJLINE, 2);
  EXPECT_EQ(OBJCHAR, 1);
  for (int i = 0; i < 500; i++) DRAWOBJECTIVE(true);
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 0);
  EXPECT_EQ(OBJLINE, 2);
}

TEST(HudTexts, HelpBarFromTheBoundKeys) {
  KEYSTATUS[20].KEY = K_F1;
  KEYSTATUS[22].KEY = K_F1 + 4;
  KEYSTATUS[21].KEY = K_F1 + 8;
  KEYSTATUS[19].KEY = 'z';
  KEYSTATUS[32].KEY = K_TAB;
  EXPECT_EQ(HELPBARTEXT(), "F1 - Help|F5 - Save game|F9 - Load game|Z - Zoom|TAB - Automap");
  // A link game offers no help, save or load: the bar names the chat key.
  const auto enter = KEYSTATUS[34].KEY;
  KEYSTATUS[34].KEY = 'c';
  LINKACTIVE = true;
  const std::string linked = HELPBARTEXT();
  LINKACTIVE = false;
  KEYSTATUS[34].KEY = enter;
  EXPECT_EQ(linked, "Z - Zoom|TAB - Automap|C - Chat");
}

TEST(HudTexts, HelpPageLines) {
  int blank = 0;
  for (int i = 1; i <= HELPLINES; i++) {
    EXPECT_LE(HELPTEXT[i].size(), 48u) << i;
    if (HELPTEXT[i].empty()) blank++;
  }
  EXPECT_EQ(blank, 5);
  EXPECT_EQ(HELPTEXT[2], "== CONTROLS ==");
  EXPECT_EQ(HELPCOLOR[4], 10);
  EXPECT_EQ(HELPTEXT[13], "Use Scrap Gun to destroy yellow Rock and Trees.");
  EXPECT_EQ(HELPCOLOR[20], 14);
  EXPECT_EQ(HELPTEXT[HELPLINES], "Press ESC to exit this help screen.");
  EXPECT_EQ(HELPCOLOR[HELPLINES], 15);
}

TEST(HudTexts, KeyMarkersAndFragsOnTheTextScreen) {
  MYNUMBER = 1;
  CURRENTMAP = 100;
  for (int k = 1; k <= 10; k++) KEYS[1][k] = false;
  KEYS[1][2] = true;
  REDRAWKEYS(1, 1);
  EXPECT_EQ(EKRAN[2][32].SYMBOL, '%');
  EXPECT_EQ(EKRAN[2][32].ATTR, KEYCOLOR[2]);
  EXPECT_EQ(EKRAN[2][31].SYMBOL, ' ');
  EXPECT_EQ(EKRAN[2][31].ATTR, 0);

  DEATHS[1] = 3;
  DEATHS[2] = 12;
  DISPLAYFRAGS();
  EXPECT_EQ(EKRAN[2][34].SYMBOL, '3');
  EXPECT_EQ(EKRAN[2][34].ATTR, ORIGINALPLAYERCOLOR[2]);
  EXPECT_EQ(EKRAN[2][38].SYMBOL, '1');
  EXPECT_EQ(EKRAN[2][39].SYMBOL, '2');

  COMMACTIVE = true;
  DRAWCOMMSTATUS();
  EXPECT_EQ(EKRAN[4][39].SYMBOL, 'C');
  EXPECT_EQ(EKRAN[4][39].ATTR, 14);
  COMMACTIVE = false;
}

}  // namespace
