// Writes the plain glyph set data/GFX/ASCII/32.png .. 256.png from a PC console
// font (PSF version 1 or 2 with a Unicode table, gzip-compressed or not).
//
// Every code 32..255 is looked up in the code-page table below to get its
// Unicode character, then in the font's Unicode table to get the bitmap. The
// default font is the 8x16 VGA font of Debian's console-setup-linux package;
// later fonts on the command line fill characters the first one lacks.
//
// Geometry: the renderer shows only the left three quarters of an ordinary
// glyph image across a cell. A text-mode character cell is 9 x 16 dots: the 8
// font columns plus a ninth column that is blank, except for the line-drawing
// codes 192..223, which repeat the eighth column so lines and blocks join.
// Each dot becomes 2 x 2 pixels, so the 9 visible columns are 18 pixels, and
// 18 is three quarters of a 24 pixel wide image: the image is 24 x 32 with the
// right 6 columns black. (24 and 32 are neither 64 nor 192 or more, so no
// image is taken for a large sheet.) Code 256 is a solid white 24 x 32 tile.
// Glyph dots are white (255, 255, 255), everything else pure black, which the
// renderer treats as transparent.
//
// Usage: make_ascii_glyphs [--out DIR] [--copy-to DIR] [FONT ...]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "codepage.h"
#include "display/backend.h"

static uint32_t UNICODEOF(int code) { return CP437UNICODE(code); }

// One loaded console font: bitmaps of WIDTH x HEIGHT dots and the Unicode map.
struct CONSOLEFONT {
  std::string PATH;
  int WIDTH = 0, HEIGHT = 0, BYTESPERGLYPH = 0, COUNT = 0;
  std::vector<uint8_t> BITMAPS;
  std::map<uint32_t, int> GLYPHOF;  // Unicode character -> glyph index
};

static bool READWHOLEFILE(const std::string& path, std::vector<uint8_t>& data) {
  data.clear();
  FILE* f = nullptr;
  bool piped = path.size() > 3 && path.compare(path.size() - 3, 3, ".gz") == 0;
  if (piped) {
    // The path goes to the shell in single quotes; refuse one that holds a quote.
    if (path.find('\'') != std::string::npos) return false;
    std::string cmd = "gzip -dc '" + path + "' 2>/dev/null";
    f = popen(cmd.c_str(), "r");
  } else {
    f = std::fopen(path.c_str(), "rb");
  }
  if (!f) return false;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
  int rc = piped ? pclose(f) : std::fclose(f);
  return rc == 0 && !data.empty();
}

static uint32_t LE32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

// Decodes one UTF-8 character at d[i]; advances i. Returns 0xFFFFFFFF on a bad byte.
static uint32_t UTF8AT(const std::vector<uint8_t>& d, size_t& i, size_t end) {
  uint8_t c = d[i++];
  int more = 0;
  uint32_t v;
  if (c < 0x80) return c;
  if ((c & 0xE0) == 0xC0) { v = c & 0x1F; more = 1; }
  else if ((c & 0xF0) == 0xE0) { v = c & 0x0F; more = 2; }
  else if ((c & 0xF8) == 0xF0) { v = c & 0x07; more = 3; }
  else return 0xFFFFFFFF;
  while (more-- > 0) {
    if (i >= end || (d[i] & 0xC0) != 0x80) return 0xFFFFFFFF;
    v = (v << 6) | (d[i++] & 0x3F);
  }
  return v;
}

// Reads a PSF1 or PSF2 font. On failure prints what is wrong with which file.
static bool LOADCONSOLEFONT(const std::string& path, CONSOLEFONT& font) {
  std::vector<uint8_t> d;
  font = CONSOLEFONT();
  font.PATH = path;
  if (!READWHOLEFILE(path, d)) {
    std::fprintf(stderr, "make_ascii_glyphs: cannot read font file %s\n", path.c_str());
    return false;
  }
  size_t table = 0;
  bool psf2 = false;
  if (d.size() >= 4 && d[0] == 0x36 && d[1] == 0x04) {
    int mode = d[2];
    font.WIDTH = 8;
    font.HEIGHT = d[3];
    font.BYTESPERGLYPH = d[3];
    font.COUNT = (mode & 1) ? 512 : 256;
    if (!(mode & 6)) {
      std::fprintf(stderr, "make_ascii_glyphs: %s has no Unicode table\n", path.c_str());
      return false;
    }
    table = 4 + static_cast<size_t>(font.COUNT) * font.BYTESPERGLYPH;
    if (font.HEIGHT == 0 || d.size() < table) {
      std::fprintf(stderr, "make_ascii_glyphs: %s is truncated\n", path.c_str());
      return false;
    }
    font.BITMAPS.assign(d.begin() + 4, d.begin() + static_cast<long>(table));
  } else if (d.size() >= 32 && LE32(d, 0) == 0x864AB572u) {
    psf2 = true;
    uint32_t header = LE32(d, 8), flags = LE32(d, 12), count = LE32(d, 16), size = LE32(d, 20);
    uint32_t height = LE32(d, 24), width = LE32(d, 28);
    if (!(flags & 1)) {
      std::fprintf(stderr, "make_ascii_glyphs: %s has no Unicode table\n", path.c_str());
      return false;
    }
    if (width == 0 || width > 32 || height == 0 || height > 64 || count == 0 || count > 65536 ||
        size != (width + 7) / 8 * height || header < 32) {
      std::fprintf(stderr, "make_ascii_glyphs: %s has an unusable header\n", path.c_str());
      return false;
    }
    font.WIDTH = static_cast<int>(width);
    font.HEIGHT = static_cast<int>(height);
    font.BYTESPERGLYPH = static_cast<int>(size);
    font.COUNT = static_cast<int>(count);
    table = header + static_cast<size_t>(count) * size;
    if (d.size() < table) {
      std::fprintf(stderr, "make_ascii_glyphs: %s is truncated\n", path.c_str());
      return false;
    }
    font.BITMAPS.assign(d.begin() + header, d.begin() + static_cast<long>(table));
  } else {
    std::fprintf(stderr, "make_ascii_glyphs: %s is not a PSF console font\n", path.c_str());
    return false;
  }

  // Unicode table: one entry list per glyph. Only single characters are used;
  // combining sequences (after the sequence marker) are skipped.
  size_t i = table;
  for (int g = 0; g < font.COUNT && i < d.size(); g++) {
    bool inseq = false;
    if (!psf2) {
      while (i + 1 < d.size()) {
        uint16_t u = static_cast<uint16_t>(d[i] | (d[i + 1] << 8));
        i += 2;
        if (u == 0xFFFF) break;
        if (u == 0xFFFE) { inseq = true; continue; }
        if (!inseq) font.GLYPHOF.emplace(u, g);
      }
    } else {
      while (i < d.size()) {
        if (d[i] == 0xFF) { i++; break; }
        if (d[i] == 0xFE) { inseq = true; i++; continue; }
        uint32_t u = UTF8AT(d, i, d.size());
        if (!inseq && u != 0xFFFFFFFF) font.GLYPHOF.emplace(u, g);
      }
    }
  }
  if (font.GLYPHOF.empty()) {
    std::fprintf(stderr, "make_ascii_glyphs: %s has an empty Unicode table\n", path.c_str());
    return false;
  }
  return true;
}

static bool DOTSET(const CONSOLEFONT& f, int glyph, int x, int y) {
  if (x < 0 || y < 0 || x >= f.WIDTH || y >= f.HEIGHT) return false;
  int rowbytes = (f.WIDTH + 7) / 8;
  size_t at = static_cast<size_t>(glyph) * f.BYTESPERGLYPH + static_cast<size_t>(y) * rowbytes + x / 8;
  if (at >= f.BITMAPS.size()) return false;
  return (f.BITMAPS[at] >> (7 - x % 8)) & 1;
}

constexpr int DOTW = 9, DOTH = 16, SCALE = 2;
constexpr int IMGW = 24, IMGH = 32;  // DOTW * SCALE is three quarters of IMGW

static void SETPIXEL(IMAGE& img, int x, int y, uint8_t v) {
  if (x < 0 || y < 0 || x >= img.W || y >= img.H) return;
  uint8_t* p = &img.RGBA[(static_cast<size_t>(y) * img.W + x) * 4];
  p[0] = p[1] = p[2] = v;
  p[3] = 255;
}

static IMAGE BLANKIMAGE(uint8_t v) {
  IMAGE img;
  img.W = IMGW;
  img.H = IMGH;
  img.RGBA.assign(static_cast<size_t>(IMGW) * IMGH * 4, 0);
  for (int y = 0; y < IMGH; y++)
    for (int x = 0; x < IMGW; x++) SETPIXEL(img, x, y, v);
  return img;
}

// Draws the font's glyph g into a 9 x 16 dot cell; a font of other height is
// centred vertically (cropped when taller).
static IMAGE GLYPHIMAGE(const CONSOLEFONT& f, int g, int code) {
  IMAGE img = BLANKIMAGE(0);
  int top = (DOTH - f.HEIGHT) / 2;
  bool ninth = code >= 192 && code <= 223;
  for (int y = 0; y < DOTH; y++)
    for (int x = 0; x < DOTW; x++) {
      int fx = x, fy = y - top;
      bool on = x < 8 ? DOTSET(f, g, fx, fy) : (ninth && DOTSET(f, g, 7, fy));
      if (!on) continue;
      for (int sy = 0; sy < SCALE; sy++)
        for (int sx = 0; sx < SCALE; sx++) SETPIXEL(img, x * SCALE + sx, y * SCALE + sy, 255);
    }
  return img;
}

int main(int argc, char** argv) {
  std::string outdir = std::string(ASHEN_SOURCE_DATA) + "/GFX/ASCII";
  std::vector<std::string> copyto;
  std::vector<std::string> fontpaths;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--out" && i + 1 < argc) outdir = argv[++i];
    else if (a == "--copy-to" && i + 1 < argc) copyto.push_back(argv[++i]);
    else fontpaths.push_back(a);
  }
  if (fontpaths.empty()) {
    // The "Full" VGA fonts hold the complete block-element and double-line
    // ranges (the smaller sets draw double lines as single ones); the Uni2 font
    // of the same design fills in any Latin letter they lack.
    fontpaths.push_back("/usr/share/consolefonts/FullGreek-VGA16.psf.gz");
    fontpaths.push_back("/usr/share/consolefonts/Uni2-VGA16.psf.gz");
    fontpaths.push_back("/usr/share/consolefonts/FullCyrSlav-VGA16.psf.gz");
  }
  std::vector<CONSOLEFONT> fonts;
  for (const std::string& p : fontpaths) {
    CONSOLEFONT f;
    if (LOADCONSOLEFONT(p, f)) fonts.push_back(std::move(f));
  }
  if (fonts.empty()) {
    std::fprintf(stderr, "make_ascii_glyphs: no usable font (install console-setup-linux)\n");
    return 1;
  }
  if (fonts[0].WIDTH != 8) {
    std::fprintf(stderr, "make_ascii_glyphs: %s is %d dots wide, an 8-dot font is needed\n",
                 fonts[0].PATH.c_str(), fonts[0].WIDTH);
    return 1;
  }

  int missing = 0, written = 0;
  std::vector<std::string> outs = {outdir};
  outs.insert(outs.end(), copyto.begin(), copyto.end());
  for (int code = 32; code <= 256; code++) {
    IMAGE img;
    if (code == 256) {
      img = BLANKIMAGE(255);
    } else {
      uint32_t u = UNICODEOF(code);
      const CONSOLEFONT* from = nullptr;
      int g = -1;
      for (const CONSOLEFONT& f : fonts) {
        auto it = f.GLYPHOF.find(u);
        if (it != f.GLYPHOF.end() && f.WIDTH == 8) { from = &f; g = it->second; break; }
      }
      if (!from) {
        // The no-break space (255) and anything the fonts lack stay blank.
        if (code != 255) {
          std::fprintf(stderr, "make_ascii_glyphs: no glyph for code %d (U+%04X)\n", code, u);
          missing++;
        }
        img = BLANKIMAGE(0);
      } else {
        img = GLYPHIMAGE(*from, g, code);
      }
    }
    for (const std::string& dir : outs) {
      std::string path = dir + "/" + std::to_string(code) + ".png";
      if (!SAVEPNGFILE(path, img)) {
        std::fprintf(stderr, "make_ascii_glyphs: cannot write %s\n", path.c_str());
        return 1;
      }
      written++;
    }
  }
  std::printf("make_ascii_glyphs: wrote %d files from %s (%d codes without a glyph)\n", written,
              fonts[0].PATH.c_str(), missing);
  return missing == 0 ? 0 : 2;
}
