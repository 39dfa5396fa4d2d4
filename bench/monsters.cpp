// Cost of the monster step with a full monster table: 4096 monsters of all
// twelve kinds, all awake, on a generated 160 x 100 level. Prints ms per
// MONSTERS call (mean, median, worst, and the mean for each of the 12 phases
// of the speed dividers), then ms per whole engine frame with and without
// the crowd. The player wears armour that no monster gets through, so that
// the level keeps running.
//
//   build/bench_monsters [calls] [frames] [level]
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchsetup.h"
#include "base/harness.h"
#include "base/random.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapscan.h"

namespace {
// Processor time of this thread in ms: the machine is shared, and time spent
// waiting for a core is not the monster step's.
double cpuMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void keepPlayerAlive() {
  ARMOR[1] = 1e12;
  PLAYERHEALTH[1] = 100;
  DEAD[1] = false;
  VICTORY = 0;
}

double timeFrames(int frames) {
  keepPlayerAlive();
  return BENCHFRAMES(frames);
}

// Fills the table up to 4096 with kinds 1..12 in turn on free cells, all awake.
void fillTable() {
  int kind = 0;
  for (int tries = 0; NUMBEROFMONSTERS < MAX_MONSTERS && tries < 1000000; tries++) {
    const int x = 2 + random(MAPSIZEX - 2), y = 2 + random(MAPSIZEY - 2);
    if (MAP[x][y] != ' ') continue;
    ADDMONSTER(static_cast<BYTE>(x), static_cast<BYTE>(y), static_cast<BYTE>(1 + kind++ % ALLMONSTERS), 0);
  }
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++) SAW[m] = 1;
}
}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 1200;
  const int frames = argc > 2 ? std::atoi(argv[2]) : 300;
  const int level = argc > 3 ? std::atoi(argv[3]) : 5;
  if (!BENCHGAME("bench_monsters", 320, 180)) return 1;
  CURRENTMAP = static_cast<BYTE>(level);
  INITMAP(CURRENTMAP);
  std::printf("level %d, map %dx%d, %d monsters placed by the level\n", level, int(MAPSIZEX), int(MAPSIZEY),
              int(NUMBEROFMONSTERS));
  const double plainframe = timeFrames(frames);

  INITMAP(CURRENTMAP);
  fillTable();
  int kinds[ALLMONSTERS + 1] = {};
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++) kinds[MONSTERTYPE[m]]++;
  std::printf("table filled: %d monsters, all awake; per kind:", int(NUMBEROFMONSTERS));
  for (int k = 1; k <= ALLMONSTERS; k++) std::printf(" %d", kinds[k]);
  std::printf("\n");

  keepPlayerAlive();
  for (int i = 0; i < 12; i++) MONSTERS();  // warm-up
  std::vector<double> t(calls), cpu(calls);
  // Mean by the counter values after the advance, key c1 + 4 * (c2 + 6 * c3).
  double phase[48] = {};
  int phasecount[48] = {};
  for (int i = 0; i < calls; i++) {
    keepPlayerAlive();
    const auto s = BENCHCLOCK::now();
    const double c0 = cpuMs();
    MONSTERS();
    cpu[i] = cpuMs() - c0;
    t[i] = BENCHWALLMS(s);
    const int ph = MONSTERCOUNTER1 + 4 * (MONSTERCOUNTER2 + 6 * MONSTERCOUNTER3);
    phase[ph] += cpu[i];
    phasecount[ph]++;
  }
  for (std::vector<double>* v : {&t, &cpu}) {
    std::vector<double> sorted = *v;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double x : sorted) sum += x;
    std::printf("MONSTERS with %d monsters, %s: mean %.3f ms, median %.3f ms, worst %.3f ms per call (%d calls)\n",
                int(NUMBEROFMONSTERS), v == &t ? "wall clock" : "thread CPU time", sum / calls, sorted[calls / 2],
                sorted.back(), calls);
  }
  std::printf("  CPU time by the counters after the advance (c1 c2 c3 -> mean ms):\n");
  for (int ph = 0; ph < 48; ph++)
    if (phasecount[ph] > 0)
      std::printf("    %d %d %d -> %.3f\n", ph % 4, (ph / 4) % 6, ph / 24, phase[ph] / phasecount[ph]);
  std::printf("  monsters left %d\n", int(NUMBEROFMONSTERS));

  const double crowdframe = timeFrames(frames);
  std::printf("engine frame (headless 320x180): %.3f ms with the level's own monsters, %.3f ms with %d\n",
              plainframe, crowdframe, int(NUMBEROFMONSTERS));
  DONEVIDEO();
  return 0;
}
