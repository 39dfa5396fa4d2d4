// The level-author checker of a campaign's script file: reads it with the
// game's own parser and lists every line the game ignores and every entry
// that looks wrong, with its line number.
#pragma once
#include <string>

// Prints each finding to stdout. Returns 0 when the file is clean, 1 when
// there are only notes, 4 when the game would ignore a line or part of one
// (or the whole file).
int CHECKSCRIPTFILE(const std::string& path);
