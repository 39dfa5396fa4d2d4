#include "shell/statedump.h"

#include <cstdio>
#include <sstream>

#include "game/items.h"
#include "game/monsters.h"
#include "game/pickups.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "base/harness.h"
#include "base/paths.h"
#include "base/safefile.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {
std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32 || c > 126) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Trailing blanks of a fixed-width name are padding.
std::string trimmed(const std::string& s) {
  size_t e = s.find_last_not_of(' ');
  return e == std::string::npos ? std::string() : s.substr(0, e + 1);
}

const char* boolText(bool b) { return b ? "true" : "false"; }
}  // namespace

std::string STATEDUMPJSON() {
  std::ostringstream o;
  o << "{\n";
  o << "  \"currentmap\": " << int(CURRENTMAP) << ",\n";
  o << "  \"victory\": " << int(VICTORY) << ",\n";
  o << "  \"nextmap\": " << int(NEXTMAP) << ",\n";
  o << "  \"mapname\": " << quoted(trimmed(MAPNAME)) << ",\n";
  o << "  \"mapsize\": [" << int(MAPSIZEX) << ", " << int(MAPSIZEY) << "],\n";
  o << "  \"frames\": " << PUSHEDFRAMES << ",\n";
  o << "  \"numberofplayers\": " << int(NUMBEROFPLAYERS) << ",\n";
  o << "  \"mynumber\": " << int(MYNUMBER) << ",\n";
  o << "  \"players\": [\n";
  for (int p = 1; p <= 2; p++) {
    o << "    {\"x\": " << int(PLAYERX[p]) << ", \"y\": " << int(PLAYERY[p])
      << ", \"startx\": " << int(PLAYERSTARTX[p]) << ", \"starty\": " << int(PLAYERSTARTY[p])
      << ", \"health\": " << PLAYERHEALTH[p] << ", \"armor\": " << ARMOR[p]
      << ", \"dead\": " << boolText(DEAD[p]) << ", \"chosenweapon\": " << int(CHOSENWEAPON[p])
      << ", \"ammo\": [";
    for (int w = 1; w <= 9; w++) o << (w > 1 ? ", " : "") << WEAPONAMMO[p][w];
    o << "], \"keys\": [";
    for (int k = 1; k <= 10; k++) o << (k > 1 ? ", " : "") << boolText(KEYS[p][k]);
    o << "], \"inventory\": " << quoted(INVENTORY[p]) << ", \"lumber\": " << PLAYERRES[p].LUMBER
      << ", \"scrap\": " << PLAYERRES[p].SCRAP << ", \"intank\": " << int(INTANK[p])
      << ", \"weapons\": [";
    for (int w = 1; w <= 9; w++) o << (w > 1 ? ", " : "") << boolText(WEAPONPRESENT[p][w]);
    o << "], \"chosenitem\": " << int(CHOSENITEM[p]) << ", \"boottime\": " << int(BOOTTIME[p])
      << ", \"steppedon\": " << int(STEPPEDON[p]) << ", \"color\": " << int(PLAYERCOLOR[p])
      << ", \"steps\": " << int(STEPCOUNTER[p]) << "}"
      << (p < 2 ? "," : "") << "\n";
  }
  o << "  ],\n";
  // The message log (oldest first), the hero-thought box and the objective.
  o << "  \"messages\": [";
  for (int i = 1; i <= TXT_NUMLINES; i++)
    o << (i > 1 ? ", " : "") << "{\"text\": " << quoted(trimmed(TXTLINE[i]))
      << ", \"color\": " << int(TXTLINECOLOR[i]) << "}";
  o << "],\n";
  o << "  \"hero\": {\"timer\": " << HEROTIMER << ", \"color\": " << int(HEROCOLOR)
    << ", \"lines\": [";
  for (int i = 1; i <= TXT_NUMLINES; i++)
    o << (i > 1 ? ", " : "") << quoted(trimmed(HEROTHOUGHT[i]));
  o << "]},\n";
  o << "  \"objective\": {\"timer\": " << CURRENTOBJECTIVETIMER << ", \"lines\": [";
  for (int i = 1; i <= CURRENTOBJECTIVELINES && i <= MAX_OBJ_LINES; i++)
    o << (i > 1 ? ", " : "") << quoted(CURRENTOBJECTIVE[i]);
  o << "]},\n";
  o << "  \"pickups\": {\"count\": " << int(NUMBEROFWEAPONS) << ", \"list\": [";
  for (int i = 1; i <= NUMBEROFWEAPONS; i++)
    o << (i > 1 ? ", " : "") << "{\"x\": " << int(WEAPONX[i]) << ", \"y\": " << int(WEAPONY[i])
      << ", \"type\": " << quoted(std::string(1, static_cast<char>(WEAPONTYPE[i])))
      << ", \"counter\": " << int(WEAPONCOUNTER[i]) << "}";
  o << "]},\n";
  o << "  \"monsters\": {\"count\": " << NUMBEROFMONSTERS << ", \"list\": [";
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    o << (m > 1 ? ", " : "") << "{\"x\": " << int(MONSTERX[m]) << ", \"y\": " << int(MONSTERY[m])
      << ", \"type\": " << int(MONSTERTYPE[m]) << ", \"energy\": " << MONSTERENERGY[m] << "}";
  o << "]},\n";
  o << "  \"view\": {\"zoom\": " << VIEWZOOM << ", \"zoomdefault\": " << VIEWZOOMDEFAULT
    << ", \"drawmap\": " << boolText(DRAW_MAP) << ", \"pausestate\": " << int(PAUSESTATE)
    << "},\n";
  int explored = 0;
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) explored += MAPPP[x][y].EXPLORED;
  o << "  \"explored\": " << explored << ",\n";
  o << "  \"counters\": {\"input\": " << int(INPUTCOUNTER) << ", \"g\": " << int(GCOUNTER)
    << ", \"e\": " << int(ECOUNTER) << ", \"h\": " << int(HCOUNTER) << ", \"f\": " << int(FCOUNTER)
    << ", \"sea\": " << int(SEACOUNTER) << ", \"cic\": " << int(CIC) << "}\n";
  o << "}\n";
  return o.str();
}

bool WRITESTATEDUMP(const std::string& path) {
  std::string err;
  return WRITEFILESAFE(path, STATEDUMPJSON(), err);
}
