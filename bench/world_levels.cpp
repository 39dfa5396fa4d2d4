// Level set-up and sight costs: loading and scanning a full 160 x 100 map,
// generating the random levels 1..99, and one sight sweep of a 33 x 25 view
// window. Prints the processor time per operation.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "benchsetup.h"
#include "render/los.h"
#include "base/random.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"
#include "world/randommap.h"

namespace {
// A full-size map with rooms, doors, monsters, items and a trailer.
std::string fullMap() {
  std::string s;
  RANDSEED(1);
  for (int ln = 1; ln <= 100; ln++) {
    for (int x = 1; x <= 160; x++) {
      char c = ' ';
      if (ln == 1 || ln == 100 || x == 1 || x == 160) c = 'R';
      else if (x % 20 == 0 && ln % 7 != 0) c = 'R';
      else if (x % 20 == 0) c = 'q';
      else {
        int r = random(100);
        c = r < 3 ? 'M' : r < 5 ? '[' : r < 7 ? 'T' : r < 8 ? 'H' : r < 9 ? 'F' : ' ';
      }
      if (ln == 2 && x == 2) c = 'P';
      s += c;
    }
    s += '\n';
  }
  s += ":Benchmark\n@158,98-101\n";
  for (int i = 1; i <= 50; i++) s += "L" + std::to_string(i) + ",1," + std::to_string(i + 5) + ",20-105\n";
  for (int i = 1; i <= 200; i++) s += "5," + std::to_string(i % 90 + 2) + ",6,6-R:1\n";
  return s;
}
}  // namespace

int main(int argc, char** argv) {
  std::filesystem::current_path(ASHEN_SOURCE_DATA);
  const std::string tmp = (std::filesystem::temp_directory_path() / "ashen_bench_map.txt").string();
  std::ofstream(tmp) << fullMap();

  const int loads = 50;
  std::clock_t t0 = std::clock();
  for (int i = 0; i < loads; i++) {
    MAPSIZEX = MAPSIZEY = 0;
    PRELOADMAPINIT();
    LOADMAPFILE(tmp, 120);
    ASSIGNCOLORS();
    SCANMAP(120);
  }
  std::printf("load + scan of a full 160 x 100 map: %.3f ms\n", BENCHCPUMS(t0) / loads);

  int first = 1, last = 99;
  if (argc > 1) last = std::atoi(argv[1]);
  t0 = std::clock();
  double worst = 0;
  for (int n = first; n <= last; n++) {
    const std::clock_t t1 = std::clock();
    LOADMAP(static_cast<BYTE>(n));
    worst = std::max(worst, BENCHCPUMS(t1));
  }
  std::printf("random level (template load + GENERATERANDOMMAP), levels %d..%d: %.1f ms mean, %.1f ms worst\n",
              first, last, BENCHCPUMS(t0) / (last - first + 1), worst);

  // Sight sweep: every cell of a 33 x 25 window around the player of level 5.
  LOADMAP(5);
  ASSIGNCOLORS();
  SCANMAP(5);
  const int sweeps = 2000;
  const int px = 40, py = 50;
  int seen = 0;
  t0 = std::clock();
  for (int s = 0; s < sweeps; s++)
    for (int x = px - 16; x <= px + 16; x++)
      for (int y = py - 12; y <= py + 12; y++) seen += SEESLOS(px, py, x, y, false);
  std::printf("SEESLOS sweep of a 33 x 25 window: %.3f ms (%d of %d cells seen)\n", BENCHCPUMS(t0) / sweeps,
              seen / sweeps, 33 * 25);
  std::filesystem::remove(tmp);
  return 0;
}
