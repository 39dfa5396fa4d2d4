#include "ui/startmenu.h"

#include <string>

#include "display/textscreen.h"
#include "shell/startscreen.h"
#include "base/settings.h"
#include "ui/widgets.h"

namespace {

constexpr BYTE MENUX = 31, MENUY = 9;
constexpr BYTE PROMPTX = 29, PROMPTY = 16;

// Blanks rows FROM..TO in the sky colour, where the stars fly.
void SKYBAND(int32_t from, int32_t to) {
  for (int32_t y = from; y <= to; y++)
    for (int32_t x = 1; x <= 80; x++)
      EKRAN[y][x] = CELLINFO{' ', static_cast<BYTE>((SKYCOLOR & 15) * 16 + 15), 100, 100, 0};
}

void CENTRED(const std::string& s, int32_t row, BYTE colour) {
  const int32_t col = 1 + (80 - static_cast<int32_t>(s.size())) / 2;
  DISPLAYSTRING(s, static_cast<BYTE>(col < 1 ? 1 : col), static_cast<BYTE>(row),
                static_cast<BYTE>((SKYCOLOR & 15) * 16 + colour));
}

// The dim patterned backdrop with a band of sky above and below, the title,
// and the banner at the bottom.
void DRAWSTARTBACKDROP() {
  TEXTMODE80X25();
  RENDERBLUE();
  SKYBAND(1, 6);
  SKYBAND(20, 24);
  CENTRED("A S H E N   R E A C H", 3, 14);
  CENTRED("cursor keys or the mouse to choose, Enter to confirm", 5, 8);
  DISPLAYLOGO();
  PUSHDISPLAY();
}

// Asks for a name in a framed field and shows what was typed.
void TYPEANAME() {
  ITEM[1] = std::string(11, ' ');
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  MENU("Type a name :", 1, PROMPTX, PROMPTY, SHOW, 11, NOTWAIT, true);
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  const std::string name = READSTRING(PROMPTX + 2, PROMPTY + 1, 10);
  if (name == std::string(1, '\x1b')) ITEM[1] = "Nothing typed (Escape).";
  else if (name.empty()) ITEM[1] = "An empty name.";
  else ITEM[1] = "Hello, " + name + "!";
  // At least as wide as the prompt's box, which it covers.
  if (ITEM[1].size() < 17) ITEM[1].resize(17, ' ');
  MENU("You typed :", 1, PROMPTX, PROMPTY, SHOW, 15, WAIT, false);
}

}  // namespace

void STARTMENU() {
  SHOWSTARS = true;
  for (;;) {
    DRAWSTARTBACKDROP();
    ITEM[1] = "Glyph chart";
    ITEM[2] = "Colour chart";
    ITEM[3] = "Type a name";
    ITEM[4] = "Quit";
    const BYTE choice = MENU("Ashen Reach", 4, MENUX, MENUY, SELECT, 4, WAIT, true);
    if (choice == 1) {
      SHOWGLYPHCHART();
    } else if (choice == 2) {
      SHOWCOLOURCHART();
    } else if (choice == 3) {
      TYPEANAME();
    } else if (YESORNO("Quit Ashen Reach ?", MENUX - 2, MENUY + 7, true) == 1) {
      // "Quit" and Escape both ask before leaving.
      break;
    }
  }
  SHOWSTARS = false;
}
