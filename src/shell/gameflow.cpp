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
bool SHOWSTARS = false;

bool DEATHMATCH() { return CURRENTMAP == 50; }
bool SURVIVAL() { return CURRENTMAP > 70 && CURRENTMAP < 80; }

#include <string>

#include "shell/harness.h"
#include "shell/startscreen.h"
#include "ui/startmenu.h"
#include "world/mapscan.h"

void GLOBALINIT() {
  // New-game reset; every game unit adds its part as it arrives.
  NEXTMAP = 1;
  VICTORY = 0;
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

void HOLLOWMERE() {
  if (LAUNCHED_FROM_MD) {
    GLOBALINIT();
    MYNUMBER = 1;
    LINKACTIVE = false;
    CURRENTMAP = launchLevel();
    GAMEDIFFICULTY = 1;
    INITMAP(CURRENTMAP);
    // The engine tick plays the level here once it exists; a direct launch
    // ends the game flow after this one level.
    return;
  }
  STARTMENU();
}
