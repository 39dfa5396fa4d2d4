// Sight rays with their memory, the straight-line tests and reachability.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "game/players.h"
#include "render/lighting.h"
#include "render/los.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {
// An open 160 x 100 level with the given cells set; every MAPLOS cleared.
class Sight : public ::testing::Test {
 protected:
  void SetUp() override {
    MAPSIZEX = 160;
    MAPSIZEY = 100;
    for (int x = 1; x <= 160; x++)
      for (int y = 1; y <= 100; y++) {
        MAP[x][y] = ' ';
        MAPLOS[x][y] = 0;
        MAPPP[x][y].CHR = 255;
      }
    LOS_VIEW_DEPTH = 1;
  }
  void wall(int x, int y1, int y2) {
    for (int y = y1; y <= y2; y++) MAP[x][y] = 'R';
  }
};
}  // namespace

TEST_F(Sight, InvalidTargetAndOwnCell) {
  EXPECT_FALSE(SEESLOS(10, 10, 0, 10, false));
  EXPECT_FALSE(SEESLOS(10, 10, 10, 101, false));
  EXPECT_TRUE(SEESLOS(10, 10, 10, 10, true));
}

TEST_F(Sight, DepthOneSeesTheWallFaceOnly) {
  wall(20, 1, 100);  // a one-cell wall across the level
  wall(21, 1, 100);  // and a second layer behind it
  EXPECT_TRUE(SEESLOS(10, 50, 19, 50, true));   // open floor
  EXPECT_TRUE(SEESLOS(10, 50, 20, 50, true));   // first wall cell
  EXPECT_TRUE(SEESLOS(10, 50, 20, 55, true));   // wall face at an angle
  EXPECT_FALSE(SEESLOS(10, 50, 21, 50, true));  // the cell behind it
  EXPECT_FALSE(SEESLOS(10, 50, 25, 50, true));  // open floor behind the wall
  LOS_VIEW_DEPTH = 3;
  EXPECT_TRUE(SEESLOS(10, 50, 21, 50, true));
  EXPECT_FALSE(SEESLOS(10, 50, 25, 50, true));  // never open space beyond a wall
  wall(22, 1, 100);
  wall(23, 1, 100);
  EXPECT_TRUE(SEESLOS(10, 50, 22, 50, true));
  EXPECT_FALSE(SEESLOS(10, 50, 23, 50, true));
}

TEST_F(Sight, PaintedLettersAndClosedDoors) {
  wall(20, 1, 100);
  MAPPP[20][50].CHR = 'x';
  EXPECT_TRUE(SEESLOS(10, 50, 25, 50, true));
  MAP[20][50] = C176;
  MAPPP[20][50].CHR = 255;
  EXPECT_FALSE(SEESLOS(10, 50, 25, 50, true));
}

TEST_F(Sight, MemoryRisesFadesAndIsCapped) {
  for (int frame = 1; frame <= 7; frame++) {
    EXPECT_TRUE(SEESLOS(10, 10, 12, 12, false));
    EXPECT_EQ(MAPLOS[12][12], 24 * frame);
  }
  SEESLOS(10, 10, 12, 12, false);
  EXPECT_EQ(MAPLOS[12][12], FADEOUT + BEFORE_FADE_INTERVAL);
  SEESLOS(10, 10, 12, 12, false);
  EXPECT_EQ(MAPLOS[12][12], 270);
  MAPLOS[13][13] = 157;
  SEESLOS(10, 10, 13, 13, false);
  EXPECT_EQ(MAPLOS[13][13], 270);
  // A remembered cell behind a wall still counts as seen while it fades,
  // but only for callers that touch the memory.
  wall(30, 1, 100);
  MAPLOS[40][10] = 5;
  EXPECT_TRUE(SEESLOS(10, 10, 40, 10, false));
  EXPECT_EQ(MAPLOS[40][10], 5);
  EXPECT_FALSE(SEESLOS(10, 10, 40, 10, true));
}

TEST_F(Sight, QuickPathRestoresTheTarget) {
  MAP[15][10] = 'M';
  EXPECT_TRUE(SEES3(10, 10, 15, 10));
  EXPECT_EQ(MAP[15][10], 'M');
  MAP[12][10] = 'T';
  EXPECT_FALSE(SEES3(10, 10, 15, 10));
  EXPECT_TRUE(SEES3(10, 10, 15, 12));  // steps up round the tree
}

TEST_F(Sight, StraightLines) {
  MAP[11][11] = 'R';
  EXPECT_TRUE(SEES7(10, 10, 11, 11));  // adjacent: nothing between
  MAP[12][12] = 'M';
  EXPECT_FALSE(SEES7(10, 10, 14, 14));
  MAP[11][11] = ' ';
  EXPECT_FALSE(SEES7(10, 10, 14, 14));
  EXPECT_TRUE(SEESM7(10, 10, 14, 14));
  MAP[13][13] = 'T';
  EXPECT_FALSE(SEESM7(10, 10, 14, 14));
  EXPECT_TRUE(SEES77(10, 10, 14, 14));
  MAP[13][13] = C176;
  EXPECT_FALSE(SEES77(10, 10, 14, 14));
}

TEST_F(Sight, GunLines) {
  EXPECT_FALSE(SEES(10, 10, 12, 11));
  EXPECT_TRUE(SEES(10, 10, 10, 20));
  EXPECT_TRUE(SEES(10, 10, 11, 10));  // adjacent
  MAP[10][15] = 'M';
  EXPECT_FALSE(SEES(10, 10, 10, 20));
  EXPECT_TRUE(SEESH(10, 10, 10, 20));
  MAP[10][16] = 'o';
  EXPECT_TRUE(SEESH(10, 10, 10, 20));
  MAP[10][17] = 'T';
  EXPECT_FALSE(SEESH(10, 10, 10, 20));
  EXPECT_TRUE(SEES(1, 5, 160, 5));
}

TEST_F(Sight, Reachability) {
  wall(20, 1, 100);
  EXPECT_FALSE(REACHABLE(10, 50, 30, 50, 65535));
  MAP[20][77] = 176;  // a closed door is walkable
  EXPECT_TRUE(REACHABLE(10, 50, 30, 50, 65535));
  EXPECT_FALSE(REACHABLE(10, 50, 30, 50, 19));  // beyond the distance budget
  MAP[20][77] = 'T';
  MAP[20][78] = '$';
  EXPECT_FALSE(REACHABLE(10, 50, 30, 50, 65535));
  // The level border is open here: neighbours outside the grid stay blocked.
  EXPECT_TRUE(REACHABLE(160, 100, 160, 1, 65535));
  EXPECT_TRUE(REACHABLE(1, 1, 19, 100, 65535));
}

TEST_F(Sight, Helpers) {
  EXPECT_TRUE(SMALLEST(2, 2, 3, 4));
  EXPECT_FALSE(SMALLEST(3, 2, 3, 4));
  EXPECT_EQ(SIGN(-7), -1);
  EXPECT_EQ(SIGN(0), 0);
  EXPECT_EQ(SIGN(9), 1);
  EXPECT_DOUBLE_EQ(DISTANCE(1, 1, 4, 5), 5.0);
  MYNUMBER = 1;
  PLAYERX[1] = 50;
  PLAYERY[1] = 50;
  EXPECT_TRUE(CELLWITHINPLAYERVIEW(68, 64));
  EXPECT_TRUE(CELLWITHINPLAYERVIEW(32, 36));
  EXPECT_FALSE(CELLWITHINPLAYERVIEW(69, 50));
  EXPECT_FALSE(CELLWITHINPLAYERVIEW(50, 35));
}

namespace {
// The walk from scratch, written plainly: visit counts in a fresh grid, the
// least-visited neighbour (ties north, east, south, west), never into a
// blocked cell, at most one move per cell of the level.
bool plainWalk(int x1, int y1, int x2, int y2) {
  static int count[162][102];
  auto open = [](unsigned char c) {
    return std::string(" `P#M0Y.H[]123456789").find(static_cast<char>(c)) != std::string::npos || c == 176;
  };
  for (int x = 0; x <= 161; x++)
    for (int y = 0; y <= 101; y++) {
      bool inLevel = x >= 1 && y >= 1 && x <= MAPSIZEX && y <= MAPSIZEY;
      count[x][y] = inLevel && open(MAP[x][y]) ? 1 : 1 << 20;
    }
  count[x2][y2] = 0;
  int x = x1, y = y1;
  for (int moves = 1; moves <= MAPSIZEX * MAPSIZEY + 1; moves++) {
    if (count[x][y] < (1 << 20)) count[x][y]++;
    const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
    int best = -1;
    for (int d = 0; d < 4; d++)
      if (best < 0 || count[x + dx[d]][y + dy[d]] < count[x + dx[best]][y + dy[best]]) best = d;
    if (count[x + dx[best]][y + dy[best]] >= (1 << 20)) return false;
    x += dx[best];
    y += dy[best];
    if (x == x2 && y == y2) return true;
  }
  return false;
}
}  // namespace

TEST_F(Sight, WalkerNeverStepsThroughAWall) {
  // The start cell is walled in on all four sides; open floor lies beyond.
  struct CASE {
    const char* what;
    int sx, sy;
    std::vector<std::pair<int, int>> rock;
    bool reachable;
  } cases[] = {
      {"walled in", 10, 50, {{9, 50}, {11, 50}, {10, 49}, {10, 51}}, false},
      {"one side open", 10, 50, {{9, 50}, {11, 50}, {10, 49}}, true},
      {"corner of the level", 2, 99, {{3, 99}, {2, 98}}, false},
  };
  for (const CASE& c : cases) {
    SetUp();
    wall(1, 1, 100);  // the border of the level is rock
    wall(160, 1, 100);
    for (int x = 1; x <= 160; x++) MAP[x][1] = MAP[x][100] = 'R';
    for (auto [x, y] : c.rock) MAP[x][y] = 'R';
    EXPECT_EQ(REACHABLE(c.sx, c.sy, 158, 3, 65535), c.reachable) << c.what;
  }
}

TEST_F(Sight, RememberedWalkGivesTheAnswersOfAFreshWalk) {
  // Many questions while the map changes a few cells at a time, as the level
  // generator asks them: every answer must equal the walk run from scratch.
  std::mt19937 rng(7);
  const unsigned char symbols[] = {'R', 'R', 'R', ' ', ' ', 'E', 'M', 'H', 176};
  int agreed = 0, yes = 0;
  for (int round = 0; round < 1500; round++) {
    const int edits = 1 + static_cast<int>(rng() % 3);
    for (int e = 0; e < edits; e++) {
      int x = 1 + static_cast<int>(rng() % 40), y = 1 + static_cast<int>(rng() % 30);
      MAP[x][y] = symbols[rng() % sizeof(symbols)];
    }
    // Mostly the same question; now and then another one.
    int x2 = 38, y2 = 3;
    if (round % 50 == 49) x2 = 20, y2 = 20;
    MAPSIZEX = 40;
    MAPSIZEY = 30;
    const bool expect = plainWalk(2, 28, x2, y2);
    ASSERT_EQ(REACHABLE(2, 28, x2, y2, 65535), expect) << "round " << round;
    agreed++;
    yes += expect;
  }
  // Both answers occur, so the comparison means something.
  EXPECT_GT(yes, 100);
  EXPECT_LT(yes, agreed - 100);
}
