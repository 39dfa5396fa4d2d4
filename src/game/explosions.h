// Explosions, area damage and landmines. Explosions run through thirteen
// states of flashes, props and lights; HURTINRADIUS is the blast damage of a
// rocket, rail or barrel; landmines set off wait in a list until the engine
// tick detonates them together with every mine they touch.
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int MAX_EXPLOSIONS = 100;
extern BYTE NUMBEROFEXPLOSIONS;
extern BYTE EXPLOSIONX[MAX_EXPLOSIONS + 1], EXPLOSIONY[MAX_EXPLOSIONS + 1];
extern BYTE EXPLOSIONSTATE[MAX_EXPLOSIONS + 1], EXPLOSIONTYPE[MAX_EXPLOSIONS + 1];

constexpr int MAX_MINES = 255;
extern BYTE MINESTOEXPLODE;  // landmines waiting to go off
extern BYTE MINEX[MAX_MINES + 1], MINEY[MAX_MINES + 1];

// Explosion types: 1 rocket and mine blast, 2 the NRG ring, 3 its after-glow.
constexpr BYTE EXPLOSION_BLAST = 1, EXPLOSION_NRG = 2, EXPLOSION_GLOW = 3;

// A new explosion of type EXPTYPE at (EXPX, EXPY) starting at EXPSTATE;
// refused when 100 run already or the cell is outside the grid.
void ADDEXPLOSION(BYTE expx, BYTE expy, BYTE expstate, BYTE exptype);
void PURGEEXPLOSION(BYTE n);
// One state of every explosion (input-cycle frames).
void EXPLOSIONS();
// Overlay glow of the NRG ring on a valid cell (layer 2, six ticks).
void BFGATTR(int32_t zx, int32_t zy);
// One chance in seven to shake the view of each player closer than 15 cells
// to explosion EN.
void BFGSHAKECHECK(BYTE en);

// Blast damage to the 24 cells around (X, Y) (the centre itself is spared):
// trees and weak rock, barrels (which chain), monsters in sight of the centre
// (100 near, 50 one ring out; with ITSOKAYTOKILLMONSTERS false a monster is
// left at 1 energy instead of dying) and players (45 near, 25 further).
void HURTINRADIUS(BYTE x, BYTE y, bool itsokaytokillmonsters);

// Puts the landmine at (X, Y) on the pending list unless it is there already.
void EXPLODEMINE(BYTE x, BYTE y);
// Detonates every pending mine together with every mine touching one.
void EXPLODEALLMINES();

// Empties the explosion table and the pending mines (level start).
void CLEAREXPLOSIONS();
