// Doors, traps, portals and goals: the rules the engine tick runs on the
// tables the map scan fills, and the small per-tick effects.
#pragma once
#include <cstdint>

#include "base/common.h"

extern BYTE ROTATECOUNTER;  // 1..8, the frame of spinning bars and the automap blink
extern int32_t SHAKY;       // ticks of screen shake left
extern BYTE PEFFECT;        // portal animation phase 0..6

// Resets player PC who is about to come back (weapons, armour, health).
void DIEPLAYER(BYTE pc);
// Opening and closing doors (with the door rules).
void DOORS();
// Traps firing (with the trap rules).
void CHECKFORTRAPS();
// Portals taken, the link game-over marker, deaths and the health cap.
void CHECKGOALS();
// Texture scroll, screen shake, the spinning-bar frame and the wavy phase.
void VARIOUSEFFECTS(BYTE player, BYTE screen);
// Animated portals.
void PORTALEFFECT();
