// Monster behaviour: the per-tick monster step with its speed dividers and
// the counts of what the monsters did this tick for the engine's sounds.
#pragma once
#include <cstdint>

#include "base/common.h"

// Speed dividers: counter 1 cycles 1, 2, 3, 0; counter 2 1..5, 0; counter 3
// 1, 0. A monster type acts when its counter is 0; the view interpolates a
// monster's step with the same counters.
extern BYTE MONSTERCOUNTER1, MONSTERCOUNTER2, MONSTERCOUNTER3, MONSTERCOUNTER4;
extern BYTE MNOTICED;  // monsters that noticed my player this tick
extern bool SSOUND;    // a monster shotgun fired this tick
extern bool CSOUND;    // a monster chaingun fired this tick

// The monster step, every second frame while hostility is allowed. It
// advances the speed dividers; the behaviour of each type follows with the
// monster rules.
void MONSTERS();
