// Finding, hurting and removing monsters, and the damage that barrels, trees
// and weak rock take from shots and blasts.
#pragma once
#include <cstdint>

#include "base/common.h"

// Monsters removed from the table so far; lets a holder of table indices
// tell that they have shifted.
extern uint32_t MONSTERPURGES;

// Index of the lowest-numbered monster at (DX, DY), 0 if none.
uint16_t FINDMONSTER(int32_t dx, int32_t dy);
// Kills monster NUMBERTOPURGE by table index (nothing for 0 or beyond the
// table): its cell is cleared and marked with a body, blood flies, types 2,
// 9, 10 and 11 drop ammunition there, and the later entries move down one
// place. Type 5 cannot die: it is told "Target INVULNERABLE.", gets its
// energy back and stays.
void PURGEMONSTER2(uint16_t numbertopurge);
// The same for the monster found at (DX, DY); nothing when there is none.
void PURGEMONSTER(int32_t dx, int32_t dy);
// Stuns monster MN: its timer MEDICTARGET := STUN (0..255), except for types
// 2 and 12.
void STUNMONSTER(uint16_t mn, int32_t stun);
// A barrel at (BX, BY) takes DAMAGE; at 210 accumulated it explodes.
void HURTBARREL(BYTE bx, BYTE by, BYTE damage);
// A tree or weak rock at (BX, BY) takes DAMAGE (weak rock three times that);
// the result is the lumber (tree) or scrap (rock) the absorbed damage yields.
RES HURTTREEWEAKROCK(BYTE bx, BYTE by, BYTE damage);
