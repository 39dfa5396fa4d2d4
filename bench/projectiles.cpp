// Cost of the projectile steps of one frame on a full generated level (level
// 5) with a crowded sky: 50 rails, 200 flames, 100 rockets, 100 explosions
// and the blood table filled (500 drops are asked for; the table holds 127),
// plus 100 plasma balls, 77 shells and 150 blinks. Every repetition starts from the same
// snapshot; only the movers are timed. Prints processor time per step.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "benchsetup.h"
#include "display/renderer.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "base/random.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace {
struct SNAPSHOT {
  MAPTYPE MAPS;
  STR18 FATTR, BATTR, DAMAGE, LIGHT;
  std::vector<POSTPROCESSING> PP;
  std::vector<int32_t> ENERGY;
  uint16_t MONSTERS = 0;
};

SNAPSHOT SNAP;
// Monster table columns that a purge shifts.
std::vector<BYTE> MX, MY, MT;

void save() {
  std::memcpy(SNAP.MAPS, MAP, sizeof(MAPTYPE));
  std::memcpy(SNAP.FATTR, MFATTR, sizeof(STR18));
  std::memcpy(SNAP.BATTR, MBATTR, sizeof(STR18));
  std::memcpy(SNAP.DAMAGE, MDAMAGE, sizeof(STR18));
  std::memcpy(SNAP.LIGHT, MLIGHT, sizeof(STR18));
  SNAP.PP.assign(&MAPPP[0][0], &MAPPP[0][0] + (MAX_MAPWIDTH + 1) * (MAX_MAPHEIGHT + 1));
  SNAP.MONSTERS = NUMBEROFMONSTERS;
  SNAP.ENERGY.assign(MONSTERENERGY, MONSTERENERGY + NUMBEROFMONSTERS + 1);
  MX.assign(MONSTERX, MONSTERX + NUMBEROFMONSTERS + 1);
  MY.assign(MONSTERY, MONSTERY + NUMBEROFMONSTERS + 1);
  MT.assign(MONSTERTYPE, MONSTERTYPE + NUMBEROFMONSTERS + 1);
}

void restoreWorld() {
  std::memcpy(MAP, SNAP.MAPS, sizeof(MAPTYPE));
  std::memcpy(MFATTR, SNAP.FATTR, sizeof(STR18));
  std::memcpy(MBATTR, SNAP.BATTR, sizeof(STR18));
  std::memcpy(MDAMAGE, SNAP.DAMAGE, sizeof(STR18));
  std::memcpy(MLIGHT, SNAP.LIGHT, sizeof(STR18));
  std::copy(SNAP.PP.begin(), SNAP.PP.end(), &MAPPP[0][0]);
  NUMBEROFMONSTERS = SNAP.MONSTERS;
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    MONSTERENERGY[m] = SNAP.ENERGY[m];
    MONSTERX[m] = MONSTERX_[m] = MX[m];
    MONSTERY[m] = MONSTERY_[m] = MY[m];
    MONSTERTYPE[m] = MT[m];
  }
}

// A random blank cell of the level.
void blankCell(BYTE& x, BYTE& y) {
  do {
    x = static_cast<BYTE>(2 + random(MAPSIZEX - 2));
    y = static_cast<BYTE>(2 + random(MAPSIZEY - 2));
  } while (MAP[x][y] != ' ');
}

void direction(int32_t& dx, int32_t& dy) {
  do {
    dx = random(3) - 1;
    dy = random(3) - 1;
  } while (dx == 0 && dy == 0);
}

// Fills the sky from a fixed seed, so every repetition flies the same shots.
void populate() {
  RANDSEED(11);
  CLEARPROJECTILES();
  BYTE x, y;
  int32_t dx, dy;
  for (int i = 0; i < 100; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDROCKET(x, y, dx, dy);
  }
  for (int i = 0; i < 50; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDRAIL(x, y, dx, dy, 3);
  }
  for (int i = 0; i < 200; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDFLAME(x, y, dx, dy, static_cast<BYTE>(5 + random(6)));
  }
  for (int i = 0; i < 100; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDPLASMA(x, y, dx, dy);
  }
  for (int i = 0; i < 100; i++) {
    blankCell(x, y);
    ADDEXPLOSION(x, y, static_cast<BYTE>(1 + random(12)), static_cast<BYTE>(1 + random(3)));
  }
  for (int i = 0; i < 500; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDBLOOD(x, y, dx, dy, static_cast<BYTE>(4 + random(10)));
  }
  for (int i = 0; i < MAX_SHELLS; i++) {
    blankCell(x, y);
    direction(dx, dy);
    ADDSHELL(x, y, dx, dy, 14);
  }
  for (int i = 0; i < 150; i++) {
    blankCell(x, y);
    ADDBLINK(x, y, static_cast<BYTE>(1 + random(6)), 11);
  }
}

double CPU[9];
template <typename F>
void timed(int slot, F fn) {
  const std::clock_t t0 = std::clock();
  fn();
  CPU[slot] += BENCHCPUMS(t0);
}
}  // namespace

int main(int argc, char** argv) {
  const BYTE look = argc > 1 && std::strcmp(argv[1], "modern") == 0 ? 1 : 0;
  BENCHLEVEL5();
  MODERN_VISUALS = look;
  NEW_LAND = 0;
  save();
  populate();
  std::printf("level 5: %d x %d, %d monsters, %s look\n", MAPSIZEX, MAPSIZEY, NUMBEROFMONSTERS,
              look ? "modern" : "classic");
  std::printf("live at the start of each frame: %d rockets, %d rails, %d flames, %d plasmas, "
              "%d explosions, %d bloods (of 500 asked), %d shells, %d blinks\n",
              NUMBEROFROCKETS, NUMBEROFRAILS, NUMBEROFFLAMES, NUMBEROFPLASMAS, NUMBEROFEXPLOSIONS,
              NUMBEROFBLOODS, NUMBEROFSHELLS, NUMBEROFBLINKS);
  const char* names[9] = {"SHELLS", "FLAMES", "ROCKETS", "EXPLOSIONS", "PLASMAS", "BLOODS", "RAILS",
                          "BLINKS", "EXPLODEALLMINES"};
  const int reps = 300;
  for (int r = 0; r < reps; r++) {
    restoreWorld();
    populate();
    // One frame on which every mover runs (an input cycle with flames and rails).
    timed(0, [] { SHELLS(); });
    timed(1, [] { FLAMES(); });
    timed(2, [] { ROCKETS(); });
    timed(3, [] { EXPLOSIONS(); });
    timed(4, [] { PLASMAS(false); });
    timed(5, [] { BLOODS(); });
    timed(6, [] { RAILS(); });
    timed(7, [] { BLINKS(); });
    timed(8, [] { EXPLODEALLMINES(); });
  }
  double total = 0;
  for (int i = 0; i < 9; i++) {
    std::printf("  %-16s %8.4f ms\n", names[i], CPU[i] / reps);
    total += CPU[i] / reps;
  }
  std::printf("projectile steps per frame: %.4f ms (goal: under 1 ms)\n", total);
  // The light grid kept for the frames between input cycles: saved once per
  // input cycle, put back on each frame in between.
  const std::clock_t t0 = std::clock();
  for (int r = 0; r < reps; r++) {
    SAVELIGHTBASE();
    RESTORELIGHTBASE();
  }
  std::printf("  light grid save + restore: %.4f ms\n", BENCHCPUMS(t0) / reps);
  return 0;
}
