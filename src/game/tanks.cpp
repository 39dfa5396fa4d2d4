#include "game/tanks.h"

#include "base/settings.h"
#include "display/renderer.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/explosions.h"
#include "game/tankdrive.h"
#include "render/los.h"
#include "shell/engine.h"
#include "world/grid.h"

BYTE NUMBEROFTANKS = 0;
BYTE TANKX[MAX_TANKS + 1], TANKY[MAX_TANKS + 1];
BYTE TANKX_[MAX_TANKS + 1], TANKY_[MAX_TANKS + 1];
BYTE TURRET[MAX_TANKS + 1];
BYTE RELOAD[MAX_TANKS + 1], RELOAD2[MAX_TANKS + 1];
BYTE TANKHEALTH[MAX_TANKS + 1];
BYTE TANKFIRST[MAX_TANKS + 1];
BYTE INTANK[3];
BYTE PERMISSION[3] = {0, 1, 1};

const int32_t TURRX[9] = {0, 1, 0, -1, -1, -1, 0, 1, 1};
const int32_t TURRY[9] = {0, 1, 1, 1, 0, -1, -1, -1, 0};
std::string TSHAPES = "/|\\-/|\\-";

void ADDTANK(BYTE x, BYTE y) {
  if (NUMBEROFTANKS >= MAX_TANKS) return;
  BYTE n = ++NUMBEROFTANKS;
  TANKX[n] = TANKX_[n] = x;
  TANKY[n] = TANKY_[n] = y;
  TURRET[n] = 1;
  RELOAD[n] = 3;
  RELOAD2[n] = 0;
  TANKHEALTH[n] = 250;
  TANKFIRST[n] = 0;
  DRAWTANK(n);
}

BYTE WHATTANK(int32_t x, int32_t y) {
  for (int i = NUMBEROFTANKS; i >= 1; i--)
    if (TANKX[i] <= x && x <= TANKX[i] + 2 && TANKY[i] - 2 <= y && y <= TANKY[i])
      return static_cast<BYTE>(i);
  return 0;
}

void DRAWTANK(BYTE z) {
  if (z < 1 || z > NUMBEROFTANKS) return;
  const int32_t x = TANKX[z], y = TANKY[z];
  const bool modern = MODERN_VISUALS == 1;
  const std::string edge("\xB1\xB1\xB1"), middle("\xB1\xB2\xB1");
  // MAPSTRING cuts at the grid edge; rows below the grid are skipped.
  if (VALID(x, y)) MAPSTRING(edge, x, y, modern ? 7 : 8);
  if (VALID(x, y - 1)) MAPSTRING(middle, x, y - 1, modern ? 15 : 7);
  if (VALID(x, y - 2)) MAPSTRING(edge, x, y - 2, modern ? 7 : 8);
  BYTE t = TURRET[z] >= 1 && TURRET[z] <= 8 ? TURRET[z] : 1;
  int32_t tx = x + 1 + TURRX[t], ty = y - 1 + TURRY[t];
  if (VALID(tx, ty)) {
    MAP[tx][ty] = static_cast<unsigned char>(TSHAPES[t - 1]);
    if (!modern) MFATTR[tx][ty] = 8;
  }
}

void ERASETANK(BYTE x, BYTE y) {
  for (int32_t row = y; row >= y - 2; row--)
    if (VALID(x, row)) MAPSTRING("   ", x, static_cast<BYTE>(row), 8);
}

void PURGETANK(BYTE z) {
  if (z < 1 || z > NUMBEROFTANKS) return;
  const int32_t cx = TANKX[z] + 1, cy = TANKY[z] - 1;
  const BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  if (DISTANCE(cx, cy, PLAYERX[me], PLAYERY[me]) < 15 && PURGESOUND < 255) PURGESOUND++;
  for (BYTE p = 1; p <= 2; p++)
    if (INTANK[p] == z) GETOUTOFTANK(p);
  ERASETANK(TANKX[z], TANKY[z]);
  // A player who found every exit cell taken is left standing where the
  // tank was: the centre cell, free now that the tank is gone.
  for (BYTE p = 1; p <= 2; p++) {
    if (INTANK[p] != z) continue;
    TANKFIRST[z] = 0;
    INTANK[p] = 0;
    PERMISSION[p] = 1;
    SHOWCURSOR[p] = true;
    PLAYERX[p] = static_cast<BYTE>(cx);
    PLAYERY[p] = static_cast<BYTE>(cy);
    if (VALID(cx, cy)) MAP[cx][cy] = 'P';
  }
  if (VALID(cx, cy)) ADDEXPLOSION(static_cast<BYTE>(cx), static_cast<BYTE>(cy), 1, 3);
  for (BYTE p = 1; p <= 2; p++)
    if (INTANK[p] > z) INTANK[p]--;
  for (int i = z; i < NUMBEROFTANKS; i++) {
    TANKX[i] = TANKX[i + 1];
    TANKY[i] = TANKY[i + 1];
    TANKX_[i] = TANKX_[i + 1];
    TANKY_[i] = TANKY_[i + 1];
    TURRET[i] = TURRET[i + 1];
    RELOAD[i] = RELOAD[i + 1];
    RELOAD2[i] = RELOAD2[i + 1];
    TANKHEALTH[i] = TANKHEALTH[i + 1];
    TANKFIRST[i] = TANKFIRST[i + 1];
  }
  NUMBEROFTANKS--;
}
