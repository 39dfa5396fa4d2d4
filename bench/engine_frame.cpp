// Cost of one engine frame: the whole tick plus the view composition on the
// headless back-end (the virtual clock makes the pacing wait free), on a
// generated full-size level, then on the same level with 2000 monsters more.
// Prints ms per frame and the share of lighting, line of sight and view
// composition measured by running those parts alone.
//
//   build/bench_engine_frame [frames] [level] [width] [height]
//
// The headless back-end rasterises every quad in software, so at 1280 x 720
// most of a frame is pixel filling that the GL back-end leaves to the GPU; a
// small size (e.g. 320 180) shows the game's own share.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchsetup.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/monsters.h"
#include "game/players.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "render/torch.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "base/harness.h"
#include "base/random.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/mapscan.h"

namespace {
// The lighting steps of one tick.
double timeLighting(int n) {
  const auto t = BENCHCLOCK::now();
  for (int i = 0; i < n; i++) {
    MANAGELIGHTNING();
    DRAWTRULITES();
    MANAGETORCH(1);
  }
  return BENCHWALLMS(t) / n;
}

// The sight rays of one frame: two per window cell, as the view makes them.
double timeSight(int n) {
  int32_t sx, sy;
  VIEWWINDOWSIZE(sx, sy);
  const int32_t vx = PLAYERX[1], vy = PLAYERY[1];
  volatile int seen = 0;
  const auto t = BENCHCLOCK::now();
  for (int i = 0; i < n; i++)
    for (int32_t x = vx - sx / 2; x <= vx + sx / 2; x++)
      for (int32_t y = vy - sy / 2; y <= vy + sy / 2; y++)
        for (int k = 0; k < 2; k++) seen = seen + SEESLOS(vx, vy, x, y, false);
  return BENCHWALLMS(t) / n;
}

// View composition alone (cells, actors, sparks; it includes its sight rays).
double timeView(int n) {
  int32_t sx, sy;
  VIEWWINDOWSIZE(sx, sy);
  const auto t = BENCHCLOCK::now();
  for (int i = 0; i < n; i++) {
    STARTUPDATESCREEN();
    TEXTMODECUSTOM(static_cast<BYTE>(ROUNDEVEN(1.8 * sy)), static_cast<BYTE>(sy));
    DRAWVIEW40(PLAYERX[1], PLAYERY[1], static_cast<BYTE>(sx), static_cast<BYTE>(sy), false, true);
    ENDUPDATESCREEN();
  }
  return BENCHWALLMS(t) / n;
}

void report(const char* title, int frames) {
  const double frame = BENCHFRAMES(frames);
  const int n = frames / 2 > 10 ? frames / 2 : 10;
  const double light = timeLighting(n), sight = timeSight(n);
  HARNESS.FRAMES = -1;
  const double view = timeView(n);
  std::printf("%s\n", title);
  std::printf("  monsters %d, map %dx%d, view zoom %.0f\n", int(NUMBEROFMONSTERS), int(MAPSIZEX),
              int(MAPSIZEY), VIEWZOOM);
  std::printf("  frame (tick + view + pacing on the virtual clock): %.3f ms = %.1f fps, %.1f%% of 33 ms\n",
              frame, 1000.0 / frame, frame * 100.0 / 33.0);
  std::printf("  lighting  %.3f ms  (%.1f%% of the frame)\n", light, light * 100.0 / frame);
  std::printf("  sight     %.3f ms  (%.1f%% of the frame)\n", sight, sight * 100.0 / frame);
  std::printf("  view      %.3f ms  (%.1f%% of the frame, sight rays included)\n", view,
              view * 100.0 / frame);
}
}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const int level = argc > 2 ? std::atoi(argv[2]) : 5;
  const int width = argc > 3 ? std::atoi(argv[3]) : 1280;
  const int height = argc > 4 ? std::atoi(argv[4]) : 720;
  if (!BENCHGAME("bench_engine_frame", width, height)) return 1;
  std::printf("headless back-end %dx%d, %d frames per measurement\n", width, height, frames);
  CURRENTMAP = static_cast<BYTE>(level);
  INITMAP(CURRENTMAP);
  report("generated level", frames);

  int added = 0;
  for (int tries = 0; added < 2000 && tries < 200000; tries++) {
    const int x = 2 + random(MAPSIZEX - 2), y = 2 + random(MAPSIZEY - 2);
    if (MAP[x][y] != ' ') continue;
    const uint16_t before = NUMBEROFMONSTERS;
    ADDMONSTER(static_cast<BYTE>(x), static_cast<BYTE>(y), static_cast<BYTE>(1 + random(ALLMONSTERS)), 0);
    if (NUMBEROFMONSTERS > before) added++;
  }
  char title[64];
  std::snprintf(title, sizeof title, "same level with %d monsters added", added);
  report(title, frames);
  DONEVIDEO();
  return 0;
}
