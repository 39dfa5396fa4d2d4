#include "game/items.h"

#include "game/playerstate.h"
#include "base/random.h"
#include "base/settings.h"

std::string USEABLEITEMS = "ABK@i";
BYTE THINGCOLOR = 0;

namespace {
// Colour 7 in the new item style, else the classic colour.
BYTE newOr(BYTE classic) { return NEW_ITEMS == 1 ? 7 : classic; }
}  // namespace

std::string IDENTIFYITEM(unsigned char item) {
  switch (item) {
    case ' ': THINGCOLOR = 8; return "Nothing";
    case '"': THINGCOLOR = 7; return "Rock";
    case '$': THINGCOLOR = newOr(3); return "Landmine";
    case '.': THINGCOLOR = 12; return "Red armor";
    case '0': THINGCOLOR = 7; return "Rock";
    case '1': THINGCOLOR = 14; return "Scrap gun";
    case '2': THINGCOLOR = 14; return "Range Shotgun";
    case '3': THINGCOLOR = 14; return "Power Shotgun";
    case '4': THINGCOLOR = 14; return "Chaingun";
    case '5': THINGCOLOR = 14; return "RLauncher";
    case '6': THINGCOLOR = 14; return "Flame thrower";
    case '7': THINGCOLOR = 14; return "NRG - 8000";
    case '8': THINGCOLOR = 14; return "Plasma gun";
    case '9': THINGCOLOR = 14; return "Minigun";
    case '@': THINGCOLOR = 11; return "Defib kit";
    case 'A': THINGCOLOR = newOr(4); return "Bionic Axe";
    case 'B': THINGCOLOR = newOr(3); return "Boat";
    case 'D': THINGCOLOR = 2; return "Monster - Eraser";
    case 'F': THINGCOLOR = 14; return "Rock";
    case 'G': THINGCOLOR = newOr(2); return "Barrel";
    case 'H': THINGCOLOR = newOr(9); return "Health";
    case 'I': THINGCOLOR = 8; return "Monster - stealth";
    case 'J': return "Monster - Medic";
    case 'K': THINGCOLOR = newOr(3); return "Zarnov's serum";
    case 'M': THINGCOLOR = 12; return "Monster - grunt";
    case 'N': THINGCOLOR = 5; return "Monster - advanced prototype";
    case 'O': THINGCOLOR = 3; return "Helper";
    case 'P': THINGCOLOR = 10; return "Player";
    case 'R': THINGCOLOR = 7; return "Rock";
    case 'S': THINGCOLOR = 5; return "Monster - Smart Boss";
    case 'T': THINGCOLOR = newOr(2); return "Tree of Anchar";
    case 'U': return "Monster - friend";
    // The classic look's mottled water is this machine's own: its draws never
    // move the generator linked games share (the other may play the modern look).
    case 'V': THINGCOLOR = NEW_ITEMS == 1 ? 7 : static_cast<BYTE>(6 + 2 * randomLook(2)); return "Sewers";
    case 'W': THINGCOLOR = NEW_ITEMS == 1 ? 7 : static_cast<BYTE>(1 + 8 * randomLook(2)); return "Water";
    case 'X': THINGCOLOR = 13; return "Monster - T-1000";
    case 'Y': THINGCOLOR = 3; return "Yellow armor";
    case 'Z': THINGCOLOR = 10; return "Monster - soldier";
    case 'i': return "Torch";
    // Symbols with a colour but no name.
    case '%': THINGCOLOR = 14; break;
    case '&': THINGCOLOR = 2; break;
    case '#': THINGCOLOR = 4; break;
    case '[': THINGCOLOR = 6; break;
    case ']': THINGCOLOR = 14; break;
    case '{': THINGCOLOR = 7; break;
    case '}': THINGCOLOR = 11; break;
    case '?': THINGCOLOR = newOr(12); break;
    case '+': THINGCOLOR = newOr(10); break;
    case ',': THINGCOLOR = 6; break;
    case ':': THINGCOLOR = 8; break;
    case '<': THINGCOLOR = 7; break;
    case '>': THINGCOLOR = 7; break;
    case 176: THINGCOLOR = 11; break;
    case 177: THINGCOLOR = 8; break;
    case 178: THINGCOLOR = 137; break;
    default: break;
  }
  return "something";
}

RES REQ_BOAT, REQ_TORCH, REQ_AMMOUPGRADE, REQ_TANKREPAIR;

namespace {
// A slot string that lost its shape (an old save, a bad load) is brought back
// to four slots so that no slot index runs past it.
std::string& SLOTS(BYTE player) {
  std::string& s = INVENTORY[player];
  if (s.size() != INVENTORYSLOTS) s = (s + "    ").substr(0, INVENTORYSLOTS);
  return s;
}
}  // namespace

BYTE INVENTORYFREESLOT(BYTE player) {
  if (player < 1 || player > 2) return 0;
  const std::string& s = SLOTS(player);
  for (int i = 1; i <= INVENTORYSLOTS; i++)
    if (s[i - 1] == ' ') return static_cast<BYTE>(i);
  return 0;
}

BYTE INVENTORYBUSYSLOT(BYTE player) {
  if (player < 1 || player > 2) return 0;
  const std::string& s = SLOTS(player);
  for (int i = 1; i <= INVENTORYSLOTS; i++)
    if (s[i - 1] != ' ') return static_cast<BYTE>(i);
  return 0;
}

void DELETEINVENTORYITEM(BYTE player, BYTE it) {
  if (player < 1 || player > 2 || it < 1 || it > INVENTORYSLOTS) return;
  SLOTS(player)[it - 1] = ' ';
}

void RESETCRAFTINGCOSTS() {
  REQ_BOAT = RES{50, 50};
  REQ_TORCH = RES{75, 0};
  REQ_AMMOUPGRADE = RES{0, 50};
  REQ_TANKREPAIR = RES{0, 50};
}
