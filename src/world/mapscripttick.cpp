// The per-tick check of the script entries: area tests, requirements, the
// countdown, the actions of a firing entry, the start-up display overrides
// and the dark areas.
#include <string>

#include "base/random.h"
#include "game/doors.h"
#include "game/goals.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "render/postprocess.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"
#include "world/mapscript.h"

namespace {
// The grid row of a row written in the file (a text line from the top).
int32_t convertedRow(int32_t y) { return MAPSIZEY + 1 - y; }

// "x|y" (or "c|tx|ty"): up to N numbers joined by vertical bars; parts that
// do not convert give 0.
void barNumbers(const std::string& v, int32_t* out, int n) {
  size_t from = 0;
  for (int k = 0; k < n; k++) {
    size_t bar = v.find('|', from);
    const std::string part =
        from > v.size() ? std::string() : v.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
    out[k] = static_cast<int32_t>(OPTIONNUMBER(part, -100000, 100000));
    from = bar == std::string::npos ? v.size() + 1 : bar + 1;
  }
}

BYTE me() { return MYNUMBER == 2 ? 2 : 1; }

// The whole level turns to fire: lights, monsters and sounds gone, both players dead.
void blowUp() {
  NUMBEROFLIGHTS = 0;
  NUMBEROFMONSTERS = 0;
  STOPALLSOUNDS();
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      MAP[x][y] = x % 2 == 0 ? 'O' : 'o';
      MAPPP[x][y].CHR = 255;
      MLIGHT[x][y] = 128;
      OOGA[x][y] = 128;
    }
  PLAYERHEALTH[1] = PLAYERHEALTH[2] = 0;
}

// The 3 x 3 block around a cell is blasted empty, each cell flashing.
void nuke(const std::string& v) {
  int32_t c[2];
  barNumbers(v, c, 2);
  const int32_t cy = convertedRow(c[1]);
  for (int32_t x = c[0] - 1; x <= c[0] + 1; x++)
    for (int32_t y = cy - 1; y <= cy + 1; y++) {
      if (!VALID(x, y)) continue;
      MAP[x][y] = ' ';
      MAPPP[x][y].CHR = 255;
      ADDBLINK(static_cast<BYTE>(x), static_cast<BYTE>(y), 1, 12);
    }
}

// The actions of a firing entry E (a copy of entry I) for player P, in order.
void fire(BYTE p, uint16_t i, const NEWSCRIPTTYPE& e) {
  if (!OPTIONPRESENT(i, "BLOWUP").empty()) blowUp();
  const std::string nukeAt = OPTIONPRESENT(i, "NUKE");
  if (!nukeAt.empty()) nuke(nukeAt);
  const std::string bfgAt = OPTIONPRESENT(i, "BFG");
  if (!bfgAt.empty()) {
    int32_t c[2];
    barNumbers(bfgAt, c, 2);
    const int32_t cy = convertedRow(c[1]);
    if (VALID(c[0], cy)) ADDEXPLOSION(static_cast<BYTE>(c[0]), static_cast<BYTE>(cy), 1, 3);
  }
  if (!OPTIONPRESENT(i, "AUTOSAVE").empty() && !LINKACTIVE) {
    // Finished before the save, so that the save shows the entry as done.
    NEWSCRIPT[i].ACTIVATED = true;
    NEWSCRIPT[i].TIMER = 0;
    if (SAVEGAME) {
      SAVEGAME(true);
      INFORM(me(), "Game autosaved.", 13);
    }
  }
  const std::string portal = OPTIONPRESENT(i, "PORTAL");
  if (!portal.empty()) {
    const BYTE n = static_cast<BYTE>(OPTIONNUMBER(portal, 0, 255));
    NUMPORTALS = 1;
    PORTALX[1] = 1;
    PORTALY[1] = 1;
    PORTALLEVEL[1] = n;
    VICTORY = 1;
    NEXTMAP = n;
  }
  const std::string shaky = OPTIONPRESENT(i, "SHAKY");
  if (!shaky.empty()) SHAKY = static_cast<int32_t>(OPTIONNUMBER(shaky, INT32_MIN, INT32_MAX));
  if (!OPTIONPRESENT(i, "UNSTOP").empty()) HEROTIMER = 1;
  if (!OPTIONPRESENT(i, "GAMEWON").empty()) VICTORY = 2;

  const std::string fallout = OPTIONPRESENT(i, "FALLOUT");
  if (fallout.empty() && !e.VOICEFILE.empty()) TOGGLEVOICEFILE(e.VOICEFILE, e.TXT);
  if (!e.TXT.empty() && fallout.empty()) TOGGLEOBJECTIVETEXT(TRIMSPACES(e.TXT));
  if (!e.TXT.empty() && !fallout.empty()) {
    INFORM(p, e.TXT, 14);
    DRAW_MAP = false;
    if (fallout != "NOSTOP" && !LINKACTIVE) {
      // Paused until every key is let go; nobody moves meanwhile.
      SETPAUSE(PAUSED_WAITFORNOINPUT);
      PLAYERX_[1] = PLAYERX[1];
      PLAYERY_[1] = PLAYERY[1];
      const BYTE t = INTANK[1];
      if (t >= 1 && t <= MAX_TANKS) {
        TANKX_[t] = TANKX[t];
        TANKY_[t] = TANKY[t];
      }
    } else {
      SETPAUSE(PAUSED_NOT);
    }
    if (!e.VOICEFILE.empty()) TOGGLEVOICEFILE(e.VOICEFILE, "");
    STARTSOUND1(89, 89, false);
  }
  const std::string onstart = ENTRYSTARTUPOPTION(i);
  if (!onstart.empty()) ACTIVATESTARTUPOPTIONFORENTRY(i, onstart);
}

// The requirement of option "REQ": a dead boss or helper, or a finished entry.
bool requirementHolds(const std::string& req) {
  if (req == "BOSSDEAD") return BOSSHEALTH <= 0;
  if (req == "HELPERDEAD") return HELPERHEALTH <= 0;
  return ENTRYWASACTIVATED(req);
}

// Option "AMB" of an entry whose area my player stands in.
void ambience(uint16_t i) {
  const std::string amb = OPTIONPRESENT(i, "AMB");
  if (amb == "QUIETER") {
    SETAMBIENTVOLUME_QUIET();
  } else if (amb == "NONE") {
    PLAYSOUND = 0;
  } else if (!amb.empty() && ISNUMERIC(amb, false)) {
    PLAYSOUND = static_cast<BYTE>(OPTIONNUMBER(amb, 0, 255));
    SETAMBIENTVOLUME_NORMAL();
  }
  LOOP = true;
}
}  // namespace

void CHECKNEWSCRIPT() {
  for (size_t i = 0; i < NEWSCRIPT.size() && i < MAX_SCRIPT_ENTRIES; i++)
    for (BYTE p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++) CHECKTIVATEENTRY(p, static_cast<uint16_t>(i));
}

bool CHECKTIVATEENTRY(BYTE p, uint16_t i) {
  if (i >= NEWSCRIPT.size() || p < 1 || p > 2) return false;
  if (NEWSCRIPT[i].MAPNUM != CURRENTMAP) return false;
  if (p == 1) ACTIVATEREPEATINGENTRYSPECIALS(i);
  const NEWSCRIPTTYPE e = NEWSCRIPT[i];
  const int32_t cy = convertedRow(e.Y);
  const int32_t px = PLAYERX[p], py = PLAYERY[p];

  bool area;
  if (!ENTRYSTARTUPOPTION(i).empty()) area = true;
  else if (!e.ISRECTANGLE) area = DISTANCE(px, py, e.X, cy) < e.RADIUS;
  else area = e.X <= px && px < e.X + e.WIDTH && cy - e.HEIGHT < py && py <= cy;

  bool req = true;
  const std::string reqname = OPTIONPRESENT(i, "REQ");
  if (!reqname.empty() && area) req = requirementHolds(reqname);

  if (area && req && p == MYNUMBER) ambience(i);
  if (NEWSCRIPT[i].TIMER == 0) return false;  // finished

  bool reqnot = true;
  const std::string notname = OPTIONPRESENT(i, "REQNOT");
  if (area && req && !notname.empty()) reqnot = !ENTRYWASACTIVATED(notname);

  bool qualifies = area && req && reqnot;
  const std::string celltrap = OPTIONPRESENT(i, "NOCELLTRAP");
  if (qualifies && !celltrap.empty()) {
    int32_t c[2];
    barNumbers(celltrap, c, 2);
    const int32_t ty = convertedRow(c[1]);
    if (VALID(c[0], ty) && !TRAPACTIVATED(static_cast<BYTE>(c[0]), static_cast<BYTE>(ty)))
      qualifies = false;
  }

  if (qualifies && !NEWSCRIPT[i].ACTIVATED) {
    NEWSCRIPT[i].ACTIVATED = true;
    const std::string timer = OPTIONPRESENT(i, "TIMER");
    if (!timer.empty()) NEWSCRIPT[i].TIMER = static_cast<uint16_t>(OPTIONNUMBER(timer, 0, 65535));
  }
  if (NEWSCRIPT[i].ACTIVATED && NEWSCRIPT[i].TIMER == 1) fire(p, i, e);
  // The countdown runs only while the world is hostile, except the last step.
  NEWSCRIPTTYPE& s = NEWSCRIPT[i];
  if (s.ACTIVATED && s.TIMER != 0 && (ALLOWWORLDHOSTILITY() || s.TIMER == 1)) s.TIMER--;
  return qualifies;
}

void ACTIVATESTARTUPOPTIONFORENTRY(uint16_t i, const std::string& action) {
  if (i >= NEWSCRIPT.size()) return;
  const NEWSCRIPTTYPE& e = NEWSCRIPT[i];
  if (!e.ISRECTANGLE) return;  // a circle has no rectangle to paint
  const int32_t cy = convertedRow(e.Y);
  auto startsWith = [&](const char* w) { return action.rfind(w, 0) == 0; };
  for (int32_t x = e.X; x < e.X + e.WIDTH; x++)
    for (int32_t y = cy; y > cy - e.HEIGHT; y--) {
      if (!VALID(x, y)) continue;
      POSTPROCESSING& c = MAPPP[x][y];
      if (startsWith("ROCK=")) {
        c.DISPROCK = static_cast<BYTE>(OPTIONNUMBER(action.substr(5), 0, 255));
      } else if (startsWith("HOUSEROCK=")) {
        c.DISPHOUSEROCK = static_cast<BYTE>(OPTIONNUMBER(action.substr(10), 0, 255));
      } else if (startsWith("FLOOR=")) {
        c.DISPFLOOR = static_cast<BYTE>(OPTIONNUMBER(action.substr(6), 0, 255));
      } else if (startsWith("PROP=")) {
        int32_t v[3];
        barNumbers(action.substr(5), v, 3);
        c.OC[L_PROPS] = static_cast<uint16_t>(v[0] < 0 || v[0] > 65535 ? 0 : v[0]);
        const int32_t ox = x - e.X + v[1], oy = cy - y + v[2];
        c.OX[L_PROPS] = static_cast<uint16_t>(ox < 0 || ox > 65535 ? 0 : ox);
        c.OY[L_PROPS] = static_cast<uint16_t>(oy < 0 || oy > 65535 ? 0 : oy);
      }
    }
}

void ACTIVATEREPEATINGENTRYSPECIALS(uint16_t i) {
  if (i >= NEWSCRIPT.size()) return;
  const bool redblink = random(15) == 7;
  const std::string d = OPTIONPRESENT(i, "DARK");
  if (d.empty()) return;
  NEWSCRIPTTYPE& e = NEWSCRIPT[i];
  if (d == "FLICKER") {
    if (e.EFFCOUNTER > 0) e.EFFCOUNTER--;
    else if (random(8) == 4) e.EFFCOUNTER = static_cast<BYTE>(random(10));
  }
  // The area is used as written: X is the column and Y the light-grid row
  // (counted from the top, like the file's lines).
  auto markIndoor = [](int32_t x, int32_t ry) {
    const int32_t y = convertedRow(ry);
    if (VALID(x, y)) MAPPP[x][y].INDOORCELL = true;
  };
  if (e.ISRECTANGLE) {
    for (int32_t x = e.X; x < e.X + e.WIDTH; x++)
      for (int32_t ry = e.Y; ry < e.Y + e.HEIGHT; ry++) {
        markIndoor(x, ry);
        if (d == "FLICKER" && e.EFFCOUNTER > 0) {
          SETCELLLIGHTING(x, ry, 0);
          BOOSTCELLBRIGHTNESS(x, ry, 60 - 6 * e.EFFCOUNTER);
        } else if (d == "REDBLINK" && redblink) {
          SETCELLLIGHTING(x, ry, 4);
        } else {
          SETCELLLIGHTING(x, ry, 0);
        }
      }
  } else {
    const int32_t r = e.RADIUS;
    for (int32_t x = e.X - (r - 1); x <= e.X + (r - 1); x++)
      for (int32_t ry = e.Y - (r - 1); ry <= e.Y + (r - 1); ry++) {
        if (!VALID(x, ry) || DISTANCE(x, ry, e.X, e.Y) > r) continue;
        markIndoor(x, ry);
        SETCELLLIGHTING(x, ry, 0);
      }
  }
}
