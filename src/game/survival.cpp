#include "game/survival.h"

#include <cmath>
#include <string>
#include <vector>

#include "base/random.h"
#include "display/renderer.h"
#include "game/doors.h"
#include "game/goals.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/hud.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

uint16_t SURVIVALSPAWNS = 0;
BYTE SURVIVALLASTTIER = 0;
uint16_t SURVIVALFALLBACKS = 0;
bool SURVIVALBOSSDOWN = false;

namespace {

// Candidates a placement search may examine before it gives up.
constexpr int32_t SEARCHTRIES = 100;
// Farther than this from the players, and reachable within REACHSTEPS.
constexpr double SPAWNDISTANCE = 17.0;
constexpr uint16_t REACHSTEPS = 40;
// A respawn in an arena without spawn points stays this many steps from the
// start, away from the monster-thick far side of a generated level.
constexpr uint16_t ARENAREACH = 60;
constexpr int32_t ARENATRIES = 2000;

const char* const ACCESSTEXT =
    "My station is deflecting ground-to-space artillery strikes. Corvane, I granted you access "
    "to advanced weapon facility to the East.";
const char* const BOSSTEXT =
    "Corvane, I'm reading a displacement signature. It is the Infernal. My orbital lasers have "
    "been disabled. I can't help you. It has been an honor knowing you, sir.";
const char* const BOSSDOWNTEXT =
    "Corvane, are you there? Is this still you? I don't believe it! It's time to go home, old "
    "friend!";

BYTE players() { return NUMBEROFPLAYERS >= 2 ? 2 : 1; }

void story(const char* text, const char* voice) {
  TOGGLEOBJECTIVETEXT(text);
  TOGGLEVOICEFILE(voice, text);
}

// A random free cell: column 1..MAPSIZEX-1 and row 1..MAPSIZEY-1, drawn again
// (without counting) until it holds a space. A level without any free cell
// would draw forever; after a bounded number of draws it reports none.
bool drawFreeCell(BYTE& cx, BYTE& cy) {
  const int32_t w = MAPSIZEX > 1 ? MAPSIZEX - 1 : 1, h = MAPSIZEY > 1 ? MAPSIZEY - 1 : 1;
  const int32_t bound = 64 * w * h;
  for (int32_t i = 0; i < bound; i++) {
    const int32_t x = 1 + random(w);
    const int32_t y = 1 + random(h);
    if (VALID(x, y) && MAP[x][y] == ' ') {
      cx = static_cast<BYTE>(x);
      cy = static_cast<BYTE>(y);
      return true;
    }
  }
  return false;
}

double farFrom(BYTE p, BYTE x, BYTE y) { return DISTANCE(x, y, PLAYERX[p], PLAYERY[p]); }

bool reachFrom(BYTE p, BYTE x, BYTE y) {
  return REACHABLE(PLAYERX[p], PLAYERY[p], x, y, REACHSTEPS);
}

// First search: far from every player, reachable from player 1 or else 2.
bool strictFit(BYTE x, BYTE y) {
  for (BYTE p = 1; p <= players(); p++)
    if (!(farFrom(p, x, y) > SPAWNDISTANCE)) return false;
  for (BYTE p = 1; p <= players(); p++)
    if (reachFrom(p, x, y)) return true;
  return false;
}

// Second search: far from some player and reachable from some player.
bool looseFit(BYTE x, BYTE y) {
  bool far = false;
  for (BYTE p = 1; p <= players() && !far; p++) far = farFrom(p, x, y) > SPAWNDISTANCE;
  if (!far) return false;
  for (BYTE p = 1; p <= players(); p++)
    if (reachFrom(p, x, y)) return true;
  return false;
}

void dropKeyTwo(BYTE x, BYTE y) {
  // The symbol of key 2 in KEYSLOOK is "s"; the cell becomes a key cell.
  const BYTE key = 2;
  MFATTR[x][y] = KEYCOLOR[key];
  const int32_t row = MAPSIZEY - y + 1;
  if (VALID(x, row)) OOGA[x][row] = static_cast<BYTE>(KEYCOLOR[key] + 130);
  MDAMAGE[x][y] = key;
  MAP[x][y] = '%';
}
}  // namespace

uint16_t MONSTERSWITHINREACH(bool t1000s) {
  // A flood from every player standing on the map over everything but rock,
  // the one lasting wall of the generated levels: items, drops, monsters and
  // doors only stand in the way for a while.
  static std::vector<uint8_t> seen;
  static std::vector<int32_t> todo;
  const int32_t w = MAPSIZEX + 2, h = MAPSIZEY + 2;
  seen.assign(static_cast<size_t>(w) * h, 0);
  todo.clear();
  for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    if (VALID(PLAYERX[p], PLAYERY[p]) && !seen[PLAYERX[p] * h + PLAYERY[p]]) {
      seen[PLAYERX[p] * h + PLAYERY[p]] = 1;
      todo.push_back(PLAYERX[p] * h + PLAYERY[p]);
    }
  const bool anyone = !todo.empty();
  while (!todo.empty()) {
    const int32_t c = todo.back();
    todo.pop_back();
    const int32_t x = c / h, y = c % h;
    static const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; k++) {
      const int32_t nx = x + dx[k], ny = y + dy[k];
      if (nx > MAPSIZEX || ny > MAPSIZEY || !VALID(nx, ny) || seen[nx * h + ny] || MAP[nx][ny] == 'R') continue;
      seen[nx * h + ny] = 1;
      todo.push_back(nx * h + ny);
    }
  }
  uint16_t n = 0;
  for (uint16_t m = 1; m <= NUMBEROFMONSTERS; m++) {
    if (!t1000s && MONSTERTYPE[m] == 5) continue;
    if (!anyone || (VALID(MONSTERX[m], MONSTERY[m]) && seen[MONSTERX[m] * h + MONSTERY[m]])) n++;
  }
  return n;
}

bool DEATHMATCH() { return CURRENTMAP == 50; }
bool SURVIVAL() { return CURRENTMAP > 70 && CURRENTMAP < 80; }

void AIDIRECTOR() {}

int32_t HANDLENEXTMONSTERTIER(BYTE x, BYTE y, BYTE t) {
  switch (t) {
    case 1: return 3;
    case 3: return 4;
    case 4: return 11;
    case 11: return 10;
    case 10: return 9;
    case 9: return 2;
    case 2: return 8;
    case 8: {
      const bool lucky = random(5) == 1;
      if (!KEYS[1][6]) {
        KEYS[1][6] = KEYS[2][6] = true;
        story(ACCESSTEXT, "survivalaccess");
      }
      return lucky || MONSTERSWITHINREACH(true) == 0 ? 5 : -1;
    }
    case 5:
      if (MONSTERSWITHINREACH(true) != 0) return -1;
      story(BOSSTEXT, "survivalbosstaunt");
      return 12;
    case 12:
      NUMPORTALS = 1;
      PORTALX[1] = x;
      PORTALY[1] = y;
      PORTALLEVEL[1] = static_cast<BYTE>(CURRENTMAP + 1);
      PORTALTYPE[1] = 1;
      SURVIVALBOSSDOWN = true;
      story(BOSSDOWNTEXT, "survivalbossdefeat");
      return -1;
    default: return -1;
  }
}

void SURVIVALPLACE(BYTE x, BYTE y, BYTE& px, BYTE& py) {
  px = x;
  py = y;
  int32_t count = 0;
  bool found = false;
  bool nofree = false;
  BYTE cx = 0, cy = 0;
  // First search: up to 101 candidates, each examined.
  while (!found && count <= SEARCHTRIES) {
    if (!drawFreeCell(cx, cy)) {
      nofree = true;
      count = SEARCHTRIES + 1;
      break;
    }
    count++;
    found = strictFit(cx, cy);
  }
  if (!found && !nofree) {
    // Second search: the 101st candidate is drawn but not examined.
    count = 0;
    while (!found) {
      if (!drawFreeCell(cx, cy)) {
        count = SEARCHTRIES + 1;
        break;
      }
      if (++count > SEARCHTRIES) break;
      found = looseFit(cx, cy);
    }
  }
  if (count > SEARCHTRIES || !found) {
    SURVIVALFALLBACKS++;
    return;
  }
  px = cx;
  py = cy;
}

void SURVIVALSPAWNCHECK(BYTE x, BYTE y, BYTE t) {
  if (VALID(x, y)) {
    if (t == 12) dropKeyTwo(x, y);
    if (t == 6) {
      MAP[x][y] = '\'';
      STARTSOUND1(12, 12, false);
    }
  }
  if (!SURVIVAL()) return;
  const int32_t next = HANDLENEXTMONSTERTIER(x, y, t);
  if (next == -1) return;
  // Both machines of a link draw the same places from the same seed.
  RANDSEED(static_cast<uint64_t>(std::lround(PLAYERHEALTH[1]) + std::lround(PLAYERHEALTH[2])));
  BYTE px = x, py = y;
  SURVIVALPLACE(x, y, px, py);
  ADDMONSTER(px, py, static_cast<BYTE>(next), 0);
  SURVIVALSPAWNS++;
  SURVIVALLASTTIER = static_cast<BYTE>(next);
}

void SPAWNPLAYER(BYTE pc) {
  if (pc < 1 || pc > 2) return;
  BYTE x = PLAYERSTARTX[pc], y = PLAYERSTARTY[pc];
  if (DEATHMATCH() && DSNUMBER > 0) {
    const int32_t k = random(DSNUMBER) + 1;
    x = DSX[k];
    y = DSY[k];
  } else if (DEATHMATCH()) {
    // An arena without spawn points: a free cell within reach of the start
    // that keeps the players apart, so a respawn does not land on the rival;
    // the start itself when no such cell turns up.
    BYTE cx = 0, cy = 0;
    for (int32_t i = 0; i < ARENATRIES; i++) {
      if (!drawFreeCell(cx, cy)) break;
      const BYTE other = static_cast<BYTE>(3 - pc);
      if (players() == 2 && !(farFrom(other, cx, cy) > SPAWNDISTANCE)) continue;
      if (!REACHABLE(PLAYERSTARTX[pc], PLAYERSTARTY[pc], cx, cy, ARENAREACH)) continue;
      x = cx;
      y = cy;
      break;
    }
  }
  PLAYERX[pc] = PLAYERX_[pc] = x;
  PLAYERY[pc] = PLAYERY_[pc] = y;
  if (VALID(x, y)) {
    // Stamped as a step onto the cell stamps him; what the step rule keeps
    // under a player comes back when he steps off.
    const unsigned char under = MAP[x][y];
    const std::string& keep = NUMBEROFPLAYERS == 2 ? KEEPUNDERPLAYER_TWO : KEEPUNDERPLAYER_ONE;
    const bool kept = under != 0 && keep.find(static_cast<char>(under)) != std::string::npos;
    STEPPEDON[pc] = kept ? under : ' ';
    STEPPEDONC[pc] = kept ? MFATTR[x][y] : 8;
    MAP[x][y] = 'P';
    PLAYERCOLOR[pc] = ORIGINALPLAYERCOLOR[pc];
    MFATTR[x][y] = MODERN_VISUALS != 0 ? 7 : PLAYERCOLOR[pc];
  }
  static const int32_t bx[5] = {0, -1, 1, 0, 0}, by[5] = {0, 0, 0, 1, -1};
  for (int i = 0; i < 5; i++)
    if (VALID(x + bx[i], y + by[i]))
      ADDBLINK(static_cast<BYTE>(x + bx[i]), static_cast<BYTE>(y + by[i]), 1, 11);
}

void SURVIVALLEVELSTART() {
  SURVIVALSPAWNS = 0;
  SURVIVALLASTTIER = 0;
  SURVIVALFALLBACKS = 0;
  SURVIVALBOSSDOWN = false;
  if (DEATHMATCH() && NUMBEROFPLAYERS >= 2) {
    // Both start on the map's one start cell; the second one moves away.
    if (VALID(PLAYERX[2], PLAYERY[2]) && MAP[PLAYERX[2]][PLAYERY[2]] == 'P' &&
        (PLAYERX[2] != PLAYERX[1] || PLAYERY[2] != PLAYERY[1]))
      MAP[PLAYERX[2]][PLAYERY[2]] = ' ';
    SPAWNPLAYER(2);
  }
}
