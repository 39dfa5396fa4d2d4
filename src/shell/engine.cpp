// The in-level game loop arrives with the engine unit. Until then this holds
// the frame counter and the pause state that the HUD and the player rules read.
#include "shell/engine.h"

BYTE INPUTCOUNTER = 0;
BYTE PAUSESTATE = PAUSED_NOT;

void SETPAUSE(BYTE state) { PAUSESTATE = state; }
