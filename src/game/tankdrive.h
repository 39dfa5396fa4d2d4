// Driving tanks: the may-go test with its crushing, moving, aiming, the tank
// gun and its blast, leaving, and drawing a tank into the view. The tank
// tables themselves live in game/tanks.h.
#pragma once
#include <cstdint>

#include "base/common.h"

extern int32_t LASTTURRETOFFSET;

// Whether tank TN may move one cell by (OX, OY): a zero step may, a diagonal
// one never; otherwise the three cells the leading edge enters must hold a
// space, a monster, a player or 'O'. A monster in the way is crushed (the
// tank loses its full energy / 9) unless that would use up the tank's
// health, which blocks the move and spares the monster.
bool TANKCANGO(BYTE tn, int32_t ox, int32_t oy);
// Moves tank TN by (OX, OY) when it may go, else redraws it in place; the
// players inside ride along.
void MOVETANK(BYTE tn, int32_t ox, int32_t oy);
// The turret direction whose step equals (OFFX, OFFY); 0 for no step, 8 when none matches.
int32_t PROPERTURRETOFFSET(int32_t tindex, int32_t offx, int32_t offy);
// Puts player PC out of his tank onto the last free cell of the eight cells two
// steps from the tank's centre; he stays inside when none is free.
void GETOUTOFTANK(BYTE pc);
// Draws tank Z into the view window centred on (VX, VY).
void DRAWTANKONSCREEN(BYTE z, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey);

// Fires the gun of the tank player PC sits in: a hit-scan shell along the
// turret with its trail, blast, light, sound, and 150 damage with knockback
// to a monster at the impact.
void SHOOT(BYTE pc);
// The blast of a tank shell around (X, Y), the centre excluded.
void HURTINRADIUSTANK(BYTE x, BYTE y);
// The tank gun's trace: from player P's cell in steps of his fire direction
// while the cell holds a space or a turret glyph; the stop cell and its glyph
// go to TOUCHX/TOUCHY/TOUCHCHAR[P]. The edge of the grid stops it.
void RETURNTOUCHPOINT4(BYTE p);
