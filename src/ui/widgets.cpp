#include "ui/widgets.h"

#include <climits>

#include "display/textscreen.h"
#include "base/paths.h"

bool LOADPICS = false;

void WR(BYTE x, BYTE y, const std::string& s) {
  const BYTE oldx = WHEREXEMULATOR(), oldy = WHEREYEMULATOR();
  GOTOXYEMULATOR(x, y);
  VIDEO_CURRENTSTRING = s;
  WRITEEMULATION = true;
  VIDEO_OUTPUTSTRING(false);
  GOTOXYEMULATOR(oldx, oldy);
}

std::string ST(char cod, BYTE number) {
  // Doubling seven times gives 128 characters, the longest result.
  std::string s(1, cod);
  for (int i = 1; i <= 7; i++) s += s;
  return s.substr(0, number);
}

std::string STR1(int32_t x) { return INTTOSTR(x); }

int32_t VAL1(const std::string& t) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') i++;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
    negative = (t[i] == '-');
    i++;
  }
  if (i >= t.size()) return 0;
  int64_t v = 0;
  for (; i < t.size(); i++) {
    if (t[i] < '0' || t[i] > '9') return 0;
    v = v * 10 + (t[i] - '0');
    if (v > static_cast<int64_t>(INT32_MAX) + 1) return 0;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return 0;
  return static_cast<int32_t>(v);
}

bool FILEEXISTS(const std::string& filename) { return FILEEXISTSCI(filename); }

namespace {

// Fills the rectangle with rows counted upwards from BOTTOMROW + 1 - y.
void FILLFROMBOTTOM(int32_t bottomrow, BYTE x1, BYTE y1, BYTE x2, BYTE y2, unsigned char c,
                    BYTE cc) {
  for (int32_t x = x1; x <= x1 + x2; x++)
    for (int32_t y = y1; y <= y1 + y2; y++) {
      const int32_t row = bottomrow + 1 - y;
      if (x < 1 || x > UDT_X || row < 1 || row > UDT_Y) continue;
      EKRAN[row][x].SYMBOL = c;
      EKRAN[row][x].ATTR = cc;
    }
  PUSHDISPLAY();
}

}  // namespace

void DRAWRECTANGLE(BYTE x1, BYTE y1, BYTE x2, BYTE y2, unsigned char c, BYTE cc) {
  FILLFROMBOTTOM(25, x1, y1, x2, y2, c, cc);
}

void DRAWRECTANGLE2(BYTE x1, BYTE y1, BYTE x2, BYTE y2, unsigned char c, BYTE cc) {
  FILLFROMBOTTOM(50, x1, y1, x2, y2, c, cc);
}
