// Doors and traps: keys, the four touching sides, the reach from a tank, the
// closing delay and a blocked doorway; every trap activator against every
// kind of cell content, the paying trap, destinations that already hold the
// symbol, the symbol forms a trap writes, light traps and trap messages.
#include <gtest/gtest.h>

#include "game/doors.h"
#include "game/items.h"
#include "game/monsterfixture.h"
#include "render/messages.h"
#include "sound/sound.h"

namespace {
using namespace monstertest;

// True when TEXT was told: the log's lines joined as the word wrap split them.
bool TOLD(const std::string& text) {
  std::string all;
  for (int i = 1; i <= TXT_NUMLINES; i++) {
    const std::string line = TRIMSPACES(TXTLINE[i]);
    if (!line.empty()) all += (all.empty() ? "" : " ") + line;
  }
  return all.find(text) != std::string::npos;
}

constexpr unsigned char CLOSED = 176;

class DOORSTEST : public MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    NUMBEROFDOORS = 0;
    COMMANDS = 0;
    MSGCOUNT = 0;
    CURRENTMAP = 100;
    for (BYTE p = 1; p <= 2; p++) {
      for (int k = 0; k <= 10; k++) KEYS[p][k] = false;
      PLAYERRES[p] = RES{};
    }
    CLEARSOUNDREQUESTS();
  }
  // A closed door of TYPE over the rectangle (X1, Y1)-(X2, Y2).
  static int DOOR(BYTE type, BYTE x1, BYTE y1, BYTE x2, BYTE y2) {
    const int d = ++NUMBEROFDOORS;
    DOORTYPE[d] = type;
    DOORX[d] = x1;
    DOORY[d] = y1;
    DOORMAXX[d] = x2;
    DOORMAXY[d] = y2;
    DTIMER[d] = 0;
    for (int x = x1; x <= x2; x++)
      for (int y = y1; y <= y2; y++) {
        MAP[x][y] = CLOSED;
        MFATTR[x][y] = KEYCOLOR[type];
      }
    return d;
  }
  static bool ISOPEN(int d) {
    for (int x = DOORX[d]; x <= DOORMAXX[d]; x++)
      for (int y = DOORY[d]; y <= DOORMAXY[d]; y++)
        if (MAP[x][y] != ' ' || MFATTR[x][y] != 8) return false;
    return true;
  }
  static bool ISCLOSED(int d) {
    for (int x = DOORX[d]; x <= DOORMAXX[d]; x++)
      for (int y = DOORY[d]; y <= DOORMAXY[d]; y++)
        if (MAP[x][y] != CLOSED || MFATTR[x][y] != KEYCOLOR[DOORTYPE[d]]) return false;
    return true;
  }
  // A trap at (TX, TY) writing SYMBOL to (DX, DY).
  static int TRAP(BYTE tx, BYTE ty, BYTE dx, BYTE dy, unsigned char symbol, BYTE activator,
                  bool repeat = false) {
    const int i = ++COMMANDS;
    TRAPX[i] = tx;
    TRAPY[i] = ty;
    DESTX[i] = dx;
    DESTY[i] = dy;
    DESTSYMBOL[i] = symbol;
    TRAPACTIVATOR[i] = activator;
    TRAPREPEAT[i] = repeat;
    MSGNUMBER[i] = 0;
    return i;
  }
  static bool ARMED(int i) { return !(TRAPX[i] == 1 && TRAPY[i] == 1); }
};

TEST_F(DOORSTEST, ALockedDoorNamesTheMissingKeyOnEverySide) {
  // Door cells to the right, left, above and below the player at (40, 40).
  const int sides[4][2] = {{41, 40}, {39, 40}, {40, 41}, {40, 39}};
  for (const auto& s : sides) {
    SetUp();
    const int d = DOOR(3, static_cast<BYTE>(s[0]), static_cast<BYTE>(s[1]), static_cast<BYTE>(s[0]),
                       static_cast<BYTE>(s[1]));
    DOORS();
    EXPECT_TRUE(ISCLOSED(d)) << s[0] << "," << s[1];
    EXPECT_EQ(DTIMER[d], 0);
    EXPECT_TRUE(TOLD("Sigma key required.")) << s[0] << "," << s[1];
    EXPECT_EQ(TXTLINECOLOR[TXT_NUMLINES], 12);
    EXPECT_TRUE(SOUNDREQUESTED(88, 71));
  }
}

TEST_F(DOORSTEST, TheMatchingKeyOrNoKeyDoorOpens) {
  struct CASE { BYTE type; int key; bool opens; } cases[] = {
      {3, 3, true}, {3, 2, false}, {7, 7, true}, {11, 0, true}, {1, 0, false}};
  for (const CASE& c : cases) {
    SetUp();
    if (c.key) KEYS[1][c.key] = true;
    const int d = DOOR(c.type, 41, 39, 42, 41);  // a 2 x 3 door east of the player
    DOORS();
    EXPECT_EQ(ISOPEN(d), c.opens) << int(c.type) << " with key " << c.key;
    EXPECT_EQ(DTIMER[d], c.opens ? 10 : 0);
    EXPECT_EQ(SOUNDREQUESTED(62, 70), c.opens);
    if (c.opens) EXPECT_EQ(monstertest::BLINKS.size(), 6u) << "every door cell flashes";
  }
}

TEST_F(DOORSTEST, FromATankTheDoorIsTouchedTwoCellsAway) {
  KEYS[1][2] = true;
  const int d = DOOR(2, 42, 40, 42, 40);
  DOORS();
  EXPECT_TRUE(ISCLOSED(d)) << "on foot two cells are too far";
  INTANK[1] = 1;
  DOORS();
  EXPECT_TRUE(ISOPEN(d));
  INTANK[1] = 0;
}

TEST_F(DOORSTEST, AnOpenDoorClosesOnTheTenthCallAndWaitsForAnEmptyDoorway) {
  KEYS[1][4] = true;
  const int d = DOOR(4, 41, 40, 41, 40);
  DOORS();
  ASSERT_TRUE(ISOPEN(d));
  PLACE(1, 20, 20);  // the player walks away
  for (int call = 1; call <= 9; call++) {
    DOORS();
    EXPECT_TRUE(ISOPEN(d)) << call;
  }
  EXPECT_EQ(DTIMER[d], 1);
  CLEARSOUNDREQUESTS();
  DOORS();
  EXPECT_TRUE(ISCLOSED(d));
  EXPECT_EQ(DTIMER[d], 0);
  EXPECT_FALSE(SOUNDREQUESTED(87)) << "too far from my player to hear it";

  // A monster in the doorway holds it open.
  PLACE(1, 40, 40);
  DOORS();
  ASSERT_TRUE(ISOPEN(d));
  PLACE(1, 30, 40);
  ADDMONSTER(41, 40, 1, 0);
  for (int call = 1; call <= 25; call++) DOORS();
  EXPECT_EQ(MAP[41][40], 'M');
  EXPECT_EQ(DTIMER[d], 1);
  MAP[41][40] = ' ';  // it walks on
  DOORS();
  EXPECT_TRUE(ISCLOSED(d));
  EXPECT_TRUE(SOUNDREQUESTED(87, 71)) << "my player is 11 cells away";
}

TEST_F(DOORSTEST, DeadPlayersOpenNothing) {
  KEYS[1][1] = true;
  const int d = DOOR(1, 41, 40, 41, 40);
  DEAD[1] = true;
  DOORS();
  EXPECT_TRUE(ISCLOSED(d));
}

// ---------------------------------------------------------------- traps

TEST_F(DOORSTEST, EachActivatorFiresOnItsOwnKindOfCellContent) {
  const unsigned char contents[] = {'P', 'M', '-', '/', ' ', 'H', 'p'};
  // Rows: activator 0..6; columns: the contents above. 1 = fires.
  const int fires[7][7] = {
      {1, 0, 0, 0, 0, 0, 0},  // 0 player
      {0, 1, 0, 0, 0, 0, 0},  // 1 monster
      {1, 1, 0, 0, 0, 0, 0},  // 2 player or monster
      {0, 0, 1, 1, 0, 0, 0},  // 3 tank part
      {0, 1, 1, 1, 0, 0, 0},  // 4 monster or tank part
      {1, 0, 0, 0, 0, 0, 0},  // 5 a player who pays
      {0, 0, 0, 0, 1, 0, 0},  // 6 nothing
  };
  for (BYTE a = 0; a <= 6; a++)
    for (int k = 0; k < 7; k++) {
      SetUp();
      PLAYERRES[1].SCRAP = 200;
      PLACE(1, 20, 20);
      if (contents[k] == 'P') PLACE(1, 50, 50);
      else MAP[50][50] = contents[k];
      const int i = TRAP(50, 50, 60, 60, 'R', a);
      CHECKFORTRAPS();
      EXPECT_EQ(MAP[60][60] == 'R', fires[a][k] == 1) << "activator " << int(a) << " on '" << contents[k] << "'";
      EXPECT_EQ(ARMED(i), fires[a][k] == 0);
    }
}

TEST_F(DOORSTEST, ThePayingTrapTakes150ScrapOrRefuses) {
  PLACE(1, 50, 50);
  const int i = TRAP(50, 50, 60, 60, 'R', 5, true);
  PLAYERRES[1] = RES{30, 149};
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], ' ');
  EXPECT_TRUE(TOLD("150 scrap required."));
  EXPECT_TRUE(SOUNDREQUESTED(88, 71));
  EXPECT_EQ(PLAYERRES[1].SCRAP, 149);
  PLAYERRES[1] = RES{30, 200};
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], 'R');
  EXPECT_EQ(PLAYERRES[1].SCRAP, 50);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 30) << "no lumber is asked";
  EXPECT_TRUE(ARMED(i)) << "a repeating trap";
  // Its destination already holds the symbol: no scrap is taken for nothing.
  PLAYERRES[1].SCRAP = 200;
  CHECKFORTRAPS();
  EXPECT_EQ(PLAYERRES[1].SCRAP, 200);
  // Nor for a light that is already switched the way the trap would switch it.
  MAPSIZEY = 100;
  const int light = TRAP(50, 50, 4, 91, 'L', 5, true);  // light 4 to the written value 10
  TRAPX[i] = TRAPY[i] = 1;
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTHOW[4], 10);
  EXPECT_EQ(PLAYERRES[1].SCRAP, 50);
  CHECKFORTRAPS();
  EXPECT_EQ(PLAYERRES[1].SCRAP, 50) << "trap " << light << " has nothing left to switch";
}

TEST_F(DOORSTEST, ADestinationThatHoldsTheSymbolKeepsTheTrapArmed) {
  MAP[50][50] = ' ';
  MAP[60][60] = 'R';
  const int i = TRAP(50, 50, 60, 60, 'R', 6);
  for (int n = 0; n < 3; n++) CHECKFORTRAPS();
  EXPECT_TRUE(ARMED(i));
  EXPECT_FALSE(TRAPACTIVATED(50, 50));
  MAP[60][60] = ' ';  // the wall is shot away
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], 'R');
  EXPECT_FALSE(ARMED(i)) << "a one-shot trap has fired";
  EXPECT_TRUE(TRAPACTIVATED(50, 50));
}

TEST_F(DOORSTEST, ActivatorSixFiresWhenAnItemIsTakenOffTheCell) {
  MAP[50][50] = 'H';
  TRAP(50, 50, 60, 60, 'W', 6);
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], ' ');
  MAP[50][50] = ' ';
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], 'W');
}

TEST_F(DOORSTEST, TrapsWriteTheStoredFormOfEachSymbol) {
  struct CASE { unsigned char s; unsigned char stored; bool indoor; BYTE damage; BYTE color; } cases[] = {
      {'0', 'R', true, 0, 7},   {'"', 'R', true, 200, 7}, {'F', 'R', false, 200, 14},
      {'R', 'R', false, 0, 7},  {'T', 'T', false, 0, 2},  {' ', ' ', false, 0, 8},
  };
  NEW_ITEMS = 0;
  for (const CASE& c : cases) {
    SetUp();
    MAP[60][60] = 'X';
    MAPPP[60][60].INDOOR = !c.indoor;
    MAP[50][50] = 'M';
    TRAP(50, 50, 60, 60, c.s, 1);
    CHECKFORTRAPS();
    EXPECT_EQ(MAP[60][60], c.stored) << c.s;
    EXPECT_EQ(MAPPP[60][60].INDOOR, c.indoor) << c.s;
    EXPECT_EQ(MDAMAGE[60][60], c.damage) << c.s;
    if (c.s != '"') EXPECT_EQ(MFATTR[60][60], c.color) << c.s;
    ASSERT_FALSE(monstertest::BLINKS.empty());
    EXPECT_EQ(monstertest::BLINKS.back(), (HOOKCALL{60, 60, 1, 5, 0}));
  }
  NEW_ITEMS = 1;
}

TEST_F(DOORSTEST, MonsterAndWeaponSymbols) {
  MAP[50][50] = 'M';
  TRAP(50, 50, 60, 60, 'N', 2);
  CHECKFORTRAPS();
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERTYPE[1], 2);
  EXPECT_EQ(MAP[60][60], 'M');
  // Weapons appear in the campaign but not in deathmatch; the trap is used either way.
  for (BYTE level : {100, 50}) {
    SetUp();
    CURRENTMAP = level;
    MAP[50][50] = 'M';
    const int i = TRAP(50, 50, 61, 61, '5', 1);
    CHECKFORTRAPS();
    EXPECT_EQ(MAP[61][61], level == 50 ? ' ' : '5') << int(level);
    EXPECT_FALSE(ARMED(i));
  }
}

TEST_F(DOORSTEST, LightTrapsSwitchAndToggle) {
  MAPSIZEY = 30;
  MAP[50][20] = 'M';
  // Light 3 to the value 7 as written in the file: stored as row 30 + 1 - 7.
  const int sw = TRAP(50, 20, 3, 24, 'L', 1, true);
  LIGHTRANDOM[3] = 1;
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTHOW[3], 7);
  EXPECT_EQ(LIGHTRANDOM[3], 0);
  DESTSYMBOL[sw] = ']';
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTRANDOM[3], 1);
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTRANDOM[3], 0);
  DESTX[sw] = 200;  // no such light: nothing is written
  CHECKFORTRAPS();
}

TEST_F(DOORSTEST, ATrapTellsItsMessageWhenItFires) {
  MSGCOUNT = 1;
  TRAPMSG[1] = "The floor gives way!";
  PLACE(1, 50, 50);
  const int i = TRAP(50, 50, 60, 60, 'W', 0);
  MSGNUMBER[i] = 1;
  CHECKFORTRAPS();
  EXPECT_TRUE(TOLD("The floor gives way!"));
}

}  // namespace
