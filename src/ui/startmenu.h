// The start menu shown until the game's main menu exists: a zooming menu
// over the backdrop with the banner and the starfield, leading to the glyph
// and colour charts, a name prompt, and a confirmed quit.
#pragma once

// Runs the start menu until the player confirms "Quit".
void STARTMENU();
