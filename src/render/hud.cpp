#include "render/hud.h"

#include "display/backend.h"
#include "display/events.h"
#include "display/input.h"
#include "display/keynames.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "base/settings.h"
#include "ui/backdrop.h"
#include "ui/menu.h"
#include "world/grid.h"
#include "sound/sound.h"

const std::string HELPTEXT[HELPLINES + 1] = {
    "",
    "",
    "== CONTROLS ==",
    "",
    "WASD - move.",
    "RTYU/SPACEBAR - inventory.",
    "E - dodge rockets+bullets/leave tank.",
    "CURSOR KEYS - shoot.",
    "123456789 - Select weapons.",
    "",
    "== MECHANICS ==",
    "",
    "Collect colored keys to open same-color doors.",
    "Use Scrap Gun to destroy yellow Rock and Trees.",
    "Scrap gun also builds bridges across water.",
    "Too dark? Torch is made from barrel using axe.",
    "Tank takes damage from projectiles and squashing",
    "monsters, but not from melee or gunfire.",
    "You can push Monsters by walking into them.",
    "When using Flamethrower, move side-to-side.",
    "Kevlar Boots help get across toxic swamp.",
    "",
    "Press ESC to exit this help screen.",
};
// Index 0 unused; the blank first line is line 1.
const BYTE HELPCOLOR[HELPLINES + 1] = {0,  12, 12, 12, 10, 10, 10, 10, 10, 12, 12, 12,
                                       14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 15};

bool COMMACTIVE = false;

namespace {
bool ISLOCAL(BYTE pn) { return pn == MYNUMBER && (pn == 1 || pn == 2); }

std::string KEYLABEL(int action) { return UPCASE(KEYNAME(KEYSTATUS[action].KEY)); }

void CLEARHEROTHOUGHTS() {
  for (int i = 1; i <= TXT_NUMLINES; i++) HEROTHOUGHT[i].clear();
}

// The help key of the engine opens SHOWHELPPAGE.
struct HELPREGISTRAR {
  HELPREGISTRAR() { HELP = SHOWHELPPAGE; }
} REGISTERHELP;
}  // namespace

std::string HELPBARTEXT() {
  static const int ACTIONS[5] = {20, 22, 21, 19, 32};
  static const char* const LABELS[5] = {" - Help", " - Save game", " - Load game", " - Zoom",
                                        " - Automap"};
  // A link game has no help screen, saves or loads (they would stop or
  // rewind one of the two games): it names the chat key instead.
  std::string s;
  for (int i = LINKACTIVE ? 3 : 0; i < 5; i++) {
    if (!s.empty()) s += "|";
    s += KEYLABEL(ACTIONS[i]) + LABELS[i];
  }
  if (LINKACTIVE) s += "|" + KEYLABEL(KEY_ENTER) + " - Chat";
  return s;
}

void DRAWHELPBAR() {
  if (CURRENTOBJECTIVETIMER > 0) return;
  RENDERSTRING(1, 1, HELPBARTEXT(), 8, 0, 2, 100, 100);
}

void REDRAWWEAPONS(BYTE pn) {
  if (!ISLOCAL(pn)) return;
  RENDERSTRING(75, 19, "WEAPONS:", 3, 0, 2, 100, 100);
  for (int n = 1; n <= NUMWEAPONTYPES; n++)
    if (WEAPONPRESENT[pn][n])
      RENDERSTRING(74, 20 + n, WEAPONNAME[n], CHOSENWEAPON[pn] == n ? 10 : 2, 0, 2, 100, 100);
  if (DCHAINGUN[pn]) RENDERSTRING(70, 24, "x2", 14, 0, 2, 100, 100);
  if (DLAUNCHER[pn]) RENDERSTRING(70, 25, "x2", 14, 0, 2, 100, 100);
  for (int n = 1; n <= NUMWEAPONTYPES; n++) {
    if (!WEAPONPRESENT[pn][n]) continue;
    const std::string ammo = n == 1 ? "inf" : INTTOSTR(WEAPONAMMO[pn][n]);
    RENDERSTRING(67, 20 + n, ammo, CHOSENWEAPON[pn] == n ? 12 : 4, 0, 2, 100, 100);
    RENDERSTRING(72, 20 + n, KEYLABEL(22 + n) + ".", 14, 0, 2, 50, 50);
  }
}

void ADVANCEHEROTIMER() {
  if (PAUSESTATE == PAUSED_NOT) {
    if (HEROTIMER > 0) {
      HEROTIMER--;
      if (HEROTIMER == 0) CLEARHEROTHOUGHTS();
    }
    return;
  }
  // Paused: the box ages ten times as fast down to 10 and then holds there
  // until the player's input decides. A pause that starts with the box
  // already below 10 (or empty) waits at 10 as well, so it can always end.
  if (HEROTIMER > 10) {
    HEROTIMER = static_cast<uint16_t>(HEROTIMER - 10 < 10 ? 10 : HEROTIMER - 10);
    return;
  }
  HEROTIMER = 10;
  if (PAUSESTATE == PAUSED_WAITFORINPUT) {
    if (PLAYERACTIVE()) {
      SETPAUSE(PAUSED_NOT);
      CLEARHEROTHOUGHTS();
      HEROTIMER = 0;
    }
  } else if (PAUSESTATE == PAUSED_WAITFORNOINPUT) {
    if (!PLAYERACTIVE()) {
      SETPAUSE(PAUSED_WAITFORINPUT);
      if (HEROCOLOR == 10) HEROCOLOR = 2;
      if (HEROCOLOR == 11) HEROCOLOR = 3;
    }
  }
}

void DISPLAYINVENTORY(BYTE pn) {
  if (!ISLOCAL(pn)) return;
  if (INTANK[pn] >= 1 && INTANK[pn] <= NUMBEROFTANKS)
    RENDERSTRING(35, 17, "TANK: " + INTTOSTR(TANKHEALTH[INTANK[pn]]), 12, 0, 1, 100, 100);
  // Keys open nothing in the deathmatch arena and the frag counts take their
  // place at the top: the key list is left out there, as the key markers are.
  if (!DEATHMATCH()) {
    RENDERSTRING(75, 5, "KEYS:", 14, 0, 2, 100, 100);
    // #168 is a key in both glyph sets.
    const std::string mark(1, static_cast<char>(168));
    for (int k = 1; k <= 5; k++)
      if (KEYS[pn][k])
        RENDERSTRING(35, 3 + k, mark + " " + KEYNAMES[k], KEYCOLOR[k], 0, 1, 100, 100);
  }
  DRAWINVENTORYSLOTS(pn);

  ADVANCEHEROTIMER();
  if (HEROTIMER > 0) {
    const bool savedblacks = RENDER_BLACKS;
    const BYTE savedignore = IGNORE_BATTR;
    RENDER_BLACKS = true;
    IGNORE_BATTR = 0;
    for (int i = 1; i <= TXT_NUMLINES; i++)
      RENDERSTRING(1, 18 + i, HEROTHOUGHT[i], HEROCOLOR, 0, 1, 100, 100);
    RENDER_BLACKS = savedblacks;
    IGNORE_BATTR = savedignore;
  }

  const std::string status = " " + INTTOSTR(static_cast<int32_t>(ROUNDEVEN(PLAYERHEALTH[pn]))) +
                             " " + std::string(1, static_cast<char>(154)) +
                             INTTOSTR(static_cast<int32_t>(ROUNDEVEN(ARMOR[pn])));
  RENDERSTRING(34, 20, status, 7, 0, 1, 100, 100);
  RENDERCHARCODE(34, 20, 202, 7, 100, 100, 0, 4, 2, 100, false);
}

void DBUGMODE() {
  TEXTMODEWIDESCREEN();
  TEXTCOLOREMULATOR(0);
  TEXTBACKGROUNDEMULATOR(0);
  CLRSCREMULATOR(false);
  DISPLAYAMMOSTATUS(MYNUMBER, MYNUMBER);
  REDRAWKEYS(MYNUMBER, MYNUMBER);
  DISPLAYSTRING40("Health", 35, 20, 7);
  DISPLAYSTRING40("Armor", 35, 21, 7);
  if (DEATHMATCH()) DISPLAYFRAGS();
}

void REDRAWKEYS(BYTE pn, BYTE scr) {
  if (DEATHMATCH() || !ISLOCAL(pn)) return;
  for (int k = 1; k <= 10; k++) {
    if (KEYS[MYNUMBER][k])
      DISPLAYSTRING40("%", static_cast<BYTE>(30 + k), 2, KEYCOLOR[k]);
    else
      DISPLAYSTRING40(" ", static_cast<BYTE>(30 + k), 2, 0);
  }
}

void DISPLAYFRAGS() {
  DISPLAYSTRING40(INTTOSTR(DEATHS[1]), 34, 2, ORIGINALPLAYERCOLOR[2]);
  DISPLAYSTRING40(INTTOSTR(DEATHS[2]), 38, 2, ORIGINALPLAYERCOLOR[1]);
}

void DRAWFRAGS() {
  // Each count is shown in the colour of the player it scores for.
  RENDERSTRING(34, 2, INTTOSTR(DEATHS[1]), ORIGINALPLAYERCOLOR[2], 0, 1, 100, 100);
  RENDERSTRING(38, 2, INTTOSTR(DEATHS[2]), ORIGINALPLAYERCOLOR[1], 0, 1, 100, 100);
}

void DRAWCOMMSTATUS() { DISPLAYSTRING40("   Comm unit   ", 36, 4, COMMACTIVE ? 14 : 7); }

void REDRAWBOOTTIME(BYTE pn, BYTE scr) {}

void DISPLAYAMMOSTATUS(BYTE pn, BYTE scr) {}

void HIDECURSOR() {
  const BYTE x = static_cast<BYTE>(VMODE.COL);
  WINDOWEMULATOR(x, 1, x, 1);
  GOTOXYEMULATOR(1, 1);
}

void HIDECURSOR2(BYTE color) {
  HIDECURSOR();
  TEXTCOLOREMULATOR(color);
  TEXTBACKGROUNDEMULATOR(color);
}

void SHOWHELPPAGE() {
  if (NUMBEROFPLAYERS != 1) return;
  PAUSEALLSOUNDS();
  TEXTMODE80X25();
  RENDERBLUE();
  DISPLAYLOGO();
  for (int i = 1; i <= HELPLINES; i++) ITEM[i] = std::string(48, ' ');
  MENU("HELP:", HELPLINES, 1, 1, SHOW, 9, NOTWAIT, true);
  WINDOWEMULATOR(2, 2, 50, 25);
  TEXTBACKGROUNDEMULATOR(0);
  GOTOXYEMULATOR(1, 1);
  for (int i = 1; i <= HELPLINES; i++) {
    TEXTCOLOREMULATOR(HELPCOLOR[i]);
    WRITELNTEXT(HELPTEXT[i]);
  }
  WINDOWEMULATOR(1, 1, 80, 25);
  PUSHDISPLAY();
  // The banner runs until Escape; the page then closes with the door
  // transition and waits for Escape to be let go, so the engine does not
  // take the same press as a request to quit.
  while (PORT60EMULATOR() != 1) MENUIDLE();
  OPENDOOR();
  while (PORT60EMULATOR() == 1) MENUIDLE();
  TEXTMODE45X25();
  CLRSCREMULATOR(false);
  RESUMEALLSOUNDS();
}
