// The real back-end: an SDL2 window with an OpenGL context, SDL2 events and
// SDL2_mixer audio. All glyph textures live in one atlas texture (more pages
// only when one is full) and quads are drawn in batches, one draw call per
// run of quads with the same blend mode.
#pragma once
#include <cstdint>

#include "display/backend.h"

// Makes the SDL2/OpenGL back-end; W x H = 0 x 0 opens at the desktop size.
BACKEND* MAKESDLBACKEND(int32_t w = 0, int32_t h = 0);

// Keep a copy of every presented frame for READFRAME (otherwise only kept when
// a --screenshot is wanted, since reading the frame back costs time).
void SDLKEEPFRAMES(BACKEND* b, bool keep);
