// Lighting costs per engine tick on generated level 5: the static layer, the
// lamps, the torch and a busy tick's light stamps, plus the level-load
// tagging of 50 ring lights. Prints processor time per operation.
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "benchsetup.h"
#include "display/input.h"
#include "game/items.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "render/torch.h"
#include "base/random.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace {
template <typename F>
double timePerCall(int reps, F fn) {
  const std::clock_t t0 = std::clock();
  for (int i = 0; i < reps; i++) fn();
  return BENCHCPUMS(t0) / reps;
}
}  // namespace

int main() {
  BENCHLEVEL5();
  // The player stands in the open near the middle of the level, where the
  // torch and lamps have the most to light.
  for (int r = 0; r < 40 && !(MAP[PLAYERX[1]][PLAYERY[1]] == ' ' && PLAYERX[1] > 50); r++)
    for (int x = 80 - r; x <= 80 + r; x++)
      if (MAP[x][50] == ' ') {
        PLAYERX[1] = static_cast<BYTE>(x);
        PLAYERY[1] = 50;
        break;
      }
  const int px = PLAYERX[1], py = PLAYERY[1];
  std::printf("level 5: %d x %d, player at (%d, %d), %d lamps from the map\n", MAPSIZEX, MAPSIZEY, px,
              py, NUMTRULITES);

  // 50 map lights: rings of radius 0..30 and rectangles, half on patterns.
  NUMBEROFPATTERNS = 4;
  for (int p = 1; p <= 4; p++) {
    PCOLOR[p] = static_cast<BYTE>(3 + p);
    for (int i = 1; i <= PCOLOR[p]; i++) LPATTERN[p][i] = static_cast<BYTE>((i * p) % 16);
  }
  NUMBEROFLIGHTS = 50;
  for (int n = 1; n <= 50; n++) {
    LIGHTTYPE[n] = n % 3 == 0 ? 1 : 2;
    LIGHTX1[n] = static_cast<BYTE>(1 + (n * 37) % 150);
    LIGHTY1[n] = static_cast<BYTE>(1 + (n * 53) % 90);
    LIGHTX2[n] = LIGHTTYPE[n] == 1 ? static_cast<BYTE>(LIGHTX1[n] + 8) : 0;
    LIGHTY2[n] = LIGHTTYPE[n] == 1 ? static_cast<BYTE>(LIGHTY1[n] + 6) : 30;
    LIGHTHOW[n] = n % 2 == 0 ? static_cast<BYTE>(1 + n % 4) : static_cast<BYTE>(100 + n % 16);
    LIGHTRANDOM[n] = n % 4 == 0;
  }
  const double calc = timePerCall(20, [] {
    for (int x = 1; x <= MAX_MAPWIDTH; x++)
      for (int y = 1; y <= MAX_MAPHEIGHT; y++) OOGA[x][y] = 128;
    CALCLIGHTS();
  });
  std::printf("CALCLIGHTS, 50 lights (rings of radius 30): %.3f ms per level load\n", calc);

  const int reps = 2000;
  const double manage = timePerCall(reps, [] { MANAGELIGHTNING(); });

  // Lamps: those of the map plus a ring of lamps around the player up to 80.
  for (int i = 0; NUMTRULITES < MAX_TRUELIGHTS; i++)
    ADDTRULITE(px + (i % 9) * 4 - 16, py + (i / 9 % 7) * 4 - 12, false);
  const double lamps = timePerCall(reps, [] { DRAWTRULITES(); });

  INVENTORY[1] = "i   ";
  CHOSENITEM[1] = 1;
  PLAYERRES[1].LUMBER = 200;
  const double torch = timePerCall(reps, [] { MANAGETORCH(1); });

  // A busy tick: a flame light, a shot, a monster chain gun, an explosion
  // with its blast and after-glow, and a coloured shot.
  const double stamps = timePerCall(reps, [px, py] {
    CHECKLIGHT(px + 3, py, 7);
    CHECKLIGHT(px - 2, py + 1, 3);
    CHECKLIGHT5(px, py + 4, 3);
    CHECKLIGHT2_MODERN(px + 5, py - 3, 8);
    CHECKLIGHT11_MODERN(px + 5, py - 3, 4);
    CHECKLIGHT9(px - 4, py - 2, 2, 11);
  });
  // The blast pushes monsters; keep the level's monsters for later lines.
  std::printf("per tick: MANAGELIGHTNING %.4f ms, DRAWTRULITES (80 lamps near the player) %.4f ms, "
              "MANAGETORCH %.4f ms, six stamps of a busy tick %.4f ms\n",
              manage, lamps, torch, stamps);
  std::printf("lighting share of a busy tick: %.4f ms of the 33 ms frame (%.2f %%)\n",
              manage + lamps + torch + stamps, 100.0 * (manage + lamps + torch + stamps) / 33.0);
  return 0;
}
