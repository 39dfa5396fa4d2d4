// PENDING: replaced at merge
// Stand-in for the explosion table's ADDEXPLOSION.
#include "game/projectiles.h"

void ADDEXPLOSION(BYTE, BYTE, BYTE, BYTE) {}
