// Drawing helpers for the glyph generators: an RGBA canvas with shapes,
// shading, outlines, periodic noise for seamless textures, and conversion to
// the glyph image conventions (pure black is transparent, so every drawn
// pixel is kept at least slightly above black).
//
// Everything is deterministic: randomness comes from ARTRANDOM, a small
// generator with an explicit state, never from the game's own generator.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "display/backend.h"

struct ARTCOLOR {
  int R = 0, G = 0, B = 0;
};

inline ARTCOLOR RGB(int r, int g, int b) { return ARTCOLOR{r, g, b}; }

inline int CLAMP255(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v + 0.5); }

// Colour c scaled by factor f (1 = unchanged); f > 1 brightens.
inline ARTCOLOR SHADE(ARTCOLOR c, double f) {
  return ARTCOLOR{CLAMP255(c.R * f), CLAMP255(c.G * f), CLAMP255(c.B * f)};
}

// Linear mix of a and b; t = 0 gives a, t = 1 gives b.
inline ARTCOLOR MIX(ARTCOLOR a, ARTCOLOR b, double t) {
  return ARTCOLOR{CLAMP255(a.R + (b.R - a.R) * t), CLAMP255(a.G + (b.G - a.G) * t),
                  CLAMP255(a.B + (b.B - a.B) * t)};
}

inline ARTCOLOR GREY(int v) { return ARTCOLOR{v, v, v}; }

// The outline colour of sprites: near-black, never the transparent key.
const ARTCOLOR OUTLINECOLOR = {14, 12, 16};

// Deterministic random numbers for the art (xorshift32): a state record and
// its procedures.
struct ARTRANDOM {
  uint32_t S = 0x9E3779B9u;
};

inline ARTRANDOM MAKERANDOM(uint32_t seed) { return ARTRANDOM{seed ? seed : 0x9E3779B9u}; }

inline uint32_t NEXT(ARTRANDOM& r) {
  r.S ^= r.S << 13;
  r.S ^= r.S >> 17;
  r.S ^= r.S << 5;
  return r.S;
}

// 0 .. n - 1 (0 for n <= 0).
inline int UPTO(ARTRANDOM& r, int n) {
  return n <= 0 ? 0 : static_cast<int>(NEXT(r) % static_cast<uint32_t>(n));
}

// 0 <= value < 1.
inline double UNIT(ARTRANDOM& r) { return (NEXT(r) & 0xFFFFFF) / 16777216.0; }

// A canvas of W x H pixels, channels stored apart; A = 0 marks a transparent
// pixel.
struct CANVAS {
  int W = 0, H = 0;
  std::vector<uint8_t> R, G, B, A;
};

inline CANVAS MAKECANVAS(int w, int h) {
  CANVAS c;
  c.W = w;
  c.H = h;
  c.R.assign(static_cast<size_t>(w) * h, 0);
  c.G = c.B = c.A = c.R;
  return c;
}

inline bool INSIDE(const CANVAS& c, int x, int y) { return x >= 0 && y >= 0 && x < c.W && y < c.H; }
inline bool SET(const CANVAS& c, int x, int y) { return INSIDE(c, x, y) && c.A[y * c.W + x] != 0; }

inline ARTCOLOR AT(const CANVAS& c, int x, int y) {
  int i = y * c.W + x;
  return ARTCOLOR{c.R[i], c.G[i], c.B[i]};
}

inline void PUT(CANVAS& c, int x, int y, ARTCOLOR col) {
  if (!INSIDE(c, x, y)) return;
  int i = y * c.W + x;
  c.R[i] = static_cast<uint8_t>(std::clamp(col.R, 0, 255));
  c.G[i] = static_cast<uint8_t>(std::clamp(col.G, 0, 255));
  c.B[i] = static_cast<uint8_t>(std::clamp(col.B, 0, 255));
  c.A[i] = 255;
}

// Pixel access that wraps around the edges (for seamless textures).
inline void PUTWRAP(CANVAS& c, int x, int y, ARTCOLOR col) {
  PUT(c, ((x % c.W) + c.W) % c.W, ((y % c.H) + c.H) % c.H, col);
}
inline ARTCOLOR ATWRAP(const CANVAS& c, int x, int y) {
  return AT(c, ((x % c.W) + c.W) % c.W, ((y % c.H) + c.H) % c.H);
}

inline void ERASE(CANVAS& c, int x, int y) {
  if (INSIDE(c, x, y)) c.A[y * c.W + x] = 0;
}

inline void FILLRECT(CANVAS& c, int x1, int y1, int x2, int y2, ARTCOLOR col) {
  for (int y = y1; y <= y2; y++)
    for (int x = x1; x <= x2; x++) PUT(c, x, y, col);
}

// Filled ellipse shaded as a lit ball: light from the upper left. SHADING 0
// gives a flat fill, 1 a strong round shading.
inline void BALL(CANVAS& c, double cx, double cy, double rx, double ry, ARTCOLOR col,
                 double shading = 0.6) {
  for (int y = static_cast<int>(cy - ry - 1); y <= static_cast<int>(cy + ry + 1); y++)
    for (int x = static_cast<int>(cx - rx - 1); x <= static_cast<int>(cx + rx + 1); x++) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      double d = dx * dx + dy * dy;
      if (d > 1.0) continue;
      double lit = 1.0 - shading * 0.5 * (dx + dy + 0.6) - shading * 0.35 * d;
      if (lit > 1.35) lit = 1.35;
      PUT(c, x, y, SHADE(col, lit));
    }
}

inline void DISC(CANVAS& c, double cx, double cy, double rx, double ry, ARTCOLOR col) {
  BALL(c, cx, cy, rx, ry, col, 0.0);
}

// Filled polygon (even-odd rule), with an optional vertical shading.
inline void POLY(CANVAS& c, const std::vector<std::pair<double, double>>& p, ARTCOLOR col,
                 double topbright = 1.0, double bottombright = 1.0) {
  if (p.size() < 3) return;
  double miny = p[0].second, maxy = p[0].second;
  for (auto& q : p) { miny = std::min(miny, q.second); maxy = std::max(maxy, q.second); }
  for (int y = static_cast<int>(std::floor(miny)); y <= static_cast<int>(std::ceil(maxy)); y++) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < p.size(); i++) {
      auto a = p[i], b = p[(i + 1) % p.size()];
      if ((a.second <= sy && b.second > sy) || (b.second <= sy && a.second > sy))
        xs.push_back(a.first + (sy - a.second) * (b.first - a.first) / (b.second - a.second));
    }
    std::sort(xs.begin(), xs.end());
    double t = maxy > miny ? (sy - miny) / (maxy - miny) : 0;
    ARTCOLOR rowcol = SHADE(col, topbright + (bottombright - topbright) * t);
    for (size_t k = 0; k + 1 < xs.size(); k += 2)
      for (int x = static_cast<int>(std::ceil(xs[k] - 0.5)); x <= static_cast<int>(std::floor(xs[k + 1] - 0.5)); x++)
        PUT(c, x, y, rowcol);
  }
}

// Thick line with round ends.
inline void LINE(CANVAS& c, double x1, double y1, double x2, double y2, double width, ARTCOLOR col) {
  double r = width / 2.0;
  int minx = static_cast<int>(std::floor(std::min(x1, x2) - r - 1)), maxx = static_cast<int>(std::ceil(std::max(x1, x2) + r + 1));
  int miny = static_cast<int>(std::floor(std::min(y1, y2) - r - 1)), maxy = static_cast<int>(std::ceil(std::max(y1, y2) + r + 1));
  double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
  for (int y = miny; y <= maxy; y++)
    for (int x = minx; x <= maxx; x++) {
      double px = x + 0.5 - x1, py = y + 0.5 - y1;
      double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0;
      double ex = px - t * dx, ey = py - t * dy;
      if (ex * ex + ey * ey <= r * r) PUT(c, x, y, col);
    }
}

// A one-pixel near-black outline around everything drawn (8-neighbourhood),
// so sprites read on any floor.
inline void OUTLINE(CANVAS& c, ARTCOLOR col = OUTLINECOLOR) {
  std::vector<uint8_t> mark(c.W * c.H, 0);
  for (int y = 0; y < c.H; y++)
    for (int x = 0; x < c.W; x++) {
      if (SET(c, x, y)) continue;
      for (int dy = -1; dy <= 1 && !mark[y * c.W + x]; dy++)
        for (int dx = -1; dx <= 1; dx++)
          if (SET(c, x + dx, y + dy)) { mark[y * c.W + x] = 1; break; }
    }
  for (int y = 0; y < c.H; y++)
    for (int x = 0; x < c.W; x++)
      if (mark[y * c.W + x]) PUT(c, x, y, col);
}

// Mirror left-right (for drawings made facing the other way).
inline CANVAS MIRRORED(const CANVAS& c) {
  CANVAS m = MAKECANVAS(c.W, c.H);
  for (int y = 0; y < c.H; y++)
    for (int x = 0; x < c.W; x++)
      if (SET(c, x, y)) PUT(m, c.W - 1 - x, y, AT(c, x, y));
  return m;
}

// Nearest-neighbour enlargement by an integer factor.
inline CANVAS SCALEUP(const CANVAS& c, int f) {
  CANVAS s = MAKECANVAS(c.W * f, c.H * f);
  for (int y = 0; y < s.H; y++)
    for (int x = 0; x < s.W; x++)
      if (SET(c, x / f, y / f)) PUT(s, x, y, AT(c, x / f, y / f));
  return s;
}

// Copies src onto dst at (ox, oy); transparent pixels of src leave dst alone.
inline void STAMP(CANVAS& dst, const CANVAS& src, int ox, int oy) {
  for (int y = 0; y < src.H; y++)
    for (int x = 0; x < src.W; x++)
      if (SET(src, x, y)) PUT(dst, ox + x, oy + y, AT(src, x, y));
}

// Periodic value noise: smooth noise of the given cell size that repeats
// every PERIOD cells, so a texture built from it tiles without seams.
inline double LATTICE(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 65535.0;
}

inline double VNOISE(double x, double y, int period, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  double fx = x - xi, fy = y - yi;
  auto w = [period](int v) { return ((v % period) + period) % period; };
  double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  double a = LATTICE(w(xi), w(yi), seed), b = LATTICE(w(xi + 1), w(yi), seed);
  double c = LATTICE(w(xi), w(yi + 1), seed), d = LATTICE(w(xi + 1), w(yi + 1), seed);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Fractal noise over a square texture of SIZE pixels, seamless: octave k has
// cells of SIZE / (BASE * 2^k) pixels. Result roughly 0..1.
inline double FBM(double x, double y, int size, int base, int octaves, uint32_t seed) {
  double sum = 0, amp = 1, norm = 0;
  int period = base;
  for (int k = 0; k < octaves; k++) {
    double cell = static_cast<double>(size) / period;
    sum += amp * VNOISE(x / cell, y / cell, period, seed + k * 101);
    norm += amp;
    amp *= 0.5;
    period *= 2;
  }
  return sum / norm;
}

// Seamless cellular (Voronoi) noise: distance to the nearest and second
// nearest of N random points placed in a wrapping square of SIZE pixels.
struct CELLPOINTS {
  std::vector<double> X, Y;
  int SIZE = 1;
};

inline CELLPOINTS MAKECELLPOINTS(int n, int size, uint32_t seed) {
  CELLPOINTS p;
  p.SIZE = size;
  ARTRANDOM r = MAKERANDOM(seed);
  for (int i = 0; i < n; i++) {
    p.X.push_back(UNIT(r) * size);
    p.Y.push_back(UNIT(r) * size);
  }
  return p;
}

inline void NEARESTCELLS(const CELLPOINTS& p, double x, double y, double& d1, double& d2, int& which) {
  d1 = d2 = 1e9;
  which = 0;
  for (size_t i = 0; i < p.X.size(); i++) {
    double dx = std::fabs(x - p.X[i]), dy = std::fabs(y - p.Y[i]);
    if (dx > p.SIZE / 2.0) dx = p.SIZE - dx;
    if (dy > p.SIZE / 2.0) dy = p.SIZE - dy;
    double d = std::sqrt(dx * dx + dy * dy);
    if (d < d1) { d2 = d1; d1 = d; which = static_cast<int>(i); }
    else if (d < d2) d2 = d;
  }
}

// Writes a canvas into a glyph image of IW x IH pixels at (OX, OY). Pixels
// that are drawn never come out as pure black (that is the transparent key);
// undrawn pixels are pure black.
inline IMAGE TOIMAGE(const CANVAS& c, int iw, int ih, int ox = 0, int oy = 0) {
  IMAGE img;
  img.W = iw;
  img.H = ih;
  img.RGBA.assign(static_cast<size_t>(iw) * ih * 4, 0);
  for (size_t k = 3; k < img.RGBA.size(); k += 4) img.RGBA[k] = 255;
  for (int y = 0; y < c.H; y++)
    for (int x = 0; x < c.W; x++) {
      if (!SET(c, x, y)) continue;
      int tx = ox + x, ty = oy + y;
      if (tx < 0 || ty < 0 || tx >= iw || ty >= ih) continue;
      uint8_t* p = &img.RGBA[(static_cast<size_t>(ty) * iw + tx) * 4];
      ARTCOLOR col = AT(c, x, y);
      if (col.R + col.G + col.B < 12) col = ARTCOLOR{std::max(col.R, 6), std::max(col.G, 6), std::max(col.B, 6)};
      p[0] = static_cast<uint8_t>(col.R);
      p[1] = static_cast<uint8_t>(col.G);
      p[2] = static_cast<uint8_t>(col.B);
    }
  return img;
}
