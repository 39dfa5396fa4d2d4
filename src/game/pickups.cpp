#include "game/pickups.h"

BYTE NUMBEROFWEAPONS = 0;
BYTE WEAPONX[MAX_PICKUPS + 1], WEAPONY[MAX_PICKUPS + 1];
unsigned char WEAPONTYPE[MAX_PICKUPS + 1];
BYTE WEAPONCOUNTER[MAX_PICKUPS + 1];

bool ADDPICKUP(BYTE x, BYTE y, unsigned char type) {
  if (NUMBEROFWEAPONS >= MAX_PICKUPS) return false;
  BYTE n = ++NUMBEROFWEAPONS;
  WEAPONX[n] = x;
  WEAPONY[n] = y;
  WEAPONTYPE[n] = type;
  WEAPONCOUNTER[n] = 0;
  return true;
}
