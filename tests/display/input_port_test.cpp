// The emulated keyboard port, the mouse status and the decoding of a frame's
// input by GETINPUT.
#include <gtest/gtest.h>

#include <vector>

#include "display/keynames.h"
#include "game/particles.h"
#include "input_fake_backend.h"
#include "base/random.h"

using InputPort = INPUTFIXTURE;

TEST_F(InputPort, LaterActionsWinThePort) {
  const struct {
    int press, release;  // actions changed before the port is read
    BYTE code;
  } steps[] = {{M_LEFT, 0, 0x1F},   {USE_ITEM, 0, 0x39}, {0, USE_ITEM, 0x1F}, {WEAPON_9, 0, 0x0A},
               {GAME_LOAD, 0, 0x41}, {KEY_ESC, 0, 0x01}, {SHOW_MAP, 0, 0x52}, {F_LEFT, 0, 0x52}};
  for (const auto& s : steps) {
    if (s.press) HOLD(s.press, true);
    if (s.release) HOLD(s.release, false);
    DRAIN();
    EXPECT_EQ(PORT60EMULATOR(), s.code) << s.press << "/" << s.release;
  }
}

TEST_F(InputPort, TwoCursorKeysFireDiagonallyThenKeepTheDirection) {
  SHOWCURSOR[1] = true;
  HOLD(F_LEFT, true);
  HOLD(F_UP, true);
  DRAIN();
  GETPORT60FORGAME_FIRSTPART();
  EXPECT_EQ(MOUSESTATUS[1], 13);
  GETINPUT();
  EXPECT_EQ(CLICK[1], 1);
  EXPECT_TRUE(WEAPONFIRED[1]);
  EXPECT_EQ(FIREOFFSETX[1], -1);  // top-left
  EXPECT_EQ(FIREOFFSETY[1], 1);
  HOLD(F_LEFT, false);
  HOLD(F_UP, false);
  DRAIN();
  GETPORT60FORGAME_FIRSTPART();
  EXPECT_EQ(MOUSESTATUS[1], 3);  // direction kept, no fire
  GETINPUT();
  EXPECT_FALSE(WEAPONFIRED[1]);
  // Other pairs; up and down together: the later line, down, wins.
  const int pairs[][3] = {{F_RIGHT, F_DOWN, 17}, {F_LEFT, F_DOWN, 11}, {F_UP, F_DOWN, 18}};
  for (const auto& p : pairs) {
    HOLD(p[0], true);
    HOLD(p[1], true);
    DRAIN();
    EXPECT_EQ(MOUSEEMULATOR(), p[2]);
    HOLD(p[0], false);
    HOLD(p[1], false);
    DRAIN();
  }
}

TEST_F(InputPort, HeldUseKeyUsesOnce) {
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_TRUE(USE[1]);
  for (int i = 0; i < 4; i++) {
    CYCLE();
    EXPECT_FALSE(USE[1]) << "cycle " << i;
  }
  HOLD(USE_ITEM, false);
  DRAIN();
  CYCLE();
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_TRUE(USE[1]);  // a fresh press uses again
}

TEST_F(InputPort, WeaponKeysWaitForTheMinigunAndTheCharge) {
  WEAPONPRESENT[1][3] = WEAPONPRESENT[1][5] = true;
  CHOSENWEAPON[1] = 5;
  MTIMER[1] = 60;
  HOLD(WEAPON_1 + 2, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 5);
  MINIFIRING[1] = true;  // while the minigun fires the key is accepted
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 3);
  EXPECT_EQ(CHOSEWEAPONSOUND, 3);
  CHOSENWEAPON[1] = 5;
  MINIFIRING[1] = false;
  MTIMER[1] = 90;
  BFGCHARGE[1] = 10;
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 5);
  HOLD(WEAPON_1 + 2, false);
  HOLD(WEAPON_1 + 7, true);  // weapon 8 is not owned
  BFGCHARGE[1] = 0;
  DRAIN();
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 5);
}

TEST_F(InputPort, MovementDuckAndItems) {
  HOLD(M_DOWN, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(OFFSETY[1], -1);
  HOLD(M_DOWN, false);
  HOLD(M_DUCK, true);
  DRAIN();
  SHOWCURSOR[1] = true;
  MOUSESTATUS[1] = 14;
  CHAINGUNFIRING[1] = true;
  CYCLE();
  EXPECT_EQ(OFFSETY[1], 0);
  EXPECT_EQ(LASTOFFSETY[1], -1);  // the facing stays
  EXPECT_TRUE(SIT[1]);
  EXPECT_FALSE(WEAPONFIRED[1]);
  EXPECT_FALSE(CHAINGUNFIRING[1]);
  HOLD(M_DUCK, false);
  HOLD(ITEM_1 + 2, true);
  DRAIN();
  CYCLE();
  EXPECT_FALSE(SIT[1]);
  EXPECT_EQ(CHOSENITEM[1], 3);
}

TEST_F(InputPort, RemapTableTranslatesReportedCodes) {
  DEFINED[0] = 0x21;  // move left and move right swap places
  DEFINED[1] = 0x1F;
  const int keys[][2] = {{M_LEFT, 0x21}, {M_RIGHT, 0x1F}, {USE_ITEM, 0x39}};
  for (const auto& k : keys) {
    HOLD(k[0], true);
    DRAIN();
    EXPECT_EQ(GETP60(1), k[1]);
    HOLD(k[0], false);
    DRAIN();
  }
}

TEST_F(InputPort, DeadPlayerGivesUpOrAsksToRespawn) {
  DEAD[1] = true;
  PLAYERHEALTH[1] = 0;
  HOLD(M_LEFT, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(VICTORY, 0);
  EXPECT_EQ(OFFSETX[1], 0);  // a dead player does not walk
  HOLD(M_LEFT, false);
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(VICTORY, 2);  // alone: the game is lost
  VICTORY = 0;
  NUMBEROFPLAYERS = 2;
  CYCLE();
  EXPECT_EQ(VICTORY, 0);
  EXPECT_EQ(PLAYERHEALTH[1], 254);  // with two: a respawn request
}

TEST_F(InputPort, DeadLonePlayerLeavesWithSpaceOrEscapeOnly) {
  const struct {
    int action;
    BYTE players;
    BYTE victory;
    double health;
  } cases[] = {{KEY_ESC, 1, 2, 0},   {USE_ITEM, 1, 2, 0}, {M_UP, 1, 0, 0},  {WEAPON_1, 1, 0, 0},
               {ITEM_1, 1, 0, 0},   {KEY_ESC, 2, 0, 254}, {M_DOWN, 2, 0, 0}};
  for (const auto& c : cases) {
    NUMBEROFPLAYERS = c.players;
    DEAD[1] = true;
    PLAYERHEALTH[1] = 0;
    VICTORY = 0;
    HOLD(c.action, true);
    DRAIN();
    CYCLE();
    EXPECT_EQ(VICTORY, c.victory) << c.action << " with " << int(c.players);
    EXPECT_EQ(PLAYERHEALTH[1], c.health) << c.action;
    HOLD(c.action, false);
    DRAIN();
    CYCLE();
  }
}

namespace {
int CALLS = 0;
void COUNTCALL() { CALLS++; }
void COUNTSAVE(bool autosave) { CALLS += autosave ? 100 : 10; }
}  // namespace

TEST_F(InputPort, FunctionKeysCallTheirScreensAndAreCleared) {
  void (*const realsave)(bool) = SAVEGAME;
  void (*const realload)() = LOADSAVEDGAME;
  HELP = COUNTCALL;
  SAVEGAME = COUNTSAVE;
  LOADSAVEDGAME = COUNTCALL;
  const int keys[] = {GAME_HELP, GAME_SAVE, GAME_LOAD};
  for (int k : keys) {
    HOLD(k, true);
    DRAIN();
    CYCLE();
    EXPECT_EQ(PORT60[1], 0);
    HOLD(k, false);
    DRAIN();
  }
  EXPECT_EQ(CALLS, 12);
  HELP = nullptr;
  SAVEGAME = realsave;
  LOADSAVEDGAME = realload;
}

TEST_F(InputPort, MouseDirectionAtTheWindowEdges) {
  NEW_CONTROL_MODE = false;
  FAKE.MX = SCREEN_WIDTH / 2 - 5000;  // far left of the centre
  FAKE.MY = SCREEN_HEIGHT / 3;
  MCOORD = {600, 300};
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, 1);
  EXPECT_EQ(FAKE.MX, SCREEN_WIDTH / 2);  // warped back to the centre
  EXPECT_EQ(MOUSEEMULATOR(), 1);
  FAKE.MX = SCREEN_WIDTH / 2 + 5000;
  FAKE.MB = 1;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, SCREEN_WIDTH - 1);
  EXPECT_EQ(MOUSEEMULATOR(), 18);  // direction 8 with the left button
  FAKE.MB = 3;
  EXPECT_EQ(MOUSEEMULATOR(), 38);
  EXPECT_EQ(GLOBALMOUSEX, 79);
  // In a tank the pointer wraps; a huge jump still lands inside the window.
  INTANK[1] = 1;
  MCOORD = {SCREEN_WIDTH - 10, 5};
  FAKE.MX = SCREEN_WIDTH / 2 + 30;
  FAKE.MY = SCREEN_HEIGHT / 3 - 20;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, 19);
  EXPECT_EQ(MCOORD.Y, SCREEN_HEIGHT - 15);
  FAKE.MX = SCREEN_WIDTH / 2 + 100000;
  REFRESHMOUSESTATUS();
  EXPECT_LE(MCOORD.X, SCREEN_WIDTH);
}

TEST_F(InputPort, KeyboardModeIgnoresThePointer) {
  FAKE.MX = 5;
  MCOORD.X = 600;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, 600);
  EXPECT_EQ(FAKE.WARPS, 0);
  MOUSESTATUS[1] = 37;
  EXPECT_EQ(MOUSEEMULATOR(), 7);
}

TEST_F(InputPort, TypedCharactersDoNotRepeatWhileHeld) {
  FAKE.KEY('a', true, 'a');
  FAKE.KEY('a', true, 'a');  // the key repeats while held
  FAKE.KEY('a', false);
  FAKE.KEY(K_UP, true);
  FAKE.KEY(K_UP, false);
  FAKE.KEY(K_LEFT, true);
  EXPECT_EQ(READKEYEMULATOR(), 'a');
  EXPECT_FALSE(KEYPRESSEDEMULATOR());  // the repeat
  // Keys without a character: a 0 prefix, then the scan code.
  EXPECT_EQ(READKEYEMULATOR(), 0);
  EXPECT_EQ(READKEYEMULATOR(), 0x48);
  bool extended = false;
  EXPECT_EQ(READKEYCODE(extended), 0x4B);
  EXPECT_TRUE(extended);
  HARNESS.FRAMES = 3;  // nothing more comes: the frame limit ends the wait
  EXPECT_THROW(READKEYEMULATOR(), HARNESSEXIT);
}

TEST_F(InputPort, ControllerDrivesTheSecondPlayer) {
  NUMBEROFPLAYERS = 2;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0);  // no controller: player 2 is idle
  FAKE.JOY = true;
  WEAPONPRESENT[2][2] = WEAPONPRESENT[2][6] = true;
  CHOSENWEAPON[2] = 2;
  INVENTORY[2] = " A B";
  CHOSENITEM[2] = 2;
  const struct {
    int32_t x, y;
    bool b1, b2;
    BYTE tank, code;
  } steps[] = {{0, 128, false, false, 0, 0x1F},  {128, 0, false, false, 0, 0x12},
               {128, 0, false, true, 0, 0x48},   {128, 0, true, true, 0, 0x39},
               {128, 0, true, true, 1, 0x52},    {255, 128, true, false, 0, 0x07},
               {255, 128, true, false, 0, 0x1E}, {128, 255, true, false, 0, 0x3E}};
  for (const auto& s : steps) {
    FAKE.JX = s.x;
    FAKE.JY = s.y;
    FAKE.JB1 = s.b1;
    FAKE.JB2 = s.b2;
    INTANK[2] = s.tank;
    GETPORT60FORGAME_SECONDPART();
    EXPECT_EQ(PORT60[2], s.code) << s.x << "," << s.y << " " << s.b1 << s.b2;
    if (s.b2 && !s.b1) {
      EXPECT_EQ(MOUSESTATUS[2], 14);  // fires along the stick
    }
  }
}

TEST_F(InputPort, SecondKeyboardLayoutStandsInForTheController) {
  // Two players on one keyboard: I J K L, O and P drive player 2 as the
  // controller's stick and buttons would; player 1's keys stay his.
  NUMBEROFPLAYERS = 2;
  WEAPONPRESENT[2][2] = WEAPONPRESENT[2][4] = true;
  CHOSENWEAPON[2] = 2;
  const struct {
    std::vector<int32_t> keys;
    BYTE code, mouse;  // PORT60[2] and MOUSESTATUS[2] (0: not checked)
  } steps[] = {{{'j'}, 0x1F, 0},      {{'l'}, 0x21, 0},      {{'i'}, 0x12, 0},
               {{'k'}, 0x20, 0},      {{'p', 'j'}, 0x4B, 12}, {{'p', 'i', 'l'}, 0x4D, 15},
               {{'o', 'p'}, 0x39, 0}, {{'o'}, 0x1E, 0},      {{'o', 'l'}, 0x05, 0},
               {{}, 0, 0}};
  for (const auto& s : steps) {
    for (int32_t k : s.keys) FAKE.KEY(k, true, k);
    DRAIN();
    GETPORT60FORGAME_SECONDPART();
    EXPECT_EQ(PORT60[2], s.code) << s.keys.size() << " keys from " << (s.keys.empty() ? 0 : s.keys[0]);
    if (s.mouse != 0) {
      EXPECT_EQ(MOUSESTATUS[2], s.mouse);
    }
    EXPECT_EQ(PORT60[1], 0) << "player 1 saw nothing";
    for (int32_t k : s.keys) FAKE.KEY(k, false);
    DRAIN();
    GETPORT60FORGAME_SECONDPART();  // the release is seen
  }
  // A tap between two input cycles still counts once.
  FAKE.KEY('l', true, 'l');
  FAKE.KEY('l', false);
  DRAIN();
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x21);
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0);
  // A key that player 1 bound to an action is his alone.
  KEYSTATUS[M_LEFT].KEY = 'j';
  FAKE.KEY('j', true, 'j');
  DRAIN();
  GETPORT60FORGAME_FIRSTPART();
  EXPECT_EQ(PORT60[1], 0x1F);
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0);
  // With one player nobody reads the second layout.
  NUMBEROFPLAYERS = 1;
  FAKE.KEY('l', true, 'l');
  DRAIN();
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0);
}

TEST_F(InputPort, BadlyHurtPlayerBleeds) {
  // Each cycle's drop is looked at and taken off the table again, so that
  // the table never fills up.
  int BLOODS = 0;
  auto CYCLE = [&]() {
    CLEARPARTICLES();
    this->CYCLE();
    for (int n = 1; n <= NUMBEROFBLOODS; n++) {
      BLOODS++;
      EXPECT_EQ(BLOODX[n], PLAYERX[1]);
      EXPECT_TRUE(BLOODLIFE[n] >= 1 && BLOODLIFE[n] <= 5);
    }
  };
  RANDSEED(42);
  int32_t a = random(1000);
  RANDSEED(42);
  CYCLE();  // healthy: no random number is used
  EXPECT_EQ(random(1000), a);
  PLAYERHEALTH[1] = 20;
  int expected = 0;
  for (int i = 0; i < 200; i++) {
    RANDSEED(i);
    expected += random(10) > 7;
    RANDSEED(i);
    CYCLE();
  }
  EXPECT_EQ(BLOODS, expected);
  EXPECT_GT(expected, 10);
  CLEARPARTICLES();
}

// Keys pressed and released between two input cycles, as a quick player taps
// them: each counts as held for the next cycle, once.
TEST_F(InputPort, TapBetweenCyclesCountsForTheNextCycleOnly) {
  const struct {
    int action;
    int32_t offsetx;  // expected step of the tapped cycle
    BYTE status;      // expected fire direction after the cycle (keyboard mode)
  } taps[] = {{M_RIGHT, 1, 0}, {M_LEFT, -1, 0}, {F_LEFT, 0, 2}};
  SHOWCURSOR[1] = true;
  for (const auto& t : taps) {
    MOUSESTATUS[1] = 0;
    HOLD(t.action, true);
    HOLD(t.action, false);
    DRAIN();
    EXPECT_EQ(PORT60EMULATOR(), 0) << "the key is up: a plain look sees nothing";
    CYCLE();
    EXPECT_EQ(OFFSETX[1], t.offsetx) << t.action;
    EXPECT_EQ(MOUSESTATUS[1], t.status) << t.action;
    if (t.action == F_LEFT) {
      EXPECT_TRUE(WEAPONFIRED[1]);
    }
    CYCLE();
    EXPECT_EQ(OFFSETX[1], 0) << "a tap counts for one cycle";
    EXPECT_FALSE(WEAPONFIRED[1]);
  }
}

TEST_F(InputPort, TypedCharactersWaitInOrderAndOverflowIsDropped) {
  const std::string word = "abcdefghij";
  for (char c : word) {
    FAKE.KEY(c, true, c);
    FAKE.KEY(c, false);
  }
  DRAIN();
  std::string got;
  while (KEYPRESSEDEMULATOR()) got += READKEYEMULATOR();
  EXPECT_EQ(got, word);
  // Far more than are kept: the first MAXTYPEAHEAD + 1 (READKEY and the
  // queue) arrive, the rest are dropped, nothing breaks.
  for (int i = 0; i < 200; i++) {
    const char c = static_cast<char>('a' + i % 26);
    FAKE.KEY(c, true, c);
    FAKE.KEY(c, false);
  }
  DRAIN();
  got.clear();
  while (KEYPRESSEDEMULATOR()) got += READKEYEMULATOR();
  ASSERT_EQ(got.size(), static_cast<size_t>(MAXTYPEAHEAD + 1));
  EXPECT_EQ(got.substr(0, 3), "abc");
}
