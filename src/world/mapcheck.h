// The level-author checker: loads a map file as the game would, without
// ending the program, and lists every problem it finds.
#pragma once
#include <string>

// Prints each problem with its line number to stdout; 0 when the map is
// clean, 1 when it has problems.
int CHECKMAPFILE(const std::string& path);
