// Rockets and plasma balls: their tables, adding, removal and movers. Rails
// and flames have their own units (projectilerails.cpp, projectileflames.cpp).
#include "game/projectiles.h"

#include <cstring>

#include "display/renderer.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/removallist.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/postprocess.h"
#include "render/view.h"
#include "base/random.h"
#include "sound/sound.h"
#include "world/grid.h"

BYTE NUMBEROFROCKETS = 0;
BYTE ROCKETX[MAX_ROCKETS + 1], ROCKETY[MAX_ROCKETS + 1];
int32_t ROCKETXOFFSET[MAX_ROCKETS + 1], ROCKETYOFFSET[MAX_ROCKETS + 1];
unsigned char ROCKETLOOK = '-';

BYTE NUMBEROFPLASMAS = 0;
BYTE PLASMAX[MAX_PLASMAS + 1], PLASMAY[MAX_PLASMAS + 1];
int32_t PLASMAXOFFSET[MAX_PLASMAS + 1], PLASMAYOFFSET[MAX_PLASMAS + 1];

const char* const ROTATESHAPES = "-\\|/-\\|/";

namespace {
constexpr unsigned char BARREL = 219, TANKGLYPH = 177;

bool isRocketGlyph(unsigned char c) { return c == '-' || c == '\\' || c == '|' || c == '/'; }

unsigned char lookOf(int32_t dx, int32_t dy) {
  if (dx != 0 && dy != 0) return dx == dy ? '/' : '\\';
  return dx != 0 ? '-' : '|';
}

// Blood sprays of a hit: COUNT drops along each of the eight directions.
void spray(int32_t x, int32_t y, int count, BYTE minlife, BYTE spread) {
  for (int32_t dx = -1; dx <= 1; dx++)
    for (int32_t dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      for (int k = 0; k < count; k++)
        ADDBLOOD(static_cast<BYTE>(x), static_cast<BYTE>(y), dx, dy,
                 static_cast<BYTE>(minlife + random(spread)));
    }
}

void drawPlasma(int32_t x, int32_t y) {
  int32_t ry;
  const bool row = LIGHTROW(x, y, ry);
  // The look of the ball is this machine's own: its draws never move the
  // generator both linked games share (the other may play another look).
  if (MODERN_VISUALS != 1) {
    MBATTR[x][y] = BLUE;
    if (row) MLIGHT[x][ry] = randomLook(2) == 0 ? LIGHTBLUE : LIGHTCYAN;
  }
  if (row) RESTORECELLBRIGHTNESS(x, ry);
  POSTPROCESSING& pp = MAPPP[x][y];
  pp.OC[L_PLASMA] = 165;
  pp.OX[L_PLASMA] = static_cast<uint16_t>(1 + randomLocal(2));
  pp.OY[L_PLASMA] = 2;
  pp.OT[L_PLASMA] = 0;
}

void clearPlasma(int32_t x, int32_t y) {
  if (MODERN_VISUALS != 1) MBATTR[x][y] = BLACK;
  MAPPP[x][y].OC[L_PLASMA] = 0;
}

// A rocket strikes Q = (QX, QY) from its cell (X, Y).
void rocketImpact(int32_t x, int32_t y, int32_t qx, int32_t qy) {
  const unsigned char c = WHATISIT(qx, qy);
  if (c == BARREL)
    HURTBARREL(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 20);
  else if (c == 'M')
    HURTINRADIUS(static_cast<BYTE>(qx), static_cast<BYTE>(qy), true);
  else
    HURTINRADIUS(static_cast<BYTE>(x), static_cast<BYTE>(y), true);
  if (c == '$')
    EXPLODEMINE(static_cast<BYTE>(qx), static_cast<BYTE>(qy));
  else
    ADDEXPLOSION(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, EXPLOSION_BLAST);
  if (c == TANKGLYPH) HITTANKAT(qx, qy, 40);
  if (c == 'M') {
    if (const uint16_t m = FINDMONSTER(qx, qy)) {
      MONSTERENERGY[m] -= 100;
      spray(qx, qy, 3, 8, 8);
      if (MONSTERENERGY[m] < 1) KILLMONSTER(m, qx, qy);
    }
  }
  if (c == 'P') {
    const BYTE p = WHICHPLAYER(qx, qy);
    if (p >= 1 && p <= 2) HURTPLAYER(p, 80);
  }
  for (int32_t zx = qx - 3; zx <= qx + 3; zx++)
    for (int32_t zy = qy - 3; zy <= qy + 3; zy++)
      if (VALID(zx, zy)) HURTTREEWEAKROCK(static_cast<BYTE>(zx), static_cast<BYTE>(zy), 50);
}

// A plasma ball strikes Q moving by (DX, DY).
void plasmaImpact(int32_t qx, int32_t qy, int32_t dx, int32_t dy) {
  const unsigned char c = WHATISIT(qx, qy);
  if (c == BARREL) HURTBARREL(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 10);
  if (c == '$') EXPLODEMINE(static_cast<BYTE>(qx), static_cast<BYTE>(qy));
  ADDBLINK(static_cast<BYTE>(qx), static_cast<BYTE>(qy), 1, 11);
  CHECKLIGHT(qx, qy, 2 + random(2));
  if (NEAREVENT(qx, qy)) {
    if (SOUNDPLAYING1(250)) STOPSOUND1(250);
    STARTSOUND1(80, 250, false);
  }
  if (c == TANKGLYPH) HITTANKAT(qx, qy, 5);
  if (c == 'M') {
    if (const uint16_t m = FINDMONSTER(qx, qy)) {
      MONSTERENERGY[m] -= 34;
      STUNMONSTER(m, 5);
      for (int32_t bx = -1; bx <= 1; bx++)
        for (int32_t by = -1; by <= 1; by++)
          ADDBLOOD(static_cast<BYTE>(qx), static_cast<BYTE>(qy), bx, by, static_cast<BYTE>(1 + random(4)));
      if (MONSTERENERGY[m] < 1)
        KILLMONSTER(m, qx, qy);
      else if (MONSTERTYPE[m] != 12)
        KNOCKMONSTER(m, dx, dy);
    }
  }
  if (c == 'P' || c == 'p') {
    const BYTE p = WHICHPLAYER(qx, qy);
    if (p >= 1 && p <= 2) HURTPLAYER(p, 7);
  }
}
}  // namespace

void ADDROCKET(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset) {
  if (NUMBEROFROCKETS >= MAX_ROCKETS || !VALID(rockx, rocky) || MAP[rockx][rocky] != ' ') return;
  if (rockxoffset == 0 && rockyoffset == 0) return;  // a rocket without a course would hang
  const BYTE n = ++NUMBEROFROCKETS;
  ROCKETX[n] = rockx;
  ROCKETY[n] = rocky;
  ROCKETXOFFSET[n] = rockxoffset;
  ROCKETYOFFSET[n] = rockyoffset;
  ROCKETLOOK = lookOf(rockxoffset, rockyoffset);
  MAP[rockx][rocky] = ROCKETLOOK;
  MFATTR[rockx][rocky] = YELLOW;
}

void ADDPLASMA(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset) {
  if (NUMBEROFPLASMAS >= MAX_PLASMAS || !VALID(rockx, rocky) || MAP[rockx][rocky] != ' ') return;
  if (rockxoffset == 0 && rockyoffset == 0) return;
  const BYTE n = ++NUMBEROFPLASMAS;
  PLASMAX[n] = rockx;
  PLASMAY[n] = rocky;
  PLASMAXOFFSET[n] = rockxoffset;
  PLASMAYOFFSET[n] = rockyoffset;
  drawPlasma(rockx, rocky);
}

void PURGEROCKET(BYTE n) {
  if (n < 1 || n > NUMBEROFROCKETS) return;
  for (BYTE p = 1; p <= 2; p++)
    if (DISTANCE(ROCKETX[n], ROCKETY[n], PLAYERX[p], PLAYERY[p]) < 2) SHAKE[p] = true;
  for (int i = n; i < NUMBEROFROCKETS; i++) {
    ROCKETX[i] = ROCKETX[i + 1];
    ROCKETY[i] = ROCKETY[i + 1];
    ROCKETXOFFSET[i] = ROCKETXOFFSET[i + 1];
    ROCKETYOFFSET[i] = ROCKETYOFFSET[i + 1];
  }
  NUMBEROFROCKETS--;
}

void PURGEPLASMA(BYTE n) {
  if (n < 1 || n > NUMBEROFPLASMAS) return;
  for (int i = n; i < NUMBEROFPLASMAS; i++) {
    PLASMAX[i] = PLASMAX[i + 1];
    PLASMAY[i] = PLASMAY[i + 1];
    PLASMAXOFFSET[i] = PLASMAXOFFSET[i + 1];
    PLASMAYOFFSET[i] = PLASMAYOFFSET[i + 1];
  }
  NUMBEROFPLASMAS--;
}

void ROCKETS() {
  REMOVALLIST gone;
  const int count = NUMBEROFROCKETS;
  for (int n = 1; n <= count; n++) {
    const int32_t x = ROCKETX[n], y = ROCKETY[n];
    // Only the rocket's own glyph is wiped: a flame may have been laid over it.
    if (isRocketGlyph(MAP[x][y])) {
      MAP[x][y] = ' ';
      MFATTR[x][y] = DARKGRAY;
    }
    ROCKETLOOK = lookOf(ROCKETXOFFSET[n], ROCKETYOFFSET[n]);
    const int32_t qx = x + ROCKETXOFFSET[n], qy = y + ROCKETYOFFSET[n];
    if (!VALID(qx, qy)) {
      gone.ADD(n);  // left the grid
      continue;
    }
    if (!GLYPHINSET(WHATISIT(qx, qy), " /\\-|oOp")) {
      rocketImpact(x, y, qx, qy);
      gone.ADD(n);
      continue;
    }
    if (MAP[qx][qy] == ' ' || isRocketGlyph(MAP[qx][qy])) {
      ROCKETX[n] = static_cast<BYTE>(qx);
      ROCKETY[n] = static_cast<BYTE>(qy);
      MAP[qx][qy] = ROCKETLOOK;
      MFATTR[qx][qy] = YELLOW;
    }
    // Otherwise a flame or a sitting player is in the way: the rocket waits.
  }
  gone.APPLY([](int i) { PURGEROCKET(static_cast<BYTE>(i)); });
}

void PLASMAS(bool redrawonly) {
  REMOVALLIST gone;
  const int count = NUMBEROFPLASMAS;
  for (int n = 1; n <= count; n++) {
    const int32_t x = PLASMAX[n], y = PLASMAY[n];
    clearPlasma(x, y);
    const int32_t dx = PLASMAXOFFSET[n], dy = PLASMAYOFFSET[n];
    const int32_t qx = redrawonly ? x : x + dx, qy = redrawonly ? y : y + dy;
    if (!VALID(qx, qy)) {
      gone.ADD(n);
      continue;
    }
    if (!GLYPHINSET(WHATISIT(qx, qy), " oO/-\\|p")) {
      plasmaImpact(qx, qy, dx, dy);
      gone.ADD(n);
      continue;
    }
    if (MAP[qx][qy] == ' ' || isRocketGlyph(MAP[qx][qy])) {
      PLASMAX[n] = static_cast<BYTE>(qx);
      PLASMAY[n] = static_cast<BYTE>(qy);
      drawPlasma(qx, qy);
    }
  }
  gone.APPLY([](int i) { PURGEPLASMA(static_cast<BYTE>(i)); });
}

void CLEARPROJECTILES() {
  NUMBEROFROCKETS = NUMBEROFPLASMAS = NUMBEROFRAILS = NUMBEROFFLAMES = 0;
  BURNEDMONSTERS = 0;
  CLEAREXPLOSIONS();
  CLEARPARTICLES();
}
