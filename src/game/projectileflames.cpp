// Flames of the flame gun, the boss, barrels and burning monsters: they fly a
// few cells, slide along rock, burn trees down (spreading as they go), set
// monsters on fire and fan out once on their way.
#include "display/renderer.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/removallist.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "base/random.h"
#include "world/grid.h"

BYTE NUMBEROFFLAMES = 0;
BYTE FLAMEX[MAX_FLAMES + 1], FLAMEY[MAX_FLAMES + 1];
int32_t FLAMEXOFFSET[MAX_FLAMES + 1], FLAMEYOFFSET[MAX_FLAMES + 1];
BYTE FLAMELIFE[MAX_FLAMES + 1], FLAMESTATUS[MAX_FLAMES + 1];
BYTE BURNEDMONSTERS = 0;

namespace {
constexpr unsigned char BARREL = 219, TANKGLYPH = 177;

void drawFlame(int32_t x, int32_t y) {
  MFATTR[x][y] = random(2) == 0 ? RED : LIGHTRED;
  int32_t ry;
  if (LIGHTROW(x, y, ry)) {
    MLIGHT[x][ry] = 128;
    RESTORECELLBRIGHTNESS(x, ry);
  }
  MAP[x][y] = random(2) == 0 ? 'o' : 'O';
}

// A flame against rock looks for a way around: the first of its own eight
// neighbours (x outer, y inner, not straight back) that holds grass, a
// monster, a player or nothing. False when there is none.
bool deflect(int32_t x, int32_t y, int32_t& dx, int32_t& dy) {
  for (int32_t i = -1; i <= 1; i++)
    for (int32_t j = -1; j <= 1; j++) {
      if ((i == 0 && j == 0) || (i == -dx && j == -dy)) continue;
      if (!VALID(x + i, y + j) || !GLYPHINSET(MAP[x + i][y + j], "GMP ")) continue;
      dx = i;
      dy = j;
      return true;
    }
  return false;
}

// A flame strikes Q = (QX, QY).
void flameHit(int32_t qx, int32_t qy) {
  const unsigned char c = WHATISIT(qx, qy);
  if (c == 'T') {
    // The tree burns down and the fire spreads around it.
    MFATTR[qx][qy] = DARKGRAY;
    ADDBLINK(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 1, 11);
    MAP[qx][qy] = ' ';
    for (int32_t i = -1; i <= 1; i++)
      for (int32_t j = -1; j <= 1; j++)
        if ((i != 0 || j != 0) && VALID(qx + i, qy + j))
          ADDFLAME(static_cast<BYTE>(qx + i), static_cast<BYTE>(qy + j), i, j, 5);
  } else if (c == TANKGLYPH) {
    HITTANKAT(qx, qy, 4);
  } else if (c == 'M') {
    if (const uint16_t m = FINDMONSTER(qx, qy)) {
      MONSTERENERGY[m] -= 30;
      const BYTE type = MONSTERTYPE[m];
      if (type >= 1 && type <= ALLMONSTERS && MONSTERENERGY[m] < ELIMIT[type] / 2.0) ONFIRE[m] = 25;
      if (MONSTERENERGY[m] < 1) {
        KILLMONSTER(m, qx, qy);
        if (BURNEDMONSTERS < 255) BURNEDMONSTERS++;
      }
    }
  } else if (c == BARREL) {
    HURTBARREL(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 5);
  } else if (c == 'P' || c == 'p') {
    const BYTE p = WHICHPLAYER(qx, qy);
    if (p >= 1 && p <= 2) HURTPLAYER(p, 10);
  }
}
}  // namespace

void ADDFLAME(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE flamelif) {
  if (NUMBEROFFLAMES >= MAX_FLAMES || !VALID(rockx, rocky)) return;
  if (!GLYPHINSET(MAP[rockx][rocky], " /-\\|oO")) return;
  const BYTE n = ++NUMBEROFFLAMES;
  FLAMEX[n] = rockx;
  FLAMEY[n] = rocky;
  FLAMEXOFFSET[n] = rockxoffset;
  FLAMEYOFFSET[n] = rockyoffset;
  FLAMELIFE[n] = flamelif;
  FLAMESTATUS[n] = 0;
}

void PURGEFLAME(BYTE n) {
  if (n < 1 || n > NUMBEROFFLAMES) return;
  for (int i = n; i < NUMBEROFFLAMES; i++) {
    FLAMEX[i] = FLAMEX[i + 1];
    FLAMEY[i] = FLAMEY[i + 1];
    FLAMEXOFFSET[i] = FLAMEXOFFSET[i + 1];
    FLAMEYOFFSET[i] = FLAMEYOFFSET[i + 1];
    FLAMELIFE[i] = FLAMELIFE[i + 1];
    FLAMESTATUS[i] = FLAMESTATUS[i + 1];
  }
  NUMBEROFFLAMES--;
}

BYTE FINDFLAME(int32_t x, int32_t y) {
  for (int n = 1; n <= NUMBEROFFLAMES; n++)
    if (FLAMEX[n] == x && FLAMEY[n] == y) return static_cast<BYTE>(n);
  return 0;
}

void FLAMES() {
  BURNEDMONSTERS = 0;
  REMOVALLIST gone;
  const int count = NUMBEROFFLAMES;
  for (int n = 1; n <= count; n++) {
    if (FLAMESTATUS[n] < 255) FLAMESTATUS[n]++;
    const int32_t x = FLAMEX[n], y = FLAMEY[n];
    if (MAP[x][y] == 'o' || MAP[x][y] == 'O') {
      MAP[x][y] = ' ';
      MFATTR[x][y] = DARKGRAY;
    }
    int32_t dx = FLAMEXOFFSET[n], dy = FLAMEYOFFSET[n];
    int32_t qx = x + dx, qy = y + dy;
    if (!VALID(qx, qy) || FLAMESTATUS[n] >= FLAMELIFE[n]) {
      gone.ADD(n);
      continue;
    }
    if (MAP[qx][qy] == 'R') {
      if (!deflect(x, y, dx, dy)) {
        gone.ADD(n);
        continue;
      }
      FLAMEXOFFSET[n] = dx;
      FLAMEYOFFSET[n] = dy;
      qx = x + dx;
      qy = y + dy;
    }
    if (!GLYPHINSET(MAP[qx][qy], "GoO ")) {
      gone.ADD(n);
      flameHit(qx, qy);
      continue;
    }
    FLAMEX[n] = static_cast<BYTE>(qx);
    FLAMEY[n] = static_cast<BYTE>(qy);
    drawFlame(qx, qy);
    if (FLAMESTATUS[n] == 5) {
      ADDFLAME(static_cast<BYTE>(qx - dy), static_cast<BYTE>(qy + dx), dx, dy, 4);
      ADDFLAME(static_cast<BYTE>(qx + dy), static_cast<BYTE>(qy - dx), dx, dy, 4);
    }
  }
  gone.APPLY([](int i) { PURGEFLAME(static_cast<BYTE>(i)); });
}
