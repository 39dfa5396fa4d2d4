#include "game/weapons.h"

#include <cmath>

#include "display/renderer.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/tanks.h"
#include "render/los.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

const std::string WEAPONNAME[NUMWEAPONTYPES + 1] = {
    "",        "Scrap gun", "Range Shotgun", "Power Shotgun", "Chaingun", "Rocket launcher",
    "Flame",   "NRG - 8000", "Plasma rifle", "Mini Gun"};
const uint16_t INITIALAMMOCOMESWITHWEAPON[NUMWEAPONTYPES + 1] = {0,   1,  20, 20, 50,
                                                                 5,   150, 80, 40, 200};
const BYTE AMMOPARTNER[NUMWEAPONTYPES + 1] = {0, 0, 3, 2, 9, 0, 0, 8, 7, 4};

int32_t WEAPONAMMO[3][NUMWEAPONTYPES + 1];
BYTE HAVEWEAPONS[3];
int32_t CHAINGUNOFFSETX[3], CHAINGUNOFFSETY[3];
int32_t MINIOFFSETX[3], MINIOFFSETY[3];
int32_t FLAMEGUNOFFSETX[3], FLAMEGUNOFFSETY[3];
BYTE PISTOLTIMER[3], SHOTGUNTIMER[3], DSHOTGUNTIMER[3], CHAINGUNTIMER[3];
BYTE RLAUNCHERTIMER[3], FLAMEGUNTIMER[3], PLASMATIMER[3], RAILGUNTIMER[3];
BYTE MINITIMER[3], LANDMINETIMER[3];
bool WEAPONFLASH[3];
bool DCHAINGUN[3], HAVEDCHAINGUN[3], DLAUNCHER[3], HAVEDLAUNCHER[3];
BYTE CHOSENWEAPONBACKUP = 0;
BYTE TOUCHX[4], TOUCHY[4];
unsigned char TOUCHCHAR[4];


namespace {
bool VALIDPLAYER(BYTE p) { return p == 1 || p == 2; }

bool NEARSOUND(BYTE p) { return NEAREVENT(PLAYERX[p], PLAYERY[p]); }
}  // namespace

bool NEAREVENT(int32_t x, int32_t y) {
  if (!LINKACTIVE && NUMBEROFPLAYERS == 2) return true;
  const BYTE me = MYNUMBER == 2 ? 2 : 1;
  return DISTANCE(PLAYERX[me], PLAYERY[me], x, y) < 15;
}

void WEAPONSOUND(BYTE p, uint16_t slot) {
  if (!VALIDPLAYER(p) || !NEARSOUND(p)) return;
  if (SOUNDPLAYING1(p)) STOPSOUND1(p);
  STARTSOUND1(slot, p, false);
}

void SETRECOIL(BYTE pn, int32_t dirx, int32_t diry, double strength) {
  if (pn != MYNUMBER) return;
  TOFFX = -dirx * strength;
  TOFFY = diry * strength;
  if (dirx != 0 && diry != 0) {
    TOFFX /= std::sqrt(2.0);
    TOFFY /= std::sqrt(2.0);
  }
}

void RETURNTOUCHPOINT(BYTE p) {
  if (!VALIDPLAYER(p)) return;
  const int32_t dx = FIREOFFSETX[p], dy = FIREOFFSETY[p];
  int32_t x = PLAYERX[p], y = PLAYERY[p];
  // Without a direction the trace stops where it starts.
  if (dx != 0 || dy != 0) {
    for (;;) {
      x += dx;
      y += dy;
      if (!VALID(x, y)) break;
      const unsigned char c = MAP[x][y];
      if (c != ' ' && c != '-' && c != '\\' && c != '|' && c != '/' && c != 177 && c != 'o' &&
          c != 'O')
        break;
    }
  }
  TOUCHX[p] = static_cast<BYTE>(x < 0 ? 0 : x > 255 ? 255 : x);
  TOUCHY[p] = static_cast<BYTE>(y < 0 ? 0 : y > 255 ? 255 : y);
  TOUCHCHAR[p] = WHATISIT(x, y);
}

void HITTANKAT(int32_t x, int32_t y, BYTE damage) {
  const BYTE t = WHATTANK(x, y);
  if (t == 0) return;
  if (TANKHEALTH[t] < 41) {
    PURGETANK(t);
  } else {
    TANKHEALTH[t] = static_cast<BYTE>(TANKHEALTH[t] > damage ? TANKHEALTH[t] - damage : 0);
  }
}

bool KNOCKMONSTER(uint16_t m, int32_t dx, int32_t dy) {
  if (m < 1 || m > NUMBEROFMONSTERS) return false;
  const int32_t x = MONSTERX[m], y = MONSTERY[m];
  const int32_t nx = x + dx, ny = y + dy;
  if (!VALID(x, y) || !VALID(nx, ny) || MAP[nx][ny] != ' ') return false;
  const BYTE attr = MFATTR[x][y];
  MAP[x][y] = ' ';
  MFATTR[x][y] = DARKGRAY;
  MAP[nx][ny] = 'M';
  MFATTR[nx][ny] = attr;
  MONSTERX[m] = MONSTERX_[m] = static_cast<BYTE>(nx);
  MONSTERY[m] = MONSTERY_[m] = static_cast<BYTE>(ny);
  return true;
}

void KILLMONSTER(uint16_t m, int32_t x, int32_t y) {
  if (m < 1 || m > NUMBEROFMONSTERS) return;
  PURGEMONSTER2(m);
  if (NEAREVENT(x, y)) DEATHSOUND();
}

int32_t FALLOFFDAMAGE(double d, double full) {
  if (d >= 78) return 0;
  const int64_t v = ROUNDEVEN((1 - d / 78) * full);
  return v < 0 ? 0 : static_cast<int32_t>(v);
}

void TAKEAMMO(BYTE player, int w, int32_t n) {
  if (CHEAT) return;
  ADDAMMO(player, w, -n);
}

void CLEARWEAPONSONDEATH(BYTE player) {
  if (!VALIDPLAYER(player)) return;
  const BYTE w = CHOSENWEAPON[player];
  const BYTE x = PLAYERX[player], y = PLAYERY[player];
  if (DEATHMATCH() && w >= 1 && w <= NUMWEAPONTYPES && VALID(x, y)) {
    MAP[x][y] = static_cast<unsigned char>(WEAPONS[w - 1]);
    MFATTR[x][y] = YELLOW;
  }
  RESETWEAPONS(player);
}

void CHECKAMMO(BYTE player) {
  if (!VALIDPLAYER(player)) return;
  for (int w = 1; w <= NUMWEAPONTYPES; w++) {
    if (WEAPONAMMO[player][w] > MAXAMMO) WEAPONAMMO[player][w] = MAXAMMO;
    if (WEAPONAMMO[player][w] < 0) WEAPONAMMO[player][w] = 0;
  }
}

void ADDAMMO(BYTE player, int w, int32_t amount) {
  if (!VALIDPLAYER(player) || w < 1 || w > NUMWEAPONTYPES) return;
  // Pools are capped before adding, so the sum cannot overflow.
  WEAPONAMMO[player][w] += amount;
  if (AMMOPARTNER[w] != 0) WEAPONAMMO[player][AMMOPARTNER[w]] += amount;
  CHECKAMMO(player);
}

void ADDWEAPON(BYTE player, unsigned char w) {
  if (!VALIDPLAYER(player) || w < '1' || w > '9') return;
  int n = w - '0';
  if (!DEATHMATCH() && !SURVIVAL() && WEAPONPRESENT[player][n]) {
    if (!LINKACTIVE || NEARSOUND(player)) STARTSOUND1(11, 11, false);
    return;
  }
  ADDAMMO(player, n, INITIALAMMOCOMESWITHWEAPON[n]);
  if (NEARSOUND(player)) STARTSOUND1(static_cast<uint16_t>(65 + n), 250, false);
  WEAPONPRESENT[player][n] = true;
  if (HAVEWEAPONS[player] < 255) HAVEWEAPONS[player]++;
  if (n != 1 && player == MYNUMBER) STARTSOUND1(90, 90, false);
  if (CHOSENWEAPON[player] < n) CHOSENWEAPON[player] = static_cast<BYTE>(n);
}

void RESETWEAPONS(BYTE player) {
  if (!VALIDPLAYER(player)) return;
  for (int w = 1; w <= NUMWEAPONTYPES; w++) {
    WEAPONAMMO[player][w] = 0;
    WEAPONPRESENT[player][w] = false;
  }
  CHOSENWEAPON[player] = 0;
  HAVEWEAPONS[player] = 0;
  DCHAINGUN[player] = HAVEDCHAINGUN[player] = DLAUNCHER[player] = HAVEDLAUNCHER[player] = false;
  PISTOLTIMER[player] = SHOTGUNTIMER[player] = DSHOTGUNTIMER[player] = CHAINGUNTIMER[player] = 0;
  RLAUNCHERTIMER[player] = FLAMEGUNTIMER[player] = PLASMATIMER[player] = 0;
  RAILGUNTIMER[player] = MINITIMER[player] = LANDMINETIMER[player] = BFGCHARGE[player] = 0;
  MTIMER[player] = 90;
  CHAINGUNFIRING[player] = MINIFIRING[player] = FLAMEGUNFIRING[player] = false;
}
