#include "world/mapscriptcheck.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "base/paths.h"
#include "render/messages.h"
#include "world/grid.h"
#include "world/mapscript.h"

namespace {
struct FINDING {
  int32_t LINE = 0;
  bool IGNORED = false;  // the game drops the line, part of it or the file
  std::string TEXT;
};

struct CHECKER {
  std::vector<FINDING> FOUND;
  void ignored(int32_t line, const std::string& t) { FOUND.push_back({line, true, t}); }
  void note(int32_t line, const std::string& t) { FOUND.push_back({line, false, t}); }
};

std::string quoted(const std::string& s) { return "\"" + s.substr(0, 40) + "\""; }

bool isNumberIn(const std::string& v, int64_t lo, int64_t hi) {
  if (!ISNUMERIC(v, false)) return false;
  const int64_t n = OPTIONNUMBER(v, INT32_MIN, INT32_MAX);
  return n >= lo && n <= hi;
}

// "x|y" with two whole numbers.
bool isCell(const std::string& v) {
  const size_t bar = v.find('|');
  return bar != std::string::npos && v.find('|', bar + 1) == std::string::npos &&
         ISNUMERIC(v.substr(0, bar), false) && ISNUMERIC(v.substr(bar + 1), false);
}

// Checks one option (name and value) of the entry on LINE.
void checkOption(CHECKER& c, int32_t line, const std::string& opt,
                 const std::set<std::string>& voices) {
  const size_t colon = opt.find(':');
  const std::string name = opt.substr(0, colon);
  const bool bare = colon == std::string::npos;
  const std::string value = bare ? "yes" : opt.substr(colon + 1);
  const std::string head = "option " + quoted(opt) + ": ";
  if (!bare && value.empty()) {
    c.note(line, head + "empty value, the option is never seen");
    return;
  }
  if (name == "BLOWUP" || name == "AUTOSAVE" || name == "UNSTOP" || name == "GAMEWON" ||
      name == "FALLOUT" || name == "DARK") {
    return;  // bare words; a value is read only by FALLOUT (NOSTOP) and DARK (FLICKER, REDBLINK)
  }
  if (name == "ONSTART") {
    if (bare) return;  // fires at level start without a display override
    const bool ok =
        ((value.rfind("ROCK=", 0) == 0 && isNumberIn(value.substr(5), 0, 255)) ||
         (value.rfind("HOUSEROCK=", 0) == 0 && isNumberIn(value.substr(10), 0, 255)) ||
         (value.rfind("FLOOR=", 0) == 0 && isNumberIn(value.substr(6), 0, 255)));
    bool prop = false;
    if (value.rfind("PROP=", 0) == 0) {
      const std::string v = value.substr(5);
      const size_t a = v.find('|'), b = a == std::string::npos ? a : v.find('|', a + 1);
      prop = b != std::string::npos && isNumberIn(v.substr(0, a), 0, 65535) &&
             isNumberIn(v.substr(a + 1, b - a - 1), 0, 65535) && isNumberIn(v.substr(b + 1), 0, 65535);
    }
    if (!ok && !prop)
      c.note(line, head + "not a display override ROCK=n, HOUSEROCK=n, FLOOR=n (n 0..255) or PROP=c|tx|ty");
  } else if (name == "REQ") {
    if (value != "BOSSDEAD" && value != "HELPERDEAD" && !voices.count(value))
      c.note(line, head + "no entry carries the voice file " + quoted(value) + ", the entry never fires");
  } else if (name == "REQNOT") {
    if (!voices.count(value))
      c.note(line, head + "no entry carries the voice file " + quoted(value) + ", the test always passes");
  } else if (name == "AMB") {
    if (value != "QUIETER" && value != "NONE" && !isNumberIn(value, 1, 105))
      c.note(line, head + "needs QUIETER, NONE or a sound slot 1..105");
  } else if (name == "TIMER") {
    if (!isNumberIn(value, 1, 65535))
      c.note(line, head + "needs a number 1..65535; the entry would finish without firing");
  } else if (name == "PORTAL") {
    if (!isNumberIn(value, 1, 255)) c.note(line, head + "needs a level number 1..255");
  } else if (name == "SHAKY") {
    if (!isNumberIn(value, 0, INT32_MAX)) c.note(line, head + "needs a number of ticks");
  } else if (name == "NUKE" || name == "BFG" || name == "NOCELLTRAP") {
    if (!isCell(value)) c.note(line, head + "needs a cell x|y");
  } else if (ISNUMERIC(name, false)) {
    c.note(line, head + "a number after the rectangle height is an ordinary option and does nothing");
  } else {
    c.note(line, "unknown option word " + quoted(name));
  }
}

// The file of a level in the campaign folder DIR; empty for generated levels.
bool levelHasMap(const std::string& dir, int32_t level) {
  if (level >= 1 && level <= 99) return true;  // generated from the template
  std::error_code ec;
  return std::filesystem::is_regular_file(
      RESOLVEPATH(dir + "/MAPS/Map" + std::to_string(level) + ".txt"), ec);
}
}  // namespace

int CHECKSCRIPTFILE(const std::string& path) {
  CHECKER c;
  std::vector<std::string> lines;
  std::string why;
  bool truncated = false;
  std::vector<std::pair<int32_t, NEWSCRIPTTYPE>> entries;
  if (!READSCRIPTLINES(path, lines, why, truncated)) {
    c.ignored(0, why + ", the game reads no entries from it");
  } else {
    if (truncated)
      c.ignored(static_cast<int32_t>(lines.size()) + 1,
                "the file is longer than " + std::to_string(MAX_SCRIPT_FILE_BYTES) +
                    " bytes; nothing from here on is read");
    for (size_t n = 0; n < lines.size(); n++) {
      const std::string t = TRIMSPACES(lines[n]);
      const int32_t ln = static_cast<int32_t>(n + 1);
      if (t.empty()) continue;
      NEWSCRIPTTYPE e;
      int32_t dropped = 0;
      if (entries.size() >= MAX_SCRIPT_ENTRIES) {
        c.ignored(ln, "more than " + std::to_string(MAX_SCRIPT_ENTRIES) + " entries");
      } else if (!PARSESCRIPTLINE(t, e, why, dropped)) {
        // A line beginning with "#" is an author's note (a heading over one
        // level's entries): the game drops it like any line it cannot read,
        // so it is not worth a report.
        if (t[0] != '#') c.ignored(ln, why);
      } else {
        if (dropped > 0)
          c.ignored(ln, std::to_string(dropped) + " option(s) beyond the tenth are dropped");
        entries.push_back({ln, e});
      }
    }
  }

  std::set<std::string> voices;
  for (const auto& [ln, e] : entries)
    if (!e.VOICEFILE.empty()) voices.insert(e.VOICEFILE);
  std::error_code ec;
  const std::string dir = std::filesystem::absolute(path, ec).parent_path().string();

  for (const auto& [ln, e] : entries) {
    if (e.MAPNUM == 0) c.note(ln, "level 0 is the credits screen and is never played");
    else if (e.MAPNUM > 255) c.note(ln, "level " + std::to_string(e.MAPNUM) + " does not exist (levels are 1..255)");
    else if (!levelHasMap(dir, e.MAPNUM))
      c.note(ln, "level " + std::to_string(e.MAPNUM) + " has no map file MAPS/Map" +
                     std::to_string(e.MAPNUM) + ".txt in the campaign");
    if (e.VOICEFILE.find_first_of("/\\") != std::string::npos || TRIMSPACES(e.VOICEFILE) != e.VOICEFILE)
      c.note(ln, "voice file name " + quoted(e.VOICEFILE) + " holds a folder separator or blanks");

    bool onstart = false;
    std::map<std::string, int> seen;
    for (int k = 1; k <= e.NUMOPTS; k++) {
      const std::string& o = e.OPTIONAL[k];
      const std::string name = o.substr(0, o.find(':'));
      if (name == "ONSTART") onstart = true;
      if (seen[name]++ == 1) c.note(ln, "option " + quoted(name) + " given twice; only the first counts");
      checkOption(c, ln, o, voices);
    }
    const int32_t x1 = e.X, y1 = e.Y;
    if (e.ISRECTANGLE) {
      const int32_t x2 = x1 + e.WIDTH - 1, y2 = y1 + e.HEIGHT - 1;
      if (x1 < 1 || y1 < 1 || x2 > MAX_MAPWIDTH || y2 > MAX_MAPHEIGHT)
        c.note(ln, "rectangle " + std::to_string(x1) + "," + std::to_string(y1) + " " +
                       std::to_string(e.WIDTH) + "x" + std::to_string(e.HEIGHT) +
                       " reaches outside 160 x 100");
      if ((e.WIDTH == 0 || e.HEIGHT == 0) && !onstart) c.note(ln, "the rectangle holds no cell, the entry never fires");
    } else {
      if (x1 < 1 || y1 < 1 || x1 > MAX_MAPWIDTH || y1 > MAX_MAPHEIGHT)
        c.note(ln, "circle centre " + std::to_string(x1) + "," + std::to_string(y1) + " is outside 160 x 100");
      if (e.RADIUS == 0 && !onstart) c.note(ln, "radius 0 holds no cell, the entry never fires");
    }
    if (e.TXT.size() > static_cast<size_t>(MAX_OBJ_LINES * MAX_OBJ_LENGTH))
      c.note(ln, "text longer than " + std::to_string(MAX_OBJ_LINES * MAX_OBJ_LENGTH) +
                     " characters; an objective shows only its first 10 lines");
  }

  std::stable_sort(c.FOUND.begin(), c.FOUND.end(),
                   [](const FINDING& a, const FINDING& b) { return a.LINE < b.LINE; });
  bool refused = false;
  for (const FINDING& f : c.FOUND) {
    refused = refused || f.IGNORED;
    const char* kind = f.IGNORED ? "ignored" : "note";
    if (f.LINE > 0) std::printf("%s:%d: %s: %s\n", path.c_str(), f.LINE, kind, f.TEXT.c_str());
    else std::printf("%s: %s: %s\n", path.c_str(), kind, f.TEXT.c_str());
  }
  std::printf("%s: %zu entries, %s\n", path.c_str(), entries.size(),
              c.FOUND.empty() ? "no problems found" : (refused ? "some lines are ignored" : "notes only"));
  std::fflush(stdout);
  if (refused) return 4;
  return c.FOUND.empty() ? 0 : 1;
}
