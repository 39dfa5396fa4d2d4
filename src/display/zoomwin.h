// Framed windows in the text screen: the per-cell effect setter, a framed box
// with a drop shadow, and the zoom that grows such a box from its centre.
#pragma once
#include <cstdint>

#include "base/common.h"

// Glyph of every frame cell.
constexpr unsigned char MENUTEXTURECHAR = 174;

// Columns X1..X2, rows Y1..Y2: EFFECT3D := E, BRIGHTNESS := BRIGHT,
// SATURATION := 100. Cells outside the screen record are skipped.
void EF(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t e, int32_t bright);

// Framed box: left column LX, right column RX, bottom row LY, top row RY
// (LY >= RY). The frame is always drawn with attribute 15; COLOR is unused.
// Draws the shadow where the 80 x 25 layout leaves room, resets the effects
// of the box and presents the screen.
void DRAWWINDOWEMULATOR(int32_t lx, int32_t ly, int32_t rx, int32_t ry, BYTE color);

// Grows a framed box from the centre of the rectangle (LX, LY) top-left to
// (RX, RY) bottom-right, one cell per edge every 25 ms. COLOR2 is the
// attribute of the cells the growing frame leaves behind.
void ZOOMWINDOWEMULATOR(int32_t lx, int32_t ly, int32_t rx, int32_t ry, BYTE color, BYTE color2);
