// Projectiles, explosions and particles: the fixed tables of things that fly
// or flash after a shot, and their movers. The tables the engine tick and the
// view read exist now; the movers arrive with the projectile rules and are
// called by the tick at their own rates already.
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int MAX_ROCKETS = 255;
extern BYTE NUMBEROFROCKETS;
extern BYTE ROCKETX[MAX_ROCKETS + 1], ROCKETY[MAX_ROCKETS + 1];
extern int32_t ROCKETXOFFSET[MAX_ROCKETS + 1], ROCKETYOFFSET[MAX_ROCKETS + 1];

constexpr int MAX_FLAMES = 255;
extern BYTE NUMBEROFFLAMES;
extern BYTE FLAMEX[MAX_FLAMES + 1], FLAMEY[MAX_FLAMES + 1];

// Landmines waiting to go off.
extern BYTE MINESTOEXPLODE;
// Monsters that burned to death this frame (the tick plays one death sound each).
extern BYTE BURNEDMONSTERS;

// A new explosion of EXPTYPE at (EXPX, EXPY), starting in state EXPSTATE.
void ADDEXPLOSION(BYTE expx, BYTE expy, BYTE expstate, BYTE exptype);
void ADDFLAME(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE flamelif);
void ADDPLASMA(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset);
void ADDRAIL(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE owner);
void ADDROCKET(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset);
BYTE FINDFLAME(int32_t x, int32_t y);
void HURTINRADIUS(BYTE x, BYTE y, bool itsokaytokillmonsters);
void PURGEFLAME(BYTE n);

// Movers, called by the engine tick. Each advances its table; until the
// projectile rules exist the tables stay empty and the movers have nothing to do.
void SHELLS();
void FLAMES();
void ROCKETS();
void EXPLOSIONS();
void PLASMAS(bool redrawonly);
void BLOODS();
void RAILS();
void BLINKS();
void EXPLODEALLMINES();
