// PENDING: replaced at merge
#include "game/survival.h"

void SURVIVALSPAWNCHECK(BYTE, BYTE, BYTE) {}
void SPAWNPLAYER(BYTE) {}
