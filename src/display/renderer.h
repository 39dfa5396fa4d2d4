// The glyph renderer: palette, saturation/brightness, cell geometry, glyph
// textures and RENDERCHAR, drawing through the back-end's quad sink.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int W_FULLSCREEN = 0, W_BORDERLESS = 1, W_BORDERED = 2;
constexpr int MODE_COLORKEY = 1, MODE_BLEND = 2;
constexpr int LARGETEXTURESIZE = 64;
constexpr int MAX_TEXTURES = 225;
constexpr int LOCHAR = 32, HICHAR = 256;
constexpr int SCREEN_BPP = 32;

extern int32_t WINDOWTYPE;
extern int32_t OPENGLMODE, OPENGLPREVMODE;
extern BYTE MODERN_VISUALS;
extern BYTE IGNORE_BATTR;
extern BYTE ASCII_CHARS;
extern UNIVERSALDISPLAYTYPE EMUKRAN;
extern int32_t SCREEN_WIDTH, SCREEN_HEIGHT, VIEW_HEIGHT, VIEW_YSTART;
// The picture: the largest 16:9 rectangle centred in the window. Wider
// windows get black bars at the sides, taller ones above and below; nothing
// is drawn outside it.
extern int32_t VIEW_WIDTH, VIEW_XSTART;
extern double TOFFX, TOFFY;
extern int16_t SCROLLEFFECT;
extern bool RENDER_BLACKS, GARBLEEFFECTWASCALLED, DEATHEFFECTWASCALLED;
extern unsigned char CHOSEN[3];  // per player 1..2
extern BYTE CYCLES[3];           // per player 1..2
extern int32_t RENDERCHAR_CACHE;
extern RGBCOLOR RGBCOLORS[16];
extern TINFO TEXINFO[HICHAR + 1];
// Back-end texture handle of each glyph code 32..256; 0 = no image (drawn as nothing).
extern int32_t TEXTURE[HICHAR + 1];
// Why the last glyph load failed (code 32 missing); empty after a good load.
extern std::string GLYPHLOADERROR;
extern bool APPLICATIONACTIVE;
// Why the back-end could not open its window (set by the back-end's OPEN).
extern std::string VIDEOERROR;

void INITVIDEO();
// Places the picture (VIEW_*) in the window of SCREEN_WIDTH x SCREEN_HEIGHT.
void PLACEPICTURE();
// The 1-based text cell of the current mode under window pixel (PX, PY);
// false (and 0, 0) outside the picture.
bool PIXELTOTEXTCELL(int32_t px, int32_t py, int32_t& col, int32_t& row);
void DONEVIDEO();
void SETRGBCOLORS();
void INITGL();
void SETVIDEOMODE(const VMODETYPE& mode);
// -1 loads the default glyph set, a map number that map's own glyphs. Returns
// false (and fills GLYPHLOADERROR) when the glyph of code 32 could not be loaded.
bool LOADMAINTEXTURES(int32_t mapspecific);
bool LOADCUSTOMTEXTURESFORMAP(uint16_t mapnum);
void FREESDLSURFACES();
void SWITCHTOOPENGLBLENDINGMODE();
void SWITCHTOOPENGLCOLORKEYMODE();
void STARTUPDATESCREEN();
void ENDUPDATESCREEN();
int32_t TEXTTOPIXELX(double x);
int32_t TEXTTOPIXELY(double y);
void ZOOMIT(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, double zoom);
RGBCOLOR SATURATE(RGBCOLOR src, BYTE intensity, BYTE brightness);
void RENDERCHAR(int32_t x, int32_t y, unsigned char symbol, BYTE attr, BYTE sat, BYTE bri,
                int32_t effect3d, int32_t largex, int32_t largey, double zoom, bool ekranmirror);
// Codes up to 256 are drawable (256 is the solid tile), so an int symbol form exists too.
void RENDERCHARCODE(int32_t x, int32_t y, int32_t symbol, BYTE attr, BYTE sat, BYTE bri,
                    int32_t effect3d, int32_t largex, int32_t largey, double zoom,
                    bool ekranmirror);
void RENDERSTRING(int32_t x, int32_t y, const std::string& s, BYTE fcolor, BYTE bcolor, BYTE amp,
                  BYTE sat, BYTE bri);
void BLITPART(int32_t symbol, int32_t screenx, int32_t screeny, RGBCOLOR clr, double px1,
              double py1, double px2, double py2, bool mirror, int32_t largex, int32_t largey,
              bool scroll, double zoom);
double PROPORTIONCONVERTERX(double px, int32_t largex, int32_t maxx);
double PROPORTIONCONVERTERY(double py, int32_t largey, int32_t maxy);
