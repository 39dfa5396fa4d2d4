// The level clock: how long the level has been played, in minutes and
// seconds. It runs while the world runs (not while the game is paused), is
// stored with save games and level states, and picks up from there.
#pragma once
#include <cstdint>

#include "base/common.h"

extern BYTE MINUTES, SECONDS;  // the clock as stored; minutes stop at 255
extern int32_t TIMER;          // seconds counted so far
extern int32_t CLOCKMS;        // milliseconds toward the next second

// A level starts at 0:00.
void RESETLEVELCLOCK();
// After a stored state was read into MINUTES and SECONDS: the count goes on
// from there (TIMER := |MINUTES x 60 + SECONDS - 1|, the next second shows
// the stored time again).
void RESUMELEVELCLOCK();
// One frame of play (UPDATE_TICKS milliseconds) passes.
void ADVANCELEVELCLOCK();
