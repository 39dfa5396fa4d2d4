// REACHABLE: the walking-connectivity test. A walker starts at the start
// cell, counts its visits in a work grid and always moves to the least-visited
// of its four neighbours (ties go north, east, south, west) until it stands on
// the target or has used up a move budget of one move per cell of the level.
//
// The random level generator asks the same question (start corner to far
// corner) thousands of times per level while it changes one cell at a time,
// so the walk remembers its last run: which cell it stood on at every step and
// the first step at which it stood on each cell. The walk is a fixed function
// of the cells it has read, so when the map has changed only in cells that the
// last walk read first at step K, the new walk repeats the old one up to step
// K: the steps from K on are undone and the walk resumes there. Changes that
// the last walk never read leave its answer as it was. The answers are
// therefore exactly those of a walk run from scratch every time.
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "render/los.h"
#include "world/grid.h"

namespace {
bool walkable(unsigned char c) {
  switch (c) {
    case ' ': case 96: case 'P': case '#': case 'M': case '0': case 'Y': case '.': case 'H':
    case '[': case ']': case 176:
      return true;
    default:
      return c >= '1' && c <= '9';
  }
}

struct WALKABLETABLE {
  bool ok[256] = {};
  WALKABLETABLE() {
    for (int c = 0; c < 256; c++) ok[c] = walkable(static_cast<unsigned char>(c));
  }
};
const WALKABLETABLE WALKABLECELLS;

// Work grid with a frame of cells outside the grid: visit counts of walkable
// cells (1 = not yet visited), 65535 for blocked ones, 65536 outside the grid,
// 0 at the target.
constexpr int32_t MAZE_BLOCKED = 65535;
constexpr int32_t MAZE_OUTSIDE = 65536;
int32_t MAZE[MAX_MAPWIDTH + 2][MAX_MAPHEIGHT + 2];

// What the last walk saw and did.
constexpr int32_t NEVER = INT32_MAX;
struct LASTWALK {
  bool valid = false;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  BYTE sizex = 0, sizey = 0;
  MAPTYPE cells;  // MAP as the walk read it
  // FIRSTSTEP: the first step at which the walker stood on the cell.
  int32_t firststep[MAX_MAPWIDTH + 2][MAX_MAPHEIGHT + 2];
  // Where the walker stood at each step (x * 256 + y); one entry per step
  // taken, plus the cell the last move led to.
  std::vector<int32_t> trail;
  int32_t steps = 0;  // steps taken (each one counted a visit)
  bool result = false;
};
LASTWALK LAST;

int32_t baseValue(int32_t x, int32_t y) {
  if (x > MAPSIZEX || y > MAPSIZEY) return MAZE_BLOCKED;
  return WALKABLECELLS.ok[MAP[x][y]] ? 1 : MAZE_BLOCKED;
}

// Rebuilds the work grid and the memory for a walk from (X1, Y1) to (X2, Y2).
void startAfresh(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  for (int x = 0; x <= MAX_MAPWIDTH + 1; x++)
    for (int y = 0; y <= MAX_MAPHEIGHT + 1; y++) {
      const bool inside = x >= 1 && x <= MAX_MAPWIDTH && y >= 1 && y <= MAX_MAPHEIGHT;
      MAZE[x][y] = inside ? baseValue(x, y) : MAZE_OUTSIDE;
      LAST.firststep[x][y] = NEVER;
    }
  MAZE[x2][y2] = 0;
  std::memcpy(LAST.cells, MAP, sizeof(MAP));
  LAST.valid = true;
  LAST.x1 = x1;
  LAST.y1 = y1;
  LAST.x2 = x2;
  LAST.y2 = y2;
  LAST.sizex = MAPSIZEX;
  LAST.sizey = MAPSIZEY;
  LAST.trail.assign(1, x1 * 256 + y1);
  LAST.steps = 0;
}

// The first step of the last walk that read cell (X, Y): it stood on the cell
// or on one of its four neighbours.
int32_t firstRead(int32_t x, int32_t y) {
  const auto& f = LAST.firststep;
  return std::min({f[x][y], f[x][y - 1], f[x + 1][y], f[x][y + 1], f[x - 1][y]});
}

// Compares the map with what the last walk read. Returns the first step that
// read a cell whose walkability has changed (NEVER when none), and brings the
// work grid's unvisited cells and the remembered map up to date.
int32_t firstChangedStep() {
  struct CHANGE {
    int32_t x, y;
  };
  static std::vector<CHANGE> changes;
  changes.clear();
  int32_t k = NEVER;
  for (int x = 1; x <= MAPSIZEX; x++) {
    unsigned char* seen = &LAST.cells[x][1];
    const unsigned char* now = &MAP[x][1];
    if (std::memcmp(seen, now, MAPSIZEY) == 0) continue;
    for (int y = 1; y <= MAPSIZEY; y++) {
      if (seen[y - 1] == now[y - 1]) continue;
      const bool was = WALKABLECELLS.ok[seen[y - 1]], is = WALKABLECELLS.ok[now[y - 1]];
      seen[y - 1] = now[y - 1];
      if (was == is) continue;
      changes.push_back({x, y});
      k = std::min(k, firstRead(x, y));
    }
  }
  if (k != NEVER) {
    // Undo the steps from K on: their visit counts and first-step marks.
    for (int32_t i = LAST.steps - 1; i >= k; i--) {
      const int32_t x = LAST.trail[i] >> 8, y = LAST.trail[i] & 255;
      if (MAZE[x][y] < MAZE_BLOCKED) MAZE[x][y]--;
      if (LAST.firststep[x][y] >= k) LAST.firststep[x][y] = NEVER;
    }
    LAST.trail.resize(static_cast<size_t>(k) + 1);
    LAST.steps = k;
  }
  // A changed cell was not stood on before step K, so it holds its old base
  // value: give it the new one (the target keeps 0).
  for (const CHANGE& c : changes)
    if (c.x != LAST.x2 || c.y != LAST.y2) MAZE[c.x][c.y] = baseValue(c.x, c.y);
  return k;
}
}  // namespace

bool WALKABLECELL(unsigned char c) { return WALKABLECELLS.ok[c]; }

bool REACHABLE(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t maxdist) {
  if (maxdist < DISTANCE(x1, y1, x2, y2)) return false;
  if (!VALID(x1, y1) || !VALID(x2, y2)) return false;
  if (x1 == x2 && y1 == y2) return true;
  if (LAST.valid && LAST.x1 == x1 && LAST.y1 == y1 && LAST.x2 == x2 && LAST.y2 == y2 &&
      LAST.sizex == MAPSIZEX && LAST.sizey == MAPSIZEY) {
    if (firstChangedStep() == NEVER) return LAST.result;
  } else {
    startAfresh(x1, y1, x2, y2);
  }
  // Walk on from the step the memory ends at.
  int32_t x = LAST.trail[LAST.steps] >> 8, y = LAST.trail[LAST.steps] & 255;
  int32_t moves = LAST.steps;
  const int32_t budget = static_cast<int32_t>(MAPSIZEX) * MAPSIZEY;
  bool arrived = false;
  for (;;) {
    if (MAZE[x][y] < MAZE_BLOCKED) MAZE[x][y]++;
    if (LAST.firststep[x][y] == NEVER) LAST.firststep[x][y] = moves;
    const int32_t n = MAZE[x][y - 1], e = MAZE[x + 1][y], s = MAZE[x][y + 1], w = MAZE[x - 1][y];
    // Never into a blocked cell: a walker walled in on all four sides stays.
    if (std::min(std::min(n, e), std::min(s, w)) >= MAZE_BLOCKED) {
      moves++;
      break;
    }
    if (SMALLEST(n, e, s, w)) y--;
    else if (SMALLEST(e, n, s, w)) x++;
    else if (SMALLEST(s, n, e, w)) y++;
    else x--;
    moves++;
    LAST.trail.push_back(x * 256 + y);
    arrived = MAZE[x][y] == 0;
    if (arrived || moves > budget) break;
  }
  LAST.steps = moves;
  LAST.result = arrived;
  return arrived;
}
