// Inventory items in use and the lumber and scrap store: slots, the store's
// cap and payments, the axe against monsters and at its two workbenches, the
// boat over water, the defib kit and the fresh use press.
#include "game/gatesfixture.h"

namespace {
using namespace gatestest;

class ITEMS : public GATEFIELD {
 protected:
  // Player 1 (at 40, 40) carries ITEMS with slot 1 chosen and RES in store.
  static void CARRY(const std::string& items, RES res = RES{}) {
    INVENTORY[1] = items;
    CHOSENITEM[1] = 1;
    PLAYERRES[1] = res;
  }
};

TEST_F(ITEMS, SlotsAndTheStore) {
  struct SLOTS { const char* inv; BYTE free, busy; } slots[] = {
      {"    ", 1, 0}, {" A  ", 1, 2}, {"AB@A", 0, 1}, {"", 1, 0}};
  for (const SLOTS& c : slots) {
    INVENTORY[1] = c.inv;
    EXPECT_EQ(INVENTORYFREESLOT(1), c.free) << '"' << c.inv << '"';
    EXPECT_EQ(INVENTORYBUSYSLOT(1), c.busy) << '"' << c.inv << '"';
  }
  // Gathering: 190 + 30 lumber stops at 200, and no 16-bit sum wraps.
  struct GATHER { RES held, gathered, result; } gathers[] = {
      {{190, 0}, {30, 0}, {200, 0}}, {{10, 20}, {5, 7}, {15, 27}}, {{200, 200}, {65535, 65535}, {200, 200}}};
  for (const GATHER& c : gathers) {
    PLAYERRES[1] = c.held;
    ABSORBGATHEREDRESOURCES(1, c.gathered);
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.result.LUMBER);
    EXPECT_EQ(PLAYERRES[1].SCRAP, c.result.SCRAP);
  }
  // Paying takes both amounts or nothing.
  struct PAY { RES held; int32_t scrap, lumber; bool paid; RES after; } pays[] = {
      {{75, 0}, 0, 75, true, {0, 0}},     {{74, 0}, 0, 75, false, {74, 0}},
      {{50, 49}, 50, 50, false, {50, 49}}, {{60, 150}, 150, 0, true, {60, 0}},
      {{60, 150}, -5, 0, false, {60, 150}}};
  for (const PAY& c : pays) {
    PLAYERRES[1] = c.held;
    EXPECT_EQ(EATSCRAPLUMBER(1, c.scrap, c.lumber), c.paid) << c.scrap << "/" << c.lumber;
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.after.LUMBER);
    EXPECT_EQ(PLAYERRES[1].SCRAP, c.after.SCRAP);
  }
  EXPECT_EQ(REQSTOENGLISH(REQ_BOAT), "50 scrap and 50 lumber");
  EXPECT_EQ(REQSTOENGLISH(REQ_TORCH), "75 lumber");
  EXPECT_EQ(REQSTOENGLISH(RES{0, 5}), "5 scrap");
}

TEST_F(ITEMS, AxeHitsANeighbouringMonsterBeforeMakingATorch) {
  // A grunt (50) and a prototype (200) die at once; the friend (1000) does not.
  struct CASE { BYTE type; bool removed; int32_t after; } cases[] = {{1, true, 0}, {2, true, 0}, {6, false, 800}};
  for (const CASE& c : cases) {
    SetUp();
    CARRY("AB  ", RES{200, 0});
    PUT(39, 40, 219);  // a barrel and a monster both beside the player
    ADDMONSTER(41, 41, c.type, 0);
    USEITEM(1, 1);
    EXPECT_EQ(INVENTORY[1], " B  ") << "the axe breaks, type " << int(c.type);
    EXPECT_EQ(CHOSENITEM[1], 2);
    EXPECT_EQ(NUMBEROFMONSTERS, c.removed ? 0 : 1) << int(c.type);
    if (!c.removed) EXPECT_EQ(MONSTERENERGY[1], c.after);
    EXPECT_TRUE(TOLD("You hit the monster with axe! It broke."));
    EXPECT_EQ(PLAYERRES[1].LUMBER, 200) << "no torch was made";
  }
}

TEST_F(ITEMS, AxeAtItsWorkbenches) {
  // The last non-blank neighbour in scan order is the workbench; a crafted
  // item lands on the last free neighbour, here column +1, row +1.
  struct CASE { unsigned char bench; RES held; unsigned char made; RES after; const char* msg; } cases[] = {
      {219, {74, 10}, ' ', {74, 10}, "Torch requires 75 lumber."},
      {219, {75, 10}, 'i', {0, 10}, "Torch created."},
      {'T', {50, 50}, 'B', {0, 0}, "Boat created."},
      {'T', {200, 49}, ' ', {200, 49}, "Boat requires 50 scrap and 50 lumber."},
  };
  NEW_ITEMS = 0;
  for (const CASE& c : cases) {
    SetUp();
    CARRY("A   ", c.held);
    PUT(39, 39, c.bench);
    USEITEM(1, 1);
    EXPECT_EQ(MAP[41][41], c.made) << c.msg;
    if (c.made != ' ') EXPECT_EQ(MFATTR[41][41], c.made == 'i' ? 14 : 3) << c.msg;
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.after.LUMBER) << c.msg;
    EXPECT_EQ(PLAYERRES[1].SCRAP, c.after.SCRAP) << c.msg;
    EXPECT_TRUE(TOLD(c.msg));
    EXPECT_EQ(INVENTORY[1], "A   ") << "the axe stays";
  }
  NEW_ITEMS = 1;
}

TEST_F(ITEMS, AxeWithoutAWorkbenchOrWithoutRoom) {
  // Open floor; a rock after the barrel in scan order; a barrel boxed in.
  for (int i = 0; i < 3; i++) {
    SetUp();
    CARRY("A   ", RES{200, 200});
    if (i == 1) {
      PUT(39, 40, 219);
      PUT(41, 39, 'R');
    }
    if (i == 2) {
      for (int dx = -1; dx <= 1; dx++)
        for (int dy = -1; dy <= 1; dy++)
          if (dx != 0 || dy != 0) PUT(40 + dx, 40 + dy, 'R');
      PUT(41, 41, 219);
    }
    USEITEM(1, 1);
    EXPECT_EQ(TOLD("Need more space to work."), i < 2) << i;
    if (i == 2) EXPECT_TRUE(TRIMSPACES(TXTLINE[TXT_NUMLINES]).empty()) << "nothing is said when boxed in";
    EXPECT_EQ(PLAYERRES[1].LUMBER, 200) << i;
  }
}

TEST_F(ITEMS, BoatCarriesThePlayerOverWaterToBareFloor) {
  struct CASE { const char* what; int dx, dy; const char* ahead; int landx, landy; } cases[] = {
      {"water to floor, east", 1, 0, "WWW ", 44, 40},
      {"water to floor, north", 0, 1, "W ", 40, 42},
      {"facing land", 1, 0, " WW ", 0, 0},
      {"water ends at a wall", 1, 0, "WWR", 0, 0},
      {"water ends at an item", -1, 0, "WH", 0, 0},
      {"never moved", 0, 0, "WW ", 0, 0},
  };
  for (const CASE& c : cases) {
    SetUp();
    CARRY("B@  ");
    LASTOFFSETX[1] = c.dx;
    LASTOFFSETY[1] = c.dy;
    const int ddx = c.dx == 0 && c.dy == 0 ? 1 : c.dx, ddy = c.dy;
    for (int k = 0; c.ahead[k]; k++) PUT(40 + ddx * (k + 1), 40 + ddy * (k + 1), c.ahead[k]);
    STEPPEDON[1] = 'V';  // sewer under the player stays behind
    STEPPEDONC[1] = 6;
    USEITEM(1, 1);
    const bool crosses = c.landx != 0;
    EXPECT_EQ(PLAYERX[1], crosses ? c.landx : 40) << c.what;
    EXPECT_EQ(PLAYERY[1], crosses ? c.landy : 40) << c.what;
    EXPECT_EQ(INVENTORY[1], crosses ? " @  " : "B@  ") << c.what;
    if (!crosses) continue;
    EXPECT_EQ(MAP[c.landx][c.landy], 'P');
    EXPECT_EQ(MAP[40][40], 'V');
    EXPECT_EQ(MFATTR[40][40], 6);
    EXPECT_EQ(CHOSENITEM[1], 2);
    EXPECT_EQ(monstertest::BLINKCALLS().size(), std::string(c.ahead).find_last_of('W') + 1)
        << "every water cell crossed flashes";
  }
}

TEST_F(ITEMS, DefibKitRevivesTheOtherPlayerCloseBy) {
  NUMBEROFPLAYERS = 2;
  for (int dist : {2, 3}) {
    CARRY("@   ");
    DEAD[2] = true;
    PLAYERHEALTH[2] = 0;
    PLAYERX[2] = static_cast<BYTE>(40 + dist);
    PLAYERY[2] = 40;
    CLEARSOUNDREQUESTS();
    USEITEM(1, 1);
    EXPECT_EQ(DEAD[2], dist >= 3) << dist;
    EXPECT_EQ(PLAYERHEALTH[2], dist < 3 ? 100.0 : 0.0) << dist;
    EXPECT_EQ(INVENTORY[1], dist < 3 ? "    " : "@   ") << dist;
    EXPECT_EQ(SOUNDREQUESTED(59), dist < 3) << dist;
  }
}

TEST_F(ITEMS, UseNeedsAFreshPress) {
  CARRY("A   ", RES{200, 0});
  PUT(39, 39, 219);
  USE[1] = true;
  LASTUSE[1] = false;
  MOVEPLAYER(1);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 125);
  LASTUSE[1] = true;  // still held from the previous cycle
  MOVEPLAYER(1);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 125);
}

}  // namespace
