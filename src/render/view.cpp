// The view frame: window geometry, the per-cell pass with its floor underlay,
// letters, overlay layers and gore, the actor passes and the spark pass, and
// the helpers that fill the overlay layers.
#include "render/view.h"

#include <cmath>

#include "display/renderer.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tankdrive.h"
#include "game/tanks.h"
#include "render/messages.h"
#include "render/lighting.h"
#include "render/los.h"
#include "shell/engine.h"
#include "base/random.h"
#include "base/settings.h"
#include "world/grid.h"

CELLINFO LASTDRAWNNONEMPTYTILE;
int32_t PLAYERANIMATIONFRAME[3] = {1, 1, 1};
int32_t PLAYERANIMATIONCOUNTER = PLAYER_ANIM_DELAY;
BYTE PLAYER_MORPHING = 0;
BYTE WAVYEFFECT = 0;
int32_t WAVYCOUNTER = 0;
bool SEASOUND[3] = {false, false, false};
bool DRAW_MAP = false;
std::string GARBLECHOICE = "//\\-";

namespace {
// Half the window size, rounded half to even.
int32_t halfSize(int32_t s) { return static_cast<int32_t>(ROUNDEVEN((s - 1) / 2.0)); }

// Map characters whose visible cell may serve as a disguised monster's look.
bool isScenery(unsigned char c) {
  switch (c) {
    case 'H': case 'Y': case '.': case '?': case 'T': case 'W': case '\'': case '_':
    case 156: case 186: case 210: case 220: case 239: case 240:
      return true;
    default:
      return c >= '1' && c <= '9';
  }
}

BYTE toByte(int32_t v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Large-sheet tile of map cell (X, Y) for glyph SYM, so large textures repeat
// seamlessly over the map; (-1, -1) for ordinary glyphs.
void cellTile(int32_t sym, int32_t x, int32_t y, int32_t& lx, int32_t& ly) {
  lx = ly = -1;
  if (sym < LOCHAR || sym > HICHAR || !TEXINFO[sym].ITS_LARGE) return;
  int32_t nx = TEXINFO[sym].NUMTEXX > 0 ? TEXINFO[sym].NUMTEXX : 1;
  int32_t ny = TEXINFO[sym].NUMTEXY > 0 ? TEXINFO[sym].NUMTEXY : 1;
  lx = (x % nx) + 1;
  ly = ((MAPSIZEY - y + 1) % ny + ny) % ny + 1;
}

// Whether row Y of the window is drawn: not the bottom line when it is kept
// free, and not the top rows hidden behind the objective box.
bool rowDrawn(int32_t y, int32_t ty, int32_t zy, bool hack_dontdrawbottomline) {
  if (hack_dontdrawbottomline && y == ty) return false;
  if (CURRENTOBJECTIVETIMER > 0 && zy - y < CURRENTOBJECTIVELINES / 2) return false;
  return true;
}

// The rows of the frame being drawn, for VIEWROWDRAWN.
struct FRAMEROWS {
  bool ACTIVE = false;
  int32_t TY = 0, ZY = 0;
  bool HIDEBOTTOM = false;
} CURRENTFRAME;

// One overlay layer G of map cell (X, Y) at screen cell (DX, DY).
void DRAWLAYER(int32_t x, int32_t y, int g, const CELLINFO& drawinfo, int32_t dx, int32_t dy) {
  const POSTPROCESSING& pp = MAPPP[x][y];
  if (pp.OC[g] == 0) return;
  BYTE attr = 7;
  int32_t ry = MAPSIZEY + 1 - y;
  if (g == L_PROPS && ry >= 1 && MLIGHT[x][ry] != 128) attr = MLIGHT[x][ry] & 15;
  int32_t bri = drawinfo.BRIGHTNESS;
  if (MAP[x][y] == ' ' && drawinfo.BRIGHTNESS >= 10) bri = 100;
  if (g == L_SPARKS) bri = 100;
  RENDERCHARCODE(dx, dy, pp.OC[g], attr, 100, toByte(bri), 0, pp.OX[g], pp.OY[g], 100, true);
}
}  // namespace

int32_t MAPTOSCREENX(int32_t mx, int32_t vx, int32_t sizex) {
  return mx + 1 - (vx - halfSize(sizex));
}

int32_t MAPTOSCREENY(int32_t my, int32_t vy, int32_t sizey) {
  return sizey + 1 - (my - (vy - halfSize(sizey)));
}

bool CELLWITHINVIEW(int32_t mapx, int32_t mapy, int32_t vx, int32_t vy, int32_t sizex,
                    int32_t sizey) {
  int32_t hx = halfSize(sizex), hy = halfSize(sizey);
  return mapx >= vx - hx && mapx <= vx + hx && mapy >= vy - hy && mapy <= vy + hy;
}

bool VIEWROWDRAWN(int32_t y) {
  return !CURRENTFRAME.ACTIVE || rowDrawn(y, CURRENTFRAME.TY, CURRENTFRAME.ZY, CURRENTFRAME.HIDEBOTTOM);
}

BYTE REPLACEFATTR(BYTE attr, BYTE newf) { return static_cast<BYTE>((attr / 16) * 16 + (newf & 15)); }

void DRAWVIEW40(BYTE vx, BYTE vy, BYTE sizex, BYTE sizey, bool mirror_to_ekran,
                bool hack_dontdrawbottomline) {
  (void)mirror_to_ekran;
  const bool shifted = SMOOTH_PLAYER_MOVEMENT && !DRAW_MAP && !DEAD[MYNUMBER] && INPUTCOUNTER != 1;
  if (shifted) SHIFTSCREENBYHALFCHARBACK();

  const int32_t tx = vx - halfSize(sizex), zx = vx + halfSize(sizex);
  const int32_t ty = vy - halfSize(sizey), zy = vy + halfSize(sizey);

  // Sight memory fades everywhere; cells seen this frame are refreshed by SEESLOS.
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++)
      if (MAPLOS[x][y] > 0) MAPLOS[x][y] = MAPLOS[x][y] > FADEOUTSPEED ? MAPLOS[x][y] - FADEOUTSPEED : 0;

  bool ldnt_found = false;
  for (int32_t x = tx; x <= zx; x++) {
    for (int32_t y = ty; y <= zy; y++) {
      if (!rowDrawn(y, ty, zy, hack_dontdrawbottomline) || !VALID(x, y)) continue;
      const double savedtoffx = TOFFX;
      if (WAVYEFFECT > 0) TOFFX += std::sin(static_cast<double>(WAVYCOUNTER + y)) / 20.0;
      const int32_t dx = x + 1 - tx, dy = sizey + 1 - (y - ty);
      int32_t lx, ly;

      // Every object stands on a textured floor tile in the modern look.
      if (!DRAW_MAP && MODERN_VISUALS == 1) {
        unsigned char savedmap = MAP[x][y];
        BYTE savedfattr = MFATTR[x][y];
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
        CELLINFO under = CELLDRAWINFO(vx, vy, x, y, dx, dy);
        if (under.SYMBOL >= 32) {
          cellTile(under.SYMBOL, x, y, lx, ly);
          RENDERCHAR(dx, dy, under.SYMBOL, under.ATTR, toByte(under.SATURATION),
                     toByte(under.BRIGHTNESS), under.EFFECT3D, lx, ly, 100, true);
        }
        MAP[x][y] = savedmap;
        MFATTR[x][y] = savedfattr;
        SWITCHTOOPENGLCOLORKEYMODE();
      }

      CELLINFO drawinfo = CELLDRAWINFO(vx, vy, x, y, dx, dy);
      const unsigned char mapc = SHOWNMAPCHAR(x, y);
      const unsigned char chr = MAPPP[x][y].CHR;
      if (drawinfo.BRIGHTNESS > 0 && drawinfo.ATTR > 0) {
        MAPPP[x][y].EXPLORED = 1;
        if (!ldnt_found && isScenery(mapc)) {
          LASTDRAWNNONEMPTYTILE = drawinfo;
          ldnt_found = true;
        }
      }
      if (DRAW_MAP) {
        TOFFX = savedtoffx;
        continue;
      }

      if (MODERN_VISUALS == 0) {
        if (chr != 255) drawinfo.SYMBOL = 128;
        else if (mapc == 'R') drawinfo.SYMBOL = MAPPP[x][y].INDOOR ? 171 : 128;
        else if (mapc == ' ') drawinfo.SYMBOL = 160;
      }
      int32_t bri = drawinfo.BRIGHTNESS;
      if (chr != 255 && chr != ' ') bri = drawinfo.BRIGHTNESS * 70 / 100;
      if (drawinfo.SYMBOL >= 32 && !(MODERN_VISUALS == 1 && mapc == ' ')) {
        cellTile(drawinfo.SYMBOL, x, y, lx, ly);
        RENDERCHAR(dx, dy, drawinfo.SYMBOL, drawinfo.ATTR, toByte(drawinfo.SATURATION), toByte(bri),
                   drawinfo.EFFECT3D, lx, ly, 100, true);
      }

      SWITCHTOOPENGLBLENDINGMODE();
      IGNORE_BATTR = 0;
      if (chr != 255)
        RENDERCHAR(dx, dy, chr, 14, toByte(drawinfo.SATURATION), toByte(drawinfo.BRIGHTNESS), 0, -1,
                   -1, 100, true);
      IGNORE_BATTR = MODERN_VISUALS;
      SWITCHTOOPENGLCOLORKEYMODE();

      if (MODERN_VISUALS == 1) {
        DRAWLAYER(x, y, L_PROPS, drawinfo, dx, dy);
        SWITCHTOOPENGLBLENDINGMODE();
        DRAWLAYER(x, y, L_PLASMA, drawinfo, dx, dy);
        DRAWLAYER(x, y, L_BLINKS, drawinfo, dx, dy);
      }

      SWITCHTOOPENGLBLENDINGMODE();
      if (MODERN_VISUALS == 1) {
        const BYTE gore = MAPPP[x][y].GORE;
        int32_t goreglyph = 0;
        if (gore == GORE_BLOOD && (mapc == ' ' || mapc == 'R' || mapc == 'F' || mapc == 'M' || mapc == 'P'))
          goreglyph = 194;
        else if (gore == GORE_MONSTERBODY && (mapc == ' ' || mapc == 'P' || mapc == 'M'))
          goreglyph = 245;
        if (goreglyph != 0) {
          cellTile(goreglyph, x, y, lx, ly);
          RENDERCHAR(dx, dy, static_cast<unsigned char>(goreglyph), 15,
                     toByte(drawinfo.SATURATION), toByte(drawinfo.BRIGHTNESS), drawinfo.EFFECT3D,
                     lx, ly, 100, false);
        }
      }
      TOFFX = savedtoffx;
    }
  }
  if (DRAW_MAP) return;

  CURRENTFRAME = FRAMEROWS{true, ty, zy, hack_dontdrawbottomline};
  SWITCHTOOPENGLCOLORKEYMODE();
  for (int t = 1; t <= NUMBEROFTANKS; t++) {
    const bool tshift = INPUTCOUNTER != 1;
    if (tshift) SHIFTSCREEN(SIGN(TANKX[t] - TANKX_[t]), SIGN(TANKY[t] - TANKY_[t]));
    DRAWTANKONSCREEN(static_cast<BYTE>(t), vx, vy, sizex, sizey);
    if (tshift) SHIFTSCREEN(-SIGN(TANKX[t] - TANKX_[t]), -SIGN(TANKY[t] - TANKY_[t]));
  }

  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    SWITCHTOOPENGLCOLORKEYMODE();
    DRAWMONSTER(static_cast<uint16_t>(m), vx, vy, sizex, sizey);
  }

  SWITCHTOOPENGLBLENDINGMODE();
  for (int p = 1; p <= NUMBEROFPLAYERS && p <= 2; p++)
    if (!DEAD[p]) DRAWPLAYER(static_cast<BYTE>(p), vx, vy, sizex, sizey);

  for (int r = 1; r <= NUMBEROFROCKETS; r++) {
    const int32_t rx = ROCKETX[r], ry = ROCKETY[r];
    if (!VALID(rx, ry) || MAPLOS[rx][ry] <= 0 || !CELLWITHINVIEW(rx, ry, vx, vy, sizex, sizey) ||
        !VIEWROWDRAWN(ry))
      continue;
    const bool rshift = INPUTCOUNTER == 1 && ALLOWWORLDHOSTILITY();
    if (rshift) SHIFTSCREEN(-ROCKETXOFFSET[r], -ROCKETYOFFSET[r]);
    const int32_t sx = MAPTOSCREENX(rx, vx, sizex), sy = MAPTOSCREENY(ry, vy, sizey);
    const CELLINFO& rec = EMUKRAN[sy][sx];
    RENDERCHAR(sx, sy, MAP[rx][ry], rec.ATTR, toByte(rec.BRIGHTNESS), 100, 0, -1, -1, 100, true);
    if (rshift) SHIFTSCREEN(ROCKETXOFFSET[r], ROCKETYOFFSET[r]);
  }

  // Sparks lie above every sprite.
  SWITCHTOOPENGLBLENDINGMODE();
  CELLINFO full;
  full.BRIGHTNESS = 100;
  for (int32_t x = tx; x <= zx; x++)
    for (int32_t y = ty; y <= zy; y++) {
      if (!rowDrawn(y, ty, zy, hack_dontdrawbottomline) || !VALID(x, y)) continue;
      DRAWLAYER(x, y, L_SPARKS, full, x + 1 - tx, sizey + 1 - (y - ty));
    }

  CURRENTFRAME.ACTIVE = false;
  if (shifted) SHIFTSCREENBYHALFCHARFORWARD();
}

void PLACEPROP(uint16_t chr, uint16_t mapstartx, uint16_t mapstarty, uint16_t texstartx,
               uint16_t texstarty, uint16_t texlenx, uint16_t texleny, uint16_t timer,
               uint16_t layer) {
  if (MODERN_VISUALS != 1 || chr < LOCHAR || chr > HICHAR || !TEXINFO[chr].ITS_LARGE) return;
  if (layer < 1 || layer > MAXLAYERS) return;
  for (int32_t X = 1; X <= texlenx; X++)
    for (int32_t Y = 1; Y <= texleny; Y++) {
      const int32_t x = mapstartx + X - 1, y = mapstarty - Y + 1;
      if (!VALID(x, y)) continue;
      POSTPROCESSING& pp = MAPPP[x][y];
      pp.OC[layer] = chr;
      pp.OX[layer] = static_cast<uint16_t>(texstartx + X - 1);
      pp.OY[layer] = static_cast<uint16_t>(texstarty + Y - 1);
      pp.OT[layer] = timer;
      const int32_t ry = MAPSIZEY + 1 - y;
      if (ry >= 1) OOGA[x][ry] = 128;
    }
}

// Sparks and muzzle flashes show in the modern look only: their draws come
// from this machine's own generator, never from the one linked games share.
// Both looks make the draw, so the look never shifts the game's later draws.
void ADDSPARK(uint16_t x, uint16_t y) {
  if (!VALID(x, y)) return;
  const uint16_t frame = static_cast<uint16_t>(1 + randomLocal(4));
  if (MODERN_VISUALS != 1) return;
  POSTPROCESSING& pp = MAPPP[x][y];
  pp.OC[L_SPARKS] = 206;
  pp.OX[L_SPARKS] = frame;
  pp.OY[L_SPARKS] = 1;
  pp.OT[L_SPARKS] = 6;
}

void ADDMUZZLEFLASH(uint16_t x, uint16_t y) {
  if (!VALID(x, y)) return;
  const uint16_t frame = static_cast<uint16_t>(1 + randomLocal(3));
  if (MODERN_VISUALS != 1) return;
  POSTPROCESSING& pp = MAPPP[x][y];
  pp.OC[L_SPARKS] = 206;
  pp.OX[L_SPARKS] = frame;
  pp.OY[L_SPARKS] = 2;
  pp.OT[L_SPARKS] = 8;
}
