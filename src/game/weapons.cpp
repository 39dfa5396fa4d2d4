#include "game/weapons.h"

#include "game/players.h"
#include "render/los.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"

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

// Near rule of weapon sounds: my player within 15 cells, or two players on
// one machine.
bool NEARSOUND(BYTE p) {
  if (!LINKACTIVE && NUMBEROFPLAYERS == 2) return true;
  return DISTANCE(PLAYERX[MYNUMBER], PLAYERY[MYNUMBER], PLAYERX[p], PLAYERY[p]) < 15;
}
}  // namespace

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
