// Level set-up after loading: colours from the symbols, the scan that gives
// every symbol its meaning and creates the level's objects, the resets
// between levels, and INITMAP, the whole level set-up.
#pragma once
#include "base/common.h"

// Full level set-up: LOADMAP, ASSIGNCOLORS, SCANMAP, then the level's own glyphs.
void INITMAP(BYTE levelnumber);
// MFATTR from each cell's symbol (IDENTIFYITEM), MBATTR := 0.
void ASSIGNCOLORS();
void SCANMAP(BYTE levelnumber);
// Reset before a level file is read.
void PRELOADMAPINIT();
// Reset before the scan.
void PRESCANMAPINIT();
// Reset before a stored level state is read.
void PRELOADMAPINFOINIT();
