// The game flow: menus, chapters and the level loop, and the level numbering.
#pragma once
#include <cstdint>

#include "base/common.h"

extern BYTE CURRENTMAP;      // level being played
extern BYTE NEXTMAP;         // level after the current one
extern BYTE VICTORY;         // 0 playing, 1 left through a portal, 2 game over
extern BYTE GAMEDIFFICULTY;  // 1 veteran, 2 survivalist (3 and 4 react in the loader)
extern BYTE BESTMAP;
extern bool LOADINGGAME, LOADINGFROMMENU, GAMELOADED;
extern BYTE DOOGA;  // the main menu's last choice

// Level 50 is the deathmatch arena, 71..79 are the survival levels.
bool DEATHMATCH();
bool SURVIVAL();

// New-game reset of the game globals.
void GLOBALINIT();
// The game flow; returns when the player leaves the game.
void HOLLOWMERE();
