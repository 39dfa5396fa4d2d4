// The glyph renderer: colour arithmetic, cell geometry, glyph loading and the
// pixels RENDERCHAR produces through the headless back-end.
#include <gtest/gtest.h>

#include "display/glyphs.h"
#include "display_fixture.h"
#include "shell/startup.h"

using displaytest::AT;
using displaytest::DISPLAYFIXTURE;
using displaytest::HALFGLYPH;
using displaytest::PIXEL;
using displaytest::SOLID;

namespace {

void EXPECTRGB(RGBCOLOR c, int r, int g, int b) {
  EXPECT_EQ(c.R, r);
  EXPECT_EQ(c.G, g);
  EXPECT_EQ(c.B, b);
}

void EXPECTPIX(PIXEL p, int r, int g, int b) {
  EXPECT_EQ(p.R, r);
  EXPECT_EQ(p.G, g);
  EXPECT_EQ(p.B, b);
}

TEST(Saturate, PaletteAndExamples) {
  SETRGBCOLORS();
  EXPECTRGB(RGBCOLORS[4], 150, 0, 0);
  // Full saturation and brightness leave every palette colour unchanged.
  for (int i = 0; i < 16; i++) EXPECT_EQ(SATURATE(RGBCOLORS[i], 100, 100), RGBCOLORS[i]);
  EXPECTRGB(SATURATE(RGBCOLORS[12], 0, 100), 170, 170, 170);
  EXPECTRGB(SATURATE(RGBCOLORS[8], 100, 200), 255, 255, 255);
  // Half saturation of (150, 0, 0): grey = round((150 + 50) / 2) = 100.
  EXPECTRGB(SATURATE(RGBCOLORS[4], 50, 100), 125, 50, 50);
  // Halves round to even: 128 * 50 / 100 = 64, 255 * 50 / 100 = 127.5 -> 128.
  EXPECTRGB(SATURATE(RGBCOLORS[15], 100, 50), 128, 128, 128);
  EXPECTRGB(SATURATE(RGBCOLORS[14], 100, 0), 0, 0, 0);
  // Saturation above 100 moves away from grey but stays inside a byte.
  RGBCOLOR s = SATURATE(RGBCOLORS[12], 255, 100);
  EXPECT_EQ(s.R, 255);
  EXPECT_EQ(s.G, 0);
}

TEST(Geometry, CellEdgesOnATallDesktop) {
  BACKEND* saved = THEBACKEND;
  THEBACKEND = MAKEHEADLESSBACKEND(1920, 1200);
  WINDOWTYPE = W_BORDERLESS;
  INITVIDEO();
  TEXTMODE80X25();
  EXPECT_EQ(VIEW_HEIGHT, 1080);
  EXPECT_EQ(VIEW_YSTART, 60);
  EXPECT_EQ(TEXTTOPIXELX(0), 0);
  EXPECT_EQ(TEXTTOPIXELX(1), 24);
  EXPECT_EQ(TEXTTOPIXELY(0), 60);
  EXPECT_EQ(TEXTTOPIXELY(1), 103);
  // The shake offset moves every cell by whole cells' fractions.
  TOFFX = 0.5;
  EXPECT_EQ(TEXTTOPIXELX(1), 36);
  TOFFX = 0;
  int32_t x1 = 100, y1 = 100, x2 = 124, y2 = 143;
  ZOOMIT(x1, y1, x2, y2, 115);  // 24 -> 28 (dw 4), 43 -> 49 (dw 6)
  EXPECT_EQ(x1, 98);
  EXPECT_EQ(x2, 126);
  EXPECT_EQ(y1, 97);
  EXPECT_EQ(y2, 146);
  x1 = 0, y1 = 0, x2 = 24, y2 = 43;
  ZOOMIT(x1, y1, x2, y2, 100);
  EXPECT_EQ(x2, 24);
  EXPECT_EQ(y2, 43);
  delete THEBACKEND;
  THEBACKEND = saved;
}

TEST(Geometry, TextureCoordinatesAndSheetSizes) {
  EXPECT_DOUBLE_EQ(PROPORTIONCONVERTERX(1.0, -1, 1), 0.75);
  EXPECT_DOUBLE_EQ(PROPORTIONCONVERTERY(0.5, -1, 1), 0.5);
  EXPECT_DOUBLE_EQ(PROPORTIONCONVERTERX(0.5, 2, 4), 0.375);
  EXPECT_DOUBLE_EQ(PROPORTIONCONVERTERY(1.0, 3, 3), 1.0);
  TINFO t = GLYPHINFO(64, 64);
  EXPECT_TRUE(t.ITS_LARGE);
  EXPECT_EQ(t.NUMTEXX, 1);
  t = GLYPHINFO(128, 128);
  EXPECT_FALSE(t.ITS_LARGE);
  EXPECT_EQ(t.NUMTEXX, 1);
  t = GLYPHINFO(192, 128);
  EXPECT_TRUE(t.ITS_LARGE);
  EXPECT_EQ(t.NUMTEXX, 3);
  EXPECT_EQ(t.NUMTEXY, 2);
  // A large sheet lower than one tile still has one row of tiles.
  t = GLYPHINFO(64, 16);
  EXPECT_TRUE(t.ITS_LARGE);
  EXPECT_EQ(t.NUMTEXY, 1);
}

class Render : public DISPLAYFIXTURE {
 protected:
  IMAGE CELL(int x, int y, int symbol, BYTE attr, BYTE sat = 100, BYTE bri = 100,
             int32_t effect = 0, int32_t lx = -1, int32_t ly = -1, double zoom = 100) {
    STARTUPDATESCREEN();
    RENDERCHARCODE(x, y, symbol, attr, sat, bri, effect, lx, ly, zoom, true);
    ENDUPDATESCREEN();
    IMAGE f;
    EXPECT_TRUE(THEBACKEND->READFRAME(f));
    return f;
  }
};

TEST_F(Render, PlainLookPaintsBackgroundModernLookDoesNot) {
  SWITCHTOOPENGLCOLORKEYMODE();
  IMAGE f = CELL(1, 1, 'A', 0x1E);
  EXPECTPIX(AT(f, 3, 5), 255, 255, 0);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 128);
  MODERN_VISUALS = 1;
  IGNORE_BATTR = 1;
  f = CELL(1, 1, 'A', 0x1E);
  EXPECTPIX(AT(f, 3, 5), 255, 255, 0);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 0);
  // Forced black backgrounds are painted even in the modern look.
  RENDER_BLACKS = true;
  f = CELL(1, 1, 'A', 0x1E);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 128);
}

TEST_F(Render, AdditiveModeAddsTheGlyphOntoItsBackground) {
  SWITCHTOOPENGLBLENDINGMODE();
  IMAGE f = CELL(1, 1, 'A', 0x1E);
  EXPECTPIX(AT(f, 3, 5), 255, 255, 128);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 128);
}

TEST_F(Render, GlyphShowsThreeQuartersOfItsImageAndMirrors) {
  SWITCHTOOPENGLCOLORKEYMODE();
  // A 16-pixel cell shows texels 0..5 of the 8-wide half glyph: the white
  // texels 0..3 land in pixels 0..10.
  IMAGE f = CELL(2, 1, 'A', 0x0F);
  EXPECTPIX(AT(f, 16 + 10, 3), 255, 255, 255);
  EXPECTPIX(AT(f, 16 + 11, 3), 0, 0, 0);
  f = CELL(2, 1, 'A', 0x0F, 100, 100, EFFECT3D_MIRROR);
  EXPECTPIX(AT(f, 16 + 4, 3), 0, 0, 0);
  EXPECTPIX(AT(f, 16 + 5, 3), 255, 255, 255);
  EXPECTPIX(AT(f, 16 + 15, 3), 255, 255, 255);
  // The mirror and scroll flags are not recorded in the screen buffer.
  EXPECT_EQ(EKRAN[1][2].EFFECT3D, 0);
  EXPECT_EQ(EKRAN[1][2].SYMBOL, 'A');
}

TEST_F(Render, ScrollShiftsTheTextureAndWraps) {
  SWITCHTOOPENGLCOLORKEYMODE();
  SCROLLEFFECT = 50;  // u runs 0.5 .. 1.25: texels 4..7 black, then 0..1 white
  IMAGE f = CELL(1, 1, 'A', 0x0F, 100, 100, EFFECT3D_SCROLL);
  EXPECTPIX(AT(f, 0, 3), 0, 0, 0);
  EXPECTPIX(AT(f, 10, 3), 0, 0, 0);
  EXPECTPIX(AT(f, 11, 3), 255, 255, 255);
  EXPECTPIX(AT(f, 15, 3), 255, 255, 255);
  SCROLLEFFECT = -50;  // u runs -0.5 .. 0.25: texels 4..7 black, then 0..1 white
  f = CELL(1, 1, 'A', 0x0F, 100, 100, EFFECT3D_SCROLL);
  EXPECTPIX(AT(f, 0, 3), 0, 0, 0);
  EXPECTPIX(AT(f, 15, 3), 255, 255, 255);
}

TEST_F(Render, ThreeDimensionalShapesDarkenTheirFaces) {
  SWITCHTOOPENGLCOLORKEYMODE();
  // A solid glyph for 219 shows the faces clearly.
  IMAGE solid = SOLID(8, 8, 255, 255, 255);
  TEXTURE[219] = THEBACKEND->UPLOADTEXTURE(solid);
  TEXINFO[219] = GLYPHINFO(8, 8);
  IMAGE f = CELL(1, 1, 219, 0x0F, 100, 100, EFFECT3D_RIGHT);
  EXPECTPIX(AT(f, 2, 10), 255, 255, 255);
  EXPECTPIX(AT(f, 14, 10), 102, 102, 102);  // 255 * 0.4 truncated
  f = CELL(1, 1, 219, 0x0C, 100, 100, EFFECT3D_TOP);
  EXPECTPIX(AT(f, 2, 2), 102, 0, 0);
  EXPECTPIX(AT(f, 2, 20), 255, 0, 0);
  f = CELL(1, 1, 219, 0x0F, 100, 100, EFFECT3D_CORNER);
  EXPECTPIX(AT(f, 14, 2), 102, 102, 102);
  EXPECTPIX(AT(f, 14, 20), 255, 255, 255);
  // The half codes draw no glyph; the background is still painted.
  f = CELL(1, 1, 219, 0x1F, 100, 100, EFFECT3D_ONLYLEFTHALF);
  EXPECTPIX(AT(f, 2, 10), 0, 0, 128);
}

TEST_F(Render, NothingIsDrawnForDarkBlankOrSameColouredCells) {
  SWITCHTOOPENGLCOLORKEYMODE();
  IMAGE f = CELL(1, 1, 'A', 0x1E, 100, 0);
  EXPECTPIX(AT(f, 3, 5), 0, 0, 0);
  EXPECT_EQ(EKRAN[1][1].BRIGHTNESS, 0);  // still recorded
  f = CELL(1, 1, 'A', 0x11);
  EXPECTPIX(AT(f, 3, 5), 0, 0, 128);
  f = CELL(1, 1, 31, 0x1E);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 0);
  EXPECT_EQ(EKRAN[1][1].SYMBOL, 'A');  // below 32: not even recorded
}

TEST_F(Render, LargeSheetTilesAreChosenAndClampedToTheSheet) {
  SWITCHTOOPENGLCOLORKEYMODE();
  // A sheet three tiles wide: red, green, blue tiles.
  IMAGE sheet = SOLID(192, 64, 255, 0, 0);
  for (int y = 0; y < 64; y++)
    for (int x = 64; x < 192; x++) {
      uint8_t* p = &sheet.RGBA[(size_t(y) * 192 + x) * 4];
      p[0] = 0;
      p[1] = x < 128 ? 255 : 0;
      p[2] = x < 128 ? 0 : 255;
    }
  TEXTURE[200] = THEBACKEND->UPLOADTEXTURE(sheet);
  TEXINFO[200] = GLYPHINFO(192, 64);
  IMAGE f = CELL(1, 1, 200, 0x0F, 100, 100, 0, 2, 1);
  EXPECTPIX(AT(f, 8, 8), 0, 255, 0);
  f = CELL(1, 1, 200, 0x0F, 100, 100, 0, 3, 1);
  EXPECTPIX(AT(f, 15, 8), 0, 0, 255);
  f = CELL(1, 1, 200, 0x0F, 100, 100, 0, 5, 7);
  EXPECTPIX(AT(f, 15, 8), 255, 0, 0);
}

TEST_F(Render, ZoomGrowsTheCellOnlyInTheModernLook) {
  SWITCHTOOPENGLCOLORKEYMODE();
  IMAGE f = CELL(10, 10, 256, 0x0F, 100, 100, 0, -1, -1, 150);
  // Cell (10, 10): x 144..160; in the plain look the zoom is ignored.
  EXPECTPIX(AT(f, 143, 270), 0, 0, 0);
  MODERN_VISUALS = 1;
  f = CELL(10, 10, 256, 0x0F, 100, 100, 0, -1, -1, 150);
  EXPECTPIX(AT(f, 141, 270), 255, 255, 255);
}

TEST_F(Render, GarbleReplacesSymbolsForMyPlayer) {
  SWITCHTOOPENGLCOLORKEYMODE();
  IMAGE solid = SOLID(8, 8, 255, 255, 255);
  TEXTURE['#'] = THEBACKEND->UPLOADTEXTURE(solid);
  TEXINFO['#'] = GLYPHINFO(8, 8);
  GARBLEEFFECTWASCALLED = true;
  CHOSEN[MYNUMBER] = '#';
  CYCLES[MYNUMBER] = 3;
  IMAGE f = CELL(1, 1, 'A', 0x0F);
  EXPECTPIX(AT(f, 13, 5), 255, 255, 255);  // the solid '#' fills the cell
  EXPECT_EQ(EKRAN[1][1].SYMBOL, 'A');      // the record keeps the real symbol
  CYCLES[MYNUMBER] = 0;
  f = CELL(1, 1, 'A', 0x0F);
  EXPECTPIX(AT(f, 13, 5), 0, 0, 0);
  GARBLEEFFECTWASCALLED = false;
}

TEST_F(Render, RenderStringUsesAFinerGrid) {
  SWITCHTOOPENGLCOLORKEYMODE();
  STARTUPDATESCREEN();
  RENDERSTRING(159, 1, "ABC", WHITE, BLUE, 2, 100, 100);
  ENDUPDATESCREEN();
  IMAGE f;
  ASSERT_TRUE(THEBACKEND->READFRAME(f));
  // On the 160-column grid a cell is 8 pixels wide: column 159 starts at 1264.
  EXPECTPIX(AT(f, 1264, 3), 255, 255, 255);
  EXPECTPIX(AT(f, 1263, 3), 0, 0, 0);
  EXPECT_EQ(VMODE.COL, 80);  // mode restored
  EXPECT_EQ(EKRAN[1][160].SYMBOL, 'B');
}

TEST_F(Render, GlyphSetsLoadPerMapAndReportAMissingBlank) {
  // Per-map glyphs: ".nma" wins over ".png"; box-drawing codes stay default.
  auto mapdir = DIR / "CAMPAIGN" / GAME / "GFX_MAPS" / "105";
  std::filesystem::create_directories(mapdir);
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "150.png").string(), SOLID(16, 16, 255, 0, 0)));
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "150.nma").string(), SOLID(24, 24, 0, 255, 0)));
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "151.png").string(), SOLID(64, 64, 0, 0, 255)));
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "200.png").string(), SOLID(16, 16, 255, 0, 0)));
  ASSERT_TRUE(LOADCUSTOMTEXTURESFORMAP(105));
  EXPECT_EQ(TEXINFO[150].SIZEX, 24);
  EXPECT_EQ(TEXTUREIMAGE[150].RGBA[1], 255);
  EXPECT_TRUE(TEXINFO[151].ITS_LARGE);
  EXPECT_EQ(TEXINFO[200].SIZEX, 8);
  EXPECT_EQ(TEXINFO[152].SIZEX, 8);
  // The next map without its own glyphs gets the defaults back.
  ASSERT_TRUE(LOADMAINTEXTURES(106));
  EXPECT_EQ(TEXINFO[150].SIZEX, 8);
  EXPECT_FALSE(TEXINFO[151].ITS_LARGE);

  // Black is transparent after loading.
  EXPECT_EQ(TEXTUREIMAGE[65].RGBA[3], 255);
  EXPECT_EQ(TEXTUREIMAGE[65].RGBA[7 * 4 + 3], 0);

  // A missing glyph draws nothing; a missing blank fails with file and folder.
  std::filesystem::remove(DIR / "GFX" / "ASCII" / "66.png");
  std::filesystem::remove(DIR / "GFX" / "ASCII" / "32.png");
  EXPECT_FALSE(LOADMAINTEXTURES(-1));
  EXPECT_NE(GLYPHLOADERROR.find("GFX/ASCII/32.png"), std::string::npos);
  EXPECT_NE(GLYPHLOADERROR.find(DIR.string()), std::string::npos);
  EXPECT_EQ(TEXTURE[66], 0);
  SWITCHTOOPENGLCOLORKEYMODE();
  STARTUPDATESCREEN();
  RENDERCHAR(1, 1, 'B', 0x1F, 100, 100, 0, -1, -1, 100, true);
  ENDUPDATESCREEN();
  IMAGE f;
  ASSERT_TRUE(THEBACKEND->READFRAME(f));
  EXPECTPIX(AT(f, 3, 5), 0, 0, 128);
}

TEST_F(Render, ShakeOffsetHalvesWithEveryFrame) {
  TOFFX = 2;
  TOFFY = 1;
  PUSHDISPLAY();
  EXPECT_DOUBLE_EQ(TOFFX, 1);
  PUSHDISPLAY();
  EXPECT_DOUBLE_EQ(TOFFY, 0.25);
}

}  // namespace
