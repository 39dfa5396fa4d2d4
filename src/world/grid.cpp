#include "world/grid.h"

#include "game/tanks.h"

MAPTYPE MAP;
STR18 MFATTR;
STR18 MBATTR;
STR18 MDAMAGE;
bool MAPBLACK[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
int32_t MAPLOS[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];

BYTE MAPSIZEX = 0, MAPSIZEY = 0;
std::string MAPNAME;
std::string MAPFILENAME;

std::string KEYSLOOK = "asdfghjkl;";
std::string DOORSLOOK = "qwertyuiop";
BYTE KEYCOLOR[12] = {0, 14, 10, 12, 13, 11, 15, 15, 15, 15, 15, 15};
std::string WEAPONS = "123456789";
std::string KEYNAMES[11] = {"",     "Zeta",  "Omicron", "Sigma", "Omega",  "Omega",
                            "Alpha", "Beta", "Gamma",   "Delta", "Epsilon"};

BYTE DSX[MAX_DSPOTS + 1], DSY[MAX_DSPOTS + 1];
BYTE DSNUMBER = 0;

bool SMARTYPRESENT = false;
BYTE SMARTYX = 0, SMARTYY = 0;
int32_t SMARTYMOVES = 0;
BYTE SMARTYMX[MAX_SMARTYMOVES + 1], SMARTYMY[MAX_SMARTYMOVES + 1];

bool VALID(int32_t x, int32_t y) {
  return x >= 1 && x <= MAX_MAPWIDTH && y >= 1 && y <= MAX_MAPHEIGHT;
}

bool MAPEDGE(BYTE x, BYTE y) { return x == 1 || x == MAPSIZEX || y == 1 || y == MAPSIZEY; }

unsigned char WHATISIT(int32_t x, int32_t y) {
  if (!VALID(x, y)) return 255;
  unsigned char c = MAP[x][y];
  if ((c == '/' || c == '\\' || c == '-' || c == '|') && WHATTANK(x, y) != 0) return 177;
  return c;
}

bool ISTREEWEAKROCK(BYTE x, BYTE y) {
  if (!VALID(x, y)) return false;
  unsigned char c = MAP[x][y];
  return (c == 'R' || c == 'T') && MDAMAGE[x][y] >= 200 && MDAMAGE[x][y] <= 250;
}

BYTE TREEWEAKROCKHEALTH(BYTE x, BYTE y) {
  if (!ISTREEWEAKROCK(x, y)) return 0;
  return static_cast<BYTE>(250 - MDAMAGE[x][y]);
}

namespace {
bool stopsRoomScan(unsigned char c) { return c == 'R' || c == 'W' || c == 176; }
}  // namespace

uint16_t RETURNROOMSIZE(BYTE x, BYTE y) {
  if (!VALID(x, y)) return 0;
  int32_t lx = 0, ly = 0;
  for (int i = x + 1; i <= MAX_MAPWIDTH && !stopsRoomScan(MAP[i][y]); i++) lx++;
  for (int i = x - 1; i >= 1 && !stopsRoomScan(MAP[i][y]); i--) lx++;
  for (int j = y + 1; j <= MAX_MAPHEIGHT && !stopsRoomScan(MAP[x][j]); j++) ly++;
  for (int j = y - 1; j >= 1 && !stopsRoomScan(MAP[x][j]); j--) ly++;
  return static_cast<uint16_t>(lx * ly);
}

void MAPSTRING(const std::string& text, BYTE x, BYTE y, BYTE fg) {
  for (size_t i = 0; i < text.size(); i++) {
    int32_t cx = x + static_cast<int32_t>(i);
    // A text that runs past the grid is cut at its edge.
    if (!VALID(cx, y)) break;
    MAP[cx][y] = static_cast<unsigned char>(text[i]);
    MFATTR[cx][y] = fg;
  }
}

void CONVERT1TO2(uint16_t w, BYTE& hi, BYTE& lo) {
  hi = static_cast<BYTE>(w / 256);
  lo = static_cast<BYTE>(w - 256 * hi);
}

uint16_t CONVERT2TO1(BYTE hi, BYTE lo) { return static_cast<uint16_t>(hi * 256 + lo); }
