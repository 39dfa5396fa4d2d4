#include "world/savelayout.h"

#include "game/doors.h"
#include "game/explosions.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "world/grid.h"
#include "world/savegame.h"

namespace {
constexpr int W = MAX_MAPWIDTH, H = MAX_MAPHEIGHT;

void cell(SAVECODEC& c, BYTE& x, BYTE& y) {
  c.BYTEV(x, 0, W, "a column");
  c.BYTEV(y, 0, H, "a row");
}

// A table of moving shots: count, then X, Y and the two direction offsets.
void shots(SAVECODEC& c, BYTE& count, int max, BYTE* xs, BYTE* ys, int32_t* dx, int32_t* dy,
           const char* what) {
  const int n = c.COUNT(count, max, what);
  for (int i = 1; i <= n && c.OK(); i++) {
    cell(c, xs[i], ys[i]);
    c.OFFSET(dx[i], "a direction");
    c.OFFSET(dy[i], "a direction");
  }
}
}  // namespace

void GRIDLAYOUT(SAVECODEC& c) {
  if (c.MODE == CM_CHECK) {
    // Every grid byte is valid; only the length matters.
    if (c.OK() && c.DATA.size() - c.POS < static_cast<size_t>(W) * H * 5) {
      c.REFUSE("the file ends early (in the level grid)");
      return;
    }
    c.POS += static_cast<size_t>(W) * H * 5;
    return;
  }
  for (int x = 1; x <= W; x++)
    for (int y = 1; y <= H; y++) {
      c.BYTEV(MFATTR[x][y], 0, 255, "a colour");
      c.BYTEV(MDAMAGE[x][y], 0, 255, "a damage byte");
      c.CHR(MAP[x][y]);
      c.BYTEV(MAPPP[x][y].GORE, 0, 255, "a gore byte");
      c.BYTEV(MAPPP[x][y].EXPLORED, 0, 255, "an explored byte");
    }
}

void PROJECTILELAYOUT(SAVECODEC& c) {
  shots(c, NUMBEROFROCKETS, MAX_ROCKETS, ROCKETX, ROCKETY, ROCKETXOFFSET, ROCKETYOFFSET,
        "the rocket count");
  shots(c, NUMBEROFPLASMAS, MAX_PLASMAS, PLASMAX, PLASMAY, PLASMAXOFFSET, PLASMAYOFFSET,
        "the plasma count");
  const int n = c.COUNT(NUMBEROFFLAMES, MAX_FLAMES, "the flame count");
  for (int i = 1; i <= n && c.OK(); i++) {
    cell(c, FLAMEX[i], FLAMEY[i]);
    c.OFFSET(FLAMEXOFFSET[i], "a direction");
    c.OFFSET(FLAMEYOFFSET[i], "a direction");
    c.BYTEV(FLAMESTATUS[i], 0, 255, "a flame status");
    c.BYTEV(FLAMELIFE[i], 0, 255, "a flame life");
  }
}

void MONSTERLAYOUT(SAVECODEC& c) {
  uint16_t n0 = NUMBEROFMONSTERS;
  const int n = c.WORD(n0, 0, MAX_MONSTERS, "the monster count");
  c.WORD(MAXMONSTERS, 0, 65535, "the monsters' start count");
  if (!c.OK()) return;
  if (c.APPLYING()) NUMBEROFMONSTERS = static_cast<uint16_t>(n);
  for (int m = 1; m <= n && c.OK(); m++) {
    cell(c, MONSTERX[m], MONSTERY[m]);
    c.BYTEV(MONSTERTYPE[m], 0, 255, "a monster kind");
    c.BYTEV(ONFIRE[m], 0, 255, "a burning count");
    c.BYTEV(MEDICTARGET[m], 0, 255, "a medic target");
    c.BYTEV(SAW[m], 0, 255, "a seen flag");
    c.WORD32(MONSTERENERGY[m], 0, 65535, "a monster's energy");
    if (c.APPLYING()) {
      MONSTERX_[m] = MONSTERX[m];
      MONSTERY_[m] = MONSTERY[m];
    }
  }
}

void BACKUPLAYOUT(SAVECODEC& c, bool withmarker) {
  c.BYTEV(CHOSENWEAPONBACKUP, 0, 255, "the weapon backup");
  c.BYTEV(TRAPSBACKUP, 0, 255, "the trap backup");
  c.WORD(MONSTERSBACKUP, 0, 65535, "the monster backup");
  c.BYTEV(DOORSOPENED, 0, 255, "the doors opened");
  c.BYTEV(MONSTERCOUNTER1, 0, 255, "a monster counter");
  c.BYTEV(MONSTERCOUNTER2, 0, 255, "a monster counter");
  c.BYTEV(MONSTERCOUNTER3, 0, 255, "a monster counter");
  c.BYTEV(MONSTERCOUNTER4, 0, 255, "a monster counter");
  if (withmarker) {
    BYTE one = 1;
    c.BYTEV(one, 0, 255, "the section marker");
  }
}

void PICKUPTRAPLAYOUT(SAVECODEC& c) {
  const int n = c.COUNT(NUMBEROFWEAPONS, MAX_PICKUPS, "the pickup count");
  for (int i = 1; i <= n && c.OK(); i++) {
    cell(c, WEAPONX[i], WEAPONY[i]);
    c.BYTEV(WEAPONCOUNTER[i], 0, 255, "a pickup counter");
    c.CHR(WEAPONTYPE[i]);
  }
  BYTE a, b;
  SPLITTRAPCOUNT(COMMANDS > MAX_TRAPS ? MAX_TRAPS : COMMANDS, a, b);
  const int t = c.BYTEV(a, 0, 255, "the trap count") + c.BYTEV(b, 0, 255, "the trap count");
  if (!c.OK()) return;
  if (t > MAX_TRAPS) {
    c.REFUSE("the trap count " + std::to_string(t) + " is more than the " + std::to_string(MAX_TRAPS) +
           " a level can hold");
    return;
  }
  if (c.APPLYING()) COMMANDS = static_cast<uint16_t>(t);
  for (int i = 1; i <= t && c.OK(); i++) {
    cell(c, TRAPX[i], TRAPY[i]);
    cell(c, DESTX[i], DESTY[i]);
    c.BYTEV(TRAPACTIVATOR[i], 0, 6, "a trap activator");
    c.FLAG(TRAPREPEAT[i], "a trap repeat flag");
    c.CHR(DESTSYMBOL[i]);
  }
}

void DOORPATTERNLIGHTLAYOUT(SAVECODEC& c) {
  BYTE nd0 = NUMBEROFDOORS;
  const int nd = c.BYTEV(nd0, 0, MAX_DOORS, "the door count");
  c.BYTEV(DOORSOPENED, 0, 255, "the doors opened");
  if (!c.OK()) return;
  if (c.APPLYING()) NUMBEROFDOORS = static_cast<BYTE>(nd);
  for (int i = 1; i <= nd && c.OK(); i++) {
    cell(c, DOORX[i], DOORY[i]);
    cell(c, DOORMAXX[i], DOORMAXY[i]);
    c.BYTEV(DOORTYPE[i], 0, 255, "a door type");
    c.BYTEV(DTIMER[i], 0, 255, "a door timer");
  }
  c.COUNT(NUMBEROFPATTERNS, MAX_PATTERNS, "the pattern count");
  // All twenty patterns are stored whatever the count.
  for (int p = 1; p <= MAX_PATTERNS; p++)
    for (int v = 1; v <= MAX_PATTERNVALUES; v++) c.BYTEV(LPATTERN[p][v], 0, 255, "a pattern value");
  for (int p = 1; p <= MAX_PATTERNS; p++) c.BYTEV(PCOLOR[p], 0, MAX_PATTERNVALUES, "a pattern length");
  const int nl = c.COUNT(NUMBEROFLIGHTS, MAX_LIGHTS, "the light count");
  for (int i = 1; i <= nl && c.OK(); i++) {
    cell(c, LIGHTX1[i], LIGHTY1[i]);
    cell(c, LIGHTX2[i], LIGHTY2[i]);
    c.BYTEV(LIGHTHOW[i], 0, 255, "a light mode");
    c.BYTEV(LIGHTRANDOM[i], 0, 255, "a light flag");
    c.BYTEV(LIGHTTYPE[i], 0, 255, "a light type");
  }
}

void LEVELTABLESLAYOUT(SAVECODEC& c, bool withmarker) {
  PROJECTILELAYOUT(c);
  MONSTERLAYOUT(c);
  BACKUPLAYOUT(c, withmarker);
  PICKUPTRAPLAYOUT(c);
  c.BYTEV(PLAYERSTARTX[1], 0, W, "a start column");
  c.BYTEV(PLAYERSTARTY[1], 0, H, "a start row");
  c.BYTEV(PLAYERSTARTX[2], 0, W, "a start column");
  c.BYTEV(PLAYERSTARTY[2], 0, H, "a start row");
  c.BYTEV(MINUTES, 0, 255, "the minutes");
  c.BYTEV(SECONDS, 0, 59, "the seconds");
  DOORPATTERNLIGHTLAYOUT(c);
}

void EXPLOSIONRAILBLINKLAYOUT(SAVECODEC& c) {
  const int ne = c.COUNT(NUMBEROFEXPLOSIONS, MAX_EXPLOSIONS, "the explosion count");
  for (int i = 1; i <= ne && c.OK(); i++) {
    cell(c, EXPLOSIONX[i], EXPLOSIONY[i]);
    c.BYTEV(EXPLOSIONSTATE[i], 0, 255, "an explosion state");
    c.BYTEV(EXPLOSIONTYPE[i], 0, 255, "an explosion type");
  }
  shots(c, NUMBEROFRAILS, MAX_RAILS, RAILX, RAILY, RAILXOFFSET, RAILYOFFSET, "the rail count");
  const int nb = c.COUNT(NUMBEROFBLINKS, MAX_BLINKS, "the blink count");
  for (int i = 1; i <= nb && c.OK(); i++) {
    cell(c, BLINKX[i], BLINKY[i]);
    c.BYTEV(BLINKSTATE[i], 0, 255, "a blink state");
    c.BYTEV(BLINKMAXSTATE[i], 0, 255, "a blink state");
    c.BYTEV(BLINKFATTR[i], 0, 255, "a colour");
    c.BYTEV(BLINKBATTR[i], 0, 255, "a colour");
  }
}

void TANKLAYOUT(SAVECODEC& c) {
  const int n = c.COUNT(NUMBEROFTANKS, MAX_TANKS, "the tank count");
  for (int t = 1; t <= n && c.OK(); t++) {
    cell(c, TANKX[t], TANKY[t]);
    c.BYTEV(TURRET[t], 0, 8, "a turret direction");
    c.BYTEV(RELOAD[t], 0, 255, "a reload count");
    c.BYTEV(RELOAD2[t], 0, 255, "a burst count");
    c.BYTEV(TANKHEALTH[t], 0, 255, "a tank's health");
    c.BYTEV(TANKFIRST[t], 0, 2, "a tank driver");
    if (c.APPLYING()) {
      TANKX_[t] = TANKX[t];
      TANKY_[t] = TANKY[t];
    }
  }
}

void AMBIENTLAYOUT(SAVECODEC& c) {
  for (int i = 1; i <= MAX_LIGHTS; i++) {
    c.BYTEV(ASOUND[i], 0, 255, "an ambient sound");
    c.BYTEV(ASOUNDHOW[i], 0, 255, "an ambient sound mode");
  }
}
