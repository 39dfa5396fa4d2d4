#include "shell/levelrefusal.h"

#include <algorithm>
#include <vector>

#include "base/harness.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "shell/startscreen.h"
#include "shell/startup.h"

namespace {
// TEXT cut into pieces of at most WIDTH characters, at blanks where possible.
std::vector<std::string> wrap(const std::string& text, size_t width) {
  std::vector<std::string> out;
  std::string rest = text;
  while (rest.size() > width) {
    size_t cut = rest.rfind(' ', width);
    if (cut == std::string::npos || cut == 0) cut = width;
    out.push_back(rest.substr(0, cut));
    rest = rest.substr(cut == width ? cut : cut + 1);
  }
  out.push_back(rest);
  return out;
}
}  // namespace

void SHOWLEVELREFUSALSCREEN(const std::string& where, const std::string& text) {
  try {
    TEXTBACKGROUNDEMULATOR(0);
    TEXTCOLOREMULATOR(15);
    CLRSCREMULATOR(false);
    const size_t width = static_cast<size_t>(std::max(20, VMODE.COL - 4));
    struct LINE {
      std::string s;
      BYTE attr;
    };
    std::vector<LINE> lines = {{"This level cannot be played.", 12}, {"", 15}};
    for (const std::string& s : wrap(where + ":", width)) lines.push_back({s, 7});
    for (const std::string& s : wrap(text, width)) lines.push_back({s, 15});
    lines.push_back({"", 15});
    lines.push_back({"Press a key to leave the game.", 14});
    int row = std::max(2, (VMODE.ROW - static_cast<int>(lines.size())) / 2);
    for (const LINE& l : lines) {
      if (row > VMODE.ROW) break;
      if (!l.s.empty()) DISPLAYSTRING(l.s, 3, static_cast<BYTE>(row), l.attr);
      row++;
    }
    WAITFORKEY();
  } catch (const HARNESSEXIT&) {
    // The frame limit of a scripted run ends the wait like a key.
  }
  WRITESCREENSHOT();
  DONEVIDEO();
}
