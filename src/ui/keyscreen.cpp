#include "ui/keyscreen.h"

#include "display/events.h"
#include "display/keynames.h"
#include "display/textscreen.h"
#include "sound/sound.h"
#include "ui/keyconfig.h"
#include "ui/widgets.h"

bool KEYSCREENABORTED = false;

namespace {
constexpr int32_t ESCAPEKEY = 27;

struct PROMPT {
  const char* TEXT;
  int SLOT;
};
const PROMPT PAGE1[] = {
    {"MOVE LEFT", 1},
    {"MOVE RIGHT", 2},
    {"MOVE UP", 3},
    {"MOVE DOWN", 4},
    {"EVADE [EXIT TANK]", 13},
    {"FIRE LEFT", 5},
    {"FIRE RIGHT", 6},
    {"FIRE UP", 7},
    {"FIRE DOWN", 8},
    {"FIRE BOTTOM LEFT (if not present, use any key)", 9},
    {"FIRE BOTTOM RIGHT (if not present, use any key)", 10},
    {"FIRE TOP LEFT (if not present, use any key)", 11},
    {"FIRE TOP RIGHT (if not present, use any key)", 12},
    {"CHANGE ZOOM LEVEL", 19},
    {"TOGGLE AUTOMAP", 32},
    {"SHOW LOAD GAME MENU", 21},
    {"SHOW SAVE GAME MENU", 22},
};
const PROMPT PAGE2[] = {
    {"SHOW GAME HELP", 20},
    {"SELECT WEAPON 1 (SCRAP GUN)", 23},
    {"SELECT WEAPON 2 (RANGE SHOTGUN)", 24},
    {"SELECT WEAPON 3 (POWER SHOTGUN)", 25},
    {"SELECT WEAPON 4 (CHAINGUN)", 26},
    {"SELECT WEAPON 5 (ROCKET LAUNCHER)", 27},
    {"SELECT WEAPON 6 (FLAMETHROWER)", 28},
    {"SELECT WEAPON 7 (NRG - 8000)", 29},
    {"SELECT WEAPON 8 (PLASMA RIFLE)", 30},
    {"SELECT WEAPON 9 (MINI GUN)", 31},
};

// One idle step while a prompt waits: the banner animation and one event.
void IDLESTEP() {
  MENUIDLE();
  HANDLESDLEVENTS();
}

// The empty framed backdrop the prompts are written into.
void BACKDROPPAGE() {
  WINDOWEMULATOR(1, 1, 80, 25);
  for (int i = 1; i <= 22; i++) ITEM[i] = std::string(50, ' ');
  MENU("Define keys :", 22, 1, 1, SHOW, 15, NOTWAIT, false);
  WINDOWEMULATOR(2, 2, 80, 25);
  TEXTCOLOREMULATOR(15);
  GOTOXYEMULATOR(1, 1);
}

// Asks every prompt of a page; false when one was answered with Escape.
template <size_t N>
bool ASKPAGE(const PROMPT (&page)[N]) {
  for (const PROMPT& p : page) {
    KEYSTATUS[p.SLOT].KEY = static_cast<uint32_t>(ASSIGNKEY(p.TEXT));
    if (KEYSCREENABORTED) return false;
  }
  return true;
}
}  // namespace

int32_t ASSIGNKEY(const std::string& prompt) {
  // A key still down from before the prompt is not an answer.
  do {
    LASTSDLKEY = UNBOUNDKEY;
    IDLESTEP();
  } while ((LASTSDLKEY != UNBOUNDKEY || ANYKEYDOWN()) && !QUITREQUESTED);
  WRITETEXT(prompt + " - ", true);
  int32_t key = ESCAPEKEY;
  if (!QUITREQUESTED) {
    do {
      LASTSDLKEY = UNBOUNDKEY;
      IDLESTEP();
    } while (LASTSDLKEY == UNBOUNDKEY && !QUITREQUESTED);
    if (!QUITREQUESTED) key = LASTSDLKEY;
    // Taken on its release.
    while (key >= 0 && key <= MAXSDLKEY && KEYDOWNNOW[key] && !QUITREQUESTED) IDLESTEP();
  }
  WRITELNTEXT(KEYNAME(key), true);
  STARTSOUND1(67, 67, false);
  DELAYEMULATOR(500);
  CLEARTYPEDKEYS();
  if (key == ESCAPEKEY) KEYSCREENABORTED = true;
  return key;
}

void DEFINEKEYS() {
  KEYSCREENABORTED = false;
  const bool stars = SHOWSTARS;
  SHOWSTARS = false;
  RENDERBLUE();
  DISPLAYLOGO();
  BACKDROPPAGE();
  bool done = ASKPAGE(PAGE1);
  if (done) {
    BACKDROPPAGE();
    done = ASKPAGE(PAGE2);
  }
  if (done)
    SAVEKEYCONFIG();
  else
    LOADKEYCONFIG();
  WINDOWEMULATOR(1, 1, 80, 25);
  CLRSCREMULATOR(false);
  DISPLAYLOGO();
  PUSHDISPLAY();
  SHOWSTARS = stars;
}
