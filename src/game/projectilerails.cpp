// Rails of the NRG - 8000 and of the Eraser: a straight trail of flashes that
// blasts whatever it meets, and for a player's rail everything the shooter's
// muzzle can see.
#include <algorithm>
#include <cmath>
#include <vector>

#include "display/input.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/removallist.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "shell/gameflow.h"
#include "sound/sound.h"
#include "world/grid.h"

BYTE NUMBEROFRAILS = 0;
BYTE RAILX[MAX_RAILS + 1], RAILY[MAX_RAILS + 1];
int32_t RAILXOFFSET[MAX_RAILS + 1], RAILYOFFSET[MAX_RAILS + 1];
BYTE RAILOWNER[MAX_RAILS + 1];

namespace {
constexpr unsigned char BARREL = 219, TANKGLYPH = 177;

void drawRail(int32_t x, int32_t y) {
  ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 4);
  MFATTR[x][y] = LIGHTGREEN;
  int32_t ry;
  if (LIGHTROW(x, y, ry)) {
    MLIGHT[x][ry] = 128;
    RESTORECELLBRIGHTNESS(x, ry);
  }
}

// Share of the NRG blast that reaches a target D cells from the rail: falls
// from 1 to 0 at 78 cells; farther targets get nothing.
double blastShare(double d) { return d >= 78 ? 0 : (78 - d) / 78; }

// The blast of a player's rail at (X, Y) on everything the muzzle of OWNER
// sees. Monsters brought below 1 energy are added to DOOMED.
void muzzleBlast(BYTE owner, int32_t x, int32_t y, std::vector<uint16_t>& doomed) {
  const int32_t mx = PLAYERX[owner] + FIREOFFSETX[owner], my = PLAYERY[owner] + FIREOFFSETY[owner];
  if (!SEESM7(mx, my, x, y)) return;
  if (DEATHMATCH()) {
    const BYTE other = static_cast<BYTE>(3 - owner);
    const int32_t ox = PLAYERX[other], oy = PLAYERY[other];
    const double f = blastShare(DISTANCE(x, y, ox, oy));
    if (f > 0 && SEES7(mx, my, ox, oy)) {
      ADDBLINK(static_cast<BYTE>(ox), static_cast<BYTE>(oy), 1, static_cast<BYTE>(ROUNDEVEN(f * 11)));
      HURTPLAYER(other, std::trunc(f * 40));
    }
  }
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++) {
    const int32_t tx = MONSTERX[m], ty = MONSTERY[m];
    const double f = blastShare(DISTANCE(x, y, tx, ty));
    if (f <= 0 || !SEES7(mx, my, tx, ty)) continue;
    ADDBLINK(static_cast<BYTE>(tx), static_cast<BYTE>(ty), 1, static_cast<BYTE>(ROUNDEVEN(f * 11)));
    MONSTERENERGY[m] -= static_cast<int32_t>(std::trunc(f * 150));
    if (MONSTERENERGY[m] < 1) doomed.push_back(m);
  }
}

// Rail N strikes Q from its cell (X, Y).
void railImpact(BYTE n, int32_t x, int32_t y, int32_t qx, int32_t qy) {
  const unsigned char c = WHATISIT(qx, qy);
  if (c == 'P' || c == 'p') {
    const BYTE p = WHICHPLAYER(qx, qy);
    if (p >= 1 && p <= 2) HURTPLAYER(p, 100);
  }
  if (c == BARREL)
    HURTBARREL(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 20);
  else
    HURTINRADIUS(static_cast<BYTE>(qx), static_cast<BYTE>(qy), false);
  if (c == '$') EXPLODEMINE(static_cast<BYTE>(qx), static_cast<BYTE>(qy));
  ADDEXPLOSION(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, EXPLOSION_NRG);

  std::vector<uint16_t> doomed;
  const BYTE owner = RAILOWNER[n];
  if (owner == 1 || owner == 2) muzzleBlast(owner, x, y, doomed);
  if (c == TANKGLYPH) HITTANKAT(qx, qy, 40);
  bool cry = false;
  if (c == 'M') {
    if (const uint16_t m = FINDMONSTER(qx, qy)) {
      MONSTERENERGY[m] -= 200;
      if (MONSTERENERGY[m] < 1) {
        doomed.push_back(m);
        cry = true;
      }
    }
  }
  // Each doomed monster dies once, by the index it has before any removal:
  // removing from the highest index down keeps the lower ones in place.
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) PURGEMONSTER2(*it);
  if (cry && NEAREVENT(qx, qy)) DEATHSOUND();
}
}  // namespace

void ADDRAIL(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE owner) {
  if (NUMBEROFRAILS >= MAX_RAILS || !VALID(rockx, rocky) || MAP[rockx][rocky] != ' ') return;
  if (rockxoffset == 0 && rockyoffset == 0) return;
  const BYTE n = ++NUMBEROFRAILS;
  RAILX[n] = rockx;
  RAILY[n] = rocky;
  RAILXOFFSET[n] = rockxoffset;
  RAILYOFFSET[n] = rockyoffset;
  RAILOWNER[n] = owner;
}

void PURGERAIL(BYTE n) {
  if (n < 1 || n > NUMBEROFRAILS) return;
  for (int i = n; i < NUMBEROFRAILS; i++) {
    RAILX[i] = RAILX[i + 1];
    RAILY[i] = RAILY[i + 1];
    RAILXOFFSET[i] = RAILXOFFSET[i + 1];
    RAILYOFFSET[i] = RAILYOFFSET[i + 1];
    RAILOWNER[i] = RAILOWNER[i + 1];
  }
  NUMBEROFRAILS--;
}

void RAILS() {
  REMOVALLIST gone;
  const int count = NUMBEROFRAILS;
  for (int n = 1; n <= count; n++) {
    const int32_t x = RAILX[n], y = RAILY[n];
    const int32_t qx = x + RAILXOFFSET[n], qy = y + RAILYOFFSET[n];
    if (!VALID(qx, qy)) {
      ADDEXPLOSION(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, EXPLOSION_BLAST);
      gone.ADD(n);
      continue;
    }
    const unsigned char c = MAP[qx][qy];
    if (c != ' ' && c != 'o' && c != 'O') {
      railImpact(static_cast<BYTE>(n), x, y, qx, qy);
      gone.ADD(n);
      continue;
    }
    RAILX[n] = static_cast<BYTE>(qx);
    RAILY[n] = static_cast<BYTE>(qy);
    drawRail(qx, qy);
  }
  gone.APPLY([](int i) { PURGERAIL(static_cast<BYTE>(i)); });
}
