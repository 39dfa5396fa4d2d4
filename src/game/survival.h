// Survival and deathmatch rules.
#pragma once
#include "base/common.h"

// Called every second frame by the engine tick; it has no effect.
void AIDIRECTOR();
// Places player PC who comes back (a deathmatch spawn point or his start cell).
void SPAWNPLAYER(BYTE pc);
void SURVIVALSPAWNCHECK(BYTE x, BYTE y, BYTE t);
