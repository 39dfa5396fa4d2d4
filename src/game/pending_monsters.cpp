// PENDING: replaced at merge
// Stand-ins for the monster unit's boss and helper health and the damage
// procedures the weapons call.
#include "game/monsterdeath.h"
#include "game/monsters.h"

int32_t BOSSHEALTH = 0;
int32_t HELPERHEALTH = 0;

void HURTBARREL(BYTE, BYTE, BYTE) {}
RES HURTTREEWEAKROCK(BYTE, BYTE, BYTE) { return RES(); }
void STUNMONSTER(uint16_t, int32_t) {}
