#include "world/levelstate.h"

#include <cstdio>
#include <filesystem>

#include "base/paths.h"
#include "base/safefile.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "shell/engine.h"
#include "world/grid.h"
#include "world/mapscan.h"
#include "world/savecodec.h"
#include "world/savegame.h"
#include "world/savelayout.h"

std::string LEVELSTATEERROR;

namespace {
void layout(SAVECODEC& c) {
  GRIDLAYOUT(c);
  for (int p = 1; p <= 2; p++)
    for (int k = 1; k <= 5; k++) c.FLAG(KEYS[p][k], "a key flag");
  LEVELTABLESLAYOUT(c, false);
  EXPLOSIONRAILBLINKLAYOUT(c);
  TANKLAYOUT(c);
  AMBIENTLAYOUT(c);
  for (int p = 1; p <= 2; p++) {
    c.BYTEV(PLAYERX[p], 0, MAX_MAPWIDTH, "a player column");
    c.BYTEV(PLAYERY[p], 0, MAX_MAPHEIGHT, "a player row");
  }
  c.FLAG(SHOWCURSOR[1], "a cursor flag");
  c.FLAG(SHOWCURSOR[2], "a cursor flag");
  c.FINISH();
}
}  // namespace

std::string LEVELSTATEPATH(BYTE mn) {
  if (SAVEFOLDER().empty()) return std::string();
  return SAVEFOLDER() + "/CURRENT/map" + std::to_string(mn) + ".inf";
}

std::string LEVELSTATEBYTES() {
  SAVECODEC c(CM_WRITE);
  layout(c);
  return c.DATA;
}

bool SAVEMAPINFO(BYTE mn) {
  LEVELSTATEERROR.clear();
  const std::string path = LEVELSTATEPATH(mn);
  if (path.empty()) {
    LEVELSTATEERROR = "The level state cannot be stored: there is no user folder.";
    return false;
  }
  const std::string folder = path.substr(0, path.find_last_of('/'));
  if (!ENSUREFOLDEREXISTS(folder)) {
    LEVELSTATEERROR = "The level state cannot be stored: the folder " + folder + " cannot be created.";
    return false;
  }
  std::string err;
  if (!WRITEFILESAFE(path, LEVELSTATEBYTES(), err)) {
    LEVELSTATEERROR = "The level state cannot be stored: " + err;
    return false;
  }
  return true;
}

bool LOADMAPINFO(BYTE mn) {
  LEVELSTATEERROR.clear();
  PRELOADMAPINFOINIT();
  const std::string path = LEVELSTATEPATH(mn);
  if (path.empty()) return false;
  std::string data, err;
  const FILEREAD r = READFILESAFE(path, MAXSAVEBYTES, data, err);
  if (r == FR_MISSING) return false;
  if (r != FR_OK) {
    LEVELSTATEERROR = err;
    std::fprintf(stderr, "ashenreach: %s\n", err.c_str());
    return false;
  }
  SAVECODEC check(CM_CHECK, data);
  layout(check);
  if (!check.OK()) {
    LEVELSTATEERROR = "The level state " + path + " is not used: " + check.ERR + ".";
    std::fprintf(stderr, "ashenreach: %s\n", LEVELSTATEERROR.c_str());
    return false;
  }
  SAVECODEC apply(CM_APPLY, data);
  layout(apply);
  // The engine's per-level frame state starts afresh; the stored positions
  // are where everyone stands.
  PREENGINEINITKEEPINGPLAYERS();
  return true;
}

void CLEARMAPINFO() {
  if (SAVEFOLDER().empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(SAVEFOLDER() + "/CURRENT", ec);
}

std::string LEVELSTATEFOLDER() { return SAVEFOLDER().empty() ? std::string() : SAVEFOLDER() + "/CURRENT"; }

bool STAGEMAPINFO(const std::string& from, const std::string& to, std::string& err) {
  namespace fs = std::filesystem;
  const std::string stage = to + ".new";
  std::error_code ec;
  fs::remove_all(stage, ec);
  if (!ENSUREFOLDEREXISTS(stage)) {
    err = "the folder " + stage + " cannot be created";
    return false;
  }
  if (fs::is_directory(from, ec)) {
    for (const fs::directory_entry& e : fs::directory_iterator(from, ec)) {
      const std::string name = e.path().filename().string();
      if (e.path().extension() != ".inf") continue;
      std::string data, why;
      const FILEREAD r = READFILESAFE(e.path().string(), MAXSAVEBYTES, data, why);
      if (r == FR_MISSING || r == FR_NOTFILE) continue;
      if (r != FR_OK || !WRITEFILESAFE(stage + "/" + name, data, why)) {
        err = why;
        DROPMAPINFO(to);
        return false;
      }
    }
    if (ec) {
      err = "the folder " + from + " cannot be read";
      DROPMAPINFO(to);
      return false;
    }
  }
  return true;
}

bool COMMITMAPINFO(const std::string& to, std::string& err) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::remove_all(to, ec);
  fs::rename(to + ".new", to, ec);
  if (ec) {
    err = "the level states cannot be put in place as " + to;
    return false;
  }
  return true;
}

void DROPMAPINFO(const std::string& to) {
  std::error_code ec;
  std::filesystem::remove_all(to + ".new", ec);
}
