// Map files: the level checker loads the file as the game does (collecting
// faults instead of leaving); a file it does not refuse is then set up for
// play as a level is (tables cleared, file read, colours and scan). The game
// would leave on a fault here, which the fuzzer reports: the checker and the
// loader must agree.
#include "fuzzfile.h"
#include "world/grid.h"
#include "world/mapcheck.h"
#include "world/maploader.h"
#include "world/mapscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FUZZFILE(data, size);
  if (CHECKMAPFILE(path) == CHECK_REFUSED) return 0;
  MAPSIZEX = 0;
  MAPSIZEY = 0;
  PRELOADMAPINIT();
  if (LOADMAPFILE(path, 100)) {
    ASSIGNCOLORS();
    SCANMAP(100);
  }
  return 0;
}
