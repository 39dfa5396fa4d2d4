// PENDING: replaced at merge
#include "game/goals.h"

void DIEPLAYER(BYTE) {}
