#include "game/weaponfire.h"

#include "game/weapons.h"

void HANDLEWEAPONFIRE(BYTE p) { WEAPONFIRED[p] = false; }
void HANDLECHAINGUNFIRE(BYTE p) { (void)p; }
void HANDLEMINIFIRE(BYTE p) { (void)p; }
void HANDLEFLAMEGUNFIRE(BYTE p) { (void)p; }

void HANDLEBFGCHARGE(BYTE p) {
  // The release of the three rails joins with the projectile rules.
  if (BFGCHARGE[p] > 0) BFGCHARGE[p]--;
}

void MANAGEAMMOSTATUS() {
  for (int p = 1; p <= 2; p++) {
    BYTE* timers[] = {&PISTOLTIMER[p],    &SHOTGUNTIMER[p],   &DSHOTGUNTIMER[p],
                      &CHAINGUNTIMER[p],  &RLAUNCHERTIMER[p], &FLAMEGUNTIMER[p],
                      &PLASMATIMER[p],    &RAILGUNTIMER[p],   &LANDMINETIMER[p]};
    for (BYTE* t : timers)
      if (*t > 0) (*t)--;
    MINITIMER[p] = MINITIMER[p] < 8 ? 0 : static_cast<BYTE>(MINITIMER[p] - 8);
  }
}
