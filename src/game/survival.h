// Survival and deathmatch rules.
#pragma once
#include "base/common.h"

// Called every second frame by the engine tick; it has no effect.
void AIDIRECTOR();
void SURVIVALSPAWNCHECK(BYTE x, BYTE y, BYTE t);
