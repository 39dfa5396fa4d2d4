#include "game/particles.h"

#include "display/renderer.h"
#include "game/removallist.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "render/view.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

BYTE NUMBEROFBLOODS = 0;
BYTE BLOODX[MAX_BLOODS + 1], BLOODY[MAX_BLOODS + 1];
int32_t BLOODXOFFSET[MAX_BLOODS + 1], BLOODYOFFSET[MAX_BLOODS + 1];
BYTE BLOODLIFE[MAX_BLOODS + 1], BLOODSTATUS[MAX_BLOODS + 1];

BYTE NUMBEROFSHELLS = 0;
BYTE SHELLX[MAX_SHELLS + 1], SHELLY[MAX_SHELLS + 1];
int32_t SHELLXOFFSET[MAX_SHELLS + 1], SHELLYOFFSET[MAX_SHELLS + 1];
BYTE SHELLLIFE[MAX_SHELLS + 1], SHELLSTATUS[MAX_SHELLS + 1];

BYTE NUMBEROFBLINKS = 0;
BYTE BLINKX[MAX_BLINKS + 1], BLINKY[MAX_BLINKS + 1];
BYTE BLINKSTATE[MAX_BLINKS + 1], BLINKMAXSTATE[MAX_BLINKS + 1];
BYTE BLINKFATTR[MAX_BLINKS + 1], BLINKBATTR[MAX_BLINKS + 1];

namespace {
// Whether a drop marked the cell it sits on: only such a mark is wiped when it
// moves on, so an older stain and a monster's colour survive a passing drop.
bool BLOODDRAWN[MAX_BLOODS + 1];

// Coloured light and brightness of world cell (X, Y), when it has a light row.
void setLight(int32_t x, int32_t y, BYTE colour) {
  int32_t ry;
  if (!LIGHTROW(x, y, ry)) return;
  MLIGHT[x][ry] = colour;
  RESTORECELLBRIGHTNESS(x, ry);
}

// The step of a drop or shell past half its life wanders at random. Shells
// exist in the classic look only, so their draws come from the look's own
// generator: the modern look never makes them, and the look must not change
// the game's draws (nor, over the link, the other player's).
void wander(BYTE status, BYTE life, int32_t& dx, int32_t& dy, bool lookonly = false) {
  if (2 * status <= life) return;
  dx = (lookonly ? randomLook(3) : random(3)) - 1;
  dy = (lookonly ? randomLook(3) : random(3)) - 1;
}

// Blood mark at (X, Y); true when the drop drew it.
bool drawBlood(int32_t x, int32_t y) {
  POSTPROCESSING& pp = MAPPP[x][y];
  if (MAP[x][y] == 'M' || pp.GORE != GORE_NONE) return false;
  pp.GORE = GORE_BLOOD;
  setLight(x, y, 128);
  if (MODERN_VISUALS != 1) MFATTR[x][y] = LIGHTRED;
  return true;
}

void clearBlood(int32_t x, int32_t y) {
  POSTPROCESSING& pp = MAPPP[x][y];
  if (pp.GORE == GORE_BLOOD) pp.GORE = GORE_NONE;
  if (MODERN_VISUALS != 1) MFATTR[x][y] = DARKGRAY;
}

// Classic look of blink state S: coloured light and background (0 keeps the
// saved background).
struct BLINKLOOK {
  BYTE LIGHT;
  int BACK;  // -1 = the saved background
};
const BLINKLOOK BLINKTABLE[12] = {{0, 0},   {15, 15}, {15, -1}, {7, -1}, {14, -1}, {4, 15},
                                  {2, 4},   {15, 4},  {15, 1},  {4, 14}, {1, 4},   {14, 1}};

void showBlinkLight(BYTE n, BYTE state) {
  if (state < 1 || state > 11) return;
  setLight(BLINKX[n], BLINKY[n], BLINKTABLE[state].LIGHT);
}
}  // namespace

void ADDBLOOD(BYTE x, BYTE y, int32_t xoffset, int32_t yoffset, BYTE life) {
  if (NUMBEROFBLOODS >= MAX_BLOODS || !VALID(x, y)) return;
  const BYTE n = ++NUMBEROFBLOODS;
  BLOODX[n] = x;
  BLOODY[n] = y;
  BLOODXOFFSET[n] = xoffset;
  BLOODYOFFSET[n] = yoffset;
  BLOODLIFE[n] = life;
  BLOODSTATUS[n] = 0;
  BLOODDRAWN[n] = false;
}

void ADDSHELL(BYTE x, BYTE y, int32_t xoffset, int32_t yoffset, BYTE life) {
  if (NEW_LAND == 1 || NUMBEROFSHELLS >= MAX_SHELLS || !VALID(x, y)) return;
  const BYTE n = ++NUMBEROFSHELLS;
  SHELLX[n] = x;
  SHELLY[n] = y;
  SHELLXOFFSET[n] = xoffset;
  SHELLYOFFSET[n] = yoffset;
  SHELLLIFE[n] = life;
  SHELLSTATUS[n] = 0;
}

void ADDBLINK(BYTE x, BYTE y, BYTE state, BYTE maxstate) {
  if (NUMBEROFBLINKS >= MAX_BLINKS || !VALID(x, y)) return;
  BYTE fattr = MFATTR[x][y], battr = MBATTR[x][y];
  // A flash already running here has changed the colours: take the ones it saved.
  for (int i = NUMBEROFBLINKS; i >= 1; i--)
    if (BLINKX[i] == x && BLINKY[i] == y) {
      fattr = BLINKFATTR[i];
      battr = BLINKBATTR[i];
      break;
    }
  const BYTE n = ++NUMBEROFBLINKS;
  BLINKX[n] = x;
  BLINKY[n] = y;
  BLINKSTATE[n] = state;
  BLINKMAXSTATE[n] = maxstate;
  BLINKFATTR[n] = fattr;
  BLINKBATTR[n] = battr;
}

void PURGEBLOOD(BYTE n) {
  if (n < 1 || n > NUMBEROFBLOODS) return;
  for (int i = n; i < NUMBEROFBLOODS; i++) {
    BLOODX[i] = BLOODX[i + 1];
    BLOODY[i] = BLOODY[i + 1];
    BLOODXOFFSET[i] = BLOODXOFFSET[i + 1];
    BLOODYOFFSET[i] = BLOODYOFFSET[i + 1];
    BLOODLIFE[i] = BLOODLIFE[i + 1];
    BLOODSTATUS[i] = BLOODSTATUS[i + 1];
    BLOODDRAWN[i] = BLOODDRAWN[i + 1];
  }
  NUMBEROFBLOODS--;
}

void PURGESHELL(BYTE n) {
  if (n < 1 || n > NUMBEROFSHELLS) return;
  for (int i = n; i < NUMBEROFSHELLS; i++) {
    SHELLX[i] = SHELLX[i + 1];
    SHELLY[i] = SHELLY[i + 1];
    SHELLXOFFSET[i] = SHELLXOFFSET[i + 1];
    SHELLYOFFSET[i] = SHELLYOFFSET[i + 1];
    SHELLLIFE[i] = SHELLLIFE[i + 1];
    SHELLSTATUS[i] = SHELLSTATUS[i + 1];
  }
  NUMBEROFSHELLS--;
}

void PURGEBLINK(BYTE n) {
  if (n < 1 || n > NUMBEROFBLINKS) return;
  const BYTE x = BLINKX[n], y = BLINKY[n];
  if (MODERN_VISUALS != 1) {
    MFATTR[x][y] = MAP[x][y] == ' ' ? static_cast<BYTE>(DARKGRAY) : BLINKFATTR[n];
    // The background from before the flash comes back with the foreground.
    MBATTR[x][y] = BLINKBATTR[n];
  }
  MAPPP[x][y].OC[L_BLINKS] = 0;
  for (int i = n; i < NUMBEROFBLINKS; i++) {
    BLINKX[i] = BLINKX[i + 1];
    BLINKY[i] = BLINKY[i + 1];
    BLINKSTATE[i] = BLINKSTATE[i + 1];
    BLINKMAXSTATE[i] = BLINKMAXSTATE[i + 1];
    BLINKFATTR[i] = BLINKFATTR[i + 1];
    BLINKBATTR[i] = BLINKBATTR[i + 1];
  }
  NUMBEROFBLINKS--;
}

void BLOODS() {
  REMOVALLIST gone;
  const int count = NUMBEROFBLOODS;
  for (int n = 1; n <= count; n++) {
    const int32_t x = BLOODX[n], y = BLOODY[n];
    if (BLOODDRAWN[n]) clearBlood(x, y);
    BLOODDRAWN[n] = false;
    if (BLOODSTATUS[n] < 255) BLOODSTATUS[n]++;
    wander(BLOODSTATUS[n], BLOODLIFE[n], BLOODXOFFSET[n], BLOODYOFFSET[n]);
    const int32_t qx = x + BLOODXOFFSET[n], qy = y + BLOODYOFFSET[n];
    if (!VALID(qx, qy) || BLOODSTATUS[n] > BLOODLIFE[n] || !GLYPHINSET(MAP[qx][qy], "M RW")) {
      gone.ADD(n);
      continue;
    }
    BLOODX[n] = static_cast<BYTE>(qx);
    BLOODY[n] = static_cast<BYTE>(qy);
    BLOODDRAWN[n] = drawBlood(qx, qy);
    // A drop that lands on rock or water stays there as a stain.
    if (MAP[qx][qy] == 'R' || MAP[qx][qy] == 'W') gone.ADD(n);
  }
  gone.APPLY([](int i) { PURGEBLOOD(static_cast<BYTE>(i)); });
}

void SHELLS() {
  REMOVALLIST gone;
  const int count = NUMBEROFSHELLS;
  for (int n = 1; n <= count; n++) {
    if (SHELLSTATUS[n] < 255) SHELLSTATUS[n]++;
    wander(SHELLSTATUS[n], SHELLLIFE[n], SHELLXOFFSET[n], SHELLYOFFSET[n], true);
    const int32_t qx = SHELLX[n] + SHELLXOFFSET[n], qy = SHELLY[n] + SHELLYOFFSET[n];
    if (!VALID(qx, qy) || SHELLSTATUS[n] > SHELLLIFE[n] || !GLYPHINSET(MAP[qx][qy], "M RTW")) {
      gone.ADD(n);
      continue;
    }
    SHELLX[n] = static_cast<BYTE>(qx);
    SHELLY[n] = static_cast<BYTE>(qy);
    setLight(qx, qy, YELLOW);
    if (GLYPHINSET(MAP[qx][qy], "RTW")) gone.ADD(n);
  }
  gone.APPLY([](int i) { PURGESHELL(static_cast<BYTE>(i)); });
}

void BLINKS() {
  REMOVALLIST gone;
  const int count = NUMBEROFBLINKS;
  for (int n = 1; n <= count; n++) {
    const BYTE x = BLINKX[n], y = BLINKY[n], s = BLINKSTATE[n];
    if (MODERN_VISUALS == 1) {
      POSTPROCESSING& pp = MAPPP[x][y];
      pp.OC[L_BLINKS] = 165;
      pp.OX[L_BLINKS] = static_cast<uint16_t>(s % 3 + 1);
      pp.OY[L_BLINKS] = 1;
      pp.OT[L_BLINKS] = 0;
    } else if (s >= 1 && s <= 11) {
      showBlinkLight(static_cast<BYTE>(n), s);
      MBATTR[x][y] = static_cast<BYTE>(BLINKTABLE[s].BACK < 0 ? BLINKBATTR[n] : BLINKTABLE[s].BACK);
    }
    if (BLINKSTATE[n] < 255) BLINKSTATE[n]++;
    if (BLINKSTATE[n] > BLINKMAXSTATE[n]) gone.ADD(n);
  }
  gone.APPLY([](int i) { PURGEBLINK(static_cast<BYTE>(i)); });
}

void SHOWBLINKLIGHTS() {
  if (MODERN_VISUALS == 1) return;
  for (int n = 1; n <= NUMBEROFBLINKS; n++)
    if (BLINKSTATE[n] > 1) showBlinkLight(static_cast<BYTE>(n), static_cast<BYTE>(BLINKSTATE[n] - 1));
}

void CLEARPARTICLES() { NUMBEROFBLOODS = NUMBEROFSHELLS = NUMBEROFBLINKS = 0; }
