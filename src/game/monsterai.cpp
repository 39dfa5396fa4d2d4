#include "game/monsterai.h"

#include <cstdlib>
#include <cstring>

#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "render/los.h"
#include "base/settings.h"
#include "world/grid.h"

BYTE MONSTERCOUNTER1 = 0, MONSTERCOUNTER2 = 0, MONSTERCOUNTER3 = 0, MONSTERCOUNTER4 = 0;
BYTE MNOTICED = 0;
bool SSOUND = false, CSOUND = false;
int32_t MX[6], MY[6];
int32_t CHOSENX = 0, CHOSENY = 0;
int32_t XX = 0, YY = 0;

namespace {
constexpr double NOTICERANGE = 20;

// The line of sight from (X1, Y1) to (X2, Y2) with DEPTH cells of sight into
// walls; the depth of the view is left as it was.
bool seesAtDepth(uint16_t depth, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const uint16_t view = LOS_VIEW_DEPTH;
  LOS_VIEW_DEPTH = depth;
  const bool sees = SEESLOS(x1, y1, x2, y2, true);
  LOS_VIEW_DEPTH = view;
  return sees;
}

// While MONSTERS runs: the lowest-numbered monster on each cell and how many
// stand there, so that the many traces that stop on a monster learn cheaply
// whether it is a friend. A removal during the pass shifts the indices; the
// grid is then no longer used.
uint16_t CELLLOWEST[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
uint16_t CELLCOUNT[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
bool INPASS = false;
uint32_t PASSPURGES = 0;

void buildCells() {
  std::memset(CELLLOWEST, 0, sizeof CELLLOWEST);
  std::memset(CELLCOUNT, 0, sizeof CELLCOUNT);
  for (uint16_t m = NUMBEROFMONSTERS; m >= 1; m--)
    if (VALID(MONSTERX[m], MONSTERY[m])) {
      CELLLOWEST[MONSTERX[m]][MONSTERY[m]] = m;
      CELLCOUNT[MONSTERX[m]][MONSTERY[m]]++;
    }
  PASSPURGES = MONSTERPURGES;
}

bool cellsUsable() { return INPASS && PASSPURGES == MONSTERPURGES; }

// Monster M moved from (X, Y) to (NX, NY).
void moveInCells(uint16_t m, BYTE x, BYTE y, BYTE nx, BYTE ny) {
  if (!cellsUsable() || (x == nx && y == ny)) return;
  if (VALID(x, y) && CELLCOUNT[x][y] > 0) {
    CELLCOUNT[x][y]--;
    if (CELLLOWEST[x][y] == m) {
      CELLLOWEST[x][y] = 0;
      if (CELLCOUNT[x][y] > 0) CELLLOWEST[x][y] = FINDMONSTER(x, y);
    }
  }
  CELLCOUNT[nx][ny]++;
  if (CELLLOWEST[nx][ny] == 0 || m < CELLLOWEST[nx][ny]) CELLLOWEST[nx][ny] = m;
}

// Step 2: noticing; the boss and helper energies come from the last entry.
void notice() {
  const uint16_t n = NUMBEROFMONSTERS;
  if (n > 0) {
    if (MONSTERTYPE[n] == 12) BOSSHEALTH = MONSTERENERGY[n];
    if (MONSTERTYPE[n] == 6) HELPERHEALTH = MONSTERENERGY[n];
  }
  for (uint16_t m = 1; m <= n; m++) {
    if (SAW[m] != 0) continue;
    const double range = MONSTERTYPE[m] == 4 ? NOTICERANGE / 5 : NOTICERANGE;
    for (BYTE p = 1; p <= MONSTERPLAYERS(); p++) {
      // The sight memory belongs to the view of my player: a monster looking
      // must neither change it nor count a cell as seen because the player
      // remembers it.
      // It looks as deep into walls as the level lets one see from where
      // player P stands, the same on both linked machines.
      if (DISTANCE(MONSTERX[m], MONSTERY[m], PLAYERX[p], PLAYERY[p]) < range &&
          seesAtDepth(SIGHTDEPTH[p], MONSTERX[m], MONSTERY[m], PLAYERX[p], PLAYERY[p])) {
        SAW[m] = 1;
        if (p == MONSTERMYPLAYER() && MNOTICED < 255) MNOTICED++;
      }
    }
  }
}

// Step 3.10: contact with players and the tanks they drive.
void contact(uint16_t m) {
  const BYTE type = MONSTERTYPE[m];
  for (BYTE p = 1; p <= MONSTERPLAYERS(); p++) {
    const BYTE t = INTANK[p];
    if (t > 0) {
      if (t > NUMBEROFTANKS) continue;
      // The friend touches tanks without harm.
      if (MONSTERTANKDAMAGE[type] == 0) continue;
      if (DISTANCE(MONSTERX[m], MONSTERY[m], TANKX[t] + 1, TANKY[t] - 1) < 3) {
        const BYTE lowest = type <= 7 ? 2 : 6;
        if (TANKHEALTH[t] < lowest) {
          PURGETANK(t);
        } else {
          TANKHEALTH[t] = static_cast<BYTE>(TANKHEALTH[t] - MONSTERTANKDAMAGE[type]);
        }
      }
    } else if (std::abs(MONSTERX[m] - PLAYERX[p]) <= 1 && std::abs(MONSTERY[m] - PLAYERY[p]) <= 1) {
      HURTPLAYER(p, MONSTERCONTACT[type]);
    }
  }
}

// Steps 3.3 to 3.11 for a monster that acts in this call.
void stepMonster(uint16_t m) {
  const BYTE type = MONSTERTYPE[m];
  const BYTE x = MONSTERX[m], y = MONSTERY[m];
  CHOSENX = x;
  CHOSENY = y;
  CHOOSEBESTMOVE(m);
  if (VALID(x, y)) {
    MAP[x][y] = ' ';
    MFATTR[x][y] = 8;
  }
  if (type == 4) {
    bool seen = false;
    for (BYTE p = 1; p <= MONSTERPLAYERS() && !seen; p++) seen = SEES7(x, y, PLAYERX[p], PLAYERY[p]);
    if (!seen) {
      CHOSENX = x;
      CHOSENY = y;
    }
  }
  if (ONFIRE[m] > 0) {
    ADDFLAME(x, y, x - CHOSENX, y - CHOSENY, 3);
    if (MONSTERENERGY[m] > 1) MONSTERENERGY[m]--;
    ONFIRE[m]--;
  }
  MONSTERX_[m] = x;
  MONSTERY_[m] = y;
  if ((type == 9 || type == 10 || type == 11) && MEDICTARGET[m] > 0) {
    CHOSENX = x;
    CHOSENY = y;
  }
  if (!VALID(CHOSENX, CHOSENY)) {
    CHOSENX = x;
    CHOSENY = y;
  }
  const BYTE nx = static_cast<BYTE>(CHOSENX), ny = static_cast<BYTE>(CHOSENY);
  moveInCells(m, x, y, nx, ny);
  const bool mine = MAP[nx][ny] == '$';
  const BYTE colour = type == 4 ? STEALTHCOLOR(nx, ny) : MONSTERCOLOR[type];
  MONSTERX[m] = nx;
  MONSTERY[m] = ny;
  MAP[nx][ny] = 'M';
  MFATTR[nx][ny] = colour;
  if (mine) EXPLODEMINE(nx, ny);
  contact(m);
  MONSTERATTACK(m);
}
}  // namespace

BYTE MONSTERPLAYERS() { return NUMBEROFPLAYERS >= 2 ? 2 : 1; }
BYTE MONSTERMYPLAYER() { return MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1; }

bool MONSTERACTS(uint16_t m) {
  switch (MONSTERTYPE[m]) {
    case 3: case 6: case 8: case 9: case 11: case 12: return MONSTERCOUNTER1 == 0;
    case 2: return MONSTERCOUNTER2 == 0;
    case 1: case 4: case 5: case 10: return MONSTERCOUNTER3 == 0;
    case 7: return true;
    default: return false;
  }
}

BYTE MONSTERTARGET(uint16_t m) {
  if (NUMBEROFPLAYERS < 2) return 1;
  const double d1 = DISTANCE(MONSTERX[m], MONSTERY[m], PLAYERX[1], PLAYERY[1]);
  const double d2 = DISTANCE(MONSTERX[m], MONSTERY[m], PLAYERX[2], PLAYERY[2]);
  BYTE pc = d1 < d2 ? 1 : 2;
  const BYTE other = static_cast<BYTE>(3 - pc);
  if (DEAD[pc] && !DEAD[other]) pc = other;
  return pc;
}

bool FRIENDAT(int32_t x, int32_t y) {
  if (!VALID(x, y)) return false;
  // Monsters added during the pass come last in the table and are never
  // friends, so they cannot change the answer.
  if (cellsUsable()) return CELLLOWEST[x][y] != 0 && MONSTERTYPE[CELLLOWEST[x][y]] == 6;
  const uint16_t m = FINDMONSTER(x, y);
  return m != 0 && MONSTERTYPE[m] == 6;
}

void MONSTERS() {
  BOSSHEALTH = 0;
  HELPERHEALTH = 0;
  MONSTERCOUNTER1 = static_cast<BYTE>((MONSTERCOUNTER1 + 1) % 4);
  MONSTERCOUNTER2 = static_cast<BYTE>((MONSTERCOUNTER2 + 1) % 6);
  MONSTERCOUNTER3 = static_cast<BYTE>((MONSTERCOUNTER3 + 1) % 2);
  notice();

  buildCells();
  INPASS = true;
  // The table may shrink or grow while it is walked (a T-1000 calls grunts
  // in at the end of it); the bound is read again on every turn.
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++) {
    if (SAW[m] != 1) continue;
    if (MONSTERTYPE[m] == 12) BOSSATTACK(m);
    if (m > NUMBEROFMONSTERS || !MONSTERACTS(m)) continue;
    stepMonster(m);
  }
  INPASS = false;
}
