// Traps: cells listed in the map file that, when the right kind of thing
// stands on them, write a symbol to a destination cell (walls, passages,
// monsters, items) or switch a light.
#include "display/renderer.h"
#include "game/particles.h"
#include "game/doors.h"
#include "game/items.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

const std::string TRAPITEMS = "/-\\| PM";

namespace {
constexpr int32_t TRAPCOST = 150;  // scrap a paying trap (activator 5) asks

bool ISTANKSHAPE(unsigned char c) { return c == '/' || c == '-' || c == '\\' || c == '|'; }

// Does what stands on the trap cell (C) match the trap's ACTIVATOR?
bool MATCHES(unsigned char c, BYTE activator) {
  if (TRAPITEMS.find(static_cast<char>(c)) == std::string::npos) return false;
  if (c == 'P') return activator == 0 || activator == 2 || activator == 5;
  if (c == ' ') return activator == 6;
  if (c == 'M') return activator == 1 || activator == 2 || activator == 4;
  return ISTANKSHAPE(c) && (activator == 3 || activator == 4);
}

// Would firing trap I change anything? A trap whose destination already holds
// its symbol waits (and stays armed) until the destination changes.
// A paying trap also waits while its light switch would change nothing, so
// that standing on it does not cost scrap every frame.
bool WOULDCHANGE(int i) {
  const unsigned char s = DESTSYMBOL[i];
  if (s == ']') return true;
  if (s == 'L') {
    if (TRAPACTIVATOR[i] != 5 || DESTX[i] < 1 || DESTX[i] > MAX_LIGHTS) return true;
    const BYTE value = static_cast<BYTE>(MAPSIZEY + 1 - DESTY[i]);
    return LIGHTHOW[DESTX[i]] != value || LIGHTRANDOM[DESTX[i]] != 0;
  }
  return !VALID(DESTX[i], DESTY[i]) || MAP[DESTX[i]][DESTY[i]] != s;
}

// Writes symbol S into the destination cell (X, Y): the written forms of the
// map file are stored as the loader stores them, and a monster symbol brings
// a monster of that type.
void WRITEDESTINATION(int32_t x, int32_t y, unsigned char s) {
  if (!VALID(x, y)) return;
  if (DEATHMATCH() && s >= '1' && s <= '9') return;  // weapons are not placed in deathmatch
  IDENTIFYITEM(s);
  MFATTR[x][y] = THINGCOLOR;
  MAPPP[x][y].INDOOR = false;
  unsigned char stored = s;
  if (s == '0') {
    stored = 'R';
    MAPPP[x][y].INDOOR = true;
  }
  if (s == '"') {
    stored = 'F';
    MAPPP[x][y].INDOOR = true;
  }
  if (stored == 'F') {
    stored = 'R';
    MDAMAGE[x][y] = 200;
  }
  MAP[x][y] = stored;
  const size_t t = MLOOKS.find(static_cast<char>(s));
  if (t != std::string::npos)
    ADDMONSTER(static_cast<BYTE>(x), static_cast<BYTE>(y), static_cast<BYTE>(t + 1), 0);
  ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 5);
}

// Fires trap I. False when it waited (a player who cannot pay).
bool FIRE(int i, unsigned char c) {
  if (TRAPACTIVATOR[i] == 5 && c == 'P') {
    const BYTE p = WHICHPLAYER(TRAPX[i], TRAPY[i]);
    if (p == 0) return false;
    if (!EATSCRAPLUMBER(p, TRAPCOST, 0)) {
      INFORM(p, "150 scrap required.", 12);
      const BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
      // The refusal is heard once, not restarted every frame the player waits.
      if (!SOUNDPLAYING1(71) &&
          DISTANCE(PLAYERX[p], PLAYERY[p], PLAYERX[me], PLAYERY[me]) < 15)
        STARTSOUND1(88, 71, false);
      return false;
    }
  }
  const unsigned char s = DESTSYMBOL[i];
  const BYTE light = DESTX[i];
  const BYTE value = static_cast<BYTE>(MAPSIZEY + 1 - DESTY[i]);  // the row as written in the file
  if (s == 'L' || s == ']') {
    if (light >= 1 && light <= MAX_LIGHTS) {
      LIGHTHOW[light] = value;
      LIGHTRANDOM[light] = s == 'L' ? 0 : static_cast<BYTE>(1 - LIGHTRANDOM[light]);
    }
  } else {
    WRITEDESTINATION(DESTX[i], DESTY[i], s);
  }
  // A level author's message for this trap is told when it fires.
  const BYTE msg = MSGNUMBER[i];
  if (msg >= 1 && msg <= MSGCOUNT && msg <= MAX_TRAPMSGS && !TRAPMSG[msg].empty())
    INFORM(MYNUMBER, TRAPMSG[msg], 15);
  return true;
}
}  // namespace

void CHECKFORTRAPS() {
  for (int i = 1; i <= COMMANDS && i <= MAX_TRAPS; i++) {
    if (!VALID(TRAPX[i], TRAPY[i])) continue;
    const unsigned char c = MAP[TRAPX[i]][TRAPY[i]];
    if (!MATCHES(c, TRAPACTIVATOR[i])) continue;
    // Checked before any payment, so a paying trap never takes scrap for nothing.
    if (!WOULDCHANGE(i)) continue;
    if (!FIRE(i, c)) continue;
    if (!TRAPREPEAT[i]) {
      TRAPX[i] = 1;
      TRAPY[i] = 1;
    }
  }
}
