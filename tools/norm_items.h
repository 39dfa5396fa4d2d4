// Item, pickup, fire and effect drawings of the modern glyph set, each a
// 36 x 36 canvas. Items whose attribute colour tells them apart (keys, armour,
// weapons, ammunition) are drawn in light greys so the tint shows; items
// tinted light grey in play may carry their own colours.
#pragma once
#include "glyphart.h"
#include "norm_sprites.h"

const ARTCOLOR METAL = {176, 180, 188};
const ARTCOLOR DARKMETAL = {104, 108, 118};
const ARTCOLOR WOOD = {150, 104, 62};
const ARTCOLOR WHITE = {240, 240, 240};

// A tree seen from above at a slant: clumps of leaves over a short trunk.
inline CANVAS TREE() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  FILLRECT(c, 16, 26, 20, 35, WOOD);
  FILLRECT(c, 16, 26, 17, 35, SHADE(WOOD, 1.25));
  ARTRANDOM r = MAKERANDOM(136);
  const double blobs[][3] = {{18, 14, 12}, {8, 17, 7}, {28, 17, 7}, {12, 7, 7},
                             {24, 7, 7},   {18, 23, 8}, {10, 24, 5}, {26, 24, 5}};
  for (auto& b : blobs) BALL(c, b[0], b[1], b[2], b[2] * 0.9, RGB(72, 150, 64), 0.8);
  for (int k = 0; k < 70; k++) {
    int x = 2 + UPTO(r, 33), y = 1 + UPTO(r, 30);
    if (SET(c, x, y)) PUT(c, x, y, SHADE(AT(c, x, y), 0.7 + UNIT(r) * 0.7));
  }
  OUTLINE(c);
  return c;
}

inline CANVAS AXE() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  LINE(c, 9, 31, 25, 7, 3, WOOD);
  POLY(c, {{20, 6}, {30, 2}, {33, 12}, {27, 14}}, METAL, 1.3, 0.8);
  LINE(c, 30, 3, 33, 11, 1, WHITE);
  FILLRECT(c, 22, 7, 25, 10, DARKMETAL);
  OUTLINE(c);
  return c;
}

// Health: a white case with a red cross and a twinkle (the menu's stars use
// this glyph too, in many colours).
inline CANVAS HEALTH() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  LINE(c, 18, 3, 18, 33, 1, RGB(255, 255, 255));
  LINE(c, 3, 18, 33, 18, 1, RGB(255, 255, 255));
  FILLRECT(c, 8, 10, 28, 27, RGB(236, 236, 236));
  FILLRECT(c, 8, 10, 28, 11, RGB(255, 255, 255));
  FILLRECT(c, 8, 26, 28, 27, RGB(180, 180, 180));
  FILLRECT(c, 16, 12, 20, 25, RGB(220, 40, 40));
  FILLRECT(c, 11, 16, 25, 21, RGB(220, 40, 40));
  FILLRECT(c, 16, 12, 20, 12, RGB(255, 110, 100));
  OUTLINE(c);
  return c;
}

inline CANVAS BOAT() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  POLY(c, {{4, 18}, {9, 11}, {27, 11}, {33, 18}, {27, 25}, {9, 25}}, WOOD, 1.2, 0.7);
  POLY(c, {{8, 18}, {11, 14}, {25, 14}, {29, 18}, {25, 22}, {11, 22}}, SHADE(WOOD, 0.6));
  for (int x = 12; x <= 24; x += 4) FILLRECT(c, x, 14, x, 22, SHADE(WOOD, 1.1));
  LINE(c, 14, 18, 6, 30, 1.6, RGB(200, 170, 120));
  LINE(c, 22, 18, 30, 30, 1.6, RGB(200, 170, 120));
  OUTLINE(c);
  return c;
}

inline CANVAS LANDMINE() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  BALL(c, 18, 20, 11, 7, RGB(150, 150, 140), 0.7);
  BALL(c, 18, 18, 6, 3.6, RGB(110, 110, 104), 0.4);
  for (int k = 0; k < 6; k++) {
    double ang = k * 3.14159 / 3;
    BALL(c, 18 + 8.5 * std::cos(ang), 20 + 5 * std::sin(ang), 1.2, 1.0, RGB(200, 200, 190), 0);
  }
  BALL(c, 18, 17.5, 2, 1.6, RGB(255, 50, 40), 0);
  PUT(c, 17, 17, RGB(255, 200, 190));
  OUTLINE(c);
  return c;
}

// The nine weapon pickups, drawn as bold grey gun silhouettes (tinted
// yellow in play), each with its own outline: length, barrels, stock, drum.
inline CANVAS WEAPON(int n) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR m = METAL, d = DARKMETAL, hi = WHITE, stock = SHADE(WOOD, 1.3);
  switch (n) {
    case 1:  // scrap gun: a chunky pistol with a flared muzzle and a scrap hopper
      FILLRECT(c, 7, 11, 27, 19, m);
      FILLRECT(c, 7, 11, 27, 12, hi);
      POLY(c, {{7, 9}, {2, 7}, {2, 23}, {7, 21}}, d);
      FILLRECT(c, 19, 19, 26, 31, d);
      FILLRECT(c, 12, 5, 18, 10, SHADE(m, 0.85));
      break;
    case 2:  // range shotgun: very long double barrel, wooden stock
      FILLRECT(c, 1, 11, 23, 13, m);
      FILLRECT(c, 1, 15, 23, 17, m);
      FILLRECT(c, 1, 11, 23, 11, hi);
      POLY(c, {{20, 10}, {35, 13}, {35, 25}, {20, 19}}, stock, 1.2, 0.8);
      FILLRECT(c, 14, 18, 18, 21, d);
      break;
    case 3:  // power shotgun: short and thick with a pump grip
      FILLRECT(c, 3, 10, 25, 18, m);
      FILLRECT(c, 3, 10, 25, 11, hi);
      FILLRECT(c, 6, 19, 16, 24, d);
      POLY(c, {{23, 10}, {34, 14}, {34, 26}, {24, 19}}, stock, 1.2, 0.8);
      break;
    case 4:  // chaingun: three barrels and an ammunition drum
      for (int k = 0; k < 3; k++) FILLRECT(c, 1, 9 + k * 4, 20, 11 + k * 4, k == 0 ? hi : m);
      BALL(c, 25, 17, 9, 9, d, 0.6);
      BALL(c, 25, 17, 3, 3, m, 0.3);
      FILLRECT(c, 29, 24, 33, 32, d);
      break;
    case 5:  // rocket launcher: a fat tube with a warhead showing
      FILLRECT(c, 3, 10, 33, 21, m);
      FILLRECT(c, 3, 10, 33, 11, hi);
      BALL(c, 4, 15.5, 4, 5, RGB(236, 236, 236), 0.5);
      FILLRECT(c, 15, 22, 20, 31, d);
      FILLRECT(c, 24, 6, 28, 9, d);
      break;
    case 6:  // flame thrower: a round fuel tank and a long nozzle
      BALL(c, 25, 18, 9, 11, m, 0.8);
      FILLRECT(c, 2, 14, 18, 20, d);
      FILLRECT(c, 2, 14, 18, 15, hi);
      BALL(c, 2.5, 17, 2.5, 4, hi, 0);
      break;
    case 7:  // NRG-8000: a big energy gun ringed with coils
      POLY(c, {{1, 13}, {26, 7}, {35, 15}, {27, 27}, {1, 21}}, m, 1.3, 0.8);
      for (int x = 6; x <= 24; x += 4) FILLRECT(c, x, 9, x + 1, 25, hi);
      BALL(c, 30, 16, 4, 4, WHITE, 0);
      break;
    case 8:  // plasma gun: a rounded body with a glowing cell
      BALL(c, 20, 16, 14, 8, m, 0.8);
      FILLRECT(c, 1, 13, 8, 18, d);
      BALL(c, 20, 15, 5, 4, WHITE, 0);
      FILLRECT(c, 22, 22, 27, 32, d);
      break;
    default:  // minigun: a bundle of long barrels, a motor block and a handle
      for (int k = 0; k < 5; k++) FILLRECT(c, 1, 8 + k * 3, 22, 9 + k * 3, k % 2 ? m : hi);
      FILLRECT(c, 20, 6, 33, 23, d);
      FILLRECT(c, 20, 6, 33, 7, m);
      FILLRECT(c, 25, 23, 29, 33, m);
      break;
  }
  OUTLINE(c);
  return c;
}

// Armour: a chest plate in white (tinted by its kind).
inline CANVAS ARMOUR() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  POLY(c, {{7, 7}, {14, 5}, {18, 9}, {22, 5}, {29, 7}, {30, 27}, {18, 32}, {6, 27}}, RGB(236, 236, 236), 1.2, 0.75);
  LINE(c, 18, 10, 18, 30, 1.2, RGB(170, 170, 170));
  BALL(c, 12, 16, 3.5, 4, RGB(250, 250, 250), 0.6);
  BALL(c, 24, 16, 3.5, 4, RGB(230, 230, 230), 0.6);
  OUTLINE(c);
  return c;
}

// Key: white, tinted by the key's colour.
inline CANVAS KEY() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  BALL(c, 11, 18, 7, 7, RGB(240, 240, 240), 0.6);
  BALL(c, 11, 18, 3, 3, RGB(30, 30, 30), 0);
  for (int y = 16; y <= 21; y++)
    for (int x = 9; x <= 13; x++)
      if ((x - 11) * (x - 11) + (y - 18.5) * (y - 18.5) < 7) ERASE(c, x, y);
  FILLRECT(c, 17, 16, 33, 20, RGB(220, 220, 220));
  FILLRECT(c, 17, 16, 33, 16, RGB(255, 255, 255));
  FILLRECT(c, 26, 21, 28, 26, RGB(200, 200, 200));
  FILLRECT(c, 31, 21, 33, 24, RGB(200, 200, 200));
  OUTLINE(c);
  return c;
}

inline CANVAS TORCH() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  LINE(c, 14, 33, 20, 14, 3.4, WOOD);
  FILLRECT(c, 17, 13, 23, 16, RGB(120, 110, 100));
  BALL(c, 21, 9, 5, 6.5, RGB(255, 150, 40), 0.3);
  BALL(c, 21, 10, 3, 4, RGB(255, 230, 120), 0.2);
  BALL(c, 21, 11, 1.5, 2, RGB(255, 255, 230), 0);
  OUTLINE(c);
  return c;
}

// Barrel: a rusty red drum with a hazard band.
inline CANVAS BARREL() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  for (int x = 8; x <= 28; x++) {
    double t = (x - 8) / 20.0;
    double lit = 1.25 - std::fabs(t - 0.3) * 1.2;
    for (int y = 6; y <= 32; y++) PUT(c, x, y, SHADE(RGB(178, 62, 44), lit));
    for (int y = 15; y <= 21; y++) PUT(c, x, y, SHADE(((x / 3) % 2) ? RGB(236, 200, 40) : RGB(60, 56, 50), lit));
    PUT(c, x, 10, SHADE(RGB(120, 40, 30), lit));
    PUT(c, x, 28, SHADE(RGB(120, 40, 30), lit));
  }
  BALL(c, 18, 6, 10.5, 2.5, RGB(150, 60, 44), 0.2);
  BALL(c, 18, 6, 8, 1.6, RGB(90, 40, 30), 0);
  OUTLINE(c);
  return c;
}

// Crater left by a mine: a scorched ring.
inline CANVAS CRATER() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  BALL(c, 18, 20, 14, 10, RGB(96, 88, 78), 0.3);
  BALL(c, 18, 21, 10, 7, RGB(46, 40, 36), 0.2);
  BALL(c, 18, 22, 5, 3.5, RGB(26, 22, 22), 0);
  ARTRANDOM r = MAKERANDOM(233);
  for (int k = 0; k < 30; k++) {
    int x = 4 + UPTO(r, 29), y = 10 + UPTO(r, 21);
    if (SET(c, x, y)) PUT(c, x, y, SHADE(AT(c, x, y), 0.6 + UNIT(r) * 0.8));
  }
  return c;
}

// Scrap heap: plates and pipes that a mine blast turns into a crater.
inline CANVAS SCRAPHEAP() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  POLY(c, {{4, 30}, {10, 18}, {20, 14}, {30, 20}, {33, 30}}, RGB(140, 136, 128), 1.2, 0.7);
  POLY(c, {{8, 26}, {16, 16}, {22, 22}, {14, 30}}, RGB(176, 120, 90), 1.2, 0.8);
  LINE(c, 18, 28, 31, 15, 2.6, METAL);
  LINE(c, 6, 22, 16, 25, 2, DARKMETAL);
  for (int k = 0; k < 5; k++) PUT(c, 10 + k * 4, 24 + (k % 2), WHITE);
  OUTLINE(c);
  return c;
}

// Zarnov's serum: a vial of glowing green liquid.
inline CANVAS SERUM() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  FILLRECT(c, 13, 6, 23, 31, RGB(200, 220, 230));
  FILLRECT(c, 14, 15, 22, 30, RGB(90, 230, 90));
  FILLRECT(c, 14, 15, 22, 16, RGB(190, 255, 170));
  FILLRECT(c, 15, 7, 16, 28, RGB(245, 255, 255));
  FILLRECT(c, 12, 3, 24, 6, RGB(150, 110, 80));
  OUTLINE(c);
  return c;
}

// Ammunition pickups.
inline void SHELL(CANVAS& c, int x, int y) {
  FILLRECT(c, x, y, x + 4, y + 12, RGB(226, 226, 226));
  FILLRECT(c, x, y + 9, x + 4, y + 12, RGB(160, 160, 160));
  FILLRECT(c, x, y, x + 1, y + 8, RGB(255, 255, 255));
}

inline CANVAS AMMO(int kind) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  switch (kind) {
    case 186:  // shotgun clip: a box of shells
      FILLRECT(c, 6, 16, 30, 30, RGB(200, 200, 196));
      FILLRECT(c, 6, 16, 30, 17, RGB(240, 240, 236));
      for (int k = 0; k < 4; k++) SHELL(c, 8 + k * 6, 5);
      break;
    case 210:  // shotgun shells: three loose shells
      for (int k = 0; k < 3; k++) SHELL(c, 7 + k * 8, 10 + (k % 2) * 6);
      break;
    case 240:  // chaingun magazine: a belt box
      FILLRECT(c, 7, 12, 29, 30, RGB(190, 190, 190));
      FILLRECT(c, 7, 12, 29, 13, RGB(240, 240, 240));
      for (int k = 0; k < 6; k++) FILLRECT(c, 9 + k * 3, 6, 10 + k * 3, 11, RGB(236, 236, 236));
      FILLRECT(c, 12, 19, 24, 23, RGB(120, 120, 120));
      break;
    case 239:  // chaingun bullets: a few bullets
      for (int k = 0; k < 4; k++) {
        FILLRECT(c, 8 + k * 5, 14, 10 + k * 5, 28, RGB(220, 220, 220));
        BALL(c, 9.5 + k * 5, 13, 1.6, 2.6, RGB(250, 250, 250), 0.3);
      }
      break;
    case 158:  // backpack: a khaki pack with a flap, buckle and side pockets
      BALL(c, 18, 20, 10, 12, RGB(150, 146, 100), 0.6);
      FILLRECT(c, 5, 17, 9, 28, RGB(126, 122, 84));
      FILLRECT(c, 27, 17, 31, 28, RGB(112, 108, 74));
      POLY(c, {{9, 10}, {27, 10}, {28, 19}, {8, 19}}, RGB(120, 116, 80), 1.2, 0.9);
      FILLRECT(c, 16, 17, 20, 21, RGB(220, 210, 160));
      FILLRECT(c, 17, 18, 19, 20, RGB(90, 86, 60));
      LINE(c, 12, 6, 24, 6, 2.2, RGB(100, 96, 66));
      LINE(c, 12, 6, 11, 11, 2, RGB(100, 96, 66));
      LINE(c, 24, 6, 25, 11, 2, RGB(100, 96, 66));
      break;
    case 220:  // box of rockets: a crate with warheads
      FILLRECT(c, 5, 17, 31, 31, RGB(186, 160, 110));
      for (int y = 20; y <= 29; y += 3) FILLRECT(c, 5, y, 31, y, RGB(140, 118, 80));
      for (int k = 0; k < 4; k++) BALL(c, 9 + k * 6, 14, 2.6, 4, RGB(230, 230, 230), 0.5);
      break;
    case 156:  // a couple of rockets
      for (int k = 0; k < 2; k++) {
        int y = 8 + k * 12;
        FILLRECT(c, 7, y, 27, y + 6, RGB(220, 220, 220));
        FILLRECT(c, 7, y, 27, y + 1, RGB(255, 255, 255));
        BALL(c, 28, y + 3.5, 5, 3.5, RGB(250, 250, 250), 0.4);
        POLY(c, {{8.0, y - 2.0}, {2.0, y - 3.0}, {2.0, y + 10.0}, {8.0, y + 9.0}}, RGB(160, 160, 160));
      }
      break;
    case 236:  // plasma charge: a glowing energy cell
      FILLRECT(c, 11, 7, 25, 31, RGB(170, 176, 186));
      FILLRECT(c, 13, 10, 23, 28, RGB(230, 250, 255));
      FILLRECT(c, 15, 12, 21, 26, RGB(255, 255, 255));
      FILLRECT(c, 15, 4, 21, 6, RGB(200, 200, 200));
      break;
    default:  // 157, can of flame cocktail: a fuel can with a red cap
      FILLRECT(c, 9, 10, 27, 31, RGB(210, 210, 206));
      FILLRECT(c, 9, 10, 27, 11, RGB(245, 245, 240));
      LINE(c, 12, 15, 24, 27, 2, RGB(150, 150, 146));
      LINE(c, 24, 15, 12, 27, 2, RGB(150, 150, 146));
      FILLRECT(c, 21, 5, 25, 9, RGB(220, 60, 40));
      LINE(c, 11, 9, 18, 6, 2, RGB(170, 170, 166));
      break;
  }
  OUTLINE(c);
  return c;
}

// Flames: three frames each of the big ('O') and small ('o') fire.
inline CANVAS FLAME(bool big, int frame) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTRANDOM r = MAKERANDOM(900 + frame * 7 + (big ? 100 : 0));
  double h = big ? 30 : 20, w = big ? 13 : 9;
  for (int y = 0; y < SPR; y++)
    for (int x = 0; x < SPR; x++) {
      double fy = (34.0 - y) / h;  // 0 at the base, 1 at the tip
      if (fy < 0 || fy > 1.1) continue;
      double sway = std::sin(fy * 5 + frame * 2.1) * 2.5 * fy;
      double half = w * (1 - fy) * (0.7 + 0.6 * std::sin(fy * 3.1416));
      double dx = std::fabs(x + 0.5 - 18 - sway);
      double n = VNOISE(x / 3.0, y / 3.0 + frame * 4, 64, 31 + frame);
      if (dx > half + n * 3 - 1) continue;
      double heat = 1 - dx / (half + 2) - fy * 0.55;
      ARTCOLOR col = heat > 0.55 ? RGB(255, 250, 200) : heat > 0.35 ? RGB(255, 214, 80)
                   : heat > 0.15 ? RGB(250, 140, 30) : RGB(200, 60, 20);
      PUT(c, x, y, col);
    }
  for (int k = 0; k < (big ? 6 : 3); k++) PUT(c, 8 + UPTO(r, 20), 2 + UPTO(r, big ? 8 : 14), RGB(255, 200, 90));
  return c;
}

// Gore: a blood splat and the remains of a monster (drawn additively).
inline CANVAS BLOOD() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTRANDOM r = MAKERANDOM(194);
  BALL(c, 18, 20, 8, 6, RGB(150, 16, 16), 0.4);
  for (int k = 0; k < 9; k++) {
    double ang = UNIT(r) * 6.283, d = 7 + UNIT(r) * 8;
    BALL(c, 18 + std::cos(ang) * d, 20 + std::sin(ang) * d * 0.7, 1 + UNIT(r) * 2.2, 1 + UNIT(r) * 1.8, RGB(130, 12, 12), 0.3);
  }
  return c;
}

inline CANVAS REMAINS() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  BALL(c, 18, 22, 13, 8, RGB(110, 14, 14), 0.4);
  BALL(c, 12, 20, 4, 3, RGB(160, 60, 50), 0.6);
  BALL(c, 24, 24, 5, 3, RGB(150, 50, 44), 0.6);
  LINE(c, 8, 27, 20, 24, 2.2, RGB(220, 210, 190));
  LINE(c, 20, 18, 29, 21, 2, RGB(220, 210, 190));
  BALL(c, 8, 27, 1.6, 1.6, RGB(230, 220, 200), 0);
  BALL(c, 29, 21, 1.5, 1.5, RGB(230, 220, 200), 0);
  return c;
}

// Muzzle flashes (additive): three bursts of rays.
inline CANVAS MUZZLE(int frame) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  int rays = 5 + frame;
  for (int k = 0; k < rays; k++) {
    double ang = k * 6.283 / rays + frame * 0.4;
    double len = (k % 2 ? 9 : 15) - frame;
    LINE(c, 18, 18, 18 + std::cos(ang) * len, 18 + std::sin(ang) * len, 2.2, RGB(255, 230, 150));
  }
  BALL(c, 18, 18, 6 - frame, 6 - frame, RGB(255, 255, 230), 0);
  return c;
}

// Aiming cursor: a crosshair (tinted red).
inline CANVAS CROSSHAIR() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  for (int a = 0; a < 360; a += 2) {
    double r = a * 3.14159 / 180;
    PUT(c, static_cast<int>(18 + 10 * std::cos(r)), static_cast<int>(18 + 10 * std::sin(r)), WHITE);
  }
  FILLRECT(c, 17, 4, 18, 12, WHITE);
  FILLRECT(c, 17, 24, 18, 32, WHITE);
  FILLRECT(c, 4, 17, 12, 18, WHITE);
  FILLRECT(c, 24, 17, 32, 18, WHITE);
  FILLRECT(c, 17, 17, 18, 18, WHITE);
  return c;
}

// Menu frame block: a steel plate with a soft bevel and one rivet. Runs of
// it form the menu frames, and at a quarter brightness it tiles the backdrop;
// the bevel is kept gentle so a run reads as one bar, not a row of boxes.
inline CANVAS FRAMEBLOCK() {
  CANVAS c = MAKECANVAS(SPR, SPR);
  for (int y = 0; y < SPR; y++)
    for (int x = 0; x < SPR; x++) {
      double v = 0.8 + 0.08 * VNOISE(x / 5.0, y / 5.0, 36, 174);
      if (x < 3 || y < 3) v = 0.95;
      else if (x > SPR - 4 || y > SPR - 4) v = 0.62;
      PUT(c, x, y, GREY(CLAMP255(250 * v)));
    }
  BALL(c, 18, 18, 3.5, 3.5, GREY(236), 0.9);
  return c;
}
