// The sound files of the game and how each is made (see catalogue.h).
//
// Levels: each file's peak is chosen against the volume its slot plays at, so
// that what the player hears is balanced: a slot played at full volume (the
// typing clicks, the machinery loop) is stored quietly, a slot played at 1/16
// (the metal ambience) is stored loud. Music peaks a few dB under the loudest
// effects after its volume is applied; ambience sits under the music.
#include "catalogue.h"

#include <cmath>

#include "oggio.h"
#include "recipes.h"
#include "sfxkit.h"

const std::vector<SOUNDFILEDEF> SOUNDFILES = {
    {"shotfar.ogg", "1", "shotgun heard from range: dull boom, long echo", SK_EFFECT, false, -14, SFX_SHOTFAR},
    {"shotnear.ogg", "2", "double shotgun close by: two barrels, heavy blast", SK_EFFECT, false, -2.5, SFX_SHOTNEAR},
    {"burst.ogg", "3", "automatic weapon: one punchy round", SK_EFFECT, false, -3, SFX_BURST},
    {"launcher.ogg", "4", "rocket launch: thump and rushing whoosh", SK_EFFECT, false, -1, SFX_LAUNCHER},
    {"dropmine.ogg", "5", "mine set down: clunk and arming chirp", SK_EFFECT, false, -22, SFX_DROPMINE},
    {"hseeker.ogg", "6", "mini gun round: tight high crack", SK_EFFECT, false, -3, SFX_HSEEKER},
    {"mineblow.ogg", "7", "mine blast: sharp crack and boom", SK_EFFECT, false, -1, SFX_MINEBLOW},
    {"phurt1.ogg", "8", "player hurt: short grunt", SK_EFFECT, false, -3, SFX_PHURT1},
    {"phurt2.ogg", "9", "player hurt: sharper cry", SK_EFFECT, false, -3, SFX_PHURT2},
    {"pickhlth.ogg", "10", "health picked up: rising chime", SK_EFFECT, false, -6, SFX_PICKHLTH},
    {"pickwpn.ogg", "11", "weapon picked up: metal clack and rack", SK_EFFECT, false, -5, SFX_PICKWPN},
    {"pldeth1.ogg", "12", "player death: falling scream, collapse", SK_EFFECT, false, -1, SFX_PLDETH1},
    {"respawn.ogg", "13", "item returns: rising sparkle", SK_EFFECT, false, -8, SFX_RESPAWN},
    {"respawn2.ogg", "14", "item returns: falling sparkle", SK_EFFECT, false, -8, SFX_RESPAWN2},
    {"explode.ogg", "15", "explosion: boom, roar, debris", SK_EFFECT, false, -1, SFX_EXPLODE},
    {"gameload.ogg", "16", "game loaded: upward arpeggio", SK_EFFECT, false, -6, SFX_GAMELOAD},
    {"gamesave.ogg", "17", "game saved: settling cadence", SK_EFFECT, false, -6, SFX_GAMESAVE},
    {"mhurt1.ogg", "18", "monster hurt: hound yelp", SK_EFFECT, false, -6, SFX_MHURT1},
    {"mhurt2.ogg", "19", "monster hurt: brute grunt", SK_EFFECT, false, -6, SFX_MHURT2},
    {"mhurt3.ogg", "20", "monster hurt: ghoul rasp", SK_EFFECT, false, -6, SFX_MHURT3},
    {"mdeath1.ogg", "21", "monster death: hound howl", SK_EFFECT, false, -5, SFX_MDEATH1},
    {"mdeath2.ogg", "22", "monster death: brute roar, fall", SK_EFFECT, false, -5, SFX_MDEATH2},
    {"mdeath3.ogg", "23", "monster death: ghoul shriek", SK_EFFECT, false, -5, SFX_MDEATH3},
    {"railgun.ogg", "24", "rail gun: charge whine, electric crack", SK_EFFECT, false, -1, SFX_RAILGUN},
    {"rexplode.ogg", "25", "energy blast: boom with electric sweep", SK_EFFECT, false, -1, SFX_REXPLODE},
    {"pickgold.ogg", "26-45, 73", "pick-up: bright two-note ding (stand-in)", SK_EFFECT, false, -7, SFX_PICKGOLD},
    {"noammo.ogg", "46", "empty gun: dry click", SK_EFFECT, false, -8, SFX_NOAMMO},
    {"nochain.ogg", "47", "heavy gun empty: clunk, dead ratchet", SK_EFFECT, false, -8, SFX_NOCHAIN},
    {"gun.ogg", "48", "pistol: short bright crack", SK_EFFECT, false, -2, SFX_GUN},
    {"tank.ogg", "49", "tank engine: diesel chug", SK_EFFECT, true, -4, SFX_TANK},
    {"texplode.ogg", "50", "big blast: tank destroyed, metal clangs", SK_EFFECT, false, -1, SFX_TEXPLODE},
    {"intank.ogg", "51", "into the tank: hatch, engine catches", SK_EFFECT, false, -3, SFX_INTANK},
    {"step1.ogg", "52", "step, small room", SK_EFFECT, false, -14, SFX_STEP1},
    {"step2.ogg", "53", "step, small room (other foot)", SK_EFFECT, false, -14, SFX_STEP2},
    {"step3.ogg", "54", "step, large space: hall echo", SK_EFFECT, false, -13, SFX_STEP3},
    {"step4.ogg", "55", "step, large space (other foot)", SK_EFFECT, false, -13, SFX_STEP4},
    {"flame.ogg", "56", "flame thrower: roaring gush", SK_EFFECT, false, -3, SFX_FLAME},
    {"danger1.ogg", "57", "warning: two-tone beeps", SK_EFFECT, true, -8, SFX_DANGER1},
    {"danger2.ogg", "58", "danger: pulsing klaxon", SK_EFFECT, true, -8, SFX_DANGER2},
    {"sea.ogg", "59", "sea: waves on a shore", SK_AMBIENCE, true, -1, AMB_SEA},
    {"menu1.ogg", "60", "menu music: D minor, heroic and dark", SK_MUSIC, true, -2, MUS_MENU},
    {"rain.ogg", "61", "rain: hiss and drops", SK_AMBIENCE, true, -2, AMB_RAIN},
    {"door.ogg", "62", "door opens: servo, hiss, clunk", SK_EFFECT, false, -4, SFX_DOOR},
    {"mnotice1.ogg", "63", "monster notices you: hound snarl", SK_EFFECT, false, -3, SFX_MNOTICE1},
    {"mnotice2.ogg", "64", "monster notices you: brute growl", SK_EFFECT, false, -3, SFX_MNOTICE2},
    {"mnotice3.ogg", "65", "monster notices you: ghoul hiss", SK_EFFECT, false, -3, SFX_MNOTICE3},
    {"sweapon1.ogg", "66", "weapon change 1", SK_EFFECT, false, -9, SFX_SWEAPON1},
    {"sweapon2.ogg", "67", "weapon change 2", SK_EFFECT, false, -9, SFX_SWEAPON2},
    {"sweapon3.ogg", "68", "weapon change 3", SK_EFFECT, false, -9, SFX_SWEAPON3},
    {"sweapon4.ogg", "69", "weapon change 4", SK_EFFECT, false, -9, SFX_SWEAPON4},
    {"sweapon5.ogg", "70", "weapon change 5", SK_EFFECT, false, -9, SFX_SWEAPON5},
    {"sweapon6.ogg", "71", "weapon change 6", SK_EFFECT, false, -9, SFX_SWEAPON6},
    {"sweapon7.ogg", "72", "weapon change 7", SK_EFFECT, false, -9, SFX_SWEAPON7},
    {"mchain.ogg", "74", "monster chaingun: three gritty rounds", SK_EFFECT, false, -3, SFX_MCHAIN},
    {"kb1.ogg", "75", "typing click 1", SK_EFFECT, false, -30, SFX_KB1},
    {"kb2.ogg", "76", "typing click 2", SK_EFFECT, false, -30, SFX_KB2},
    {"kb3.ogg", "77", "typing click 3", SK_EFFECT, false, -30, SFX_KB3},
    {"mini.ogg", "78", "mini gun spin: motor whine", SK_EFFECT, true, -8, SFX_MINI},
    {"plasma.ogg", "79", "plasma gun: three falling zips", SK_EFFECT, false, -5, SFX_PLASMA},
    {"phit.ogg", "80", "plasma hit: electric pop", SK_EFFECT, false, -4, SFX_PHIT},
    {"teleport.ogg", "81", "teleport: phasing sweep, shimmer", SK_EFFECT, false, -3, SFX_TELEPORT},
    {"metalamb.ogg", "83", "metal structure: drone, creaks, clangs", SK_AMBIENCE, true, -1, AMB_METAL},
    {"wind.ogg", "84", "wind: gusts and a thin whistle", SK_AMBIENCE, true, -2, AMB_WIND},
    {"_redalert.ogg", "85", "red alert: siren", SK_EFFECT, true, -10, SFX_REDALERT},
    {"doorback.ogg", "87", "door closes: falling servo, slam", SK_EFFECT, false, -4, SFX_DOORBACK},
    {"nokey.ogg", "88", "locked: low double buzz", SK_EFFECT, false, -18, SFX_NOKEY},
    {"textwindow.ogg", "89", "message window: soft blip", SK_EFFECT, false, -18, SFX_TEXTWINDOW},
    {"wpn_aq.ogg", "90", "voice: \"Weapon acquired.\"", SK_SPEECH, false, -9, VOX_WEAPONACQUIRED},
    {"acc_g.ogg", "91", "voice: \"Access granted.\"", SK_SPEECH, false, -9, VOX_ACCESSGRANTED},
    {"armor_aq.ogg", "92", "voice: \"Armor acquired.\"", SK_SPEECH, false, -9, VOX_ARMORACQUIRED},
    {"term1.ogg", "93", "voice: \"Player one, terminated.\"", SK_SPEECH, false, -7, VOX_TERM1},
    {"term2.ogg", "94", "voice: \"Player two, terminated.\"", SK_SPEECH, false, -7, VOX_TERM2},
    {"notice.ogg", "95", "incoming message: squelch and chirp", SK_EFFECT, false, -8, SFX_NOTICE},
    {"gothicsurveillance420.ogg", "96", "idle music: C minor 3/4, organ, ticking", SK_MUSIC, true, -6, MUS_IDLE},
    {"tankgun.ogg", "97", "tank cannon: heavy blast, rolling tail", SK_EFFECT, false, -6, SFX_TANKGUN},
    {"emptyship.ogg", "98", "empty ship: hum, vents, far pings", SK_AMBIENCE, true, -18, AMB_EMPTYSHIP},
    {"engineroom.ogg", "99", "machinery: pistons and whine", SK_AMBIENCE, true, -26, AMB_ENGINEROOM},
    {"cutscene_loop.ogg", "100", "level intro music: E minor, harp and flute", SK_MUSIC, true, -1, MUS_INTRO},
    {"dark.ogg", "101", "darkness: deep beating drone", SK_AMBIENCE, true, -17, AMB_DARK},
    {"12_full_the-dark-knight_0127.ogg", "102", "music: A minor, brooding ostinato", SK_MUSIC, true, -1, MUS_DARK},
    {"epic_battle.ogg", "103", "battle music: E minor, fast drums", SK_MUSIC, true, -8, MUS_BATTLE},
    {"credits.ogg", "104", "credits music: D major, warm", SK_MUSIC, true, -4, MUS_CREDITS},
    {"tulah.ogg", "105", "music: E over a drone, lute and reed", SK_MUSIC, true, -11, MUS_TULAH},
};

// Quality of the level music: lower than the menu's, so that fifteen loops
// of about a minute stay small; idle music plays under the game.
constexpr double LEVELMUSICQ = 0.1;

// Peaks are set so that each track's loudness matches the default idle
// music's: they play on the same channel at the same volume.
const std::vector<SOUNDFILEDEF> LEVELMUSIC = {
    {"100.ogg", "96", "Served: B Phrygian, bass pulse, ticking, cold bells", SK_MUSIC, true, -4.0, MUS_L100, LEVELMUSICQ},
    {"101.ogg", "96", "Remains: D minor, slow, drone, sparse piano, flute lament", SK_MUSIC, true, -5.8, MUS_L101, LEVELMUSICQ},
    {"102.ogg", "96", "Warzone: C minor march, field drum, brass call", SK_MUSIC, true, -4.1, MUS_L102, LEVELMUSICQ},
    {"103.ogg", "96", "Exodus: F# minor in 5/4, restless pluck, hand drums", SK_MUSIC, true, -3.4, MUS_L103, LEVELMUSICQ},
    {"104.ogg", "96", "Sand: A Phrygian dominant over a drone, sparse, reed", SK_MUSIC, true, -5.7, MUS_L104, LEVELMUSICQ},
    {"105.ogg", "96", "Defense: G minor, heroic brass, timpani, choir", SK_MUSIC, true, -4.9, MUS_L105, LEVELMUSICQ},
    {"106.ogg", "96", "The Shafts: C# minor, low drone, dripping bells", SK_MUSIC, true, -6.7, MUS_L106, LEVELMUSICQ},
    {"107.ogg", "96", "The Hive: insect pulse, rattle, rubbing choir", SK_MUSIC, true, -4.6, MUS_L107, LEVELMUSICQ},
    {"108.ogg", "96", "The Throne: E Phrygian, fast, power chords, choir", SK_MUSIC, true, -4.8, MUS_L108, LEVELMUSICQ},
    {"109.ogg", "96", "Kask's Lab: A minor sevenths, e-piano, ticking", SK_MUSIC, true, -5.7, MUS_L109, LEVELMUSICQ},
    {"110.ogg", "96", "Tulah: D harmonic minor, heartbeat, hand drums, flute", SK_MUSIC, true, -4.9, MUS_L110, LEVELMUSICQ},
    {"111.ogg", "96", "The Climb: rising chords, driving bass, brass", SK_MUSIC, true, -4.2, MUS_L111, LEVELMUSICQ},
    {"112.ogg", "96", "Dawn: D mixolydian, harp, brass, choir", SK_MUSIC, true, -5.0, MUS_L112, LEVELMUSICQ},
    {"150.ogg", "96", "vision: whole-tone, no pulse, beating choir", SK_MUSIC, true, -5.5, MUS_L150, LEVELMUSICQ},
    {"151.ogg", "96", "vision: tritones in 3, wavering organ, far drum", SK_MUSIC, true, -4.4, MUS_L151, LEVELMUSICQ},
};

double QUALITYOF(SOUNDKIND kind) {
  switch (kind) {
    case SK_MUSIC: return 0.4;
    case SK_AMBIENCE: return 0.2;
    case SK_SPEECH: return 0.4;
    default: return 0.4;
  }
}

uint64_t SEEDOF(const char* file) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (const char* p = file; *p; p++) h = (h ^ static_cast<uint8_t>(*p)) * 1099511628211ull;
  return h;
}

bool MAKESOUNDFILE(const SOUNDFILEDEF& def, std::vector<uint8_t>& ogg, SOUNDBUF* decoded,
                   std::string& error) {
  SOUNDBUF b = def.MAKE(SEEDOF(def.FILE));
  if (b.FRAMES() == 0) {
    error = std::string("nothing was made for ") + def.FILE;
    return false;
  }
  HIGHPASSBUF(b, 18, def.LOOP);  // no sub-sonic drift
  double target = std::min(def.PEAKDB, MAXPEAKDB);
  FINISHLEVEL(b, target - 0.3);
  if (!def.LOOP) FADEEDGES(b, 0, 0.004);  // end on silence
  // The encoder may overshoot a peak a little: lower the level until the
  // decoded file stays at or under its target.
  for (int attempt = 0; attempt < 6; attempt++) {
    ogg = ENCODEOGG(b, def.QUALITY >= 0 ? def.QUALITY : QUALITYOF(def.KIND), static_cast<uint32_t>(SEEDOF(def.FILE)), def.FILE);
    if (ogg.empty()) {
      error = std::string("the Vorbis encoder refused ") + def.FILE;
      return false;
    }
    SOUNDBUF d;
    int rate = 0;
    if (!DECODEOGG(ogg, d, rate, error)) return false;
    double peak = 20.0 * std::log10(std::max(PEAKOF(d), 1e-9));
    if (decoded) *decoded = d;
    if (peak <= target) return true;
    GAIN(b, std::pow(10.0, (target - peak - 0.1) / 20.0));
  }
  error = std::string("cannot keep the peak of ") + def.FILE + " under its level";
  return false;
}
