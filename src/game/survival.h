// Survival and deathmatch: the two modes played on generated levels, the
// drops of two monster kinds in every mode, the survival chain that replaces
// each killed monster by one of the next tier (ending in the boss and an exit
// portal), and the return of a dead player.
#pragma once
#include <cstdint>

#include "base/common.h"

// Level 50 is the deathmatch arena.
bool DEATHMATCH();
// Levels 71..79 are the survival levels.
bool SURVIVAL();

// What the survival chain has done on this level, for the state dump and the
// tests; reset at every level start.
extern uint16_t SURVIVALSPAWNS;   // next-tier monsters placed
extern BYTE SURVIVALLASTTIER;     // kind of the last one placed, 0 = none yet
extern uint16_t SURVIVALFALLBACKS;  // of them, placed on the death cell itself
extern bool SURVIVALBOSSDOWN;     // the boss died and the exit portal opened

// Monsters a player can walk to (with T1000S false, leaving out the T-1000s).
// The generated levels may seal a few monsters into pockets of rock where
// nobody can ever get at them; the chain's "nothing else is left" counts only
// the others, or the boss would never come. With no player on the map every
// monster counts.
uint16_t MONSTERSWITHINREACH(bool t1000s);

// Called every second frame by the engine tick; it has no effect.
void AIDIRECTOR();
// A monster of kind T died at (X, Y): the kind drops, and in survival the
// next tier at a fresh place.
void SURVIVALSPAWNCHECK(BYTE x, BYTE y, BYTE t);
// The kind to place after a kind-T monster died at (X, Y), -1 for none; runs
// the story events of the survival levels (access key, boss taunt, portal).
int32_t HANDLENEXTMONSTERTIER(BYTE x, BYTE y, BYTE t);
// Where the next-tier monster goes: a free cell away from the players and
// within their reach, or the death cell (X, Y) when none is found.
void SURVIVALPLACE(BYTE x, BYTE y, BYTE& px, BYTE& py);
// Places player PC who comes back: a deathmatch spawn point, else the start.
void SPAWNPLAYER(BYTE pc);
// Level start: forget the chain's counters; in a deathmatch with two players
// on one machine, player 2 starts on a spawn point of his own.
void SURVIVALLEVELSTART();
