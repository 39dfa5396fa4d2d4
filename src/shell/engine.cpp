// The in-level game loop. Each frame advances the world in a fixed order,
// builds the frame and waits out the rest of its 33 ms. Player and monster
// rules run at half the frame rate: an input counter alternates between a
// reading frame and a stepping frame (the input cycle).
#include "shell/engine.h"

#include <cmath>

#include "display/backend.h"
#include "display/events.h"
#include "display/input.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/goals.h"
#include "game/survival.h"
#include "game/monsterai.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tankdrive.h"
#include "game/tanks.h"
#include "game/weaponfire.h"
#include "game/weapons.h"
#include "render/hud.h"
#include "render/lightfx.h"
#include "render/postprocess.h"
#include "render/torch.h"
#include "render/lighting.h"
#include "render/los.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/gameflow.h"
#include "base/random.h"
#include "net/lockstep.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "ui/widgets.h"
#include "world/grid.h"
#include "world/levelclock.h"
#include "world/mapeffects.h"
#include "world/mapscript.h"

BYTE INPUTCOUNTER = 0, GCOUNTER = 0, ECOUNTER = 0, HCOUNTER = 0, FCOUNTER = 0, SEACOUNTER = 0;
BYTE CIC = 1;
BYTE CA[17] = {0, 14, 15, 11, 10, 12, 13, 3, 2, 2, 2, 13, 12, 10, 11, 15, 14};
BYTE CHOSENITEMCOLOR = 14;
double VIEWZOOM = 125, VIEWZOOMTO = 125, VIEWZOOMDEFAULT = 125, VIEWZOOMZOOMEDOUT = 100;
int32_t ZOOMCOUNT = 0;
BYTE PAUSESTATE = PAUSED_NOT;
bool EXSOUND = false;
BYTE PURGESOUND = 0;
BYTE GSL = 0;
bool KEYSOUND = false;
int32_t COFFSET = 1;
BYTE MAPLIGHTON = 1;
BYTE LIGHTNINGTYPE = 2;
BYTE ZIK = 16;
void (*ENGINETRACE)(const char* step) = nullptr;

namespace {
const char* const TAUNTS[8] = {
    "Don't leave! We're MONSTROUSLY hungry!",
    "Where are you going? We're not done with you!",
    "You're winning! Don't go yet!",
    "Just say no to quitting!",
    "You're making a MONSTROUS mistake!",
    "Hey! This game is all the exercise you need!",
    "Stay! The real world is overrated!",
    "If you stay, you lose 5lbs instantly!",
};

constexpr BYTE SC_ESCAPE = 0x01, SC_DUCK = 0x1E, SC_ZOOM = 0x2C, SC_HELP = 0x3F, SC_SAVE = 0x40,
               SC_SHOWMAP = 0x52;

// The automap key toggles on its press, not on every cycle it is held.
bool AUTOMAPKEYHELD = false;
// The light grid of this level has been rebuilt at least once, so the frames
// between input cycles can start from it.
bool LIGHTBASESAVED = false;

BYTE my() { return MYNUMBER >= 1 && MYNUMBER <= 2 ? MYNUMBER : 1; }

// Restart a sound under its reference: stop what still plays there first.
void restartSound(uint16_t slot, BYTE ref) {
  if (SOUNDPLAYING1(ref)) STOPSOUND1(ref);
  STARTSOUND1(slot, ref, false);
}

// Steps 10..22: the input cycle.
void inputCycle() {
  TRACESTEP("GETINPUT");
  CHOSEWEAPONSOUND = 0;
  KEYSOUND = false;
  if (!LINKACTIVE) {
    GETPORT60FORINPUTCYCLE();
  } else {
    // Both players' bytes of this cycle; a lost or desynchronised link ends
    // the level (the game flow then tells why).
    LINKEXCHANGEINPUT();
    if (LINKSTATUS != LINKPLAYING) VICTORY = 2;
  }
  GETINPUT();
  if (KEYSOUND) restartSound(static_cast<uint16_t>(75 + randomLocal(3)), 50);
  if (CHOSEWEAPONSOUND > 0 && !SOUNDPLAYING1(250)) STARTSOUND1(65 + CHOSEWEAPONSOUND, 250, false);

  if (PORT60[my()] == SC_ZOOM) CYCLEVIEWZOOM();
  const bool automapkey = PORT60EMULATOR() == SC_SHOWMAP;
  if (automapkey && !AUTOMAPKEYHELD && ALLOWWORLDHOSTILITY()) DRAW_MAP = !DRAW_MAP;
  AUTOMAPKEYHELD = automapkey;

  INPUTCOUNTER = 0;
  LOOP = false;
  PLAYSOUND = 0;
  TRACESTEP("MANAGELIGHTNING");
  MANAGELIGHTNING();
  CHECKNEWSCRIPT();
  if (PLAYSOUND != PREVSOUND) {
    if (SOUNDPLAYING1(224)) STOPSOUND1(224);
    if (PLAYSOUND != 0) STARTSOUND1(PLAYSOUND, 224, LOOP);
    PREVSOUND = PLAYSOUND;
  }
  DRAWTRULITES();
  for (BYTE p = 1; p <= NUMBEROFPLAYERS; p++) MANAGETORCH(p);
  SAVELIGHTBASE();
  LIGHTBASESAVED = true;

  if (ECOUNTER == 2) {
    MANAGEWEAPONS();
    if (RESPAWNSOUND == 1 || RESPAWNSOUND == 3) STARTSOUND1(13, 13, false);
    if (RESPAWNSOUND == 2 || RESPAWNSOUND == 3) STARTSOUND1(14, 14, false);
  }
  if (++GCOUNTER >= 5) {
    GCOUNTER = 0;
    TRACESTEP("DOORS");
    DOORS();
  }

  for (BYTE p = 1; p <= NUMBEROFPLAYERS; p++) {
    if (!ALLOWWORLDHOSTILITY()) continue;
    const BYTE t = INTANK[p];
    if (t == 0) {
      TRACESTEP("PLAYERSTEP");
      MOVEPLAYER(p);
      continue;
    }
    if (t > NUMBEROFTANKS) continue;
    TRACESTEP("TANKSTEP");
    const bool drives = TANKFIRST[t] == p;
    if (drives) {
      MOVETANK(t, OFFSETX[p], OFFSETY[p]);
      if (RELOAD[t] > 0) RELOAD[t]--;
    }
    if (!(drives && INTANK[3 - p] == t)) {
      int32_t dir = PROPERTURRETOFFSET(TURRET[t], FIREOFFSETX[p], FIREOFFSETY[p]);
      if (dir == 0) dir = 8;
      if (dir == 9) dir = 1;
      TURRET[t] = static_cast<BYTE>(dir);
      if (WEAPONFIRED[p] && RELOAD[t] == 0 && RELOAD2[t] < 4) {
        RELOAD[t] = 3;
        SHOOT(p);
        if (++RELOAD2[t] >= 4) {
          RELOAD[t] = 16;
          RELOAD2[t] = 0;
        }
      }
    }
    if (drives) {
      const BYTE ref = static_cast<BYTE>(49 + p);
      if (DISTANCE(PLAYERX[p], PLAYERY[p], PLAYERX[my()], PLAYERY[my()]) < 14)
        restartSound(49, ref);
      else if (SOUNDPLAYING1(ref))
        STOPSOUND1(ref);
    }
    if (PORT60[p] == SC_DUCK) GETOUTOFTANK(p);
  }
  for (BYTE p = 1; p <= 2; p++) {
    const BYTE t = INTANK[p];
    if (t > 0 && t <= NUMBEROFTANKS) {
      PLAYERX[p] = static_cast<BYTE>(TANKX[t] + 1);
      PLAYERY[p] = static_cast<BYTE>(TANKY[t] - 1);
    }
  }
}

// Steps 23..33: the world steps of every frame.
void everyFrame() {
  CHECKGOALS();
  CHECKFORTRAPS();
  if (COMMACTIVE) MANAGECOMM();

  if (++SEACOUNTER > 8) SEACOUNTER = 1;
  ANIMATESEA();
  if (SEACOUNTER >= 8) SEACOUNTER = 0;

  FCOUNTER = static_cast<BYTE>(1 - FCOUNTER);
  if (FCOUNTER == 1) {
    if (ALLOWWORLDHOSTILITY()) FLAMES();
    while (BURNEDMONSTERS > 0) {
      DEATHSOUND();
      BURNEDMONSTERS--;
    }
  }
  if (INPUTCOUNTER != 1) {
    if (ALLOWWORLDHOSTILITY()) {
      ROCKETS();
      EXPLOSIONS();
    }
    WEAPONFLASH[1] = WEAPONFLASH[2] = false;
  }
  PLASMAS(!ALLOWWORLDHOSTILITY());
  COFFSET = -COFFSET;

  for (BYTE p = 1; p <= 2; p++) {
    if (WEAPONFIRED[p]) {
      if (INTANK[p] == 0)
        HANDLEWEAPONFIRE(p);
      else
        WEAPONFIRED[p] = false;
    }
    HANDLECHAINGUNFIRE(p);
    if (ALLOWWORLDHOSTILITY()) HANDLEMINIFIRE(p);
    HANDLEBFGCHARGE(p);
    HANDLEFLAMEGUNFIRE(p);
    // The flame gun's roar stops with the trigger or when the shooter is out
    // of my player's hearing.
    const BYTE roar = static_cast<BYTE>(204 + p);
    if ((!FLAMEGUNFIRING[p] || !NEAREVENT(PLAYERX[p], PLAYERY[p])) && SOUNDPLAYING1(roar))
      STOPSOUND1(roar);
  }
  // The newest flame lights its surroundings once per frame.
  if (NUMBEROFFLAMES > 0) CHECKLIGHT(FLAMEX[NUMBEROFFLAMES], FLAMEY[NUMBEROFFLAMES], 7);
  BLOODS();

  if (++HCOUNTER >= 2) {
    HCOUNTER = 0;
    if (ALLOWWORLDHOSTILITY()) {
      RAILS();
      BLINKS();
    }
    MNOTICED = 0;
    SSOUND = false;
    CSOUND = false;
    AIDIRECTOR();
    if (ALLOWWORLDHOSTILITY()) {
      TRACESTEP("MONSTERS");
      MONSTERS();
    }
    if (SSOUND) restartSound(1, 254);
    if (CSOUND) restartSound(74, 253);
    // One cry per monster that noticed my player; the count stays readable
    // until the next monster step. The slot is drawn before the reference:
    // two draws as arguments of one call would come in whatever order the
    // compiler evaluates them.
    for (BYTE i = 0; i < MNOTICED; i++) {
      const auto slot = static_cast<uint16_t>(63 + randomLocal(3));
      const auto ref = static_cast<BYTE>(231 + randomLocal(20));
      STARTSOUND1(slot, ref, false);
    }
    VARIOUSEFFECTS(1, 1);
    PORTALEFFECT();
  }
  MANAGEAMMOSTATUS();

  if (++ECOUNTER >= 3) {
    ECOUNTER = 0;
    for (BYTE p = 1; p <= 2; p++) MESSAGESCROLLER(p, p);
    if (++CIC > 16) CIC = 1;
    CHOSENITEMCOLOR = CA[CIC];
  }
  if (MINESTOEXPLODE > 0) EXPLODEALLMINES();
}

// Step 34: build and present the frame.
void buildFrame() {
  WAVYEFFECT = 0;
  HANDLEFANCYMAPEFFECTS();
  MANAGELAYERTIMINGS();
  LOS_VIEW_DEPTH = 1;
  SIGHTDEPTH[1] = SIGHTDEPTH[2] = 1;
  std::string game = GAME;
  for (char& c : game) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (game == "MAIN") HANDLECUSTOMMAPEFFECTS();
  CLRSCREMULATOR(false);
  GARBLEEFFECTWASCALLED = false;
  DEATHEFFECTWASCALLED = false;
  // The frame shows my player's view only: in link play its random draws
  // come from this machine's own generator, so the shared one stays in step.
  RANDOMLOCAL(true);
  for (BYTE p = 1; p <= 2; p++) {
    if (DEAD[p]) {
      DEADEFFECT(p, 1);
      if (p == my()) DEATHEFFECTWASCALLED = true;
    } else if (PLAYERHEALTH[p] < 36) {
      GARBLEEFFECT(p, 1);
      if (p == my()) GARBLEEFFECTWASCALLED = true;
    }
  }
  // Water: the flag tells whether the last frame drew the sea near my
  // player; it is read here and cleared just before this frame is drawn,
  // which sets it again while the water stays in hearing.
  if (SEASOUND[my()]) {
    if (!SOUNDPLAYING1(223)) STARTSOUND1(59, 223, true);
  } else if (SOUNDPLAYING1(223)) {
    STOPSOUND1(223);
  }
  SEASOUND[1] = SEASOUND[2] = false;
  TRACESTEP("RENDERGAME");
  STARTUPDATESCREEN();
  RENDERGAME(my());
  if (LINKACTIVE) DRAWCHATLINE();
  ENDUPDATESCREEN();
  RANDOMLOCAL(false);
}

// Step 35: after the frame.
void afterFrame() {
  if (--PLAYERANIMATIONCOUNTER < 0) PLAYERANIMATIONCOUNTER = PLAYER_ANIM_DELAY;
  EASEVIEWZOOM();
}

// Step 36: removal sounds and the one-shot slot of the frame.
void removalSounds() {
  if (PURGESOUND >= 1) STARTSOUND1(50, 52, false);
  if (PURGESOUND >= 2) STARTSOUND1(50, 53, false);
  if (GSL > 0) STARTSOUND1(GSL, GSL, false);
}

// Step 43: the quit question. True when the player really leaves.
bool confirmQuit() {
  TEXTMODE80X25();
  RENDERBLUE();
  if (!LINKACTIVE) DISPLAYLOGO();
  bool yes = true;
  if (!LAUNCHED_FROM_MD && !LINKACTIVE) {
    PAUSEALLSOUNDS();
    yes = YESORNO(QUITTAUNT(), 5, 10, true) == 1;
    RESUMEALLSOUNDS();
  }
  if (yes) {
    MOV(3, 0);
    return true;
  }
  CLEARTYPEDKEYS();
  DELAYEMULATOR(500);
  MOV(3, 0);
  PORT60[1] = 0;
  DBUGMODE();
  return false;
}
}  // namespace

std::string QUITTAUNT() { return std::string("[ QUIT ?]     ") + TAUNTS[random(8)]; }

void SETPAUSE(BYTE state) { PAUSESTATE = state; }

void CYCLEVIEWZOOM() {
  if (std::fabs(VIEWZOOM - VIEWZOOMTO) >= 0.3) return;
  VIEWZOOMDEFAULT += 25;
  if (VIEWZOOMDEFAULT >= 175) VIEWZOOMDEFAULT = 100;
  VIEWZOOMZOOMEDOUT = VIEWZOOMDEFAULT <= 100 ? 100 : VIEWZOOMDEFAULT - 25;
}

void EASEVIEWZOOM() {
  VIEWZOOMTO = ZOOMCOUNT > 100 ? VIEWZOOMZOOMEDOUT : VIEWZOOMDEFAULT;
  if (ZOOMCOUNT > 0) ZOOMCOUNT--;
  VIEWZOOM += (VIEWZOOMTO - VIEWZOOM) / 2;
}

void VIEWWINDOWSIZE(int32_t& sizex, int32_t& sizey) {
  const double z = 100.0 / (VIEWZOOM > 0 ? VIEWZOOM : 100.0);
  sizex = 2 * static_cast<int32_t>(ROUNDEVEN(16 * z)) + 1;
  sizey = 2 * static_cast<int32_t>(ROUNDEVEN(12 * z)) + 1;
}

void MANAGELAYERTIMINGS() {
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
      POSTPROCESSING& pp = MAPPP[x][y];
      for (int k = 1; k <= MAXLAYERS; k++)
        if (pp.OT[k] > 0 && --pp.OT[k] == 0) pp.OC[k] = 0;
    }
}

void DRAWMAP() {
  VMODE.COL = 80;
  VMODE.ROW = 50;
  SETVIDEOMODE(VMODE);
  const BYTE p = my();
  const bool moved = PLAYERX[p] != PLAYERX_[p] || PLAYERY[p] != PLAYERY_[p];
  for (int32_t i = 1; i <= 80; i++)
    for (int32_t j = 1; j <= 50; j++) {
      const int32_t x = PLAYERX[p] + i - 41, y = PLAYERY[p] + 25 - j;
      if (!VALID(x, y) || x > MAPSIZEX || y > MAPSIZEY || MAPPP[x][y].EXPLORED == 0) continue;
      const int32_t ry = MAPSIZEY + 1 - y;
      BYTE c = MFATTR[x][y] & 15;
      if (MLIGHT[x][ry] != 128) c = MLIGHT[x][ry] & 15;
      if (MAP[x][y] == ' ' || MAP[x][y] == 'M') c = 0;
      if (c == 7) c = 8;
      if (x == PLAYERX[p] && y == PLAYERY[p] && MAP[x][y] == 'P')
        c = (ROTATECOUNTER > 4 || moved) ? 15 : 0;
      int32_t bri = MAPPP[x][ry].BRIGHTNESS;
      if (bri < 50) bri = 50;
      RENDERCHAR(i, j, ' ', static_cast<BYTE>(c * 16), 100, static_cast<BYTE>(bri), 0, -1, -1, 100,
                 true);
    }
}

void RENDERGAME(BYTE playerview) {
  const BYTE p = playerview >= 1 && playerview <= 2 ? playerview : 1;
  int32_t sizex, sizey;
  VIEWWINDOWSIZE(sizex, sizey);
  TEXTMODECUSTOM(static_cast<BYTE>(ROUNDEVEN(1.8 * sizey)), static_cast<BYTE>(sizey));
  const int32_t vy = PLAYERY[p] + (SHAKE[p] ? 1 : 0);
  DRAWVIEW40(PLAYERX[p], static_cast<BYTE>(vy), static_cast<BYTE>(sizex),
             static_cast<BYTE>(sizey), false, true);
  if (DRAW_MAP) {
    GARBLEEFFECTWASCALLED = false;
    DEATHEFFECTWASCALLED = false;
    SWITCHTOOPENGLCOLORKEYMODE();
    IGNORE_BATTR = 0;
    DRAWMAP();
    IGNORE_BATTR = MODERN_VISUALS;
    DRAWOBJECTIVE(true);
    SWITCHTOOPENGLBLENDINGMODE();
  } else {
    TEXTMODE45X25();
    SWITCHTOOPENGLCOLORKEYMODE();
    REDRAWWEAPONS(my());
    DRAWHELPBAR();
    DRAWOBJECTIVE(false);
    DISPLAYINVENTORY(my());
    DRAWMESSAGES();
    if (DEATHMATCH()) DRAWFRAGS();
    SWITCHTOOPENGLBLENDINGMODE();
    if (DEATHEFFECTWASCALLED) {
      RENDERSTRING(12, 10, "GAME OVER", 15, 1, 1, 100, 100);
      // Space brings a dead player back whenever two play, linked or not.
      RENDERSTRING(7, 11, NUMBEROFPLAYERS == 2 ? "HIT SPACE TO RESPAWN" : "PRESS SPACE TO EXIT",
                   15, 1, 1, 100, 100);
    }
  }
  GARBLEEFFECTWASCALLED = false;
  DEATHEFFECTWASCALLED = false;
}

void PREENGINEINIT() {
  STOPALLSOUNDS();
  NUMBEROFPLAYERS = 1;
  MYNUMBER = 1;
  KREEPORVOLUME = KREEPORMINVOLUME;
  DRAW_MAP = false;
  AUTOMAPKEYHELD = false;
  LIGHTBASESAVED = false;
  PLAYERANIMATIONCOUNTER = PLAYER_ANIM_DELAY;
  PLAYERANIMATIONFRAME[1] = PLAYERANIMATIONFRAME[2] = 1;
  LOS_VIEW_DEPTH = 1;
  SIGHTDEPTH[1] = SIGHTDEPTH[2] = 1;
  EFFECT_MAPSCAN = 161;
  ZIK = 16;
  CIC = 1;
  CHOSENITEMCOLOR = CA[CIC];
  COFFSET = 1;
  MAPLIGHTON = 1;
  LIGHTNINGTYPE = 2;
  LX = 81;
  LY = 26;
  for (BYTE p = 1; p <= 2; p++) PERMISSION[p] = 1;
  RESETPLAYERSFORMAP();
  for (BYTE p = 1; p <= 2; p++) {
    PLAYERCOLOR[p] = ORIGINALPLAYERCOLOR[p];
    STEPPEDON[p] = ' ';
    STEPPEDONC[p] = 8;
    DEAD[p] = SIT[p] = SHAKE[p] = false;
    INTANK[p] = 0;
    // A level starts with everyone standing where the scan put them.
    PLAYERX_[p] = PLAYERX[p];
    PLAYERY_[p] = PLAYERY[p];
    WEAPONFLASH[p] = false;
    SEASOUND[p] = false;
  }
  for (int t = 1; t <= MAX_TANKS; t++) {
    TANKX_[t] = TANKX[t];
    TANKY_[t] = TANKY[t];
  }
  RESETINPUTSTATE();
  INPUTCOUNTER = ECOUNTER = GCOUNTER = HCOUNTER = FCOUNTER = SEACOUNTER = 0;
  SCROLLEFFECT = 0;
  PLAYSOUND = PREVSOUND = 0;
  LOOP = false;
  EXSOUND = false;
  PURGESOUND = 0;
  GSL = 0;
  KEYSOUND = false;
  CHOSEWEAPONSOUND = 0;
  PAUSESTATE = PAUSED_NOT;
  ZOOMCOUNT = 0;
  WAVYEFFECT = 0;
  PLAYER_MORPHING = 0;
  STARTSOUND1(96, 96, true);
}

void ENGINETEST() {
  PREENGINEINIT();
  if (LINKACTIVE && SYNCPLAYERS) SYNCPLAYERS();
  // The deathmatch arena is played by two: over the link, or both on this
  // machine (the second on the controller).
  if (LINKACTIVE || DEATHMATCH()) NUMBEROFPLAYERS = 2;
  if (!LOADINGGAME) SURVIVALLEVELSTART();
  DBUGMODE();
  // The lights run on input cycles; the first frame comes before the first
  // cycle, so light the level now (a dark level would show unlit otherwise).
  if (!LOADINGGAME) LIGHTLEVELNOW();
  // Where a frame starts: the whole frame, the removal sounds after a
  // declined quit, or the load step for a game being loaded.
  enum { FULLFRAME, FROMSOUNDS, FROMLOAD } start = LOADINGGAME ? FROMLOAD : FULLFRAME;
  if (!LOADINGGAME) MARKDELAYSTART();
  for (;;) {
    if (start == FULLFRAME) {
      TRACESTEP("FRAME");
      EXSOUND = false;
      PURGESOUND = 0;
      GSL = 0;
      INPUTCOUNTER++;
      // Frames between input cycles start from the cycle's rebuilt light
      // grid; the classic blink colours are shown on it again.
      if (INPUTCOUNTER != 2 && LIGHTBASESAVED) {
        RESTORELIGHTBASE();
        SHOWBLINKLIGHTS();
      }
      SHELLS();
      MANAGEIDLEMUSIC();
      REFRESHMOUSESTATUS();
      if (INPUTCOUNTER == 1 && !LINKACTIVE) GETPORT60FORGAME_FIRSTPART();
      if (INPUTCOUNTER == 2) inputCycle();
      everyFrame();
      if (ALLOWWORLDHOSTILITY()) ADVANCELEVELCLOCK();
      buildFrame();
      afterFrame();
    }
    if (start != FROMLOAD) removalSounds();
    start = FULLFRAME;

    if (PORT60[1] == SC_HELP && HELP) HELP();
    if (PORT60[1] == SC_SAVE && SAVEGAME) SAVEGAME(false);
    if (LOADINGGAME) {
      STOPALLSOUNDS();
      if (LOADSAVEDGAME) LOADSAVEDGAME();
      if (LOADINGGAME && !GAMELOADED) break;
      if (GAMELOADED) {
        LOADINGGAME = false;
        LIGHTLEVELNOW();
      }
    }
    if (EXSOUND) STARTSOUND1(15, 250, false);
    PERFORMDELAY(1.0);
    if (INPUTCOUNTER == 1) SHAKE[1] = SHAKE[2] = false;
    // Closing the window asks the quit question, as Escape does.
    if (QUITREQUESTED && VICTORY == 0) {
      QUITREQUESTED = false;
      PORT60[1] = SC_ESCAPE;
    }
    if (PORT60[1] != SC_ESCAPE && VICTORY == 0) continue;
    if (PORT60[1] == SC_ESCAPE && !confirmQuit()) {
      start = FROMSOUNDS;
      continue;
    }
    break;
  }
  STOPALLSOUNDS();
  if (COMMACTIVE) CLOSECOMM();
}
