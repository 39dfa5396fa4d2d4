// The campaign script file: the script checker, then each line through the
// game's own entry reader and the option look-ups the game makes of it.
#include <fstream>

#include "fuzzfile.h"
#include "world/mapscript.h"
#include "world/mapscriptcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FUZZFILE(data, size);
  CHECKSCRIPTFILE(path);
  NEWSCRIPT.clear();
  NEWSCRIPTENTRIES = 0;
  std::string text(reinterpret_cast<const char*>(data), size), line;
  size_t a = 0;
  while (a <= text.size()) {
    size_t b = text.find('\n', a);
    if (b == std::string::npos) b = text.size();
    line = text.substr(a, b - a);
    if (!line.empty()) ADDNEWSCRIPTENTRY(line);
    a = b + 1;
  }
  for (uint16_t i = 0; i < NEWSCRIPT.size(); i++) {
    ENTRYSTARTUPOPTION(i);
    OPTIONPRESENT(i, "repeat");
  }
  return 0;
}
