// The game flow: the title music and the main menu, the new-game menus
// (difficulty, chapter), and the level loop that follows portals from level
// to level until the game ends, then back to the menu until the player quits.
#include "shell/gameflow.h"

#include <cstdio>
#include <string>

#include "base/harness.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/input.h"
#include "game/goals.h"
#include "game/items.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/weapons.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflowmenu.h"
#include "shell/linkflow.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "ui/keyscreen.h"
#include "ui/widgets.h"
#include "world/grid.h"
#include "world/levelclock.h"
#include "world/levelstate.h"
#include "world/mapscan.h"
#include "world/mapscript.h"

BYTE CURRENTMAP = 1;
BYTE NEXTMAP = 1;
BYTE VICTORY = 0;
BYTE GAMEDIFFICULTY = 1;
BYTE BESTMAP = 1;
bool LOADINGGAME = false, LOADINGFROMMENU = false, GAMELOADED = false;
BYTE DOOGA = 0;

namespace {
// Starting energies per monster type, restored by every new game.
const uint16_t ELIMITDEFAULT[ALLMONSTERS + 1] = {0, 50, 200, 100, 100, 1, 1000, 100, 400, 100, 50, 75, 4000};

const char* const CHAPTERNAMES[CHAPTERCOUNT + 1] = {
    "", "DAY I:   Served", "DAY II:  Remains", "DAY III: Warzone",
    "DAY IV:  Exodus", "DAY V:   Sand", "DAY VI:  Defense"};
}  // namespace

void GLOBALINIT() {
  NEXTMAP = 1;
  VICTORY = 0;
  // The vocabulary of the map symbols and the key names.
  MLOOKS = "MNZIXUJDECmx";
  KEYSLOOK = "asdfghjkl;";
  KEYNAMES[6] = "Alpha";
  KEYNAMES[7] = "Beta";
  KEYNAMES[8] = "Gamma";
  KEYNAMES[9] = "Delta";
  KEYNAMES[10] = "Epsilon";
  GARBLECHOICE = "//\\-";
  for (int t = 0; t <= ALLMONSTERS; t++) ELIMIT[t] = ELIMITDEFAULT[t];
  // The players: health, armour, weapons, ammunition, inventory and keys.
  RESETPLAYERSTATE();
  for (BYTE p = 1; p <= 2; p++) {
    ARMOR[p] = 0;
    RESETWEAPONS(p);
    PLAYERRES[p] = RES();
    for (int k = 1; k <= 10; k++) KEYS[p][k] = false;
  }
  VIEWZOOM = VIEWZOOMTO = VIEWZOOMDEFAULT = 125;
  VIEWZOOMZOOMEDOUT = 100;
  ZOOMCOUNT = 0;
  // The campaign's script entries, read once per game.
  LOADNEWSCRIPT();
}

BYTE LAUNCHLEVEL(const std::string& p) {
  int n = 0;
  for (char c : p) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > 255) return 1;
  }
  return static_cast<BYTE>(n);
}

std::string CHAPTERITEM(int chapter) {
  if (chapter < 1 || chapter > CHAPTERCOUNT) return "";
  return (chapter == 1 || chapter <= CHAPTERSUNLOCKED) ? CHAPTERNAMES[chapter] : ":: LOCKED ::";
}

BYTE CHOOSECHAPTER() {
  for (;;) {
    RENDERBLUE();
    DISPLAYLOGO();
    for (int c = 1; c <= CHAPTERCOUNT; c++) ITEM[c] = CHAPTERITEM(c);
    ITEM[CHAPTERCOUNT + 1] = "Exit";
    const BYTE g = MENU("Select Chapter:", CHAPTERCOUNT + 1, 25, 9, SELECT, 1, WAIT, true);
    if (g == 0 || g > CHAPTERCOUNT) return 0;
    // A locked chapter shows the menu again.
    if (g == 1 || g <= CHAPTERSUNLOCKED) return g;
  }
}

namespace {
// The title music: slot 60 looped under reference 60 and, unless "8bit" is
// given, also under references 61, 62 and 63; stopped under the same ones.
void STARTTITLEMUSIC() {
  if (SOUNDPLAYING1(60)) return;
  const int last = PARAM("8bit") ? 60 : 63;
  for (int r = 60; r <= last; r++) STARTSOUND1(60, static_cast<BYTE>(r), true);
}
void STOPTITLEMUSIC() {
  const int last = PARAM("8bit") ? 60 : 63;
  for (int r = 60; r <= last; r++) STOPSOUND1(static_cast<BYTE>(r));
}

// Difficulty, then chapter. False when the player backs out to the title.
bool NEWGAMEMENUS() {
  // Each menu stands alone on the backdrop.
  RENDERBLUE();
  DISPLAYLOGO();
  ITEM[1] = "VETERAN (recommended)";
  ITEM[2] = "SURVIVALIST (brutal)";
  ITEM[3] = "Exit";
  const BYTE d = MENU("Difficulty?", 3, 25, 9, SELECT, 1, WAIT, true);
  if (d == 0 || d == 3) return false;
  GAMEDIFFICULTY = d;
  const BYTE chapter = CHOOSECHAPTER();
  if (chapter == 0) return false;
  CURRENTMAP = static_cast<BYTE>(99 + chapter);
  return true;
}

// Levels one after another until the game leaves the loop: a level ended
// through a portal leads to the next one, anything else back to the title.
void LEVELLOOP() {
  for (;;) {
    if (!LOADINGGAME) {
      INITMAP(CURRENTMAP);
      RESETLEVELCLOCK();
      // A level left earlier in this game resumes as it was left, without
      // its intro; a refused state file leaves the fresh level (the reader
      // has said why).
      if (LOADMAPINFO(CURRENTMAP)) {
        RESUMELEVELCLOCK();
      } else {
        PREMAPCUTSCENE(CURRENTMAP);
        if (!LEVELSTATEERROR.empty())
          INFORM(MYNUMBER, "The stored state of this level is damaged: it starts afresh.", 12);
      }
    }
    // The Escape that may have ended a menu does not reach the engine.
    if (PORT60[1] == 1) PORT60[1] = 255;
    ENGINETEST();
    if (LAUNCHED_FROM_MD) return;
    if (CURRENTMAP > BESTMAP) BESTMAP = CURRENTMAP;
    if (VICTORY == 1) {
      // The level is kept as it is left, to resume there if the game comes
      // back. A failed write only costs that: the level would start afresh.
      if (!SAVEMAPINFO(CURRENTMAP)) std::fprintf(stderr, "ashenreach: %s\n", LEVELSTATEERROR.c_str());
      YOUWIN();
      VICTORY = 0;
      continue;
    }
    if (VICTORY == 2) GAMEWONYES();
    return;
  }
}
}  // namespace

void HOLLOWMERE() {
  bool music = true;
  for (;;) {
    if (music) STARTTITLEMUSIC();
    music = true;
    SHOWSTARS = true;
    BYTE choice = 1;
    if (LINKFROMCOMMANDLINE()) {
      GLOBALINIT();
      choice = MM_LINKED;
    } else if (LAUNCHED_FROM_MD)
      GLOBALINIT();
    else
      choice = MAINMENUSTUFF();
    SHOWSTARS = false;
    STOPTITLEMUSIC();
    LOADINGFROMMENU = false;
    DOOGA = choice;
    CURRENTMAP = 1;
    VICTORY = 0;
    switch (choice) {
      case 1:
        MYNUMBER = 1;
        PLAYERNAME[1] = MYNAME;
        LINKACTIVE = false;
        // A new game starts every level from its map file.
        CLEARMAPINFO();
        if (LAUNCHED_FROM_MD) {
          CURRENTMAP = LAUNCHLEVEL(GAMEPARAMS[0]);
          GAMEDIFFICULTY = 1;
          // The level's start-up script entries apply their overrides again.
          RESETSTARTUPSCRIPTENTRIESFORMAP(CURRENTMAP);
        } else if (!NEWGAMEMENUS()) {
          if (QUITREQUESTED) return;
          continue;
        }
        break;
      case MM_LINKED:
        if (!LINKGAMESTART()) {
          if (QUITREQUESTED || LINKFROMCOMMANDLINE()) return;
          continue;
        }
        break;
      case 3:
        MYNUMBER = 1;
        LINKACTIVE = false;
        PORT60[1] = 61;
        LOADINGGAME = true;
        LOADINGFROMMENU = true;
        break;
      case 5:
        QUITREQUESTED = false;
        return;
      case 6:
        PREMAPCUTSCENE(0);
        continue;
      case 11:
        CHEAT = !CHEAT;
        music = false;
        continue;
      case 12:
        music = false;
        continue;
      case 13:
        DEFINEKEYS();
        continue;
      default:
        break;
    }
    LEVELLOOP();
    if (LINKACTIVE) LINKGAMEEND();
    if (LAUNCHED_FROM_MD || LINKFROMCOMMANDLINE()) return;
  }
}
