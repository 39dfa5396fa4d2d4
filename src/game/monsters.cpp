#include "game/monsters.h"

#include "display/renderer.h"
#include "shell/gameflow.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

uint16_t NUMBEROFMONSTERS = 0;
uint16_t MAXMONSTERS = 0;
uint16_t MONSTERSBACKUP = 0;
BYTE MONSTERTYPE[MAX_MONSTERS + 1];
BYTE MONSTERX[MAX_MONSTERS + 1], MONSTERY[MAX_MONSTERS + 1];
BYTE MONSTERX_[MAX_MONSTERS + 1], MONSTERY_[MAX_MONSTERS + 1];
int32_t MONSTERENERGY[MAX_MONSTERS + 1];
int32_t MONSTERHURT[MAX_MONSTERS + 1];
BYTE MEDICTARGET[MAX_MONSTERS + 1];
BYTE ONFIRE[MAX_MONSTERS + 1];
BYTE SAW[MAX_MONSTERS + 1];

std::string MLOOKS = "MNZIXUJDECmx";
uint16_t ELIMIT[ALLMONSTERS + 1] = {0, 50, 200, 100, 100, 1, 1000, 100, 400, 100, 50, 75, 4000};
const BYTE MONSTERCOLOR[ALLMONSTERS + 1] = {0, 12, 5, 10, 0, 13, 15, 9, 2, 3, 4, 7, 6};
const BYTE MONSTERCONTACT[ALLMONSTERS + 1] = {0, 1, 3, 10, 3, 20, 0, 1, 10, 2, 2, 1, 24};
const BYTE MONSTERTANKDAMAGE[ALLMONSTERS + 1] = {0, 1, 1, 1, 1, 1, 0, 1, 5, 2, 3, 3, 5};
int32_t BOSSHEALTH = 0, HELPERHEALTH = 0;

BYTE NUMBEROFHELPERS = 0;
BYTE HELPERX[MAX_HELPERS + 1], HELPERY[MAX_HELPERS + 1];
int32_t HELPERGOLD[MAX_HELPERS + 1], HELPERYOFFSET[MAX_HELPERS + 1];

BYTE STEALTHCOLOR(int32_t x, int32_t y) {
  if (NEW_MONSTERS != 0) return 8;
  BYTE result = 8;
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++)
      if (VALID(x + dx, y + dy) && MAP[x + dx][y + dy] != ' ') result = MFATTR[x + dx][y + dy];
  return result;
}

void ADDMONSTER(BYTE x, BYTE y, BYTE type, BYTE startvalue) {
  if (MAXMONSTERS < 65535) MAXMONSTERS++;
  if (NUMBEROFMONSTERS >= MAX_MONSTERS) return;
  if (type < 1 || type > ALLMONSTERS || !VALID(x, y)) return;
  uint16_t n = ++NUMBEROFMONSTERS;
  MONSTERX[n] = MONSTERX_[n] = x;
  MONSTERY[n] = MONSTERY_[n] = y;
  MONSTERTYPE[n] = type;
  MONSTERHURT[n] = 0;
  MONSTERENERGY[n] = ELIMIT[type];
  ONFIRE[n] = 0;
  MEDICTARGET[n] = startvalue;
  SAW[n] = 0;
  MAP[x][y] = 'M';
  MFATTR[x][y] = type == 4 ? STEALTHCOLOR(x, y) : MONSTERCOLOR[type];
}

void ADDMONSTERACCORDINGTODIFFICULTY(uint16_t x, uint16_t y, uint16_t type) {
  int count = 1;
  if (GAMEDIFFICULTY == 2) {
    if (random(2) == 1) count = 2;
  } else if (GAMEDIFFICULTY == 3) {
    count = 2;
  } else if (GAMEDIFFICULTY == 4) {
    count = 3;
  }
  if (type == 6 || type == 12) count = 1;
  for (int i = 0; i < count; i++)
    ADDMONSTER(static_cast<BYTE>(x), static_cast<BYTE>(y), static_cast<BYTE>(type), 0);
}

unsigned char WHICHCHARISTHISMONSTER(uint16_t n) {
  if (n < 1 || n > NUMBEROFMONSTERS) return 'M';
  BYTE type = MONSTERTYPE[n];
  if (MODERN_VISUALS != 1) {
    if (type == 6) return 'P';
    if (type == 12) return 'A';
    return 'M';
  }
  static const unsigned char glyphs[ALLMONSTERS + 1][2] = {
      {'M', 'M'}, {127, 135}, {225, 235}, {134, 142}, {167, 166}, {129, 133}, {161, 162},
      {163, 144}, {175, 238}, {232, 237}, {169, 170}, {172, 173}, {234, 164}};
  if (type < 1 || type > ALLMONSTERS) return 'M';
  int f = (MONSTERX[n] + MONSTERY[n]) % 2;
  return glyphs[type][f];
}
