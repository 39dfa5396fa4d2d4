// The level file loader: reads a map text file into the grids and the
// trailer tables (traps, trap messages, portals, lights, patterns, key names).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/common.h"

// A fault found in a level file; LINE is the file line (1-based), 0 for the
// file as a whole.
struct MAPPROBLEM {
  int32_t LINE = 0;
  std::string TEXT;
  bool REFUSED = false;  // the game refuses the file for it (else a note)
};

// A level file is read only up to this size: no level needs more.
constexpr size_t MAX_MAPFILEBYTES = 1 << 20;

// Exit code of the program for a level file it cannot use.
constexpr int MAPFAULT_EXITCODE = 4;

// While true, faults are collected in MAPPROBLEMS and loading goes on without
// the faulty entry; otherwise the first fault ends the program with a message
// on stderr and on the screen, and MAPFAULT_EXITCODE.
extern bool MAPCHECKING;
// Set by start-up once the screen is up: shows why a level is refused (WHERE
// names the file and line) until a key is pressed.
extern void (*SHOWLEVELREFUSAL)(const std::string& where, const std::string& text);
extern std::vector<MAPPROBLEM> MAPPROBLEMS;
// File lines of the trap and portal entries (for the checker's report).
extern int32_t TRAPFILELINE[256], PORTALFILELINE[33];
// 1-based file line of the name line, 0 when the file has none.
extern int32_t MAPNAMELINE;

// The file LOADMAP reads for a level number (before the map1.txt fall-back).
std::string MAPFILEFORLEVEL(BYTE levelnumber);
// Reads the level's map file into the grids and tables.
void LOADMAP(BYTE levelnumber);
// Reads the given file as the map of LEVELNUMBER (steps after choosing the file).
// False when the file cannot be read (reported as a fault).
bool LOADMAPFILE(const std::string& path, BYTE levelnumber);

// The row of the grid that a line number of the file denotes: MAPSIZEY + 1 - V,
// kept modulo 256. Line numbers 1..MAPSIZEY give rows MAPSIZEY..1; any other
// value gives a row outside the level, and applying the conversion twice gives
// V back, which light-switch traps rely on (they store a light value there).
BYTE ROWFROMLINE(int32_t v);
