// Player state that the input step reads but the player, weapon, inventory
// and level-state units own. The globals are defined here so that each of
// those units extends this file instead of defining them again (a unit that
// takes one over moves its definition out of playerstate.cpp). Tables are
// indexed by player 1..2 (index 0 unused), weapons by 1..9. Position
// (game/players.h) and the tank seat INTANK (game/tanks.h) come with it.
#pragma once
#include <cstdint>
#include <string>

#include "game/players.h"
#include "game/tanks.h"
#include "base/common.h"

extern double PLAYERHEALTH[3];          // 100 full, never below 0; 254/255 are link markers
extern bool DEAD[3];                    // the player is dead
extern bool SHOWCURSOR[3];              // aiming cursor shown (set per map)
extern bool WEAPONPRESENT[3][10];       // weapon 1..9 owned
extern BYTE MTIMER[3];                  // minigun spin counter, 90 = at rest
extern BYTE BFGCHARGE[3];               // NRG - 8000 charge countdown
extern bool CHAINGUNFIRING[3], MINIFIRING[3], FLAMEGUNFIRING[3];  // trigger held
extern std::string INVENTORY[3];        // four item slots, ' ' = empty
extern RES PLAYERRES[3];                // lumber and scrap carried
extern BYTE CHOSEWEAPONSOUND;           // weapon-change sound for the engine tick, 0 = none
extern std::string PLAYERNAME[3];       // names told in death messages (at most 10 characters)
extern double LASTHEALTH[3];            // health at the last goal check (hurt sounds)

// Resets the tables above to their start values (90 for MTIMER, four empty
// inventory slots, full health, nothing owned).
void RESETPLAYERSTATE();

// Procedures of units that do not exist yet. Each is empty (null) until its
// unit is written; callers test before calling. When a unit implements one,
// it replaces the pointer by the procedure of the same name.
extern void (*HELP)();                                  // help screen
extern void (*SAVEGAME)(bool autosave);                 // save-game menu
extern void (*LOADSAVEDGAME)();                         // load-game menu
extern void (*SYNCPLAYERS)();                           // two-machine link
