// The emulated colour text screen. It keeps no pixels: EKRAN holds what every
// cell shows, and pushing the screen hands each shown cell to RENDERCHAR.
#include "display/textscreen.h"

#include <algorithm>
#include <chrono>

#include "display/backend.h"
#include "display/events.h"
#include "display/renderer.h"
#include "base/harness.h"

UNIVERSALDISPLAYTYPE EKRAN;
VMODETYPE VMODE;
BYTE WINX1 = 1, WINY1 = 1, WINX2 = 80, WINY2 = 25;
BYTE MYCURSORX = 1, MYCURSORY = 1;
BYTE TXTCOLOR = LIGHTGRAY, TXTBKGCOLOR = BLACK;
std::string VIDEO_CURRENTSTRING;
bool WRITEEMULATION = false;
uint64_t UPDATE_TICKS = 33, UPDATE_TICKS_ORIGINAL = 33;
uint64_t DELAYSTART = 0;

namespace {

// Selects a mode of COL x ROW cells. The mode can never show more than the
// screen record holds, so the sizes are kept within 1..160 x 1..100.
void SETMODE(int32_t col, int32_t row) {
  VMODE.COL = std::clamp(col, 1, UDT_X);
  VMODE.ROW = std::clamp(row, 1, UDT_Y);
  VMODE.COLOR = true;
  SETVIDEOMODE(VMODE);
  WINDOWEMULATOR(1, 1, static_cast<BYTE>(VMODE.COL), static_cast<BYTE>(VMODE.ROW));
}

// A blank cell in the current colours.
void BLANKCELL(CELLINFO& c) {
  c.SYMBOL = ' ';
  c.ATTR = static_cast<BYTE>(TXTBKGCOLOR * 16 + TXTCOLOR);
  c.SATURATION = 100;
  c.BRIGHTNESS = 100;
  c.EFFECT3D = 0;
}

// Hands the processor back while more than 2 ms of a wait remain; the
// headless clock advances by at least 1 ms on every call.
void WAITSTEP(int64_t remaining) { THEBACKEND->IDLE(remaining > 2 ? 1 : 0); }

}  // namespace

void TEXTMODE80X25() { SETMODE(80, 25); }
void TEXTMODE80X50() { SETMODE(80, 50); }
void TEXTMODE45X25() { SETMODE(45, 25); }
void TEXTMODEWIDESCREEN() { SETMODE(45, 25); }
void TEXTMODECUSTOM(BYTE x, BYTE y) { SETMODE(x, y); }

void WINDOWEMULATOR(BYTE x1, BYTE y1, BYTE x2, BYTE y2) {
  WINX1 = x1;
  WINY1 = y1;
  WINX2 = x2;
  WINY2 = y2;
  MYCURSORX = 1;
  MYCURSORY = 1;
}

void GOTOXYEMULATOR(BYTE x, BYTE y) {
  MYCURSORX = x;
  MYCURSORY = y;
}

BYTE WHEREXEMULATOR() { return MYCURSORX; }
BYTE WHEREYEMULATOR() { return MYCURSORY; }
void TEXTCOLOREMULATOR(BYTE colour) { TXTCOLOR = colour; }
void TEXTBACKGROUNDEMULATOR(BYTE colour) { TXTBKGCOLOR = colour; }

void CLRSCREMULATOR(bool push) {
  // A window reaching past the screen record is cleared only where it exists.
  int x1 = std::max<int>(WINX1, 1), x2 = std::min<int>(WINX2, UDT_X);
  int y1 = std::max<int>(WINY1, 1), y2 = std::min<int>(WINY2, UDT_Y);
  for (int y = y1; y <= y2; y++)
    for (int x = x1; x <= x2; x++) BLANKCELL(EKRAN[y][x]);
  if (push) PUSHDISPLAY();
}

void CLRSCRERASEALL() {
  for (int y = 1; y <= UDT_Y; y++)
    for (int x = 1; x <= UDT_X; x++) BLANKCELL(EKRAN[y][x]);
  PUSHDISPLAY();
}

void DISPLAYSTRING(const std::string& s, BYTE dx, BYTE dy, BYTE attr) {
  // Text that would pass the right edge (or a row outside the record) is cut.
  if (dy < 1 || dy > UDT_Y) return;
  for (size_t i = 0; i < s.size(); i++) {
    int x = dx + static_cast<int>(i);
    if (x < 1) continue;
    if (x > UDT_X) break;
    CELLINFO& c = EKRAN[dy][x];
    c.SYMBOL = static_cast<unsigned char>(s[i]);
    c.ATTR = attr;
    c.SATURATION = 100;
    c.BRIGHTNESS = 100;
    c.EFFECT3D = 0;
  }
}

void DISPLAYSTRING40(const std::string& s, BYTE dx, BYTE dy, BYTE attr) {
  DISPLAYSTRING(s, dx, dy, attr);
}

void VIDEO_OUTPUTSTRING(bool pushdisp) {
  if (!VIDEO_CURRENTSTRING.empty())
    DISPLAYSTRING(VIDEO_CURRENTSTRING, static_cast<BYTE>(std::min(MYCURSORX + WINX1 - 1, 255)),
                  static_cast<BYTE>(std::min(MYCURSORY + WINY1 - 1, 255)),
                  static_cast<BYTE>(TXTBKGCOLOR * 16 + TXTCOLOR));
  if (WRITEEMULATION) {
    MYCURSORX = static_cast<BYTE>(std::min<size_t>(MYCURSORX + VIDEO_CURRENTSTRING.size(), 255));
  } else {
    MYCURSORY = static_cast<BYTE>(std::min(MYCURSORY + 1, 255));
    MYCURSORX = 1;
  }
  WRITEEMULATION = false;
  VIDEO_CURRENTSTRING.clear();
  if (pushdisp) PUSHDISPLAY();
}

void WRITETEXT(const std::string& s, bool pushdisp) {
  VIDEO_CURRENTSTRING = s;
  WRITEEMULATION = true;
  VIDEO_OUTPUTSTRING(pushdisp);
}

void WRITELNTEXT(const std::string& s, bool pushdisp) {
  VIDEO_CURRENTSTRING = s;
  WRITEEMULATION = false;
  VIDEO_OUTPUTSTRING(pushdisp);
}

void SHIFTTEXTUPBYONE() {
  for (int y = 1; y <= VMODE.ROW; y++)
    for (int x = 1; x <= VMODE.COL; x++) {
      if (y < VMODE.ROW)
        EKRAN[y][x] = EKRAN[y + 1][x];
      else
        EKRAN[y][x].SYMBOL = ' ';
    }
}

void RENDERTEXTSCREEN() {
  for (int x = 1; x <= VMODE.COL; x++)
    for (int y = 1; y <= VMODE.ROW; y++) {
      const CELLINFO c = EKRAN[y][x];
      BYTE attr = c.ATTR >= 128 ? static_cast<BYTE>(c.ATTR - 128) : c.ATTR;
      RENDERCHAR(x, y, c.SYMBOL, attr, static_cast<BYTE>(c.SATURATION & 0xFF),
                 static_cast<BYTE>(c.BRIGHTNESS & 0xFF), c.EFFECT3D, -1, -1, 100.0, true);
    }
}

void PUSHDISPLAY() {
  STARTUPDATESCREEN();
  RENDERTEXTSCREEN();
  ENDUPDATESCREEN();
}

void INITDELAYTIMINGS() {
  UPDATE_TICKS = 33;
  UPDATE_TICKS_ORIGINAL = UPDATE_TICKS;
}

uint64_t GETCURRENTTICKS() {
  if (THEBACKEND) return THEBACKEND->TICKS();
  // Before a back-end exists the process clock stands in.
  static const auto start = std::chrono::steady_clock::now();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
}

void MARKDELAYSTART() { DELAYSTART = GETCURRENTTICKS(); }

bool PERFORMDELAY(double multiplier) {
  bool slow = true;
  uint64_t now = GETCURRENTTICKS();
  const double budget = static_cast<double>(UPDATE_TICKS) * multiplier;
  // Signed difference: a mark ahead of the clock counts as no time passed.
  auto elapsed = [&]() { return static_cast<double>(static_cast<int64_t>(now - DELAYSTART)); };
  while (elapsed() < budget) {
    slow = false;
    HANDLESDLEVENTS();
    if (THEBACKEND) WAITSTEP(static_cast<int64_t>(budget - elapsed()));
    now = GETCURRENTTICKS();
    HARNESSCLOCKCHECK(now);
  }
  DELAYSTART = now;
  return slow;
}

void DELAYEMULATOR(uint16_t ms) {
  const uint64_t start = GETCURRENTTICKS();
  uint64_t now = start;
  do {
    HANDLESDLEVENTS();
    int64_t remaining = static_cast<int64_t>(ms) - static_cast<int64_t>(now - start);
    if (THEBACKEND && remaining > 0) WAITSTEP(remaining);
    now = GETCURRENTTICKS();
    HARNESSCLOCKCHECK(now);
  } while (now - start < ms);
}

void DELAYEMULATOR1(uint16_t ms) { DELAYEMULATOR(ms); }

void STARTMOUSE() {}
void ENDMOUSE() {}
