// The script file and its entries: reading, parsing, the option queries and
// the start-up reset. The per-tick check lives in mapscripttick.cpp.
#include "world/mapscript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/paths.h"
#include "render/hud.h"
#include "base/settings.h"

std::vector<NEWSCRIPTTYPE> NEWSCRIPT;
uint16_t NEWSCRIPTENTRIES = 0;

namespace {
std::string trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= ' ') a++;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') b--;
  return s.substr(a, b - a);
}

// A whole decimal number with an optional sign, nothing else around it.
bool strictInteger(const std::string& s, int64_t& out) {
  if (s.empty() || s.size() > 18) return false;
  size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); k++)
    if (s[k] < '0' || s[k] > '9') return false;
  out = std::strtoll(s.c_str(), nullptr, 10);
  return true;
}

// A numeric field of the line head, written as text for the reason.
bool headNumber(const std::string& field, const char* what, int64_t hi, int64_t& out,
                std::string& why) {
  const std::string t = trim(field);
  if (!strictInteger(t, out) || out < 0 || out > hi) {
    why = std::string(what) + " \"" + t.substr(0, 20) + "\" is not a number in 0.." +
          std::to_string(hi);
    return false;
  }
  return true;
}

// The first text marker (a minus sign followed by a double quote) of S; a
// marker whose double quote ends S does not count.
size_t findMarker(const std::string& s) {
  size_t k = s.find("-\"");
  if (k != std::string::npos && k + 1 == s.size() - 1) return std::string::npos;
  return k;
}
}  // namespace

bool ISNUMERIC(const std::string& text, bool allowfraction) {
  const std::string t = trim(text);
  int64_t n = 0;
  if (strictInteger(t, n) && n >= INT32_MIN && n <= INT32_MAX) return true;
  if (!allowfraction || t.empty()) return false;
  // A plain decimal real: digits, one point, an optional exponent.
  for (char c : t)
    if (!std::strchr("0123456789+-.eE", c)) return false;
  char* end = nullptr;
  errno = 0;
  std::strtod(t.c_str(), &end);
  return errno == 0 && end && *end == 0 && end != t.c_str();
}

int64_t OPTIONNUMBER(const std::string& s, int64_t lo, int64_t hi) {
  int64_t n = 0;
  if (!strictInteger(trim(s), n) || n < lo || n > hi) return 0;
  return n;
}

bool PARSESCRIPTLINE(const std::string& line, NEWSCRIPTTYPE& e, std::string& why,
                     int32_t& dropped) {
  e = NEWSCRIPTTYPE();
  dropped = 0;
  if (line.size() > MAX_SCRIPT_LINE) {
    why = "line longer than " + std::to_string(MAX_SCRIPT_LINE) + " characters";
    return false;
  }
  // Level, voice, x and y, each ended by a comma.
  size_t comma[4];
  size_t from = 0;
  for (int k = 0; k < 4; k++) {
    comma[k] = line.find(',', from);
    if (comma[k] == std::string::npos) {
      why = "fewer than four commas before the size";
      return false;
    }
    from = comma[k] + 1;
  }
  int64_t level = 0, x = 0, y = 0;
  if (!headNumber(line.substr(0, comma[0]), "level", 65535, level, why)) return false;
  e.VOICEFILE = line.substr(comma[0] + 1, comma[1] - comma[0] - 1);
  if (!headNumber(line.substr(comma[1] + 1, comma[2] - comma[1] - 1), "x", 65535, x, why) ||
      !headNumber(line.substr(comma[2] + 1, comma[3] - comma[2] - 1), "y", 65535, y, why))
    return false;
  e.MAPNUM = static_cast<uint16_t>(level);
  e.X = static_cast<uint16_t>(x);
  e.Y = static_cast<uint16_t>(y);

  // The size: a run of digits; the character after it is skipped.
  size_t p = comma[3] + 1;
  while (p < line.size() && line[p] == ' ') p++;
  const size_t digits = p;
  while (p < line.size() && line[p] >= '0' && line[p] <= '9' && p - digits < 6) p++;
  if (p == digits) {
    why = "no size (a number) after the fourth comma";
    return false;
  }
  const int64_t size = std::strtoll(line.substr(digits, p - digits).c_str(), nullptr, 10);
  if (size > 255 || (p < line.size() && line[p] >= '0' && line[p] <= '9')) {
    why = "size does not fit 0..255";
    return false;
  }
  e.RADIUS = static_cast<BYTE>(size);
  if (p < line.size()) p++;
  std::string rest = line.substr(p);

  // Options, each ended by a comma or by the text marker; the marker ends
  // them all, so the text after it keeps its commas.
  for (;;) {
    const size_t marker = findMarker(rest);
    const size_t c = rest.find(',');
    std::string item;
    bool last = false;
    if (c != std::string::npos && (marker == std::string::npos || c < marker)) {
      item = rest.substr(0, c);
      rest.erase(0, c + 1);
    } else if (marker != std::string::npos) {
      item = rest.substr(0, marker);
      rest.erase(0, marker + 1);
      last = true;
    } else {
      break;
    }
    if (item.empty()) {
      // Nothing between two separators: no option.
    } else if (e.NUMOPTS == 0 && !e.ISRECTANGLE && ISNUMERIC(item, false)) {
      const int64_t h = OPTIONNUMBER(item, INT32_MIN, INT32_MAX);
      if (h < 0 || h > 255) {
        why = "rectangle height " + std::to_string(h) + " does not fit 0..255";
        return false;
      }
      e.ISRECTANGLE = true;
      e.WIDTH = e.RADIUS;
      e.RADIUS = 0;
      e.HEIGHT = static_cast<BYTE>(h);
    } else if (e.NUMOPTS < MAX_SCRIPT_OPTIONS) {
      e.OPTIONAL[++e.NUMOPTS] = item;
    } else {
      dropped++;
    }
    if (last) break;
  }

  // The text: between an opening and a closing double quote, or none at all.
  if (!rest.empty()) {
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
      why = "the text is not a quoted \"...\" after the marker -\" (or an option lacks its comma)";
      return false;
    }
    e.TXT = rest.substr(1, rest.size() - 2);
  }
  e.ACTIVATED = false;
  e.TIMER = 1;
  e.EFFCOUNTER = 0;
  return true;
}

void ADDNEWSCRIPTENTRY(const std::string& line) {
  if (NEWSCRIPT.size() >= MAX_SCRIPT_ENTRIES) return;
  NEWSCRIPTTYPE e;
  std::string why;
  int32_t dropped = 0;
  if (!PARSESCRIPTLINE(line, e, why, dropped)) return;
  NEWSCRIPT.push_back(e);
  NEWSCRIPTENTRIES = static_cast<uint16_t>(NEWSCRIPT.size());
}

bool READSCRIPTLINES(const std::string& path, std::vector<std::string>& lines, std::string& why,
                     bool& truncated) {
  lines.clear();
  truncated = false;
  // Non-blocking, so that a FIFO named like the file cannot stall the open.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::string("cannot open: ") + std::strerror(errno);
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    why = "not a regular file";
    return false;
  }
  std::string data;
  char buf[65536];
  for (;;) {
    const int64_t room = MAX_SCRIPT_FILE_BYTES + 1 - static_cast<int64_t>(data.size());
    if (room <= 0) break;
    const ssize_t n = read(fd, buf, static_cast<size_t>(std::min<int64_t>(room, sizeof buf)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  if (static_cast<int64_t>(data.size()) > MAX_SCRIPT_FILE_BYTES) {
    // The line cut by the bound is not read at all.
    truncated = true;
    data.resize(static_cast<size_t>(MAX_SCRIPT_FILE_BYTES));
    const size_t nl = data.rfind('\n');
    data.resize(nl == std::string::npos ? 0 : nl + 1);
  }
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string::npos) end = data.size();
    std::string l = data.substr(start, end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(std::move(l));
    start = end + 1;
  }
  return true;
}

void LOADNEWSCRIPT() {
  NEWSCRIPT.clear();
  NEWSCRIPTENTRIES = 0;
  std::vector<std::string> lines;
  std::string why;
  bool truncated = false;
  if (!READSCRIPTLINES(RESOLVEPATH("CAMPAIGN\\" + GAME + "\\script.txt"), lines, why, truncated))
    return;  // a missing script: no entries
  for (const std::string& l : lines) {
    const std::string t = trim(l);
    if (!t.empty()) ADDNEWSCRIPTENTRY(t);
  }
}

std::string OPTIONPRESENT(uint16_t i, const std::string& name) {
  if (i >= NEWSCRIPT.size()) return "";
  const NEWSCRIPTTYPE& e = NEWSCRIPT[i];
  for (int k = 1; k <= e.NUMOPTS && k <= MAX_SCRIPT_OPTIONS; k++) {
    const std::string& o = e.OPTIONAL[k];
    if (o == name) return "yes";
    if (o.size() > name.size() && o.compare(0, name.size(), name) == 0 && o[name.size()] == ':')
      return o.substr(name.size() + 1);
  }
  return "";
}

std::string ENTRYSTARTUPOPTION(uint16_t i) { return OPTIONPRESENT(i, "ONSTART"); }

bool ENTRYWASACTIVATED(const std::string& name) {
  for (const NEWSCRIPTTYPE& e : NEWSCRIPT)
    if (e.VOICEFILE == name) return e.TIMER == 0;
  return false;
}

void RESETSTARTUPSCRIPTENTRIESFORMAP(BYTE level) {
  for (size_t i = 0; i < NEWSCRIPT.size(); i++) {
    NEWSCRIPTTYPE& e = NEWSCRIPT[i];
    if (e.MAPNUM != level || ENTRYSTARTUPOPTION(static_cast<uint16_t>(i)).empty()) continue;
    // A finished entry would not fire again with its flag cleared alone: its
    // countdown starts over too, so the overrides come back with the level.
    e.ACTIVATED = false;
    e.TIMER = 1;
  }
}

// The timed-message file belongs to the two-player link, which never comes
// up: there is no file to show.
void MANAGECOMM() {}
void CLOSECOMM() { COMMACTIVE = false; }
