#include "game/monsterdeath.h"

#include "game/items.h"
#include "game/monsters.h"
#include "render/lighting.h"
#include "world/grid.h"

uint16_t FINDMONSTER(int32_t dx, int32_t dy) {
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++)
    if (MONSTERX[m] == dx && MONSTERY[m] == dy) return m;
  return 0;
}

namespace {
// Glyph a monster type leaves on its cell, 0 for none, and the symbol whose
// item colour it takes.
void deathDrop(BYTE type, unsigned char& glyph, unsigned char& colourof) {
  switch (type) {
    case 10: glyph = 239; colourof = ']'; break;  // chaingun bullets
    case 9:
    case 11: glyph = 210; colourof = ','; break;  // shotgun shells
    case 2: glyph = 156; colourof = '{'; break;   // couple of rockets
    default: glyph = 0; colourof = ' '; break;
  }
}
}  // namespace

void PURGEMONSTER2(uint16_t numbertopurge) {
  const uint16_t n = numbertopurge;
  if (n == 0 || n > NUMBEROFMONSTERS) return;
  const BYTE x = MONSTERX[n], y = MONSTERY[n];
  const bool oncell = VALID(x, y);
  if (oncell) MAP[x][y] = ' ';
  if (MONSTERTYPE[n] == 5) {
    // Invulnerable: back to full energy; it re-stamps itself on its next move.
    MONSTERENERGY[n] = ELIMIT[5];
    ONFIRE[n] = 0;
    return;
  }
  if (oncell) {
    MAPPP[x][y].GORE = GORE_MONSTERBODY;
    unsigned char glyph, colourof;
    deathDrop(MONSTERTYPE[n], glyph, colourof);
    if (glyph != 0) {
      IDENTIFYITEM(colourof);
      MAP[x][y] = glyph;
      MFATTR[x][y] = THINGCOLOR;
    }
  }
  for (uint16_t m = n; m < NUMBEROFMONSTERS; m++) {
    MONSTERTYPE[m] = MONSTERTYPE[m + 1];
    MONSTERX[m] = MONSTERX[m + 1];
    MONSTERY[m] = MONSTERY[m + 1];
    MONSTERX_[m] = MONSTERX_[m + 1];
    MONSTERY_[m] = MONSTERY_[m + 1];
    MONSTERENERGY[m] = MONSTERENERGY[m + 1];
    MONSTERHURT[m] = MONSTERHURT[m + 1];
    MEDICTARGET[m] = MEDICTARGET[m + 1];
    ONFIRE[m] = ONFIRE[m + 1];
    SAW[m] = SAW[m + 1];
  }
  NUMBEROFMONSTERS--;
}
