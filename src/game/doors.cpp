#include "game/doors.h"
#include "game/particles.h"

#include "game/players.h"
#include "game/playerstate.h"
#include "render/los.h"
#include "render/messages.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

BYTE NUMBEROFDOORS = 0;
BYTE DOORTYPE[MAX_DOORS + 1];
BYTE DOORX[MAX_DOORS + 1], DOORY[MAX_DOORS + 1];
BYTE DOORMAXX[MAX_DOORS + 1], DOORMAXY[MAX_DOORS + 1];
BYTE DTIMER[MAX_DOORS + 1];
BYTE DOORSBACKUP = 0, DOORSOPENED = 0;

uint16_t COMMANDS = 0;
BYTE TRAPX[MAX_TRAPS + 1], TRAPY[MAX_TRAPS + 1];
BYTE DESTX[MAX_TRAPS + 1], DESTY[MAX_TRAPS + 1];
unsigned char DESTSYMBOL[MAX_TRAPS + 1];
bool TRAPREPEAT[MAX_TRAPS + 1];
BYTE TRAPACTIVATOR[MAX_TRAPS + 1];
BYTE MSGNUMBER[MAX_TRAPS + 1];
BYTE TRAPSBACKUP = 0;
BYTE MSGCOUNT = 0;
std::string TRAPMSG[MAX_TRAPMSGS + 1];

BYTE NUMPORTALS = 0;
BYTE PORTALX[MAX_PORTALS + 1], PORTALY[MAX_PORTALS + 1];
BYTE PORTALLEVEL[MAX_PORTALS + 1], PORTALTYPE[MAX_PORTALS + 1];
bool ERASEAFTER = false;

bool TRAPACTIVATED(BYTE x, BYTE y) {
  for (int i = 1; i <= COMMANDS && i <= MAX_TRAPS; i++)
    if (TRAPX[i] == x && TRAPY[i] == y) return false;
  return true;
}

namespace {
constexpr unsigned char C176 = 176;  // a closed door cell

// Distance from my player to the cell (X, Y).
double FROMME(int32_t x, int32_t y) {
  const BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  return DISTANCE(PLAYERX[me], PLAYERY[me], x, y);
}

void BLINK(int32_t x, int32_t y) {
  if (VALID(x, y)) ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 11);
}

bool DOORISEMPTY(int d) {
  for (int32_t x = DOORX[d]; x <= DOORMAXX[d]; x++)
    for (int32_t y = DOORY[d]; y <= DOORMAXY[d]; y++)
      if (VALID(x, y) && MAP[x][y] != ' ') return false;
  return true;
}

// Writes SYMBOL in colour COLOR over the door's rectangle, with a blink on
// every cell.
void PAINTDOOR(int d, unsigned char symbol, BYTE color) {
  for (int32_t x = DOORX[d]; x <= DOORMAXX[d]; x++)
    for (int32_t y = DOORY[d]; y <= DOORMAXY[d]; y++) {
      if (!VALID(x, y)) continue;
      MAP[x][y] = symbol;
      MFATTR[x][y] = color;
      BLINK(x, y);
    }
}

BYTE DOORCOLOR(int d) { return DOORTYPE[d] <= 11 ? KEYCOLOR[DOORTYPE[d]] : 15; }

// Open doors count down; at 1 a door closes only over an empty doorway.
void CLOSEDOORS() {
  for (int d = 1; d <= NUMBEROFDOORS; d++) {
    if (DTIMER[d] == 0) continue;
    if (DTIMER[d] == 1) {
      if (!DOORISEMPTY(d)) continue;  // someone stands in it: try again next time
      const int32_t cx = (DOORX[d] + DOORMAXX[d]) / 2, cy = (DOORY[d] + DOORMAXY[d]) / 2;
      if (FROMME(cx, cy) < 15) STARTSOUND1(87, 71, false);
      PAINTDOOR(d, C176, DOORCOLOR(d));
    }
    DTIMER[d]--;
  }
}

// The closed door cell that player P touches: the last of the cells at his
// reach to the right, left, above and below that holds a door; false if none.
bool TOUCHEDDOOR(BYTE p, int32_t& tx, int32_t& ty) {
  const int32_t r = INTANK[p] != 0 ? 2 : 1;
  const int32_t ox[4] = {r, -r, 0, 0}, oy[4] = {0, 0, r, -r};
  bool found = false;
  for (int k = 0; k < 4; k++) {
    const int32_t x = PLAYERX[p] + ox[k], y = PLAYERY[p] + oy[k];
    if (VALID(x, y) && MAP[x][y] == C176) {
      tx = x;
      ty = y;
      found = true;
    }
  }
  return found;
}

int DOORAT(int32_t x, int32_t y) {
  int found = 0;
  for (int d = 1; d <= NUMBEROFDOORS; d++)
    if (x >= DOORX[d] && x <= DOORMAXX[d] && y >= DOORY[d] && y <= DOORMAXY[d]) found = d;
  return found;
}

void TOUCHDOOR(BYTE p) {
  int32_t tx = 0, ty = 0;
  if (!TOUCHEDDOOR(p, tx, ty)) return;
  const int d = DOORAT(tx, ty);
  if (d == 0) {
    if (SOUNDPLAYING1(71)) STOPSOUND1(71);
    return;
  }
  const BYTE type = DOORTYPE[d];
  const bool near = FROMME(PLAYERX[p], PLAYERY[p]) < 15;
  if (type != 11 && (type < 1 || type > 10 || !KEYS[p][type])) {
    if (!SOUNDPLAYING1(71) && near) STARTSOUND1(88, 71, false);
    const std::string name = type >= 1 && type <= 10 ? KEYNAMES[type] : std::string("Unknown");
    INFORM(p, name + " key required.", 12);
    return;
  }
  DTIMER[d] = 10;
  if (near || (!LINKACTIVE && NUMBEROFPLAYERS == 2)) STARTSOUND1(62, 70, false);
  PAINTDOOR(d, ' ', 8);
}
}  // namespace

void DOORS() {
  CLOSEDOORS();
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    if (!DEAD[p]) TOUCHDOOR(p);
}
