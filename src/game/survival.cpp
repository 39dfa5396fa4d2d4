#include "game/survival.h"

void AIDIRECTOR() {}
