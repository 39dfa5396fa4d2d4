// The view renderer: turns the world grid around one viewer into one frame
// of glyphs. DRAWVIEW40 walks the window, CELLDRAWINFO decides how each map
// cell looks, and the actor passes draw tanks, monsters, players, rockets and
// sparks on top. The half-cell smooth movement, props and sparks in the
// overlay layers, the sea shimmer and the low-health garble live here too.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int MAXLAYERS = 4;
constexpr double ZOOM_MONSTER_NORMAL = 115;
constexpr double ZOOM_MONSTER_BOSS = 140;
constexpr int32_t ZOOM_MONSTER_HURT_DELTA = 30;
constexpr double ZOOM_PLAYER = 115;
constexpr bool SMOOTH_PLAYER_MOVEMENT = true;
constexpr int32_t PLAYER_ANIM_DELAY = 2;

// The first visible scenery cell of the frame; a disguised monster copies it.
extern CELLINFO LASTDRAWNNONEMPTYTILE;
extern int32_t PLAYERANIMATIONFRAME[3];  // walking frame 1..4 per player
extern int32_t PLAYERANIMATIONCOUNTER;   // frame-advance countdown, shared
extern BYTE PLAYER_MORPHING;             // 1 = the player glyph flickers
extern BYTE WAVYEFFECT;                  // rows sway sideways while > 0
extern int32_t WAVYCOUNTER;
extern bool SEASOUND[3];  // a sea cell was drawn near the viewer this frame
extern bool DRAW_MAP;     // automap mode: the view only does exploration bookkeeping
extern std::string GARBLECHOICE;  // glyphs of the low-health garble

// One frame of the view centred on (VX, VY); MIRROR_TO_EKRAN is accepted and unused.
void DRAWVIEW40(BYTE vx, BYTE vy, BYTE sizex, BYTE sizey, bool mirror_to_ekran,
                bool hack_dontdrawbottomline);
// How map cell (COUNTERX, COUNTERY) looks to a viewer at (VX, VY), drawn at
// screen cell (SCREENX, SCREENY).
CELLINFO CELLDRAWINFO(int32_t vx, int32_t vy, int32_t counterx, int32_t countery,
                      int32_t screenx, int32_t screeny);
// Removes a thing with its own drawing pass from the cell picture INFO.
void STEALTHIT(CELLINFO& info, int32_t x, int32_t y, int32_t screenx, int32_t screeny);
int32_t DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(int32_t x, int32_t y);
bool ISDRAWNROCK(int32_t x, int32_t y);
// Whether map row Y is drawn in the frame DRAWVIEW40 is drawing: not the
// window's bottom row when that is kept free, not the top rows behind the
// objective box. Things drawn over the cells (monsters, players, tanks,
// rockets) skip the rows whose cells are skipped. True outside a frame.
bool VIEWROWDRAWN(int32_t y);
// Brackets the drawing of a creature or vehicle over the cells: in the plain
// look the glyph gets its cell's black background (as on a text screen), so
// the floor under it does not show through; nothing in the modern look.
void ACTORCELL(bool on);
// A landmine shows only within MINESIGHT cells of the local player.
constexpr double MINESIGHT = 4;
// The map character cell (X, Y) is drawn as: a landmine too far from the
// local player to be seen is drawn as plain floor (' '), in every respect
// the floor's brightness, colour and glyph, so nothing gives it away.
unsigned char SHOWNMAPCHAR(int32_t x, int32_t y);
// The glyph an inventory item ('A', 'B', 'K', '@', 'i') is drawn with in the
// current look, on the map and in the HUD's item slots.
unsigned char ITEMGLYPH(unsigned char item);

// Window geometry: half size h(S) = round((S - 1) / 2), halves to even.
int32_t MAPTOSCREENX(int32_t mx, int32_t vx, int32_t sizex);
int32_t MAPTOSCREENY(int32_t my, int32_t vy, int32_t sizey);
bool CELLWITHINVIEW(int32_t mapx, int32_t mapy, int32_t vx, int32_t vy, int32_t sizex,
                    int32_t sizey);

void DRAWMONSTER(uint16_t mn, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey);
void DRAWPLAYER(BYTE p, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey);
unsigned char PLAYERANIMATIONCHAR(BYTE px, BYTE py);
bool PLAYERISMOVING(BYTE p);

// Half-cell shifts of everything drawn afterwards.
void SHIFTSCREEN(int32_t x, int32_t y);
void SHIFTSCREENBYHALFCHARBACK();
void SHIFTSCREENBYHALFCHARFORWARD();

// Overlay layers: props laid from a large sheet, sparks and muzzle flashes.
void PLACEPROP(uint16_t chr, uint16_t mapstartx, uint16_t mapstarty, uint16_t texstartx,
               uint16_t texstarty, uint16_t texlenx, uint16_t texleny, uint16_t timer,
               uint16_t layer);
void ADDSPARK(uint16_t x, uint16_t y);
void ADDMUZZLEFLASH(uint16_t x, uint16_t y);

// ATTR with its foreground replaced by NEWF.
BYTE REPLACEFATTR(BYTE attr, BYTE newf);
// Sea shimmer: swaps water colours in one band of columns per call.
void ANIMATESEA();
// Per-frame low-health garble and death look of player PN.
void GARBLEEFFECT(BYTE pn, BYTE scr);
void DEADEFFECT(BYTE pn, BYTE scr);
