#include "sound/sound.h"

BYTE PLAYSOUND = 0;
BYTE PREVSOUND = 0;
bool LOOP = false;
