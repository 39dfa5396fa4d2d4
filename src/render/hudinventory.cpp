// What the player carries, drawn in the free rows of the right-hand panel
// between the weapon list and the health line: the four item slots with the
// bound key of each and the chosen slot bracketed in the cycling highlight
// colour, then lumber, scrap and the boot time left.
#include "display/events.h"
#include "display/input.h"
#include "display/keynames.h"
#include "display/renderer.h"
#include "game/items.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "render/hud.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"
#include "base/settings.h"

namespace {
// Grid positions: slot s (1..4) shows its item at column SLOTCOLUMN(s) of
// row SLOTROW in the 45 x 25 grid, brackets on either side when chosen; the
// key labels sit on the fine (90 x 50) row above, the resources on the fine
// rows below.
constexpr int32_t SLOTROW = 16;
int32_t SLOTCOLUMN(int s) { return 32 + 3 * s; }
constexpr int32_t LABELROW = 30, RESROW = 35;

std::string ITEMKEYLABEL(int s) {
  return UPCASE(KEYNAME(KEYSTATUS[ITEM_1 + s - 1].KEY));
}

void DRAWSLOT(BYTE pn, int s) {
  const int32_t x = SLOTCOLUMN(s);
  const bool chosen = CHOSENITEM[pn] == s;
  const unsigned char item = s <= static_cast<int>(INVENTORY[pn].size())
                                 ? static_cast<unsigned char>(INVENTORY[pn][s - 1])
                                 : ' ';
  const std::string label = ITEMKEYLABEL(s);
  RENDERSTRING(2 * x - static_cast<int32_t>(label.size()) / 2, LABELROW, label,
               chosen ? CHOSENITEMCOLOR : 8, 0, 2, 100, chosen ? 100 : 60);
  if (chosen) {
    RENDERSTRING(x - 1, SLOTROW, "[", CHOSENITEMCOLOR, 0, 1, 100, 100);
    RENDERSTRING(x + 1, SLOTROW, "]", CHOSENITEMCOLOR, 0, 1, 100, 100);
  }
  if (item == ' ') {
    // An empty slot is a dim dot, so the four places always show.
    RENDERSTRING(x, SLOTROW, ".", 8, 0, 1, 100, 60);
    return;
  }
  BYTE color = 7;
  if (MODERN_VISUALS == 0) {
    IDENTIFYITEM(item);
    color = THINGCOLOR;
  }
  if (item == 'i') color = 14;
  RENDERCHARCODE(x, SLOTROW, ITEMGLYPH(item), color, 100, chosen ? 100 : 75, 0, -1, -1, 100,
                 true);
}
}  // namespace

void DRAWINVENTORYSLOTS(BYTE pn) {
  if (pn < 1 || pn > 2) return;
  for (int s = 1; s <= INVENTORYSLOTS; s++) DRAWSLOT(pn, s);
  const std::string lumber = "Lumber " + INTTOSTR(PLAYERRES[pn].LUMBER);
  const std::string scrap = "Scrap " + INTTOSTR(PLAYERRES[pn].SCRAP);
  RENDERSTRING(69, RESROW, lumber, 6, 0, 2, 100, 100);
  RENDERSTRING(81, RESROW, scrap, 7, 0, 2, 100, 100);
  if (BOOTTIME[pn] > 0)
    RENDERSTRING(69, RESROW + 1, "Boots " + INTTOSTR(BOOTTIME[pn]), 11, 0, 2, 100, 100);
}
