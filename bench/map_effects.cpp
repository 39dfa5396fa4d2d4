// Per-frame cost of the map effects and of a driven tank on generated level 5
// (160 x 100): the general effect's column, the light field of level 104 (a
// pass over the whole light grid), the read-outs of level 108, one tank step
// and one tank shell. Prints processor time per call.
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "benchsetup.h"
#include "base/random.h"
#include "game/explosions.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/tankdrive.h"
#include "game/tanks.h"
#include "render/lighting.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapeffects.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace {
// Processor time: the machines here are shared.
double msPerCall(int reps, void (*fn)()) {
  const std::clock_t t0 = std::clock();
  for (int i = 0; i < reps; i++) fn();
  return BENCHCPUMS(t0) / reps;
}

void level104() {
  CURRENTMAP = 104;
  HANDLECUSTOMMAPEFFECTS();
}
void level108() {
  CURRENTMAP = 108;
  HANDLECUSTOMMAPEFFECTS();
}
// The tank rolls one cell right and back (two steps).
void tankStep() {
  MOVETANK(1, 1, 0);
  MOVETANK(1, -1, 0);
}
void tankShell() {
  SHOOT(1);
  CLEARPROJECTILES();
}
}  // namespace

int main() {
  BENCHLEVEL5();
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) MAPPP[x][y].BRIGHTNESS = MAPPP[x][y].INITIALBRIGHTNESS;
  std::printf("level 5: %d x %d\n", MAPSIZEX, MAPSIZEY);
  std::printf("general effect (one column):   %.5f ms\n", msPerCall(20000, HANDLEFANCYMAPEFFECTS));
  std::printf("level 104 light field:         %.5f ms\n", msPerCall(2000, level104));
  std::printf("level 108 read-outs:           %.5f ms\n", msPerCall(20000, level108));

  // A tank in an open 5 x 3 pocket cut into the level, its driver inside,
  // firing east along a 40-cell corridor.
  for (int x = 60; x <= 110; x++)
    for (int y = 48; y <= 52; y++) MAP[x][y] = ' ';
  MAP[111][50] = 'R';
  NUMBEROFTANKS = 0;
  ADDTANK(60, 51);
  TURRET[1] = 8;
  INTANK[1] = 1;
  TANKFIRST[1] = 1;
  std::printf("tank step (move and stamp):    %.5f ms\n", msPerCall(20000, tankStep) / 2);
  std::printf("tank shell (trace and blast):  %.5f ms\n", msPerCall(20000, tankShell));
  return 0;
}
