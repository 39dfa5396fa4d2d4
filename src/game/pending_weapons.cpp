// PENDING: replaced at merge
// Stand-in for the explosion table's ADDEXPLOSION.
#include "game/projectiles.h"

void ADDEXPLOSION(BYTE, BYTE, BYTE, BYTE) {}
#include "game/projectiles.h"

void ADDFLAME(BYTE, BYTE, int32_t, int32_t, BYTE) {}
void ADDPLASMA(BYTE, BYTE, int32_t, int32_t) {}
void ADDRAIL(BYTE, BYTE, int32_t, int32_t, BYTE) {}
void ADDROCKET(BYTE, BYTE, int32_t, int32_t) {}
BYTE FINDFLAME(int32_t, int32_t) { return 0; }
void HURTINRADIUS(BYTE, BYTE, bool) {}
void PURGEFLAME(BYTE) {}

#include "game/weapons.h"

void SETRECOIL(BYTE, int32_t, int32_t, double) {}
