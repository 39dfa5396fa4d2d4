// The game flow. For now: a direct launch sets up the numbered level; without
// a level number the start menu runs until the player quits.
#include "shell/gameflow.h"

#include <cstdlib>

#include "shell/startup.h"

BYTE CURRENTMAP = 1;
BYTE NEXTMAP = 1;
BYTE VICTORY = 0;
BYTE GAMEDIFFICULTY = 1;
BYTE BESTMAP = 1;
bool LOADINGGAME = false, LOADINGFROMMENU = false, GAMELOADED = false;
BYTE DOOGA = 0;
bool SHOWSTARS = false;

bool DEATHMATCH() { return CURRENTMAP == 50; }
bool SURVIVAL() { return CURRENTMAP > 70 && CURRENTMAP < 80; }
