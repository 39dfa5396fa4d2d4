// The screen that tells a player in a window why a level file is refused.
#pragma once
#include <string>

// Clears the screen, shows that the level cannot be played, WHERE (the file
// and line) and TEXT (the fault), and waits for a key; then writes the
// --screenshot file and closes the window, as the program ends next.
void SHOWLEVELREFUSALSCREEN(const std::string& where, const std::string& text);
