// PC console fonts (PSF version 1 and 2 with a Unicode table): parsing and
// dot look-up, for the plain glyph set generator.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One loaded console font: bitmaps of WIDTH x HEIGHT dots and the Unicode map.
struct CONSOLEFONT {
  std::string PATH;
  int WIDTH = 0, HEIGHT = 0, BYTESPERGLYPH = 0, COUNT = 0;
  std::vector<uint8_t> BITMAPS;
  std::map<uint32_t, int> GLYPHOF;  // Unicode character -> glyph index
};

inline uint32_t PSFLE32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

// Decodes one UTF-8 character at d[i]; advances i. Returns 0xFFFFFFFF on a bad byte.
inline uint32_t PSFUTF8AT(const std::vector<uint8_t>& d, size_t& i, size_t end) {
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

// Parses a PSF1 or PSF2 font held in D. On failure ERROR says what is wrong
// (the caller names the file).
inline bool PARSECONSOLEFONT(const std::vector<uint8_t>& d, CONSOLEFONT& font, std::string& error) {
  font = CONSOLEFONT();
  error.clear();
  size_t table = 0;
  bool psf2 = false;
  if (d.size() >= 4 && d[0] == 0x36 && d[1] == 0x04) {
    int mode = d[2];
    font.WIDTH = 8;
    font.HEIGHT = d[3];
    font.BYTESPERGLYPH = d[3];
    font.COUNT = (mode & 1) ? 512 : 256;
    if (!(mode & 6)) {
      error = "has no Unicode table";
      return false;
    }
    table = 4 + static_cast<size_t>(font.COUNT) * font.BYTESPERGLYPH;
    if (font.HEIGHT == 0 || d.size() < table) {
      error = "is truncated";
      return false;
    }
    font.BITMAPS.assign(d.begin() + 4, d.begin() + static_cast<long>(table));
  } else if (d.size() >= 32 && PSFLE32(d, 0) == 0x864AB572u) {
    psf2 = true;
    uint32_t header = PSFLE32(d, 8), flags = PSFLE32(d, 12), count = PSFLE32(d, 16), size = PSFLE32(d, 20);
    uint32_t height = PSFLE32(d, 24), width = PSFLE32(d, 28);
    if (!(flags & 1)) {
      error = "has no Unicode table";
      return false;
    }
    if (width == 0 || width > 32 || height == 0 || height > 64 || count == 0 || count > 65536 ||
        size != (width + 7) / 8 * height || header < 32) {
      error = "has an unusable header";
      return false;
    }
    font.WIDTH = static_cast<int>(width);
    font.HEIGHT = static_cast<int>(height);
    font.BYTESPERGLYPH = static_cast<int>(size);
    font.COUNT = static_cast<int>(count);
    table = header + static_cast<size_t>(count) * size;
    if (d.size() < table) {
      error = "is truncated";
      return false;
    }
    font.BITMAPS.assign(d.begin() + header, d.begin() + static_cast<long>(table));
  } else {
    error = "is not a PSF console font";
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
        uint32_t u = PSFUTF8AT(d, i, d.size());
        if (!inseq && u != 0xFFFFFFFF) font.GLYPHOF.emplace(u, g);
      }
    }
  }
  if (font.GLYPHOF.empty()) {
    error = "has an empty Unicode table";
    return false;
  }
  return true;
}

inline bool DOTSET(const CONSOLEFONT& f, int glyph, int x, int y) {
  if (x < 0 || y < 0 || x >= f.WIDTH || y >= f.HEIGHT) return false;
  int rowbytes = (f.WIDTH + 7) / 8;
  size_t at = static_cast<size_t>(glyph) * f.BYTESPERGLYPH + static_cast<size_t>(y) * rowbytes + x / 8;
  if (at >= f.BITMAPS.size()) return false;
  return (f.BITMAPS[at] >> (7 - x % 8)) & 1;
}

