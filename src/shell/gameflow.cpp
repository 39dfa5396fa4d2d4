// The game flow. For now: a direct launch sets up the numbered level; without
// a level number the start menu runs until the player quits.
#include "shell/gameflow.h"

#include <cstdlib>

#include "shell/startup.h"

BYTE CURRENTMAP = 1;
BYTE NEXTMAP = 1;
BYTE VICTORY = 0;
BYTE GAMEDIFFICULTY = 1;
BYTE BESTMAP = 1;
bool LOADINGGAME = false, LOADINGFROMMENU = false, GAMELOADED = false;
BYTE DOOGA = 0;

bool DEATHMATCH() { return CURRENTMAP == 50; }
bool SURVIVAL() { return CURRENTMAP > 70 && CURRENTMAP < 80; }

#include <string>

#include "display/input.h"
#include "game/items.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/weapons.h"
#include "render/view.h"
#include "shell/engine.h"
#include "base/harness.h"
#include "world/grid.h"
#include "shell/startscreen.h"
#include "sound/sound.h"
#include "ui/startmenu.h"
#include "world/mapscan.h"
#include "world/mapscript.h"

void GLOBALINIT() {
  // New-game reset; every game unit adds its part as it arrives.
  NEXTMAP = 1;
  VICTORY = 0;
  KEYNAMES[6] = "Alpha";
  KEYNAMES[7] = "Beta";
  KEYNAMES[8] = "Gamma";
  KEYNAMES[9] = "Delta";
  KEYNAMES[10] = "Epsilon";
  GARBLECHOICE = "//\\-";
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
  LOADNEWSCRIPT();
}

namespace {
// The level number of a direct launch: the leading digits of the first
// parameter. A number that does not fit a level byte starts level 1, as a
// missing level file does.
BYTE launchLevel() {
  const std::string& p = GAMEPARAMS[0];
  int n = 0;
  for (char c : p) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > 255) return 1;
  }
  return static_cast<BYTE>(n);
}
}  // namespace

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
}  // namespace

void HOLLOWMERE() {
  STARTTITLEMUSIC();
  if (LAUNCHED_FROM_MD) {
    STOPTITLEMUSIC();
    // Straight into the level named on the command line: a new single-player
    // game at difficulty 1, and the end of the game flow after that level.
    GLOBALINIT();
    SHOWSTARS = false;
    LOADINGFROMMENU = false;
    DOOGA = 1;
    MYNUMBER = 1;
    LINKACTIVE = false;
    CURRENTMAP = launchLevel();
    GAMEDIFFICULTY = 1;
    // The level's start-up script entries apply their display overrides again.
    RESETSTARTUPSCRIPTENTRIESFORMAP(CURRENTMAP);
    INITMAP(CURRENTMAP);
    // The stored level states arrive with their loader; its reset runs now.
    PRELOADMAPINFOINIT();
    // The Escape that may have ended a menu does not reach the engine.
    if (PORT60[1] == 1) PORT60[1] = 255;
    ENGINETEST();
    return;
  }
  STARTMENU();
  STOPTITLEMUSIC();
}
