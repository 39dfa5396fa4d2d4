// Doors and traps: keys on each touching side, the reach from a tank, the
// closing delay and a monster in the doorway; every trap activator against
// every kind of cell content, the paying trap, destinations that already
// hold the symbol, the stored symbol forms, monsters, weapons and lights.
#include "game/gatesfixture.h"

namespace {
using namespace gatestest;

constexpr unsigned char CLOSED = 176;

class DOORSTEST : public GATEFIELD {
 protected:
  // A closed door of TYPE over the rectangle (X1, Y1)-(X2, Y2).
  static int DOOR(BYTE type, BYTE x1, BYTE y1, BYTE x2, BYTE y2) {
    const int d = ++NUMBEROFDOORS;
    DOORTYPE[d] = type;
    DOORX[d] = x1, DOORY[d] = y1, DOORMAXX[d] = x2, DOORMAXY[d] = y2;
    DTIMER[d] = 0;
    for (int x = x1; x <= x2; x++)
      for (int y = y1; y <= y2; y++) MAP[x][y] = CLOSED, MFATTR[x][y] = KEYCOLOR[type];
    return d;
  }
  // Every cell of door D holds GLYPH in COLOR.
  static bool DOORIS(int d, unsigned char glyph, BYTE color) {
    for (int x = DOORX[d]; x <= DOORMAXX[d]; x++)
      for (int y = DOORY[d]; y <= DOORMAXY[d]; y++)
        if (MAP[x][y] != glyph || MFATTR[x][y] != color) return false;
    return true;
  }
  static bool ISOPEN(int d) { return DOORIS(d, ' ', 8); }
  static bool ISCLOSED(int d) { return DOORIS(d, CLOSED, KEYCOLOR[DOORTYPE[d]]); }
  // A trap at (TX, TY) writing SYMBOL to (DX, DY).
  static int TRAP(BYTE tx, BYTE ty, BYTE dx, BYTE dy, unsigned char symbol, BYTE activator,
                  bool repeat = false) {
    const int i = ++COMMANDS;
    TRAPX[i] = tx, TRAPY[i] = ty, DESTX[i] = dx, DESTY[i] = dy;
    DESTSYMBOL[i] = symbol;
    TRAPACTIVATOR[i] = activator;
    TRAPREPEAT[i] = repeat;
    MSGNUMBER[i] = 0;
    return i;
  }
  static bool ARMED(int i) { return !(TRAPX[i] == 1 && TRAPY[i] == 1); }
};

TEST_F(DOORSTEST, KeysOpenTheirDoorsFromEverySide) {
  // Door cells to the right, left, above and below the player at (40, 40),
  // with and without the key; type 11 needs none.
  struct CASE { BYTE type; int key; int x, y; } cases[] = {
      {3, 0, 41, 40}, {3, 0, 39, 40}, {3, 0, 40, 41}, {3, 0, 40, 39},
      {3, 3, 41, 40}, {3, 2, 39, 40}, {7, 7, 40, 41}, {11, 0, 40, 39}};
  for (const CASE& c : cases) {
    SetUp();
    if (c.key) KEYS[1][c.key] = true;
    const bool opens = c.type == 11 || c.key == c.type;
    // Two cells, running away from the player.
    const int x2 = c.x == 40 ? 41 : c.x, y2 = c.x == 40 ? c.y : 41;
    const int d = DOOR(c.type, static_cast<BYTE>(c.x), static_cast<BYTE>(c.y), static_cast<BYTE>(x2),
                       static_cast<BYTE>(y2));
    DOORS();
    EXPECT_EQ(ISOPEN(d), opens) << int(c.type) << " at " << c.x << "," << c.y;
    EXPECT_EQ(ISCLOSED(d), !opens);
    EXPECT_EQ(DTIMER[d], opens ? 10 : 0);
    EXPECT_EQ(SOUNDREQUESTED(62, 70), opens);
    EXPECT_EQ(TOLD("Sigma key required."), !opens);
    EXPECT_EQ(SOUNDREQUESTED(88, 71), !opens);
    if (opens) EXPECT_EQ(monstertest::BLINKCALLS().size(), 2u) << "both door cells flash";
    else EXPECT_EQ(TXTLINECOLOR[TXT_NUMLINES], 12);
  }
}

TEST_F(DOORSTEST, FromATankTheDoorIsTouchedTwoCellsAway) {
  KEYS[1][2] = true;
  const int d = DOOR(2, 42, 40, 42, 40);
  DOORS();
  EXPECT_TRUE(ISCLOSED(d)) << "on foot two cells are too far";
  INTANK[1] = 1;
  DOORS();
  INTANK[1] = 0;
  EXPECT_TRUE(ISOPEN(d));
}

TEST_F(DOORSTEST, AnOpenDoorClosesOnTheTenthCallUnlessSomeoneStandsInIt) {
  KEYS[1][4] = true;
  const int d = DOOR(4, 41, 40, 41, 40);
  DOORS();
  PLACE(1, 20, 20);  // the player walks away
  for (int call = 1; call <= 9; call++) {
    DOORS();
    EXPECT_TRUE(ISOPEN(d)) << call;
  }
  DOORS();
  EXPECT_TRUE(ISCLOSED(d));
  EXPECT_EQ(DTIMER[d], 0);
  EXPECT_FALSE(SOUNDREQUESTED(87)) << "too far from my player to hear it";
  // A monster in the doorway holds it open.
  PLACE(1, 40, 40);
  DOORS();
  PLACE(1, 30, 40);
  ADDMONSTER(41, 40, 1, 0);
  for (int call = 1; call <= 25; call++) DOORS();
  EXPECT_EQ(DTIMER[d], 1);
  EXPECT_EQ(MAP[41][40], 'M');
  MAP[41][40] = ' ';  // it walks on
  DOORS();
  EXPECT_TRUE(ISCLOSED(d));
  EXPECT_TRUE(SOUNDREQUESTED(87, 71)) << "my player is 11 cells away";
}

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
      PLACE(1, contents[k] == 'P' ? 50 : 20, 50);
      if (contents[k] != 'P') MAP[50][50] = contents[k];
      const int i = TRAP(50, 50, 60, 60, 'R', a);
      CHECKFORTRAPS();
      EXPECT_EQ(MAP[60][60] == 'R', fires[a][k] == 1) << "activator " << int(a) << " on '" << contents[k] << "'";
      EXPECT_EQ(ARMED(i), fires[a][k] == 0);
    }
}

TEST_F(DOORSTEST, ThePayingTrapTakes150ScrapOrRefuses) {
  PLACE(1, 50, 50);
  TRAP(50, 50, 60, 60, 'R', 5, true);
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
  // Nothing left to change, nothing paid: the wall stands, the light is set.
  PLAYERRES[1].SCRAP = 200;
  CHECKFORTRAPS();
  EXPECT_EQ(PLAYERRES[1].SCRAP, 200);
  TRAPX[1] = TRAPY[1] = 1;
  TRAP(50, 50, 4, 91, 'L', 5, true);  // light 4 to the written value 10
  LIGHTHOW[4] = 0;
  CHECKFORTRAPS();
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTHOW[4], 10);
  EXPECT_EQ(PLAYERRES[1].SCRAP, 50);
}

TEST_F(DOORSTEST, ADestinationThatHoldsTheSymbolKeepsTheTrapArmed) {
  MAP[50][50] = 'H';  // activator 6 waits for the item to be taken
  MAP[60][60] = 'R';
  const int i = TRAP(50, 50, 60, 60, 'R', 6);
  CHECKFORTRAPS();
  MAP[50][50] = ' ';
  for (int n = 0; n < 3; n++) CHECKFORTRAPS();
  EXPECT_TRUE(ARMED(i));
  EXPECT_FALSE(TRAPACTIVATED(50, 50));
  MAP[60][60] = ' ';  // the wall is shot away
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[60][60], 'R');
  EXPECT_TRUE(TRAPACTIVATED(50, 50)) << "a one-shot trap has fired";
}

TEST_F(DOORSTEST, TrapsWriteTheStoredFormOfEachSymbol) {
  struct CASE { unsigned char s, stored; bool indoor; BYTE damage; BYTE color; } cases[] = {
      {'0', 'R', true, 0, 7}, {'"', 'R', true, 200, 7}, {'F', 'R', false, 200, 14},
      {'T', 'T', false, 0, 2}, {'5', '5', false, 0, 14}, {' ', ' ', false, 0, 8}};
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
    EXPECT_EQ(MFATTR[60][60], c.color) << c.s;
    ASSERT_FALSE(monstertest::BLINKCALLS().empty());
    EXPECT_EQ(monstertest::BLINKCALLS().back(), (HOOKCALL{60, 60, 1, 5, 0}));
  }
  NEW_ITEMS = 1;
}

TEST_F(DOORSTEST, MonstersLightsAndDeathmatchWeapons) {
  MAP[50][50] = 'M';
  TRAP(50, 50, 60, 60, 'N', 2);
  MAPSIZEY = 30;
  const int sw = TRAP(50, 50, 3, 24, 'L', 1, true);  // light 3 to the written value 7
  LIGHTRANDOM[3] = 1;
  CHECKFORTRAPS();
  ASSERT_EQ(NUMBEROFMONSTERS, 1);
  EXPECT_EQ(MONSTERTYPE[1], 2);
  EXPECT_EQ(MAP[60][60], 'M');
  EXPECT_EQ(LIGHTHOW[3], 7);
  EXPECT_EQ(LIGHTRANDOM[3], 0);
  DESTSYMBOL[sw] = ']';
  CHECKFORTRAPS();
  EXPECT_EQ(LIGHTRANDOM[3], 1) << "toggled";
  // No weapons are placed in deathmatch; the trap is used all the same.
  SetUp();
  CURRENTMAP = 50;
  MAP[50][50] = 'M';
  const int i = TRAP(50, 50, 61, 61, '5', 1);
  CHECKFORTRAPS();
  EXPECT_EQ(MAP[61][61], ' ');
  EXPECT_FALSE(ARMED(i));
}

TEST_F(DOORSTEST, ATrapTellsItsMessageWhenItFires) {
  MSGCOUNT = 1;
  TRAPMSG[1] = "The floor gives way!";
  PLACE(1, 50, 50);
  MSGNUMBER[TRAP(50, 50, 60, 60, 'W', 0)] = 1;
  CHECKFORTRAPS();
  EXPECT_TRUE(TOLD("The floor gives way!"));
}

}  // namespace
