#include "display/zoomwin.h"

#include "display/textscreen.h"

namespace {

bool ONSCREENRECORD(int32_t x, int32_t y) { return x >= 1 && x <= UDT_X && y >= 1 && y <= UDT_Y; }

// A frame cell: glyph 174 in white on black.
void FRAMECELL(int32_t x, int32_t y) {
  if (!ONSCREENRECORD(x, y)) return;
  EKRAN[y][x].SYMBOL = MENUTEXTURECHAR;
  EKRAN[y][x].ATTR = 15;
}

void SETCELL(int32_t x, int32_t y, unsigned char symbol, BYTE attr) {
  if (!ONSCREENRECORD(x, y)) return;
  EKRAN[y][x].SYMBOL = symbol;
  EKRAN[y][x].ATTR = attr;
}

void SHADOWCELL(int32_t x, int32_t y) {
  if (ONSCREENRECORD(x, y)) EKRAN[y][x].ATTR = 0;
}

// Blanks the outline of the growing box: the top and bottom rows between the
// left and right edges, the left and right columns between the top and bottom.
void BLANKOUTLINE(int32_t left, int32_t bottom, int32_t right, int32_t top, BYTE attr) {
  for (int32_t x = left; x <= right; x++) {
    SETCELL(x, bottom, ' ', attr);
    SETCELL(x, top, ' ', attr);
  }
  for (int32_t y = top; y <= bottom; y++) {
    SETCELL(left, y, ' ', attr);
    SETCELL(right, y, ' ', attr);
  }
}

// Moves an edge one cell towards its target; true once it is there.
bool STEPEDGE(int32_t& edge, int32_t target) {
  if (edge < target) edge++;
  else if (edge > target) edge--;
  return edge == target;
}

}  // namespace

void EF(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t e, int32_t bright) {
  if (x1 < 1) x1 = 1;
  if (y1 < 1) y1 = 1;
  if (x2 > UDT_X) x2 = UDT_X;
  if (y2 > UDT_Y) y2 = UDT_Y;
  for (int32_t y = y1; y <= y2; y++)
    for (int32_t x = x1; x <= x2; x++) {
      EKRAN[y][x].EFFECT3D = e;
      EKRAN[y][x].BRIGHTNESS = bright;
      EKRAN[y][x].SATURATION = 100;
    }
}

void DRAWWINDOWEMULATOR(int32_t lx, int32_t ly, int32_t rx, int32_t ry, BYTE color) {
  FRAMECELL(lx, ly);
  FRAMECELL(lx, ry);
  FRAMECELL(rx, ry);
  FRAMECELL(rx, ly);
  for (int32_t x = lx + 1; x <= rx - 1; x++) {
    FRAMECELL(x, ly);
    FRAMECELL(x, ry);
  }
  for (int32_t y = ly - 1; y >= ry + 1; y--) {
    FRAMECELL(lx, y);
    FRAMECELL(rx, y);
    for (int32_t x = lx + 1; x <= rx - 1; x++) SETCELL(x, y, ' ', 0);
  }
  // The shadow falls one row below and two columns to the right, as far as
  // the 80 x 25 layout has room for it.
  if (lx < 78)
    for (int32_t x = lx + 2; x <= rx + 2; x++) SHADOWCELL(x, ly + 1);
  if (ry <= 24 && ly <= 24 && rx <= 79) {
    for (int32_t y = ry + 1; y <= ly + 1; y++) SHADOWCELL(rx + 1, y);
    if (rx <= 78)
      for (int32_t y = ry + 1; y <= ly + 1; y++) SHADOWCELL(rx + 2, y);
  }
  EF(lx, ry, rx, ly, 0, 100);
  PUSHDISPLAY();
}

void ZOOMWINDOWEMULATOR(int32_t lx, int32_t ly, int32_t rx, int32_t ry, BYTE color, BYTE color2) {
  const int32_t middlex = static_cast<int32_t>(ROUNDEVEN((lx + rx) / 2.0));
  const int32_t middley = static_cast<int32_t>(ROUNDEVEN((ly + ry) / 2.0));
  int32_t right = middlex - 1, bottom = middley - 1;
  int32_t left = middlex + 1, top = middley + 1;
  bool done = false;
  while (!done) {
    BLANKOUTLINE(left, bottom, right, top, color2);
    // Each edge steps towards its target; an edge already there stays.
    const bool rdone = STEPEDGE(right, rx);
    const bool bdone = STEPEDGE(bottom, ry);
    const bool ldone = STEPEDGE(left, lx);
    const bool tdone = STEPEDGE(top, ly);
    done = rdone && bdone && ldone && tdone;
    BLANKOUTLINE(left, bottom, right, top, color2);
    DRAWWINDOWEMULATOR(left, bottom, right, top, color);
    DELAYEMULATOR(25);
  }
}
