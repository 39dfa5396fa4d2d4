#include "shell/statedump.h"

#include <nlohmann/json.hpp>

#include "game/doors.h"
#include "game/explosions.h"
#include "game/items.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/pickups.h"
#include "game/player.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/playerstate.h"
#include "game/weapons.h"
#include "game/tanks.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "game/survival.h"
#include "net/lockstep.h"
#include "net/netlink.h"
#include "base/harness.h"
#include "base/paths.h"
#include "base/safefile.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "world/grid.h"
#include "world/levelclock.h"
#include "world/mapeffects.h"
#include "world/mapscript.h"

namespace {
using JSON = nlohmann::ordered_json;

// Game text is bytes of the PC code page: each byte becomes the code point of
// the same number, so that bytes above 126 come out as \u00XX escapes.
std::string bytesText(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Trailing blanks of a fixed-width name are padding.
std::string trimmed(const std::string& s) {
  size_t e = s.find_last_not_of(' ');
  return e == std::string::npos ? std::string() : s.substr(0, e + 1);
}

JSON playerJSON(int p) {
  JSON j;
  j["x"] = PLAYERX[p];
  j["y"] = PLAYERY[p];
  j["startx"] = PLAYERSTARTX[p];
  j["starty"] = PLAYERSTARTY[p];
  j["health"] = PLAYERHEALTH[p];
  j["armor"] = ARMOR[p];
  j["dead"] = DEAD[p];
  j["chosenweapon"] = CHOSENWEAPON[p];
  j["ammo"] = JSON::array();
  for (int w = 1; w <= 9; w++) j["ammo"].push_back(WEAPONAMMO[p][w]);
  j["keys"] = JSON::array();
  for (int k = 1; k <= 10; k++) j["keys"].push_back(static_cast<bool>(KEYS[p][k]));
  j["inventory"] = bytesText(INVENTORY[p]);
  j["lumber"] = PLAYERRES[p].LUMBER;
  j["scrap"] = PLAYERRES[p].SCRAP;
  j["intank"] = INTANK[p];
  j["weapons"] = JSON::array();
  for (int w = 1; w <= 9; w++) j["weapons"].push_back(static_cast<bool>(WEAPONPRESENT[p][w]));
  j["chosenitem"] = CHOSENITEM[p];
  j["boottime"] = BOOTTIME[p];
  j["steppedon"] = STEPPEDON[p];
  j["color"] = PLAYERCOLOR[p];
  j["steps"] = STEPCOUNTER[p];
  j["mtimer"] = MTIMER[p];
  j["bfgcharge"] = BFGCHARGE[p];
  // DEATHS[p] counts p's deaths, which are the other player's frags.
  j["deaths"] = DEATHS[p];
  j["frags"] = DEATHS[3 - p];
  return j;
}

JSON doorsJSON() {
  JSON list = JSON::array();
  for (int d = 1; d <= NUMBEROFDOORS; d++)
    list.push_back({{"x", DOORX[d]},
                    {"y", DOORY[d]},
                    {"maxx", DOORMAXX[d]},
                    {"maxy", DOORMAXY[d]},
                    {"type", DOORTYPE[d]},
                    {"timer", DTIMER[d]}});
  return {{"count", NUMBEROFDOORS}, {"list", list}};
}

JSON trapsJSON() {
  JSON list = JSON::array();
  for (int i = 1; i <= COMMANDS && i <= MAX_TRAPS; i++)
    list.push_back({{"x", TRAPX[i]},
                    {"y", TRAPY[i]},
                    {"destx", DESTX[i]},
                    {"desty", DESTY[i]},
                    {"symbol", bytesText(std::string(1, static_cast<char>(DESTSYMBOL[i])))},
                    {"repeat", TRAPREPEAT[i]},
                    {"activator", TRAPACTIVATOR[i]},
                    // A trap that has fired for good waits on the border cell (1, 1).
                    {"armed", !(TRAPX[i] == 1 && TRAPY[i] == 1)}});
  return {{"count", COMMANDS}, {"list", list}};
}

JSON portalsJSON() {
  JSON list = JSON::array();
  for (int i = 1; i <= NUMPORTALS && i <= MAX_PORTALS; i++)
    list.push_back({{"x", PORTALX[i]}, {"y", PORTALY[i]}, {"level", PORTALLEVEL[i]}, {"type", PORTALTYPE[i]}});
  return {{"count", NUMPORTALS}, {"list", list}};
}

JSON messagesJSON() {
  JSON list = JSON::array();
  for (int i = 1; i <= TXT_NUMLINES; i++)
    list.push_back({{"text", bytesText(trimmed(TXTLINE[i]))}, {"color", TXTLINECOLOR[i]}});
  return list;
}

JSON heroJSON() {
  JSON lines = JSON::array();
  for (int i = 1; i <= TXT_NUMLINES; i++) lines.push_back(bytesText(trimmed(HEROTHOUGHT[i])));
  return {{"timer", HEROTIMER}, {"color", HEROCOLOR}, {"lines", lines}};
}

JSON objectiveJSON() {
  JSON lines = JSON::array();
  for (int i = 1; i <= CURRENTOBJECTIVELINES && i <= MAX_OBJ_LINES; i++)
    lines.push_back(bytesText(CURRENTOBJECTIVE[i]));
  return {{"timer", CURRENTOBJECTIVETIMER}, {"lines", lines}, {"line", OBJLINE}, {"char", OBJCHAR}};
}

JSON scriptJSON() {
  JSON list = JSON::array();
  for (const NEWSCRIPTTYPE& e : NEWSCRIPT)
    list.push_back({{"level", e.MAPNUM},
                    {"voice", bytesText(e.VOICEFILE)},
                    {"activated", e.ACTIVATED},
                    {"timer", e.TIMER},
                    {"effcounter", e.EFFCOUNTER}});
  return {{"count", NEWSCRIPTENTRIES}, {"list", list}};
}

JSON pickupsJSON() {
  JSON list = JSON::array();
  for (int i = 1; i <= NUMBEROFWEAPONS; i++)
    list.push_back({{"x", WEAPONX[i]},
                    {"y", WEAPONY[i]},
                    {"type", bytesText(std::string(1, static_cast<char>(WEAPONTYPE[i])))},
                    {"counter", WEAPONCOUNTER[i]}});
  return {{"count", NUMBEROFWEAPONS}, {"list", list}};
}

// Live entries of every projectile, explosion and particle table.
JSON projectilesJSON() {
  return {{"rockets", NUMBEROFROCKETS},   {"plasmas", NUMBEROFPLASMAS}, {"rails", NUMBEROFRAILS},
          {"flames", NUMBEROFFLAMES},     {"mines", MINESTOEXPLODE},    {"explosions", NUMBEROFEXPLOSIONS},
          {"bloods", NUMBEROFBLOODS},     {"shells", NUMBEROFSHELLS},   {"blinks", NUMBEROFBLINKS}};
}

// Every shot in flight and every explosion, as the stored games keep them:
// position, direction and the per-kind state.
JSON shotsJSON() {
  JSON rockets = JSON::array(), plasmas = JSON::array(), flames = JSON::array(), rails = JSON::array(),
       explosions = JSON::array();
  for (int i = 1; i <= NUMBEROFROCKETS; i++)
    rockets.push_back({ROCKETX[i], ROCKETY[i], ROCKETXOFFSET[i], ROCKETYOFFSET[i]});
  for (int i = 1; i <= NUMBEROFPLASMAS; i++)
    plasmas.push_back({PLASMAX[i], PLASMAY[i], PLASMAXOFFSET[i], PLASMAYOFFSET[i]});
  for (int i = 1; i <= NUMBEROFFLAMES; i++)
    flames.push_back({FLAMEX[i], FLAMEY[i], FLAMEXOFFSET[i], FLAMEYOFFSET[i], FLAMESTATUS[i], FLAMELIFE[i]});
  for (int i = 1; i <= NUMBEROFRAILS; i++) rails.push_back({RAILX[i], RAILY[i], RAILXOFFSET[i], RAILYOFFSET[i]});
  for (int i = 1; i <= NUMBEROFEXPLOSIONS; i++)
    explosions.push_back({EXPLOSIONX[i], EXPLOSIONY[i], EXPLOSIONSTATE[i], EXPLOSIONTYPE[i]});
  return {{"rockets", rockets}, {"plasmas", plasmas}, {"flames", flames}, {"rails", rails}, {"explosions", explosions}};
}

// The level's rows, top row first, one character per cell of the used size.
JSON mapJSON() {
  JSON rows = JSON::array();
  for (int y = MAPSIZEY; y >= 1; y--) {
    std::string row;
    for (int x = 1; x <= MAPSIZEX; x++) row += static_cast<char>(MAP[x][y]);
    rows.push_back(bytesText(row));
  }
  return rows;
}

JSON monstersJSON() {
  JSON list = JSON::array();
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    list.push_back({{"x", MONSTERX[m]},
                    {"y", MONSTERY[m]},
                    {"type", MONSTERTYPE[m]},
                    {"energy", MONSTERENERGY[m]},
                    {"saw", SAW[m]},
                    {"hurt", MONSTERHURT[m]}});
  return {{"count", NUMBEROFMONSTERS}, {"list", list}};
}

// The tank table: position as the table holds it (left edge, bottom row),
// health, turret direction 1..8, burst state, driver and the players inside.
JSON tanksJSON() {
  JSON list = JSON::array();
  for (int t = 1; t <= NUMBEROFTANKS; t++) {
    JSON inside = JSON::array();
    for (int p = 1; p <= 2; p++)
      if (INTANK[p] == t) inside.push_back(p);
    list.push_back({{"x", TANKX[t]},
                    {"y", TANKY[t]},
                    {"health", TANKHEALTH[t]},
                    {"turret", TURRET[t]},
                    {"reload", RELOAD[t]},
                    {"burst", RELOAD2[t]},
                    {"driver", TANKFIRST[t]},
                    {"inside", inside}});
  }
  return list;
}

// The per-level effects of the last frame.
JSON effectsJSON() {
  return {{"losviewdepth", LOS_VIEW_DEPTH},
          {"morphing", PLAYER_MORPHING},
          {"wavy", WAVYEFFECT},
          {"mapscan", EFFECT_MAPSCAN}};
}

// The level clock as stored with the game.
JSON clockJSON() { return {{"minutes", MINUTES}, {"seconds", SECONDS}}; }

// What the last monster step left: monsters that noticed my player in it and
// the boss's energy.
void monsterStepJSON(JSON& o) {
  o["mnoticed"] = MNOTICED;
  o["bosshealth"] = BOSSHEALTH;
}

// The mode of the level, each player's deaths and frags (a deathmatch frag
// is a death of the rival), and what the survival chain has done.
void modeJSON(JSON& o) {
  o["mode"] = DEATHMATCH() ? "deathmatch" : (SURVIVAL() ? "survival" : "campaign");
  for (int p = 1; p <= 2; p++) {
    o["players"][p - 1]["deaths"] = DEATHS[p];
    o["players"][p - 1]["frags"] = DEATHMATCH() ? DEATHS[3 - p] : 0;
  }
  int bosses = 0;
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) bosses += MONSTERTYPE[m] == 12 ? 1 : 0;
  o["survival"] = {{"spawns", SURVIVALSPAWNS},
                   {"tier", SURVIVALLASTTIER},
                   {"fallbacks", SURVIVALFALLBACKS},
                   {"access", static_cast<bool>(KEYS[1][6])},
                   {"bosses", bosses},
                   {"bossdown", SURVIVALBOSSDOWN}};
}

// Sound: on or off, the volume table, the channels playing now with their
// volume, the most recent starts as [frame, slot, reference], and the file
// the idle music (slot 96) was loaded from.
JSON audioJSON() {
  JSON volumes = JSON::array();
  for (int s = 0; s < NUMSOUNDS; s++) volumes.push_back(INITIALVOLUME[s]);
  JSON playing = JSON::array();
  for (int c = 0; c < NUMSOUNDS; c++)
    if (CHANNELPLAYING(c)) playing.push_back({{"channel", c}, {"volume", CHANNELVOLUME[c]}});
  JSON starts = JSON::array();
  for (int i = 1; i <= SOUNDREQUESTCOUNT; i++)
    starts.push_back({SOUNDREQUESTS[i].FRAME, SOUNDREQUESTS[i].SLOT, SOUNDREQUESTS[i].REF});
  return {{"on", SOUNDON}, {"volumes", volumes}, {"playing", playing}, {"starts", starts},
          {"music", SLOTSOURCE(96)}};
}
}  // namespace

// The link game: which player this machine is, how far lockstep got, the
// checksums found equal, a desynchronisation and the bytes carried.
JSON linkJSON() {
  static const char* const STATES[] = {"off", "playing", "lost", "desync"};
  return {{"active", LINKACTIVE},
          {"state", STATES[LINKSTATUS <= LINKDESYNC ? LINKSTATUS : 0]},
          {"mynumber", LINKMYNUMBER},
          {"peername", LINKPEERNAME},
          {"delay", LINKINPUTDELAY},
          {"cycle", LINKCYCLE},
          {"checks", LINKCHECKS},
          {"waits", LINKWAITS},
          {"waitms", LINKWAITMS},
          {"desyncframe", LINKDESYNCFRAME},
          {"bytessent", LINKBYTESSENT},
          {"bytesreceived", LINKBYTESRECEIVED}};
}

std::string STATEDUMPJSON() {
  JSON o;
  o["currentmap"] = CURRENTMAP;
  o["victory"] = VICTORY;
  o["nextmap"] = NEXTMAP;
  o["mapname"] = bytesText(trimmed(MAPNAME));
  o["mapsize"] = {MAPSIZEX, MAPSIZEY};
  o["clock"] = clockJSON();
  o["frames"] = PUSHEDFRAMES;
  o["numberofplayers"] = NUMBEROFPLAYERS;
  o["mynumber"] = MYNUMBER;
  o["players"] = {playerJSON(1), playerJSON(2)};
  // The message log (oldest first), the hero-thought box and the objective.
  o["messages"] = messagesJSON();
  o["hero"] = heroJSON();
  o["objective"] = objectiveJSON();
  o["pickups"] = pickupsJSON();
  o["monsters"] = monstersJSON();
  o["projectiles"] = projectilesJSON();
  o["shots"] = shotsJSON();
  o["script"] = scriptJSON();
  o["doors"] = doorsJSON();
  o["traps"] = trapsJSON();
  o["portals"] = portalsJSON();
  o["tanks"] = tanksJSON();
  o["effects"] = effectsJSON();
  monsterStepJSON(o);
  modeJSON(o);
  o["view"] = {{"zoom", VIEWZOOM},
               {"zoomdefault", VIEWZOOMDEFAULT},
               {"drawmap", static_cast<bool>(DRAW_MAP)},
               {"pausestate", PAUSESTATE}};
  int explored = 0;
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) explored += MAPPP[x][y].EXPLORED;
  o["explored"] = explored;
  o["counters"] = {{"input", INPUTCOUNTER}, {"g", GCOUNTER},     {"e", ECOUNTER},
                   {"h", HCOUNTER},         {"f", FCOUNTER},     {"sea", SEACOUNTER},
                   {"cic", CIC}};
  o["map"] = mapJSON();
  o["link"] = linkJSON();
  o["audio"] = audioJSON();
  // ASCII output: every byte above 126 and every control byte is escaped.
  return o.dump(2, ' ', true) + "\n";
}

bool WRITESTATEDUMP(const std::string& path) {
  std::string err;
  return WRITEFILESAFE(path, STATEDUMPJSON(), err);
}
