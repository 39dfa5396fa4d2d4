// PENDING: replaced at merge
#include "sound/sound.h"

void HURTSOUND() {}
