// The game flow: menus, chapters and the level loop, and the level numbering.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

extern BYTE CURRENTMAP;      // level being played
extern BYTE NEXTMAP;         // level after the current one
extern BYTE VICTORY;         // 0 playing, 1 left through a portal, 2 game over
extern BYTE GAMEDIFFICULTY;  // 1 veteran, 2 survivalist (3 and 4 react in the loader)
extern BYTE BESTMAP;
extern bool LOADINGGAME, LOADINGFROMMENU, GAMELOADED;
extern BYTE DOOGA;  // the main menu's last choice

constexpr int CHAPTERCOUNT = 6;

// The two mode tests (level 50 deathmatch, 71..79 survival) live with the
// survival rules.
#include "game/survival.h"

// New-game reset of the game globals.
void GLOBALINIT();
// The game flow; returns when the player leaves the game.
void HOLLOWMERE();
// The level number of a direct launch: the leading digits of the parameter.
// A number that does not fit a level byte starts level 1, as a missing level
// file does.
BYTE LAUNCHLEVEL(const std::string& param);
// Text of chapter C's item in the chapter menu: its name, or ":: LOCKED ::"
// above CHAPTERSUNLOCKED (chapter 1 is always open).
std::string CHAPTERITEM(int chapter);
// The chapter menu, shown again while a locked chapter is chosen. The chapter
// number, or 0 for Escape or "Exit".
BYTE CHOOSECHAPTER();
// The intro text of level N, the end-of-campaign text (level 112 of "main")
// or, for N = 0, the credits. Nothing for a link game or a direct launch, or
// a level without an intro file.
void PREMAPCUTSCENE(BYTE n);
