// The save and load menus: ten slots by name, a name typed for a manual save
// (the date and time when left blank), the autosave into slot 10, and the
// preview of the slot being loaded.
#pragma once

// Saves the game: silently into slot 10 when AUTOSAVE, else through the menu.
void SAVEGAMEMENU(bool autosave);
// Lets the player choose a slot and restores it; a refused file is reported
// and the menu comes back with the game as it was.
void LOADGAMEMENU();
// Draws the preview held in MATRIX/MATRIX2 with its top left cell at (X, Y).
void DRAWSAVEPREVIEW(int x, int y);
