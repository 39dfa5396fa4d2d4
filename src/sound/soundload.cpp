// The slot table and the loaders: every slot at start-up, the per-map idle
// music, and script voice lines and sound effects during play.
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "base/paths.h"
#include "display/backend.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "ui/menu.h"

const char* const AUDEXT = ".ogg";
bool SOUNDTABLELOADED = false;
BACKEND* SOUNDBACKEND = nullptr;

// Names are written with ".wav" and loaded as ".ogg" (SOUNDFILENAME).
const char* const SLOTFILE[NUMSOUNDS] = {
    "",                           // 0: never loaded
    "sounds/shotfar.wav",         // 1: shotgun shot heard from range
    "sounds/shotnear.wav",        // 2: shotgun shot, near
    "sounds/burst.wav",           // 3: automatic weapon burst
    "sounds/launcher.wav",        // 4
    "sounds/dropmine.wav",        // 5
    "sounds/hseeker.wav",         // 6
    "sounds/mineblow.wav",        // 7
    "sounds/phurt1.wav",          // 8
    "sounds/phurt2.wav",          // 9
    "sounds/pickhlth.wav",        // 10
    "sounds/pickwpn.wav",         // 11
    "sounds/pldeth1.wav",         // 12
    "sounds/respawn.wav",         // 13
    "sounds/respawn2.wav",        // 14
    "sounds/explode.wav",         // 15
    "sounds/gameload.wav",        // 16
    "sounds/gamesave.wav",        // 17
    "sounds/mhurt1.wav",          // 18
    "sounds/mhurt2.wav",          // 19
    "sounds/mhurt3.wav",          // 20
    "sounds/mdeath1.wav",         // 21
    "sounds/mdeath2.wav",         // 22
    "sounds/mdeath3.wav",         // 23
    "sounds/railgun.wav",         // 24
    "sounds/rexplode.wav",        // 25
    "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav",
    "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav",
    "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav",
    "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav",
    "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav", "sounds/pickgold.wav",
    "sounds/noammo.wav",          // 46
    "sounds/nochain.wav",         // 47
    "sounds/gun.wav",             // 48
    "sounds/tank.wav",            // 49
    "sounds/texplode.wav",        // 50
    "sounds/intank.wav",          // 51
    "sounds/step1.wav",           // 52
    "sounds/step2.wav",           // 53
    "sounds/step3.wav",           // 54
    "sounds/step4.wav",           // 55
    "sounds/flame.wav",           // 56
    "sounds/danger1.wav",         // 57
    "sounds/danger2.wav",         // 58
    "sounds/sea.wav",             // 59
    "sounds/menu1.wav",           // 60: menu music
    "sounds/rain.wav",            // 61
    "sounds/door.wav",            // 62
    "sounds/mnotice1.wav",        // 63
    "sounds/mnotice2.wav",        // 64
    "sounds/mnotice3.wav",        // 65
    "sounds/sweapon1.wav",        // 66: weapon change
    "sounds/sweapon2.wav",        // 67
    "sounds/sweapon3.wav",        // 68
    "sounds/sweapon4.wav",        // 69
    "sounds/sweapon5.wav",        // 70
    "sounds/sweapon6.wav",        // 71
    "sounds/sweapon7.wav",        // 72
    "sounds/pickgold.wav",        // 73
    "sounds/mchain.wav",          // 74
    "sounds/kb1.wav",             // 75: typing clicks
    "sounds/kb2.wav",             // 76
    "sounds/kb3.wav",             // 77
    "sounds/mini.wav",            // 78
    "sounds/plasma.wav",          // 79
    "sounds/phit.wav",            // 80
    "sounds/teleport.wav",        // 81
    "",                           // 82: script voice line, loaded on demand
    "sounds/metalamb.wav",        // 83: metal atmosphere
    "sounds/wind.wav",            // 84: wind
    "sounds/_redalert.wav",       // 85
    "",                           // 86: script sound effect, loaded on demand
    "sounds/doorback.wav",        // 87
    "sounds/nokey.wav",           // 88
    "sounds/textwindow.wav",      // 89
    "sounds/wpn_aq.wav",          // 90
    "sounds/acc_g.wav",           // 91
    "sounds/armor_aq.wav",        // 92
    "sounds/term1.wav",      // 93: spoken termination line
    "sounds/term2.wav",      // 94: spoken termination line
    "sounds/notice.wav",          // 95
    "sounds/gothicsurveillance420.wav",  // 96: idle music (replaced per map)
    "sounds/tankgun.wav",         // 97
    "sounds/emptyship.wav",       // 98
    "sounds/engineroom.wav",        // 99: ambience loop
    "sounds/cutscene_loop.wav",   // 100
    "sounds/dark.wav",         // 101: dark ambience
    "sounds/12_full_the-dark-knight_0127.wav",  // 102
    "sounds/epic_battle.wav",     // 103
    "sounds/credits.wav",         // 104
    "sounds/tulah.wav",           // 105
};

namespace {
const char* const PICKGOLD = "sounds/pickgold.ogg";

// Samples already loaded, by resolved file: a file named by several slots
// (the pick-gold stand-in above all) is decoded once.
std::map<std::string, int32_t> LOADED;

// The file each slot was filled from, as the game named it ("" = empty).
std::string SLOTSOURCES[NUMSOUNDS];

// Missing files seen by the current table load (reported in one line).
std::set<std::string> MISSING;
std::string FIRSTMISSING;

// Loads FILE (an existing data path) into slot SN, replacing what it held.
void FILLSLOT(int32_t sn, const std::string& file) {
  // Samples belong to the back-end that loaded them.
  if (SOUNDBACKEND != THEBACKEND) FORGETSOUNDS();
  const std::string path = RESOLVEPATH(file);
  int32_t handle = 0;
  auto it = LOADED.find(path);
  if (it != LOADED.end()) {
    handle = it->second;
  } else {
    handle = THEBACKEND->LOADSOUND(path);
    if (handle > 0) LOADED[path] = handle;
  }
  const int32_t old = SOUNDHANDLE[sn];
  SOUNDHANDLE[sn] = handle;
  SLOTSOURCES[sn] = handle > 0 ? file : std::string();
  if (old <= 0 || old == handle) return;
  // The old sample goes when no other slot uses it any more.
  for (int s = 0; s < NUMSOUNDS; s++)
    if (SOUNDHANDLE[s] == old) return;
  for (auto i = LOADED.begin(); i != LOADED.end(); ++i)
    if (i->second == old) {
      LOADED.erase(i);
      break;
    }
  THEBACKEND->FREESOUND(old);
}

std::string TRIMMED(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// A speaker tag ("JOE: ...") begins with capitals; a lower-case letter among
// the first three characters means plain speech.
bool LOWERINFIRSTTHREE(const std::string& s) {
  for (size_t i = 0; i < 3 && i < s.size(); i++)
    if (std::islower(static_cast<unsigned char>(s[i]))) return true;
  return false;
}
}  // namespace

void FORGETSOUNDS() {
  LOADED.clear();
  for (std::string& f : SLOTSOURCES) f.clear();
  for (int32_t& h : SOUNDHANDLE) h = 0;
  SOUNDBACKEND = THEBACKEND;
}

std::string SLOTSOURCE(int32_t sn) {
  return sn >= 0 && sn < NUMSOUNDS && SOUNDHANDLE[sn] > 0 ? SLOTSOURCES[sn] : std::string();
}

std::string SOUNDFILENAME(const std::string& key) {
  if (key.size() <= 4) return key;
  return key.substr(0, key.size() - 4) + AUDEXT;
}

void LOADSOUND1(int32_t sn, const std::string& key) {
  if (!SOUNDON || !THEBACKEND || sn < 0 || sn >= NUMSOUNDS) return;
  std::string file = SOUNDFILENAME(key);
  if (!FILEEXISTSCI(file)) {
    if (MISSING.empty()) FIRSTMISSING = file;
    MISSING.insert(file);
    file = PICKGOLD;
  }
  FILLSLOT(sn, file);
}

void LOADSOUNDS1() {
  if (!SOUNDON || !THEBACKEND) return;
  ITEM[1] = "Loading data ..";
  MENU("Ashen Reach", 1, 31, 11, SHOW, 1, NOTWAIT, false);
  MISSING.clear();
  for (int s = 1; s < NUMSOUNDS; s++)
    if (SLOTFILE[s][0] != '\0') LOADSOUND1(s, SLOTFILE[s]);
  const size_t n = MISSING.size();
  if (n > 0)
    std::fprintf(stderr, "ashenreach: %zu sound file%s missing (first: %s); %s\n", n,
                 n == 1 ? " is" : "s are", FIRSTMISSING.c_str(),
                 FILEEXISTSCI(PICKGOLD) ? "the pick-gold sound stands in"
                                        : "those slots stay silent");
  MISSING.clear();
  SOUNDTABLELOADED = true;
}

void LOADCUSTOMIDLEMUSICFORMAP(BYTE mapnum) {
  if (!SOUNDON || !THEBACKEND) return;
  std::string file = "CAMPAIGN/" + GAME + "/BCKM_MAPS/" + std::to_string(mapnum) + AUDEXT;
  if (!FILEEXISTSCI(file)) file = "SOUNDS/gothicsurveillance420.ogg";
  FILLSLOT(96, file);
  SETCHANNELVOLUME(96, 0);
}

bool TOGGLEVOICEFILE(const std::string& vf, const std::string& say) {
  std::string text = TRIMMED(say);
  const bool spoken = !text.empty();
  const std::string file =
      spoken ? "CAMPAIGN/" + GAME + "/VOICE/" + vf + AUDEXT : "SOUNDS/non-looping/" + vf + AUDEXT;
  if (!FILEEXISTSCI(file)) {
    if (!spoken) return false;
    if (!LOWERINFIRSTTHREE(text)) {
      const size_t colon = text.find(':');
      if (colon != std::string::npos) text.erase(0, colon + 1);
    } else {
      STARTSOUND1(95, 111, false);
    }
    SPEAKIT(text);
    return false;
  }
  if (SOUNDON && THEBACKEND) FILLSLOT(spoken ? 82 : 86, file);
  if (spoken) {
    STARTSOUND1(82, 111, false);
    if (LOWERINFIRSTTHREE(text)) STARTSOUND1(95, 111, false);
  } else {
    STARTSOUND1(86, 110, false);
  }
  return true;
}

void SPEAKIT(const std::string& s) {
  // Speech synthesis is off (VOICE_SYNTH): the text stays on screen only.
  (void)s;
}
