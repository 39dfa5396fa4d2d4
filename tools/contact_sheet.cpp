// Contact sheet of a glyph set: every code 32..256 drawn at cell scale in a
// grid of 16 columns, each cell with its code printed underneath, large sheets
// also shown whole on a second page. Used to review the art.
//
// Usage: contact_sheet [--set NORM|ASCII] [--data DIR] [--cell WxH] [--tint C] OUT.png
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/backend.h"

static IMAGE GLYPHS[257];
static bool HAVE[257];

static void PUT(IMAGE& img, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  if (x < 0 || y < 0 || x >= img.W || y >= img.H) return;
  uint8_t* p = &img.RGBA[(static_cast<size_t>(y) * img.W + x) * 4];
  p[0] = r; p[1] = g; p[2] = b; p[3] = 255;
}

static bool ISLARGE(const IMAGE& g) {
  return g.W == 64 || g.H == 64 || g.W >= 192 || g.H >= 192;
}

// Draws part (u1,v1)-(u2,v2) of glyph src, tinted, into the rectangle (x,y,w,h)
// with nearest sampling; pure black is transparent.
static void BLIT(IMAGE& dst, const IMAGE& src, int x, int y, int w, int h, double u1, double v1,
                 double u2, double v2, const uint8_t tint[3]) {
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) {
      double u = u1 + (u2 - u1) * (i + 0.5) / w, v = v1 + (v2 - v1) * (j + 0.5) / h;
      int sx = static_cast<int>(u * src.W), sy = static_cast<int>(v * src.H);
      if (sx < 0 || sy < 0 || sx >= src.W || sy >= src.H) continue;
      const uint8_t* p = &src.RGBA[(static_cast<size_t>(sy) * src.W + sx) * 4];
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
      PUT(dst, x + i, y + j, p[0] * tint[0] / 255, p[1] * tint[1] / 255, p[2] * tint[2] / 255);
    }
}

// Prints a number with the set's own digit glyphs, 8 x 12 pixels a digit.
static void NUMBER(IMAGE& dst, int x, int y, int n) {
  static const uint8_t white[3] = {255, 255, 0};
  std::string s = std::to_string(n);
  for (size_t k = 0; k < s.size(); k++) {
    int c = s[k];
    if (HAVE[c] && !ISLARGE(GLYPHS[c]))
      BLIT(dst, GLYPHS[c], x + static_cast<int>(k) * 8, y, 8, 12, 0, 0, 0.75, 1, white);
  }
}

int main(int argc, char** argv) {
  std::string set = "NORM", data = ASHEN_SOURCE_DATA, out;
  int cw = 48, ch = 64;
  uint8_t tint[3] = {255, 255, 255};
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--set" && i + 1 < argc) set = argv[++i];
    else if (a == "--data" && i + 1 < argc) data = argv[++i];
    else if (a == "--cell" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &cw, &ch) != 2 || cw < 4 || ch < 4 || cw > 256 ||
          ch > 256) {
        std::fprintf(stderr, "contact_sheet: bad --cell value\n");
        return 1;
      }
    } else if (a == "--tint" && i + 1 < argc) {
      unsigned v = 0;
      std::sscanf(argv[++i], "%x", &v);
      tint[0] = (v >> 16) & 255; tint[1] = (v >> 8) & 255; tint[2] = v & 255;
    } else out = a;
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: contact_sheet [--set NORM|ASCII] [--data DIR] [--cell WxH] OUT.png\n");
    return 1;
  }
  int missing = 0;
  std::vector<int> large;
  for (int c = 32; c <= 256; c++) {
    std::string p = data + "/GFX/" + set + "/" + std::to_string(c) + ".png";
    HAVE[c] = LOADIMAGEFILE(p, GLYPHS[c]);
    if (!HAVE[c]) { std::fprintf(stderr, "contact_sheet: missing %s\n", p.c_str()); missing++; }
    else if (ISLARGE(GLYPHS[c])) large.push_back(c);
  }
  // Page 1: the grid. Page 2 below it: each large sheet whole, 1 pixel per pixel
  // scaled to half, with its tile grid marked.
  const int cols = 16, rows = (257 - 32 + cols - 1) / cols;
  int gw = cw + 8, gh = ch + 16;
  int sheetw = cols * gw;
  int largeh = 0, lx = 0, rowh = 0;
  for (int c : large) {
    int w = GLYPHS[c].W / 2, h = GLYPHS[c].H / 2;
    if (lx + w + 8 > sheetw) { largeh += rowh + 24; lx = 0; rowh = 0; }
    lx += w + 8;
    rowh = std::max(rowh, h);
  }
  largeh += rowh + 24;
  IMAGE img;
  img.W = sheetw;
  img.H = rows * gh + largeh + 8;
  img.RGBA.assign(static_cast<size_t>(img.W) * img.H * 4, 0);
  for (size_t k = 3; k < img.RGBA.size(); k += 4) img.RGBA[k] = 255;
  for (int c = 32; c <= 256; c++) {
    int k = c - 32, gx = (k % cols) * gw + 4, gy = (k / cols) * gh + 2;
    for (int i = -1; i <= cw; i++) { PUT(img, gx + i, gy - 1, 40, 40, 60); PUT(img, gx + i, gy + ch, 40, 40, 60); }
    for (int j = -1; j <= ch; j++) { PUT(img, gx - 1, gy + j, 40, 40, 60); PUT(img, gx + cw, gy + j, 40, 40, 60); }
    if (HAVE[c]) {
      if (ISLARGE(GLYPHS[c])) {
        int nx = GLYPHS[c].W / 64, ny = GLYPHS[c].H / 64;
        if (nx < 1) nx = 1;
        if (ny < 1) ny = 1;
        BLIT(img, GLYPHS[c], gx, gy, cw, ch, 0, 0, 1.0 / nx, 1.0 / ny, tint);
      } else {
        BLIT(img, GLYPHS[c], gx, gy, cw, ch, 0, 0, 0.75, 1, tint);
      }
    }
    NUMBER(img, gx, gy + ch + 2, c);
  }
  lx = 0;
  int ly = rows * gh + 8;
  rowh = 0;
  for (int c : large) {
    int w = GLYPHS[c].W / 2, h = GLYPHS[c].H / 2;
    if (lx + w + 8 > sheetw) { ly += rowh + 24; lx = 0; rowh = 0; }
    BLIT(img, GLYPHS[c], lx + 4, ly, w, h, 0, 0, 1, 1, tint);
    for (int i = 0; i < w; i += 32)
      for (int j = 0; j < h; j++) PUT(img, lx + 4 + i, ly + j, 90, 0, 90);
    for (int j = 0; j < h; j += 32)
      for (int i = 0; i < w; i++) PUT(img, lx + 4 + i, ly + j, 90, 0, 90);
    NUMBER(img, lx + 4, ly + h + 4, c);
    lx += w + 8;
    rowh = std::max(rowh, h);
  }
  if (!SAVEPNGFILE(out, img)) {
    std::fprintf(stderr, "contact_sheet: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("contact_sheet: %s set, %d large sheets, %d missing -> %s\n", set.c_str(),
              static_cast<int>(large.size()), missing, out.c_str());
  return missing ? 2 : 0;
}
