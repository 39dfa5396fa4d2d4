// Entry point: harness options, the data folder, the back-end, then start-up.
#include <cstdio>
#include <string>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/backend_sdl.h"
#include "display/inputscript.h"
#include "base/harness.h"
#include "base/paths.h"
#include "net/linksession.h"
#include "shell/startup.h"
#include "world/mapcheck.h"
#include "world/mapscriptcheck.h"

namespace {
// The short usage shown by --help, and with every command-line error.
void USAGE(FILE* out) {
  std::fprintf(out,
               "Usage: ashenreach [LEVEL] [NOSOUND] [8bit] [options]\n"
               "\n"
               "Ashen Reach, a real-time action game in character cells.\n"
               "\n"
               "Game parameters:\n"
               "  LEVEL               start that level (1..255) directly, skipping the menu;\n"
               "                      levels below 100 are generated (50 deathmatch, 71..79 survival)\n"
               "  NOSOUND             play without sound (any letter case)\n"
               "  8bit                start the menu music once\n"
               "\n"
               "Options:\n"
               "  -h, --help          show this help and leave\n"
               "  --version           show the version and leave\n"
               "  --check-map FILE    check a level file for a level author and leave\n"
               "                      (exit 0 clean, 1 notes only, 4 the game would refuse it)\n"
               "  --check-script F    check a campaign's script file and leave (same exit codes)\n"
               "  --data DIR          the game's data folder (else $ASHENREACH_DATA, the installed\n"
               "                      share folder or the data folder beside the build)\n"
               "  --user-dir DIR      the folder for settings, keys and saves\n"
               "\n"
               "Harness options (tests and recordings):\n"
               "  --headless          no window: virtual clock, no audio device\n"
               "  --frames N          leave after N frames\n"
               "  --screenshot FILE   write the last frame as PNG\n"
               "  --size WxH          window or screenshot size in pixels\n"
               "  --input FILE        play scripted input (one event per line)\n"
               "  --record FILE       record this run's input in the same format\n"
               "  --seed N            seed the random generator (same seed, same game)\n"
               "  --dump-state FILE   write the game state as JSON at exit\n"
               "  --link-listen PORT  wait on PORT for a linked game (as player 2)\n"
               "  --link-connect HOST:PORT\n"
               "                      link with the game waiting there (as player 1, playing LEVEL,\n"
               "                      50 without one)\n"
               "\n"
               "Settings (MONSTER.INI), key bindings (KEYS.INI) and saves (SAVE, SAVE_A) live in\n"
               "  %s\n"
               "(--user-dir, else $ASHENREACH_HOME, else $XDG_DATA_HOME/ASHENREACH, else\n"
               "~/.local/share/ASHENREACH).\n"
               "\n"
               "Exit codes: 0 done, 1 no data folder, 2 bad command line or input script,\n"
               "3 glyph files missing, 4 a level refused, 5 no usable display,\n"
               "6 link: no connection or \"Connection lost.\", 7 link refused, 8 linked games went apart.\n",
               DATAPATH().c_str());
}
}  // namespace

int main(int argc, char** argv) {
  std::string err;
  if (!PARSEHARNESS(argc, argv, err) || !CHECKGAMEPARAMS(err)) {
    std::fprintf(stderr, "ashenreach: %s\n\n", err.c_str());
    USAGE(stderr);
    return EXIT_USAGE;
  }
  if (HARNESS.HELP) {
    USAGE(stdout);
    return 0;
  }
  if (HARNESS.VERSION) {
    std::printf("ashenreach %s\n", ASHEN_VERSION);
    return 0;
  }
  // The map and script checkers read a level author's file; they need neither window nor data folder.
  if (!HARNESS.CHECKMAP.empty()) return CHECKMAPFILE(HARNESS.CHECKMAP);
  if (!HARNESS.CHECKSCRIPT.empty()) return CHECKSCRIPTFILE(HARNESS.CHECKSCRIPT);

  // The user folder first: moving into the data folder must not change it.
  SETTLEUSERFOLDER();
  std::string searched;
  if (!FINDDATAFOLDER(argv[0], searched)) {
    std::fprintf(stderr,
                 "ashenreach: no data folder found (searched: %s); give one with --data DIR\n",
                 searched.c_str());
    return EXIT_NODATA;
  }
  if (!HARNESS.INPUT.empty() && !LOADINPUTSCRIPT(HARNESS.INPUT, err)) {
    std::fprintf(stderr, "ashenreach: %s\n", err.c_str());
    return EXIT_USAGE;
  }
  THEBACKEND = HARNESS.HEADLESS ? MAKEHEADLESSBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT)
                                : MAKESDLBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT);
  int code = HOLLOWMERESTART();
  // A link game that ended badly (the last one, from the menus or the command
  // line) says so in the exit code.
  if (code == 0 && LINKEXITCODE != 0) code = LINKEXITCODE;
  CLOSERECORDING();
  return code;
}
