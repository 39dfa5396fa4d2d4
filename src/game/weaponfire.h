// Firing: the per-frame weapon steps the engine tick runs for each player,
// and the reload counters. The shot rules of each weapon arrive with the
// weapon rules; the tick already calls them in their order.
#pragma once
#include "base/common.h"

// Single shots of the chosen weapon (called when WEAPONFIRED is set on foot).
void HANDLEWEAPONFIRE(BYTE p);
// Held fire of the chaingun, the minigun and the flame gun.
void HANDLECHAINGUNFIRE(BYTE p);
void HANDLEMINIFIRE(BYTE p);
void HANDLEFLAMEGUNFIRE(BYTE p);
// The charge countdown of the NRG - 8000, right after the minigun step.
void HANDLEBFGCHARGE(BYTE p);
// Every reload counter above 0 drops by 1 each frame, MINITIMER by 8.
void MANAGEAMMOSTATUS();
