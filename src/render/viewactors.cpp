// Moving things drawn over the cell picture: monsters with their sub-cell
// interpolation and hurt swell, players with their walking animation, muzzle
// flash and aiming cursor, and the half-cell smooth movement of the view.
#include "display/renderer.h"
#include "game/monsterai.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "display/input.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/view.h"
#include "shell/engine.h"
#include "base/random.h"
#include "base/settings.h"
#include "ui/widgets.h"
#include "world/grid.h"

namespace {
BYTE toByte(int32_t v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); }

// The brightness the cell pass recorded for a screen cell (hidden things copy
// their cell's look into EMUKRAN before the floor replaces them).
const CELLINFO& recorded(int32_t sx, int32_t sy) {
  static CELLINFO none;
  if (sy < 1 || sy > UDT_Y || sx < 1 || sx > UDT_X) return none;
  return EMUKRAN[sy][sx];
}

// The player standing on (PX, PY); player 2 wins when both do. Without a
// player there the view shows my player's look rather than stopping the game.
BYTE playerAt(BYTE px, BYTE py) {
  BYTE found = 0;
  for (BYTE p = 1; p <= 2; p++)
    if (PLAYERX[p] == px && PLAYERY[p] == py) found = p;
  return found != 0 ? found : (MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1);
}
}  // namespace

void ACTORCELL(bool on) {
  // In the plain look a creature fills its character cell as on a text
  // screen: the cell's black background hides the floor dot behind it.
  static bool saved = false;
  if (MODERN_VISUALS != 0) return;
  if (on) {
    saved = RENDER_BLACKS;
    RENDER_BLACKS = true;
  } else {
    RENDER_BLACKS = saved;
  }
}

void SHIFTSCREEN(int32_t x, int32_t y) {
  TOFFX -= SIGN(x) / 2.0;
  TOFFY += SIGN(y) / 2.0;
}

void SHIFTSCREENBYHALFCHARBACK() {
  const int p = MYNUMBER;
  const int t = INTANK[p];
  if (t > 0 && t <= NUMBEROFTANKS)
    SHIFTSCREEN(TANKX_[t] - TANKX[t], TANKY_[t] - TANKY[t]);
  else
    SHIFTSCREEN(PLAYERX_[p] - PLAYERX[p], PLAYERY_[p] - PLAYERY[p]);
}

void SHIFTSCREENBYHALFCHARFORWARD() {
  const int p = MYNUMBER;
  const int t = INTANK[p];
  if (t > 0 && t <= NUMBEROFTANKS)
    SHIFTSCREEN(TANKX[t] - TANKX_[t], TANKY[t] - TANKY_[t]);
  else
    SHIFTSCREEN(PLAYERX[p] - PLAYERX_[p], PLAYERY[p] - PLAYERY_[p]);
}

bool PLAYERISMOVING(BYTE p) {
  return (OFFSETX[p] != 0 || OFFSETY[p] != 0) &&
         (PLAYERX[p] != PLAYERX_[p] || PLAYERY[p] != PLAYERY_[p]);
}

unsigned char PLAYERANIMATIONCHAR(BYTE px, BYTE py) {
  const BYTE p = playerAt(px, py);
  if (SIT[p]) return MODERN_VISUALS == 1 ? 140 : 'p';
  if (MODERN_VISUALS != 1) return 'P';
  int32_t f = PLAYERANIMATIONFRAME[p];
  if (f < 1 || f > 4) f = 1;
  if (PLAYERANIMATIONCOUNTER == 0) {
    if (PLAYERISMOVING(p)) {
      f++;
      if (f >= 5) f = 1;
    } else {
      f = 1;
    }
  }
  PLAYERANIMATIONFRAME[p] = f;
  const int32_t shown = f == 4 ? 2 : f;
  unsigned char glyph = static_cast<unsigned char>(129 + shown);
  if (PLAYER_MORPHING == 1 && random(2) == 1) glyph = glyph == 130 ? 127 : 135;
  return glyph;
}

void DRAWMONSTER(uint16_t mn, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey) {
  if (mn < 1 || mn > NUMBEROFMONSTERS) return;
  const int32_t mx = MONSTERX[mn], my = MONSTERY[mn];
  if (!VALID(mx, my) || MAPLOS[mx][my] <= 0 || !CELLWITHINVIEW(mx, my, vx, vy, sizex, sizey) ||
      !VIEWROWDRAWN(my))
    return;
  const BYTE type = MONSTERTYPE[mn];
  const int32_t ry = MAPSIZEY + 1 - my;
  BYTE c = 7;
  if (type == 10) c = 11;
  if (type == 9) c = 14;
  if (ry >= 1 && MLIGHT[mx][ry] != 128) c = 15;
  if (type == 5) c = CHOSENITEMCOLOR;
  BYTE attr = static_cast<BYTE>((MBATTR[mx][my] & 15) * 16 + (c & 15));
  if (NEW_MONSTERS == 0) attr = static_cast<BYTE>((MBATTR[mx][my] & 15) * 16 + (MFATTR[mx][my] & 15));
  unsigned char glyph = WHICHCHARISTHISMONSTER(mn);

  const int32_t px = SIGN(MONSTERX[mn] - MONSTERX_[mn]), py = SIGN(MONSTERY[mn] - MONSTERY_[mn]);
  if (type == 4 && px == 0 && py == 0) {
    glyph = LASTDRAWNNONEMPTYTILE.SYMBOL;
    attr = LASTDRAWNNONEMPTYTILE.ATTR;
  }
  const int32_t effect = px == 1 ? EFFECT3D_MIRROR : 0;

  // Sub-cell interpolation: drawn back toward the previous cell by the share
  // of the monster's step that has not happened yet.
  double f = 1.0;
  switch (type) {
    case 3: case 6: case 8: case 9: case 11: case 12: f = 1.0 - (MONSTERCOUNTER1 + 1) / 4.0; break;
    case 1: case 4: case 5: case 10: f = 1.0 - (MONSTERCOUNTER3 + 1) / 2.0; break;
    case 2: f = 1.0 - (MONSTERCOUNTER2 + 1) / 6.0; break;
    default: break;
  }
  const double ox = px * f, oy = py * f;
  TOFFX -= ox;
  TOFFY += oy;

  double zoom = type == 12 ? ZOOM_MONSTER_BOSS : ZOOM_MONSTER_NORMAL;
  if (MONSTERHURT[mn] > 0) {
    zoom += MONSTERHURT[mn];
    MONSTERHURT[mn] = MONSTERHURT[mn] > 10 ? MONSTERHURT[mn] - 10 : 0;
  }
  const int32_t sx = MAPTOSCREENX(mx, vx, sizex), sy = MAPTOSCREENY(my, vy, sizey);
  ACTORCELL(true);
  RENDERCHAR(sx, sy, glyph, attr, 100, toByte(recorded(sx, sy).BRIGHTNESS), effect, -1, -1, zoom,
             true);
  ACTORCELL(false);
  TOFFX += ox;
  TOFFY -= oy;
}

void DRAWPLAYER(BYTE p, int32_t vx, int32_t vy, int32_t sizex, int32_t sizey) {
  if (p < 1 || p > 2 || INTANK[p] > 0 || DEAD[p]) return;
  const int32_t x = PLAYERX[p], y = PLAYERY[p];
  if (!VALID(x, y) || !CELLWITHINVIEW(x, y, vx, vy, sizex, sizey) || MAPLOS[x][y] <= 0 ||
      !VIEWROWDRAWN(y))
    return;
  const int32_t sxs = SIGN(PLAYERX_[p] - PLAYERX[p]), sys = SIGN(PLAYERY_[p] - PLAYERY[p]);
  const int32_t sx = MAPTOSCREENX(x, vx, sizex), sy = MAPTOSCREENY(y, vy, sizey);
  const BYTE bri = MODERN_VISUALS == 1 ? 100 : toByte(recorded(sx, sy).BRIGHTNESS);

  const bool shifted = SMOOTH_PLAYER_MOVEMENT && INPUTCOUNTER != 1;
  if (shifted) SHIFTSCREEN(-sxs, -sys);
  SWITCHTOOPENGLCOLORKEYMODE();
  ACTORCELL(true);
  RENDERCHAR(sx, sy, PLAYERANIMATIONCHAR(PLAYERX[p], PLAYERY[p]), 7, 100, bri, 0, -1, -1,
             ZOOM_PLAYER, true);
  ACTORCELL(false);
  SWITCHTOOPENGLBLENDINGMODE();

  // The flash and the cursor sit one step from the player in the fire direction.
  const int32_t fx = sx + FIREOFFSETX[p], fy = sy - FIREOFFSETY[p];
  if (WEAPONFLASH[p]) {
    const BYTE colour = CHOSENWEAPON[p] == 1 ? 14 : 15;
    const unsigned char glyph = MODERN_VISUALS == 1 ? static_cast<unsigned char>(179 + random(3))
                                                    : static_cast<unsigned char>('*' + random(2));
    RENDERCHAR(fx, fy, glyph, colour, 100, 100, 0, -1, -1, 100, true);
  } else if (!LOADPICS && SHOWCURSOR[p] && !DEAD[p] && (WEAPONFIRED[p] || !NEW_CONTROL_MODE)) {
    RENDERCHAR(fx, fy, 241, 12, 100, 100, 0, -1, -1, 100, true);
  }
  if (shifted) SHIFTSCREEN(sxs, sys);
}
