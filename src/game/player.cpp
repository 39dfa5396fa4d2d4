#include "game/player.h"

#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/items.h"
#include "game/pickups.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "base/random.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"
#include "render/hud.h"
#include "shell/engine.h"

double ARMOR[3];
unsigned char STEPPEDON[3] = {' ', ' ', ' '};
BYTE STEPPEDONC[3] = {8, 8, 8};
BYTE STEPCOUNTER[3];
BYTE BOOTTIME[3];
BYTE PLAYERCOLOR[3] = {0, 10, 11};
bool SHAKE[3];
BYTE DEATHS[3];
BYTE RESPAWNSOUND = 0;

const std::string KEEPUNDERPLAYER_ONE = "VHY";
const std::string KEEPUNDERPLAYER_TWO = "1234567890HVY%";
const std::string RESPAWNINGPICKUPS = "123456789HY";

namespace {
bool VALIDPLAYER(BYTE p) { return p == 1 || p == 2; }

bool INSTR(const std::string& set, unsigned char c) {
  return set.find(static_cast<char>(c)) != std::string::npos;
}

// Distance from my player to player P.
double DISTANCETOME(BYTE p) {
  return DISTANCE(PLAYERX[MYNUMBER], PLAYERY[MYNUMBER], PLAYERX[p], PLAYERY[p]);
}

// The sound rule of pickups: my player within 15 cells, or two players
// sharing this machine.
bool NEARORSHARED(BYTE p) {
  return DISTANCETOME(p) < 15 || (!LINKACTIVE && NUMBEROFPLAYERS == 2);
}

bool RESPAWNMODE() { return DEATHMATCH() || SURVIVAL(); }

// Campaign mark: player P took entry W already.
bool TAKENBY(int32_t w, BYTE p) {
  return w > 0 && (WEAPONCOUNTER[w] == p || WEAPONCOUNTER[w] == 3);
}

void MARKTAKEN(int32_t w, BYTE p) {
  if (w > 0 && WEAPONCOUNTER[w] != p && WEAPONCOUNTER[w] != 3)
    WEAPONCOUNTER[w] = static_cast<BYTE>(WEAPONCOUNTER[w] + p);
}

void STARTRESPAWN(int32_t w) {
  if (w > 0) WEAPONCOUNTER[w] = 255;
}

// The look of a pickup taken in the campaign: dimmed in the taker's view,
// gone altogether when nobody else can take it.
void CAMPAIGNTAKENLOOK(BYTE p, BYTE x, BYTE y) {
  if (p == MYNUMBER) MFATTR[x][y] = 8;
  if (NUMBEROFPLAYERS == 1) MAP[x][y] = ' ';
}

struct AMMOPICKUP {
  unsigned char GLYPH;
  int32_t ADD[10];  // per weapon 1..9 (partner pools are listed explicitly)
  const char* TEXT;
};

// Ammunition glyphs and what each adds; pools shared by two weapons get the
// amount through ADDAMMO, so only one member of a pair is listed.
const AMMOPICKUP AMMOPICKUPS[] = {
    {186, {0, 0, 10, 0, 0, 0, 0, 0, 0, 0}, "Picked up shotgun clip."},
    {210, {0, 0, 4, 0, 0, 0, 0, 0, 0, 0}, "Picked up some shotgun shells."},
    {240, {0, 0, 0, 0, 50, 0, 0, 0, 0, 0}, "Picked up chaingun magazine."},
    {239, {0, 0, 0, 0, 20, 0, 0, 0, 0, 0}, "Picked up some chaingun bullets."},
    {158, {0, 0, 10, 0, 50, 3, 100, 0, 40, 0}, "Picked up a backpack with ammo!."},
    {220, {0, 0, 0, 0, 0, 5, 0, 0, 0, 0}, "Picked up a box of rockets."},
    {156, {0, 0, 0, 0, 0, 2, 0, 0, 0, 0}, "Picked up a couple of rockets."},
    {236, {0, 0, 0, 0, 0, 0, 0, 0, 40, 0}, "Picked up a plasma charge."},
    {157, {0, 0, 0, 0, 0, 0, 100, 0, 0, 0}, "Picked up a can of flame cocktail."},
};

const AMMOPICKUP* FINDAMMOPICKUP(unsigned char c) {
  for (const AMMOPICKUP& a : AMMOPICKUPS)
    if (a.GLYPH == c) return &a;
  return nullptr;
}

bool TAKEAMMO(BYTE p, const AMMOPICKUP& a) {
  for (int w = 1; w <= NUMWEAPONTYPES; w++)
    if (a.ADD[w] != 0) ADDAMMO(p, w, a.ADD[w]);
  CHECKAMMO(p);
  INFORM(p, a.TEXT, 10);
  if (DISTANCETOME(p) < 15) {
    STARTSOUND1(11, 255, false);
    if (a.GLYPH == 158) {
      STARTSOUND1(11, 254, false);
      STARTSOUND1(11, 253, false);
    }
  }
  return true;
}

bool ENTERTANK(BYTE p, BYTE x, BYTE y) {
  BYTE t = WHATTANK(x, y);
  if (t == 0) return false;
  BYTE o = static_cast<BYTE>(3 - p);
  if (INTANK[o] == t && PERMISSION[o] != 1) return false;
  if (TANKFIRST[t] == 0) TANKFIRST[t] = p;
  INTANK[p] = t;
  SHOWCURSOR[p] = false;
  if (NEARORSHARED(p)) STARTSOUND1(51, static_cast<BYTE>(202 + p), false);
  // The player does not step onto the tank; the step then leaves the old
  // cell (see MOVEPLAYER) and the tank rules carry the player from now on.
  return false;
}

bool TAKEHEALTH(BYTE p, BYTE x, BYTE y) {
  int32_t w = FINDPICKUP(x, y);
  if (RESPAWNMODE()) {
    STARTRESPAWN(w);
    if (PLAYERHEALTH[p] >= 100) return false;
    PLAYERHEALTH[p] = std::min(100.0, PLAYERHEALTH[p] + 25);
    INFORM(p, "Picked up health .", 10);
    if (NEARORSHARED(p)) STARTSOUND1(10, 10, false);
    if (p == MYNUMBER) MFATTR[x][y] = 8;
    return true;
  }
  if (TAKENBY(w, p)) return true;
  if (PLAYERHEALTH[p] < 100) {
    PLAYERHEALTH[p] = std::min(100.0, PLAYERHEALTH[p] + 25);
    INFORM(p, "You feel better.", 10);
    if (NEARORSHARED(p)) STARTSOUND1(10, 10, false);
    MARKTAKEN(w, p);
    CAMPAIGNTAKENLOOK(p, x, y);
  }
  return true;
}

bool TAKEARMOR(BYTE p, BYTE x, BYTE y) {
  int32_t w = FINDPICKUP(x, y);
  // Red armour is listed as '.'; an unlisted armour cell counts as yellow.
  double strength = (w > 0 && WEAPONTYPE[w] != 'Y') ? 200 : 100;
  auto announce = [&]() {
    INFORM(p, "Picked up standard armor.", 10);
    if (p == MYNUMBER) STARTSOUND1(92, 92, false);
    if (NEARORSHARED(p)) STARTSOUND1(10, 10, false);
  };
  if (RESPAWNMODE()) {
    STARTRESPAWN(w);
    if (ARMOR[p] >= strength) return false;
    ARMOR[p] = strength;
    announce();
    if (p == MYNUMBER) MFATTR[x][y] = 8;
    return true;
  }
  if (TAKENBY(w, p)) return true;
  if (ARMOR[p] < strength) {
    ARMOR[p] = strength;
    if (PLAYERHEALTH[p] > 100) PLAYERHEALTH[p] = 100;
    announce();
    MARKTAKEN(w, p);
    CAMPAIGNTAKENLOOK(p, x, y);
  }
  return true;
}

bool TAKEWEAPON(BYTE p, BYTE x, BYTE y, unsigned char c) {
  int32_t w = FINDPICKUP(x, y);
  // An unlisted weapon (the list was full) is granted without a mark or message.
  if (w == 0) {
    ADDWEAPON(p, c);
    return true;
  }
  if (RESPAWNMODE()) {
    WEAPONCOUNTER[w] = 255;
  } else {
    if (TAKENBY(w, p)) return true;
    MARKTAKEN(w, p);
  }
  ADDWEAPON(p, c);
  INFORM(p, "Picked up " + IDENTIFYITEM(c), 10);
  return true;
}

bool TAKEITEM(BYTE p, BYTE x, BYTE y, unsigned char c) {
  std::string name = IDENTIFYITEM(c);
  BYTE f = INVENTORYFREESLOT(p);
  if (f > 0) {
    MAP[x][y] = ' ';
    MFATTR[x][y] = 8;
  } else {
    // A full inventory swaps slot 1 for the new item, dropping it where the
    // player stands; on a cell that is not bare floor there is nowhere to drop
    // it, so the item stays and blocks.
    if (STEPPEDON[p] != ' ') {
      INFORM(p, "Inventory full.", 12);
      return false;
    }
    INFORM(p, "Picked " + name + "! ", 10);
    STEPPEDON[p] = static_cast<unsigned char>(INVENTORY[p][0]);
    IDENTIFYITEM(STEPPEDON[p]);
    STEPPEDONC[p] = THINGCOLOR;
    MAP[x][y] = ' ';
    MFATTR[x][y] = 8;
    INFORM(p, "Picked " + name + ". ", 10);
    INVENTORY[p] = INVENTORY[p].substr(1) + " ";
    if (CHOSENITEM[p] > 1) CHOSENITEM[p]--;
    else CHOSENITEM[p] = 1;
    f = 4;
  }
  INVENTORY[p][f - 1] = static_cast<char>(c);
  INFORM(p, "Picked " + name + "! ", 10);
  if (CHOSENITEM[p] == 0) CHOSENITEM[p] = f;
  return true;
}
}  // namespace

int32_t FINDPICKUP(int32_t x, int32_t y) {
  int32_t found = 0;
  for (int32_t i = 1; i <= NUMBEROFWEAPONS && i <= MAX_PICKUPS; i++)
    if (WEAPONX[i] == x && WEAPONY[i] == y) found = i;
  return found;
}

void RESETPLAYERSFORMAP() {
  for (int p = 1; p <= 2; p++) {
    PLAYERCOLOR[p] = ORIGINALPLAYERCOLOR[p];
    DEAD[p] = false;
    SIT[p] = false;
    STEPPEDON[p] = ' ';
    STEPPEDONC[p] = 8;
    SHAKE[p] = false;
    DEATHS[p] = 0;
    INTANK[p] = 0;
    // Every player starts the level on foot, aiming with the fire cursor.
    SHOWCURSOR[p] = true;
    LASTHEALTH[p] = PLAYERHEALTH[p];  // no hurt sound for what happened before the map
  }
  RESPAWNSOUND = 0;
  RESETCRAFTINGCOSTS();
}

bool CANWALKHERE(BYTE player, BYTE x, BYTE y) {
  if (!VALIDPLAYER(player) || !VALID(x, y)) return false;
  const BYTE p = player;
  const unsigned char c = WHATISIT(x, y);
  if (c == '%') {
    BYTE k = MDAMAGE[x][y];
    if (k >= 1 && k <= 10) KEYS[p][k] = true;
    if (p == MYNUMBER) STARTSOUND1(91, 91, false);
    return true;
  }
  if (c == 'o' || c == 'O') {
    HURTPLAYER(p, 5);
    return true;
  }
  if (c == 'V') {
    if (BOOTTIME[p] > 0) {
      BOOTTIME[p]--;
      if (BOOTTIME[p] == 0)
        DISPLAYSTRING("          ", static_cast<BYTE>((p - 1) * 25 + 38), 18, 10);
    } else {
      HURTPLAYER(p, 5);
    }
    return true;
  }
  if (const AMMOPICKUP* a = FINDAMMOPICKUP(c)) return TAKEAMMO(p, *a);
  if (c == 177) return ENTERTANK(p, x, y);
  if (c == '$') {
    EXPLODEMINE(x, y);
    return true;
  }
  if (c == 'H') return TAKEHEALTH(p, x, y);
  if (c == 'Y') return TAKEARMOR(p, x, y);
  if (c >= '1' && c <= '9') return TAKEWEAPON(p, x, y, c);
  if (INSTR(USEABLEITEMS, c)) {
    if (c == 'K') {
      if (BOOTTIME[p] >= 205) return false;
      BOOTTIME[p] = static_cast<BYTE>(BOOTTIME[p] + 25);
      REDRAWBOOTTIME(p, p);
      return true;
    }
    return TAKEITEM(p, x, y, c);
  }
  return false;
}

void MOVEPLAYER(BYTE p) {
  if (!VALIDPLAYER(p) || INTANK[p] != 0) return;
  if (!DEAD[p]) {
    const int32_t cx = PLAYERX[p], cy = PLAYERY[p];
    int32_t wx = cx + OFFSETX[p], wy = cy + OFFSETY[p];
    if (wx < 1 || wx > 160 || wy < 1 || wy > 100) {
      wx = cx;
      wy = cy;
    }
    // Standing still asks nothing of the cell underfoot: a tank that has
    // rolled onto the player crushes him below instead of taking him in.
    if ((wx != cx || wy != cy) && MAP[wx][wy] != ' ' &&
        !CANWALKHERE(p, static_cast<BYTE>(wx), static_cast<BYTE>(wy))) {
      wx = cx;
      wy = cy;
    }
    if (INTANK[p] != 0) {
      // Entered a tank: the cell is left with what lay under the player and
      // no player glyph stays behind.
      if (VALID(cx, cy)) {
        MAP[cx][cy] = STEPPEDON[p];
        MFATTR[cx][cy] = STEPPEDONC[p];
      }
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
      return;
    }
    if (wx != cx || wy != cy) {
      BYTE it = CHOSENITEM[p];
      if (it >= 1 && it <= INVENTORY[p].size() && INVENTORY[p][it - 1] == 'i') {
        if (PLAYERRES[p].LUMBER > 0) PLAYERRES[p].LUMBER--;
        if (PLAYERRES[p].LUMBER == 0) {
          DELETEINVENTORYITEM(p, it);
          INFORM(p, "Torch fizzled out.", 14);
        }
      }
      STEPCOUNTER[p]++;
      if (STEPCOUNTER[p] == 5 || STEPCOUNTER[p] == 10) MAKESTEPSOUND(p);
      if (STEPCOUNTER[p] >= 10) STEPCOUNTER[p] = 0;
    }
    if (VALID(cx, cy) && WHATISIT(cx, cy) == 177) {
      // A tank has rolled onto the player.
      PLAYERHEALTH[p] = 0;
      BYTE t = WHATTANK(cx, cy);
      if (t != 0) {
        if (TANKHEALTH[t] > 30) TANKHEALTH[t] = static_cast<BYTE>(TANKHEALTH[t] - 30);
        else PURGETANK(t);
      }
    }
    if (RESPAWNMODE() && INSTR(RESPAWNINGPICKUPS, STEPPEDON[p])) {
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
    }
    if (VALID(cx, cy)) {
      MAP[cx][cy] = STEPPEDON[p];
      MFATTR[cx][cy] = STEPPEDONC[p];
    }
    PLAYERX_[p] = static_cast<BYTE>(cx);
    PLAYERY_[p] = static_cast<BYTE>(cy);
    PLAYERX[p] = static_cast<BYTE>(wx);
    PLAYERY[p] = static_cast<BYTE>(wy);
    const unsigned char under = MAP[wx][wy];
    const std::string& keep = NUMBEROFPLAYERS == 2 ? KEEPUNDERPLAYER_TWO : KEEPUNDERPLAYER_ONE;
    if (INSTR(keep, under)) {
      STEPPEDON[p] = under;
      STEPPEDONC[p] = MFATTR[wx][wy];
    } else {
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
    }
    MAP[wx][wy] = SIT[p] ? 'p' : 'P';
    PLAYERCOLOR[p] = ORIGINALPLAYERCOLOR[p];
    if (PLAYERHEALTH[p] < 65) PLAYERCOLOR[p] = 12;
    if (PLAYERHEALTH[p] < 35) PLAYERCOLOR[p] = 4;
    MFATTR[wx][wy] = MODERN_VISUALS != 0 ? 7 : PLAYERCOLOR[p];
    const int32_t row = MAPSIZEY + 1 - wy;
    if (row >= 1 && row <= 100) MLIGHT[wx][row] = 128;
  }
  if (USE[p] && !LASTUSE[p] && VALID(PLAYERX[p] + OFFSETX[p], PLAYERY[p] + OFFSETY[p]))
    USEITEM(p, CHOSENITEM[p]);
}

void HURTPLAYER(BYTE pn, double hurt) {
  if (!VALIDPLAYER(pn) || hurt <= 0) return;
  double r = hurt;
  if (ARMOR[pn] > 0) r = (hurt + 0.0001) / (ARMOR[pn] * 2 / 100);
  ARMOR[pn] = std::max(0.0, ARMOR[pn] - r);
  PLAYERHEALTH[pn] = std::max(0.0, PLAYERHEALTH[pn] - r);
}

void MAKESTEPSOUND(BYTE player) {
  if (!VALIDPLAYER(player) || DISTANCETOME(player) >= 15) return;
  const bool small = RETURNROOMSIZE(PLAYERX[player], PLAYERY[player]) <= 320;
  const BYTE ref = static_cast<BYTE>(200 + player);
  if (STEPCOUNTER[player] == 5) STARTSOUND1(small ? 52 : 54, ref, false);
  if (STEPCOUNTER[player] == 10) STARTSOUND1(small ? 53 : 55, ref, false);
}

BYTE WHICHPLAYER(int32_t cx, int32_t cy) {
  BYTE r = 0;
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    if (PLAYERX[p] == cx && PLAYERY[p] == cy) r = p;
  return r;
}

bool PLAYERACTIVE() { return PORT60[MYNUMBER] != 0 || MOUSEEMULATOR() >= 10; }

bool ALLOWWORLDHOSTILITY() { return LINKACTIVE || PAUSESTATE == 0; }

bool PLAYERBETWEEN(BYTE pn, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!VALIDPLAYER(pn)) return false;
  const int32_t x = PLAYERX[pn], y = PLAYERY[pn];
  return x1 <= x && x <= x2 && 101 - y2 <= y && y <= 101 - y1;
}

void MANAGEWEAPONS() {
  if (!RESPAWNMODE()) return;
  RESPAWNSOUND = 0;
  for (int32_t i = 1; i <= NUMBEROFWEAPONS && i <= MAX_PICKUPS; i++) {
    if (WEAPONCOUNTER[i] == 0) continue;
    WEAPONCOUNTER[i]--;
    if (WEAPONCOUNTER[i] != 1) continue;
    const BYTE x = WEAPONX[i], y = WEAPONY[i];
    if (!VALID(x, y)) continue;
    unsigned char glyph = WEAPONTYPE[i];
    BYTE attr = 14;
    if (glyph == 'H') attr = NEW_ITEMS == 1 ? 7 : 1;
    if (glyph == 'Y') attr = 11;
    if (glyph == '.') {
      attr = 12;
      glyph = 'Y';
    }
    // Something standing on the spot (a player, a monster) is never
    // overwritten: the item waits for the next count.
    if (MAP[x][y] != ' ' && MAP[x][y] != glyph) {
      WEAPONCOUNTER[i] = 2;
      continue;
    }
    MAP[x][y] = glyph;
    MFATTR[x][y] = attr;
    ADDBLINK(x, y, 1, 11);
    if (DISTANCE(x, y, PLAYERX[1], PLAYERY[1]) < 16) RESPAWNSOUND |= 1;
    if (NUMBEROFPLAYERS == 2 && DISTANCE(x, y, PLAYERX[2], PLAYERY[2]) < 16) RESPAWNSOUND |= 2;
  }
}

void RESETWEAPONSTATUSFORPLAYER(BYTE p) {
  if (!VALIDPLAYER(p)) return;
  for (int32_t i = 1; i <= NUMBEROFWEAPONS && i <= MAX_PICKUPS; i++)
    if (WEAPONCOUNTER[i] == p || WEAPONCOUNTER[i] == 3)
      WEAPONCOUNTER[i] = static_cast<BYTE>(WEAPONCOUNTER[i] - p);
}
