// Renders the desktop icon from the game's own player glyph: the standing
// player frame of the modern glyph set, centred on a dark round-cornered
// tile and scaled up by whole pixels (no smoothing), one PNG per icon size.
//
//   make_icon [GLYPH.png] [OUTFOLDER]
// writes OUTFOLDER/NxN/apps/ashenreach.png for N = 16, 32, 48, 64, 128, 256.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "display/backend.h"

namespace {
const int SIZES[] = {16, 32, 48, 64, 128, 256};

// The glyph placed on a square canvas of side S: the background tile with a
// one-pixel rim, the glyph scaled by the largest whole factor that fits
// (fractional sampling below 24 pixels) and centred.
IMAGE ICONOF(const IMAGE& g, int s) {
  IMAGE out;
  out.W = out.H = s;
  out.RGBA.assign(size_t(s) * s * 4, 0);
  int r = std::max(2, s / 8);  // corner radius
  for (int y = 0; y < s; y++)
    for (int x = 0; x < s; x++) {
      int cx = std::clamp(x, r, s - 1 - r), cy = std::clamp(y, r, s - 1 - r);
      int dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy > r * r) continue;
      uint8_t* p = &out.RGBA[(size_t(y) * s + x) * 4];
      bool rim = x == 0 || y == 0 || x == s - 1 || y == s - 1 || dx * dx + dy * dy > (r - 1) * (r - 1);
      p[0] = rim ? 90 : 24;
      p[1] = rim ? 70 : 22;
      p[2] = rim ? 40 : 30;
      p[3] = 255;
    }
  // Room for the glyph: the tile less a margin of 1/16 on each side.
  int room = s - 2 * std::max(1, s / 16);
  double scale = std::min(double(room) / g.W, double(room) / g.H);
  if (scale >= 1) scale = std::floor(scale);
  int w = std::max(1, int(g.W * scale)), h = std::max(1, int(g.H * scale));
  int ox = (s - w) / 2, oy = (s - h) / 2;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int gx = std::min(g.W - 1, int(x / scale)), gy = std::min(g.H - 1, int(y / scale));
      const uint8_t* q = &g.RGBA[(size_t(gy) * g.W + gx) * 4];
      if (q[3] < 128) continue;
      // Pure black is the glyph set's see-through colour.
      if (q[0] == 0 && q[1] == 0 && q[2] == 0) continue;
      uint8_t* p = &out.RGBA[(size_t(y + oy) * s + (x + ox)) * 4];
      p[0] = q[0];
      p[1] = q[1];
      p[2] = q[2];
      p[3] = 255;
    }
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  std::string glyph = argc > 1 ? argv[1] : "data/GFX/NORM/130.png";
  std::string outdir = argc > 2 ? argv[2] : "packaging/icons";
  IMAGE g;
  if (!LOADIMAGEFILE(glyph, g) || g.W <= 0 || g.H <= 0) {
    std::fprintf(stderr, "make_icon: cannot read the glyph image %s\n", glyph.c_str());
    return 1;
  }
  for (int s : SIZES) {
    std::string dir = outdir + "/" + std::to_string(s) + "x" + std::to_string(s) + "/apps";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string f = dir + "/ashenreach.png";
    if (!SAVEPNGFILE(f, ICONOF(g, s))) {
      std::fprintf(stderr, "make_icon: cannot write %s\n", f.c_str());
      return 1;
    }
    std::printf("%s\n", f.c_str());
  }
  return 0;
}
