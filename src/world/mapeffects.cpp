#include "world/mapeffects.h"

#include <algorithm>

#include "base/random.h"
#include "base/settings.h"
#include "display/backend.h"
#include "game/doors.h"
#include "game/goals.h"
#include "game/monsterdeath.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/explosions.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lightfx.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/view.h"
#include "shell/gameflow.h"
#include "world/grid.h"
#include "world/mapscript.h"

int32_t EFFECT_MAPSCAN = 161;

namespace {
// The row of map-file line L.
int32_t line(int32_t l) { return MAPSIZEY + 1 - l; }

BYTE me() { return MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1; }

// The sight depth of a level for each player: DEPTH(P) for player P. My
// player's is the depth of the view; monsters use the one of the player they
// look at.
template <class F>
void sightDepth(F depth) {
  for (BYTE p = 1; p <= 2; p++) SIGHTDEPTH[p] = static_cast<uint16_t>(depth(p));
  LOS_VIEW_DEPTH = SIGHTDEPTH[me()];
}

// Paints CH as the letter shown on cell (X, Y).
void paint(int32_t x, int32_t y, unsigned char ch) {
  if (VALID(x, y)) MAPPP[x][y].CHR = ch;
}

// A row of 0/1 digits that change at random every frame, columns X1..X2 of
// map-file lines L1 and L2.
void readout(int32_t x1, int32_t x2, int32_t l1, int32_t l2) {
  for (int32_t x = x1; x <= x2; x++) {
    paint(x, line(l1), random(2) == 1 ? '1' : '0');
    paint(x, line(l2), random(2) == 1 ? '1' : '0');
  }
}

// Closes portals 1..N (type 0: not drawn, not taken).
void closePortals(int n) {
  for (int i = 1; i <= n && i <= MAX_PORTALS; i++) PORTALTYPE[i] = 0;
}

void holdHealth(double h) { PLAYERHEALTH[1] = PLAYERHEALTH[2] = h; }

// A cell of the scrolling light field of level 104; rows count from the top
// like the brightness grid the field lives in.
bool fieldCell(int32_t x, int32_t y) {
  if (!VALID(x, y)) return false;
  if (x >= 41 && x <= 117 && y >= 28 && y <= 75) return false;
  return MLIGHT[x][y] == 128 && MAPPP[x][y].BRIGHTNESS >= 50;
}
}  // namespace

void HANDLEFANCYMAPEFFECTS() {
  if (--EFFECT_MAPSCAN < 0) EFFECT_MAPSCAN = 160;
  const int32_t x = EFFECT_MAPSCAN;
  if (x < 1 || x > MAX_MAPWIDTH) return;  // column 0: the pause of each round
  for (int32_t y = 1; y <= MAX_MAPHEIGHT; y++) {
    if (MAP[x][y] == ' ' && MFATTR[x][y] != 8) MFATTR[x][y] = 8;
    const int32_t ry = MAPSIZEY + 1 - y;
    if (ry < 1 || ry > MAX_MAPHEIGHT) continue;
    const unsigned char c = MAPPP[x][y].CHR;
    if (MAPPP[x][ry].BRIGHTNESS > 90 && OOGA[x][ry] == 128 && c >= 'A' && c <= 'Z')
      CHECKLIGHT(x, y, 1);
  }
}

void EFFECTSFOR100() {
  sightDepth([](BYTE p) { return PLAYERBETWEEN(p, 13, 74, 60, 95) ? 7 : 3; });
}

void EFFECTSFOR101() {
  sightDepth([](BYTE) { return 5; });
  if (NUMBEROFTANKS >= 1 && TANKHEALTH[1] > 0) TANKHEALTH[1] = 200;
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) {
    if (!PLAYERBETWEEN(p, 5, 85, 5, 85) || NUMBEROFTANKS < 1 || TANKHEALTH[1] == 0) continue;
    // The cells of the tank blown up, not of whichever tank takes slot 1 after it.
    const BYTE x = TANKX[1], y = TANKY[1];
    TANKHEALTH[1] = 0;
    PURGETANK(1);
    ERASETANK(x, y);
  }
}

void EFFECTSFOR102() {
  const uint16_t outside = LOS_VIEW_DEPTH;
  sightDepth([outside](BYTE p) { return PLAYERBETWEEN(p, 3, 56, 75, 95) ? 7 : outside; });
  closePortals(1);
}

void EFFECTSFOR103() {
  static const char* const SPIN = "-\\|/-\\|/";  // ROTATESHAPES
  closePortals(6);
  sightDepth([](BYTE) { return 7; });
  const unsigned char bar = static_cast<unsigned char>(SPIN[(std::clamp<int>(ROTATECOUNTER, 1, 8)) - 1]);
  paint(153, line(41), bar);
  paint(153, line(43), bar);
  paint(154, line(45), bar);
  paint(154, line(47), bar);
  if (random(2) == 1) {
    const int32_t x = 126 + random(5), y = line(58);
    if (VALID(x, y)) ADDPLASMA(static_cast<BYTE>(x), static_cast<BYTE>(y), 0, -1);
  }
}

void EFFECTSFOR104() {
  closePortals(9);
  const uint16_t inside = LOS_VIEW_DEPTH;
  sightDepth([inside](BYTE p) { return PLAYERBETWEEN(p, 40, 27, 118, 76) ? inside : 7; });
  // The field is light only, and which cells qualify depends on the torch
  // light around my player: its draws come from this machine's own generator.
  // Each qualifying cell takes the natural brightness of the one below it in
  // the grid (rows from the top), so the pattern climbs one row per frame;
  // the last row is fed with fresh values.
  for (int32_t y = 1; y <= MAX_MAPHEIGHT; y++)
    for (int32_t x = 1; x <= MAX_MAPWIDTH; x++) {
      if (!fieldCell(x, y)) continue;
      const BYTE b = fieldCell(x, y + 1) ? MAPPP[x][y + 1].INITIALBRIGHTNESS
                                         : static_cast<BYTE>(90 + randomLocal(11));
      MAPPP[x][y].INITIALBRIGHTNESS = b;
      MAPPP[x][y].BRIGHTNESS = b;
    }
}

void EFFECTSFOR105() {
  closePortals(3);
  readout(14, 22, 75, 81);
}

void EFFECTSFOR108() {
  readout(147, 155, 73, 79);
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) {
    if (!PLAYERBETWEEN(p, 1, 1, 80, 46) || BOSSHEALTH > 0) continue;
    for (int i = 1; i <= 9; i++) PORTALX[i] = 5;
    ADDEXPLOSION(40, 14, 1, 2);
    for (uint16_t m = NUMBEROFMONSTERS; m >= 1; m--) PURGEMONSTER2(m);
  }
}

void EFFECTSFOR109() {
  holdHealth(100);
  if (ENTRYWASACTIVATED("tech_bodies2")) PLAYER_MORPHING = 1;
}

void EFFECTSFOR110() {
  if (ENTRYWASACTIVATED("tul2")) PLAYER_MORPHING = 1;
  for (int p = 1; p <= 2; p++) PLAYERHEALTH[p] = std::max(PLAYERHEALTH[p], 30.0);
  if (THEBACKEND)
    for (int c = 63; c <= 65; c++) THEBACKEND->HALTSOUND(c);
  // Every player of the game goes unarmed: over the link both machines take
  // the weapons of both, or each would leave the other armed.
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    for (int w = 1; w <= NUMWEAPONTYPES; w++) {
      WEAPONPRESENT[p][w] = false;
      WEAPONAMMO[p][w] = 0;
    }
}

void EFFECTSFOR150() {
  holdHealth(100);
  WAVYEFFECT = 1;
}

void EFFECTSFOR151() { EFFECTSFOR150(); }

void HANDLECUSTOMMAPEFFECTS() {
  switch (CURRENTMAP) {
    case 100: EFFECTSFOR100(); break;
    case 101: EFFECTSFOR101(); break;
    case 102: EFFECTSFOR102(); break;
    case 103: EFFECTSFOR103(); break;
    case 104: EFFECTSFOR104(); break;
    case 105: EFFECTSFOR105(); break;
    case 108: EFFECTSFOR108(); break;
    case 109: EFFECTSFOR109(); break;
    case 110: EFFECTSFOR110(); break;
    case 150: EFFECTSFOR150(); break;
    case 151: EFFECTSFOR151(); break;
    default: break;
  }
}
