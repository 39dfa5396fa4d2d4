// Driving tanks: moving, aiming, firing, leaving, and drawing a tank into
// the view. The tank tables themselves live in game/tanks.h.
#pragma once
#include <cstdint>

#include "base/common.h"

extern int32_t LASTTURRETOFFSET;

// Moves tank TN by (OX, OY) when it may go, else redraws it in place.
void MOVETANK(BYTE tn, int32_t ox, int32_t oy);
// The turret direction whose step equals (OFFX, OFFY); 0 for no step, 8 when none matches.
int32_t PROPERTURRETOFFSET(int32_t tindex, int32_t offx, int32_t offy);
// Fires the gun of the tank player PC sits in.
void SHOOT(BYTE pc);
// Puts player PC out of his tank.
void GETOUTOFTANK(BYTE pc);
// Draws tank Z into the view window centred on (VX, VY).
void DRAWTANKONSCREEN(BYTE z, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey);
