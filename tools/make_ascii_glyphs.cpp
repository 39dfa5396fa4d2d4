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
// Codes the game draws with a meaning of their own must not show the letter
// the code page has there: a wall, a key or a heart drawn as "Ç", "¿" or "╩"
// reads as text. Such codes take a text-mode symbol of the font that means
// the same thing (shades for rock, the middle dot for floor, a heart, a
// ring for a crater, ...), or, where the font has none, a drawing of 8 x 16
// dots in the font's own style (key, shield, scrap heap, ammunition, star,
// aiming ring). PLAINMEANING lists every such code and why.
//
// Usage: make_ascii_glyphs [--out DIR] [--copy-to DIR] [FONT ...]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "codepage.h"
#include "psffont.h"
#include "display/backend.h"

#include "plain_symbols.h"

// The character the font is asked for: the code-page character, or the one a
// code with a game meaning borrows.
static uint32_t UNICODEOF(int code) {
  const PLAINSYMBOL* p = PLAINMEANING(code);
  if (p && p->BORROWS != 0) return p->BORROWS;
  return CP437UNICODE(code);
}

// Whether the ninth dot column repeats the eighth: for the line-drawing and
// block characters, which must join their neighbours (judged by the character
// actually drawn, so a code borrowing a block joins too).
static bool NINTHCOLUMN(int code) {
  const PLAINSYMBOL* p = PLAINMEANING(code);
  const int from = p && p->BORROWSCODE != 0 ? p->BORROWSCODE : code;
  return from >= 192 && from <= 223;
}

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

// Reads a font file; on failure prints what is wrong with which file.
static bool LOADCONSOLEFONT(const std::string& path, CONSOLEFONT& font) {
  std::vector<uint8_t> d;
  if (!READWHOLEFILE(path, d)) {
    std::fprintf(stderr, "make_ascii_glyphs: cannot read font file %s\n", path.c_str());
    return false;
  }
  std::string error;
  if (!PARSECONSOLEFONT(d, font, error)) {
    std::fprintf(stderr, "make_ascii_glyphs: %s %s\n", path.c_str(), error.c_str());
    return false;
  }
  font.PATH = path;
  return true;
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
  bool ninth = NINTHCOLUMN(code);
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
    const PLAINSYMBOL* drawn = PLAINMEANING(code);
    if (code == 256) {
      img = BLANKIMAGE(255);
    } else if (drawn && drawn->DOTS) {
      img = BLANKIMAGE(0);
      for (int y = 0; y < DOTH; y++)
        for (int x = 0; x < DOTW; x++)
          if (drawn->DOTS[y][x < 8 ? x : 7] == '#' && (x < 8 || NINTHCOLUMN(code)))
            for (int sy = 0; sy < SCALE; sy++)
              for (int sx = 0; sx < SCALE; sx++) SETPIXEL(img, x * SCALE + sx, y * SCALE + sy, 255);
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
