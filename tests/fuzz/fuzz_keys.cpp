// The key file: read into the bindings, then every binding named as the HUD
// and the key screen name it.
#include "display/events.h"
#include "display/keynames.h"
#include "fuzzfile.h"
#include "ui/keyconfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FUZZFILE(data, size, ".INI");
  RESETKEYCONFIG(1);
  if (LOADKEYCONFIGFROM(path))
    for (int i = 1; i <= MAXINGAMEKEYS; i++) {
      KEYNAME(KEYSTATUS[i].KEY);
      KEYCHARACTER(KEYSTATUS[i].KEY);
    }
  return 0;
}
