#include "world/savegame.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ctime>

#include "base/paths.h"
#include "base/safefile.h"
#include "base/settings.h"
#include "display/input.h"
#include "game/doors.h"
#include "game/explosions.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/survival.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "sound/sound.h"
#include "world/grid.h"
#include "world/levelstate.h"
#include "world/maploader.h"
#include "world/mapscan.h"
#include "world/mapscript.h"
#include "world/savecodec.h"
#include "world/savelayout.h"

std::string SAVEGAMENAME[SAVESLOTS + 1];
BYTE MATRIX[PREVIEWW + 1][PREVIEWH + 1], MATRIX2[PREVIEWW + 1][PREVIEWH + 1];
std::string SAVEERROR;

std::string SAVEGAMEPATH(int slot) {
  if (SAVEFOLDER().empty()) return std::string();
  return SAVEFOLDER() + "/SAVE" + std::to_string(slot - 1) + "/save.gam";
}

void SPLITTRAPCOUNT(uint16_t n, BYTE& a, BYTE& b) {
  a = static_cast<BYTE>(n > 255 ? 255 : n);
  const int rest = n - a;
  b = static_cast<BYTE>(rest > 255 ? 255 : rest);
}

std::string SAVEDATETIME() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[32];
  std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M", &t);
  return buf;
}

void TAKEPREVIEW(BYTE p) {
  if (p < 1 || p > 2) p = 1;
  for (int i = 1; i <= PREVIEWW; i++)
    for (int j = 1; j <= PREVIEWH; j++) {
      // Row 1 of the preview is the top row of the window.
      const int x = PLAYERX[p] - PREVIEWW / 2 + i - 1;
      const int y = PLAYERY[p] + PREVIEWH / 2 - j + 1;
      if (x >= 1 && x <= MAX_MAPWIDTH && y >= 1 && y <= MAX_MAPHEIGHT) {
        MATRIX[i][j] = MAP[x][y];
        MATRIX2[i][j] = MFATTR[x][y];
      } else {
        MATRIX[i][j] = ' ';
        MATRIX2[i][j] = 0;
      }
    }
}

namespace {
constexpr int W = MAX_MAPWIDTH, H = MAX_MAPHEIGHT;

// Items 2 to 6: what is needed before the level is rebuilt.
void headLayout(SAVECODEC& c) {
  c.BYTEV(NUMBEROFPLAYERS, 1, 2, "the number of players");
  bool dm = DEATHMATCH();
  bool ignored = dm;
  c.FLAG(ignored, "the deathmatch flag");
  BYTE map = CURRENTMAP;
  c.BYTEV(map, 1, 255, "the level number");
  if (c.APPLYING()) CURRENTMAP = map;
  for (int i = 1; i <= PREVIEWW; i++)
    for (int j = 1; j <= PREVIEWH; j++) {
      c.BYTEV(MATRIX[i][j], 0, 255, "a preview symbol");
      c.BYTEV(MATRIX2[i][j], 0, 255, "a preview colour");
    }
  c.BYTEV(GAMEDIFFICULTY, 1, 4, "the difficulty");
}

void playerLayout(SAVECODEC& c, int p) {
  c.FLAG(DCHAINGUN[p], "a dual chaingun flag");
  c.FLAG(HAVEDCHAINGUN[p], "a dual chaingun flag");
  c.FLAG(DLAUNCHER[p], "a dual launcher flag");
  c.FLAG(HAVEDLAUNCHER[p], "a dual launcher flag");
  c.FLAG(DEAD[p], "the dead flag");
  c.BYTEV(CHOSENWEAPON[p], 0, 9, "the chosen weapon");
  c.WHOLE(PLAYERHEALTH[p], "the health");
  c.WHOLE(ARMOR[p], "the armour");
  c.BYTEV(PLAYERX[p], 0, W, "a player column");
  c.BYTEV(PLAYERY[p], 0, H, "a player row");
  if (c.APPLYING()) {
    PLAYERX_[p] = PLAYERX[p];
    PLAYERY_[p] = PLAYERY[p];
  }
  for (int w = 1; w <= 9; w++) {
    c.FLAG(WEAPONPRESENT[p][w], "a weapon flag");
    c.WORD32(WEAPONAMMO[p][w], 0, 65535, "the ammunition");
  }
  BYTE* timers[] = {&PISTOLTIMER[p], &SHOTGUNTIMER[p], &DSHOTGUNTIMER[p], &CHAINGUNTIMER[p],
                    &MINITIMER[p],   &MTIMER[p],       &RLAUNCHERTIMER[p], &PLASMATIMER[p],
                    &LANDMINETIMER[p], &BFGCHARGE[p]};
  for (BYTE* t : timers) c.BYTEV(*t, 0, 255, "a weapon timer");
  c.TEXTN(INVENTORY[p], 4);
  c.BYTEV(BOOTTIME[p], 0, 255, "the boot time");
  c.CHR(STEPPEDON[p]);
  c.BYTEV(STEPPEDONC[p], 0, 255, "a colour");
  c.BYTEV(CHOSENITEM[p], 0, 255, "the chosen item");
  for (int k = 1; k <= 10; k++) c.FLAG(KEYS[p][k], "a key flag");
  c.FLAG(CHAINGUNFIRING[p], "a firing flag");
  c.FLAG(FLAMEGUNFIRING[p], "a firing flag");
  c.FLAG(MINIFIRING[p], "a firing flag");
  int32_t* offs[] = {&FIREOFFSETX[p],     &FIREOFFSETY[p],     &CHAINGUNOFFSETX[p], &CHAINGUNOFFSETY[p],
                     &FLAMEGUNOFFSETX[p], &FLAMEGUNOFFSETY[p], &MINIOFFSETX[p],     &MINIOFFSETY[p]};
  for (int32_t* o : offs) c.OFFSET(*o, "a firing direction");
}

// Items 7 to 36: laid over the level rebuilt from its map file.
void bodyLayout(SAVECODEC& c) {
  c.COUNTED(MAPNAME, 255, "the level name");
  GRIDLAYOUT(c);
  for (int p = 1; p <= 2; p++) playerLayout(c, p);
  LEVELTABLESLAYOUT(c, true);
  c.BYTEV(DEATHS[1], 0, 255, "a death count");
  c.BYTEV(DEATHS[2], 0, 255, "a death count");
  EXPLOSIONRAILBLINKLAYOUT(c);
  for (int p = 1; p <= 2; p++) {
    std::string n = PLAYERNAME[p].substr(0, 10);
    c.COUNTED(n, 255, "a player name");
    if (c.APPLYING() && c.OK()) PLAYERNAME[p] = n.substr(0, 10);
  }
  for (int p = 1; p <= 2; p++) {
    c.WORD(PLAYERRES[p].SCRAP, 0, 65535, "the scrap");
    c.WORD(PLAYERRES[p].LUMBER, 0, 65535, "the lumber");
  }
  c.BYTEV(INTANK[1], 0, MAX_TANKS, "a tank seat");
  c.BYTEV(INTANK[2], 0, MAX_TANKS, "a tank seat");
  TANKLAYOUT(c);
  c.BYTEV(PERMISSION[1], 0, 255, "a tank permission");
  c.BYTEV(PERMISSION[2], 0, 255, "a tank permission");
  AMBIENTLAYOUT(c);
  c.FLAG(SHOWCURSOR[1], "a cursor flag");
  c.FLAG(SHOWCURSOR[2], "a cursor flag");
  c.BYTEV(ORIGINALPLAYERCOLOR[1], 0, 255, "a player colour");
  c.BYTEV(ORIGINALPLAYERCOLOR[2], 0, 255, "a player colour");
  // Script progress: the entries are the campaign's, so the count must match.
  uint16_t n0 = NEWSCRIPTENTRIES;
  const int n = c.WORD(n0, NEWSCRIPTENTRIES, NEWSCRIPTENTRIES, "the number of script entries");
  for (int i = 0; i < n && i < static_cast<int>(NEWSCRIPT.size()) && c.OK(); i++) {
    NEWSCRIPTTYPE& e = NEWSCRIPT[i];
    c.FLAG(e.ACTIVATED, "a script entry flag");
    c.WORD(e.TIMER, 0, 65535, "a script timer");
  }
  for (int k = 1; k <= TXT_NUMLINES; k++) {
    c.BYTEV(TXTLINECOLOR[k], 0, 255, "a message colour");
    std::string a = TXTLINE[k], b = HEROTHOUGHT[k];
    a.resize(29, ' ');
    b.resize(29, ' ');
    for (int ch = 0; ch < 29; ch++) {
      c.CHR(reinterpret_cast<unsigned char&>(a[ch]));
      c.CHR(reinterpret_cast<unsigned char&>(b[ch]));
    }
    if (c.APPLYING() && c.OK()) {
      TXTLINE[k] = a;
      HEROTHOUGHT[k] = b;
    }
  }
  c.BYTEV(PAUSESTATE, 0, 255, "the pause state");
  c.WORD(HEROTIMER, 0, 65535, "the thought timer");
}

void fullLayout(SAVECODEC& c, std::string& name) {
  c.TEXTN(name, SAVENAMELEN);
  headLayout(c);
  if (c.APPLYING() && c.OK()) {
    // The level comes back from its map file; the save is laid over it.
    RESETSTARTUPSCRIPTENTRIESFORMAP(CURRENTMAP);
    INITMAP(CURRENTMAP);
  }
  bodyLayout(c);
  c.FINISH();
}

std::string slotFailure(const std::string& path, const std::string& why) {
  return "The saved game " + path + " cannot be loaded: " + why + ".";
}
}  // namespace

std::string SAVEGAMEBYTES(const std::string& name) {
  SAVECODEC c(CM_WRITE);
  std::string n = name;
  fullLayout(c, n);
  return c.DATA;
}

bool WRITESAVEGAME(const std::string& path, const std::string& name) {
  SAVEERROR.clear();
  if (path.empty()) {
    SAVEERROR = "The game cannot be saved: there is no user folder to keep saves in.";
    return false;
  }
  const std::string folder = path.substr(0, path.find_last_of('/'));
  if (!ENSUREFOLDEREXISTS(folder)) {
    SAVEERROR = "The game cannot be saved: the folder " + folder + " cannot be created.";
    return false;
  }
  // The level states of this game go with it, put in place only once the
  // save itself is written.
  const std::string states = folder + "/CURRENT";
  std::string err;
  if (!STAGEMAPINFO(LEVELSTATEFOLDER(), states, err)) {
    SAVEERROR = "The game cannot be saved: " + err;
    return false;
  }
  if (!WRITEFILESAFE(path, SAVEGAMEBYTES(name), err)) {
    DROPMAPINFO(states);
    SAVEERROR = "The game cannot be saved: " + err;
    return false;
  }
  if (!COMMITMAPINFO(states, err)) {
    SAVEERROR = "The game was saved, but " + err + ".";
    return false;
  }
  return true;
}

bool CHECKSAVEGAME(const std::string& data, std::string& why) {
  SAVECODEC c(CM_CHECK, data);
  std::string name;
  fullLayout(c, name);
  why = c.ERR;
  return c.OK();
}

bool READSAVEGAME(const std::string& path) {
  SAVEERROR.clear();
  std::string data, err;
  const FILEREAD r = READFILESAFE(path, MAXSAVEBYTES, data, err);
  if (r == FR_MISSING) {
    SAVEERROR = slotFailure(path, "there is no such file");
    return false;
  }
  if (r != FR_OK) {
    SAVEERROR = err;
    return false;
  }
  std::string why;
  // The preview is part of the check pass's reading; keep the shown one.
  if (!CHECKSAVEGAME(data, why)) {
    SAVEERROR = slotFailure(path, why);
    return false;
  }
  // The level's map file must be there to rebuild the level on.
  const BYTE map = static_cast<BYTE>(data[SAVENAMELEN + 2]);
  if (!FILEEXISTSCI(MAPFILEFORLEVEL(map))) {
    SAVEERROR = slotFailure(path, "its level " + std::to_string(map) + " has no map file");
    return false;
  }
  // The levels this game left come back with it; a save without a copy of
  // them keeps the ones there are.
  namespace fs = std::filesystem;
  const std::string slotstates = path.substr(0, path.find_last_of('/') + 1) + "CURRENT";
  const std::string current = LEVELSTATEFOLDER();
  std::error_code ec;
  const bool states = !current.empty() && fs::is_directory(slotstates, ec);
  if (states && !STAGEMAPINFO(slotstates, current, err)) {
    SAVEERROR = slotFailure(path, "its level states cannot be copied: " + err);
    return false;
  }
  SAVECODEC c(CM_APPLY, data);
  std::string name;
  fullLayout(c, name);
  if (states && !COMMITMAPINFO(current, err))
    std::fprintf(stderr, "ashenreach: The saved game %s is loaded, but %s.\n", path.c_str(), err.c_str());
  PREENGINEINITKEEPINGPLAYERS();
  for (int p = 1; p <= 2; p++) LASTHEALTH[p] = PLAYERHEALTH[p];
  RESUMELEVELCLOCK();
  GAMELOADED = true;
  GSL = 16;
  STARTSOUND1(16, 16, false);
  if (LINKACTIVE && SYNCPLAYERS) SYNCPLAYERS();
  LOADINGFROMMENU = false;
  PORT60[1] = 0;
  LASTPORT60[1] = 0;
  return true;
}

namespace {
// What the engine's per-level reset clears of a player but a stored game
// keeps. One list serves taking it before the reset and putting it back.
struct KEPTPLAYER {
  bool DEAD, SHOWCURSOR;
  BYTE STEPPEDON, STEPPEDONC, DEATHS, INTANK, PERMISSION, X, Y;
};

template <typename T>
void keep(T& table, T& kept, bool back) {
  if (back)
    table = kept;
  else
    kept = table;
}

void keepPlayer(int p, KEPTPLAYER& k, bool back) {
  keep(DEAD[p], k.DEAD, back);
  keep(SHOWCURSOR[p], k.SHOWCURSOR, back);
  keep(STEPPEDON[p], k.STEPPEDON, back);
  keep(STEPPEDONC[p], k.STEPPEDONC, back);
  keep(DEATHS[p], k.DEATHS, back);
  keep(INTANK[p], k.INTANK, back);
  keep(PERMISSION[p], k.PERMISSION, back);
  keep(PLAYERX[p], k.X, back);
  keep(PLAYERY[p], k.Y, back);
}
}  // namespace

void PREENGINEINITKEEPINGPLAYERS() {
  // The engine's per-level reset puts everyone on foot, alive and alone; a
  // stored game keeps what it stored.
  const BYTE players = NUMBEROFPLAYERS;
  KEPTPLAYER kept[3];
  for (int p = 1; p <= 2; p++) keepPlayer(p, kept[p], false);
  PREENGINEINIT();
  NUMBEROFPLAYERS = players;
  for (int p = 1; p <= 2; p++) {
    keepPlayer(p, kept[p], true);
    PLAYERX_[p] = PLAYERX[p];
    PLAYERY_[p] = PLAYERY[p];
  }
}

bool READSAVEPREVIEW(int slot) {
  std::string data, err;
  if (READFILESAFE(SAVEGAMEPATH(slot), MAXSAVEBYTES, data, err) != FR_OK) return false;
  std::string why;
  if (!CHECKSAVEGAME(data, why)) return false;
  SAVECODEC c(CM_APPLY, data);
  std::string name;
  c.TEXTN(name, SAVENAMELEN);
  BYTE keepPlayers = NUMBEROFPLAYERS, keepMap = CURRENTMAP, keepDiff = GAMEDIFFICULTY;
  headLayout(c);
  NUMBEROFPLAYERS = keepPlayers;
  CURRENTMAP = keepMap;
  GAMEDIFFICULTY = keepDiff;
  return c.OK();
}

void READSAVEGAMENAMES() {
  for (int s = 1; s <= SAVESLOTS; s++) {
    std::string data, err;
    if (READFILESAFE(SAVEGAMEPATH(s), MAXSAVEBYTES, data, err) != FR_OK) {
      SAVEGAMENAME[s] = "Empty Slot.";
      continue;
    }
    std::string n = data.substr(0, SAVENAMELEN);
    const size_t e = n.find_last_not_of(' ');
    n = e == std::string::npos ? std::string() : n.substr(0, e + 1);
    SAVEGAMENAME[s] = n;
  }
}
