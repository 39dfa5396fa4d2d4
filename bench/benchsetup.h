// Clocks and set-ups shared by the benchmarks: the game started on the
// headless back-end, generated level 5 loaded on its own, or an empty full-size
// level whose tables a benchmark fills itself.
#pragma once
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "game/players.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

// Wall-clock milliseconds since T.
using BENCHCLOCK = std::chrono::steady_clock;
inline double BENCHWALLMS(BENCHCLOCK::time_point t) {
  return std::chrono::duration<double, std::milli>(BENCHCLOCK::now() - t).count();
}

// Processor milliseconds since T: the machines here are shared, so wall-clock
// time says more about the neighbours than about the code.
inline double BENCHCPUMS(std::clock_t t) { return 1000.0 * double(std::clock() - t) / CLOCKS_PER_SEC; }

// Plays FRAMES whole frames through the engine loop from where the game
// stands (the harness's frame limit ends it); the wall-clock ms per frame
// actually played (a level that ends early plays fewer).
inline double BENCHFRAMES(int frames) {
  const int64_t start = PUSHEDFRAMES;
  HARNESS.FRAMES = PUSHEDFRAMES + frames;
  const auto t = BENCHCLOCK::now();
  try {
    ENGINETEST();
  } catch (const HARNESSEXIT&) {
  }
  const int64_t done = PUSHEDFRAMES - start;
  HARNESS.FRAMES = -1;
  return BENCHWALLMS(t) / static_cast<double>(done > 0 ? done : 1);
}

// The game as the program starts it, from the data folder: the headless
// back-end of W x H, seed 1, the modern look and the global set-up. False,
// with a message naming the benchmark NAME, when the data folder or the
// glyphs cannot be had.
inline bool BENCHGAME(const char* name, int w, int h) {
  if (chdir(ASHEN_SOURCE_DATA) != 0) {
    std::fprintf(stderr, "%s: cannot enter %s\n", name, ASHEN_SOURCE_DATA);
    return false;
  }
  THEBACKEND = MAKEHEADLESSBACKEND(w, h);
  INITVIDEO();
  RANDSEED(1);
  SETVISUALS(1);
  if (!GLYPHLOADERROR.empty()) {
    std::fprintf(stderr, "%s: %s\n", name, GLYPHLOADERROR.c_str());
    return false;
  }
  LAUNCHED_FROM_MD = true;
  GLOBALINIT();
  return true;
}

// Generated level 5 loaded, coloured and scanned from the data folder (seed
// 5), without the video: one player, shown on this machine.
inline void BENCHLEVEL5() {
  std::filesystem::current_path(ASHEN_SOURCE_DATA);
  RANDSEED(5);
  LOADMAP(5);
  ASSIGNCOLORS();
  SCANMAP(5);
  MYNUMBER = 1;
  NUMBEROFPLAYERS = 1;
}

// An empty 160 x 100 level 120 with one player: the tables are the
// benchmark's to fill.
inline void BENCHEMPTYLEVEL() {
  PRELOADMAPINIT();
  MAPSIZEX = 160;
  MAPSIZEY = 100;
  CURRENTMAP = 120;
  NUMBEROFPLAYERS = 1;
  MYNUMBER = 1;
}
