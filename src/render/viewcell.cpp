// How one map cell looks: brightness from the light grids, visibility from
// the sight ray, the glyph substitution of each visual style, block faces,
// and the per-cell effects (sea shimmer, low-health garble).
#include <cctype>
#include <cmath>

#include "display/renderer.h"
#include "game/players.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/view.h"
#include "shell/engine.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

namespace {
int32_t scaleRound(int32_t v, double f) { return static_cast<int32_t>(ROUNDEVEN(v * f)); }

// Pickups that pulse with the item colour cycle.
bool isPulsing(unsigned char c) {
  switch (c) {
    case 'H': case 'Y': case '%': case 220: case 210: case 240: case 186: case 236: case 157:
    case 158: case 156:
      return true;
    default:
      return c >= '1' && c <= '9';
  }
}

bool isRocketShape(unsigned char c) { return c == '/' || c == '-' || c == '\\' || c == '|'; }

// Step of the item colour cycle: 1..7 while CIC rises, then 9, 8, .., 1.
int32_t cycleStep() { return CIC < 8 ? CIC : 17 - CIC; }

// The symbol substitution of the current visual style. Returns false when
// the object has its own drawing pass and must be hidden from the cell.
bool substitute(CELLINFO& info, int32_t x, int32_t y) {
  const unsigned char s = info.SYMBOL;
  const POSTPROCESSING& pp = MAPPP[x][y];
  switch (s) {
    case 'M': return false;
    case ' ':
      info.SYMBOL = pp.DISPFLOOR;
      if (pp.GORE == GORE_MONSTERBODY && NEW_MONSTERS == 0) info.SYMBOL = 218;
      return true;
    case '$':
      // Only a mine in sight range reaches here (a far one is drawn as floor).
      // Both glyph sets draw #141 as a mine; the dollar sign is no mine.
      info.SYMBOL = 141;
      return true;
    case '_': info.SYMBOL = 248; MFATTR[x][y] = 7; return true;
    case '\'': info.SYMBOL = 233; MFATTR[x][y] = 7; return true;
    case 'S': info.SYMBOL = 139; MFATTR[x][y] = 7; return true;
    case 'W': info.SYMBOL = NEW_LAND == 1 ? 247 : '#'; return true;
    case 'P': case 'p': case 177: case 178: return false;
    case 'O': case 'o':
      if (NEW_FIRE == 1) {
        info.SYMBOL = static_cast<unsigned char>((s == 'O' ? 249 : 252) + random(3));
        info.ATTR = REPLACEFATTR(info.ATTR, 15);
      } else {
        // One draw as in the modern look; the colour's is the look's own.
        info.SYMBOL = random(2) == 0 ? 'W' : 'w';
        info.ATTR = REPLACEFATTR(info.ATTR, randomLook(2) == 0 ? 4 : 12);
      }
      return true;
    default: break;
  }
  if (isRocketShape(s)) return false;
  if (NEW_LAND == 1) {
    if (s == 176) { info.SYMBOL = 229; return true; }
    if (s == 'R') { info.SYMBOL = pp.INDOOR ? pp.DISPHOUSEROCK : pp.DISPROCK; return true; }
    if (s == 'V') { info.SYMBOL = 228; return true; }
  }
  // A key is #168 in both glyph sets (a key drawing; the per-cent sign of the
  // map file is no key).
  if (s == '%') { info.SYMBOL = 168; return true; }
  if (s == 'i' || s == 'K' || s == 'A' || s == 'B') { info.SYMBOL = ITEMGLYPH(s); return true; }
  if (NEW_ITEMS == 1) {
    switch (s) {
      case 219: info.SYMBOL = 231; return true;
      case 'T': info.SYMBOL = 136; return true;
      case 'Y': info.SYMBOL = 154; return true;
      case 'H': info.SYMBOL = 138; return true;
      default: break;
    }
    if (s >= '1' && s <= '9') { info.SYMBOL = static_cast<unsigned char>(145 + (s - '1')); return true; }
  }
  return true;
}
}  // namespace

unsigned char ITEMGLYPH(unsigned char item) {
  if (MODERN_VISUALS == 1 && item == 'i') return 204;
  if (NEW_ITEMS == 1) {
    switch (item) {
      case 'K': return '}';
      case 'A': return 137;
      case 'B': return 139;
      default: break;
    }
  }
  return item;
}

unsigned char SHOWNMAPCHAR(int32_t x, int32_t y) {
  if (!VALID(x, y)) return ' ';
  const unsigned char c = MAP[x][y];
  if (c != '$') return c;
  const int p = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  return DISTANCE(PLAYERX[p], PLAYERY[p], x, y) < MINESIGHT ? c : ' ';
}

bool ISDRAWNROCK(int32_t x, int32_t y) {
  if (!VALID(x, y)) return false;
  const unsigned char c = MAP[x][y];
  const unsigned char chr = MAPPP[x][y].CHR;
  return (c == '0' || c == 'R' || c == 'F') && (chr == 255 || chr == ' ');
}

int32_t DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(int32_t x, int32_t y) {
  if (MODERN_VISUALS == 0 || !VALID(x, y)) return 0;
  const int32_t base = (MAP[x][y] == 'W' || MAP[x][y] == 'V') ? EFFECT3D_SCROLL : 0;
  if (!ISDRAWNROCK(x, y)) return base;
  auto seenRock = [](int32_t cx, int32_t cy) { return ISDRAWNROCK(cx, cy) && MAPLOS[cx][cy] > 0; };
  int32_t e = base;
  if (!seenRock(x, y + 1)) e += EFFECT3D_TOP;
  if (!seenRock(x + 1, y)) e += EFFECT3D_RIGHT;
  if (e == 0 && !seenRock(x + 1, y + 1)) return EFFECT3D_CORNER;
  return e;
}

void STEALTHIT(CELLINFO& info, int32_t x, int32_t y, int32_t screenx, int32_t screeny) {
  if (screeny >= 1 && screeny <= UDT_Y && screenx >= 1 && screenx <= UDT_X)
    EMUKRAN[screeny][screenx] = info;
  const int32_t ry = MAPSIZEY + 1 - y;
  info.SYMBOL = MAPPP[x][y].DISPFLOOR;
  if (ry >= 1 && MLIGHT[x][ry] != 128) {
    info.ATTR = static_cast<BYTE>((MBATTR[x][y] & 15) * 16 + (MLIGHT[x][ry] & 15));
  } else if (MODERN_VISUALS == 0) {
    info.BRIGHTNESS = scaleRound(info.BRIGHTNESS, 0.4);
    info.ATTR = static_cast<BYTE>((MBATTR[x][y] & 15) * 16 + 8);
  } else {
    if (MAPPP[x][y].OC[L_PROPS] == 0) info.BRIGHTNESS = scaleRound(info.BRIGHTNESS, 0.5);
    info.ATTR = static_cast<BYTE>((MBATTR[x][y] & 15) * 16 + 8);
  }
}

CELLINFO CELLDRAWINFO(int32_t vx, int32_t vy, int32_t x, int32_t y, int32_t screenx,
                      int32_t screeny) {
  CELLINFO info;
  info.SATURATION = 100;
  info.SYMBOL = ' ';
  info.BRIGHTNESS = 0;
  info.ATTR = 0;
  // Rows above the level have no light record (the light grids count rows
  // from the level's top): such cells, like cells off the grid, are invisible.
  const int32_t ry = MAPSIZEY + 1 - y;
  if (!VALID(x, y) || ry < 1) {
    info.EFFECT3D = 0;
    return info;
  }
  info.EFFECT3D = DETERMINETHEPROPER3DEFFECTFORCELLDRAWN(x, y);
  // A mine out of sight range is described exactly as floor of the floor colour.
  const unsigned char m = SHOWNMAPCHAR(x, y);
  const bool hiddenmine = m != MAP[x][y];
  const BYTE fattr = hiddenmine ? 8 : MFATTR[x][y];
  POSTPROCESSING& pp = MAPPP[x][y];
  int32_t b = MAPPP[x][ry].BRIGHTNESS;

  if (m == ' ') {
    if (MODERN_VISUALS == 0 && !hiddenmine && MFATTR[x][y] != 4 && MFATTR[x][y] != 12) {
      if (pp.GORE == GORE_BLOOD) {
        MFATTR[x][y] = 4;
        OOGA[x][ry] = 128;
      } else if (pp.GORE == GORE_MONSTERBODY) {
        MFATTR[x][y] = NEW_MONSTERS == 1 ? 12 : 4;
        OOGA[x][ry] = 128;
      }
    }
    if (MLIGHT[x][ry] == 128 && fattr == 8) b = b / 2;
  }
  if ((m == ' ' || m == 'P' || m == 'M') && MLIGHT[x][ry] != 128) b = b / 2;
  if (m == 'R' && NEW_LAND == 0) b = b * 3 / 4;
  if (ISTREEWEAKROCK(x, y))
    b = static_cast<int32_t>(std::trunc(b * TREEWEAKROCKHEALTH(x, y) * 0.8 / 50));

  const bool seen = SEESLOS(vx, vy, x, y, false);
  if (!seen && !(x == vx && y == vy)) {
    if (MODERN_VISUALS == 0 && info.SYMBOL == 248) info.SYMBOL = 139;
    return info;
  }

  info.BRIGHTNESS = b;
  info.SYMBOL = hiddenmine ? ' ' : WHATISIT(x, y);
  const BYTE fg = MLIGHT[x][ry] == 128 ? fattr : MLIGHT[x][ry];
  info.ATTR = static_cast<BYTE>((MBATTR[x][y] & 15) * 16 + (fg & 15));

  if (MAPLOS[x][y] <= FADEOUT)
    info.BRIGHTNESS = MAPLOS[x][y] > 0 ? MAPLOS[x][y] * b / FADEOUT : 0;

  if (VALID(x + 1, y + 1) && MAP[x + 1][y + 1] == 'R' && !MAPBLACK[x + 1][y + 1] && m != 'R')
    info.BRIGHTNESS = scaleRound(info.BRIGHTNESS, m == ' ' ? 0.7 : 0.6);

  if (!substitute(info, x, y)) STEALTHIT(info, x, y, screenx, screeny);

  // Sea sound near the viewer: real water, and fire drawn as waves in the classic look.
  if ((info.SYMBOL == 'W' || m == 'W') && std::abs(x - vx) < 4 && std::abs(y - vy) < 4)
    SEASOUND[MYNUMBER] = true;

  if (MAPBLACK[x][y]) info.BRIGHTNESS = 0;
  const double d = DISTANCE(x, y, vx, vy);
  if (d > 3) {
    info.SATURATION = scaleRound(info.SATURATION, 1.0 - (d - 3) / 17.0);
    if (info.SATURATION < 0) info.SATURATION = 0;
  }
  const int32_t i = cycleStep();
  const bool letter = pp.CHR != 255;
  if (isPulsing(m) && !letter) {
    info.BRIGHTNESS = 25 + i * 75 / 8;
    info.SATURATION = 100;
  }
  if (m == 176) {
    info.BRIGHTNESS = MODERN_VISUALS == 1 ? 90 + random(11) : 70 + random(31);
    info.SATURATION = 100;
  }
  if (letter) {
    if (std::toupper(pp.CHR) == pp.CHR) {
      info.SATURATION = 50 + i * 50 / 10;
      info.SYMBOL = static_cast<unsigned char>(std::tolower(info.SYMBOL));
    } else {
      info.SATURATION = 25;
    }
  }
  if (MODERN_VISUALS == 0 && info.SYMBOL == 248) info.SYMBOL = 139;
  return info;
}

void ANIMATESEA() {
  const int32_t x1 = 20 * SEACOUNTER - 18, x2 = 20 * SEACOUNTER - 1;
  for (int32_t x = x1; x <= x2; x++) {
    if (x < 1 || x > MAX_MAPWIDTH) continue;
    for (int32_t y = 2; y <= MAPSIZEY - 1; y++) {
      const unsigned char d = MAP[x][y];
      if (d != 'W' && d != 'V') continue;
      const int32_t nx = x + random(3) - 1;
      const int32_t ny = y + random(3) - 1;
      if (!VALID(nx, ny) || MAP[nx][ny] != d) continue;
      const BYTE t = MFATTR[x][y];
      MFATTR[x][y] = MFATTR[nx][ny];
      MFATTR[nx][ny] = t;
    }
  }
}

namespace {
// Screen effects act only for the player this machine shows.
bool localPlayer(BYTE pn) { return pn >= 1 && pn <= 2 && pn == MYNUMBER; }
}  // namespace

void GARBLEEFFECT(BYTE pn, BYTE scr) {
  (void)scr;
  if (!localPlayer(pn)) return;
  if (CYCLES[pn] > 0) {
    CYCLES[pn]--;
  } else if (random(100) < 3) {
    CYCLES[pn] = static_cast<BYTE>(1 + random(7));
    CHOSEN[pn] = static_cast<unsigned char>(GARBLECHOICE[random(3)]);
  }
}

void DEADEFFECT(BYTE pn, BYTE scr) {
  // The death look (desaturated flicker and the caption) is drawn by the glyph
  // renderer and the frame builder from DEATHEFFECTWASCALLED; nothing per player.
  (void)pn;
  (void)scr;
}
