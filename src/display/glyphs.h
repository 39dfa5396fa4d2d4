// Glyph images: the RGBA image of every glyph code as loaded (black already
// made transparent), kept so that per-map loads can re-upload single codes.
#pragma once
#include <string>

#include "display/backend.h"
#include "display/renderer.h"

extern IMAGE TEXTUREIMAGE[HICHAR + 1];

// Makes every pure black pixel transparent (the glyph colour key).
void APPLYCOLORKEY(IMAGE& img);
// Loads a glyph image file (relative to the data folder, any letter case) and
// applies the colour key. False when the file is missing or unreadable.
bool LOADGLYPHFILE(const std::string& rel, IMAGE& img);
// Fills TINFO from an image size: 64 pixels in either direction, or 192 and
// more in either direction, make a large sheet of 64 x 64 tiles.
TINFO GLYPHINFO(int32_t w, int32_t h);
