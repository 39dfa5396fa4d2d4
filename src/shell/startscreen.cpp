#include "shell/startscreen.h"

#include <string>

#include "display/events.h"
#include "display/renderer.h"
#include "display/textscreen.h"

void DRAWCOLOURCHART(int col, int row) {
  // Row = background, two cells per foreground colour.
  for (int bg = 0; bg < 16; bg++)
    for (int fg = 0; fg < 16; fg++) {
      // The colour's hex digit twice: letters are text glyphs in both looks.
      std::string s(2, static_cast<char>(fg < 10 ? '0' + fg : 'A' + fg - 10));
      DISPLAYSTRING(s, static_cast<BYTE>(col + fg * 2), static_cast<BYTE>(row + bg),
                    static_cast<BYTE>(bg * 16 + fg));
    }
}

void DRAWGLYPHCHART(int col, int row) {
  // 32 glyphs per line, codes 32..255 in seven lines.
  for (int code = 32; code <= 255; code++) {
    int i = code - 32;
    std::string s(1, static_cast<char>(code));
    DISPLAYSTRING(s, static_cast<BYTE>(col + i % 32), static_cast<BYTE>(row + i / 32), 15);
  }
}

unsigned char WAITFORKEY() {
  CLEARTYPEDKEYS();
  for (;;) {
    PUSHDISPLAY();
    DELAYEMULATOR(33);
    if (TYPEDKEYWAITING()) {
      unsigned char k = TAKETYPEDKEY();
      // A key without a character: take its code after the 0 prefix too.
      if (k == 0 && TYPEDKEYWAITING()) k = TAKETYPEDKEY();
      return k;
    }
  }
}

namespace {
// The charts show cell backgrounds, which the modern look otherwise leaves unpainted.
struct BackgroundsShown {
  BYTE saved = IGNORE_BATTR;
  BackgroundsShown() { IGNORE_BATTR = 0; }
  ~BackgroundsShown() { IGNORE_BATTR = saved; }
};

void heading(const std::string& title) {
  TEXTMODE80X25();
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  CLRSCREMULATOR(false);
  DISPLAYSTRING(title, static_cast<BYTE>(41 - title.size() / 2), 1, 14);
}
}  // namespace

void SHOWGLYPHCHART() {
  heading("Glyph chart: codes 32 to 255");
  DRAWGLYPHCHART(25, 6);
  DISPLAYSTRING("Press any key.", 34, 23, 7);
  WAITFORKEY();
}

void SHOWCOLOURCHART() {
  BackgroundsShown shown;
  heading("Colour chart: 16 colours on 16 backgrounds");
  DRAWCOLOURCHART(25, 4);
  DISPLAYSTRING("Press any key.", 34, 23, 7);
  WAITFORKEY();
}

void STARTSCREEN() {
  BackgroundsShown shown;
  heading("A S H E N   R E A C H");
  DISPLAYSTRING("Colours", 5, 3, 11);
  DRAWCOLOURCHART(5, 4);
  DISPLAYSTRING("Glyphs 32..255", 42, 3, 11);
  DRAWGLYPHCHART(42, 4);
  DISPLAYSTRING("Press Escape to leave.", 30, 23, 7);
  while (WAITFORKEY() != 27) {
  }
}
