#include "game/goals.h"

#include "display/renderer.h"
#include "game/doors.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/view.h"
#include "shell/gameflow.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

BYTE ROTATECOUNTER = 1;
int32_t SHAKY = 0;
BYTE PEFFECT = 0;

// The door and trap rules arrive with their own issue; the tables are ready.
void DOORS() {}
void CHECKFORTRAPS() {}

void CHECKGOALS() {
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && VICTORY == 0; p++) {
    if (INTANK[p] != 0) continue;
    for (int i = 1; i <= NUMPORTALS; i++) {
      if (PLAYERX[p] != PORTALX[i] || PLAYERY[p] != PORTALY[i] || PORTALLEVEL[i] == CURRENTMAP)
        continue;
      VICTORY = 1;
      NEXTMAP = PORTALLEVEL[i];
      for (BYTE q = 1; q <= NUMBEROFPLAYERS; q++)
        if (VALID(PLAYERX[q], PLAYERY[q])) {
          MAP[PLAYERX[q]][PLAYERY[q]] = STEPPEDON[q];
          MFATTR[PLAYERX[q]][PLAYERY[q]] = STEPPEDONC[q];
        }
      PLAYERX[p] = static_cast<BYTE>(PLAYERX[p] - OFFSETX[p]);
      PLAYERY[p] = static_cast<BYTE>(PLAYERY[p] - OFFSETY[p]);
      PLAYERX[3 - p] = PLAYERX[p];
      PLAYERY[3 - p] = PLAYERY[p];
      break;
    }
  }
  if (PLAYERHEALTH[1] == 255) {
    VICTORY = 2;
    return;
  }
  for (BYTE p = 1; p <= 2; p++) {
    if (CHEAT) PLAYERHEALTH[p] = 100;
    if (PLAYERHEALTH[p] < 0) PLAYERHEALTH[p] = 0;
  }
  // Death: the player's cell gets back what lay under it. Messages, sounds
  // and blood join with the death rules.
  for (BYTE p = 1; p <= NUMBEROFPLAYERS; p++) {
    if (PLAYERHEALTH[p] > 0 || DEAD[p]) continue;
    DEAD[p] = true;
    if (VALID(PLAYERX[p], PLAYERY[p])) {
      MAP[PLAYERX[p]][PLAYERY[p]] = STEPPEDON[p];
      MFATTR[PLAYERX[p]][PLAYERY[p]] = STEPPEDONC[p];
    }
  }
  for (BYTE p = 1; p <= 2; p++)
    if (PLAYERHEALTH[p] > 100 && PLAYERHEALTH[p] < 254) PLAYERHEALTH[p] = 100;
}

void VARIOUSEFFECTS(BYTE player, BYTE screen) {
  (void)player;
  (void)screen;
  if (++SCROLLEFFECT > 100) SCROLLEFFECT = 0;
  if (SHAKY > 0) {
    SHAKY--;
    TOFFX += (random(20) - 10) / 10.0;
    TOFFY += (random(20) - 10) / 10.0;
  }
  if (++ROTATECOUNTER > 8) ROTATECOUNTER = 1;
  if (ROTATECOUNTER % 2 == 0 && ++WAVYCOUNTER > 180) WAVYCOUNTER = 0;
}

void PORTALEFFECT() {
  if (++PEFFECT >= 7) PEFFECT = 0;
  for (int i = 1; i <= NUMPORTALS; i++) {
    if (PORTALTYPE[i] == 0) continue;
    const int32_t px = PORTALX[i], py = PORTALY[i];
    if (MODERN_VISUALS == 1) {
      PLACEPROP(123, static_cast<uint16_t>(px - 1), static_cast<uint16_t>(py + 1),
                random(2) == 0 ? 1 : 4, 1, 3, 3, 0, 1);
      continue;
    }
    const int32_t x1 = px - random(2);
    const int32_t x2 = px + random(2);
    const int32_t y1 = py - random(2);
    const int32_t y2 = py + random(2);
    for (int32_t x = x1; x <= x2; x++)
      for (int32_t y = y1; y <= y2; y++)
        if (VALID(x, y)) MBATTR[x][y] = random(2) == 0 ? 1 : 9;
    if (VALID(px, py)) MBATTR[px][py] = 0;
  }
}
