// Using inventory items and paying for crafting: the use key's action for
// the axe, the boat and the defib kit, and the lumber and scrap store.
#include <algorithm>

#include "display/input.h"
#include "display/renderer.h"
#include "game/items.h"
#include "game/particles.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {
constexpr unsigned char BARREL = 219;

// What the axe finds around the player. The last non-blank neighbour in scan
// order is the workbench: a barrel makes a torch, a tree of Anchar a boat,
// anything else leaves no room to work.
enum WORKBENCH : BYTE { NOBENCH = 0, TREEBENCH = 1, BARRELBENCH = 2 };

struct AXESCAN {
  int32_t MX = 0, MY = 0;  // last neighbour holding a monster
  bool MONSTER = false;
  int32_t FX = 0, FY = 0;  // last blank neighbour
  bool FREE = false;
  BYTE Q = NOBENCH;
};

AXESCAN SCANAROUND(BYTE player) {
  AXESCAN s;
  for (int32_t dx = -1; dx <= 1; dx++)
    for (int32_t dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      const int32_t x = PLAYERX[player] + dx, y = PLAYERY[player] + dy;
      const unsigned char c = VALID(x, y) ? MAP[x][y] : 255;
      if (c == 'M') {
        s.MONSTER = true;
        s.MX = x;
        s.MY = y;
      }
      if (c == ' ') {
        s.FREE = true;
        s.FX = x;
        s.FY = y;
        continue;
      }
      s.Q = NOBENCH;
      if (c == BARREL) s.Q = BARRELBENCH;
      if (c == 'T') s.Q = TREEBENCH;
    }
  return s;
}

// Empties slot IT and chooses the first item still carried.
void USEDUP(BYTE player, BYTE it) {
  DELETEINVENTORYITEM(player, it);
  CHOSENITEM[player] = INVENTORYBUSYSLOT(player);
}

// Places a crafted item on the free cell.
void PLACECRAFTED(int32_t x, int32_t y, unsigned char item, BYTE color) {
  MAP[x][y] = item;
  MFATTR[x][y] = color;
}

void USEAXE(BYTE player, BYTE it) {
  const AXESCAN s = SCANAROUND(player);
  if (s.MONSTER) {
    const uint16_t m = FINDMONSTER(s.MX, s.MY);
    if (m != 0) {
      if (MONSTERENERGY[m] > 0) {
        MONSTERENERGY[m] -= 200;
        INFORM(player, "You hit the monster with axe! It broke.", 12);
      }
      if (MONSTERENERGY[m] <= 0) PURGEMONSTER(s.MX, s.MY);
    }
    USEDUP(player, it);
    return;
  }
  if (s.Q == NOBENCH) {
    INFORM(player, "Need more space to work.", 12);
    return;
  }
  if (!s.FREE) return;
  if (s.Q == BARRELBENCH) {
    if (EATSCRAPLUMBER(player, REQ_TORCH)) {
      PLACECRAFTED(s.FX, s.FY, 'i', 14);
      INFORM(player, "Torch created.", 7);
    } else {
      INFORM(player, "Torch requires " + REQSTOENGLISH(REQ_TORCH) + ".", 12);
    }
    return;
  }
  if (EATSCRAPLUMBER(player, REQ_BOAT)) {
    IDENTIFYITEM('B');
    PLACECRAFTED(s.FX, s.FY, 'B', THINGCOLOR);
    INFORM(player, "Boat created.", 7);
  } else {
    INFORM(player, "Boat requires " + REQSTOENGLISH(REQ_BOAT) + ".", 12);
  }
}

// The boat carries the player along his facing direction over the water
// ahead to the first dry cell, when that cell is bare floor.
void USEBOAT(BYTE player, BYTE it) {
  const int32_t dx = LASTOFFSETX[player], dy = LASTOFFSETY[player];
  if (dx == 0 && dy == 0) return;
  int32_t x = PLAYERX[player] + dx, y = PLAYERY[player] + dy;
  if (!VALID(x, y) || MAP[x][y] != 'W') return;
  while (VALID(x, y) && MAP[x][y] == 'W') {
    ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 11);
    x += dx;
    y += dy;
  }
  if (!VALID(x, y) || MAP[x][y] != ' ') return;
  const bool respawnmode = DEATHMATCH() || SURVIVAL();
  if (respawnmode && std::string("123456789YH").find(static_cast<char>(STEPPEDON[player])) !=
                         std::string::npos) {
    STEPPEDON[player] = ' ';
    STEPPEDONC[player] = 8;
  }
  const int32_t ox = PLAYERX[player], oy = PLAYERY[player];
  if (VALID(ox, oy)) {
    MAP[ox][oy] = STEPPEDON[player];
    MFATTR[ox][oy] = STEPPEDONC[player];
  }
  PLAYERX_[player] = static_cast<BYTE>(ox);
  PLAYERY_[player] = static_cast<BYTE>(oy);
  PLAYERX[player] = static_cast<BYTE>(x);
  PLAYERY[player] = static_cast<BYTE>(y);
  const unsigned char under = MAP[x][y];
  if (NUMBEROFPLAYERS == 2 && KEEPUNDERPLAYER_TWO.find(static_cast<char>(under)) != std::string::npos) {
    STEPPEDON[player] = under;
    STEPPEDONC[player] = MFATTR[x][y];
  } else {
    STEPPEDON[player] = ' ';
    STEPPEDONC[player] = 8;
  }
  MAP[x][y] = 'P';
  MFATTR[x][y] = MODERN_VISUALS != 0 ? 7 : PLAYERCOLOR[player];
  USEDUP(player, it);
}

// The defib kit brings the other player back when he lies dead close by.
void USEDEFIB(BYTE player, BYTE it) {
  const BYTE other = static_cast<BYTE>(3 - player);
  if (!DEAD[other]) return;
  if (DISTANCE(PLAYERX[player], PLAYERY[player], PLAYERX[other], PLAYERY[other]) >= 3) return;
  DEAD[other] = false;
  PLAYERHEALTH[other] = 100.0;
  STARTSOUND1(59, 59, false);
  USEDUP(player, it);
}
}  // namespace

void USEITEM(BYTE player, BYTE it) {
  if (player < 1 || player > 2 || it < 1 || it > INVENTORYSLOTS) return;
  if (LASTUSE[player]) return;
  // INVENTORYBUSYSLOT keeps the slot string four characters long.
  if (INVENTORYBUSYSLOT(player) == 0) return;
  const unsigned char item = static_cast<unsigned char>(INVENTORY[player][it - 1]);
  switch (item) {
    case '@': USEDEFIB(player, it); break;
    case 'A': USEAXE(player, it); break;
    case 'B': USEBOAT(player, it); break;
    default: break;  // the serum and the torch do their work without the use key
  }
}

void ABSORBGATHEREDRESOURCES(BYTE pn, RES rs) {
  if (pn < 1 || pn > 2) return;
  RES& r = PLAYERRES[pn];
  // The sum is kept inside the 16-bit fields before the cap applies.
  if (r.LUMBER + rs.LUMBER > 65000) rs.LUMBER = static_cast<uint16_t>(65000 - std::min<int>(r.LUMBER, 65000));
  if (r.SCRAP + rs.SCRAP > 65000) rs.SCRAP = static_cast<uint16_t>(65000 - std::min<int>(r.SCRAP, 65000));
  r.LUMBER = static_cast<uint16_t>(std::min<int>(r.LUMBER + rs.LUMBER, MAXRESOURCE));
  r.SCRAP = static_cast<uint16_t>(std::min<int>(r.SCRAP + rs.SCRAP, MAXRESOURCE));
}

bool EATSCRAPLUMBER(BYTE p, int32_t scrap, int32_t lumber) {
  if (p < 1 || p > 2 || scrap < 0 || lumber < 0) return false;
  RES& r = PLAYERRES[p];
  if (r.SCRAP < scrap || r.LUMBER < lumber) return false;
  r.SCRAP = static_cast<uint16_t>(r.SCRAP - scrap);
  r.LUMBER = static_cast<uint16_t>(r.LUMBER - lumber);
  return true;
}

bool EATSCRAPLUMBER(BYTE p, RES cost) { return EATSCRAPLUMBER(p, cost.SCRAP, cost.LUMBER); }

std::string REQSTOENGLISH(RES r) {
  std::string s;
  if (r.SCRAP > 0) s = INTTOSTR(r.SCRAP) + " scrap";
  if (r.LUMBER > 0) {
    if (!s.empty()) s += " and ";
    s += INTTOSTR(r.LUMBER) + " lumber";
  }
  return s;
}
