// What the player carries on the HUD, in both looks: four item slots with
// the chosen one bracketed, lumber, scrap and boot time, placed in the free
// rows between the weapon list and the health line.
#include <gtest/gtest.h>

#include <vector>

#include "display/input.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "render/hud.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"

namespace {

class HUDINVENTORY : public leveltest::LEVELFIXTURE {
 protected:
  // Draws the HUD of player 1 carrying INV with slot CHOSEN.
  void DRAW(const std::string& inv, BYTE chosen, RES res, BYTE boots) {
    LEVEL({"RRRRR", "RP  R", "RRRRR"});
    CURRENTMAP = mapnumber;
    for (int k = 1; k <= 10; k++) KEYS[1][k] = false;
    for (int k : keysheld) KEYS[1][k] = true;
    KEYNAMES[1] = "Keyone";
    KEYNAMES[2] = "Keytwo";
    KEYNAMES[3] = "Keythree";
    MYNUMBER = 1;
    NUMBEROFPLAYERS = 1;
    INVENTORY[1] = inv;
    CHOSENITEM[1] = chosen;
    PLAYERRES[1] = res;
    BOOTTIME[1] = boots;
    INTANK[1] = 0;
    CHOSENITEMCOLOR = 11;
    TEXTMODECUSTOM(45, 25);
    STARTUPDATESCREEN();
    // The screen record keeps what earlier frames drew: start from blanks.
    for (int y = 1; y <= UDT_Y; y++)
      for (int x = 1; x <= UDT_X; x++) EKRAN[y][x].SYMBOL = ' ';
    DISPLAYINVENTORY(1);
    ENDUPDATESCREEN();
  }
  BYTE mapnumber = 100;
  std::vector<int> keysheld;
  static std::string TEXTAT(int x, int y, int n) {
    std::string s;
    for (int i = 0; i < n; i++) s += static_cast<char>(EKRAN[y][x + i].SYMBOL);
    return s;
  }
};

TEST_F(HUDINVENTORY, SlotsResourcesAndBootTimeInBothLooks) {
  struct LOOK { BYTE style; int axe, boat, defib; } looks[] = {
      {1, 137, 139, '@'},  // drawn axe, boat and kit of the modern glyph set
      {0, 'A', 'B', '@'},  // the plain look shows the map letters
  };
  for (const LOOK& l : looks) {
    SCOPED_TRACE(l.style ? "modern" : "plain");
    STYLE(l.style);
    DRAW("AB @", 2, RES{120, 45}, 25);
    // Slots at columns 35, 38, 41 and 44 of row 16 (the 45 x 25 grid).
    EXPECT_EQ(EKRAN[16][35].SYMBOL, l.axe);
    EXPECT_EQ(EKRAN[16][38].SYMBOL, l.boat);
    EXPECT_EQ(EKRAN[16][41].SYMBOL, '.') << "an empty slot still shows";
    EXPECT_EQ(EKRAN[16][44].SYMBOL, l.defib);
    // The chosen second slot is bracketed in the highlight colour; no other is.
    EXPECT_EQ(EKRAN[16][37].SYMBOL, '[');
    EXPECT_EQ(EKRAN[16][39].SYMBOL, ']');
    EXPECT_EQ(EKRAN[16][37].ATTR & 15, 11);
    EXPECT_EQ(EKRAN[16][34].SYMBOL, ' ');
    EXPECT_EQ(EKRAN[16][36].SYMBOL, ' ');
    // Resources and boots on the fine grid below the slots.
    EXPECT_EQ(TEXTAT(69, 35, 10), "Lumber 120");
    EXPECT_EQ(TEXTAT(81, 35, 8), "Scrap 45");
    EXPECT_EQ(TEXTAT(69, 36, 8), "Boots 25");
  }
}

TEST_F(HUDINVENTORY, NothingChosenNoBracketsAndNoBootsWithoutBootTime) {
  STYLE(1);
  DRAW("    ", 0, RES{0, 0}, 0);
  // The tank line (row 17) stays free for a player in a tank.
  for (int x = 34; x <= 45; x++) EXPECT_EQ(EKRAN[17][x].SYMBOL, ' ') << x;
  for (int s = 0; s < 4; s++) {
    EXPECT_EQ(EKRAN[16][35 + 3 * s].SYMBOL, '.');
    EXPECT_EQ(EKRAN[16][34 + 3 * s].SYMBOL, ' ');
  }
  EXPECT_EQ(TEXTAT(69, 35, 8), "Lumber 0");
  EXPECT_EQ(TEXTAT(69, 36, 5), "     ");
}

// Held keys are listed in the campaign and in survival; the deathmatch arena
// shows neither the heading nor the keys (the frag counts sit at the top).
TEST_F(HUDINVENTORY, KeyListEverywhereButTheDeathmatchArena) {
  const auto anywhere = [](const std::string& text) {
    for (int y = 1; y <= UDT_Y; y++) {
      std::string row;
      for (int x = 1; x <= UDT_X; x++) row += static_cast<char>(EKRAN[y][x].SYMBOL);
      if (row.find(text) != std::string::npos) return true;
    }
    return false;
  };
  const std::string mark(1, static_cast<char>(168));
  struct CASE { BYTE map; bool listed; } cases[] = {{100, true}, {72, true}, {49, true},
                                                    {50, false}, {51, true}};
  STYLE(1);
  for (const CASE& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.map));
    mapnumber = c.map;
    keysheld = {1, 3};
    DRAW("    ", 0, RES{0, 0}, 0);
    EXPECT_EQ(anywhere("KEYS:"), c.listed);
    EXPECT_EQ(anywhere(mark + " Keyone"), c.listed);
    EXPECT_FALSE(anywhere("Keytwo")) << "a key not held is never listed";
    EXPECT_EQ(anywhere(mark + " Keythree"), c.listed);
  }
  keysheld.clear();
  DRAW("    ", 0, RES{0, 0}, 0);
  EXPECT_FALSE(anywhere(mark));
}

}  // namespace
