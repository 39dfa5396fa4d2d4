// Monster behaviour: the per-tick monster step (noticing, the speed dividers,
// the move choice and its legality test, contact damage and the ranged
// attacks of each type) and the monster guns with their shared trace.
#pragma once
#include <cstdint>

#include "base/common.h"

// Speed dividers: counter 1 cycles 1, 2, 3, 0; counter 2 1..5, 0; counter 3
// 1, 0. A monster type acts when its counter is 0; the view interpolates a
// monster's step with the same counters.
extern BYTE MONSTERCOUNTER1, MONSTERCOUNTER2, MONSTERCOUNTER3, MONSTERCOUNTER4;
extern BYTE MNOTICED;  // monsters that noticed my player this tick
extern bool SSOUND;    // a monster shotgun fired this tick
extern bool CSOUND;    // a monster chaingun fired this tick

// The move choice of the monster being stepped: candidate cells 1..5, the
// chosen cell and the step toward the target player. CHOOSEBESTMOVE fills
// them; MONSTERS reads the chosen cell.
extern int32_t MX[6], MY[6];
extern int32_t CHOSENX, CHOSENY;
extern int32_t XX, YY;

// Players the monsters deal with (2 only with two players), and my player
// (the one whose messages, sounds and camouflage count).
BYTE MONSTERPLAYERS();
BYTE MONSTERMYPLAYER();

// The monster step, every second frame while hostility is allowed: the boss
// and helper energies, noticing, then every monster that noticed a player
// attacks and moves by its type's rules.
void MONSTERS();
// True when monster M acts in this call (its type's speed divider is 0).
bool MONSTERACTS(uint16_t m);
// The player monster M aims at: the nearer one (a tie goes to player 2), or
// the other when that one is dead and the other is not.
BYTE MONSTERTARGET(uint16_t m);
// Picks the cell monster M steps to next into CHOSENX, CHOSENY (left as they
// are when no candidate qualifies; the caller sets them to the current cell).
void CHOOSEBESTMOVE(uint16_t m);
// Whether monster MN may step onto (X, Y) by its type's rules.
bool MONSTERCANGO(uint16_t mn, int32_t x, int32_t y);
// The ranged attack of monster M after its move, and the boss's attack that
// runs on every call.
void MONSTERATTACK(uint16_t m);
void BOSSATTACK(uint16_t m);

// Monster guns: a shot from (X, Y) in direction (XX, YY) that hurts only
// players and barrels.
void SHOTGUN(BYTE x, BYTE y, int32_t xx, int32_t yy);
void SHOTGUN2(BYTE x, BYTE y, int32_t xx, int32_t yy);
void CHAINGUN(BYTE x, BYTE y, int32_t xx, int32_t yy);
// The monster trace: from (IX, IY) step by the offset until a cell holds
// neither ' ' nor a projectile or flame glyph; the stop cell and its glyph go
// to TOUCHX[3], TOUCHY[3], TOUCHCHAR[3]. A zero offset stops on the start cell.
void RETURNTOUCHPOINT3(BYTE ix, BYTE iy, int32_t xoffset, int32_t yoffset);
// True when the lowest-numbered monster at (X, Y) is a friend (type 6).
bool FRIENDAT(int32_t x, int32_t y);
