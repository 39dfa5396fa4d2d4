// Survival placement cost: where the next tier goes after a kill on each
// survival level, with the player at the level's start. Each placement may
// run up to 101 (first search) plus 100 (second search) reachability walks,
// so this is the frame hitch a kill can cause. Prints processor time.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "base/random.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/survival.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace {
double msSince(std::clock_t t0) { return 1000.0 * double(std::clock() - t0) / CLOCKS_PER_SEC; }
}  // namespace

int main() {
  std::filesystem::current_path(ASHEN_SOURCE_DATA);
  NUMBEROFPLAYERS = 1;
  double total = 0, worst = 0;
  int n = 0;
  for (int level = 71; level <= 79; level++) {
    CURRENTMAP = static_cast<BYTE>(level);
    LOADMAP(static_cast<BYTE>(level));
    ASSIGNCOLORS();
    SCANMAP(static_cast<BYTE>(level));
    SURVIVALFALLBACKS = 0;
    for (int k = 0; k < 20; k++) {
      PLAYERHEALTH[1] = 100 - k;  // the reseed differs per kill
      RANDSEED(static_cast<uint64_t>(PLAYERHEALTH[1] + PLAYERHEALTH[2]));
      BYTE px = 0, py = 0;
      const std::clock_t t0 = std::clock();
      SURVIVALPLACE(static_cast<BYTE>(PLAYERX[1] + 3), PLAYERY[1], px, py);
      const double ms = msSince(t0);
      total += ms;
      worst = std::max(worst, ms);
      n++;
    }
    std::printf("level %d: %u of 20 placements fell back to the death cell\n", level,
                unsigned(SURVIVALFALLBACKS));
  }
  std::printf("next-tier placement near the start: %.2f ms mean, %.2f ms worst (%d kills)\n",
              total / n, worst, n);
  return 0;
}
