// Doors, traps, portals and goals: the rules the engine tick runs on the
// tables the map scan fills, and the small per-tick effects.
#pragma once
#include <cstdint>

#include "base/common.h"
#include "game/doors.h"

extern BYTE ROTATECOUNTER;  // 1..8, the frame of spinning bars and the automap blink
extern int32_t SHAKY;       // ticks of screen shake left
extern BYTE PEFFECT;        // portal animation phase 0..6

// Portals taken, the link game-over marker, deaths with their messages,
// blood and frags, the respawn request, hurt sounds and the health cap.
void CHECKGOALS();
// Resets player PC who is about to come back: in deathmatch the weapon in
// hand drops on his cell; weapons, armour and what lay under him are cleared,
// health is full, and outside deathmatch the map's pickups are his again.
void DIEPLAYER(BYTE pc);
// The level was left through a portal: "LOADING...", the start-up script
// entries of the level left are reset, and the next level becomes current.
void YOUWIN();
// The game was won; nothing more happens.
void GAMEWONYES();
// Texture scroll, screen shake, the spinning-bar frame and the wavy phase.
void VARIOUSEFFECTS(BYTE player, BYTE screen);
// Animated portals.
void PORTALEFFECT();
