// Entry point: harness options, the data folder, the back-end, then start-up.
#include <cstdio>
#include <string>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/backend_sdl.h"
#include "display/inputscript.h"
#include "base/harness.h"
#include "base/paths.h"
#include "shell/startup.h"
#include "world/mapcheck.h"
#include "world/mapscriptcheck.h"

int main(int argc, char** argv) {
  std::string err;
  if (!PARSEHARNESS(argc, argv, err)) {
    std::fprintf(stderr, "ashenreach: %s\n", err.c_str());
    return 2;
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
    return 1;
  }
  if (!HARNESS.INPUT.empty() && !LOADINPUTSCRIPT(HARNESS.INPUT, err)) {
    std::fprintf(stderr, "ashenreach: %s\n", err.c_str());
    return 2;
  }
  THEBACKEND = HARNESS.HEADLESS ? MAKEHEADLESSBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT)
                                : MAKESDLBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT);
  int code = HOLLOWMERESTART();
  CLOSERECORDING();
  return code;
}
