#include "ui/backdrop.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "display/textscreen.h"
#include "display/zoomwin.h"
#include "base/random.h"
#include "base/settings.h"

namespace {

constexpr unsigned char STARGLYPH = 138;
constexpr int32_t BANNERROW = 25;
constexpr int32_t BANNERTITLECOLUMN = 7;
constexpr int32_t HIGHLIGHTWIDTH = 10;

// Menu screens clear to white on the sky colour; a blank of exactly that
// attribute is open sky. Blanks inside menus, titles and the banner carry
// other attributes, so stars never fly through text.
BYTE SKYATTR() { return static_cast<BYTE>((SKYCOLOR & 15) * 16 + 15); }
bool SKYCELL(const CELLINFO& c) { return c.SYMBOL == ' ' && c.ATTR == SKYATTR(); }

// Boxes on the screen that stars pass behind, with the frame glyph their
// top-left cell held when they were drawn.
struct SHELTER {
  int32_t X1, Y1, X2, Y2;
  unsigned char CORNER;
};
constexpr size_t MAXSHELTERS = 16;
std::vector<SHELTER> SHELTERS;

// True when (X, Y) lies inside a box still on the screen. Blanks inside a box
// can carry the sky's own attribute (white on black), so the attribute alone
// cannot tell them from open sky.
bool SHELTERED(int32_t x, int32_t y) {
  for (size_t i = 0; i < SHELTERS.size();) {
    const SHELTER& b = SHELTERS[i];
    if (EKRAN[b.Y1][b.X1].SYMBOL != b.CORNER) {
      SHELTERS.erase(SHELTERS.begin() + static_cast<std::ptrdiff_t>(i));  // drawn over since
      continue;
    }
    if (x >= b.X1 && x <= b.X2 && y >= b.Y1 && y <= b.Y2) return true;
    i++;
  }
  return false;
}

void DRAWSTAR(int i) {
  CELLINFO& c = EKRAN[STARY[i]][STARX[i]];
  if (!SKYCELL(c) || SHELTERED(STARX[i], STARY[i])) return;
  c.SYMBOL = STARGLYPH;
  c.ATTR = static_cast<BYTE>((SKYCOLOR & 15) * 16 + (STARCOLOR[i] & 15));
  c.SATURATION = 100;
  c.BRIGHTNESS = 100;
  c.EFFECT3D = 0;
}

// Blanks the cell a star leaves, unless something else was drawn over it
// since (menu text must not be erased by a passing star).
void ERASESTAR(int i) {
  CELLINFO& c = EKRAN[STARY[i]][STARX[i]];
  if (c.SYMBOL != STARGLYPH) return;
  c.SYMBOL = ' ';
  c.ATTR = SKYATTR();
}

void NEWSTARROW(int i) {
  STARX[i] = 1;
  STARY[i] = static_cast<BYTE>(1 + random(25));
  STARSPEED[i] = static_cast<BYTE>(1 + random(4));
  STARCOLOR[i] = static_cast<BYTE>(1 + random(15));
  STARCOUNTER[i] = 0;
}

void SETBANNERATTR(int32_t from, BYTE attr) {
  for (int32_t x = from; x < from + HIGHLIGHTWIDTH; x++)
    if (x >= 1 && x <= 80) EKRAN[BANNERROW][x].ATTR = attr;
}

}  // namespace

std::string MAKEBANNER() {
  std::string s = "      ASHEN REACH  version " ASHEN_VERSION
                  "  -  a real-time action game in character cells";
  s.resize(80, ' ');
  return s;
}

std::string CSTRING = MAKEBANNER();
int32_t XMOVIE = 11, MOFFSET = 1;
BYTE STARX[MAX_STARS + 1], STARY[MAX_STARS + 1], STARSPEED[MAX_STARS + 1],
    STARCOUNTER[MAX_STARS + 1], STARCOLOR[MAX_STARS + 1];
BYTE NUMBEROFSTARS = 0;

bool BANNERSHOWN() {
  if (CSTRING.size() < static_cast<size_t>(BANNERTITLECOLUMN)) return false;
  const unsigned char title = static_cast<unsigned char>(CSTRING[BANNERTITLECOLUMN - 1]);
  return title != ' ' && EKRAN[BANNERROW][BANNERTITLECOLUMN].SYMBOL == title;
}

void SHELTERBOX(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  x1 = std::max<int32_t>(x1, 1);
  y1 = std::max<int32_t>(y1, 1);
  x2 = std::min<int32_t>(x2, UDT_X);
  y2 = std::min<int32_t>(y2, UDT_Y);
  if (x1 > x2 || y1 > y2) return;
  if (SHELTERS.size() >= MAXSHELTERS) SHELTERS.erase(SHELTERS.begin());
  SHELTERS.push_back({x1, y1, x2, y2, EKRAN[y1][x1].SYMBOL});
}

void CLEARSHELTERS() { SHELTERS.clear(); }

void RENDERBLUE() {
  CLEARSHELTERS();
  for (int32_t y = 1; y <= 25; y++)
    for (int32_t x = 1; x <= 80; x++) {
      EKRAN[y][x].SYMBOL = MENUTEXTURECHAR;
      EKRAN[y][x].ATTR = 6;
      EKRAN[y][x].SATURATION = 100;
    }
  EF(1, 1, 80, 25, 0, 25);
  PUSHDISPLAY();
}

void DISPLAYLOGO() { DISPLAYSTRING(CSTRING.substr(0, 80), 1, BANNERROW, 7); }

namespace {
// Five rows of five cells per letter; '#' is a block.
struct BIGLETTER {
  char C;
  const char* ROWS[5];
};
const BIGLETTER BIGLETTERS[] = {
    {'A', {" ### ", "#   #", "#####", "#   #", "#   #"}},
    {'C', {" ####", "#    ", "#    ", "#    ", " ####"}},
    {'E', {"#####", "#    ", "#### ", "#    ", "#####"}},
    {'H', {"#   #", "#   #", "#####", "#   #", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #"}},
    {'R', {"#### ", "#   #", "#### ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", " ### ", "    #", "#### "}},
};
const BIGLETTER* FINDBIGLETTER(char c) {
  for (const BIGLETTER& l : BIGLETTERS)
    if (l.C == c) return &l;
  return nullptr;
}
}  // namespace

void DISPLAYLOGO2() {
  const std::string words = "ASHEN REACH";
  // Letters are 5 cells wide with a gap of 1; the word gap is 3.
  const int width = 5 * 10 + 1 * 8 + 3;
  const int x0 = (80 - width) / 2 + 1;
  // The first word in ash greys, the second in ember reds, darker downward.
  static const BYTE ASH[5] = {15, 15, 7, 7, 8};
  static const BYTE EMBER[5] = {14, 12, 12, 4, 4};
  const BYTE back = static_cast<BYTE>((SKYCOLOR & 15) * 16);
  int x = x0;
  bool second = false;
  for (char c : words) {
    if (c == ' ') {
      x += 2;
      second = true;
      continue;
    }
    const BIGLETTER* l = FINDBIGLETTER(c);
    if (l == nullptr) continue;
    for (int r = 0; r < 5; r++)
      for (int i = 0; i < 5; i++)
        if (l->ROWS[r][i] == '#')
          DISPLAYSTRING(std::string(1, static_cast<char>(219)), static_cast<BYTE>(x + i),
                        static_cast<BYTE>(LOGO2ROW + r), static_cast<BYTE>(back + (second ? EMBER[r] : ASH[r])));
    x += 6;
  }
  // Stars pass behind the logo.
  SHELTERBOX(x0, LOGO2ROW, x0 + width - 1, LOGO2ROW + 4);
}

void OPENDOOR() {
  CLEARSHELTERS();
  for (int32_t y = 1; y <= VMODE.ROW && y <= UDT_Y; y++)
    for (int32_t x = 1; x <= VMODE.COL && x <= UDT_X; x++) EKRAN[y][x] = CELLINFO{' ', 7, 100, 100, 0};
  DISPLAYLOGO();
  PUSHDISPLAY();
}

void STARS() {
  if (NUMBEROFSTARS < MAX_STARS && random(255) + 1 <= 25) {
    NUMBEROFSTARS++;
    NEWSTARROW(NUMBEROFSTARS);
    DRAWSTAR(NUMBEROFSTARS);
  }
  for (int i = 1; i <= NUMBEROFSTARS; i++) {
    STARCOUNTER[i]++;
    if (STARCOUNTER[i] < STARSPEED[i]) continue;
    STARCOUNTER[i] = 0;
    ERASESTAR(i);
    if (STARX[i] + 1 >= 80) {
      NEWSTARROW(i);
    } else {
      STARX[i]++;
    }
    DRAWSTAR(i);
  }
}

void MOVIE() {
  if ((MOFFSET != 1 && MOFFSET != -1) || XMOVIE < -11 || XMOVIE > 81) {
    MOFFSET = 1;
    XMOVIE = 11;
  }
  if (!BANNERSHOWN()) return;
  if (SHOWSTARS) STARS();
  SETBANNERATTR(XMOVIE + 1, 7);
  XMOVIE += MOFFSET;
  SETBANNERATTR(XMOVIE + 1, 15);
  if (XMOVIE > 79 || XMOVIE < -9) MOFFSET = -MOFFSET;
  PUSHDISPLAY();
  DELAYEMULATOR(20);
}

void MOV(BYTE m1, BYTE m2) {}

void (*MENUIDLEHOOK)() = nullptr;

void MENUIDLE() {
  if (MENUIDLEHOOK) MENUIDLEHOOK();
  if (BANNERSHOWN()) {
    MOVIE();
  } else {
    PUSHDISPLAY();
    DELAYEMULATOR(20);
  }
}
