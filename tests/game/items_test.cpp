// Inventory items in use and the lumber and scrap store: slot helpers, the
// resource store and its cap, cost texts, the axe against monsters and at its
// two workbenches, the boat over water, the defib kit and the held use key.
#include <gtest/gtest.h>

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

int LOGLINES() {
  int n = 0;
  for (int i = 1; i <= TXT_NUMLINES; i++) n += !TRIMSPACES(TXTLINE[i]).empty();
  return n;
}

class ITEMS : public MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    RESETCRAFTINGCOSTS();
    for (BYTE p = 1; p <= 2; p++) {
      INVENTORY[p] = "    ";
      CHOSENITEM[p] = 0;
      PLAYERRES[p] = RES{};
      USE[p] = LASTUSE[p] = false;
      LASTOFFSETX[p] = LASTOFFSETY[p] = 0;
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
    }
    CURRENTMAP = 100;
  }
  // Player 1 (at 40, 40) carries ITEMS with slot 1 chosen.
  static void CARRY(const std::string& items) {
    INVENTORY[1] = items;
    CHOSENITEM[1] = 1;
  }
  static void PUT(int x, int y, unsigned char c) { MAP[x][y] = c; }
  // Fills the eight neighbours of player 1 with C.
  static void SURROUND(unsigned char c) {
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (dx != 0 || dy != 0) PUT(40 + dx, 40 + dy, c);
  }
};

TEST_F(ITEMS, SlotHelpersFindTheFirstFreeAndFirstBusySlot) {
  struct CASE { const char* inv; BYTE free, busy; } cases[] = {
      {"    ", 1, 0}, {"A   ", 2, 1}, {" A  ", 1, 2}, {"AB@A", 0, 1}, {"   B", 1, 4}, {"", 1, 0}};
  for (const CASE& c : cases) {
    INVENTORY[1] = c.inv;
    EXPECT_EQ(INVENTORYFREESLOT(1), c.free) << '"' << c.inv << '"';
    EXPECT_EQ(INVENTORYBUSYSLOT(1), c.busy) << '"' << c.inv << '"';
  }
  INVENTORY[1] = "AB@A";
  DELETEINVENTORYITEM(1, 3);
  EXPECT_EQ(INVENTORY[1], "AB A");
  DELETEINVENTORYITEM(1, 5);  // no such slot
  EXPECT_EQ(INVENTORY[1], "AB A");
}

TEST_F(ITEMS, GatheredResourcesAreCappedAt200) {
  struct CASE { RES held, gathered, result; } cases[] = {
      {{190, 0}, {30, 0}, {200, 0}},      // 190 + 30 lumber
      {{0, 199}, {0, 1}, {0, 200}},       // exactly the cap
      {{10, 20}, {5, 7}, {15, 27}},
      {{200, 200}, {65535, 65535}, {200, 200}},  // no wrap-around of the 16-bit sum
  };
  for (const CASE& c : cases) {
    PLAYERRES[1] = c.held;
    ABSORBGATHEREDRESOURCES(1, c.gathered);
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.result.LUMBER) << c.held.LUMBER << "+" << c.gathered.LUMBER;
    EXPECT_EQ(PLAYERRES[1].SCRAP, c.result.SCRAP) << c.held.SCRAP << "+" << c.gathered.SCRAP;
  }
}

TEST_F(ITEMS, PayingTakesBothAmountsOrNothing) {
  struct CASE { RES held; int32_t scrap, lumber; bool paid; RES after; } cases[] = {
      {{75, 0}, 0, 75, true, {0, 0}},
      {{74, 0}, 0, 75, false, {74, 0}},
      {{50, 49}, 50, 50, false, {50, 49}},
      {{60, 150}, 150, 0, true, {60, 0}},
      {{60, 150}, -5, 0, false, {60, 150}},  // a negative cost never pays out
  };
  for (const CASE& c : cases) {
    PLAYERRES[1] = c.held;
    EXPECT_EQ(EATSCRAPLUMBER(1, c.scrap, c.lumber), c.paid) << c.scrap << "/" << c.lumber;
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.after.LUMBER);
    EXPECT_EQ(PLAYERRES[1].SCRAP, c.after.SCRAP);
  }
}

TEST_F(ITEMS, CostsInWords) {
  EXPECT_EQ(REQSTOENGLISH(REQ_BOAT), "50 scrap and 50 lumber");
  EXPECT_EQ(REQSTOENGLISH(REQ_TORCH), "75 lumber");
  EXPECT_EQ(REQSTOENGLISH(RES{0, 5}), "5 scrap");
  EXPECT_EQ(REQSTOENGLISH(RES{0, 0}), "");
}

TEST_F(ITEMS, AxeHitsANeighbouringMonsterBeforeMakingATorch) {
  struct CASE { BYTE type; int32_t after; bool removed; } cases[] = {
      {1, 0, true},     // a grunt (50) dies at once
      {2, 0, true},     // 200 energy: exactly used up
      {6, 800, false},  // the friend (1000) survives the blow
  };
  for (const CASE& c : cases) {
    SetUp();
    CARRY("AB  ");
    PLAYERRES[1] = RES{200, 0};
    PUT(39, 40, 219);  // a barrel and a monster both beside the player
    ADDMONSTER(41, 41, c.type, 0);
    USEITEM(1, 1);
    EXPECT_EQ(INVENTORY[1], " B  ") << "the axe breaks, type " << int(c.type);
    EXPECT_EQ(CHOSENITEM[1], 2);
    EXPECT_EQ(NUMBEROFMONSTERS, c.removed ? 0 : 1) << int(c.type);
    if (!c.removed) EXPECT_EQ(MONSTERENERGY[1], c.after);
    EXPECT_TRUE(TOLD("You hit the monster with axe! It broke."));
    EXPECT_EQ(PLAYERRES[1].LUMBER, 200) << "no torch was made";
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++) EXPECT_NE(MAP[40 + dx][40 + dy], 'i');
  }
}

TEST_F(ITEMS, AxeAtABarrelMakesATorchFrom75Lumber) {
  struct CASE { uint16_t lumber; bool made; const char* msg; } cases[] = {
      {74, false, "Torch requires 75 lumber."},
      {75, true, "Torch created."},
      {200, true, "Torch created."},
  };
  for (const CASE& c : cases) {
    SetUp();
    CARRY("A   ");
    PLAYERRES[1] = RES{c.lumber, 10};
    PUT(39, 39, 219);
    USEITEM(1, 1);
    // The torch lands on the last free neighbour in the scan: column +1, row +1.
    EXPECT_EQ(MAP[41][41], c.made ? 'i' : ' ') << c.lumber;
    if (c.made) EXPECT_EQ(MFATTR[41][41], 14);
    EXPECT_EQ(PLAYERRES[1].LUMBER, c.made ? c.lumber - 75 : c.lumber);
    EXPECT_EQ(PLAYERRES[1].SCRAP, 10);
    EXPECT_TRUE(TOLD(c.msg)) << c.lumber;
    EXPECT_EQ(INVENTORY[1], "A   ") << "the axe stays";
  }
}

TEST_F(ITEMS, AxeAtATreeBuildsABoat) {
  struct CASE { RES held; bool made; const char* msg; } cases[] = {
      {{50, 50}, true, "Boat created."},
      {{200, 49}, false, "Boat requires 50 scrap and 50 lumber."},
      {{49, 200}, false, "Boat requires 50 scrap and 50 lumber."},
  };
  for (const CASE& c : cases) {
    SetUp();
    NEW_ITEMS = 0;
    CARRY("A   ");
    PLAYERRES[1] = c.held;
    PUT(41, 41, 'T');  // the last neighbour in the scan is the tree
    USEITEM(1, 1);
    EXPECT_EQ(MAP[41][40], c.made ? 'B' : ' ') << "the last free neighbour";
    if (c.made) {
      EXPECT_EQ(MFATTR[41][40], 3) << "the boat's classic colour";
      EXPECT_EQ(PLAYERRES[1].LUMBER, 0);
      EXPECT_EQ(PLAYERRES[1].SCRAP, 0);
    } else {
      EXPECT_EQ(PLAYERRES[1].LUMBER, c.held.LUMBER);
      EXPECT_EQ(PLAYERRES[1].SCRAP, c.held.SCRAP);
    }
    EXPECT_TRUE(TOLD(c.msg));
  }
  NEW_ITEMS = 1;
}

TEST_F(ITEMS, AxeWithoutAWorkbenchOrWithoutRoom) {
  // Nothing around, a wall after the barrel in scan order, a barrel with no
  // free neighbour.
  struct CASE { const char* what; bool message; } cases[] = {
      {"open floor", true}, {"rock after barrel", true}, {"boxed in", false}};
  for (int i = 0; i < 3; i++) {
    SetUp();
    CARRY("A   ");
    PLAYERRES[1] = RES{200, 200};
    if (i == 1) {
      PUT(39, 40, 219);
      PUT(41, 39, 'R');
    }
    if (i == 2) {
      SURROUND('R');
      PUT(41, 41, 219);
    }
    USEITEM(1, 1);
    EXPECT_EQ(TOLD("Need more space to work."), cases[i].message) << cases[i].what;
    if (!cases[i].message) EXPECT_EQ(LOGLINES(), 0) << "nothing is said when boxed in";
    EXPECT_EQ(PLAYERRES[1].LUMBER, 200) << cases[i].what;
    EXPECT_EQ(INVENTORY[1], "A   ");
  }
}

TEST_F(ITEMS, BoatCarriesThePlayerOverWaterToBareFloor) {
  struct CASE { const char* what; int dx, dy; const char* ahead; bool crosses; int landx, landy; } cases[] = {
      {"water to floor, east", 1, 0, "WWW ", true, 44, 40},
      {"water to floor, north", 0, 1, "W ", true, 40, 42},
      {"facing land", 1, 0, " WW ", false, 0, 0},
      {"water ends at a wall", 1, 0, "WWR", false, 0, 0},
      {"water ends at an item", -1, 0, "WH", false, 0, 0},
      {"never moved", 0, 0, "WW ", false, 0, 0},
  };
  for (const CASE& c : cases) {
    SetUp();
    CARRY("B@  ");
    LASTOFFSETX[1] = c.dx;
    LASTOFFSETY[1] = c.dy;
    const int ddx = c.dx == 0 && c.dy == 0 ? 1 : c.dx, ddy = c.dx == 0 && c.dy == 0 ? 0 : c.dy;
    for (int k = 0; c.ahead[k]; k++) PUT(40 + ddx * (k + 1), 40 + ddy * (k + 1), c.ahead[k]);
    STEPPEDON[1] = 'V';  // sewer under the player: it stays behind
    STEPPEDONC[1] = 6;
    USEITEM(1, 1);
    if (c.crosses) {
      EXPECT_EQ(PLAYERX[1], c.landx) << c.what;
      EXPECT_EQ(PLAYERY[1], c.landy) << c.what;
      EXPECT_EQ(MAP[c.landx][c.landy], 'P');
      EXPECT_EQ(MAP[40][40], 'V') << "what he stood on is back";
      EXPECT_EQ(MFATTR[40][40], 6);
      EXPECT_EQ(INVENTORY[1], " @  ") << "the boat is used up";
      EXPECT_EQ(CHOSENITEM[1], 2);
      EXPECT_EQ(STEPPEDON[1], ' ');
      const size_t water = std::string(c.ahead).find_last_of('W') + 1;
      EXPECT_EQ(monstertest::BLINKS.size(), water) << "every water cell crossed flashes";
    } else {
      EXPECT_EQ(PLAYERX[1], 40) << c.what;
      EXPECT_EQ(PLAYERY[1], 40) << c.what;
      EXPECT_EQ(INVENTORY[1], "B@  ") << c.what;
    }
  }
}

TEST_F(ITEMS, BoatInDeathmatchDropsThePickupUnderThePlayer) {
  CURRENTMAP = 50;
  CARRY("B   ");
  LASTOFFSETX[1] = 1;
  PUT(41, 40, 'W');
  STEPPEDON[1] = 'H';
  STEPPEDONC[1] = 7;
  USEITEM(1, 1);
  EXPECT_EQ(PLAYERX[1], 42);
  EXPECT_EQ(MAP[40][40], ' ') << "the health pickup respawns from its list instead";
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
  // A living partner needs no kit.
  CARRY("@   ");
  DEAD[2] = false;
  PLAYERX[2] = 41;
  USEITEM(1, 1);
  EXPECT_EQ(INVENTORY[1], "@   ");
}

TEST_F(ITEMS, UseNeedsAFreshPressAChosenSlotAndAnItem) {
  PLAYERRES[1] = RES{200, 0};
  PUT(39, 39, 219);
  CARRY("A   ");
  LASTUSE[1] = true;  // the key was already down on the previous cycle
  USEITEM(1, 1);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 200);
  LASTUSE[1] = false;
  USEITEM(1, 0);  // nothing chosen
  USEITEM(1, 2);  // an empty slot
  EXPECT_EQ(PLAYERRES[1].LUMBER, 200);
  CARRY("Ki  ");  // serum and torch have no use action
  USEITEM(1, 1);
  USEITEM(1, 2);
  EXPECT_EQ(INVENTORY[1], "Ki  ");
  EXPECT_EQ(LOGLINES(), 0);
  // Through the player's step: a fresh press uses the chosen item.
  CARRY("A   ");
  USE[1] = true;
  LASTUSE[1] = false;
  MOVEPLAYER(1);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 125);
  LASTUSE[1] = true;  // held: no second torch
  MOVEPLAYER(1);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 125);
}

}  // namespace
