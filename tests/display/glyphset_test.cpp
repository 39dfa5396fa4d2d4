// The committed glyph sets: every code loads in both looks, sheets have the
// tile counts the catalogue states, the tiles the game addresses hold art,
// pictures stay inside the visible three quarters, terrain tiles seamlessly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "display/backend.h"

namespace {

const std::string DATA = ASHEN_SOURCE_DATA;

// The renderer's rule: 64 pixels, or 192 and more, in either direction.
bool ISSHEET(const IMAGE& img) {
  return img.W == 64 || img.H == 64 || img.W >= 192 || img.H >= 192;
}

IMAGE LOADGLYPH(const std::string& set, int code) {
  IMAGE img;
  std::string path = DATA + "/GFX/" + set + "/" + std::to_string(code) + ".png";
  EXPECT_TRUE(LOADIMAGEFILE(path, img)) << path;
  return img;
}

bool LIT(const IMAGE& img, int x, int y) {
  const uint8_t* p = &img.RGBA[(static_cast<size_t>(y) * img.W + x) * 4];
  return p[0] != 0 || p[1] != 0 || p[2] != 0;
}

// Lit pixels inside tile (tx, ty), 1-based, of a sheet.
int LITINTILE(const IMAGE& img, int tx, int ty) {
  int n = 0;
  for (int y = (ty - 1) * 64; y < ty * 64 && y < img.H; y++)
    for (int x = (tx - 1) * 64; x < tx * 64 && x < img.W; x++) n += LIT(img, x, y);
  return n;
}

struct CATALOGUEROW {
  bool SHEET = false;
  int TX = 1, TY = 1;
};

// Reads the Kind column of docs/glyphs.md: "glyph" or "sheet N x M".
std::map<int, CATALOGUEROW> READCATALOGUE() {
  std::map<int, CATALOGUEROW> rows;
  std::ifstream f(DATA + "/../docs/glyphs.md");
  EXPECT_TRUE(f.good()) << "docs/glyphs.md missing";
  std::string line;
  while (std::getline(f, line)) {
    if (line.size() < 3 || line[0] != '|' || !std::isdigit(static_cast<unsigned char>(line[2]))) continue;
    // Split on unescaped '|'.
    std::vector<std::string> cols;
    std::string cur;
    for (size_t i = 1; i < line.size(); i++) {
      if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '|') { cur += '|'; i++; }
      else if (line[i] == '|') { cols.push_back(cur); cur.clear(); }
      else cur += line[i];
    }
    if (cols.size() < 5) continue;
    int code = std::atoi(cols[0].c_str());
    std::istringstream kind(cols[3]);
    std::string word, x;
    CATALOGUEROW row;
    kind >> word;
    if (word == "sheet") {
      row.SHEET = true;
      kind >> row.TX >> x >> row.TY;
    } else {
      EXPECT_EQ(word, "glyph") << "code " << code;
    }
    EXPECT_EQ(rows.count(code), 0u) << "code " << code << " listed twice";
    rows[code] = row;
  }
  return rows;
}

TEST(GlyphSets, EveryCodeLoadsInBothLooks) {
  for (const char* set : {"NORM", "ASCII"})
    for (int code = 32; code <= 256; code++) {
      IMAGE img = LOADGLYPH(set, code);
      EXPECT_GT(img.W, 0) << set << " " << code;
      EXPECT_GT(img.H, 0) << set << " " << code;
    }
}

TEST(GlyphSets, PlainSetIsTextCellsWithSolidTile) {
  for (int code = 32; code <= 256; code++) {
    IMAGE img = LOADGLYPH("ASCII", code);
    ASSERT_EQ(img.W, 24) << code;
    ASSERT_EQ(img.H, 32) << code;
    int lit = 0;
    for (int y = 0; y < img.H; y++)
      for (int x = 0; x < img.W; x++) {
        if (!LIT(img, x, y)) continue;
        lit++;
        // Only the left three quarters show across a cell (the solid tile is
        // solid throughout).
        if (code != 256) {
          EXPECT_LT(x, 18) << "code " << code << " draws into the hidden quarter";
        }
      }
    if (code == 32 || code == 255) EXPECT_EQ(lit, 0) << code;
    else if (code == 256) EXPECT_EQ(lit, 24 * 32);
    else EXPECT_GT(lit, 0) << "code " << code << " is empty";
  }
  // Line-drawing codes reach the right edge of the visible part so lines join.
  IMAGE h = LOADGLYPH("ASCII", 196);
  EXPECT_TRUE(LIT(h, 17, 16) || LIT(h, 17, 15));
  IMAGE a = LOADGLYPH("ASCII", 'A');
  EXPECT_FALSE(LIT(a, 17, 16));
}

TEST(GlyphSets, CatalogueKindsMatchTheModernImages) {
  std::map<int, CATALOGUEROW> rows = READCATALOGUE();
  for (int code = 32; code <= 256; code++) {
    ASSERT_EQ(rows.count(code), 1u) << "catalogue has no row for " << code;
    IMAGE img = LOADGLYPH("NORM", code);
    const CATALOGUEROW& r = rows[code];
    if (r.SHEET) {
      EXPECT_TRUE(ISSHEET(img)) << code;
      EXPECT_EQ(img.W, 64 * r.TX) << code;
      EXPECT_EQ(img.H, 64 * r.TY) << code;
    } else {
      EXPECT_FALSE(ISSHEET(img)) << "code " << code << " would be taken for a sheet: " << img.W
                                 << " x " << img.H;
    }
  }
}

TEST(GlyphSets, PicturesStayInTheVisiblePart) {
  for (int code = 32; code <= 256; code++) {
    IMAGE img = LOADGLYPH("NORM", code);
    if (ISSHEET(img) || code == 256) continue;
    for (int y = 0; y < img.H; y++)
      for (int x = img.W * 3 / 4; x < img.W; x++)
        EXPECT_FALSE(LIT(img, x, y)) << "code " << code << " pixel " << x << "," << y;
  }
}

TEST(GlyphSets, TilesTheGameAddressesHoldArt) {
  struct { int CODE, TX, TY; } tiles[] = {
      {202, 4, 2},                                          // HUD health icon
      {202, 4, 1}, {202, 1, 1}, {202, 2, 2}, {202, 3, 3},   // turret and hull
      {206, 1, 1}, {206, 2, 1}, {206, 3, 1}, {206, 4, 1},   // sparks
      {206, 1, 2}, {206, 2, 2}, {206, 3, 2},                // muzzle flashes
      {165, 1, 1}, {165, 2, 1}, {165, 3, 1},                // cell flashes
      {165, 1, 2}, {165, 2, 2},                             // plasma ball
      {165, 1, 3}, {165, 2, 3}, {165, 3, 3},                // blast glows, shell trail
      {183, 2, 2}, {183, 5, 2}, {183, 2, 5}, {183, 5, 5},   // fireball frame centres
      {123, 2, 2}, {123, 5, 2},                             // portal frame centres
  };
  for (auto& t : tiles) {
    IMAGE img = LOADGLYPH("NORM", t.CODE);
    ASSERT_TRUE(ISSHEET(img)) << t.CODE;
    ASSERT_LE(t.TX * 64, img.W) << t.CODE << " has no tile column " << t.TX;
    ASSERT_LE(t.TY * 64, img.H) << t.CODE << " has no tile row " << t.TY;
    EXPECT_GT(LITINTILE(img, t.TX, t.TY), 40) << "tile (" << t.TX << ", " << t.TY << ") of " << t.CODE;
  }
  IMAGE log = LOADGLYPH("NORM", 213);
  EXPECT_EQ(log.W / 64, 8);
  EXPECT_EQ(log.H / 64, 8);
  for (int ty = 1; ty <= 8; ty++)
    for (int tx = 1; tx <= 8; tx++) EXPECT_EQ(LITINTILE(log, tx, ty), 64 * 64) << tx << "," << ty;
}

// Mean absolute difference between two columns (or rows) of an image.
double LINEDIFF(const IMAGE& img, bool columns, int a, int b) {
  double sum = 0;
  int n = columns ? img.H : img.W;
  for (int i = 0; i < n; i++) {
    int xa = columns ? a : i, ya = columns ? i : a, xb = columns ? b : i, yb = columns ? i : b;
    for (int ch = 0; ch < 3; ch++)
      sum += std::abs(img.RGBA[(static_cast<size_t>(ya) * img.W + xa) * 4 + ch] -
                      img.RGBA[(static_cast<size_t>(yb) * img.W + xb) * 4 + ch]);
  }
  return sum / n;
}

TEST(GlyphSets, TerrainSheetsAreSeamless) {
  // Rock, indoor rock, sewers, door, floor, water.
  for (int code : {226, 227, 228, 229, 246, 247}) {
    IMAGE img = LOADGLYPH("NORM", code);
    ASSERT_TRUE(ISSHEET(img)) << code;
    ASSERT_GE(img.W, 192) << code;
    for (bool columns : {true, false}) {
      // The wrap-around seam must look like the joins between tiles inside
      // the sheet (or like neighbouring art pixels, whichever differs more).
      int n = columns ? img.W : img.H;
      double inside = 0;
      for (int k = 2; k < n; k += 2) inside += LINEDIFF(img, columns, k - 1, k);
      inside /= n / 2 - 1;
      for (int k = 64; k < n; k += 64) inside = std::max(inside, LINEDIFF(img, columns, k - 1, k));
      double seam = LINEDIFF(img, columns, n - 1, 0);
      EXPECT_LE(seam, 1.5 * inside + 8) << "code " << code << (columns ? " left/right" : " top/bottom")
                                        << " seam " << seam << ", inside " << inside;
    }
    // Every tile is fully covered (terrain has no transparent holes).
    for (int ty = 1; ty <= img.H / 64; ty++)
      for (int tx = 1; tx <= img.W / 64; tx++) EXPECT_EQ(LITINTILE(img, tx, ty), 64 * 64) << code;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The generators' own helpers: console font parsing and the drawing canvas.

#include "../../tools/glyphart.h"
#include "../../tools/psffont.h"

namespace {

void PUT32(std::vector<uint8_t>& d, uint32_t v) {
  for (int k = 0; k < 4; k++) d.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

// A PSF2 font of three 8 x 2 glyphs. Glyph 0: 'A' and U+00C7; glyph 1:
// U+2554 and a two-character sequence (which must not map); glyph 2: 'B'.
std::vector<uint8_t> PSF2SAMPLE() {
  std::vector<uint8_t> d;
  PUT32(d, 0x864AB572u);
  PUT32(d, 0);   // version
  PUT32(d, 32);  // header size
  PUT32(d, 1);   // has a Unicode table
  PUT32(d, 3);   // glyphs
  PUT32(d, 2);   // bytes per glyph
  PUT32(d, 2);   // height
  PUT32(d, 8);   // width
  const uint8_t bits[6] = {0x81, 0x18, 0xFF, 0x00, 0x01, 0x80};
  d.insert(d.end(), bits, bits + 6);
  const uint8_t table[] = {'A', 0xC3, 0x87, 0xFF,
                           0xE2, 0x95, 0x94, 0xFE, 'x', 'y', 0xFF,
                           'B', 0xFF};
  d.insert(d.end(), table, table + sizeof table);
  return d;
}

TEST(ConsoleFonts, Psf2GlyphsAndUnicodeTable) {
  CONSOLEFONT f;
  std::string err;
  ASSERT_TRUE(PARSECONSOLEFONT(PSF2SAMPLE(), f, err)) << err;
  EXPECT_EQ(f.WIDTH, 8);
  EXPECT_EQ(f.HEIGHT, 2);
  EXPECT_EQ(f.GLYPHOF.at('A'), 0);
  EXPECT_EQ(f.GLYPHOF.at(0x00C7), 0);
  EXPECT_EQ(f.GLYPHOF.at(0x2554), 1);
  EXPECT_EQ(f.GLYPHOF.at('B'), 2);
  EXPECT_EQ(f.GLYPHOF.count('x'), 0u) << "a character of a sequence was mapped alone";
  EXPECT_TRUE(DOTSET(f, 0, 0, 0));
  EXPECT_TRUE(DOTSET(f, 0, 7, 0));
  EXPECT_FALSE(DOTSET(f, 0, 1, 0));
  EXPECT_TRUE(DOTSET(f, 0, 3, 1));
  EXPECT_TRUE(DOTSET(f, 2, 7, 0));
  EXPECT_TRUE(DOTSET(f, 2, 0, 1));
  // Outside the glyph or the font: no dot, no read past the bitmaps.
  EXPECT_FALSE(DOTSET(f, 0, 8, 0));
  EXPECT_FALSE(DOTSET(f, 0, 0, 2));
  EXPECT_FALSE(DOTSET(f, 3, 0, 0));
}

TEST(ConsoleFonts, Psf1With512GlyphsAndSequences) {
  std::vector<uint8_t> d = {0x36, 0x04, 0x03, 1};  // 512 glyphs with a table, 1 row
  for (int g = 0; g < 512; g++) d.push_back(static_cast<uint8_t>(g));
  auto u16 = [&d](uint16_t v) { d.push_back(v & 0xFF); d.push_back(v >> 8); };
  u16(0x2591); u16(0xFFFE); u16(0x0041); u16(0x0301); u16(0xFFFF);  // glyph 0
  u16(0xFFFF);                                                      // glyph 1: nothing
  u16(0x263A); u16(0xFFFF);                                         // glyph 2
  CONSOLEFONT f;
  std::string err;
  ASSERT_TRUE(PARSECONSOLEFONT(d, f, err)) << err;
  EXPECT_EQ(f.COUNT, 512);
  EXPECT_EQ(f.GLYPHOF.at(0x2591), 0);
  EXPECT_EQ(f.GLYPHOF.at(0x263A), 2);
  EXPECT_EQ(f.GLYPHOF.count(0x0041), 0u);
  EXPECT_TRUE(DOTSET(f, 3, 6, 0));   // glyph 3 is 0000 0011
  EXPECT_FALSE(DOTSET(f, 3, 5, 0));
}

TEST(ConsoleFonts, BadFilesAreRefusedWithAReason) {
  CONSOLEFONT f;
  std::string err;
  std::vector<uint8_t> good = PSF2SAMPLE();

  std::vector<uint8_t> truncated(good.begin(), good.begin() + 34);
  EXPECT_FALSE(PARSECONSOLEFONT(truncated, f, err));
  EXPECT_EQ(err, "is truncated");

  std::vector<uint8_t> notable = good;
  notable[12] = 0;
  EXPECT_FALSE(PARSECONSOLEFONT(notable, f, err));
  EXPECT_EQ(err, "has no Unicode table");

  std::vector<uint8_t> badsize = good;
  badsize[20] = 7;  // bytes per glyph that do not fit 8 x 2
  EXPECT_FALSE(PARSECONSOLEFONT(badsize, f, err));
  EXPECT_EQ(err, "has an unusable header");

  std::vector<uint8_t> hugeheader = good;
  hugeheader[8] = hugeheader[9] = hugeheader[10] = hugeheader[11] = 0xFF;
  EXPECT_FALSE(PARSECONSOLEFONT(hugeheader, f, err));
  EXPECT_FALSE(err.empty());

  std::vector<uint8_t> emptytable(good.begin(), good.begin() + 38);
  EXPECT_FALSE(PARSECONSOLEFONT(emptytable, f, err));
  EXPECT_EQ(err, "has an empty Unicode table");

  EXPECT_FALSE(PARSECONSOLEFONT({'P', 'N', 'G', 0}, f, err));
  EXPECT_EQ(err, "is not a PSF console font");
  EXPECT_FALSE(PARSECONSOLEFONT({}, f, err));
  EXPECT_FALSE(PARSECONSOLEFONT({0x36, 0x04, 0x02, 16, 0xAA}, f, err));  // PSF1 cut short
  EXPECT_EQ(err, "is truncated");
}

TEST(GlyphArt, NoiseRepeatsOverItsPeriod) {
  for (double x : {0.0, 3.5, 17.25, 60.0})
    for (double y : {0.0, 9.75, 31.0}) {
      EXPECT_DOUBLE_EQ(FBM(x, y, 64, 4, 4, 7), FBM(x + 64, y, 64, 4, 4, 7));
      EXPECT_DOUBLE_EQ(FBM(x, y, 64, 4, 4, 7), FBM(x, y + 64, 64, 4, 4, 7));
      EXPECT_DOUBLE_EQ(VNOISE(x, y, 5, 3), VNOISE(x + 5, y - 5, 5, 3));
    }
  // And it is not constant.
  EXPECT_NE(FBM(1, 1, 64, 4, 4, 7), FBM(20, 33, 64, 4, 4, 7));
}

TEST(GlyphArt, DrawnBlackNeverBecomesTheTransparentKey) {
  CANVAS c = MAKECANVAS(4, 2);
  PUT(c, 0, 0, RGB(0, 0, 0));
  PUT(c, 1, 0, RGB(200, 10, 0));
  IMAGE img = TOIMAGE(c, 6, 3);
  ASSERT_EQ(img.W, 6);
  ASSERT_EQ(img.H, 3);
  EXPECT_TRUE(LIT(img, 0, 0)) << "a drawn black pixel would vanish";
  EXPECT_TRUE(LIT(img, 1, 0));
  EXPECT_EQ(img.RGBA[4], 200);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 6; x++)
      if (!(y == 0 && x < 2)) {
        EXPECT_FALSE(LIT(img, x, y)) << x << "," << y;
      }
}

TEST(GlyphArt, OutlineMirrorAndScale) {
  CANVAS c = MAKECANVAS(7, 7);
  PUT(c, 3, 3, RGB(255, 255, 255));
  PUT(c, 0, 6, RGB(255, 255, 255));
  OUTLINE(c);
  int ring = 0;
  for (int y = 2; y <= 4; y++)
    for (int x = 2; x <= 4; x++)
      if (!(x == 3 && y == 3)) ring += SET(c, x, y) && AT(c, x, y).R == OUTLINECOLOR.R;
  EXPECT_EQ(ring, 8);
  EXPECT_FALSE(SET(c, 5, 3));
  EXPECT_EQ(AT(c, 3, 3).R, 255);
  CANVAS m = MIRRORED(c);
  EXPECT_TRUE(SET(m, 6, 6));
  EXPECT_EQ(AT(m, 6, 6).R, 255);
  CANVAS s = SCALEUP(c, 2);
  EXPECT_EQ(s.W, 14);
  EXPECT_TRUE(SET(s, 7, 7));
  EXPECT_TRUE(SET(s, 6, 6));
  EXPECT_EQ(AT(s, 6, 7).R, 255);
}

}  // namespace

// ---------------------------------------------------------------------------
// The committed sets are what the generators make today (a generator changed
// without regenerating, or files edited by hand, show up here).

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string TOOLPATH(const std::string& name) {
  return (fs::path(ASHEN_BINARY).parent_path() / name).string();
}

fs::path SCRATCH(const std::string& name) {
  fs::path p = fs::temp_directory_path() / ("ashen_glyphs_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

void EXPECTSAMEPIXELS(const std::string& set, const fs::path& made) {
  for (int code = 32; code <= 256; code++) {
    IMAGE a, b;
    std::string name = std::to_string(code) + ".png";
    ASSERT_TRUE(LOADIMAGEFILE(DATA + "/GFX/" + set + "/" + name, a)) << name;
    ASSERT_TRUE(LOADIMAGEFILE((made / name).string(), b)) << "generator did not write " << name;
    EXPECT_EQ(a.W, b.W) << set << " " << code;
    EXPECT_EQ(a.H, b.H) << set << " " << code;
    EXPECT_TRUE(a.RGBA == b.RGBA) << set << " " << code << " differs from what the generator makes";
  }
}

TEST(GlyphGenerators, PlainSetMatchesTheFont) {
  if (!fs::exists(TOOLPATH("make_ascii_glyphs"))) GTEST_SKIP() << "make_ascii_glyphs not built";
  if (!fs::exists("/usr/share/consolefonts/FullGreek-VGA16.psf.gz"))
    GTEST_SKIP() << "console-setup-linux fonts not installed";
  fs::path out = SCRATCH("ascii");
  std::string cmd = TOOLPATH("make_ascii_glyphs") + " --out '" + out.string() + "' >/dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECTSAMEPIXELS("ASCII", out);
  fs::remove_all(out);
}

TEST(GlyphGenerators, ModernSetAndCatalogueAreUpToDate) {
  if (!fs::exists(TOOLPATH("make_norm_glyphs"))) GTEST_SKIP() << "make_norm_glyphs not built";
  fs::path data = SCRATCH("norm");
  fs::create_directories(data / "GFX" / "NORM");
  fs::copy(DATA + "/GFX/ASCII", data / "GFX" / "ASCII");
  std::string cmd = TOOLPATH("make_norm_glyphs") + " --data '" + data.string() + "' --catalogue '" +
                    (data / "glyphs.md").string() + "' >/dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECTSAMEPIXELS("NORM", data / "GFX" / "NORM");
  std::ifstream a(DATA + "/../docs/glyphs.md"), b(data / "glyphs.md");
  std::stringstream sa, sb;
  sa << a.rdbuf();
  sb << b.rdbuf();
  EXPECT_EQ(sa.str(), sb.str()) << "docs/glyphs.md is not what make_norm_glyphs writes";
  fs::remove_all(data);
}

TEST(GlyphGenerators, MissingInputIsReportedNotCrashed) {
  if (!fs::exists(TOOLPATH("make_norm_glyphs"))) GTEST_SKIP() << "make_norm_glyphs not built";
  fs::path data = SCRATCH("empty");
  std::string cmd = TOOLPATH("make_norm_glyphs") + " --data '" + data.string() + "' --catalogue '" +
                    (data / "glyphs.md").string() + "' >/dev/null 2>&1";
  int rc = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 1) << "no plain set to take text glyphs from must fail cleanly";
  if (fs::exists(TOOLPATH("make_ascii_glyphs"))) {
    cmd = TOOLPATH("make_ascii_glyphs") + " --out '" + data.string() + "' '" + (data / "nofont.psf").string() +
          "' >/dev/null 2>&1";
    rc = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(rc));
    EXPECT_EQ(WEXITSTATUS(rc), 1);
  }
  fs::remove_all(data);
}

}  // namespace
