// Sections shared by the save-game layout and the level state layout: each
// walks one group of tables over a SAVECODEC (see savecodec.h). Counts are
// bounded by their tables, so a reader never writes past one.
#pragma once
#include "world/savecodec.h"

// The grid: for X = 1..160, Y = 1..100 the foreground, damage, symbol, gore
// and explored byte of the cell.
void GRIDLAYOUT(SAVECODEC& c);
// Rockets, plasma balls and flames, each a count and its records.
void PROJECTILELAYOUT(SAVECODEC& c);
// The monster count and start count (words), then each monster; on reading
// the previous positions become the positions.
void MONSTERLAYOUT(SAVECODEC& c);
// Weapon choice, trap, monster and door backups and the monster counters;
// the save game ends this with a constant 1 (ignored when read).
void BACKUPLAYOUT(SAVECODEC& c, bool withmarker);
// Pickups, then the traps (their count as two bytes whose sum it is).
void PICKUPTRAPLAYOUT(SAVECODEC& c);
// Doors (with the opened count), the 20 x 30 patterns and their lengths, lights.
void DOORPATTERNLIGHTLAYOUT(SAVECODEC& c);
// The run of level tables the save game and the level state share, in this
// order: shots in flight, monsters, backups (the save game's with its
// marker), pickups and traps, the two start cells, the level clock, then
// doors, patterns and lights.
void LEVELTABLESLAYOUT(SAVECODEC& c, bool withmarker);
// Explosions, rails and blinks.
void EXPLOSIONRAILBLINKLAYOUT(SAVECODEC& c);
// Tanks; on reading the previous positions become the positions.
void TANKLAYOUT(SAVECODEC& c);
// Ambient sound and its mode for lights 1..50.
void AMBIENTLAYOUT(SAVECODEC& c);
