#include "world/mapcheck.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "game/doors.h"
#include "game/players.h"
#include "render/lighting.h"
#include "render/los.h"
#include "base/settings.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace {
// A level number the checker loads a file as: a campaign level, so the file
// is taken as written (no random filling) and inventory items are kept.
constexpr BYTE CHECKLEVEL = 108;

bool insideLevel(int32_t x, int32_t y) { return x >= 1 && x <= MAPSIZEX && y >= 1 && y <= MAPSIZEY; }

// True when a walk over walkable cells (four directions) leads from (X1, Y1)
// to (X2, Y2). The game's own walker gives up on long winding ways through a
// big level; the checker must not call a far but open exit unreachable.
bool walkLeadsTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!insideLevel(x1, y1) || !insideLevel(x2, y2)) return false;
  std::vector<uint8_t> seen(static_cast<size_t>(MAPSIZEX + 2) * (MAPSIZEY + 2), 0);
  auto at = [](int32_t x, int32_t y) { return static_cast<size_t>(y) * (MAPSIZEX + 2) + x; };
  std::vector<std::pair<int32_t, int32_t>> todo{{x1, y1}};
  seen[at(x1, y1)] = 1;
  for (size_t i = 0; i < todo.size(); i++) {
    const auto [x, y] = todo[i];
    if (x == x2 && y == y2) return true;
    const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; d++) {
      const int32_t nx = x + dx[d], ny = y + dy[d];
      if (!insideLevel(nx, ny) || seen[at(nx, ny)]) continue;
      // The target itself may be any symbol: a portal often sits on a drawn cell.
      if (!(nx == x2 && ny == y2) && !WALKABLECELL(static_cast<unsigned char>(MAP[nx][ny]))) continue;
      seen[at(nx, ny)] = 1;
      todo.push_back({nx, ny});
    }
  }
  return false;
}

// The file line that a stored row came from.
int32_t lineOfRow(int32_t row) { return (MAPSIZEY + 1 - row) & 255; }

// TEXT with every byte that is not printable ASCII written as \xNN (and a
// backslash as \\), so a report never sends control codes to a terminal.
std::string printable(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}
}  // namespace

int CHECKMAPFILE(const std::string& path) {
  const bool launched = LAUNCHED_FROM_MD;
  LAUNCHED_FROM_MD = false;
  MAPCHECKING = true;
  MAPPROBLEMS.clear();
  MAPSIZEX = 0;
  MAPSIZEY = 0;
  PRELOADMAPINIT();
  bool loaded = LOADMAPFILE(path, CHECKLEVEL);
  if (loaded) {
    // The trailer lines were checked as they were read; the cells they name now.
    bool hasStart = false;
    for (int x = 1; x <= MAPSIZEX && !hasStart; x++)
      for (int y = 1; y <= MAPSIZEY; y++)
        if (MAP[x][y] == 'P') {
          hasStart = true;
          break;
        }
    ASSIGNCOLORS();
    SCANMAP(CHECKLEVEL);
    for (int i = 1; i <= COMMANDS; i++) {
      const int32_t ln = TRAPFILELINE[i];
      const std::string what = "trap";
      if (!insideLevel(TRAPX[i], TRAPY[i]))
        MAPPROBLEMS.push_back({ln, what + ": trap cell " + std::to_string(TRAPX[i]) + "," +
                                      std::to_string(lineOfRow(TRAPY[i])) + " is outside the map"});
      if (DESTSYMBOL[i] == 'L' || DESTSYMBOL[i] == ']') {
        if (DESTX[i] < 1 || DESTX[i] > NUMBEROFLIGHTS)
          MAPPROBLEMS.push_back({ln, what + ": switches light " + std::to_string(DESTX[i]) + ", which the map does not have"});
      } else if (!insideLevel(DESTX[i], DESTY[i])) {
        MAPPROBLEMS.push_back({ln, what + ": destination " + std::to_string(DESTX[i]) + "," +
                                      std::to_string(lineOfRow(DESTY[i])) + " is outside the map"});
      }
    }
    for (int i = 1; i <= NUMPORTALS; i++) {
      const int32_t ln = PORTALFILELINE[i];
      const std::string what = "portal";
      if (!insideLevel(PORTALX[i], PORTALY[i])) {
        MAPPROBLEMS.push_back({ln, what + ": cell " + std::to_string(PORTALX[i]) + "," +
                                      std::to_string(lineOfRow(PORTALY[i])) + " is outside the map"});
      } else if (hasStart && !walkLeadsTo(PLAYERSTARTX[1], PLAYERSTARTY[1], PORTALX[i], PORTALY[i])) {
        MAPPROBLEMS.push_back({ln, what + ": cell " + std::to_string(PORTALX[i]) + "," +
                                      std::to_string(lineOfRow(PORTALY[i])) +
                                      " cannot be reached from the player start"});
      }
    }
  }
  MAPCHECKING = false;
  LAUNCHED_FROM_MD = launched;
  std::stable_sort(MAPPROBLEMS.begin(), MAPPROBLEMS.end(),
                   [](const MAPPROBLEM& a, const MAPPROBLEM& b) { return a.LINE < b.LINE; });
  bool refused = false;
  const std::string shown = printable(path);
  for (const MAPPROBLEM& p : MAPPROBLEMS) {
    refused = refused || p.REFUSED;
    const char* kind = p.REFUSED ? "refused" : "note";
    if (p.LINE > 0) std::printf("%s:%d: %s: %s\n", shown.c_str(), p.LINE, kind, printable(p.TEXT).c_str());
    else std::printf("%s: %s: %s\n", shown.c_str(), kind, printable(p.TEXT).c_str());
  }
  if (MAPPROBLEMS.empty()) std::printf("%s: no problems found\n", shown.c_str());
  else if (refused) std::printf("%s: the game refuses this file\n", shown.c_str());
  else std::printf("%s: the game plays this file; the notes above may still be mistakes\n", shown.c_str());
  std::fflush(stdout);
  return MAPPROBLEMS.empty() ? CHECK_CLEAN : refused ? CHECK_REFUSED : CHECK_NOTES;
}
