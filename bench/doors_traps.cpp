// Cost of the door, trap and goal steps on full tables: 255 doors of 3 x 2
// cells, all open and counting down (and one being touched every call), 255
// repeating traps whose cells hold what sets them off (half of them writing
// their destination anew every tick), 32 portals, and the goal check.
//
//   build/bench_doors_traps [ticks]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "benchsetup.h"
#include "display/input.h"
#include "game/doors.h"
#include "game/goals.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapscan.h"

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 20000;
  BENCHEMPTYLEVEL();
  PLAYERX[1] = 80;
  PLAYERY[1] = 99;
  KEYS[1][1] = true;
  NUMBEROFDOORS = 0;
  for (int d = 1; d <= MAX_DOORS; d++) {
    const int x = 2 + (d % 50) * 3, y = 2 + (d / 50) * 3;
    NUMBEROFDOORS = static_cast<BYTE>(d);
    DOORTYPE[d] = 1;
    DOORX[d] = static_cast<BYTE>(x);
    DOORY[d] = static_cast<BYTE>(y);
    DOORMAXX[d] = static_cast<BYTE>(x + 2);
    DOORMAXY[d] = static_cast<BYTE>(y + 1);
    DTIMER[d] = 10;
  }
  COMMANDS = 0;
  for (int i = 1; i <= MAX_TRAPS; i++) {
    const int x = 2 + (i % 150), y = 40 + i / 150;
    COMMANDS = static_cast<uint16_t>(i);
    TRAPX[i] = static_cast<BYTE>(x);
    TRAPY[i] = static_cast<BYTE>(y);
    MAP[x][y] = 'M';
    DESTX[i] = static_cast<BYTE>(x);
    DESTY[i] = static_cast<BYTE>(y + 20);
    DESTSYMBOL[i] = i % 2 == 0 ? 'R' : '0';  // '0' is stored as 'R': it writes every tick
    TRAPREPEAT[i] = true;
    TRAPACTIVATOR[i] = 1;
  }
  NUMPORTALS = MAX_PORTALS;
  for (int i = 1; i <= MAX_PORTALS; i++) {
    PORTALX[i] = static_cast<BYTE>(i * 4);
    PORTALY[i] = 70;
    PORTALLEVEL[i] = 121;
  }

  auto t0 = BENCHCLOCK::now();
  for (int t = 0; t < ticks; t++) {
    for (int d = 1; d <= MAX_DOORS; d++)
      if (DTIMER[d] == 0) DTIMER[d] = 10;
    DOORS();
  }
  const double doorsMs = BENCHWALLMS(t0);
  t0 = BENCHCLOCK::now();
  for (int t = 0; t < ticks; t++) CHECKFORTRAPS();
  const double trapsMs = BENCHWALLMS(t0);
  t0 = BENCHCLOCK::now();
  for (int t = 0; t < ticks; t++) CHECKGOALS();
  const double goalsMs = BENCHWALLMS(t0);
  std::printf("doors: %d doors, %.2f us a call\n", NUMBEROFDOORS, doorsMs * 1000.0 / ticks);
  std::printf("traps: %d traps, %.2f us a tick\n", COMMANDS, trapsMs * 1000.0 / ticks);
  std::printf("goals: %d portals, %.2f us a tick\n", NUMPORTALS, goalsMs * 1000.0 / ticks);
  return 0;
}
