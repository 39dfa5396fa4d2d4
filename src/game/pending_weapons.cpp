// PENDING: replaced at merge
#include "game/projectiles.h"

void ADDFLAME(BYTE, BYTE, int32_t, int32_t, BYTE) {}
void ADDRAIL(BYTE, BYTE, int32_t, int32_t, BYTE) {}
void ADDROCKET(BYTE, BYTE, int32_t, int32_t) {}
BYTE FINDFLAME(int32_t, int32_t) { return 0; }
void HURTINRADIUS(BYTE, BYTE, bool) {}
void PURGEFLAME(BYTE) {}
