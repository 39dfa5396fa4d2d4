#include "ui/savemenu.h"

#include "base/paths.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/input.h"
#include "display/textscreen.h"
#include "render/hud.h"
#include "render/messages.h"
#include "ui/backdrop.h"
#include "ui/menu.h"
#include "ui/widgets.h"
#include "world/savegame.h"

namespace {
void titleBox(const std::string& title) {
  TEXTMODE80X25();
  RENDERBLUE();
  TEXTCOLOREMULATOR(14);
  WR(5, 2, title);
  TEXTCOLOREMULATOR(7);
  WR(5, 3, "Ashen Reach");
}

// Back to the game's screen after a menu.
void backToGame() {
  AVOID_SLOT_10 = false;
  MOV(3, 0);
  PORT60[1] = 0;
  CLEARTYPEDKEYS();
  DBUGMODE();
}

// Shows a failure and waits for a key.
void showFailure(const std::string& text) {
  TEXTCOLOREMULATOR(12);
  for (size_t i = 0, row = 20; i < text.size() && row <= 23; i += 70, row++)
    WR(5, static_cast<BYTE>(row), text.substr(i, 70));
  ITEM[1] = "OK";
  MENU("", 1, 5, 16, SELECT, 4, WAIT, false);
}

BYTE chooseSlot() {
  READSAVEGAMENAMES();
  for (int s = 1; s <= SAVESLOTS; s++) ITEM[s] = STR1(s) + (s < 10 ? " " : "") + " " + SAVEGAMENAME[s];
  return MENU("Choose the slot :", SAVESLOTS, 5, 5, SELECT, 4, WAIT, true);
}

bool blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }
}  // namespace

void DRAWSAVEPREVIEW(int x, int y) {
  for (int j = 1; j <= PREVIEWH; j++) {
    for (int i = 1; i <= PREVIEWW; i++) {
      const BYTE attr = MATRIX2[i][j] & 15 ? MATRIX2[i][j] & 15 : 8;
      DISPLAYSTRING(std::string(1, static_cast<char>(MATRIX[i][j])), static_cast<BYTE>(x + i - 1),
                    static_cast<BYTE>(y + j - 1), attr);
    }
  }
}

void SAVEGAMEMENU(bool autosave) {
  if (autosave && LINKACTIVE) return;
  ENSUREFOLDEREXISTS(SAVEFOLDER());
  AVOID_SLOT_10 = true;
  TAKEPREVIEW(MYNUMBER);
  if (autosave) {
    if (!WRITESAVEGAME(SAVEGAMEPATH(SAVESLOTS), "AUTOSAVE:" + SAVEDATETIME()))
      INFORM(MYNUMBER, "Autosave failed.", 12);
    AVOID_SLOT_10 = false;
    return;
  }
  titleBox("SAVING THE GAME");
  const BYTE slot = chooseSlot();
  if (slot == 0) {
    backToGame();
    return;
  }
  TEXTCOLOREMULATOR(15);
  WR(5, 18, "Name :");
  std::string name = READSTRING(12, 18, SAVENAMELEN);
  if (name == std::string(1, 27)) {
    backToGame();
    return;
  }
  if (blank(name)) name = SAVEDATETIME();
  name.resize(SAVENAMELEN, ' ');
  WR(5, 20, "Saving current game as :");
  WR(30, 20, name);
  if (!WRITESAVEGAME(SAVEGAMEPATH(slot), name)) showFailure(SAVEERROR);
  backToGame();
}

void LOADGAMEMENU() {
  for (;;) {
    titleBox("LOADING THE GAME");
    const BYTE slot = chooseSlot();
    if (slot == 0) break;
    if (SAVEGAMENAME[slot] == "Empty Slot.") continue;
    if (READSAVEPREVIEW(slot)) DRAWSAVEPREVIEW(50, 5);
    TEXTCOLOREMULATOR(15);
    WR(5, 18, "Loading savegame :");
    WR(24, 18, SAVEGAMENAME[slot]);
    PUSHDISPLAY();
    if (READSAVEGAME(SAVEGAMEPATH(slot))) break;
    showFailure(SAVEERROR);
  }
  backToGame();
}
