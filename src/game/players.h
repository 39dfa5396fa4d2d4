// The player tables (players 1..2; index 0 unused): position, start cell and
// keys held. The movement and pickup rules add the rest of a player here.
#pragma once
#include <cstdint>

#include "base/common.h"

extern BYTE PLAYERX[3], PLAYERY[3];            // current cell
extern BYTE PLAYERX_[3], PLAYERY_[3];          // cell before the last step
extern BYTE PLAYERSTARTX[3], PLAYERSTARTY[3];  // start cell found by the map scan
extern bool KEYS[3][11];                       // keys 1..10 held
