// The emulated keyboard port, the mouse status and the decoding of a frame's
// input by GETINPUT.
#include <gtest/gtest.h>

#include "display/keynames.h"
#include "input_fake_backend.h"
#include "shell/random.h"

using InputPort = INPUTFIXTURE;

TEST_F(InputPort, LaterActionsWinThePort) {
  HOLD(M_LEFT, true);
  HOLD(USE_ITEM, true);
  DRAIN();
  EXPECT_EQ(PORT60EMULATOR(), 0x39);  // only the use action reaches the game
  HOLD(USE_ITEM, false);
  DRAIN();
  EXPECT_EQ(PORT60EMULATOR(), 0x1F);
  HOLD(SHOW_MAP, true);
  HOLD(KEY_ESC, true);
  DRAIN();
  EXPECT_EQ(PORT60EMULATOR(), 0x52);  // the map key is tested last of all
  HOLD(SHOW_MAP, false);
  DRAIN();
  EXPECT_EQ(PORT60EMULATOR(), 0x01);
  HOLD(KEY_ESC, false);
  HOLD(M_LEFT, false);
  DRAIN();
  EXPECT_EQ(PORT60EMULATOR(), 0);
}

TEST_F(InputPort, EveryActionReportsItsScanCode) {
  const struct {
    int action;
    BYTE code;
  } table[] = {{M_RIGHT, 0x21}, {M_UP, 0x12},     {M_DOWN, 0x20},   {M_DUCK, 0x1E},
               {ITEM_1, 0x3B},  {ITEM_4, 0x3E},   {WEAPON_1, 0x02}, {WEAPON_9, 0x0A},
               {GAME_HELP, 0x3F}, {GAME_SAVE, 0x40}, {GAME_LOAD, 0x41}, {ZOOM_LEVEL, 0x2C},
               {KEY_ENTER, 0x1C}, {F_LEFT, 0}};
  for (const auto& t : table) {
    HOLD(t.action, true);
    DRAIN();
    EXPECT_EQ(PORT60EMULATOR(), t.code) << "action " << t.action;
    HOLD(t.action, false);
    DRAIN();
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
  EXPECT_EQ(MOUSESTATUS[1], 3);
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
  EXPECT_EQ(FIREOFFSETX[1], -1);
}

TEST_F(InputPort, SingleFireKeysAndTheirCombinations) {
  const struct {
    int a, b;
    BYTE status;
  } table[] = {{F_LEFT, 0, 12},        {F_UP, 0, 14},          {F_RIGHT, 0, 16},
               {F_DOWN, 0, 18},        {F_RIGHT, F_DOWN, 17},  {F_LEFT, F_DOWN, 11},
               {F_RIGHT, F_UP, 15},    {F_UP, F_DOWN, 18}};
  for (const auto& t : table) {
    HOLD(t.a, true);
    if (t.b) HOLD(t.b, true);
    DRAIN();
    EXPECT_EQ(MOUSEEMULATOR(), t.status) << t.a << "+" << t.b;
    HOLD(t.a, false);
    if (t.b) HOLD(t.b, false);
    DRAIN();
  }
  // Keypad layout: the diagonal keys of their own.
  RESETKEYCONFIG(2);
  HOLD(F_BOTTOMRIGHT, true);
  DRAIN();
  EXPECT_EQ(MOUSEEMULATOR(), 17);
}

TEST_F(InputPort, FireStepsFollowTheDirectionTable) {
  const int32_t want[9][2] = {{0, 0},  {-1, -1}, {-1, 0}, {-1, 1}, {0, 1},
                              {1, 1}, {1, 0},    {1, -1}, {0, -1}};
  for (int d = 1; d <= 8; d++) {
    EXPECT_EQ(PFIREX[9 - d], want[d][0]) << d;
    EXPECT_EQ(PFIREY[9 - d], want[d][1]) << d;
  }
}

TEST_F(InputPort, HeldUseKeyUsesOnce) {
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_TRUE(USE[1]);
  for (int i = 0; i < 5; i++) {
    CYCLE();
    EXPECT_FALSE(USE[1]) << "cycle " << i;
    EXPECT_TRUE(LASTUSE[1] == (i == 0)) << "cycle " << i;
  }
  HOLD(USE_ITEM, false);
  DRAIN();
  CYCLE();
  EXPECT_FALSE(USE[1]);
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_TRUE(USE[1]);  // a fresh press uses again
}

TEST_F(InputPort, WeaponKeysWaitForTheMinigunToRest) {
  WEAPONPRESENT[1][3] = true;
  WEAPONPRESENT[1][5] = true;
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
  BFGCHARGE[1] = 10;  // a building charge blocks the change
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 5);
  BFGCHARGE[1] = 0;
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 3);
  HOLD(WEAPON_1 + 2, false);
  HOLD(WEAPON_1 + 7, true);  // weapon 8 is not owned
  DRAIN();
  CYCLE();
  EXPECT_EQ(CHOSENWEAPON[1], 3);
}

TEST_F(InputPort, MovementDuckAndItems) {
  HOLD(M_DOWN, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(OFFSETX[1], 0);
  EXPECT_EQ(OFFSETY[1], -1);
  HOLD(M_DOWN, false);
  DRAIN();
  CYCLE();
  EXPECT_EQ(OFFSETY[1], 0);
  EXPECT_EQ(LASTOFFSETY[1], -1);  // the facing stays
  HOLD(M_DUCK, true);
  DRAIN();
  SHOWCURSOR[1] = true;
  MOUSESTATUS[1] = 14;
  CHAINGUNFIRING[1] = true;
  CYCLE();
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
  // Swap the places of move left and move right in the active map.
  DEFINED[0] = 0x21;
  DEFINED[1] = 0x1F;
  HOLD(M_LEFT, true);
  DRAIN();
  EXPECT_EQ(GETP60(1), 0x21);
  HOLD(M_LEFT, false);
  HOLD(M_RIGHT, true);
  DRAIN();
  EXPECT_EQ(GETP60(1), 0x1F);
  HOLD(M_RIGHT, false);
  HOLD(USE_ITEM, true);  // codes outside the table pass unchanged
  DRAIN();
  EXPECT_EQ(GETP60(1), 0x39);
}

TEST_F(InputPort, DeadLonePlayerEndsTheGameWithSpace) {
  DEAD[1] = true;
  PLAYERHEALTH[1] = 0;
  HOLD(M_LEFT, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(VICTORY, 0);
  EXPECT_EQ(OFFSETX[1], 0);  // a dead player does not walk
  EXPECT_EQ(PORT60[1], 0);
  HOLD(M_LEFT, false);
  HOLD(USE_ITEM, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(VICTORY, 2);
}

TEST_F(InputPort, DeadPlayerOfTwoAsksToRespawn) {
  NUMBEROFPLAYERS = 2;
  DEAD[1] = true;
  PLAYERHEALTH[1] = 0;
  HOLD(KEY_ESC, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(VICTORY, 0);
  EXPECT_EQ(PLAYERHEALTH[1], 254);
}

namespace {
int HELPCALLS = 0, SAVECALLS = 0;
void FAKEHELP() { HELPCALLS++; }
void FAKESAVE(bool autosave) { SAVECALLS += autosave ? 100 : 1; }
}  // namespace

TEST_F(InputPort, FunctionKeysCallTheirScreensAndAreCleared) {
  HELP = FAKEHELP;
  SAVEGAME = FAKESAVE;
  HOLD(GAME_HELP, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(HELPCALLS, 1);
  EXPECT_EQ(PORT60[1], 0);
  HOLD(GAME_HELP, false);
  HOLD(GAME_SAVE, true);
  DRAIN();
  CYCLE();
  EXPECT_EQ(SAVECALLS, 1);
  EXPECT_EQ(PORT60[1], 0);
  HOLD(GAME_SAVE, false);
  HOLD(GAME_LOAD, true);  // no load screen yet: the key is still cleared
  DRAIN();
  CYCLE();
  EXPECT_EQ(PORT60[1], 0);
  HELP = nullptr;
  SAVEGAME = nullptr;
}

TEST_F(InputPort, MouseDirectionAtTheWindowEdges) {
  NEW_CONTROL_MODE = false;
  // The real pointer moves far left of the centre: the virtual pointer stops at 1.
  FAKE.MX = SCREEN_WIDTH / 2 - 5000;
  FAKE.MY = SCREEN_HEIGHT / 3;
  MCOORD.X = 600;
  MCOORD.Y = 300;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, 1);
  EXPECT_EQ(FAKE.MX, SCREEN_WIDTH / 2);  // warped back to the centre
  EXPECT_EQ(FAKE.MY, SCREEN_HEIGHT / 3);
  EXPECT_EQ(MOUSEEMULATOR(), 1);
  FAKE.MX = SCREEN_WIDTH / 2 + 5000;
  FAKE.MB = 1;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, SCREEN_WIDTH - 1);
  EXPECT_EQ(MOUSEEMULATOR(), 18);  // direction 8 with the left button
  FAKE.MB = 3;
  EXPECT_EQ(MOUSEEMULATOR(), 38);
  EXPECT_EQ(GLOBALMOUSEX, 79);
}

TEST_F(InputPort, PointerWrapsInsideATank) {
  NEW_CONTROL_MODE = false;
  INTANK[1] = 1;
  MCOORD.X = SCREEN_WIDTH - 10;
  MCOORD.Y = 5;
  FAKE.MX = SCREEN_WIDTH / 2 + 30;
  FAKE.MY = SCREEN_HEIGHT / 3 - 20;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, SCREEN_WIDTH + 20 - SCREEN_WIDTH - 1);
  EXPECT_EQ(MCOORD.Y, -15 + SCREEN_HEIGHT);
  // A huge jump still lands inside the window.
  FAKE.MX = SCREEN_WIDTH / 2 + 100000;
  REFRESHMOUSESTATUS();
  EXPECT_GE(MCOORD.X, 1);
  EXPECT_LE(MCOORD.X, SCREEN_WIDTH);
}

TEST_F(InputPort, KeyboardModeIgnoresThePointer) {
  FAKE.MX = 5;
  MCOORD.X = 600;
  REFRESHMOUSESTATUS();
  EXPECT_EQ(MCOORD.X, 600);
  EXPECT_EQ(FAKE.WARPS, 0);
  MOUSESTATUS[1] = 6;
  EXPECT_EQ(MOUSEEMULATOR(), 6);
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
  EXPECT_TRUE(KEYPRESSEDEMULATOR());
  EXPECT_EQ(READKEYEMULATOR(), 'a');
  EXPECT_FALSE(KEYPRESSEDEMULATOR());  // the repeat
  EXPECT_FALSE(KEYPRESSEDEMULATOR());  // the release
  EXPECT_EQ(READKEYEMULATOR(), 0x48);
  EXPECT_EQ(READKEYEMULATOR(), 0x4B);
}

TEST_F(InputPort, WaitingForAKeyEndsWhenTheFrameLimitPasses) {
  HARNESS.HEADLESS = true;
  HARNESS.FRAMES = 3;
  EXPECT_THROW(READKEYEMULATOR(), HARNESSEXIT);
  EXPECT_GT(FAKE.CLOCK, 3u * 33u);
}

TEST_F(InputPort, ControllerDrivesTheSecondPlayer) {
  NUMBEROFPLAYERS = 2;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0);  // no controller: player 2 is idle
  FAKE.JOY = true;
  FAKE.JX = 0;  // stick left
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x1F);
  FAKE.JX = 128;
  FAKE.JY = 0;  // stick up
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x12);
  FAKE.JB2 = true;  // second button fires along the stick
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x48);
  EXPECT_EQ(MOUSESTATUS[2], 14);
  FAKE.JB1 = true;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x39);
  INTANK[2] = 1;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x52);
  INTANK[2] = 0;
  // First button with the stick right: the next weapon owned, once per push.
  FAKE.JB2 = false;
  FAKE.JX = 255;
  FAKE.JY = 128;
  WEAPONPRESENT[2][2] = WEAPONPRESENT[2][6] = true;
  CHOSENWEAPON[2] = 2;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x07);  // weapon 6
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x1E);  // still pushed: no second step
  // Stick down picks the next occupied inventory slot.
  FAKE.JX = 128;
  FAKE.JY = 255;
  INVENTORY[2] = " A B";
  CHOSENITEM[2] = 2;
  GETPORT60FORGAME_SECONDPART();
  EXPECT_EQ(PORT60[2], 0x3A + 4);
}

namespace {
int BLOODCALLS = 0;
void COUNTBLOOD(BYTE x, BYTE y, int32_t dx, int32_t dy, BYTE life) {
  BLOODCALLS++;
  EXPECT_EQ(x, PLAYERX[1]);
  EXPECT_GE(life, 1);
  EXPECT_LE(life, 5);
}
}  // namespace

TEST_F(InputPort, BadlyHurtPlayerBleeds) {
  RANDSEED(42);
  int32_t a = random(1000);
  RANDSEED(42);
  CYCLE();  // healthy: no random number is used
  EXPECT_EQ(random(1000), a);
  ADDBLOOD = COUNTBLOOD;
  PLAYERHEALTH[1] = 20;
  int expected = 0;
  for (int i = 0; i < 200; i++) {
    RANDSEED(i);
    expected += random(10) > 7;
    RANDSEED(i);
    CYCLE();
  }
  EXPECT_EQ(BLOODCALLS, expected);
  EXPECT_GT(expected, 10);
  DEAD[1] = true;  // the dead do not bleed
  BLOODCALLS = 0;
  for (int i = 0; i < 50; i++) CYCLE();
  EXPECT_EQ(BLOODCALLS, 0);
  ADDBLOOD = nullptr;
}
