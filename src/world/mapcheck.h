// The level-author checker: loads a map file as the game would, without
// ending the program, and lists every problem it finds.
#pragma once
#include <string>

// The checker's results, also the program's exit codes for --check-map.
constexpr int CHECK_CLEAN = 0;    // nothing to report
constexpr int CHECK_NOTES = 1;    // the game plays the file; only notes
constexpr int CHECK_REFUSED = 4;  // the game would refuse the file (its own exit code then)

// Prints each problem with its line number to stdout, marked "refused" or
// "note", bytes that are not printable written as \xNN.
int CHECKMAPFILE(const std::string& path);
