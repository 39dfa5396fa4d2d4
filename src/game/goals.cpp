#include "game/goals.h"
#include "game/particles.h"

#include "display/renderer.h"
#include "display/input.h"
#include "display/textscreen.h"
#include "game/survival.h"
#include "game/weapons.h"
#include "render/hud.h"
#include "render/los.h"
#include "render/messages.h"
#include "sound/sound.h"
#include "ui/menu.h"
#include "world/mapscript.h"
#include "game/doors.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/survival.h"
#include "render/view.h"
#include "shell/gameflow.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

BYTE ROTATECOUNTER = 1;
int32_t SHAKY = 0;
BYTE PEFFECT = 0;

namespace {
BYTE ME() { return MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1; }

double FROMME(BYTE p) {
  return DISTANCE(PLAYERX[p], PLAYERY[p], PLAYERX[ME()], PLAYERY[ME()]);
}

bool RESPAWNMODE() { return DEATHMATCH() || SURVIVAL(); }

// Player P standing on a portal to another level ends the level: everyone
// leaves the map and both players wait on the cell P came from.
bool TAKEPORTAL(BYTE p) {
  for (int i = 1; i <= NUMPORTALS && i <= MAX_PORTALS; i++) {
    if (PLAYERX[p] != PORTALX[i] || PLAYERY[p] != PORTALY[i] || PORTALLEVEL[i] == CURRENTMAP)
      continue;
    VICTORY = 1;
    NEXTMAP = PORTALLEVEL[i];
    for (BYTE q = 1; q <= NUMBEROFPLAYERS && q <= 2; q++)
      if (VALID(PLAYERX[q], PLAYERY[q])) {
        MAP[PLAYERX[q]][PLAYERY[q]] = STEPPEDON[q];
        MFATTR[PLAYERX[q]][PLAYERY[q]] = STEPPEDONC[q];
      }
    PLAYERX[p] = static_cast<BYTE>(PLAYERX[p] - OFFSETX[p]);
    PLAYERY[p] = static_cast<BYTE>(PLAYERY[p] - OFFSETY[p]);
    PLAYERX[3 - p] = PLAYERX[p];
    PLAYERY[3 - p] = PLAYERY[p];
    return true;
  }
  return false;
}

// The death message of player P: one of the twenty, with his name.
std::string DEATHMESSAGE(BYTE p, int k) {
  std::string m = DDESK[k];
  const size_t at = m.find('%');
  if (at != std::string::npos) m.replace(at, 1, PLAYERNAME[p]);
  return m;
}

void BLINKAT(int32_t x, int32_t y) {
  if (VALID(x, y)) ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 11);
}

// Player P has just died: the cell gets back what lay under him, the death is
// announced with sound and blood, and in deathmatch it counts as a frag for
// the other player.
void KILLPLAYER(BYTE p) {
  DEAD[p] = true;
  if (RESPAWNMODE() && RESPAWNINGPICKUPS.find(static_cast<char>(STEPPEDON[p])) != std::string::npos) {
    STEPPEDON[p] = ' ';
    STEPPEDONC[p] = 8;
  }
  const int32_t x = PLAYERX[p], y = PLAYERY[p];
  if (VALID(x, y)) {
    MAP[x][y] = STEPPEDON[p];
    MFATTR[x][y] = STEPPEDONC[p];
  }
  const int k = 1 + random(20);
  const std::string msg = DEATHMESSAGE(p, k);
  for (BYTE q = 1; q <= 2; q++) INFORM(q, msg, 10);
  STARTSOUND1(12, 12, false);
  STARTSOUND1(static_cast<uint16_t>(92 + p), static_cast<BYTE>(92 + p), false);
  if (VALID(x, y)) {
    const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; d++)
      for (int n = 0; n < 3; n++) ADDBLOOD(static_cast<BYTE>(x), static_cast<BYTE>(y), dx[d], dy[d], 15);
  }
  BLINKAT(x, y);
  BLINKAT(x - 1, y);
  BLINKAT(x + 1, y);
  BLINKAT(x, y + 1);
  BLINKAT(x, y - 1);
  if (DEATHMATCH()) {
    // DEATHS[p] is shown as the other player's frag count.
    if (DEATHS[p] < 255) DEATHS[p]++;
    DISPLAYFRAGS();
  }
}
}  // namespace

void CHECKGOALS() {
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) {
    if (INTANK[p] != 0) continue;
    if (TAKEPORTAL(p)) break;
  }
  if (PLAYERHEALTH[1] == 255) {
    VICTORY = 2;
    return;
  }
  for (BYTE p = 1; p <= 2; p++) {
    if (CHEAT) PLAYERHEALTH[p] = 100;
    if (PLAYERHEALTH[p] < 0) PLAYERHEALTH[p] = 0;
  }
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    if (PLAYERHEALTH[p] == 0 && !DEAD[p]) KILLPLAYER(p);
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) {
    if (PLAYERHEALTH[p] != 254) continue;
    DEAD[p] = false;
    DIEPLAYER(p);
    SPAWNPLAYER(p);
    LASTHEALTH[p] = PLAYERHEALTH[p];
  }
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) {
    if (PLAYERHEALTH[p] < LASTHEALTH[p] && FROMME(p) < 15) {
      const BYTE ref = static_cast<BYTE>(p + 7);
      if (SOUNDPLAYING1(ref)) STOPSOUND1(ref);
      STARTSOUND1(static_cast<uint16_t>(8 + randomLocal(2)), ref, false);
    }
    LASTHEALTH[p] = PLAYERHEALTH[p];
  }
  for (BYTE p = 1; p <= 2; p++)
    if (PLAYERHEALTH[p] > 100) PLAYERHEALTH[p] = 100;
}

void DIEPLAYER(BYTE pc) {
  if (pc < 1 || pc > 2) return;
  const BYTE w = CHOSENWEAPON[pc];
  if (DEATHMATCH() && w >= 1 && w <= 9 && VALID(PLAYERX[pc], PLAYERY[pc])) {
    MAP[PLAYERX[pc]][PLAYERY[pc]] = static_cast<unsigned char>('0' + w);
    MFATTR[PLAYERX[pc]][PLAYERY[pc]] = 14;
  }
  STEPPEDON[pc] = ' ';
  STEPPEDONC[pc] = 8;
  RESETWEAPONS(pc);
  ARMOR[pc] = 0;
  PLAYERHEALTH[pc] = 100;
  MTIMER[pc] = 90;
  if (!DEATHMATCH()) RESETWEAPONSTATUSFORPLAYER(pc);
}

void YOUWIN() {
  if (COMMACTIVE) {
    CLOSECOMM();
    COMMACTIVE = false;
    DRAWCOMMSTATUS();
  }
  TEXTMODE80X25();
  ITEM[1] = "LOADING...";
  MENU("", 1, 34, 11, SHOW, 1, NOTWAIT, false);
  PUSHDISPLAY();
  RESETSTARTUPSCRIPTENTRIESFORMAP(CURRENTMAP);
  CURRENTMAP = NEXTMAP;
}

void GAMEWONYES() {}

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

// The shimmer of the portals is this machine's own look: its draws never move
// the generator both linked games share (the other may play another look).
void PORTALEFFECT() {
  if (++PEFFECT >= 7) PEFFECT = 0;
  for (int i = 1; i <= NUMPORTALS; i++) {
    if (PORTALTYPE[i] == 0) continue;
    const int32_t px = PORTALX[i], py = PORTALY[i];
    // Both looks make this one draw; the classic look's further draws come
    // from the look's own generator, so the look never shifts the game's draws.
    const int32_t first = randomLocal(2);
    if (MODERN_VISUALS == 1) {
      PLACEPROP(123, static_cast<uint16_t>(px - 1), static_cast<uint16_t>(py + 1),
                first == 0 ? 1 : 4, 1, 3, 3, 0, 1);
      continue;
    }
    const int32_t x1 = px - first;
    const int32_t x2 = px + randomLook(2);
    const int32_t y1 = py - randomLook(2);
    const int32_t y2 = py + randomLook(2);
    for (int32_t x = x1; x <= x2; x++)
      for (int32_t y = y1; y <= y2; y++)
        if (VALID(x, y)) MBATTR[x][y] = randomLook(2) == 0 ? 1 : 9;
    if (VALID(px, py)) MBATTR[px][py] = 0;
  }
}
