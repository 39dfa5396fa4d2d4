// Firing: the per-frame weapon steps the engine tick runs for each player
// (single shots, held fire, the NRG charge) and the reload counters.
#pragma once
#include "base/common.h"

// Single shots of the weapon in hand (the engine calls it when WEAPONFIRED
// is set and the player is on foot; it clears WEAPONFIRED). The chaingun,
// flame gun and mini gun only take the trigger here and fire in their
// held-fire steps.
void HANDLEWEAPONFIRE(BYTE p);
// Held fire of the chaingun, the mini gun (with its spin-up and spin-down)
// and the flame gun.
void HANDLECHAINGUNFIRE(BYTE p);
void HANDLEMINIFIRE(BYTE p);
void HANDLEFLAMEGUNFIRE(BYTE p);
// The charge countdown of the NRG - 8000, right after the mini gun step: on
// the frame it reaches 1 the three rails leave.
void HANDLEBFGCHARGE(BYTE p);
// Every reload counter above 0 drops by 1 each frame, MINITIMER by 8.
void MANAGEAMMOSTATUS();

// Shared by the shot rules: the no-ammunition click of weapon W (sound 46
// for weapons 1..3, 47 for 4 and 9) with its reload counter.
void WEAPONCLICK(BYTE p, int w);
// Ejects a shell sideways from the shooter (left of the fire direction, and
// with BOTHSIDES also to the right).
void EJECTSHELLS(BYTE p, BYTE life, bool bothsides);
// The scrap gun's bridge building on the water cell of P's last trace.
void BUILDBRIDGE(BYTE p);
