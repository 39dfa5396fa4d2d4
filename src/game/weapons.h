// The weapon tables of both players: weapons owned, ammunition pools, the
// weapon in hand, fire directions, held-fire flags and reload counters, with
// granting a weapon (ADDWEAPON) and the ammunition cap (CHECKAMMO). Firing
// itself is built on these tables by the firing rules.
#pragma once
#include <cstdint>
#include <string>

#include "display/input.h"
#include "game/playerstate.h"
#include "base/common.h"

constexpr int NUMWEAPONTYPES = 9;
constexpr int32_t MAXAMMO = 9999;

extern const std::string WEAPONNAME[NUMWEAPONTYPES + 1];                // 1..9
extern const uint16_t INITIALAMMOCOMESWITHWEAPON[NUMWEAPONTYPES + 1];  // 1..9
// Ammunition pools shared in pairs: 2/3, 4/9, 7/8; 0 for weapons with their own pool.
extern const BYTE AMMOPARTNER[NUMWEAPONTYPES + 1];

// Per player 1..2 (index 0 unused). Weapons owned (WEAPONPRESENT), the
// spin counter, the NRG charge and the held-fire flags are shared player state
// (game/playerstate.h); the weapon in hand, fire direction and single-shot
// request come from the input layer (display/input.h).
extern int32_t WEAPONAMMO[3][NUMWEAPONTYPES + 1];
extern BYTE HAVEWEAPONS[3];  // weapons taken
extern int32_t CHAINGUNOFFSETX[3], CHAINGUNOFFSETY[3];
extern int32_t MINIOFFSETX[3], MINIOFFSETY[3];
extern int32_t FLAMEGUNOFFSETX[3], FLAMEGUNOFFSETY[3];
extern BYTE PISTOLTIMER[3], SHOTGUNTIMER[3], DSHOTGUNTIMER[3], CHAINGUNTIMER[3];
extern BYTE RLAUNCHERTIMER[3], FLAMEGUNTIMER[3], PLASMATIMER[3], RAILGUNTIMER[3];
extern BYTE MINITIMER[3], LANDMINETIMER[3];
extern bool WEAPONFLASH[3];
// Dual weapons shown as "x2" beside the chaingun and the launcher.
extern bool DCHAINGUN[3], HAVEDCHAINGUN[3], DLAUNCHER[3], HAVEDLAUNCHER[3];
extern BYTE CHOSENWEAPONBACKUP;

// Stop cell and glyph of the last fire trace: 1, 2 players, 3 monsters.
extern BYTE TOUCHX[4], TOUCHY[4];
extern unsigned char TOUCHCHAR[4];

// Grants the weapon of glyph W ('1'..'9'; anything else is ignored) to PLAYER.
void ADDWEAPON(BYTE player, unsigned char w);
// Caps every pool of PLAYER at 9999 (and raises a negative pool to 0).
void CHECKAMMO(BYTE player);
// Adds AMOUNT to pool W of PLAYER and to its partner pool, then caps.
void ADDAMMO(BYTE player, int w, int32_t amount);
// Clears weapons, ammunition and timers of PLAYER (death, new game).
void RESETWEAPONS(BYTE player);
// The weapon part of a player's death: in deathmatch the weapon in hand is
// dropped on the player's cell as its glyph (colour 14); then RESETWEAPONS.
void CLEARWEAPONSONDEATH(BYTE player);
// Takes N rounds of weapon W from PLAYER (and from its partner pool) unless
// CHEAT is on.
void TAKEAMMO(BYTE player, int w, int32_t n);

// The near rule of event sounds: my player is closer than 15 cells to
// (X, Y), or two players share this machine without a link.
bool NEAREVENT(int32_t x, int32_t y);
// A weapon sound of player P under reference P (stopping what plays there),
// when the shooter is near my player.
void WEAPONSOUND(BYTE p, uint16_t slot);
// View recoil of my player: TOFFX := -DIRX x STRENGTH, TOFFY := DIRY x
// STRENGTH, both divided by the square root of 2 on a diagonal.
void SETRECOIL(BYTE pn, int32_t dirx, int32_t diry, double strength);
// The player's fire trace: from the player's cell along the fire direction
// over blanks, rocket glyphs, tanks and flames; the first other cell (or the
// first cell outside the grid) goes to TOUCHX/TOUCHY/TOUCHCHAR[P].
void RETURNTOUCHPOINT(BYTE p);

// Helpers shared by the shot and projectile rules.
// The tank covering (X, Y) is destroyed below 41 health, otherwise it loses DAMAGE.
void HITTANKAT(int32_t x, int32_t y, BYTE damage);
// Monster M moves one cell by (DX, DY) when that cell is valid and blank.
bool KNOCKMONSTER(uint16_t m, int32_t dx, int32_t dy);
// Monster M dies (PURGEMONSTER2) with its death cry when (X, Y) is near my player.
void KILLMONSTER(uint16_t m, int32_t x, int32_t y);
// Damage falling off over 78 cells: (1 - D / 78) x FULL rounded, 0 at 78
// cells and beyond (a far target is never hurt by a negative amount).
int32_t FALLOFFDAMAGE(double d, double full);
