#include "ui/menu.h"

#include <algorithm>

#include "display/backend.h"
#include "display/events.h"
#include "display/input.h"
#include "display/inputscript.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "display/zoomwin.h"
#include "ui/backdrop.h"

std::string ITEM[MAXMENUITEMS + 1];
BYTE LX = 0, LY = 0;
bool AVOID_SLOT_10 = false;
bool TIMER3 = false;
bool IDLEEXPIRED = false;

namespace {

constexpr BYTE K_ENTER = 13, K_ESCAPE = 27, K_BACKSPACE = 8;
constexpr unsigned char CURSORBLOCK = 219;

// Pointer position and buttons seen at the last look, to tell moves and clicks.
int32_t LASTMOUSEX = -1, LASTMOUSEY = -1, LASTBUTTONS = 0;
bool MOUSESEEN = false;


// Writes S at (COL, ROW) with attribute ATTR, cut off at the edge of the
// screen record.
void PUTTEXT(const std::string& s, int32_t col, int32_t row, BYTE attr) {
  if (row < 1 || row > UDT_Y || col > UDT_X || s.empty()) return;
  std::string t = s;
  if (col < 1) {
    if (static_cast<int32_t>(t.size()) <= 1 - col) return;
    t = t.substr(1 - col);
    col = 1;
  }
  if (col + static_cast<int32_t>(t.size()) - 1 > UDT_X) t.resize(UDT_X - col + 1);
  DISPLAYSTRING(t, static_cast<BYTE>(col), static_cast<BYTE>(row), attr);
}

void PUTCHAR(unsigned char c, int32_t col, int32_t row, BYTE attr) {
  PUTTEXT(std::string(1, static_cast<char>(c)), col, row, attr);
}

BYTE CURRENTATTR() { return static_cast<BYTE>((TXTBKGCOLOR & 15) * 16 + (TXTCOLOR & 15)); }

// Geometry and colours of the menu being shown.
struct MENUFRAME {
  int32_t X, Y, MAX, N;
  BYTE SELECTBACKCOLOR;
};

// The text of item G: a space, the item and spaces to MAX + 2 cells.
std::string ITEMTEXT(const MENUFRAME& m, int g) {
  std::string s = " " + ITEM[g];
  s.resize(static_cast<size_t>(m.MAX) + 2, ' ');
  return s;
}

void DRAWITEM(const MENUFRAME& m, int g, BYTE attr) { PUTTEXT(ITEMTEXT(m, g), m.X + 1, m.Y + g, attr); }

void DRAWFRAME(const MENUFRAME& m, const std::string& name, BYTE itemattr) {
  const std::string c(1, static_cast<char>(MENUTEXTURECHAR));
  const std::string edge(static_cast<size_t>(m.MAX) + 4, static_cast<char>(MENUTEXTURECHAR));
  const int32_t right = m.X + m.MAX + 3;
  const int32_t bottom = m.Y + m.N + 1;
  PUTTEXT(edge, m.X, m.Y, 15);
  const int32_t titlecol =
      m.X + static_cast<int32_t>(ROUNDEVEN((m.MAX - static_cast<int32_t>(name.size())) / 2.0)) + 1;
  PUTTEXT(" " + name + " ", titlecol, m.Y, 14);
  for (int g = 1; g <= m.N; g++) {
    PUTTEXT(c, m.X, m.Y + g, 15);
    DRAWITEM(m, g, itemattr);
    PUTTEXT(c, right, m.Y + g, 15);
    PUTTEXT("  ", right + 1, m.Y + g, 0);
  }
  PUTTEXT(edge, m.X, bottom, 15);
  PUTTEXT("  ", right + 1, bottom, 0);
  PUTTEXT(std::string(static_cast<size_t>(m.MAX) + 4, ' '), m.X + 2, bottom + 1, 0);
  // Block effects of the frame; the title letters stay flat.
  EF(m.X, m.Y, right - 1, m.Y, EFFECT3D_TOP, 100);
  EF(titlecol, m.Y, titlecol + static_cast<int32_t>(name.size()) + 1, m.Y, EFFECT3D_NONE, 100);
  EF(right, m.Y, right, m.Y, EFFECT3D_BOTH, 100);
  EF(m.X, m.Y + 1, m.X, bottom - 1, EFFECT3D_RIGHT, 100);
  EF(right, m.Y + 1, right, bottom - 1, EFFECT3D_RIGHT, 100);
  EF(m.X, bottom, right - 1, bottom, EFFECT3D_TOP, 100);
  EF(right, bottom, right, bottom, EFFECT3D_RIGHT, 100);
  EF(m.X, bottom, m.X, bottom, EFFECT3D_CORNER, 100);
}

// The item row under the pointer, or 0 when the pointer is not strictly
// inside the frame.
int ITEMUNDERPOINTER(const MENUFRAME& m) {
  if (m.Y < LY && LY < m.Y + m.N + 1 && m.X < LX && LX < m.X + m.MAX + 3) return LY - m.Y;
  return 0;
}

int AVOIDTEN(int v) { return (AVOID_SLOT_10 && v == 10) ? 9 : v; }

void MOVEHIGHLIGHT(const MENUFRAME& m, int& g, int v) {
  DRAWITEM(m, g, 8);
  DRAWITEM(m, v, static_cast<BYTE>(m.SELECTBACKCOLOR * 16 + 15));
  g = v;
}

// Waits for a key or a click without a selection: 0 for Escape, else 1.
BYTE WAITANYKEY() {
  for (;;) {
    MENUIDLE();
    if (QUITREQUESTED) return 0;
    if (REFRESHMENUMOUSE()) return 1;
    if (KEYPRESSEDEMULATOR()) {
      bool extended = false;
      const BYTE k = READKEYCODE(extended);
      return (k == K_ESCAPE && !extended) ? 0 : 1;
    }
  }
}

BYTE SELECTLOOP(const MENUFRAME& m) {
  int g = 1;
  DRAWITEM(m, g, static_cast<BYTE>(m.SELECTBACKCOLOR * 16 + 15));
  BYTE seenlx = LX, seenly = LY;
  uint64_t lastinput = GETCURRENTTICKS();
  for (;;) {
    MENUIDLE();
    // Closing the window leaves every menu as Escape does.
    if (QUITREQUESTED) return 0;
    const bool click = REFRESHMENUMOUSE();
    // The pointer takes the highlight only when it has moved, so a pointer
    // resting on the menu does not fight the keys.
    const bool moved = LX != seenlx || LY != seenly;
    seenlx = LX;
    seenly = LY;
    const uint64_t now = GETCURRENTTICKS();
    if (moved || click || KEYPRESSEDEMULATOR()) lastinput = now;
    if (TIMER3 && now - lastinput >= IDLELIMITMS) {
      IDLEEXPIRED = true;
      return 0;
    }
    const int row = ITEMUNDERPOINTER(m);
    if (row > 0) {
      const int v = AVOIDTEN(row);
      if ((moved || click) && v != g) MOVEHIGHLIGHT(m, g, v);
      if (click && v == row) return static_cast<BYTE>(g);
    }
    if (!KEYPRESSEDEMULATOR()) continue;
    bool extended = false;
    const BYTE k = READKEYCODE(extended);
    if (!extended) {
      // Typed characters, capitals included, do not move the highlight.
      if (k == K_ENTER) return static_cast<BYTE>(g);
      if (k == K_ESCAPE) return 0;
      continue;
    }
    int v = g;
    if (k == EXT_UP) v = g - 1;
    else if (k == EXT_DOWN) v = g + 1;
    else if (k == EXT_PAGEUP || k == EXT_HOME) v = 1;
    else if (k == EXT_PAGEDOWN || k == EXT_END) v = m.N;
    else continue;
    if (v > m.N) v = 1;
    if (v < 1) v = m.N;
    v = AVOIDTEN(v);
    if (v != g) MOVEHIGHLIGHT(m, g, v);
  }
}

}  // namespace

bool REFRESHMENUMOUSE() {
  if (!THEBACKEND) return false;
  int32_t px = 0, py = 0, buttons = 0;
  READMOUSE(px, py, buttons);
  // A press seen by the event pump counts even when the button is up again
  // by now (a click shorter than the time between two looks).
  const bool latched = TAKEMOUSEPRESS();
  const bool pressed = MOUSESEEN && (((buttons & 1) && !(LASTBUTTONS & 1)) || latched);
  const bool moved = MOUSESEEN && (px != LASTMOUSEX || py != LASTMOUSEY);
  if (moved || pressed) {
    int32_t col = 0, row = 0;
    const bool inside = PIXELTOTEXTCELL(px, py, col, row);
    LX = inside ? static_cast<BYTE>(col) : 0;
    LY = inside ? static_cast<BYTE>(row) : 0;
  }
  LASTMOUSEX = px;
  LASTMOUSEY = py;
  LASTBUTTONS = buttons;
  MOUSESEEN = true;
  return pressed;
}

BYTE MENU(const std::string& name, BYTE itemsnumber, BYTE x, BYTE y, BYTE selection, BYTE color,
          BYTE waiting, bool zoom) {
  const int32_t n = std::min<int32_t>(itemsnumber, MAXMENUITEMS);
  const BYTE savedignore = IGNORE_BATTR;
  if (MODERN_VISUALS == 1) IGNORE_BATTR = 0;
  // Key presses and clicks made before the menu appeared are not meant for it.
  while (KEYPRESSEDEMULATOR()) CLEARTYPEDKEYS();
  TAKEMOUSEPRESS();

  MENUFRAME m;
  m.X = x;
  m.Y = y;
  m.N = n;
  m.SELECTBACKCOLOR = (color == 15 || color == 7) ? 4 : color;
  const BYTE framecolor = (m.SELECTBACKCOLOR == 1 || m.SELECTBACKCOLOR == 4) ? 15 : m.SELECTBACKCOLOR;
  if (selection == 1) TEXTCOLOREMULATOR(15);
  m.MAX = 0;
  for (int g = 1; g <= n; g++) m.MAX = std::max<int32_t>(m.MAX, static_cast<int32_t>(ITEM[g].size()));
  if (static_cast<int32_t>(name.size()) > m.MAX) m.MAX = static_cast<int32_t>(name.size()) + 4;

  if (zoom) {
    const BYTE zoomattr = static_cast<BYTE>((framecolor & 15) * 16 + 15);
    ZOOMWINDOWEMULATOR(m.X, m.Y, m.X + m.MAX + 2, m.Y + n + 1, zoomattr, zoomattr);
  }
  DRAWFRAME(m, name, selection == 1 ? 8 : CURRENTATTR());
  // The box and its shadow hide the stars that pass behind them.
  SHELTERBOX(m.X, m.Y, m.X + m.MAX + 5, m.Y + n + 2);

  BYTE result = 0;
  IDLEEXPIRED = false;
  if (selection == 1 && n >= 1) {
    result = SELECTLOOP(m);
  } else if (selection == 1 || waiting == 1) {
    // A selection from no items has nothing to choose: any key leaves with 0.
    PUSHDISPLAY();
    result = WAITANYKEY();
    if (selection == 1) result = 0;
  } else {
    PUSHDISPLAY();
  }
  IGNORE_BATTR = savedignore;
  return result;
}

BYTE YESORNO(const std::string& header, BYTE x, BYTE y, bool zoom) {
  std::string yes = "Yes", no = "No";
  while (yes.size() <= header.size()) {
    yes = " " + yes + " ";
    no = " " + no + " ";
  }
  ITEM[1] = "  " + yes + "  ";
  ITEM[2] = "  " + no + "  ";
  return MENU(header, 2, x, y, 1, 15, 1, zoom);
}

std::string READSTRING(BYTE x, BYTE y, BYTE len) {
  const BYTE attr = CURRENTATTR();
  std::string s;
  PUTCHAR(CURSORBLOCK, x, y, attr);
  LX = 1;
  LY = 26;
  for (;;) {
    do {
      MENUIDLE();
    } while (!KEYPRESSEDEMULATOR() && !QUITREQUESTED);
    bool extended = false;
    const BYTE k = QUITREQUESTED ? K_ESCAPE : READKEYCODE(extended);
    const int32_t cursor = x + static_cast<int32_t>(s.size());
    // Cursor and paging keys are not typing.
    if (extended) continue;
    if (k == K_ENTER || k == K_ESCAPE) {
      PUTCHAR(' ', cursor, y, attr);
      PUSHDISPLAY();
      return k == K_ENTER ? s : std::string(1, '\x1b');
    }
    if (k == K_BACKSPACE) {
      if (s.empty()) continue;
      s.pop_back();
      PUTCHAR(CURSORBLOCK, cursor - 1, y, attr);
      PUTCHAR(' ', cursor, y, attr);
      continue;
    }
    const bool accepted = k == ' ' || k == '(' || k == ')' || k == '+' || k == ',' || k == '-' ||
                          k == '.' || (k >= '0' && k <= '9') || k == ':' || (k >= 'A' && k <= 'Z') ||
                          k == '\\' || (k >= 'a' && k <= 'z');
    if (!accepted || s.size() >= len) continue;
    s += static_cast<char>(k);
    PUTCHAR(k, cursor, y, attr);
    PUTCHAR(CURSORBLOCK, cursor + 1, y, attr);
  }
}
