// Projectiles: rockets, plasma balls, rails and flames. Each kind lives in a
// fixed table (dense, 1-based, count beside it) and on the map itself: a
// rocket or flame writes its glyph into MAP and clears the cell it leaves, so
// every other rule sees it as cell content. Each kind has an add procedure, a
// mover that the engine tick calls at the kind's own rate, and a removal that
// closes the gap in its table. Explosions, mines and particles live in their
// own units, included here for the callers of every add procedure.
#pragma once
#include <cstdint>

#include "base/common.h"
#include "game/explosions.h"
#include "game/particles.h"

constexpr int MAX_ROCKETS = 255;
extern BYTE NUMBEROFROCKETS;
extern BYTE ROCKETX[MAX_ROCKETS + 1], ROCKETY[MAX_ROCKETS + 1];
extern int32_t ROCKETXOFFSET[MAX_ROCKETS + 1], ROCKETYOFFSET[MAX_ROCKETS + 1];
extern unsigned char ROCKETLOOK;  // glyph of the rocket being moved or added

constexpr int MAX_PLASMAS = 255;
extern BYTE NUMBEROFPLASMAS;
extern BYTE PLASMAX[MAX_PLASMAS + 1], PLASMAY[MAX_PLASMAS + 1];
extern int32_t PLASMAXOFFSET[MAX_PLASMAS + 1], PLASMAYOFFSET[MAX_PLASMAS + 1];

constexpr int MAX_RAILS = 50;
extern BYTE NUMBEROFRAILS;
extern BYTE RAILX[MAX_RAILS + 1], RAILY[MAX_RAILS + 1];
extern int32_t RAILXOFFSET[MAX_RAILS + 1], RAILYOFFSET[MAX_RAILS + 1];
extern BYTE RAILOWNER[MAX_RAILS + 1];  // 1, 2 = player, 3 = monster

constexpr int MAX_FLAMES = 255;
extern BYTE NUMBEROFFLAMES;
extern BYTE FLAMEX[MAX_FLAMES + 1], FLAMEY[MAX_FLAMES + 1];
extern int32_t FLAMEXOFFSET[MAX_FLAMES + 1], FLAMEYOFFSET[MAX_FLAMES + 1];
extern BYTE FLAMELIFE[MAX_FLAMES + 1], FLAMESTATUS[MAX_FLAMES + 1];

// Monsters that burned to death in the last FLAMES call (the tick plays one
// death cry each).
extern BYTE BURNEDMONSTERS;

// "-\|/-\|/": the rocket glyphs, which other projectiles fly through.
extern const char* const ROTATESHAPES;

// Add procedures. A rocket, plasma ball or rail starts only on a blank cell
// and needs a step; a flame starts on a blank, rocket or flame cell. The new
// rocket and plasma ball are drawn at once. Full tables refuse silently.
void ADDROCKET(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset);
void ADDPLASMA(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset);
void ADDRAIL(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE owner);
void ADDFLAME(BYTE rockx, BYTE rocky, int32_t rockxoffset, int32_t rockyoffset, BYTE flamelif);

void PURGEROCKET(BYTE n);
void PURGEPLASMA(BYTE n);
void PURGERAIL(BYTE n);
void PURGEFLAME(BYTE n);
// Index of the first flame on (X, Y), 0 when none.
BYTE FINDFLAME(int32_t x, int32_t y);

// Movers, called by the engine tick: one cell per call for every entry.
void ROCKETS();
void PLASMAS(bool redrawonly);  // REDRAWONLY: draw in place (world paused)
void RAILS();
void FLAMES();

// Empties every projectile, explosion and particle table (level start).
void CLEARPROJECTILES();
