// Large sheets of the modern glyph set: seamless terrain textures (the view
// picks a 64 x 64 tile from the cell's position, so a sheet repeats over the
// map without seams) and the effect, vehicle and panel sheets whose tiles the
// game addresses by position. Sheets are drawn at half resolution (32 x 32
// art pixels per tile) and doubled, so their detail survives being shrunk to
// a cell of about 28 pixels.
#pragma once
#include "glyphart.h"

constexpr int ARTTILE = 32;  // art pixels per tile before doubling

// Floor: paving slabs one cell wide, courses offset by half a slab, with fine
// joints, grain and a few cracks. Drawn light: in play it is tinted dark grey
// at half brightness.
inline CANVAS FLOORSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  const int slabw = ARTTILE, slabh = ARTTILE / 2;
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      int row = y / slabh;
      int xo = (x + (row % 2) * (slabw / 2)) % s;
      int sx = xo / slabw, px = xo % slabw, py = y % slabh;
      double grain = FBM(x, y, s, 16, 3, 461);
      double tone = 0.86 + 0.1 * LATTICE(sx, row, 246);
      double v = tone * (0.93 + 0.14 * grain);
      if (px == 0 || py == 0) v *= 0.78;                      // joint
      else if (px == 1 || py == 1) v *= 1.05;                 // lit edge
      else if (px == slabw - 1 || py == slabh - 1) v *= 0.92;  // shaded edge
      PUT(c, x, y, RGB(CLAMP255(236 * v), CLAMP255(232 * v), CLAMP255(222 * v)));
    }
  // Hairline cracks.
  ARTRANDOM r = MAKERANDOM(2460);
  for (int k = 0; k < n * n / 2; k++) {
    double x = UPTO(r, s), y = UPTO(r, s);
    for (int j = 0; j < 6; j++) {
      double nx = x + UPTO(r, 5) - 2, ny = y + 1 + UPTO(r, 2);
      for (double t = 0; t <= 1; t += 0.25) {
        int px = static_cast<int>(x + (nx - x) * t), py = static_cast<int>(y + (ny - y) * t);
        PUTWRAP(c, px, py, SHADE(ATWRAP(c, px, py), 0.8));
      }
      x = nx;
      y = ny;
    }
  }
  return c;
}

// Outdoor rock: a relief of lumps and ridges (fractal height plus cracks along
// cell borders of a Voronoi pattern), lit from the upper left.
inline CANVAS ROCKSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  CELLPOINTS pts = MAKECELLPOINTS(n * n * 3 / 2, s, 227);
  std::vector<double> h(s * s);
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      double d1, d2;
      int w;
      NEARESTCELLS(pts, x + 0.5, y + 0.5, d1, d2, w);
      double crack = std::min(1.0, (d2 - d1) / 5.0);
      h[y * s + x] = 0.72 * FBM(x, y, s, 4, 5, 2270) + 0.28 * std::sqrt(crack);
    }
  auto H = [&](int x, int y) { return h[(((y % s) + s) % s) * s + ((x % s) + s) % s]; };
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      double slope = H(x - 1, y - 1) - H(x + 1, y + 1);
      double v = 0.6 + 0.4 * H(x, y) + 3.0 * slope;
      PUT(c, x, y, RGB(CLAMP255(226 * v), CLAMP255(214 * v), CLAMP255(196 * v)));
    }
  return c;
}

// Indoor walls: brick courses, two bricks per cell width.
inline CANVAS BRICKSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  const int bw = 16, bh = 8;
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      int row = y / bh;
      int xo = (x + (row % 2) * (bw / 2)) % s;
      int bx = xo / bw;
      bool mortar = (y % bh) == 0 || (xo % bw) == 0;
      double g = FBM(x, y, s, 16, 2, 226);
      double tone = 0.8 + 0.18 * LATTICE(bx, row, 226);
      double v;
      if (mortar) v = 0.55 + 0.1 * g;
      else {
        v = tone * (0.9 + 0.2 * g);
        if ((y % bh) == 1) v *= 1.15;                    // lit upper edge
        if ((y % bh) == bh - 1 || (xo % bw) == bw - 1) v *= 0.82;  // shaded lower edge
      }
      PUT(c, x, y, RGB(CLAMP255(226 * v), CLAMP255(206 * v), CLAMP255(196 * v)));
    }
  return c;
}

// Water: blue waves that also run seamlessly when scrolled sideways.
inline CANVAS WATERSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      double g = FBM(x, y, s, 4, 3, 247);
      double wave = std::sin((y / static_cast<double>(s)) * 6.2832 * 2 * n / 2 + g * 6.0);
      double v = 0.75 + 0.2 * g + 0.1 * wave;
      ARTCOLOR col = RGB(CLAMP255(60 * v), CLAMP255(120 * v), CLAMP255(210 * v));
      if (wave > 0.93 && g > 0.45) col = RGB(170, 210, 250);  // crests
      PUT(c, x, y, col);
    }
  return c;
}

// Sewers: murky green-brown sludge with bubbles.
inline CANVAS SEWERSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      double g = FBM(x, y, s, 4, 4, 228);
      double v = 0.6 + 0.55 * g;
      PUT(c, x, y, RGB(CLAMP255(110 * v), CLAMP255(150 * v), CLAMP255(60 * v)));
    }
  ARTRANDOM r = MAKERANDOM(2280);
  for (int k = 0; k < n * n * 3; k++) {
    int bx = UPTO(r, s), by = UPTO(r, s), rad = 1 + UPTO(r, 3);
    for (int dy = -rad; dy <= rad; dy++)
      for (int dx = -rad; dx <= rad; dx++) {
        int d = dx * dx + dy * dy;
        if (d > rad * rad) continue;
        ARTCOLOR col = d >= (rad - 1) * (rad - 1) ? RGB(190, 220, 120) : RGB(120, 160, 70);
        if (dx == -1 && dy == -1) col = RGB(230, 250, 190);
        PUTWRAP(c, bx + dx, by + dy, col);
      }
  }
  return c;
}

// Doors: riveted metal panels, one per cell, drawn in light grey so the key
// colour tints them.
inline CANVAS DOORSHEET(int n) {
  int s = n * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      int px = x % ARTTILE, py = y % ARTTILE;
      double g = FBM(x, y, s, 8, 2, 229);
      double v = 0.84 + 0.1 * g;
      if (px < 2 || py < 2) v = 1.0;                       // bevel, lit side
      else if (px > ARTTILE - 3 || py > ARTTILE - 3) v = 0.5;  // bevel, shaded side
      else if ((py - 6) % 7 == 0 && px > 4 && px < ARTTILE - 5) v = 0.6;  // slats
      else if ((py - 7) % 7 == 0 && px > 4 && px < ARTTILE - 5) v = 0.98;
      bool rivet = (px == 4 || px == ARTTILE - 5) && (py == 4 || py == ARTTILE - 5);
      if (rivet) v = 1.0;
      PUT(c, x, y, GREY(CLAMP255(232 * v)));
    }
  return c;
}

// Soft radial glow into a tile of a sheet (additive effects).
// The glow is kept inside the tile that holds its centre.
inline void GLOW(CANVAS& c, double cx, double cy, double radius, ARTCOLOR inner, ARTCOLOR outer,
                 double power = 1.5) {
  int tx = static_cast<int>(cx) / ARTTILE * ARTTILE, ty = static_cast<int>(cy) / ARTTILE * ARTTILE;
  for (int y = std::max(ty, static_cast<int>(cy - radius)); y <= std::min(ty + ARTTILE - 1, static_cast<int>(cy + radius)); y++)
    for (int x = std::max(tx, static_cast<int>(cx - radius)); x <= std::min(tx + ARTTILE - 1, static_cast<int>(cx + radius)); x++) {
      double d = std::sqrt((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy)) / radius;
      if (d >= 1) continue;
      double t = std::pow(1 - d, power);
      ARTCOLOR col = MIX(outer, inner, t);
      col = SHADE(col, t * 1.2 > 1 ? 1 : t * 1.2);
      if (col.R + col.G + col.B < 12) continue;
      if (SET(c, x, y)) {
        ARTCOLOR o = AT(c, x, y);
        col = RGB(std::min(255, o.R + col.R), std::min(255, o.G + col.G), std::min(255, o.B + col.B));
      }
      PUT(c, x, y, col);
    }
}

// #165: cell flashes (row 1), plasma ball (row 2), blast glows and the tank
// shell trail (row 3).
inline CANVAS GLOWSHEET() {
  const int t = ARTTILE;
  CANVAS c = MAKECANVAS(3 * t, 3 * t);
  GLOW(c, t * 0.5, t * 0.5, t * 0.7, RGB(255, 255, 255), RGB(120, 140, 200), 1.0);
  GLOW(c, t * 1.5, t * 0.5, t * 0.55, RGB(240, 240, 255), RGB(90, 100, 160), 1.3);
  GLOW(c, t * 2.5, t * 0.5, t * 0.4, RGB(220, 220, 240), RGB(60, 60, 120), 1.6);
  for (int k = 0; k < 2; k++) {
    double cx = t * (0.5 + k), cy = t * 1.5;
    GLOW(c, cx, cy, t * (0.55 - 0.08 * k), RGB(200, 255, 255), RGB(40, 90, 255), 1.2);
    GLOW(c, cx, cy, t * 0.2, RGB(255, 255, 255), RGB(150, 240, 255), 0.6);
    for (int a = 0; a < 4; a++) {
      double ang = a * 1.5708 + k * 0.785;
      LINE(c, cx, cy, cx + std::cos(ang) * t * 0.45, cy + std::sin(ang) * t * 0.45, 1.2, RGB(120, 200, 255));
    }
  }
  // Explosion glow fills its tile so neighbouring cells merge into one blaze.
  for (int y = 2 * t; y < 3 * t; y++)
    for (int x = 0; x < t; x++) {
      double g = FBM(x, y, 3 * t, 6, 3, 165);
      PUT(c, x, y, RGB(CLAMP255(200 + 55 * g), CLAMP255(110 + 100 * g), CLAMP255(20 + 40 * g)));
    }
  for (int y = 2 * t; y < 3 * t; y++)
    for (int x = t; x < 2 * t; x++) {
      double g = FBM(x, y, 3 * t, 6, 3, 166);
      PUT(c, x, y, RGB(CLAMP255(150 + 70 * g), CLAMP255(50 + 60 * g), CLAMP255(10 + 20 * g)));
    }
  GLOW(c, t * 2.5, t * 2.5, t * 0.45, RGB(255, 240, 170), RGB(120, 100, 80), 1.2);
  return c;
}

// #183: a fireball in four growing frames of 3 x 3 tiles, at tile origins
// (1, 1), (4, 1), (1, 4), (4, 4).
inline CANVAS EXPLOSIONSHEET() {
  const int f = 3 * ARTTILE;
  CANVAS c = MAKECANVAS(2 * f, 2 * f);
  const int ox[4] = {0, f, 0, f}, oy[4] = {0, 0, f, f};
  for (int k = 0; k < 4; k++) {
    double rad = f * (0.2 + 0.08 * k);
    double cx = ox[k] + f / 2.0, cy = oy[k] + f / 2.0;
    for (int y = oy[k]; y < oy[k] + f; y++)
      for (int x = ox[k]; x < ox[k] + f; x++) {
        double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        double n = FBM(x, y, 2 * f, 8, 3, 183 + k);
        double d = std::sqrt(dx * dx + dy * dy) / (rad * (0.8 + 0.3 * n));  // stays inside its frame
        if (d >= 1) continue;
        static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        double dither = (BAYER[y % 4][x % 4] / 16.0 - 0.5) * 0.12;  // soften the colour bands
        double heat = (1 - d) * (1.1 - 0.22 * k) + 0.25 * (n - 0.5) + dither;
        ARTCOLOR col;
        if (heat > 0.75) col = RGB(255, 255, 220);
        else if (heat > 0.5) col = RGB(255, 220, 90);
        else if (heat > 0.3) col = RGB(250, 140, 40);
        else if (heat > 0.12) col = RGB(200, 70, 24);
        else col = k >= 2 ? RGB(90, 70, 60) : RGB(140, 40, 16);  // smoke at the rim later on
        PUT(c, x, y, col);
      }
  }
  return c;
}

// #123: a portal vortex in two frames of 3 x 3 tiles at columns 1 and 4.
inline CANVAS PORTALSHEET() {
  const int f = 3 * ARTTILE;
  CANVAS c = MAKECANVAS(2 * f, f);
  for (int k = 0; k < 2; k++) {
    double cx = k * f + f / 2.0, cy = f / 2.0;
    for (int y = 0; y < f; y++)
      for (int x = k * f; x < (k + 1) * f; x++) {
        double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        double r = std::sqrt(dx * dx + dy * dy) / (f * 0.46);
        if (r >= 1) continue;
        double ang = std::atan2(dy, dx);
        double swirl = std::sin(ang * 3 + r * 9 + k * 1.1);
        double v = (1 - r) * 0.6 + 0.4 * (swirl * 0.5 + 0.5);
        if (v < 0.25) continue;
        ARTCOLOR col = MIX(RGB(70, 40, 170), RGB(190, 230, 255), v);
        if (r < 0.18) col = RGB(255, 255, 255);
        PUT(c, x, y, col);
      }
  }
  return c;
}

// #206: sparks (row 1, four tiles) and muzzle flashes (row 2, three tiles).
inline CANVAS SPARKSHEET() {
  const int t = ARTTILE;
  CANVAS c = MAKECANVAS(4 * t, 2 * t);
  ARTRANDOM r = MAKERANDOM(206);
  for (int k = 0; k < 4; k++) {
    double cx = t * (k + 0.5), cy = t * 0.5;
    GLOW(c, cx, cy, t * 0.22, RGB(255, 250, 220), RGB(255, 160, 40), 1.2);
    for (int j = 0; j < 5 + k; j++) {
      double ang = UNIT(r) * 6.283, len = t * (0.15 + 0.3 * UNIT(r));
      LINE(c, cx, cy, cx + std::cos(ang) * len, cy + std::sin(ang) * len, 1, RGB(255, 220, 120));
    }
  }
  for (int k = 0; k < 3; k++) {
    double cx = t * (k + 0.5), cy = t * 1.5;
    GLOW(c, cx, cy, t * (0.5 - 0.06 * k), RGB(255, 255, 230), RGB(255, 170, 50), 1.0);
    for (int j = 0; j < 8; j++) {
      double ang = j * 0.785 + k * 0.3, len = t * (j % 2 ? 0.3 : 0.48);
      LINE(c, cx, cy, cx + std::cos(ang) * len, cy + std::sin(ang) * len, 1.6, RGB(255, 236, 160));
    }
  }
  return c;
}

// #202: the tank, 3 x 3 tiles seen from above (vertically symmetric, so it
// reads the same whichever way its rows are counted), the turret tile (4, 1)
// and the HUD health icon (4, 2).
inline CANVAS TANKSHEET() {
  const int t = ARTTILE;
  CANVAS c = MAKECANVAS(4 * t, 3 * t);
  ARTCOLOR hull = RGB(170, 176, 120), track = RGB(110, 110, 100);
  int s = 3 * t;
  // Tracks down both sides.
  for (int y = 3; y < s - 3; y++)
    for (int side = 0; side < 2; side++)
      for (int x = 0; x < 18; x++) {
        int xx = side ? s - 4 - x : 3 + x;
        bool link = (y % 6) < 2;
        PUT(c, xx, y, SHADE(track, link ? 0.7 : (x < 3 || x > 14) ? 0.85 : 1.1));
      }
  // Hull.
  for (int y = 8; y < s - 8; y++)
    for (int x = 18; x < s - 18; x++) {
      double g = FBM(x, y, 128, 8, 2, 202);
      double v = 0.9 + 0.15 * g;
      if (x < 21 || y < 11) v = 1.15;
      if (x > s - 22 || y > s - 12) v = 0.7;
      PUT(c, x, y, SHADE(hull, v));
    }
  // Turret base ring and hatches.
  BALL(c, s / 2.0, s / 2.0, 17, 17, SHADE(hull, 1.05), 0.9);
  BALL(c, s / 2.0, s / 2.0, 7, 7, SHADE(hull, 0.8), 0.5);
  for (int k : {24, s - 25}) {
    FILLRECT(c, s / 2 - 5, k - 2, s / 2 + 5, k + 2, SHADE(hull, 0.75));
  }
  // Turret tile: the gun muzzle on a dome.
  BALL(c, 3.5 * t, 0.5 * t, t * 0.42, t * 0.42, SHADE(hull, 1.1), 0.9);
  BALL(c, 3.5 * t, 0.5 * t, t * 0.2, t * 0.2, RGB(60, 60, 56), 0.2);
  BALL(c, 3.5 * t, 0.5 * t, t * 0.1, t * 0.1, RGB(24, 22, 22), 0);
  // Health icon: a red heart.
  BALL(c, 3.5 * t - 5.5, 1.5 * t - 3, 7, 7, RGB(230, 40, 50), 0.7);
  BALL(c, 3.5 * t + 5.5, 1.5 * t - 3, 7, 7, RGB(230, 40, 50), 0.7);
  POLY(c, {{3.5 * t - 12.5, 1.5 * t - 1}, {3.5 * t + 12.5, 1.5 * t - 1}, {3.5 * t, 1.5 * t + 12}}, RGB(210, 30, 40), 1.0, 0.8);
  BALL(c, 3.5 * t - 7, 1.5 * t - 6, 2, 2, RGB(255, 190, 190), 0);
  return c;
}

// #213: the message log's backdrop, 8 x 8 tiles. It is shown squeezed to about
// a quarter of its height, so its top and bottom borders are four times as
// thick as the sides to look even on screen.
inline CANVAS LOGSHEET() {
  const int s = 8 * ARTTILE;
  CANVAS c = MAKECANVAS(s, s);
  // The frame is thin (a third of a log line) so the seven lines of text fit
  // inside it with room to spare.
  const int side = 4, cap = 12;
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      bool border = x < side || x >= s - side || y < cap || y >= s - cap;
      ARTCOLOR col;
      if (border) {
        double v = 0.75;
        if (x < 1 || y < 3) v = 1.0;
        if (x >= s - 1 || y >= s - 3) v = 0.45;
        col = SHADE(RGB(150, 160, 176), v);
      } else {
        double v = (y / 8) % 2 ? 1.0 : 0.85;  // faint scan lines
        col = SHADE(RGB(22, 28, 40), v);
      }
      PUT(c, x, y, col);
    }
  for (int x : {2, s - 3})
    for (int y : {6, s - 7}) BALL(c, x + 0.5, y + 0.5, 1.5, 4, RGB(220, 226, 236), 0.6);
  return c;
}
