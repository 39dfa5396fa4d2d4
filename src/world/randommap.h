// Random levels: scatters rock, monsters, pickups and doors over the free
// cells of the random-level template, seeded by the level number.
#pragma once
#include "base/common.h"

// The start corner (top-left of a full-size level) and the far corner.
constexpr int RANDOM_STARTX = 2, RANDOM_STARTY = 99;
constexpr int RANDOM_FARX = 158, RANDOM_FARY = 3;

// Fills the inner cells of the template in MAP (columns 2..MAPSIZEX - 1, rows
// 2..MAPSIZEY - 1; nothing outside the template is touched). A template smaller
// than 160 x 100 keeps its corners at the same distance from its edges.
void GENERATERANDOMMAP(BYTE mapnum);
