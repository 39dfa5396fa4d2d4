// The title screen with the main menu, and the option menus run in place
// from it (controls, key layouts, campaign folder, volumes, lighting, look).
#pragma once
#include <string>

#include "base/common.h"

// Result codes of the title screen.
constexpr BYTE MM_PLAY = 1, MM_LINKED = 2, MM_LOAD = 3, MM_QUIT = 5, MM_CREDITS = 6;

// Shows the title screen until a choice leaves it: MM_PLAY, MM_LINKED (a link
// is active, nothing is asked), MM_LOAD, MM_QUIT (also Escape or closing the
// window) or MM_CREDITS. Resets the game globals on every entry.
BYTE MAINMENUSTUFF();
// The option menus; return to the title screen.
void OPTIONSMENU();
void CONTROLOPTIONS();
void GAMEOPTIONS();
// The label of the control-method item for the current NEW_CONTROL_MODE.
std::string CONTROLMETHODITEM();
// GAME := NAME trimmed, or "main" when that is empty or names no folder
// under "CAMPAIGN\".
void SETCAMPAIGN(const std::string& name);
// Sets VOLUME_SOUND (MUSIC false) or VOLUME_MUSIC to V and applies both at once.
void SETVOLUME(bool music, BYTE v);
