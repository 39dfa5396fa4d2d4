// PENDING: replaced at merge
// Stand-ins for the monster unit's boss and helper health.
#include "game/monsters.h"

int32_t BOSSHEALTH = 0;
int32_t HELPERHEALTH = 0;
