// PENDING: replaced at merge
#include "game/monsterdeath.h"

void HURTBARREL(BYTE, BYTE, BYTE) {}
RES HURTTREEWEAKROCK(BYTE, BYTE, BYTE) { return RES(); }
void STUNMONSTER(uint16_t, int32_t) {}
