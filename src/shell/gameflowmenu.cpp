// The title screen and its option menus.
#include "shell/gameflowmenu.h"

#include "base/paths.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/input.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "ui/keyconfig.h"
#include "ui/keyscreen.h"
#include "ui/widgets.h"

namespace {
// The title backdrop: the dim pattern, the game's name in large letters
// under the menu, and the banner with its moving highlight.
void DRAWTITLE() {
  LX = 81;
  LY = 26;
  TEXTMODE80X25();
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(SKYCOLOR);
  CLRSCREMULATOR(false);
  RENDERBLUE();
  DISPLAYLOGO2();
  DISPLAYLOGO();
  MOV(0, 1);
  PUSHDISPLAY();
}

// Items 0..10 and "Exit": the chosen volume, or -1 for Escape or "Exit".
int VOLUMEMENU(const std::string& title) {
  for (int k = 1; k <= 11; k++) ITEM[k] = std::to_string(k - 1);
  ITEM[12] = "Exit";
  const BYTE g = MENU(title, 12, 28, 8, SELECT, 15, NOTWAIT, true);
  if (g >= 1 && g <= 11) return g - 1;
  return -1;
}

void CAMPAIGNPROMPT() {
  ITEM[1] = std::string(11, ' ');
  MENU("Game :", 1, 20, 2, SHOW, 11, NOTWAIT, true);
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  const std::string typed = READSTRING(21, 3, 12);
  // Escape keeps the campaign as it was.
  if (typed == std::string(1, '\x1b')) return;
  SETCAMPAIGN(typed);
}

void RESETLAYOUTMENU() {
  ITEM[1] = "Shoot using CURSOR KEYS (4 keys used)";
  ITEM[2] = "Shoot using NUMPAD KEYS (8 keys used)";
  ITEM[3] = "Exit";
  const BYTE g = MENU("Reset and ...", 3, 25, 14, SELECT, 15, NOTWAIT, true);
  if (g == 1 || g == 2) {
    RESETKEYCONFIG(g);
    SAVEKEYCONFIG();
  }
}
}  // namespace

std::string CONTROLMETHODITEM() {
  return std::string("Control method : ") +
         (NEW_CONTROL_MODE ? "KEYBOARD (recommended)" : "KEYBOARD+MOUSE (beta)");
}

void SETCAMPAIGN(const std::string& name) {
  const size_t a = name.find_first_not_of(' ');
  const std::string t = a == std::string::npos ? "" : name.substr(a, name.find_last_not_of(' ') - a + 1);
  GAME = (!t.empty() && t.find_first_of("/\\") == std::string::npos && t != "." && t != ".." &&
          FILEEXISTSCI("CAMPAIGN\\" + t))
             ? t
             : "main";
}

void SETVOLUME(bool music, BYTE v) {
  if (v > 10) v = 10;
  (music ? VOLUME_MUSIC : VOLUME_SOUND) = v;
  INIT_AUDIO(true);
}

void CONTROLOPTIONS() {
  for (;;) {
    ITEM[1] = "Reset key bindings";
    ITEM[2] = "Redefine ALL keys";
    ITEM[3] = CONTROLMETHODITEM();
    ITEM[4] = "Exit";
    const BYTE g = MENU("Control options :", 4, 25, 11, SELECT, 15, NOTWAIT, true);
    if (g == 1) RESETLAYOUTMENU();
    else if (g == 2) DEFINEKEYS();
    else if (g == 3) NEW_CONTROL_MODE = !NEW_CONTROL_MODE;
    else return;
    if (QUITREQUESTED) return;
  }
}

void GAMEOPTIONS() {
  for (;;) {
    ITEM[1] = "Current game : " + GAME;
    ITEM[2] = "Sound volume (0-10): " + std::to_string(VOLUME_SOUND);
    ITEM[3] = "Music volume (0-10): " + std::to_string(VOLUME_MUSIC);
    ITEM[4] = std::string("Subdued lighting: ") + (SUBDUED_VISUALS == 1 ? "YES" : "NO");
    ITEM[5] = std::string("Visuals: ") + (MODERN_VISUALS == 1 ? "NORMAL" : "ASCII");
    ITEM[6] = "Exit";
    const BYTE g = MENU("Game/Video options :", 6, 25, 10, SELECT, 15, NOTWAIT, true);
    if (g == 1) {
      CAMPAIGNPROMPT();
    } else if (g == 2 || g == 3) {
      const int v = VOLUMEMENU(g == 2 ? "Sound volume:" : "Music volume:");
      if (v >= 0) SETVOLUME(g == 3, static_cast<BYTE>(v));
    } else if (g == 4) {
      SUBDUED_VISUALS = static_cast<BYTE>(1 - SUBDUED_VISUALS);
    } else if (g == 5) {
      SETVISUALS(static_cast<BYTE>(1 - MODERN_VISUALS));
      // The title behind the menu is drawn again in the new look.
      DRAWTITLE();
    } else {
      return;
    }
    if (QUITREQUESTED) return;
  }
}

void OPTIONSMENU() {
  for (;;) {
    ITEM[1] = "Control options";
    ITEM[2] = "Game options";
    ITEM[3] = "Exit";
    const BYTE g = MENU("Options :", 3, 35, 12, SELECT, 15, NOTWAIT, true);
    if (g == 1) CONTROLOPTIONS();
    else if (g == 2) GAMEOPTIONS();
    else return;
    if (QUITREQUESTED) return;
  }
}

BYTE MAINMENUSTUFF() {
  for (;;) {
    OPENDOOR();
    // Escape held from the previous screen must be let go first.
    while (KEYSTATUS[KEY_ESC].PRESSED && !QUITREQUESTED) MENUIDLE();
    GLOBALINIT();
    DRAWTITLE();
    ITEM[1] = "Play ASHEN REACH";
    ITEM[2] = "Load saved game";
    ITEM[3] = "Options";
    ITEM[4] = "Credits";
    ITEM[5] = "Two-player link";
    ITEM[6] = "Quit ASHEN REACH";
    LOADINGGAME = false;
    if (LINKACTIVE) return MM_LINKED;
    TIMER3 = true;
    const BYTE g = QUITREQUESTED ? 0 : MENU("Ashen Reach Menu :", 6, 25, 5, SELECT, 4, WAIT, true);
    TIMER3 = false;
    static const BYTE RESULT[7] = {MM_QUIT, MM_PLAY, MM_LOAD, 4, MM_CREDITS, MM_LINKED, MM_QUIT};
    // Left alone, the title rolls the credits and then comes back.
    const BYTE r = IDLEEXPIRED ? MM_CREDITS : RESULT[g <= 6 ? g : 0];
    OPENDOOR();
    if (r != 4) return r;
    OPTIONSMENU();
    if (QUITREQUESTED) return MM_QUIT;
  }
}
