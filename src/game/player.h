// The player as a thing on the map: the per-player tables, the one-cell step
// of each input cycle, the walk rule CANWALKHERE with every pickup, the damage
// rule HURTPLAYER, footstep sounds, the small player queries and the item
// respawn of deathmatch and survival. Position, start cell and keys live with
// the world tables (game/players.h); the tank seat with the tanks.
#pragma once
#include <cstdint>
#include <string>

#include "display/input.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "base/common.h"

// Per player 1..2 (index 0 unused). The step request (OFFSETX, OFFSETY), the
// use action, sitting and the action codes come from the input layer
// (display/input.h); health, death and the aiming cursor are shared player
// state (game/playerstate.h).
extern double ARMOR[3];  // 100 yellow, 200 red
extern unsigned char STEPPEDON[3];  // glyph under the player, ' ' if nothing
extern BYTE STEPPEDONC[3];          // its foreground attribute, 8 if nothing
extern BYTE STEPCOUNTER[3];         // 1..10, wraps to 0
extern BYTE BOOTTIME[3];            // protected steps through sewer cells
extern BYTE PLAYERCOLOR[3];
extern bool SHAKE[3];
extern BYTE DEATHS[3];
extern BYTE RESPAWNSOUND;   // set by MANAGEWEAPONS: 1, 2 or 3 = near player 1, 2, both

// Glyphs kept under a player when a step ends on them.
extern const std::string KEEPUNDERPLAYER_ONE;  // "VHY"
extern const std::string KEEPUNDERPLAYER_TWO;  // "1234567890HVY%"
// Pickups dropped from under a player in deathmatch and survival.
extern const std::string RESPAWNINGPICKUPS;    // "123456789HY"

// The per-map reset of the player tables (called by the engine's map start).
void RESETPLAYERSFORMAP();
// The step of player P for this input cycle (on foot; a player in a tank is
// moved by the tank rules).
void MOVEPLAYER(BYTE p);
// True when player PLAYER may enter the non-empty cell (X, Y); performs the
// pickup there as a side effect.
bool CANWALKHERE(BYTE player, BYTE x, BYTE y);
// HURT points of damage through the armour rule.
void HURTPLAYER(BYTE pn, double hurt);
// Footstep sound at step 5 and step 10 of the step counter.
void MAKESTEPSOUND(BYTE player);
// 1 or 2 for the player standing on (CX, CY) (2 wins when both do), 0 if none.
BYTE WHICHPLAYER(int32_t cx, int32_t cy);
// My player gives input: an action code or a mouse status of 10 or more.
bool PLAYERACTIVE();
// False only while the game is paused without a link.
bool ALLOWWORLDHOSTILITY();
// Script area test; Y1 and Y2 count from the bottom row (101 - Y).
bool PLAYERBETWEEN(BYTE pn, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Deathmatch and survival: counts down taken pickups and puts them back.
void MANAGEWEAPONS();
// Campaign: lets player P take every listed pickup again.
void RESETWEAPONSTATUSFORPLAYER(BYTE p);
// Index of the pickup list entry at (X, Y), the last match; 0 when the cell
// is not listed (untracked).
int32_t FINDPICKUP(int32_t x, int32_t y);
