// Start-up and shut-down: bring up the emulated machine, set every default,
// read the settings, run the game flow, write the settings back and close.
#include "shell/startup.h"

#include <cstdio>

#include "display/backend.h"
#include "display/events.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "shell/gameflow.h"
#include "shell/levelrefusal.h"
#include "base/harness.h"
#include "base/paths.h"
#include "base/random.h"
#include "shell/statedump.h"
#include "sound/sound.h"
#include "ui/keyconfig.h"
#include "world/maploader.h"

namespace {
const char* const DEATHMESSAGES[20] = {
    "% exploded like a fat sausage.",
    "% suddenly dematerialized.",
    "% never made it back.",
    "% got shot in the buttocks.",
    "% has not entirely made it.",
    "% decided not to be.",
    "% took on an enemy larger than life.",
    "% hit the rock bottom.",
    "% splattered into little chunks.",
    "% never saw it coming.",
    "% has fallen in battle.",
    "% slipped on deadly ground.",
    "% was taken by surprise.",
    "% took on the odds and the odds won.",
    "% underestimated the opposition.",
    "% bought the farm.",
    "% got trampled at MonsterMart.",
    "% got perforated generously.",
    "% was caught off-guard.",
    "% drew the short straw of DOOM.",
};

}  // namespace

// Writes the --screenshot file from the last pushed frame.
void WRITESCREENSHOT() {
  if (HARNESS.SCREENSHOT.empty() || !THEBACKEND) return;
  IMAGE frame;
  if (!THEBACKEND->READFRAME(frame) || !SAVEPNGFILE(HARNESS.SCREENSHOT, frame))
    std::fprintf(stderr, "ashenreach: could not write the screenshot %s\n",
                 HARNESS.SCREENSHOT.c_str());
}

void SETVISUALS(BYTE vistype) {
  MODERN_VISUALS = vistype;
  NEW_MONSTERS = NEW_PLAYER = NEW_LAND = NEW_TANK = NEW_ITEMS = NEW_FIRE = vistype;
  LOADMAINTEXTURES(-1);
  IGNORE_BATTR = (MODERN_VISUALS == 1) ? 1 : 0;
}

void ENDSCREEN() {
  TEXTCOLOREMULATOR(7);
  TEXTBACKGROUNDEMULATOR(0);
  CLRSCREMULATOR(false);
  GOTOXYEMULATOR(1, 1);
  WRITELNTEXT("Thanks for playing Ashen Reach.");
  PUSHDISPLAY();
}

int HOLLOWMERESTART() {
  int exitcode = 0;
  bool videoopen = false;
  try {
    ENSUREFOLDEREXISTS(DATAPATH());
    RENDER_BLACKS = false;
    LAUNCHED_FROM_MD = !GAMEPARAMS.empty() && VALIDATEDPARAM();
    INITDELAYTIMINGS();
    NEW_CONTROL_MODE = true;
    WRITEEMULATION = false;
    INITVIDEO();
    videoopen = true;
    // From now on a refused level is shown on the screen, not only on stderr.
    SHOWLEVELREFUSAL = SHOWLEVELREFUSALSCREEN;
    TEXTMODE80X25();
    STARTMOUSE();
    if (HARNESS.SEEDGIVEN)
      RANDSEED(HARNESS.SEED);
    else
      RANDOMIZE();
    ORIGINAL = DEFAULTKEYMAP();
    RESETKEYCONFIG(1);
    LOADKEYCONFIG();
    DEFINED = ORIGINAL;
    GAME = "main";
    MYNAME = "rookie";
    MYCOLOR = 10;
    ORIGINALPLAYERCOLOR[1] = 10;
    ORIGINALPLAYERCOLOR[2] = 11;
    if (MODERN_VISUALS == 1) MYCOLOR = ORIGINALPLAYERCOLOR[1] = ORIGINALPLAYERCOLOR[2] = 7;
    SKYCOLOR = 0;
    SOUNDON = !PARAM("NOSOUND");
    TEXTMODE80X25();
    TEXTCOLOREMULATOR(15);
    TEXTBACKGROUNDEMULATOR(0);
    CLRSCREMULATOR(true);
    VOLUME_SOUND = 10;
    VOLUME_MUSIC = 10;
    if (SOUNDON) INIT_AUDIO(false);
    TEXTCOLOREMULATOR(15);
    TEXTBACKGROUNDEMULATOR(0);
    GOTOXYEMULATOR(1, 1);
    for (int i = 0; i < 20; i++) DDESK[i + 1] = DEATHMESSAGES[i];
    MOVIE2COUNTER = 0;
    LINKACTIVE = false;
    REPLAYCOUNTER = 0;
    COMPORT = 1;
    CHAPTERSUNLOCKED = 1;
    BYTE visualstyle = 1;
    UPGRADE_DETECTED = false;
    READSETTINGS(INIFILENAME(), visualstyle);
    if (UPGRADE_DETECTED) {
      RESETKEYCONFIG(1);
      SAVEKEYCONFIG();
    }
    SETVISUALS(visualstyle);
    if (!GLYPHLOADERROR.empty()) {
      // The loader's message names the data folder it searched.
      std::fprintf(stderr, "ashenreach: %s\n", GLYPHLOADERROR.c_str());
      DONEVIDEO();
      return EXIT_NOGLYPHS;
    }
    if (SOUNDON) LOADSOUNDS1();
    INIT_AUDIO(true);
    LINKACTIVE = false;
    CHEAT = false;
    HOLLOWMERE();
  } catch (const HARNESSEXIT&) {
    // --frames reached: leave through the normal shut-down below.
  }
  if (!videoopen) return exitcode;
  // Without a user folder (reported at start) there is nothing to write to.
  if (std::string err; !INIFILENAME().empty() && !WRITESETTINGS(INIFILENAME(), err))
    std::fprintf(stderr, "ashenreach: could not write the settings file: %s\n", err.c_str());
  try {
    // The closing screen is not pushed once the frame limit is reached, so the
    // screenshot keeps the last frame the game itself drew.
    if (HARNESS.FRAMES < 0 || PUSHEDFRAMES < HARNESS.FRAMES) ENDSCREEN();
  } catch (const HARNESSEXIT&) {
  }
  if (!HARNESS.DUMPSTATE.empty() && !WRITESTATEDUMP(HARNESS.DUMPSTATE))
    std::fprintf(stderr, "ashenreach: could not write the state dump %s\n", HARNESS.DUMPSTATE.c_str());
  WRITESCREENSHOT();
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(0);
  WINDOWEMULATOR(1, 1, 80, 25);
  GOTOXYEMULATOR(1, 22);
  ENDMOUSE();
  DONEVIDEO();
  return exitcode;
}
