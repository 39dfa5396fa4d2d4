// Input scripts (--input): parsed, then played out event by event.
#include <string>

#include "display/inputscript.h"
#include "fuzzfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size), err;
  CLEARINPUTSCRIPT();
  if (PARSEINPUTSCRIPT(text, "fuzz.txt", err)) {
    BACKENDEVENT ev;
    for (int frame = 0; frame < 64 && INPUTSCRIPTPENDING(); frame++) {
      while (NEXTSCRIPTEDEVENT(ev)) {
      }
      INPUTCLOCKSTEP();
    }
  }
  CLEARINPUTSCRIPT();
  return 0;
}
