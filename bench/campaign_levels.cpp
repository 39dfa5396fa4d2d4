// Campaign level costs: the set-up of every level of the campaign "main" that
// has a map (load, colours, scan, lights: what the game does on entering it),
// then whole engine frames on the busiest of them (the one with the most
// monsters after the scan) on the headless back-end.
//
//   build/bench_campaign_levels [frames] [width] [height]
//
// Set-up times are processor time (the machines here are shared); the frame
// time is wall-clock time of frames whose pacing wait the virtual clock makes
// free. At 1280 x 720 most of a headless frame is software pixel filling that
// the GL back-end leaves to the GPU; a small size (e.g. 320 180) shows the
// game's own share.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "benchsetup.h"
#include "base/harness.h"
#include "base/random.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "game/monsters.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapscan.h"

namespace fs = std::filesystem;

namespace {
// The campaign's level numbers, from the map files present.
std::vector<int> CAMPAIGNLEVELS() {
  std::vector<int> levels;
  const std::regex name("Map([0-9]+)\\.txt");
  for (const auto& e : fs::directory_iterator(fs::path("CAMPAIGN") / "main" / "MAPS")) {
    std::smatch m;
    const std::string f = e.path().filename().string();
    if (std::regex_match(f, m, name)) levels.push_back(std::stoi(m[1].str()));
  }
  std::sort(levels.begin(), levels.end());
  return levels;
}
}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const int width = argc > 2 ? std::atoi(argv[2]) : 1280;
  const int height = argc > 3 ? std::atoi(argv[3]) : 720;
  if (!BENCHGAME("bench_campaign_levels", width, height)) return 1;

  const std::vector<int> levels = CAMPAIGNLEVELS();
  if (levels.empty()) {
    std::fprintf(stderr, "bench_campaign_levels: no campaign maps under %s\n", ASHEN_SOURCE_DATA);
    return 1;
  }
  const int loads = 20;
  int busiest = levels.front(), most = -1;
  double total = 0;
  std::printf("level set-up (INITMAP), processor time, mean of %d:\n", loads);
  for (const int level : levels) {
    const std::clock_t t = std::clock();
    for (int i = 0; i < loads; i++) {
      CURRENTMAP = static_cast<BYTE>(level);
      INITMAP(CURRENTMAP);
    }
    const double ms = BENCHCPUMS(t) / loads;
    total += ms;
    std::printf("  %3d  %-24s %3dx%-3d  %4d monsters  %7.3f ms\n", level, MAPNAME.c_str(), int(MAPSIZEX),
                int(MAPSIZEY), int(NUMBEROFMONSTERS), ms);
    if (NUMBEROFMONSTERS > most) {
      most = NUMBEROFMONSTERS;
      busiest = level;
    }
  }
  std::printf("  all %zu levels: %.3f ms\n", levels.size(), total);

  // Whole frames on the busiest level, from its start.
  RANDSEED(1);
  CURRENTMAP = static_cast<BYTE>(busiest);
  INITMAP(CURRENTMAP);
  const double frame = BENCHFRAMES(frames);
  std::printf("busiest level %d (%d monsters), headless %dx%d, %d frames: %.3f ms per frame = %.1f fps, %.1f%% of 33 ms\n",
              busiest, most, width, height, frames, frame, 1000.0 / frame, frame * 100.0 / 33.0);
  DONEVIDEO();
  return 0;
}
