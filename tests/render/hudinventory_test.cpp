// What the player carries on the HUD, in both looks: four item slots with
// the chosen one bracketed, lumber, scrap and boot time, placed in the free
// rows between the weapon list and the health line.
#include <gtest/gtest.h>

#include "display/input.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "render/hud.h"
#include "render/messages.h"
#include "shell/engine.h"

namespace {

class HUDINVENTORY : public leveltest::LEVELFIXTURE {
 protected:
  // Draws the HUD of player 1 carrying INV with slot CHOSEN.
  void DRAW(const std::string& inv, BYTE chosen, RES res, BYTE boots) {
    LEVEL({"RRRRR", "RP  R", "RRRRR"});
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

}  // namespace
