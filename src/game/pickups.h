// The pickup list: weapons, health and armour placed on the map. In the
// campaign WEAPONCOUNTER marks who took an entry (1, 2, 3 = both); in
// deathmatch and survival it is the respawn countdown.
#pragma once
#include <cstdint>

#include "base/common.h"

constexpr int MAX_PICKUPS = 255;
constexpr int MAX_MAPWEAPONS = 254;  // weapon digits entered by the map scan
extern BYTE NUMBEROFWEAPONS;
extern BYTE WEAPONX[MAX_PICKUPS + 1], WEAPONY[MAX_PICKUPS + 1];
extern unsigned char WEAPONTYPE[MAX_PICKUPS + 1];  // '1'..'9', 'H', 'Y' or '.'
extern BYTE WEAPONCOUNTER[MAX_PICKUPS + 1];

// Appends an entry with counter 0; false (nothing written) when the list is full.
bool ADDPICKUP(BYTE x, BYTE y, unsigned char type);
