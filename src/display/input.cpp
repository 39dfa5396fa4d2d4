#include "display/input.h"

#include <cmath>
#include <cstdlib>

#include "display/backend.h"
#include "display/events.h"
#include "display/inputscript.h"
#include "display/renderer.h"
#include "game/particles.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "render/los.h"
#include "shell/gameflow.h"
#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"

MCOORDTYPE MCOORD;
int16_t GLOBALMOUSEX = 0, GLOBALMOUSEY = 0;
BYTE MOUSESTATUS[3], CLICK[3];
bool NOMOUSE = false;

BYTE PORT60[3], LASTPORT60[3];
bool TYPINGMODE[3];

int32_t OFFSETX[3], OFFSETY[3];
int32_t LASTOFFSETX[3], LASTOFFSETY[3];
int32_t FIREOFFSETX[3], FIREOFFSETY[3];
bool WEAPONFIRED[3], USE[3], LASTUSE[3], SIT[3];
BYTE CHOSENWEAPON[3], CHOSENITEM[3];

int32_t PFIREX[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
int32_t PFIREY[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

namespace {

// Scan codes of the requested actions.
constexpr BYTE SC_ESC = 0x01, SC_DUCK = 0x1E, SC_USE = 0x39, SC_LEFT = 0x1F, SC_RIGHT = 0x21,
               SC_UP = 0x12, SC_DOWN = 0x20, SC_HELP = 0x3F, SC_SAVE = 0x40, SC_LOAD = 0x41,
               SC_MAP = 0x52, SC_ENTER = 0x1C, SC_ZOOM = 0x2C, SC_ITEM1 = 0x3B, SC_ITEM4 = 0x3E,
               SC_WEAPON1 = 0x02, SC_WEAPON9 = 0x0A, SC_BACKQUOTE = 0x29;
// Cursor-key scan codes (fire codes of a controller's second button).
constexpr BYTE SC_CUP = 0x48, SC_CDOWN = 0x50, SC_CLEFT = 0x4B, SC_CRIGHT = 0x4D;

// PORT60EMULATOR's actions in test order; a later held action overwrites an
// earlier one, so the end of the list has priority.
struct ACTIONCODE {
  int ACTION;
  BYTE CODE;
};
const ACTIONCODE PORTORDER[] = {
    {M_LEFT, SC_LEFT},     {M_RIGHT, SC_RIGHT},     {M_UP, SC_UP},        {M_DOWN, SC_DOWN},
    {M_DUCK, SC_DUCK},     {ITEM_1, 0x3B},          {ITEM_2, 0x3C},       {ITEM_3, 0x3D},
    {ITEM_4, 0x3E},        {WEAPON_1, 0x02},        {WEAPON_1 + 1, 0x03}, {WEAPON_1 + 2, 0x04},
    {WEAPON_1 + 3, 0x05},  {WEAPON_1 + 4, 0x06},    {WEAPON_1 + 5, 0x07}, {WEAPON_1 + 6, 0x08},
    {WEAPON_1 + 7, 0x09},  {WEAPON_9, 0x0A},        {USE_ITEM, SC_USE},   {GAME_HELP, SC_HELP},
    {GAME_SAVE, SC_SAVE},  {GAME_LOAD, SC_LOAD},    {ZOOM_LEVEL, SC_ZOOM}, {KEY_ESC, SC_ESC},
    {KEY_ENTER, SC_ENTER}, {SHOW_MAP, SC_MAP}};

// Keyboard-only fire directions, each later line winning.
struct FIREKEY {
  int A, B;  // actions that must both be held (B = 0: only A)
  BYTE STATUS;
};
const FIREKEY FIREORDER[] = {
    {F_TOPLEFT, 0, 13},  {F_TOPRIGHT, 0, 15}, {F_BOTTOMRIGHT, 0, 17}, {F_BOTTOMLEFT, 0, 11},
    {F_LEFT, 0, 12},     {F_UP, 0, 14},       {F_RIGHT, 0, 16},       {F_DOWN, 0, 18},
    {F_LEFT, F_UP, 13},  {F_LEFT, F_DOWN, 11}, {F_RIGHT, F_UP, 15},   {F_RIGHT, F_DOWN, 17}};

// Space held in the previous input cycle, per player: a held use key uses once.
bool USEHELD[3];
// The controller's stick direction in the previous cycle while button 1 was
// held: picking the next weapon or item steps once per push of the stick.
int32_t JOYLASTPICK[3];

// True while the input cycle reads the keys: then a key tapped since the
// last cycle counts as held.
bool CYCLEREAD = false;

bool HELD(int action) { return ACTIONHELD(action, CYCLEREAD); }

// The scan code of the held actions, the last in priority order winning.
BYTE HELDCODE() {
  BYTE result = 0;
  for (const ACTIONCODE& a : PORTORDER)
    if (HELD(a.ACTION)) result = a.CODE;
  return result;
}

// Keeps a waiting loop from holding the processor and lets --frames end it.
void WAITSTEP() {
  if (!THEBACKEND) return;
  if (INPUTSCRIPTPENDING()) SCRIPTSKIPAHEAD();
  THEBACKEND->IDLE(1);
  HARNESSCLOCKCHECK(THEBACKEND->TICKS());
}

int32_t NUMPLAYERS() { return NUMBEROFPLAYERS >= 2 ? 2 : 1; }

// Stick position as a direction: -1/0/+1 per axis, 0 inside the dead zone
// (a quarter of the travel either side of the centre).
void STICKDIR(int32_t x, int32_t y, int32_t& dx, int32_t& dy) {
  dx = x < 64 ? -1 : (x > 192 ? 1 : 0);
  dy = y < 64 ? 1 : (y > 192 ? -1 : 0);  // the stick's top is up in the level
}

// Fire-direction code 1..8 of a step (dx, dy); 0 for no step.
BYTE DIRECTIONCODE(int32_t dx, int32_t dy) {
  for (int d = 1; d <= 8; d++)
    if (PFIREX[9 - d] == dx && PFIREY[9 - d] == dy) return static_cast<BYTE>(d);
  return 0;
}

// The keyboard's second layout, for a second player on the same keyboard
// when no controller is plugged in: it works as a controller would. I, J, K
// and L push the stick up, left, down and right; O is button 1 (duck, and with
// the stick the choice of weapon or item), P is button 2 (fire along the
// stick); O and P together use the chosen item. A key bound to one of player
// 1's actions stays his and is not read here.
constexpr int32_t PADUP = 'i', PADLEFT = 'j', PADDOWN = 'k', PADRIGHT = 'l', PADB1 = 'o',
                  PADB2 = 'p';

bool PADKEY(int32_t sym) {
  for (int a = 1; a <= KEYCOUNT; a++)
    if (KEYSTATUS[a].KEY == sym) {
      KEYDOWNSINCE(sym, true);
      return false;
    }
  return KEYDOWNSINCE(sym, true);
}

void KEYBOARDPAD(int32_t& x, int32_t& y, bool& b1, bool& b2) {
  const bool up = PADKEY(PADUP), down = PADKEY(PADDOWN);
  const bool left = PADKEY(PADLEFT), right = PADKEY(PADRIGHT);
  x = 128 + (right ? 127 : 0) - (left ? 127 : 0);
  y = 128 + (down ? 127 : 0) - (up ? 127 : 0);
  b1 = PADKEY(PADB1);
  b2 = PADKEY(PADB2);
}

// The controller's input for player P (a second local player); without a
// controller the keyboard's second layout stands in for it.
void JOYSTICKINPUT(BYTE p) {
  int32_t x = 128, y = 128;
  bool b1 = false, b2 = false;
  PORT60[p] = 0;
  if (!READJOYSTICK(x, y, b1, b2)) KEYBOARDPAD(x, y, b1, b2);
  int32_t dx = 0, dy = 0;
  STICKDIR(x, y, dx, dy);
  // One axis per frame: the one pushed further from the centre.
  int32_t mx = dx, my = dy;
  if (dx != 0 && dy != 0) {
    if (std::abs(x - 128) >= std::abs(y - 128))
      my = 0;
    else
      mx = 0;
  }
  BYTE dir = DIRECTIONCODE(dx, dy);
  // Keep the last fire direction; the second button fires along the stick.
  BYTE last = MOUSESTATUS[p] % 10;
  MOUSESTATUS[p] = (b2 && !b1 && dir > 0) ? static_cast<BYTE>(10 + dir) : last;
  int32_t pick = 0;
  if (b1 && !b2) {
    PORT60[p] = SC_DUCK;
    pick = my != 0 ? 2 * my : mx;  // -2/+2 items, -1/+1 weapons
    if (pick != 0 && pick != JOYLASTPICK[p]) {
      if (my != 0) {
        // Up picks the previous occupied inventory slot, down the next.
        int step = my > 0 ? -1 : 1;
        for (int s = CHOSENITEM[p] + step; s >= 1 && s <= 4; s += step) {
          if (s <= static_cast<int>(INVENTORY[p].size()) && INVENTORY[p][s - 1] != ' ') {
            PORT60[p] = static_cast<BYTE>(0x3A + s);
            break;
          }
        }
      } else {
        for (int w = CHOSENWEAPON[p] + mx; w >= 1 && w <= 9; w += mx) {
          if (WEAPONPRESENT[p][w]) {
            PORT60[p] = static_cast<BYTE>(w + 1);
            break;
          }
        }
      }
    }
  } else if (!b1 && !b2) {
    if (my > 0) PORT60[p] = SC_UP;
    if (my < 0) PORT60[p] = SC_DOWN;
    if (mx < 0) PORT60[p] = SC_LEFT;
    if (mx > 0) PORT60[p] = SC_RIGHT;
  } else if (b2 && !b1) {
    if (my > 0) PORT60[p] = SC_CUP;
    if (my < 0) PORT60[p] = SC_CDOWN;
    if (mx < 0) PORT60[p] = SC_CLEFT;
    if (mx > 0) PORT60[p] = SC_CRIGHT;
  } else {
    PORT60[p] = INTANK[p] > 0 ? SC_MAP : SC_USE;
  }
  JOYLASTPICK[p] = pick;
}

}  // namespace

BYTE PORT60EMULATOR() {
  HANDLESDLEVENTS();
  return HELDCODE();
}

bool KEYPRESSEDEMULATOR() {
  HANDLESDLEVENTS();
  return TYPEDKEYWAITING();
}

char READKEYEMULATOR() {
  while (!TYPEDKEYWAITING() && !KEYPRESSEDEMULATOR()) WAITSTEP();
  return static_cast<char>(TAKETYPEDKEY());
}

BYTE READKEYCODE(bool& extended) {
  BYTE c = static_cast<BYTE>(READKEYEMULATOR());
  extended = false;
  if (c != 0) return c;
  // The 0 prefix of a key without a character: its code follows at once.
  if (!TYPEDKEYWAITING()) return 0;
  extended = true;
  return TAKETYPEDKEY();
}

void GETPORT60FORINPUTCYCLE() {
  CYCLEREAD = true;
  GETPORT60FORGAME_FIRSTPART();
  CYCLEREAD = false;
  CLEARKEYTAPS();
}

void REFRESHMOUSESTATUS() {
  if (NEW_CONTROL_MODE || !APPLICATIONACTIVE) return;
  if (SCREEN_WIDTH <= 1 || SCREEN_HEIGHT <= 1) return;
  int32_t cx = SCREEN_WIDTH / 2, cy = SCREEN_HEIGHT / 3;
  int32_t px = 0, py = 0, buttons = 0;
  READMOUSE(px, py, buttons);
  int64_t x = static_cast<int64_t>(MCOORD.X) + px - cx;
  int64_t y = static_cast<int64_t>(MCOORD.Y) + py - cy;
  if (INTANK[MYNUMBER] == 0) {
    if (x > SCREEN_WIDTH) x = SCREEN_WIDTH - 1;
    if (y > SCREEN_HEIGHT) y = SCREEN_HEIGHT - 1;
  } else {
    // In a tank the pointer wraps around the window edges.
    if (x > SCREEN_WIDTH) x = x - SCREEN_WIDTH - 1;
    if (x < 1) x = x + SCREEN_WIDTH;
    if (y > SCREEN_HEIGHT) y = y - SCREEN_HEIGHT - 1;
    if (y < 1) y = y + SCREEN_HEIGHT;
    // A jump of more than a window's width still lands inside it.
    if (x > SCREEN_WIDTH) x = SCREEN_WIDTH;
    if (y > SCREEN_HEIGHT) y = SCREEN_HEIGHT;
  }
  if (x < 1) x = 1;
  if (y < 1) y = 1;
  MCOORD.X = static_cast<int32_t>(x);
  MCOORD.Y = static_cast<int32_t>(y);
  MOVEMOUSE(cx, cy);
}

BYTE MOUSEEMULATOR() {
  BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  int32_t result = 0;
  if (NEW_CONTROL_MODE || !APPLICATIONACTIVE || SCREEN_WIDTH <= 0 || SCREEN_HEIGHT <= 0) {
    result = MOUSESTATUS[me];
    while (result > 10) result -= 10;
  } else {
    GLOBALMOUSEX = static_cast<int16_t>(std::trunc(MCOORD.X / (SCREEN_WIDTH / 80.0)));
    GLOBALMOUSEY = static_cast<int16_t>(std::trunc(MCOORD.Y / (SCREEN_HEIGHT / 80.0)));
    int32_t px = 0, py = 0, buttons = 0;
    READMOUSE(px, py, buttons);
    int32_t b = ((buttons & 1) ? 1 : 0) + ((buttons & 2) ? 2 : 0);
    int64_t d = ROUNDEVEN(7.0 * MCOORD.X / SCREEN_WIDTH) + 1;
    if (d < 1) d = 1;
    if (d > 8) d = 8;
    result = 10 * b + static_cast<int32_t>(d);
  }
  if (NEW_CONTROL_MODE) {
    for (const FIREKEY& f : FIREORDER)
      if (HELD(f.A) && (f.B == 0 || HELD(f.B))) result = f.STATUS;
  }
  return static_cast<BYTE>(result);
}

BYTE GETP60(BYTE player) {
  if (player < 1 || player > 2) return 0;
  if (TYPINGMODE[player]) return KEYPRESSEDEMULATOR() ? static_cast<BYTE>(READKEYEMULATOR()) : 0;
  HANDLESDLEVENTS();
  BYTE code = HELDCODE();
  if (code >= 0x80) code = 0;
  if (code != 0) {
    size_t i = DEFINED.find(static_cast<char>(code));
    if (i != std::string::npos && i < ORIGINAL.size()) code = static_cast<BYTE>(ORIGINAL[i]);
  }
  return code;
}

void GETPORT60FORPLAYER(BYTE player) {
  if (player < 1 || player > 2) return;
  BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  if (player == me) {
    // The local keyboard and mouse. (With a link the two machines would
    // exchange these bytes; the link never comes up.)
    PORT60[me] = GETP60(1);
    MOUSESTATUS[me] = MOUSEEMULATOR();
    return;
  }
  if (LINKACTIVE) return;
  PORT60[player] = 0;
  if (NUMPLAYERS() == 2) JOYSTICKINPUT(player);
}

void GETPORT60FORGAME_FIRSTPART() { GETPORT60FORPLAYER(MYNUMBER); }

void GETPORT60FORGAME_SECONDPART() {
  BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  GETPORT60FORPLAYER(static_cast<BYTE>(3 - me));
  if (PLAYERHEALTH[1] == 255) {
    PORT60[1] = PORT60[2] = 0;
    MOUSESTATUS[1] = MOUSESTATUS[2] = 0;
    if (SYNCPLAYERS) SYNCPLAYERS();
  }
  for (int p = 1; p <= 2; p++)
    if (PORT60[p] == SC_BACKQUOTE) PORT60[p] = 0;
  if (!TYPINGMODE[1]) {
    if (PORT60[1] == SC_HELP) {
      if (!LINKACTIVE && HELP) HELP();
      PORT60[1] = 0;
    } else if (PORT60[1] == SC_SAVE) {
      if (SAVEGAME) SAVEGAME(false);
      PORT60[1] = 0;
    } else if (PORT60[1] == SC_LOAD) {
      if (LOADSAVEDGAME) LOADSAVEDGAME();
      PORT60[1] = 0;
    }
  }
  if (LINKACTIVE && PORT60[2] == SC_ESC) PORT60[1] = SC_ESC;
  // Chat lines: Enter ends typing; editing the line belongs to the link.
  for (int p = 1; p <= 2; p++)
    if (TYPINGMODE[p] && PORT60[p] == 13) TYPINGMODE[p] = false;
}

void GETINPUT() {
  int32_t n = NUMPLAYERS();
  for (int p = 1; p <= n; p++) {
    if (!DEAD[p] && PLAYERHEALTH[p] < 35 && random(10) > 7) {
      BYTE life = static_cast<BYTE>(1 + random(5));
      ADDBLOOD(PLAYERX[p], PLAYERY[p], -OFFSETX[p], -OFFSETY[p], life);
    }
    WEAPONFIRED[p] = false;
    LASTUSE[p] = USE[p];
    LASTPORT60[p] = PORT60[p];
    OFFSETX[p] = 0;
    OFFSETY[p] = 0;
    USE[p] = false;
  }

  GETPORT60FORGAME_SECONDPART();

  for (int p = 1; p <= n; p++) {
    if (!DEAD[p] || TYPINGMODE[p]) continue;
    if (PORT60[p] == SC_USE || PORT60[p] == SC_ESC) {
      if (n == 1)
        VICTORY = 2;  // the lone player gives up: game over
      else
        PLAYERHEALTH[p] = 254;  // a request to respawn
    } else {
      PORT60[p] = 0;
      MOUSESTATUS[p] = 0;
    }
  }

  BYTE me = MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1;
  for (int p = 1; p <= n; p++) {
    BYTE code = PORT60[p];
    if (code == SC_DUCK || SHOWCURSOR[p]) {
      CHAINGUNFIRING[p] = false;
      FLAMEGUNFIRING[p] = false;
      MINIFIRING[p] = false;
    }
    CLICK[p] = MOUSESTATUS[p] / 10;
    MOUSESTATUS[p] = MOUSESTATUS[p] % 10;
    if (SHOWCURSOR[p] || INTANK[p] > 0) {
      BYTE d = MOUSESTATUS[p];
      if (d >= 1 && d <= 8) {
        FIREOFFSETX[p] = PFIREX[9 - d];
        FIREOFFSETY[p] = PFIREY[9 - d];
      }
      if (CLICK[p] == 1) WEAPONFIRED[p] = true;
    }
    if (code == SC_DUCK) {
      SIT[p] = true;
      WEAPONFIRED[p] = false;
    } else {
      SIT[p] = false;
    }
    if (code >= SC_WEAPON1 && code <= SC_WEAPON9 && (MTIMER[p] == 90 || MINIFIRING[p])) {
      BYTE w = code - 1;
      if (BFGCHARGE[p] == 0 && WEAPONPRESENT[p][w]) CHOSENWEAPON[p] = w;
      if (DISTANCE(PLAYERX[p], PLAYERY[p], PLAYERX[me], PLAYERY[me]) < 15)
        CHOSEWEAPONSOUND = CHOSENWEAPON[p];
    }
    // A held use key uses once: USE is set on the cycle the key goes down.
    bool usenow = code == SC_USE;
    USE[p] = usenow && !USEHELD[p];
    USEHELD[p] = usenow;
    if (code == SC_LEFT) OFFSETX[p] = -1;
    if (code == SC_RIGHT) OFFSETX[p] = 1;
    if (code == SC_DOWN) OFFSETY[p] = -1;
    if (code == SC_UP) OFFSETY[p] = 1;
    if (OFFSETX[p] != 0 || OFFSETY[p] != 0) {
      LASTOFFSETX[p] = OFFSETX[p];
      LASTOFFSETY[p] = OFFSETY[p];
    }
    // Inventory slots 1..4 (0x3F is the help key, never a slot).
    if (code >= SC_ITEM1 && code <= SC_ITEM4) CHOSENITEM[p] = code - 0x3A;
  }
}

BYTE JOY_X() {
  int32_t x = 0, y = 0;
  bool b1 = false, b2 = false;
  return READJOYSTICK(x, y, b1, b2) ? static_cast<BYTE>(x) : 0;
}

BYTE JOY_Y() {
  int32_t x = 0, y = 0;
  bool b1 = false, b2 = false;
  return READJOYSTICK(x, y, b1, b2) ? static_cast<BYTE>(y) : 0;
}

bool BUTTON_1() {
  int32_t x = 0, y = 0;
  bool b1 = false, b2 = false;
  return READJOYSTICK(x, y, b1, b2) && b1;
}

bool BUTTON_2() {
  int32_t x = 0, y = 0;
  bool b1 = false, b2 = false;
  return READJOYSTICK(x, y, b1, b2) && b2;
}

void RESETINPUTSTATE() {
  for (int p = 0; p <= 2; p++) {
    PORT60[p] = LASTPORT60[p] = 0;
    MOUSESTATUS[p] = CLICK[p] = 0;
    OFFSETX[p] = OFFSETY[p] = 0;
    LASTOFFSETX[p] = LASTOFFSETY[p] = 0;
    WEAPONFIRED[p] = USE[p] = LASTUSE[p] = SIT[p] = false;
    USEHELD[p] = false;
    JOYLASTPICK[p] = 0;
  }
  CLEARKEYTAPS();
  // The virtual pointer starts where the real one is.
  int32_t x = 0, y = 0, buttons = 0;
  READMOUSE(x, y, buttons);
  MCOORD.X = x;
  MCOORD.Y = y;
}
