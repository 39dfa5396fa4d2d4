#include "render/messages.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/player.h"
#include "shell/engine.h"
#include "base/settings.h"

std::string TXTLINE[TXT_NUMLINES + 1];
BYTE TXTLINECOLOR[TXT_NUMLINES + 1];
uint16_t TXTBLINK[TXT_NUMLINES + 1];
std::string HEROTHOUGHT[TXT_NUMLINES + 1];
uint16_t HEROTIMER = 0;
BYTE HEROCOLOR = 10;
std::string TICKER[3];
BYTE POSITION[3];

std::string CURRENTOBJECTIVE[MAX_OBJ_LINES + 1];
BYTE CURRENTOBJECTIVELINES = 0;
uint16_t CURRENTOBJECTIVETIMER = 0;
int32_t OBJLINE = 1, OBJCHAR = 1;

namespace {
// Characters a log line may be broken after.
const std::string LOGBREAKS = " ,.!?";
// Characters an objective line may be broken after.
const std::string OBJBREAKS = " .,-;";
}  // namespace

std::string PADRIGHT(const std::string& s, size_t len) {
  return s.size() >= len ? s : s + std::string(len - s.size(), ' ');
}

std::string TRIMSPACES(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= ' ') a++;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') b--;
  return s.substr(a, b - a);
}

std::string UPCASE(const std::string& s) {
  std::string r = s;
  for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return r;
}

bool STARTSINCAPITALS(const std::string& s) {
  std::string head = s.substr(0, 3);
  return head == UPCASE(head);
}

void SHIFTTXTLINESUP() {
  for (int i = 1; i < TXT_NUMLINES; i++) {
    TXTLINE[i] = TXTLINE[i + 1];
    TXTLINECOLOR[i] = TXTLINECOLOR[i + 1];
    TXTBLINK[i] = TXTBLINK[i + 1];
  }
}

namespace {
// Writes INFO into the log of my player P, word-wrapped, in colour CLR.
void LOGMESSAGE(BYTE p, const std::string& info, BYTE clr) {
  BYTE mapped = clr;
  if (mapped == 10) mapped = 7;
  if (mapped == 14) mapped = 10;
  const BYTE linecolor = STARTSINCAPITALS(info) ? 11 : mapped;

  std::string s = info;
  while (!s.empty()) {
    SHIFTTXTLINESUP();
    std::string& line = TXTLINE[TXT_NUMLINES];
    if (s.size() > static_cast<size_t>(TXT_LINELEN)) {
      size_t cut = 1;
      for (size_t c = TXT_LINELEN; c >= 1; c--) {
        if (LOGBREAKS.find(s[c - 1]) != std::string::npos) {
          cut = c;
          break;
        }
      }
      line = TRIMSPACES(s.substr(0, cut));
      s.erase(0, cut);
    } else {
      line = TRIMSPACES(s);
      s.clear();
    }
    TXTLINECOLOR[TXT_NUMLINES] = linecolor;
    TXTBLINK[TXT_NUMLINES] = (mapped == 12 || mapped == 10) ? 50 : 0;
    if (HEROTIMER < HEROTIME) HEROCOLOR = 10;
    line = PADRIGHT(line, TXT_LINELEN);
    if (mapped == 10) {
      // The hero's own thought: a new remark after the box has started to
      // age starts a fresh box.
      if (HEROTIMER < HEROTIME)
        for (int i = 1; i <= TXT_NUMLINES; i++) HEROTHOUGHT[i].clear();
      HEROTIMER = HEROTIME;
      for (int i = 1; i < TXT_NUMLINES; i++) HEROTHOUGHT[i] = HEROTHOUGHT[i + 1];
      HEROTHOUGHT[TXT_NUMLINES] = line;
      if (STARTSINCAPITALS(line)) HEROCOLOR = 11;
    }
  }
}
}  // namespace

void INFORM(BYTE p, const std::string& info, BYTE clr) {
  if (p != MYNUMBER || (p != 1 && p != 2)) return;
  if (PLAYERHEALTH[p] == 0 || info == TICKER[p]) return;
  TICKER[p] = info;
  POSITION[p] = 0;
  LOGMESSAGE(p, info, clr);
}

void INFORMCHAT(const std::string& line, BYTE clr) {
  if (MYNUMBER != 1 && MYNUMBER != 2) return;
  LOGMESSAGE(MYNUMBER, line, clr);
}

void CLEARMESSAGES() {
  for (int i = 1; i <= TXT_NUMLINES; i++) {
    TXTLINE[i].clear();
    TXTLINECOLOR[i] = 0;
    TXTBLINK[i] = 0;
    HEROTHOUGHT[i].clear();
  }
  HEROTIMER = 0;
  HEROCOLOR = 10;
  TICKER[1].clear();
  TICKER[2].clear();
  POSITION[1] = POSITION[2] = 0;
  for (int i = 1; i <= MAX_OBJ_LINES; i++) CURRENTOBJECTIVE[i].clear();
  CURRENTOBJECTIVELINES = 0;
  CURRENTOBJECTIVETIMER = 0;
  OBJLINE = 1;
  OBJCHAR = 1;
}

void TOGGLEOBJECTIVETEXT(const std::string& text) {
  if (text.empty()) return;
  const int64_t len = static_cast<int64_t>(text.size());
  const int64_t lines = (len + MAX_OBJ_LENGTH - 1) / MAX_OBJ_LENGTH;
  const int64_t w =
      std::max<int64_t>(1, ROUNDEVEN(static_cast<double>(len) / static_cast<double>(lines) + 0.5));
  std::string rest = text;
  int made = 0;
  while (!rest.empty() && made < MAX_OBJ_LINES) {
    const int64_t remaining = static_cast<int64_t>(rest.size());
    int64_t cut = std::min(w, remaining);
    while (cut != remaining && cut >= 2 && OBJBREAKS.find(rest[cut - 1]) == std::string::npos)
      cut--;
    made++;
    CURRENTOBJECTIVE[made] = rest.substr(0, static_cast<size_t>(cut));
    rest.erase(0, static_cast<size_t>(cut));
  }
  for (int i = made + 1; i <= MAX_OBJ_LINES; i++) CURRENTOBJECTIVE[i].clear();
  CURRENTOBJECTIVELINES = static_cast<BYTE>(made);
  CURRENTOBJECTIVETIMER = static_cast<uint16_t>(made * 100 + 200);
  OBJLINE = 1;
  OBJCHAR = 1;
}

void DRAWOBJECTIVE(bool hide) {
  if (CURRENTOBJECTIVELINES == 0) return;
  if (OBJLINE < 1) OBJLINE = 1;
  if (OBJLINE > CURRENTOBJECTIVELINES) OBJLINE = CURRENTOBJECTIVELINES;
  if (INPUTCOUNTER == 1) OBJCHAR++;
  if (OBJCHAR > static_cast<int32_t>(CURRENTOBJECTIVE[OBJLINE].size()) &&
      OBJLINE < CURRENTOBJECTIVELINES) {
    OBJLINE++;
    OBJCHAR = 1;
  }
  if (CURRENTOBJECTIVETIMER == 0) return;
  for (int32_t i = 1; i <= OBJLINE; i++) {
    const std::string& full = CURRENTOBJECTIVE[i];
    std::string shown = full;
    if (i == OBJLINE)
      shown = PADRIGHT(full.substr(0, static_cast<size_t>(std::max(0, OBJCHAR))), full.size());
    if (!hide) {
      const int32_t col = (MAX_OBJ_LENGTH - static_cast<int32_t>(full.size())) / 2;
      RENDERSTRING(col, i, shown, 15, 0, 2, 100, 100);
    }
  }
  CURRENTOBJECTIVETIMER--;
}

void DRAWMESSAGES() {
  const bool savedgarble = GARBLEEFFECTWASCALLED;
  GARBLEEFFECTWASCALLED = false;
  const bool classic = MODERN_VISUALS == 0;
  if (classic) RENDER_BLACKS = true;
  const double savedx = TOFFX, savedy = TOFFY;

  if (classic) {
    // A text-mode frame: the corner and top line on the row above the first
    // log line, the side line beside each log line.
    RENDERSTRING(LOGFRAMECOLUMN, LOGFIRSTROW - 1,
                 std::string(1, static_cast<char>(FRAMECORNERGLYPH)) +
                     std::string(LOGFRAMEWIDTH - 1, static_cast<char>(FRAMEHLINEGLYPH)),
                 8, 0, 2, 100, 100);
  } else {
    // The log's backdrop: the 8 x 8 tiles of large sheet 213 in the
    // bottom-right corner of a 22 x 48 grid.
    TOFFX = 0;
    TOFFY = 0;
    const VMODETYPE savedmode = VMODE;
    VMODE.COL = 22;
    VMODE.ROW = 48;
    for (int x = 1; x <= 8; x++)
      for (int y = 1; y <= 8; y++)
        RENDERCHARCODE(14 + x, 40 + y, 213, 15, 100, 100, 0, x, y, 100, false);
    VMODE = savedmode;
    // The text sits inside the backdrop's frame: a third of a line down from
    // the row grid (clear of the top border) and half a column to the left.
    TOFFY += LOGTEXTDROP;
    TOFFX -= 0.5;
    SWITCHTOOPENGLBLENDINGMODE();
  }

  for (int i = 1; i <= TXT_NUMLINES; i++) {
    if (INPUTCOUNTER == 1 && TXTBLINK[i] > 0) TXTBLINK[i]--;
    BYTE colour = TXTLINECOLOR[i];
    BYTE bri = 75;
    if (colour == 12) {
      if (TXTBLINK[i] % 2 == 1) colour = 11;
      else bri = 100;
    } else if (colour == 10) {
      // A hero's remark (asked for in colour 14) fades in to full brightness.
      bri = static_cast<BYTE>((50 - std::min<uint16_t>(TXTBLINK[i], 50)) * 2);
    }
    RENDERSTRING(LOGFRAMECOLUMN + 1, LOGFIRSTROW - 1 + i, TXTLINE[i], colour, 0, 2, 100, bri);
    if (classic)
      RENDERSTRING(LOGFRAMECOLUMN, LOGFIRSTROW - 1 + i,
                   std::string(1, static_cast<char>(FRAMEVLINEGLYPH)), 8, 0, 2, 100, 100);
  }

  TOFFX = savedx;
  TOFFY = savedy;
  SWITCHTOOPENGLCOLORKEYMODE();
  RENDER_BLACKS = false;
  GARBLEEFFECTWASCALLED = savedgarble;
}

void MESSAGESCROLLER(BYTE pn, BYTE scr) {}
