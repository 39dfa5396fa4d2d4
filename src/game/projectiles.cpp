#include "game/projectiles.h"

BYTE NUMBEROFROCKETS = 0;
BYTE ROCKETX[MAX_ROCKETS + 1], ROCKETY[MAX_ROCKETS + 1];
int32_t ROCKETXOFFSET[MAX_ROCKETS + 1], ROCKETYOFFSET[MAX_ROCKETS + 1];
BYTE NUMBEROFFLAMES = 0;
BYTE FLAMEX[MAX_FLAMES + 1], FLAMEY[MAX_FLAMES + 1];
BYTE MINESTOEXPLODE = 0;
BYTE BURNEDMONSTERS = 0;

// The movers walk their tables; no rule adds entries yet.
void SHELLS() {}
void FLAMES() { BURNEDMONSTERS = 0; }
void ROCKETS() {}
void EXPLOSIONS() {}
void PLASMAS(bool redrawonly) { (void)redrawonly; }
void BLOODS() {}
void RAILS() {}
void BLINKS() {}
void EXPLODEALLMINES() { MINESTOEXPLODE = 0; }
