// The move choice of one monster (CHOOSEBESTMOVE) and the test whether a
// monster may enter a cell (MONSTERCANGO), by type.
#include <cstdlib>

#include "display/input.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/weapons.h"
#include "base/random.h"
#include "render/los.h"
#include "base/settings.h"
#include "world/grid.h"

namespace {
bool isFree(int32_t x, int32_t y) { return VALID(x, y) && MAP[x][y] == ' '; }

// The four axis candidates: away-in-y, away-in-x, toward-in-y, toward-in-x.
void axisCandidates(int32_t mx, int32_t my) {
  MX[1] = mx;      MY[1] = my - YY;
  MX[2] = mx - XX; MY[2] = my;
  MX[3] = mx;      MY[3] = my + YY;
  MX[4] = mx + XX; MY[4] = my;
}

// The four neighbours in a fixed order: down, left, up, right.
void neighbourCandidates(int32_t mx, int32_t my) {
  MX[1] = mx;     MY[1] = my - 1;
  MX[2] = mx - 1; MY[2] = my;
  MX[3] = mx;     MY[3] = my + 1;
  MX[4] = mx + 1; MY[4] = my;
}

// Of candidates 1..COUNT that differ from the monster's cell and that it may
// enter, the strictly nearest to (PX, PY); the lower index wins a tie.
void chaseByDistance(uint16_t m, int count, int32_t px, int32_t py) {
  double best = 65536;
  for (int i = 1; i <= count; i++) {
    if (MX[i] == MONSTERX[m] && MY[i] == MONSTERY[m]) continue;
    if (!MONSTERCANGO(m, MX[i], MY[i])) continue;
    const double d = DISTANCE(MX[i], MY[i], px, py);
    if (d < best) {
      best = d;
      CHOSENX = MX[i];
      CHOSENY = MY[i];
    }
  }
}

// Of candidates 1..4 that are free and differ from the monster's cell, the
// highest index.
void byPriority(uint16_t m) {
  for (int i = 1; i <= 4; i++)
    if (!(MX[i] == MONSTERX[m] && MY[i] == MONSTERY[m]) && isFree(MX[i], MY[i])) {
      CHOSENX = MX[i];
      CHOSENY = MY[i];
    }
}

// The friend keeps near the boss B (the last type-12 entry): within 4 cells
// it steps away from B, farther off it steps toward B. Without a boss it
// wanders in the random direction drawn for it.
void friendMove(uint16_t m) {
  const int32_t mx = MONSTERX[m], my = MONSTERY[m];
  uint16_t b = 0;
  for (uint16_t i = NUMBEROFMONSTERS; i >= 1 && b == 0; i--)
    if (MONSTERTYPE[i] == 12) b = i;
  const double own = b > 0 ? DISTANCE(mx, my, MONSTERX[b], MONSTERY[b]) : 0;
  for (int i = 1; i <= 4; i++) {
    if (!MONSTERCANGO(m, MX[i], MY[i])) continue;
    bool ok = true;
    if (b > 0) {
      const double d = DISTANCE(MX[i], MY[i], MONSTERX[b], MONSTERY[b]);
      ok = own < 4 ? d > own : d < own;
    }
    if (ok) {
      CHOSENX = MX[i];
      CHOSENY = MY[i];
    }
  }
}

// Rocket dodge: a rocket in the row or column of (X, Y) that sees the cell
// and would reach it before the monster's own cell. EQUAL also refuses a cell
// as near to the rocket as the monster is.
bool rocketThreat(uint16_t mn, int32_t x, int32_t y, bool equal) {
  for (int r = 1; r <= NUMBEROFROCKETS; r++) {
    const int32_t rx = ROCKETX[r], ry = ROCKETY[r];
    if (rx != x && ry != y) continue;
    if (!SEES(rx, ry, x, y)) continue;
    const double dcell = DISTANCE(x, y, rx, ry), dself = DISTANCE(MONSTERX[mn], MONSTERY[mn], rx, ry);
    if (dcell < dself || (equal && dcell == dself)) return true;
  }
  return false;
}

// The Eraser keeps out of lines of fire: ahead of a rocket, or in the row or
// column of a player who sees the cell with a loaded weapon other than 5.
bool inLineOfFire(int32_t x, int32_t y) {
  for (int r = 1; r <= NUMBEROFROCKETS; r++) {
    const int32_t rx = ROCKETX[r], ry = ROCKETY[r];
    if (rx != x && ry != y) continue;
    if (SIGN(x - rx) == ROCKETXOFFSET[r] && SIGN(y - ry) == ROCKETYOFFSET[r]) return true;
  }
  for (BYTE p = 1; p <= MONSTERPLAYERS(); p++) {
    const int32_t px = PLAYERX[p], py = PLAYERY[p];
    if (px != x && py != y) continue;
    if (!SEES(x, y, px, py)) continue;
    const BYTE w = CHOSENWEAPON[p];
    if (w >= 1 && w <= NUMWEAPONTYPES && w != 5 && WEAPONAMMO[p][w] > 0) return true;
  }
  return false;
}
}  // namespace

bool MONSTERCANGO(uint16_t mn, int32_t x, int32_t y) {
  if (mn < 1 || mn > NUMBEROFMONSTERS || !VALID(x, y)) return false;
  const unsigned char c = MAP[x][y];
  switch (MONSTERTYPE[mn]) {
    case 1: case 3: case 7:
      return c == ' ' || c == '$';
    case 2: case 5: case 9:
      return c == ' ' && !rocketThreat(mn, x, y, false);
    case 4:
      return (c == ' ' || c == '$') && !rocketThreat(mn, x, y, false);
    case 6: {
      if (c != ' ' || rocketThreat(mn, x, y, true)) return false;
      for (int dx = -1; dx <= 1; dx += 2)
        for (int dy = -1; dy <= 1; dy += 2)
          if (VALID(x + dx, y + dy) && MAP[x + dx][y + dy] == 'M') return false;
      return true;
    }
    case 8:
      return c == ' ' && !inLineOfFire(x, y);
    case 12: {
      if (c != ' ' && c != 'o' && c != 'O') return false;
      for (int r = 1; r <= NUMBEROFROCKETS; r++)
        if (ROCKETX[r] == x || ROCKETY[r] == y) return false;
      if (MEDICTARGET[mn] > 0)
        for (BYTE p = 1; p <= MONSTERPLAYERS(); p++)
          if (SEESH(x, y, PLAYERX[p], PLAYERY[p])) return false;
      return true;
    }
    default:  // 10, 11 and anything unknown never move by this test
      return false;
  }
}

void CHOOSEBESTMOVE(uint16_t m) {
  if (m < 1 || m > NUMBEROFMONSTERS) return;
  const BYTE pc = MONSTERTARGET(m);
  const int32_t mx = MONSTERX[m], my = MONSTERY[m];
  const int32_t px = PLAYERX[pc], py = PLAYERY[pc];
  XX = SIGN(px - mx);
  YY = SIGN(py - my);
  switch (MONSTERTYPE[m]) {
    case 1: case 2:
      axisCandidates(mx, my);
      chaseByDistance(m, 4, px, py);
      break;
    case 12: {
      neighbourCandidates(mx, my);
      MX[5] = mx;
      MY[5] = my;
      if (!LINKACTIVE && random(5) == 3) {
        MX[5] = mx + random(3) - 1;
        MY[5] = my + random(3) - 1;
      }
      chaseByDistance(m, 5, px, py);
      if (MEDICTARGET[m] > 0) MEDICTARGET[m]--;
      if (VALID(CHOSENX, CHOSENY) && (MAP[CHOSENX][CHOSENY] == 'o' || MAP[CHOSENX][CHOSENY] == 'O'))
        if (const BYTE f = FINDFLAME(CHOSENX, CHOSENY); f > 0) PURGEFLAME(f);
      break;
    }
    case 3: case 4: case 8:
      axisCandidates(mx, my);
      byPriority(m);
      break;
    case 5:
      axisCandidates(mx, my);
      if (DISTANCE(mx, my, px, py) < 20) byPriority(m);
      break;
    case 7:
      // Reversed order: the highest index is a step away from the player.
      MX[1] = mx + XX; MY[1] = my;
      MX[2] = mx;      MY[2] = my + YY;
      MX[3] = mx - XX; MY[3] = my;
      MX[4] = mx;      MY[4] = my - YY;
      byPriority(m);
      break;
    case 9: case 10: case 11: {
      neighbourCandidates(mx, my);
      int32_t best = 65536;
      for (int i = 1; i <= 4; i++) {
        if (!isFree(MX[i], MY[i])) continue;
        const int32_t score = std::abs(std::abs(MX[i] - px) - std::abs(MY[i] - py));
        if (score < best) {
          best = score;
          CHOSENX = MX[i];
          CHOSENY = MY[i];
        }
      }
      break;
    }
    case 6:
      if (!LINKACTIVE) {
        do {
          XX = random(3) - 1;
          YY = random(3) - 1;
        } while (XX == 0 && YY == 0);
      }
      axisCandidates(mx, my);
      friendMove(m);
      break;
    default:
      break;
  }
}
