// Torches and placed lamps: graded light around a source that brings dark
// cells back toward their natural brightness, limited to what the source can
// see and to the area near my player.
#pragma once
#include <cstdint>

#include "base/common.h"

// Boost 100 within R / 3, falling linearly to 0 at R; a boost above 35 also
// removes the cell's coloured light.
void TORCHLIGHT(int32_t x, int32_t y, int32_t r);
// Player P's torch (radius 8, flickering) while the torch item is chosen and
// lumber is left; otherwise a radius 3 personal light when P's cell is darker
// than its natural brightness.
void MANAGETORCH(BYTE p);
// Every lamp of the level (radius 7); a barrel lamp only while its barrel stands.
void DRAWTRULITES();
// The lamps and every player's torch once, without flicker (before a level's
// first frame).
void LIGHTTORCHESNOW();
