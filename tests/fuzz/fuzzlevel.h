// Shared by the fuzz targets of the stored-game readers: a headless game on
// campaign level 100 (a map file: quicker to set up again than a generated
// level) with its user folder in a scratch directory, and a short stretch of
// play of whatever a reader accepted, so that values the check
// lets through are also used by the world steps and the view.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/harness.h"
#include "base/random.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "game/playerstate.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/mapscan.h"

inline constexpr BYTE FUZZLEVEL = 100;

// Once per process: the data folder as working folder, the headless back-end,
// the modern look and a fresh single-player game.
inline void FUZZGAMESETUP() {
  static bool done = false;
  if (done) return;
  done = true;
  char tmpl[] = "/tmp/ashenfuzzuserXXXXXX";
  const char* user = mkdtemp(tmpl);
  std::filesystem::current_path(ASHEN_SOURCE_DATA);
  THEBACKEND = MAKEHEADLESSBACKEND(320, 200);
  INITVIDEO();
  HARNESS = HARNESSOPTIONS();
  HARNESS.HEADLESS = true;
  HARNESS.USERDIR = user ? user : "/tmp";
  SETVISUALS(1);
  GAMEDIFFICULTY = 2;
  NUMBEROFPLAYERS = 1;
  CURRENTMAP = FUZZLEVEL;
  RESETPLAYERSTATE();
}

// Plays FRAMES frames of the engine from where the game stands (a stored game
// being loaded when LOADING), without input; the harness's frame limit ends it.
inline void FUZZPLAY(int frames, bool loading) {
  LOADINGGAME = loading;
  RANDSEED(1);
  HARNESS.FRAMES = PUSHEDFRAMES + frames;
  try {
    ENGINETEST();
  } catch (const HARNESSEXIT&) {
  }
  HARNESS.FRAMES = -1;
  LOADINGGAME = false;
}
