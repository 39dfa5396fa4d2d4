// The glyph renderer: opening the video back-end, the palette, colour and
// geometry helpers, and RENDERCHAR, which turns one character cell into one
// to three tinted quads of the back-end's quad sink.
#include "display/renderer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <utility>

#include "display/backend.h"
#include "display/events.h"
#include "display/textscreen.h"
#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"

int32_t WINDOWTYPE = W_BORDERLESS;
int32_t OPENGLMODE = MODE_COLORKEY, OPENGLPREVMODE = MODE_COLORKEY;
BYTE MODERN_VISUALS = 1;
BYTE IGNORE_BATTR = 1;
BYTE ASCII_CHARS = 1;
UNIVERSALDISPLAYTYPE EMUKRAN;
int32_t SCREEN_WIDTH = 0, SCREEN_HEIGHT = 0, VIEW_HEIGHT = 0, VIEW_YSTART = 0;
int32_t VIEW_WIDTH = 0, VIEW_XSTART = 0;
double TOFFX = 0, TOFFY = 0;
int16_t SCROLLEFFECT = 0;
bool RENDER_BLACKS = false, GARBLEEFFECTWASCALLED = false, DEATHEFFECTWASCALLED = false;
unsigned char CHOSEN[3] = {' ', ' ', ' '};
BYTE CYCLES[3] = {0, 0, 0};
int32_t RENDERCHAR_CACHE = 257;
RGBCOLOR RGBCOLORS[16];
bool APPLICATIONACTIVE = true;
std::string VIDEOERROR;

namespace {

BYTE CLAMPBYTE(int64_t v) { return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Cell rectangle of 0-based column SX, row SY in pixels, grown by ZOOM.
void CELLRECT(int32_t sx, int32_t sy, double zoom, int32_t& x1, int32_t& y1, int32_t& x2,
              int32_t& y2) {
  x1 = TEXTTOPIXELX(sx);
  y1 = TEXTTOPIXELY(sy);
  x2 = TEXTTOPIXELX(sx + 1);
  y2 = TEXTTOPIXELY(sy + 1);
  ZOOMIT(x1, y1, x2, y2, zoom);
}

// Cuts the span A1..A2 (with texture coordinates T1..T2 along it) to LO..HI.
// False when nothing of it is left.
bool CLIPTOPICTURE(double& a1, double& a2, double& t1, double& t2, double lo, double hi) {
  if (a2 <= a1) return false;
  const double n1 = std::max(a1, lo), n2 = std::min(a2, hi);
  if (n2 <= n1) return false;
  const double k = (t2 - t1) / (a2 - a1);
  const double s1 = t1 + (n1 - a1) * k, s2 = t1 + (n2 - a1) * k;
  a1 = n1;
  a2 = n2;
  t1 = s1;
  t2 = s2;
  return true;
}

}  // namespace

void INITVIDEO() {
  if (WINDOWTYPE != W_FULLSCREEN) setenv("SDL_VIDEO_WINDOW_POS", "0,0", 1);
  TOFFX = 0;
  TOFFY = 0;
  RENDERCHAR_CACHE = 257;
  SETRGBCOLORS();
  // A window that cannot be opened ends the program with the reason on
  // stderr and a failure exit code (a game that never showed is no success).
  if (!THEBACKEND) {
    std::fprintf(stderr, "ashenreach: cannot open the window: no video back-end\n");
    std::exit(EXIT_NODISPLAY);
  }
  int32_t w = 0, h = 0;
  VIDEOERROR.clear();
  if (!THEBACKEND->OPEN(w, h) || w <= 0 || h <= 0) {
    std::fprintf(stderr, "ashenreach: cannot open the window: %s\n",
                 VIDEOERROR.empty() ? "unknown reason" : VIDEOERROR.c_str());
    std::exit(EXIT_NODISPLAY);
  }
  SCREEN_WIDTH = w;
  SCREEN_HEIGHT = h;
  if (WINDOWTYPE == W_BORDERED) SCREEN_HEIGHT = static_cast<int32_t>(int64_t(w) * 9 / 16);
  PLACEPICTURE();
  INITGL();
  APPLICATIONACTIVE = true;
}

void PLACEPICTURE() {
  const int64_t w = SCREEN_WIDTH > 0 ? SCREEN_WIDTH : 0, h = SCREEN_HEIGHT > 0 ? SCREEN_HEIGHT : 0;
  if (w * 9 > h * 16) {
    // Wider than 16:9: the picture fills the height, black bars at the sides.
    VIEW_HEIGHT = static_cast<int32_t>(h);
    VIEW_WIDTH = static_cast<int32_t>(h * 16 / 9);
  } else {
    // 16:9 or taller: the picture fills the width, black bars above and below.
    VIEW_WIDTH = static_cast<int32_t>(w);
    VIEW_HEIGHT = static_cast<int32_t>(w * 9 / 16);
  }
  VIEW_XSTART = static_cast<int32_t>((w - VIEW_WIDTH) / 2);
  VIEW_YSTART = static_cast<int32_t>((h - VIEW_HEIGHT) / 2);
}

bool PIXELTOTEXTCELL(int32_t px, int32_t py, int32_t& col, int32_t& row) {
  col = row = 0;
  if (VIEW_WIDTH <= 0 || VIEW_HEIGHT <= 0 || VMODE.COL <= 0 || VMODE.ROW <= 0) return false;
  if (px < VIEW_XSTART || py < VIEW_YSTART || px >= VIEW_XSTART + VIEW_WIDTH ||
      py >= VIEW_YSTART + VIEW_HEIGHT)
    return false;
  col = static_cast<int32_t>(int64_t(px - VIEW_XSTART) * VMODE.COL / VIEW_WIDTH + 1);
  row = static_cast<int32_t>(int64_t(py - VIEW_YSTART) * VMODE.ROW / VIEW_HEIGHT + 1);
  return true;
}

void DONEVIDEO() {
  for (int c = LOCHAR; c <= HICHAR; c++) {
    if (TEXTURE[c] && THEBACKEND) THEBACKEND->DELETETEXTURE(TEXTURE[c]);
    TEXTURE[c] = 0;
  }
  FREESDLSURFACES();
  if (THEBACKEND) THEBACKEND->CLOSE();
}

void SETRGBCOLORS() {
  static const BYTE P[16][3] = {{0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
                                {150, 0, 0},     {128, 0, 128},   {128, 128, 0}, {192, 192, 192},
                                {128, 128, 128}, {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
                                {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};
  for (int i = 0; i < 16; i++) RGBCOLORS[i] = RGBCOLOR{P[i][0], P[i][1], P[i][2]};
}

void INITGL() {
  SWITCHTOOPENGLBLENDINGMODE();
  // The back-end may have been reopened: make sure it blends as recorded.
  if (THEBACKEND) THEBACKEND->SETBLEND(BLEND_ADDITIVE);
}

void SETVIDEOMODE(const VMODETYPE&) {}

bool LOADCUSTOMTEXTURESFORMAP(uint16_t mapnum) { return LOADMAINTEXTURES(mapnum); }

void SWITCHTOOPENGLBLENDINGMODE() {
  if (OPENGLMODE == MODE_BLEND) return;
  if (THEBACKEND) THEBACKEND->SETBLEND(BLEND_ADDITIVE);
  OPENGLPREVMODE = OPENGLMODE;
  OPENGLMODE = MODE_BLEND;
}

void SWITCHTOOPENGLCOLORKEYMODE() {
  if (OPENGLMODE == MODE_COLORKEY) return;
  if (THEBACKEND) THEBACKEND->SETBLEND(BLEND_COLORKEY);
  OPENGLPREVMODE = OPENGLMODE;
  OPENGLMODE = MODE_COLORKEY;
}

void STARTUPDATESCREEN() {
  if (THEBACKEND) THEBACKEND->BEGINFRAME();
}

void ENDUPDATESCREEN() {
  if (THEBACKEND) THEBACKEND->ENDFRAME();
  HANDLESDLEVENTS();
  TOFFX = TOFFX / 2;
  TOFFY = TOFFY / 2;
  HARNESSFRAMEPUSHED();
}

int32_t TEXTTOPIXELX(double x) {
  double col = VMODE.COL > 0 ? VMODE.COL : 1;
  return static_cast<int32_t>(
      std::trunc(VIEW_WIDTH * x / col + VIEW_XSTART + VIEW_WIDTH * TOFFX / col));
}

int32_t TEXTTOPIXELY(double y) {
  double row = VMODE.ROW > 0 ? VMODE.ROW : 1;
  return static_cast<int32_t>(
      std::trunc(VIEW_HEIGHT * y / row + VIEW_YSTART + VIEW_HEIGHT * TOFFY / row));
}

void ZOOMIT(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, double zoom) {
  int32_t w = x2 - x1, h = y2 - y1;
  int64_t dw = ROUNDEVEN(w * zoom / 100) - w;
  int64_t dh = ROUNDEVEN(h * zoom / 100) - h;
  int32_t hw = static_cast<int32_t>(ROUNDEVEN(dw / 2.0));
  int32_t hh = static_cast<int32_t>(ROUNDEVEN(dh / 2.0));
  x1 -= hw;
  x2 += hw;
  y1 -= hh;
  y2 += hh;
}

RGBCOLOR SATURATE(RGBCOLOR src, BYTE intensity, BYTE brightness) {
  const int64_t d = 100 - int64_t(intensity);
  const int64_t r = src.R, g = src.G, b = src.B;
  const int64_t avg = ROUNDEVEN((r + g + b) / 3.0);
  const int64_t m = std::max(r, std::max(g, b));
  const int64_t grey = ROUNDEVEN((m + avg) / 2.0);
  auto chan = [&](int64_t v) {
    // A saturation above 100 pushes channels away from grey; keep them in a byte.
    int64_t s = CLAMPBYTE(ROUNDEVEN(v + (grey - v) * d / 100.0));
    return CLAMPBYTE(ROUNDEVEN(s * double(brightness) / 100.0));
  };
  return RGBCOLOR{chan(r), chan(g), chan(b)};
}

double PROPORTIONCONVERTERX(double px, int32_t largex, int32_t maxx) {
  if (largex == -1 || maxx <= 0) return px * 0.75;
  return double(largex - 1) / maxx + px / maxx;
}

double PROPORTIONCONVERTERY(double py, int32_t largey, int32_t maxy) {
  if (largey == -1 || maxy <= 0) return py;
  return double(largey - 1) / maxy + py / maxy;
}

void BLITPART(int32_t symbol, int32_t screenx, int32_t screeny, RGBCOLOR clr, double px1,
              double py1, double px2, double py2, bool mirror, int32_t largex, int32_t largey,
              bool scroll, double zoom) {
  if (symbol < LOCHAR || symbol > HICHAR || TEXTURE[symbol] == 0 || !THEBACKEND) return;
  RENDERCHAR_CACHE = symbol;
  int32_t x1, y1, x2, y2;
  CELLRECT(screenx, screeny, zoom, x1, y1, x2, y2);
  const int32_t w = x2 - x1, h = y2 - y1;
  double qx1 = x1 + ROUNDEVEN(w * px1), qx2 = x1 + ROUNDEVEN(w * px2);
  double qy1 = y1 + ROUNDEVEN(h * py1), qy2 = y1 + ROUNDEVEN(h * py2);
  const TINFO& ti = TEXINFO[symbol];
  double u1 = PROPORTIONCONVERTERX(px1, largex, ti.NUMTEXX);
  double u2 = PROPORTIONCONVERTERX(px2, largex, ti.NUMTEXX);
  double v1 = PROPORTIONCONVERTERY(py1, largey, ti.NUMTEXY);
  double v2 = PROPORTIONCONVERTERY(py2, largey, ti.NUMTEXY);
  if (scroll) {
    u1 += SCROLLEFFECT / 100.0;
    u2 += SCROLLEFFECT / 100.0;
  }
  if (mirror) std::swap(u1, u2);
  // Nothing lands in the black bars: a quad reaching past the picture (a
  // sprite on the view's hidden bottom row, a swollen glyph at the edge, the
  // screen shake) is cut at the picture's edge, its texture cut alike.
  if (!CLIPTOPICTURE(qx1, qx2, u1, u2, VIEW_XSTART, VIEW_XSTART + VIEW_WIDTH) ||
      !CLIPTOPICTURE(qy1, qy2, v1, v2, VIEW_YSTART, VIEW_YSTART + VIEW_HEIGHT))
    return;
  THEBACKEND->QUAD(TEXTURE[symbol], float(qx1), float(qy1), float(qx2), float(qy2), float(u1),
                   float(v1), float(u2), float(v2), clr.R, clr.G, clr.B);
}

void RENDERCHAR(int32_t x, int32_t y, unsigned char symbol, BYTE attr, BYTE sat, BYTE bri,
                int32_t effect3d, int32_t largex, int32_t largey, double zoom,
                bool ekranmirror) {
  RENDERCHARCODE(x, y, symbol, attr, sat, bri, effect3d, largex, largey, zoom, ekranmirror);
}

void RENDERCHARCODE(int32_t x, int32_t y, int32_t symbol, BYTE attr, BYTE sat, BYTE bri,
                    int32_t effect3d, int32_t largex, int32_t largey, double zoom,
                    bool ekranmirror) {
  if (symbol < LOCHAR || symbol > HICHAR) return;
  if (MODERN_VISUALS == 0) zoom = 100;
  bool mirror = false, scroll = false;
  if (effect3d >= EFFECT3D_MIRROR) {
    effect3d -= EFFECT3D_MIRROR;
    mirror = true;
  }
  if (effect3d >= EFFECT3D_SCROLL) {
    effect3d -= EFFECT3D_SCROLL;
    scroll = true;
  }
  if (ekranmirror && y >= 1 && y <= UDT_Y && x >= 1 && x <= UDT_X) {
    CELLINFO& c = EKRAN[y][x];
    // The solid tile has no character of its own; the full block stands for it.
    c.SYMBOL = symbol == HICHAR ? 219 : static_cast<unsigned char>(symbol);
    c.ATTR = attr;
    c.SATURATION = sat;
    c.BRIGHTNESS = bri;
    c.EFFECT3D = effect3d;
  }
  if (bri == 0) return;
  if (GARBLEEFFECTWASCALLED && MYNUMBER >= 1 && MYNUMBER <= 2 && CYCLES[MYNUMBER] > 0 &&
      symbol != ' ')
    symbol = CHOSEN[MYNUMBER];
  if (DEATHEFFECTWASCALLED && random(100) < 30) {
    bri = static_cast<BYTE>(std::trunc(bri * 0.7));
    sat = 0;
  }
  if (symbol < LOCHAR) return;
  const TINFO& ti = TEXINFO[symbol];
  if (ti.ITS_LARGE) {
    if (largex < 1 || largex > ti.NUMTEXX) largex = 1;
    if (largey < 1 || largey > ti.NUMTEXY) largey = 1;
  } else {
    largex = -1;
    largey = -1;
  }
  const int b = attr / 16 % 16, f = attr % 16;
  const int32_t sx = x - 1, sy = y - 1;
  if ((b > 0 && IGNORE_BATTR == 0) || RENDER_BLACKS)
    BLITPART(HICHAR, sx, sy, SATURATE(RGBCOLORS[b], sat, bri), 0, 0, 1, 1, false, -1, -1, false,
             zoom);
  if (f == b || symbol == ' ' || symbol == 255) return;
  const RGBCOLOR fc = SATURATE(RGBCOLORS[f], sat, bri);
  const RGBCOLOR dc{static_cast<BYTE>(fc.R * 0.4), static_cast<BYTE>(fc.G * 0.4),
                    static_cast<BYTE>(fc.B * 0.4)};
  auto piece = [&](RGBCOLOR c, double a, double bb, double cc, double d) {
    BLITPART(symbol, sx, sy, c, a, bb, cc, d, false, largex, largey, false, zoom);
  };
  switch (effect3d) {
    case EFFECT3D_NONE:
      BLITPART(symbol, sx, sy, fc, 0, 0, 1, 1, mirror, largex, largey, scroll, zoom);
      break;
    case EFFECT3D_RIGHT:
      piece(fc, 0, 0, 0.67, 1);
      piece(dc, 0.67, 0, 1, 1);
      break;
    case EFFECT3D_TOP:
      piece(fc, 0, 0.33, 1, 1);
      piece(dc, 0, 0, 1, 0.33);
      break;
    case EFFECT3D_BOTH:
      piece(fc, 0, 0.33, 0.67, 1);
      piece(dc, 0, 0, 1, 0.33);
      piece(dc, 0.67, 0.33, 1, 1);
      break;
    case EFFECT3D_CORNER:
      piece(fc, 0, 0, 0.67, 1);
      piece(fc, 0.67, 0.33, 1, 1);
      piece(dc, 0.67, 0, 1, 0.33);
      break;
    default:
      break;
  }
}

void RENDERSTRING(int32_t x, int32_t y, const std::string& s, BYTE fcolor, BYTE bcolor, BYTE amp,
                  BYTE sat, BYTE bri) {
  const VMODETYPE saved = VMODE;
  const int32_t a = amp == 0 ? 1 : amp;
  VMODE.COL *= a;
  VMODE.ROW *= a;
  for (size_t i = 1; i <= s.size(); i++) {
    int32_t cx = x + static_cast<int32_t>(i) - 1;
    if (cx > VMODE.COL) break;
    RENDERCHAR(cx, y, static_cast<unsigned char>(s[i - 1]),
               static_cast<BYTE>(bcolor * 16 + fcolor), sat, bri, 0, -1, -1, 100, true);
  }
  VMODE = saved;
}
