// Menu screens: the dim patterned backdrop, the banner line at the bottom
// with its moving highlight, the starfield, and the door transition.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"
#include "base/settings.h"  // SHOWSTARS: the banner animation also runs the starfield

constexpr int MAX_STARS = 255;

// The banner line shown at the bottom of menu screens.
extern std::string CSTRING;
// Position and direction (+1 or -1) of the banner highlight.
extern int32_t XMOVIE, MOFFSET;
extern BYTE STARX[MAX_STARS + 1], STARY[MAX_STARS + 1], STARSPEED[MAX_STARS + 1],
    STARCOUNTER[MAX_STARS + 1], STARCOLOR[MAX_STARS + 1];
extern BYTE NUMBEROFSTARS;

// The banner: the game's title and version, the title starting at column 7.
std::string MAKEBANNER();
// True when the banner is on screen (its title letter at (7, 25)).
bool BANNERSHOWN();
// Paints the dim backdrop over the 80 x 25 screen and shows it.
void RENDERBLUE();
// Writes the banner at (1, 25) in colour 7.
void DISPLAYLOGO();
// The title logo: the game's name in large block letters, rows
// LOGO2ROW..LOGO2ROW + 4, centred, ash grey and ember red.
constexpr int LOGO2ROW = 14;
void DISPLAYLOGO2();
// Clears the screen to black and rewrites the banner.
void OPENDOOR();
// Advances the banner highlight (and the starfield) one step, shows the
// screen and waits 20 ms. Does nothing while the banner is not on screen.
void MOVIE();
// Advances the starfield one step.
void STARS();
// A framed box (menu, question, prompt) now covers columns X1..X2 and rows
// Y1..Y2, its shadow included: stars pass behind it. A box is forgotten when
// the backdrop is repainted, or when its top-left frame cell is gone.
void SHELTERBOX(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Forgets every box (the screen was cleared).
void CLEARSHELTERS();
// Has no effect.
void MOV(BYTE m1, BYTE m2);
// One idle step of a menu or prompt waiting for a key: the banner step when
// the banner is shown, else a plain screen push and a 20 ms wait, so that
// frames keep coming either way.
void MENUIDLE();
// Called by MENUIDLE each time it runs while set (the link keeps its
// connection alive while a player types at a prompt).
extern void (*MENUIDLEHOOK)();
