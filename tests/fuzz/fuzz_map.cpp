// Map files: the level checker loads the file as the game does (collecting
// faults instead of leaving); a file it does not refuse is then loaded for play.
#include "fuzzfile.h"
#include "world/mapcheck.h"
#include "world/maploader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FUZZFILE(data, size);
  if (CHECKMAPFILE(path) != CHECK_REFUSED) LOADMAPFILE(path, 100);
  return 0;
}
