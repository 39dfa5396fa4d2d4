#include "world/mapscan.h"

#include "display/renderer.h"
#include "game/doors.h"
#include "game/items.h"
#include "game/monsters.h"
#include "game/pickups.h"
#include "game/projectiles.h"
#include "game/players.h"
#include "game/tanks.h"
#include "render/lighting.h"
#include "render/los.h"
#include "shell/gameflow.h"
#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "sound/sound.h"

namespace {
// Player 1's cell from the second and third game parameters of a direct
// launch; false when they are missing or not a cell of the grid.
bool launchPosition(BYTE& x, BYTE& y) {
  if (GAMEPARAMS.size() < 3) return false;
  int32_t v[2];
  for (int k = 0; k < 2; k++) {
    const std::string& s = GAMEPARAMS[1 + k];
    if (s.empty() || s.size() > 3) return false;
    v[k] = 0;
    for (char c : s) {
      if (c < '0' || c > '9') return false;
      v[k] = v[k] * 10 + (c - '0');
    }
  }
  // The cell must lie inside the level and be free floor; otherwise the
  // player keeps the map's own start cell.
  if (!VALID(v[0], v[1]) || v[0] > MAPSIZEX || v[1] > MAPSIZEY ||
      MAPEDGE(static_cast<BYTE>(v[0]), static_cast<BYTE>(v[1])) || MAP[v[0]][v[1]] != ' ')
    return false;
  x = static_cast<BYTE>(v[0]);
  y = static_cast<BYTE>(v[1]);
  return true;
}

// While the checker runs: a symbol whose table is full is left untracked;
// the level author hears of it with the grid line of the cell.
void tableFull(int32_t x, int32_t y, const std::string& what, int32_t capacity, bool full) {
  if (!full || !MAPCHECKING) return;
  MAPPROBLEMS.push_back({MAPSIZEY + 1 - y, what + " at column " + std::to_string(x) + " ignored: more than " +
                                               std::to_string(capacity) + " in the map"});
}

// Door of type M whose lowest-left cell is (X, Y): the rectangle spanned by
// the run of its symbol upwards and the run rightwards.
void addDoor(int32_t x, int32_t y, unsigned char sym, BYTE m) {
  tableFull(x, y, "door", MAX_DOORS, NUMBEROFDOORS >= MAX_DOORS);
  if (NUMBEROFDOORS >= MAX_DOORS) return;
  BYTE n = ++NUMBEROFDOORS;
  DTIMER[n] = 0;
  DOORTYPE[n] = m;
  int32_t maxy = y;
  while (VALID(x, maxy + 1) && MAP[x][maxy + 1] == sym) maxy++;
  int32_t maxx = x;
  while (VALID(maxx + 1, y) && MAP[maxx + 1][y] == sym) maxx++;
  DOORMAXY[n] = static_cast<BYTE>(maxy);
  DOORMAXX[n] = static_cast<BYTE>(maxx);
  DOORX[n] = static_cast<BYTE>(x);
  DOORY[n] = static_cast<BYTE>(y);
  for (int32_t i = x; i <= maxx; i++)
    for (int32_t j = y; j <= maxy; j++) {
      MAP[i][j] = C176;
      MFATTR[i][j] = KEYCOLOR[m];
    }
}
}  // namespace

void PRELOADMAPINIT() {
  const bool modern = MODERN_VISUALS == 1;
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      MAP[x][y] = ' ';
      POSTPROCESSING& pp = MAPPP[x][y];
      for (int k = 1; k <= 4; k++) pp.OC[k] = 0;
      pp.EXPLORED = 0;
      pp.INDOOR = false;
      pp.INDOORCELL = false;
      pp.GORE = GORE_NONE;
      pp.CHR = 255;
      pp.DISPROCK = modern ? 227 : 128;
      pp.DISPHOUSEROCK = modern ? 226 : 178;
      pp.DISPFLOOR = modern ? 246 : 143;
    }
  MSGCOUNT = 0;
  MAPNAME = std::string(78, ' ');
  VICTORY = 0;
  NUMBEROFLIGHTS = 0;
  NUMPORTALS = 0;
  NUMBEROFPATTERNS = 0;
  COMMANDS = 0;
  ERASEAFTER = false;
  for (int i = 1; i <= MAX_LIGHTS; i++) ASOUND[i] = 0;
  static const char* const names[6] = {"", "Zeta", "Omicron", "Sigma", "Omega", "Omega"};
  for (int i = 1; i <= 5; i++) KEYNAMES[i] = names[i];
  for (int p = 1; p <= 2; p++)
    for (int k = 1; k <= 5; k++) KEYS[p][k] = LAUNCHED_FROM_MD;
}

void PRESCANMAPINIT() {
  NUMTRULITES = 0;
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      OOGA[x][y] = 128;
      MLIGHT[x][y] = 128;
      MDAMAGE[x][y] = 0;
    }
  NUMBEROFHELPERS = 0;
  NUMBEROFTANKS = 0;
  NUMBEROFMONSTERS = 0;
  MAXMONSTERS = 0;
  CLEARPROJECTILES();
  NUMBEROFWEAPONS = 0;
  NUMBEROFDOORS = 0;
  DSNUMBER = 0;
  for (int p = 1; p <= 2; p++) {
    PLAYERSTARTX[p] = 1;
    PLAYERSTARTY[p] = 1;
  }
}

void PRELOADMAPINFOINIT() {
  DOORSBACKUP = 0;
  MONSTERSBACKUP = 0;
  TRAPSBACKUP = 0;
  DOORSOPENED = 0;
}

void ASSIGNCOLORS() {
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      IDENTIFYITEM(MAP[x][y]);
      MFATTR[x][y] = THINGCOLOR;
      MBATTR[x][y] = 0;
    }
}

void SCANMAP(BYTE levelnumber) {
  PRESCANMAPINIT();
  static const char replaceFrom[] = "[,]{}?+";
  static const unsigned char replaceTo[] = {186, 210, 240, 220, 236, 157, 158};
  for (int x = 1; x <= MAX_MAPWIDTH; x++) {
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      unsigned char& c = MAP[x][y];
      // 1. Item thinning.
      if (!LINKACTIVE && GAMEDIFFICULTY < 4 && c != 0 && std::string("[]{}?+,").find(c) != std::string::npos &&
          random(4) == 2)
        c = ' ';
      // 2. The border of the used area is rock.
      MAPLOS[x][y] = 0;
      MAPBLACK[x][y] = false;
      if (MAPEDGE(x, y) && c != 'R') {
        c = 'R';
        MAPBLACK[x][y] = true;
      }
      // 3. Inventory items stay only on level 108.
      if (levelnumber != 108 && c != 0 && USEABLEITEMS.find(c) != std::string::npos) c = ' ';
      // 4. Lamps.
      if (c == '*' || c == '^') tableFull(x, y, "lamp", MAX_TRUELIGHTS, NUMTRULITES >= MAX_TRUELIGHTS);
      if (c == '*') {
        c = ' ';
        ADDTRULITE(x, y, false);
      } else if (c == '^') {
        c = 'G';
        ADDTRULITE(x, y, true);
      }
      // 5. Keys.
      size_t k = c != 0 ? KEYSLOOK.find(c) : std::string::npos;
      if (k != std::string::npos) {
        MFATTR[x][y] = KEYCOLOR[k + 1];
        MBATTR[x][y] = 6;
        MDAMAGE[x][y] = static_cast<BYTE>(k + 1);
        c = '%';
      }
      // 6. Doors.
      size_t m = c != 0 ? DOORSLOOK.find(c) : std::string::npos;
      if (m != std::string::npos) addDoor(x, y, c, static_cast<BYTE>(m + 1));
      else if (c == 96) addDoor(x, y, c, 11);
      // 7. Weapon pickups.
      if (c >= '1' && c <= '9') {
        tableFull(x, y, "weapon", MAX_MAPWEAPONS, NUMBEROFWEAPONS >= MAX_MAPWEAPONS);
        if (NUMBEROFWEAPONS < MAX_MAPWEAPONS) ADDPICKUP(x, y, c);
      }
      // 8. Player start.
      if (c == 'P') {
        BYTE px = 0, py = 0;
        if (LAUNCHED_FROM_MD && launchPosition(px, py)) {
          // The map's start cell stays the start cell (respawns go there).
          c = ' ';
          for (int p = 1; p <= 2; p++) {
            PLAYERSTARTX[p] = PLAYERX[p] = static_cast<BYTE>(x);
            PLAYERSTARTY[p] = PLAYERY[p] = static_cast<BYTE>(y);
          }
          PLAYERX[1] = px;
          PLAYERY[1] = py;
        } else {
          for (int p = 1; p <= 2; p++) {
            PLAYERX[p] = PLAYERSTARTX[p] = static_cast<BYTE>(x);
            PLAYERY[p] = PLAYERSTARTY[p] = static_cast<BYTE>(y);
          }
        }
      }
      // 9. Player 2's start.
      if (c == '#') {
        PLAYERX[2] = PLAYERSTARTX[2] = static_cast<BYTE>(x);
        PLAYERY[2] = PLAYERSTARTY[2] = static_cast<BYTE>(y);
        c = ' ';
        MFATTR[x][y] = 8;
      }
      // 10. Health, armour and tanks.
      if (c == 'H' || c == 'Y' || c == '.') tableFull(x, y, "pickup", MAX_PICKUPS, NUMBEROFWEAPONS >= MAX_PICKUPS);
      if (c == 'H' || c == 'Y') ADDPICKUP(x, y, c);
      if (c == '!') tableFull(x, y, "tank", MAX_TANKS, NUMBEROFTANKS >= MAX_TANKS);
      if (c == '!') ADDTANK(static_cast<BYTE>(x), static_cast<BYTE>(y + 1 <= 255 ? y + 1 : 255));
      if (c == '.') {
        ADDPICKUP(x, y, '.');
        c = 'Y';
      }
      // 11. Monsters.
      size_t t = c != 0 ? MLOOKS.find(c) : std::string::npos;
      if (t != std::string::npos) tableFull(x, y, "monster", MAX_MONSTERS, NUMBEROFMONSTERS >= MAX_MONSTERS);
      if (t != std::string::npos) ADDMONSTERACCORDINGTODIFFICULTY(x, y, static_cast<uint16_t>(t + 1));
      // 12. Glyph replacements.
      for (int r = 0; r < 7; r++)
        if (c == static_cast<unsigned char>(replaceFrom[r])) {
          c = replaceTo[r];
          break;
        }
      // 13. Barrels.
      if (c == 'G') {
        MDAMAGE[x][y] = 190;
        c = 219;
      }
      // 14. Helpers.
      if (c == 'O') tableFull(x, y, "helper", MAX_HELPERS, NUMBEROFHELPERS >= MAX_HELPERS);
      if (c == 'O' && NUMBEROFHELPERS < MAX_HELPERS) {
        BYTE n = ++NUMBEROFHELPERS;
        HELPERX[n] = static_cast<BYTE>(x);
        HELPERY[n] = static_cast<BYTE>(y);
        HELPERGOLD[n] = 0;
        HELPERYOFFSET[n] = 1;
      }
      // 15. Deathmatch spawn points.
      if (c == 'Q') {
        tableFull(x, y, "spawn point", MAX_DSPOTS, DSNUMBER >= MAX_DSPOTS);
        if (DSNUMBER < MAX_DSPOTS) {
          DSNUMBER++;
          DSX[DSNUMBER] = static_cast<BYTE>(x);
          DSY[DSNUMBER] = static_cast<BYTE>(y);
        }
        c = ' ';
      }
      // 16. Weak rock and trees.
      if (c == 'F') {
        c = 'R';
        MFATTR[x][y] = 14;
        MDAMAGE[x][y] = 200;
      } else if (c == 'T') {
        MDAMAGE[x][y] = 200;
      }
      // 17. Boss path start.
      if (c == 'S') {
        SMARTYPRESENT = true;
        SMARTYX = static_cast<BYTE>(x);
        SMARTYY = static_cast<BYTE>(y);
        SMARTYMOVES = 1;
        SMARTYMX[1] = static_cast<BYTE>(x);
        SMARTYMY[1] = static_cast<BYTE>(y);
      }
    }
  }
  for (int i = 1; i <= NUMBEROFTANKS; i++) DRAWTANK(static_cast<BYTE>(i));
  MAXMONSTERS = NUMBEROFMONSTERS;
  MONSTERSBACKUP = NUMBEROFMONSTERS;
  CALCLIGHTS();
}

void INITMAP(BYTE levelnumber) {
  LOADMAP(levelnumber);
  ASSIGNCOLORS();
  SCANMAP(levelnumber);
  LOADCUSTOMTEXTURESFORMAP(levelnumber);
  LOADCUSTOMIDLEMUSICFORMAP(levelnumber);
}
