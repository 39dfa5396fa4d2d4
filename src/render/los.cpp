#include "render/los.h"

#include <cmath>

#include "game/players.h"
#include "render/lighting.h"
#include "base/settings.h"
#include "world/grid.h"

uint16_t LOS_VIEW_DEPTH = 1;
uint16_t SIGHTDEPTH[3] = {1, 1, 1};

namespace {
// A rock or closed-door cell blocks sight unless a letter is painted on it.
bool sightBlocker(int32_t x, int32_t y) {
  unsigned char c = MAP[x][y];
  return (c == 'R' || c == C176) && MAPPP[x][y].CHR == 255;
}

bool openForQuickPath(unsigned char c) {
  return c == ' ' || c == '-' || c == '\\' || c == '|' || c == '/';
}

bool gunLinePassable(unsigned char c, bool monstersPass) {
  switch (c) {
    case ' ': case '/': case '-': case '\\': case '|': case 'o': case 'O': return true;
    case 'M': return monstersPass;
    default: return false;
  }
}

// 0 = only blanks pass, 1 = blanks and monsters, 2 = all but 'R' and #176.
bool straightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int kind) {
  int32_t x = x1, y = y1;
  for (;;) {
    x += SIGN(x2 - x);
    y += SIGN(y2 - y);
    if (x == x2 && y == y2) return true;
    if (!VALID(x, y)) return false;
    unsigned char c = MAP[x][y];
    bool pass = kind == 0 ? c == ' ' : kind == 1 ? (c == ' ' || c == 'M') : (c != 'R' && c != C176);
    if (!pass) return false;
  }
}

bool gunLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool monstersPass) {
  if (x1 != x2 && y1 != y2) return false;
  int32_t dx = SIGN(x2 - x1), dy = SIGN(y2 - y1);
  // Cells strictly between start and target; an adjacent target has none and
  // is therefore in the clear.
  for (int32_t x = x1 + dx, y = y1 + dy; !(x == x2 && y == y2); x += dx, y += dy) {
    if (!VALID(x, y)) return false;
    if (!gunLinePassable(MAP[x][y], monstersPass)) return false;
  }
  return true;
}
}  // namespace

int32_t SIGN(int32_t somenumber) { return somenumber > 0 ? 1 : somenumber < 0 ? -1 : 0; }

double DISTANCE(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  double dx = x1 - x2, dy = y1 - y2;
  return std::sqrt(dx * dx + dy * dy);
}

bool SMALLEST(int32_t a, int32_t b, int32_t c, int32_t d) { return a <= b && a <= c && a <= d; }

bool CELLWITHINPLAYERVIEW(int32_t x, int32_t y) {
  int p = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  return std::abs(x - PLAYERX[p]) <= 18 && std::abs(y - PLAYERY[p]) <= 14;
}

bool SEES3(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!VALID(x2, y2)) return false;
  unsigned char saved = MAP[x2][y2];
  MAP[x2][y2] = ' ';
  static const int32_t stepx[4] = {1, -1, 0, 0};
  static const int32_t stepy[4] = {0, 0, 1, -1};
  int32_t x = x1, y = y1;
  bool result = false;
  for (;;) {
    if (x == x2 && y == y2) {
      result = true;
      break;
    }
    int32_t zx = SIGN(x2 - x), zy = SIGN(y2 - y);
    int chosen = -1;
    for (int i = 0; i < 4 && chosen < 0; i++) {
      bool toward = (stepx[i] != 0 && stepx[i] == zx) || (stepy[i] != 0 && stepy[i] == zy);
      if (!toward) continue;
      int32_t nx = x + stepx[i], ny = y + stepy[i];
      if (VALID(nx, ny) && openForQuickPath(MAP[nx][ny])) chosen = i;
    }
    if (chosen < 0) break;
    x += stepx[chosen];
    y += stepy[chosen];
  }
  MAP[x2][y2] = saved;
  return result;
}

bool SEESLOS(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool dont_touch_los_map) {
  const int32_t d = LOS_VIEW_DEPTH;
  bool prevspot = true;
  int32_t failures = 0;
  bool valid = VALID(x2, y2);
  if (!valid) {
    failures = 200;
  } else if (!SEES3(x1, y1, x2, y2)) {
    int32_t x = x1, y = y1;
    for (;;) {
      int32_t dx = SIGN(x2 - x), dy = SIGN(y2 - y);
      if (dx == 0 && dy == 0) break;
      const int32_t cx[3] = {x + dx, x, x + dx};
      const int32_t cy[3] = {y + dy, y + dy, y};
      bool spotfound = false;
      for (int i = 0; i < 3; i++) {
        if (!VALID(cx[i], cy[i]) || (cx[i] == x && cy[i] == y)) continue;
        if (sightBlocker(cx[i], cy[i])) continue;
        x = cx[i];
        y = cy[i];
        spotfound = true;
        break;
      }
      if (spotfound) {
        if (!prevspot) {
          // Out of a wall into open space.
          failures = d + 2;
          break;
        }
      } else {
        // Into the wall diagonally.
        x = cx[0];
        y = cy[0];
        failures++;
        if (!VALID(x, y)) {
          failures = 200;
          break;
        }
        if (failures == d + 1) {
          failures = (x == x2 && y == y2 && failures == 1) ? 0 : d + 2;
          break;
        }
      }
      prevspot = spotfound;
    }
  }
  if (failures > 0) failures--;
  bool result = d + 1 > failures;
  if (!dont_touch_los_map && valid) {
    if (result) {
      if (MAPLOS[x2][y2] <= FADEOUT) MAPLOS[x2][y2] += FADEINSPEED;
      if (MAPLOS[x2][y2] > FADEOUT) MAPLOS[x2][y2] = FADEOUT + BEFORE_FADE_INTERVAL;
    }
    if (MAPLOS[x2][y2] > 0) result = true;
  }
  return result;
}

bool SEES7(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return straightLine(x1, y1, x2, y2, 0); }
bool SEESM7(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return straightLine(x1, y1, x2, y2, 1); }
bool SEES77(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return straightLine(x1, y1, x2, y2, 2); }
bool SEES(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return gunLine(x1, y1, x2, y2, false); }
bool SEESH(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return gunLine(x1, y1, x2, y2, true); }
