// Finding a monster by its cell and removing a monster from the table. The
// monster rules build on these; what a death leaves behind grows with the
// units that own blood, blinks and survival spawning.
#pragma once
#include <cstdint>

#include "base/common.h"

// Index of the lowest-numbered monster at (DX, DY), 0 if none.
uint16_t FINDMONSTER(int32_t dx, int32_t dy);
// A barrel at (BX, BY) takes DAMAGE and explodes once 210 is reached.
void HURTBARREL(BYTE bx, BYTE by, BYTE damage);
// A tree or weak rock at (BX, BY) takes DAMAGE; the result is what it yields.
RES HURTTREEWEAKROCK(BYTE bx, BYTE by, BYTE damage);
// Kills monster NUMBERTOPURGE by table index (nothing for 0 or beyond the
// table): its cell is cleared and marked with a body, types 2, 9, 10 and 11
// drop ammunition there, and the later entries move down one place. Type 5
// cannot die: it gets its energy back and stays.
void PURGEMONSTER2(uint16_t numbertopurge);
// Monster MN is stunned for STUN acting calls.
void STUNMONSTER(uint16_t mn, int32_t stun);
