// Cost of the map scripts: parsing a script file of the largest size the game
// reads (1 MiB of entry lines), and the per-tick check of every entry for a
// level with N entries (a fifth of them dark areas), the player standing
// outside every area.
//
//   build/bench_map_script [entries] [ticks]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchsetup.h"
#include "game/players.h"
#include "render/lighting.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapscan.h"
#include "world/mapscript.h"

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::atoi(argv[1]) : 500;
  const int ticks = argc > 2 ? std::atoi(argv[2]) : 2000;

  // Parsing: lines of about 60 bytes up to the 1 MiB bound.
  std::string line = "120,voice,40,12,6,4,REQ:other,TIMER:3,AMB:61,-\"Go north, then east.\"";
  const int lines = static_cast<int>(MAX_SCRIPT_FILE_BYTES / (line.size() + 1));
  NEWSCRIPT.clear();
  auto t0 = BENCHCLOCK::now();
  for (int i = 0; i < lines; i++) ADDNEWSCRIPTENTRY(line);
  const double parseMs = BENCHWALLMS(t0);
  std::printf("parse: %d lines (%zu entries) in %.1f ms, %.2f us a line\n", lines, NEWSCRIPT.size(),
              parseMs, parseMs * 1000.0 / lines);

  // The per-tick check.
  BENCHEMPTYLEVEL();
  PLAYERX[1] = 1;
  PLAYERY[1] = 1;
  NEWSCRIPT.clear();
  for (int i = 0; i < entries; i++) {
    const int x = 2 + (i * 7) % 150, y = 2 + (i * 3) % 90;
    std::string l = "120,v" + std::to_string(i) + "," + std::to_string(x) + "," + std::to_string(y) +
                    (i % 5 == 0 ? ",4,3,DARK:FLICKER," : ",3,REQ:v0,REQNOT:v1,TIMER:2,");
    ADDNEWSCRIPTENTRY(l + "-\"text, with a comma\"");
  }
  t0 = BENCHCLOCK::now();
  for (int t = 0; t < ticks; t++) CHECKNEWSCRIPT();
  const double tickMs = BENCHWALLMS(t0);
  std::printf("check: %d entries, %.1f us a tick (%.3f us an entry)\n", NEWSCRIPTENTRIES,
              tickMs * 1000.0 / ticks, tickMs * 1000.0 / ticks / (entries > 0 ? entries : 1));
  return 0;
}
