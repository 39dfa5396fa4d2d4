#include "world/maploader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/renderer.h"
#include "game/doors.h"
#include "render/lighting.h"
#include "shell/gameflow.h"
#include "base/paths.h"
#include "base/safefile.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"
#include "world/mapscan.h"
#include "world/randommap.h"

bool MAPCHECKING = false;
void (*SHOWLEVELREFUSAL)(const std::string& where, const std::string& text) = nullptr;
std::vector<MAPPROBLEM> MAPPROBLEMS;
int32_t MAPNAMELINE = 0;
int32_t TRAPFILELINE[256], PORTALFILELINE[33];

namespace {
std::string currentFile;

// Reports a fault of the file being loaded: collected while checking, else
// shown (on stderr, and on the game screen until a key is pressed) before the
// program ends with MAPFAULT_EXITCODE.
void MAPFAULT(int32_t line, const std::string& text) {
  if (MAPCHECKING) {
    MAPPROBLEMS.push_back({line, text, true});
    return;
  }
  std::string where = currentFile + (line > 0 ? ": line " + std::to_string(line) : "");
  std::fprintf(stderr, "%s: %s\n", where.c_str(), text.c_str());
  std::fflush(stderr);
  if (SHOWLEVELREFUSAL) SHOWLEVELREFUSAL(where, text);
  std::exit(MAPFAULT_EXITCODE);
}

// Notes something the game accepts but a level author should know about
// (only while checking).
void MAPNOTE(int32_t line, const std::string& text) {
  if (MAPCHECKING) MAPPROBLEMS.push_back({line, text, false});
}

// Splits a text into lines at CR LF, LF or a lone CR.
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (c == '\n' || c == '\r') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') i++;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

std::string trimSpaces(const std::string& s) {
  size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

// An unsigned decimal number; anything else reads as 0. OK is false for text
// that is not empty and not a number, so the checker can name it.
int32_t readNumber(const std::string& field, bool& ok) {
  std::string s = trimSpaces(field);
  ok = true;
  if (s.empty()) return 0;
  int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') {
      ok = false;
      return 0;
    }
    v = v * 10 + (c - '0');
    if (v > 1000000) v = 1000000;
  }
  return static_cast<int32_t>(v);
}

// A number stored in a byte field; out-of-range values are malformed and read as 0.
BYTE byteField(const std::string& field, int32_t line, const char* what) {
  bool ok = true;
  int32_t v = readNumber(field, ok);
  if (!ok) {
    MAPNOTE(line, std::string(what) + " \"" + trimSpaces(field) + "\" is not a number (read as 0)");
    return 0;
  }
  if (v > 255) {
    MAPNOTE(line, std::string(what) + " " + std::to_string(v) + " is larger than 255 (read as 0)");
    return 0;
  }
  return static_cast<BYTE>(v);
}

// Takes the text before SEP out of S (S keeps what follows SEP). A missing
// separator gives an empty field and leaves S as it is.
std::string takeField(std::string& s, char sep) {
  size_t p = s.find(sep);
  if (p == std::string::npos) return "";
  std::string f = s.substr(0, p);
  s = s.substr(p + 1);
  return f;
}

void readTrap(const std::string& line, int32_t ln) {
  if (COMMANDS >= MAX_TRAPS) {
    MAPFAULT(ln, "more than " + std::to_string(MAX_TRAPS) + " traps");
    return;
  }
  std::string s = line;
  std::string fx = takeField(s, ','), fy = takeField(s, ','), fdx = takeField(s, ','),
              fdy = takeField(s, '-');
  std::string rest = s;
  // A missing "-" leaves no destination row and no symbol.
  if (line.find('-') == std::string::npos) rest = "";
  uint16_t i = ++COMMANDS;
  TRAPFILELINE[i] = ln;
  MSGNUMBER[i] = 0;
  TRAPX[i] = byteField(fx, ln, "trap column");
  TRAPY[i] = ROWFROMLINE(byteField(fy, ln, "trap row"));
  DESTX[i] = byteField(fdx, ln, "trap destination column");
  DESTY[i] = ROWFROMLINE(byteField(fdy, ln, "trap destination row"));
  DESTSYMBOL[i] = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]);
  if (rest.empty()) MAPNOTE(ln, "trap line without a symbol");
  size_t colon = rest.find(':');
  if (colon != std::string::npos) {
    rest = rest.substr(colon + 1);
    TRAPREPEAT[i] = true;
  } else {
    TRAPREPEAT[i] = false;
  }
  TRAPACTIVATOR[i] = 0;
  static const char activators[6] = {'1', '2', '3', '4', 'G', 'S'};
  for (int k = 0; k < 6; k++) {
    size_t p = rest.find(activators[k]);
    if (p != std::string::npos) {
      rest = rest.substr(p + 1);
      TRAPACTIVATOR[i] = static_cast<BYTE>(k + 1);
    }
  }
}

void readMessage(const std::string& line, int32_t ln) {
  if (MSGCOUNT >= MAX_TRAPMSGS) {
    MAPFAULT(ln, "Trap messages exceed 20 !!");
    return;
  }
  if (COMMANDS == 0) {
    MAPFAULT(ln, "trap message before any trap line");
    return;
  }
  std::string text = line.size() >= 2 ? line.substr(1, line.size() - 2) : "";
  MSGCOUNT++;
  MSGNUMBER[COMMANDS] = MSGCOUNT;
  TRAPMSG[MSGCOUNT] = text.substr(0, TRAPMSG_LENGTH);
}

void readPortal(const std::string& line, int32_t ln) {
  if (NUMPORTALS >= MAX_PORTALS) {
    MAPFAULT(ln, "more than " + std::to_string(MAX_PORTALS) + " portals");
    return;
  }
  std::string s = line.substr(1);
  std::string fx = takeField(s, ','), fy = takeField(s, '-');
  std::string level = line.find('-') == std::string::npos ? "" : s;
  while (!level.empty() && (level.back() < '0' || level.back() > '9')) level.pop_back();
  BYTE n = ++NUMPORTALS;
  PORTALFILELINE[n] = ln;
  PORTALX[n] = byteField(fx, ln, "portal column");
  PORTALY[n] = ROWFROMLINE(byteField(fy, ln, "portal row"));
  PORTALLEVEL[n] = byteField(level, ln, "portal level");
  PORTALTYPE[n] = 1;
}

void readLight(const std::string& line, int32_t ln) {
  if (NUMBEROFLIGHTS >= MAX_LIGHTS) {
    MAPFAULT(ln, "more than " + std::to_string(MAX_LIGHTS) + " lights");
    return;
  }
  std::string s = trimSpaces(line.substr(1));
  bool randomPhase = !s.empty() && s.back() == 'R';
  if (randomPhase) s.pop_back();
  std::string f1 = takeField(s, ','), f2 = takeField(s, ','), f3 = takeField(s, ','),
              f4 = takeField(s, '-');
  std::string how = line.find('-') == std::string::npos ? "" : s;
  BYTE n = ++NUMBEROFLIGHTS;
  LIGHTTYPE[n] = line[0] == 'L' ? 1 : 2;
  LIGHTX1[n] = byteField(f1, ln, "light x1");
  LIGHTY1[n] = byteField(f2, ln, "light y1");
  LIGHTX2[n] = byteField(f3, ln, "light x2");
  LIGHTY2[n] = byteField(f4, ln, "light y2");
  LIGHTRANDOM[n] = randomPhase ? 1 : 0;
  LIGHTHOW[n] = byteField(how, ln, "light behaviour");
}

void readSound(const std::string& line, int32_t ln) {
  if (NUMBEROFLIGHTS == 0) {
    MAPFAULT(ln, "light sound before any light line");
    return;
  }
  std::string s = line.substr(1);
  std::string fs = takeField(s, '-');
  std::string how = line.find('-') == std::string::npos ? "" : s;
  ASOUND[NUMBEROFLIGHTS] = byteField(fs, ln, "light sound");
  ASOUNDHOW[NUMBEROFLIGHTS] = byteField(how, ln, "light sound behaviour");
}

// Reads pattern N from the lines after LINES[I] up to "END"; returns the
// index of the "END" line (or the last line).
size_t readPattern(const std::vector<std::string>& lines, size_t i) {
  int32_t ln = static_cast<int32_t>(i + 1);
  bool ok = true;
  int32_t n = readNumber(lines[i].substr(1), ok);
  bool usable = ok && n >= 1 && n <= MAX_PATTERNS;
  if (!usable) MAPFAULT(ln, "light pattern number \"" + trimSpaces(lines[i].substr(1)) + "\" is not 1.." + std::to_string(MAX_PATTERNS));
  if (usable) {
    if (n > NUMBEROFPATTERNS) NUMBEROFPATTERNS = static_cast<BYTE>(n);
    PCOLOR[n] = 0;
  }
  size_t j = i + 1;
  for (; j < lines.size(); j++) {
    std::string v = trimSpaces(lines[j]);
    if (v == "END") return j;
    if (!usable) continue;
    if (PCOLOR[n] >= MAX_PATTERNVALUES) {
      MAPFAULT(static_cast<int32_t>(j + 1), "light pattern " + std::to_string(n) + " has more than " + std::to_string(MAX_PATTERNVALUES) + " values");
      usable = false;
      continue;
    }
    PCOLOR[n]++;
    LPATTERN[n][PCOLOR[n]] = byteField(v, static_cast<int32_t>(j + 1), "pattern value");
  }
  MAPNOTE(ln, "light pattern without an END line");
  return lines.size();
}
}  // namespace

BYTE ROWFROMLINE(int32_t v) { return static_cast<BYTE>((MAPSIZEY + 1 - v) & 255); }

std::string MAPFILEFORLEVEL(BYTE levelnumber) {
  if (levelnumber > 99)
    return "CAMPAIGN\\" + GAME + "\\MAPS\\Map" + std::to_string(levelnumber) + ".txt";
  return "CAMPAIGN\\MAIN\\MAPS\\MAP_RANDOM.txt";
}

void LOADMAP(BYTE levelnumber) {
  if (CHAPTERSUNLOCKED + 99 < levelnumber) CHAPTERSUNLOCKED = static_cast<BYTE>(levelnumber - 99);
  MAPSIZEX = 0;
  MAPSIZEY = 0;
  PRELOADMAPINIT();
  std::string path = RESOLVEPATH(MAPFILEFORLEVEL(levelnumber));
  std::string text, err;
  FILEREAD r = READFILESAFE(path, MAX_MAPFILEBYTES, text, err);
  if (r == FR_MISSING || r == FR_NOTFILE || r == FR_ERROR) {
    // Anything but a readable file counts as missing: the campaign's first map is played.
    if (r != FR_MISSING) std::fprintf(stderr, "ashenreach: %s; playing map1.txt instead\n", err.c_str());
    path = RESOLVEPATH("CAMPAIGN\\" + GAME + "\\MAPS\\map1.txt");
    CURRENTMAP = 1;
  }
  LOADMAPFILE(path, levelnumber);
}

bool LOADMAPFILE(const std::string& path, BYTE levelnumber) {
  currentFile = path;
  MAPFILENAME = path;
  MAPNAMELINE = 0;
  std::string text, err;
  if (READFILESAFE(path, MAX_MAPFILEBYTES, text, err) != FR_OK) {
    // The reason follows the file name that the message begins with.
    MAPFAULT(0, err.compare(0, path.size() + 2, path + ": ") == 0 ? err.substr(path.size() + 2) : err);
    return false;
  }
  // A byte-order mark of an editor that saved the file as UTF-8 is no cell.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  const std::vector<std::string> lines = splitLines(text);

  // Sizing pass: grid lines run up to the name line. The search gives up
  // after 101 grid lines: a grid that long is too large, whatever follows.
  size_t gridLines = lines.size();
  bool named = false;
  for (size_t i = 1; i < lines.size() && i <= MAX_MAPHEIGHT + 1; i++) {
    if (lines[i].size() >= 2 && lines[i][0] == ':') {
      gridLines = i;
      named = true;
      break;
    }
  }
  const bool endless = !named && lines.size() > MAX_MAPHEIGHT + 1;
  if (endless) gridLines = MAX_MAPHEIGHT + 1;
  size_t width = 0;
  for (size_t i = 0; i < gridLines; i++) width = std::max(width, lines[i].size());
  if (!named) MAPNOTE(0, "no name line (a line \":name\" after the grid)");
  else MAPNAMELINE = static_cast<int32_t>(gridLines + 1);
  if (width > MAX_MAPWIDTH || gridLines > MAX_MAPHEIGHT) {
    MAPFAULT(0, "map too large: " + std::to_string(width) + " columns x " +
                    (endless ? "more than " + std::to_string(MAX_MAPHEIGHT + 1) : std::to_string(gridLines)) +
                    " rows (at most " + std::to_string(MAX_MAPWIDTH) + " x " + std::to_string(MAX_MAPHEIGHT) + ")");
    // Only reached while checking: go on with the part that fits.
    width = std::min<size_t>(width, MAX_MAPWIDTH);
  }
  const size_t rows = std::min<size_t>(gridLines, MAX_MAPHEIGHT);
  MAPSIZEX = static_cast<BYTE>(width);
  MAPSIZEY = static_cast<BYTE>(rows);

  // Grid pass: the first line is row MAPSIZEY, the last row 1.
  for (size_t li = 0; li < rows; li++) {
    const std::string& line = lines[li];
    const int32_t y = MAPSIZEY - static_cast<int32_t>(li);
    const int32_t len = static_cast<int32_t>(std::min<size_t>(line.size(), MAX_MAPWIDTH));
    bool graffiti = false;
    for (int32_t x = 1; x <= len; x++) {
      unsigned char c = static_cast<unsigned char>(line[x - 1]);
      unsigned char sym;
      if (c == '(') {
        sym = VALID(x - 1, y) ? MAP[x - 1][y] : 'R';
        graffiti = true;
      } else if (c == ')') {
        sym = (VALID(x + 1, y) && x < static_cast<int32_t>(line.size()))
                  ? static_cast<unsigned char>(line[x]) : 'R';
        graffiti = false;
      } else if (graffiti) {
        sym = 'R';
        bool shown = (c >= 'a' && c <= 'z') || MODERN_VISUALS == 0 || ASCII_CHARS == 1;
        MAPPP[x][y].CHR = shown ? c : ' ';
      } else {
        sym = c;
      }
      for (int k = 1; k <= 4; k++) MAPPP[x][y].OT[k] = 0;
      if (sym == '0') {
        sym = 'R';
        MAPPP[x][y].INDOOR = true;
      } else if (sym == '"') {
        sym = 'F';
        MAPPP[x][y].INDOOR = true;
      }
      MAP[x][y] = sym;
      // The classic look's uneven brightness is this machine's own: its draws
      // never move the generator two linked games share (the other may play
      // the modern look).
      BYTE seed = 100;
      if (MODERN_VISUALS != 1)
        seed = static_cast<BYTE>(100 - ((sym == 'R' || sym == 'F') ? randomLook(20) : randomLook(10)));
      MAPPP[x][MAPSIZEY - y + 1].INITIALBRIGHTNESS = seed;
    }
  }

  // Name line.
  // A level needs a player start; the random levels' template carries one too.
  bool hasStart = false;
  for (int x = 1; x <= MAPSIZEX && !hasStart; x++)
    hasStart = std::memchr(&MAP[x][1], 'P', MAPSIZEY) != nullptr;
  if (!hasStart) MAPFAULT(0, "no player start (\"P\") in the grid");

  // Without a name line the name keeps the 78 blanks it was reset to.
  if (MAPNAMELINE > 0) {
    std::string name = lines[gridLines];
    name[0] = ' ';
    MAPNAME = trimSpaces(name);
  }

  // Trailer.
  int keyNames = 0;
  for (size_t i = gridLines + 1; named && i < lines.size(); i++) {
    const std::string& line = lines[i];
    const int32_t ln = static_cast<int32_t>(i + 1);
    if (line.empty()) continue;
    switch (line[0]) {
      case ':':
        keyNames++;
        if (keyNames <= 5) KEYNAMES[keyNames] = trimSpaces(line.substr(1));
        break;
      case '"': readMessage(line, ln); break;
      case '@': readPortal(line, ln); break;
      case 'P': i = readPattern(lines, i); break;
      case 'S': readSound(line, ln); break;
      case 'L':
      case 'C': readLight(line, ln); break;
      default: readTrap(line, ln); break;
    }
  }

  // Closing.
  if (levelnumber < 100) {
    GENERATERANDOMMAP(levelnumber);
    PORTALLEVEL[1] = static_cast<BYTE>(levelnumber + 1);
  }
  TRAPSBACKUP = static_cast<BYTE>(COMMANDS);
  return true;
}
