// What a bullet of the hitscan weapons (1 Scrap gun, 2 Range Shotgun,
// 3 Power Shotgun, 4 Chaingun, 9 Mini Gun) does to the cell its trace stopped
// on: the damage table by weapon, target and distance, blood, knockback.
#pragma once
#include <cstdint>

#include "base/common.h"

enum HITTARGET { HIT_BARREL, HIT_PLAYER, HIT_MONSTER };

// Damage of weapon W to TARGET at distance D from the shooter, rounded to the
// nearest whole point; -1 when the target is out of the weapon's reach
// (78 cells or more, or beyond 10 cells for the Power Shotgun).
int32_t HITSCANDAMAGE(int w, HITTARGET target, double d);
// Knockback cells of weapon W.
int32_t HITSCANKNOCKBACK(int w);
// True for the weapons whose shot goes on through every monster it kills.
bool HITSCANPIERCES(int w);

// The rules on the stop cell of the last trace of player P with weapon W.
// Each does nothing unless the stop cell holds its kind of target in reach.
void HITSCANBARREL(BYTE p, int w);
void HITSCANPLAYER(BYTE p, int w);  // deathmatch only
// True when the monster died (a piercing shot then traces again).
bool HITSCANMONSTER(BYTE p, int w);
