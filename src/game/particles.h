// Particles and cell flashes: blood drops, spent shells and blinks. Each kind
// lives in a small fixed table (dense, 1-based, count beside it) with an add
// procedure, a mover the engine tick calls, and a removal that closes the gap.
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int MAX_BLOODS = 127;
extern BYTE NUMBEROFBLOODS;
extern BYTE BLOODX[MAX_BLOODS + 1], BLOODY[MAX_BLOODS + 1];
extern int32_t BLOODXOFFSET[MAX_BLOODS + 1], BLOODYOFFSET[MAX_BLOODS + 1];
extern BYTE BLOODLIFE[MAX_BLOODS + 1], BLOODSTATUS[MAX_BLOODS + 1];

constexpr int MAX_SHELLS = 77;
extern BYTE NUMBEROFSHELLS;
extern BYTE SHELLX[MAX_SHELLS + 1], SHELLY[MAX_SHELLS + 1];
extern int32_t SHELLXOFFSET[MAX_SHELLS + 1], SHELLYOFFSET[MAX_SHELLS + 1];
extern BYTE SHELLLIFE[MAX_SHELLS + 1], SHELLSTATUS[MAX_SHELLS + 1];

constexpr int MAX_BLINKS = 255;
extern BYTE NUMBEROFBLINKS;
extern BYTE BLINKX[MAX_BLINKS + 1], BLINKY[MAX_BLINKS + 1];
extern BYTE BLINKSTATE[MAX_BLINKS + 1], BLINKMAXSTATE[MAX_BLINKS + 1];
extern BYTE BLINKFATTR[MAX_BLINKS + 1], BLINKBATTR[MAX_BLINKS + 1];  // colours before the flash

// A blood drop at (X, Y) flying by the step for LIFE calls; refused when the
// table is full or the cell lies outside the grid.
void ADDBLOOD(BYTE x, BYTE y, int32_t xoffset, int32_t yoffset, BYTE life);
// A spent shell; none exist with the modern land look (NEW_LAND = 1).
void ADDSHELL(BYTE x, BYTE y, int32_t xoffset, int32_t yoffset, BYTE life);
// A colour flash of cell (X, Y) running from STATE to MAXSTATE. It keeps the
// cell's colours from before the first flash still running there.
void ADDBLINK(BYTE x, BYTE y, BYTE state, BYTE maxstate);

void PURGEBLOOD(BYTE n);
void PURGESHELL(BYTE n);
void PURGEBLINK(BYTE n);

// Movers: one step of every entry (blood every frame, shells at the start of
// every frame, blinks every second frame).
void BLOODS();
void SHELLS();
void BLINKS();
// Shows again the coloured light of every running blink (classic look) on a
// frame whose light grid was rebuilt after the blinks last moved.
void SHOWBLINKLIGHTS();
// Empties the three tables (level start).
void CLEARPARTICLES();
