// Draws docs/sounds.png: one row per sound file of the game with its slots,
// name, length and role, its waveform and its spectrogram, so that a reviewer
// can compare the sounds at a glance.
//
// Waveform: the dim band is the shape scaled to the row, the bright band the
// true level (full scale fills the row), so quiet files look quiet. The grey
// lines mark -1 dBFS. Spectrogram: 40 Hz .. 11 kHz on a logarithmic scale
// upward, -90 .. 0 dB from black through purple and orange to yellow. Each
// file is stretched to the width of its column; the label gives its length.
//
// Usage: sound_sheet [--data DIR] [--level-music] [--rows FIRST LAST] [OUT.png]
// (default: the game's data folder, every row, docs/sounds.png beside the data
// folder; --rows draws only entries FIRST..LAST of the table, counted from 1;
// --level-music draws the campaign's per-level idle music into
// docs/level_music.png instead)
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/catalogue.h"
#include "audio/oggio.h"
#include "display/backend.h"

namespace {

constexpr int ROWH = 44, LABELW = 400, WAVEW = 430, GRAMW = 430, GAP = 10;
constexpr int WIDTH = LABELW + WAVEW + GRAMW + 4 * GAP;

struct CANVAS {
  IMAGE IMG;
  void INIT(int w, int h) {
    IMG.W = w;
    IMG.H = h;
    IMG.RGBA.assign(static_cast<size_t>(w) * h * 4, 0);
    for (size_t i = 3; i < IMG.RGBA.size(); i += 4) IMG.RGBA[i] = 255;
  }
  void PUT(int x, int y, int r, int g, int b) {
    if (x < 0 || y < 0 || x >= IMG.W || y >= IMG.H) return;
    uint8_t* p = &IMG.RGBA[(static_cast<size_t>(y) * IMG.W + x) * 4];
    p[0] = static_cast<uint8_t>(r);
    p[1] = static_cast<uint8_t>(g);
    p[2] = static_cast<uint8_t>(b);
  }
  void FILL(int x, int y, int w, int h, int r, int g, int b) {
    for (int j = y; j < y + h; j++)
      for (int i = x; i < x + w; i++) PUT(i, j, r, g, b);
  }
};

// Text from the plain glyph set: each glyph image is 24 x 32 with the cell in
// the left 18 columns; drawn at half size (9 x 16).
struct FONT {
  std::vector<IMAGE> GLYPH;
  bool LOAD(const std::string& data) {
    GLYPH.assign(256, IMAGE());
    int got = 0;
    for (int c = 32; c < 256; c++)
      if (LOADIMAGEFILE(data + "/GFX/ASCII/" + std::to_string(c) + ".png", GLYPH[c])) got++;
    return got > 90;
  }
  void TEXT(CANVAS& cv, int x, int y, const std::string& s, int r, int g, int b, int maxw) const {
    for (unsigned char ch : s) {
      if (x + 9 > maxw) return;
      const IMAGE& gi = GLYPH[ch];
      if (gi.W >= 18 && gi.H >= 32)
        for (int j = 0; j < 16; j++)
          for (int i = 0; i < 9; i++) {
            const uint8_t* p = &gi.RGBA[(static_cast<size_t>(j * 2) * gi.W + i * 2) * 4];
            if (p[0] > 128 && p[3] > 128) cv.PUT(x + i, y + j, r, g, b);
          }
      x += 9;
    }
  }
};

void FFT(std::vector<std::complex<double>>& a) {
  size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; i++) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    double ang = -TWOPI / static_cast<double>(len);
    std::complex<double> wl(std::cos(ang), std::sin(ang));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t k = 0; k < len / 2; k++) {
        auto u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

void HEAT(double u, int& r, int& g, int& b) {  // 0..1 -> black, purple, orange, yellow
  u = std::clamp(u, 0.0, 1.0);
  r = static_cast<int>(255 * std::min(1.0, u * 1.6));
  g = static_cast<int>(255 * std::clamp((u - 0.45) * 1.8, 0.0, 1.0));
  b = static_cast<int>(255 * std::clamp(u < 0.35 ? u * 2.2 : (0.7 - u) * 2.0, 0.0, 0.8));
}

void DRAWROW(CANVAS& cv, const FONT& font, int y, const SOUNDFILEDEF& def, const SOUNDBUF& s) {
  if ((y / ROWH) % 2) cv.FILL(0, y, WIDTH, ROWH, 14, 14, 20);
  long n = s.FRAMES();
  std::vector<float> mono(n);
  for (long i = 0; i < n; i++) {
    double v = 0;
    for (int c = 0; c < s.CHANNELS; c++) v += s.S[i * s.CHANNELS + c];
    mono[i] = static_cast<float>(v / s.CHANNELS);
  }
  double peak = PEAKOF(s);
  char line[160];
  std::snprintf(line, sizeof line, "%-6s %s", def.SLOTS, def.FILE);
  font.TEXT(cv, GAP, y + 4, line, 240, 240, 240, LABELW);
  std::snprintf(line, sizeof line, "%.1fs %s%s %.0fdB %s", n / static_cast<double>(AUDIORATE),
                s.CHANNELS == 2 ? "st" : "mo", def.LOOP ? " loop" : "", 20 * std::log10(std::max(peak, 1e-9)), def.ROLE);
  font.TEXT(cv, GAP, y + 23, line, 150, 170, 190, LABELW);

  int wx = LABELW + 2 * GAP, mid = y + ROWH / 2, half = ROWH / 2 - 3;
  cv.FILL(wx, y + 2, WAVEW, ROWH - 4, 0, 0, 0);
  double lim = std::pow(10.0, -1.0 / 20.0);
  for (int x = 0; x < WAVEW; x++) {
    long a = n * x / WAVEW, z = std::max(a + 1, n * (x + 1) / WAVEW);
    float lo = 0, hi = 0;
    for (long i = a; i < z && i < n; i++) lo = std::min(lo, mono[i]), hi = std::max(hi, mono[i]);
    double k = peak > 0 ? 1.0 / peak : 1.0;
    for (int j = static_cast<int>(mid - hi * k * half); j <= mid - lo * k * half; j++) cv.PUT(wx + x, j, 30, 70, 60);
    for (int j = static_cast<int>(mid - hi * half); j <= mid - lo * half; j++) cv.PUT(wx + x, j, 90, 230, 150);
    cv.PUT(wx + x, static_cast<int>(mid - lim * half), 70, 70, 70);
    cv.PUT(wx + x, static_cast<int>(mid + lim * half), 70, 70, 70);
  }

  int sx = wx + WAVEW + GAP, sh = ROWH - 4;
  const int win = 512;
  std::vector<double> hann(win);
  for (int i = 0; i < win; i++) hann[i] = 0.5 - 0.5 * std::cos(TWOPI * i / (win - 1));
  for (int x = 0; x < GRAMW; x++) {
    long c = n * (2 * x + 1) / (2 * GRAMW);
    std::vector<std::complex<double>> a(win);
    for (int i = 0; i < win; i++) {
      long k = c - win / 2 + i;
      a[i] = (k >= 0 && k < n) ? mono[k] * hann[i] : 0.0;
    }
    FFT(a);
    for (int j = 0; j < sh; j++) {
      // row j from the bottom: 40 Hz .. 11 kHz, log scale
      double f0 = 40 * std::pow(11000.0 / 40, static_cast<double>(j) / sh);
      double f1 = 40 * std::pow(11000.0 / 40, static_cast<double>(j + 1) / sh);
      int b0 = static_cast<int>(f0 * win / AUDIORATE), b1 = std::max(b0 + 1, static_cast<int>(f1 * win / AUDIORATE));
      double m = 0;
      for (int bb = b0; bb < b1 && bb < win / 2; bb++) m = std::max(m, std::abs(a[bb]));
      double db = 20 * std::log10(std::max(m / (win / 4.0), 1e-9));
      int r, g, b;
      HEAT((db + 90) / 90, r, g, b);
      cv.PUT(sx + x, y + 2 + sh - 1 - j, r, g, b);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string data = ASHEN_SOURCE_DATA, out;
  bool levels = false;
  for (int i = 1; i < argc; i++)
    if (std::string(argv[i]) == "--level-music") levels = true;
  const std::vector<SOUNDFILEDEF>& table = levels ? LEVELMUSIC : SOUNDFILES;
  int first = 1, last = static_cast<int>(table.size());
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--level-music") continue;
    if (a == "--data" && i + 1 < argc) data = argv[++i];
    else if (a == "--rows" && i + 2 < argc) {
      first = std::max(1, std::atoi(argv[++i]));
      last = std::min(last, std::atoi(argv[++i]));
    }
    else if (!a.empty() && a[0] != '-') out = a;
    else {
      std::fprintf(stderr, "usage: sound_sheet [--data DIR] [--level-music] [--rows FIRST LAST] [OUT.png]\n");
      return 2;
    }
  }
  if (out.empty()) out = data + (levels ? "/../docs/level_music.png" : "/../docs/sounds.png");
  const std::string folder = data + "/" + (levels ? LEVELMUSICDIR : "sounds");
  FONT font;
  if (!font.LOAD(data)) {
    std::fprintf(stderr, "sound_sheet: no glyph images under %s/GFX/ASCII\n", data.c_str());
    return 1;
  }
  CANVAS cv;
  int rows = std::max(0, last - first + 1);
  cv.INIT(WIDTH, (rows + 1) * ROWH);
  font.TEXT(cv, GAP, 14, "slots  file / length, channels, peak, role", 255, 220, 120, LABELW);
  font.TEXT(cv, LABELW + 2 * GAP, 14, "waveform (bright: true level)", 255, 220, 120, WIDTH);
  font.TEXT(cv, LABELW + WAVEW + 3 * GAP, 14, "spectrogram 40 Hz - 11 kHz", 255, 220, 120, WIDTH);
  int row = 1;
  for (int k = first; k <= last; k++) {
    const SOUNDFILEDEF& def = table[k - 1];
    SOUNDBUF s;
    int rate = 0;
    std::string err;
    if (!DECODEOGGFILE(folder + "/" + def.FILE, s, rate, err)) {
      std::fprintf(stderr, "sound_sheet: %s/%s: %s\n", folder.c_str(), def.FILE, err.c_str());
      return 1;
    }
    DRAWROW(cv, font, row * ROWH, def, s);
    row++;
  }
  if (!SAVEPNGFILE(out, cv.IMG)) {
    std::fprintf(stderr, "sound_sheet: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %d rows\n", out.c_str(), rows);
  return 0;
}
