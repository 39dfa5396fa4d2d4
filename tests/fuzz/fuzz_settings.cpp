// The settings file as start-up reads it.
#include "base/common.h"
#include "fuzzfile.h"
#include "shell/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FUZZFILE(data, size, ".INI");
  BYTE visualstyle = 0;
  READSETTINGS(path, visualstyle);
  return 0;
}
