#include "game/explosions.h"

#include "display/renderer.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/removallist.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/view.h"
#include "base/random.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

BYTE NUMBEROFEXPLOSIONS = 0;
BYTE EXPLOSIONX[MAX_EXPLOSIONS + 1], EXPLOSIONY[MAX_EXPLOSIONS + 1];
BYTE EXPLOSIONSTATE[MAX_EXPLOSIONS + 1], EXPLOSIONTYPE[MAX_EXPLOSIONS + 1];
BYTE MINESTOEXPLODE = 0;
BYTE MINEX[MAX_MINES + 1], MINEY[MAX_MINES + 1];

namespace {
constexpr BYTE BARREL = 219;

// Inside the level's used area (classic flashes stay within it).
bool inLevel(int32_t x, int32_t y) { return x >= 1 && y >= 1 && x <= MAPSIZEX && y <= MAPSIZEY; }

void backgroundSquare(int32_t cx, int32_t cy, int32_t half, BYTE colour) {
  for (int32_t x = cx - half; x <= cx + half; x++)
    for (int32_t y = cy - half; y <= cy + half; y++)
      if (inLevel(x, y)) MBATTR[x][y] = colour;
}

// Type 1: the rocket and mine blast.
void showBlast(BYTE n) {
  const BYTE x = EXPLOSIONX[n], y = EXPLOSIONY[n], s = EXPLOSIONSTATE[n];
  CHECKLIGHT(x, y, s / 6 + 2);
  if (s == 1 && NEAREVENT(x, y)) STARTSOUND1(15, 15, false);
  if (MODERN_VISUALS == 1) {
    static const BYTE TILEX[8] = {0, 1, 4, 1, 4, 1, 4, 1};
    static const BYTE TILEY[8] = {0, 1, 1, 4, 4, 4, 1, 1};
    if (s >= 1 && s <= 7) {
      const uint16_t timer = s == 4 ? 8 : s == 7 ? 5 : 0;
      PLACEPROP(183, static_cast<uint16_t>(x - 1), static_cast<uint16_t>(y + 1), TILEX[s], TILEY[s],
                3, 3, timer, 2);
    }
    return;
  }
  if (s == 1) backgroundSquare(x, y, 1, WHITE);
  if (s == 2 || s == 3) backgroundSquare(x, y, 2, BLUE);
  if (s == 4) backgroundSquare(x, y, 2, BLACK);
}

// Type 2: the NRG ring grows for four states and shrinks back for four.
void showRing(BYTE n) {
  const BYTE x = EXPLOSIONX[n], y = EXPLOSIONY[n], s = EXPLOSIONSTATE[n];
  if (s == 1 && NEAREVENT(x, y)) STARTSOUND1(25, 25, false);
  if (s >= 1 && s <= 8) {
    const int32_t r = s <= 4 ? s : 9 - s;
    const int32_t cells[4][2] = {{x - r, y}, {x + r, y}, {x, y - r}, {x, y + r}};
    for (const auto& c : cells) {
      if (!VALID(c[0], c[1])) continue;
      if (MODERN_VISUALS == 1)
        BFGATTR(c[0], c[1]);
      else
        MBATTR[c[0]][c[1]] = s <= 4 ? WHITE : BLACK;
    }
  }
  if (s == 9) ADDEXPLOSION(x, y, 1, EXPLOSION_GLOW);
}

// Type 3: the after-glow with its blast push.
void showGlow(BYTE n) {
  const BYTE x = EXPLOSIONX[n], y = EXPLOSIONY[n], s = EXPLOSIONSTATE[n];
  const int32_t h = s <= 6 ? s : 12 - s;
  if (MODERN_VISUALS == 1) {
    CHECKLIGHT2_MODERN(x, y, 2 * h);
    CHECKLIGHT11_MODERN(x, y, 2 * (h / 3));
  } else {
    CHECKLIGHT2(x, y, 2 * h);
    CHECKLIGHT11(x, y, 2 * (h / 3));
  }
  BFGSHAKECHECK(n);
}

bool pending(BYTE x, BYTE y) {
  for (int i = 1; i <= MINESTOEXPLODE; i++)
    if (MINEX[i] == x && MINEY[i] == y) return true;
  return false;
}
}  // namespace

void ADDEXPLOSION(BYTE expx, BYTE expy, BYTE expstate, BYTE exptype) {
  if (NUMBEROFEXPLOSIONS >= MAX_EXPLOSIONS || !VALID(expx, expy)) return;
  const BYTE n = ++NUMBEROFEXPLOSIONS;
  EXPLOSIONX[n] = expx;
  EXPLOSIONY[n] = expy;
  EXPLOSIONSTATE[n] = expstate;
  EXPLOSIONTYPE[n] = exptype;
}

void PURGEEXPLOSION(BYTE n) {
  if (n < 1 || n > NUMBEROFEXPLOSIONS) return;
  for (int i = n; i < NUMBEROFEXPLOSIONS; i++) {
    EXPLOSIONX[i] = EXPLOSIONX[i + 1];
    EXPLOSIONY[i] = EXPLOSIONY[i + 1];
    EXPLOSIONSTATE[i] = EXPLOSIONSTATE[i + 1];
    EXPLOSIONTYPE[i] = EXPLOSIONTYPE[i + 1];
  }
  NUMBEROFEXPLOSIONS--;
}

void EXPLOSIONS() {
  REMOVALLIST gone;
  const int count = NUMBEROFEXPLOSIONS;
  for (int n = 1; n <= count; n++) {
    switch (EXPLOSIONTYPE[n]) {
      case EXPLOSION_BLAST: showBlast(static_cast<BYTE>(n)); break;
      case EXPLOSION_NRG: showRing(static_cast<BYTE>(n)); break;
      case EXPLOSION_GLOW: showGlow(static_cast<BYTE>(n)); break;
      default: break;
    }
    if (EXPLOSIONSTATE[n] < 255) EXPLOSIONSTATE[n]++;
    if (EXPLOSIONSTATE[n] >= 13) gone.ADD(n);
  }
  gone.APPLY([](int i) { PURGEEXPLOSION(static_cast<BYTE>(i)); });
}

void BFGATTR(int32_t zx, int32_t zy) {
  if (!VALID(zx, zy)) return;
  POSTPROCESSING& pp = MAPPP[zx][zy];
  pp.OC[L_PLASMA] = 165;
  pp.OX[L_PLASMA] = 1;
  pp.OY[L_PLASMA] = 3;
  pp.OT[L_PLASMA] = 6;
}

void BFGSHAKECHECK(BYTE en) {
  if (en < 1 || en > NUMBEROFEXPLOSIONS) return;
  if (random(7) != 3) return;
  const BYTE x = EXPLOSIONX[en], y = EXPLOSIONY[en];
  if (DISTANCE(x, y, PLAYERX[1], PLAYERY[1]) < 15) SHAKE[1] = true;
  if (NUMBEROFPLAYERS == 2 && DISTANCE(x, y, PLAYERX[2], PLAYERY[2]) < 15) SHAKE[2] = true;
}

void HURTINRADIUS(BYTE x, BYTE y, bool itsokaytokillmonsters) {
  for (int32_t dx = -2; dx <= 2; dx++)
    for (int32_t dy = -2; dy <= 2; dy++) {
      if (dx == 0 && dy == 0) continue;
      const int32_t zx = x + dx, zy = y + dy;
      if (!VALID(zx, zy)) continue;
      const bool inner = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
      HURTTREEWEAKROCK(static_cast<BYTE>(zx), static_cast<BYTE>(zy), 200);
      const unsigned char c = MAP[zx][zy];
      if (c == BARREL) {
        HURTBARREL(static_cast<BYTE>(zx), static_cast<BYTE>(zy), 100);
      } else if (c == 'M' && SEESM7(x, y, zx, zy)) {
        const uint16_t m = FINDMONSTER(zx, zy);
        if (m == 0) continue;
        MONSTERENERGY[m] -= inner ? 100 : 50;
        if (MONSTERENERGY[m] < 1) {
          if (itsokaytokillmonsters)
            PURGEMONSTER2(m);
          else
            MONSTERENERGY[m] = 1;
        }
      } else if (c == 'P' || c == 'p') {
        const BYTE p = WHICHPLAYER(zx, zy);
        if (p >= 1 && p <= 2) HURTPLAYER(p, inner ? 45 : 25);
      }
    }
}

void EXPLODEMINE(BYTE x, BYTE y) {
  if (MINESTOEXPLODE >= MAX_MINES || !VALID(x, y) || pending(x, y)) return;
  MINESTOEXPLODE++;
  MINEX[MINESTOEXPLODE] = x;
  MINEY[MINESTOEXPLODE] = y;
}

void EXPLODEALLMINES() {
  if (MINESTOEXPLODE == 0) return;
  STARTSOUND1(7, 7, false);
  // Every mine touching a pending one goes off with it, and so on.
  for (int i = 1; i <= MINESTOEXPLODE; i++)
    for (int32_t zx = MINEX[i] - 1; zx <= MINEX[i] + 1; zx++)
      for (int32_t zy = MINEY[i] - 1; zy <= MINEY[i] + 1; zy++)
        if (VALID(zx, zy) && MAP[zx][zy] == '$') EXPLODEMINE(static_cast<BYTE>(zx), static_cast<BYTE>(zy));

  for (int i = 1; i <= MINESTOEXPLODE; i++) {
    const BYTE mx = MINEX[i], my = MINEY[i];
    for (int32_t zx = mx - 1; zx <= mx + 1; zx++)
      for (int32_t zy = my - 1; zy <= my + 1; zy++) {
        if (!VALID(zx, zy)) continue;
        const bool own = zx == mx && zy == my;
        const unsigned char c = MAP[zx][zy];
        if (c == '_' || c == 'S') {
          MAP[zx][zy] = 39;
          STARTSOUND1(12, 12, false);
          ADDBLINK(static_cast<BYTE>(zx), static_cast<BYTE>(zy), 1, 11);
        }
        if (const uint16_t m = FINDMONSTER(zx, zy)) {
          MONSTERENERGY[m] -= own ? 100 : 50;
          if (MONSTERENERGY[m] <= 0) PURGEMONSTER2(m);
        }
        const BYTE p = (c == 'P' || c == 'p') ? WHICHPLAYER(zx, zy) : 0;
        if (p >= 1 && p <= 2) {
          HURTPLAYER(p, 25);
          if (own) HURTPLAYER(p, 25);
        }
      }
    // The mine is gone; whoever stands on its cell stays drawn there.
    if (MAP[mx][my] == '$') {
      MAP[mx][my] = ' ';
      MFATTR[mx][my] = DARKGRAY;
    }
    MBATTR[mx][my] = BLACK;
  }
  MINESTOEXPLODE = 0;
}

void CLEAREXPLOSIONS() {
  NUMBEROFEXPLOSIONS = 0;
  MINESTOEXPLODE = 0;
}
