// Idle music of the campaign's levels: one loop per level, each in the mood of
// its chapter and place, written with the track layers of music.h. A track
// opens quietly (the idle music fades in under play), brings its theme in the
// middle and leads back to its opening.
#include "music.h"
#include "recipes.h"

namespace {

const std::vector<std::vector<double>> R44 = {{1, 1, 2}, {1.5, 0.5, 1, 1}, {2, 1, 1}, {0.5, 0.5, 1, 2},
                                               {1, 0.5, 0.5, 2}, {3, 1}, {-1, 1, 1, 1}, {1.5, 0.5, 2}};
const std::vector<std::vector<double>> R44SLOW = {{2, 2}, {3, 1}, {4}, {2, 1, 1}, {-2, 2}, {1, 3}};
const std::vector<std::vector<double>> R54 = {{1, 1, 1, 2}, {2, 1, 2}, {1.5, 0.5, 1, 2}, {0.5, 0.5, 1, 1, 2},
                                               {3, 2}, {1, 1, 1, 1, 1}};
const std::vector<std::vector<double>> R34SLOW = {{3}, {2, 1}, {-1, 2}, {1, 2}};

// A chord from its root and intervals (augmented, clusters ...).
CHORD CH(int root, std::vector<int> ivals) { return {root, std::move(ivals)}; }

// A lead line: the track's theme and its variation played at the given bars.
void LEAD(TRACK& t, INSTRUMENT in, const std::vector<MNOTE>& line, int bar, int transpose, double vel, double pan,
          double send) {
  PLAYMELODY(t.S, in, line, t.BARBEAT(bar), transpose, vel, pan, send);
}

// The form of the driving tracks: the theme at bar 8, its variation at 16,
// and the theme again at 24 doubled by strings an octave up.
void RESTATED(TRACK& t, INSTRUMENT lead, double vel) {
  LEAD(t, lead, t.THEME, 8, 0, vel, -0.1, 0.35);
  LEAD(t, lead, t.VAR, 16, 0, vel, -0.1, 0.35);
  LEAD(t, lead, t.THEME, 24, 0, vel * 0.78, -0.25, 0.35);
  LEAD(t, IN_STRINGS, t.THEME, 24, 12, vel * 0.68, 0.2, 0.4);
}

// One accent (crash, swell, timpani) at each of BARS, BEAT beats into the bar.
void ACCENTS(TRACK& t, INSTRUMENT in, const std::vector<int>& bars, double beat, double beats, double midi,
             double vel, double send) {
  for (size_t k = 0; k < bars.size(); k++)
    NOTE(t.S, in, t.BARBEAT(bars[k]) + beat, beats, midi, vel, k % 2 ? 0.3 : -0.3, send);
}

// A swell leading into each section: in the last two beats of bars 7, 15,
// 23 ... of the track.
void SECTIONSWELLS(TRACK& t, double vel, double send) {
  std::vector<int> bars;
  for (int bar = 7; bar < t.S.BARS; bar += 8) bars.push_back(bar);
  ACCENTS(t, IN_SWELL, bars, t.S.BEATS - 2, 2, 60, vel, send);
}

// A drone under the whole track, struck anew every four bars; each voice is
// its pitch, velocity and pan.
struct DRONEVOICE {
  double MIDI, VEL, PAN;
};
void DRONE(TRACK& t, const std::vector<DRONEVOICE>& voices, double send) {
  for (int bar = 0; bar < t.S.BARS; bar += 4)
    for (const DRONEVOICE& v : voices) NOTE(t.S, IN_DRONE, t.BARBEAT(bar), 4 * t.S.BEATS, v.MIDI, v.VEL, v.PAN, send);
}

// A voice doubled a fraction of a semitone sharp: the beating of the two
// makes a held tone uneasy.
void UNEASY(TRACK& t, INSTRUMENT in, double beat, double beats, double midi, double detune, double vel, double pan,
            double send) {
  NOTE(t.S, in, beat, beats, midi, vel, pan, send);
  NOTE(t.S, in, beat + 0.05, beats, midi + detune, vel * 0.8, -pan, send);
}

}  // namespace

// 100 "Served": the depot at night. B Phrygian, a nervous bass pulse in
// eighths, clinical ticking, a cold pad and a bell theme; a far heartbeat.
SOUNDBUF MUS_L100(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 100, .BEATS = 4, .BARS = 24,
                        .PROG = {MIN(47), MAJ(48), MIN(47), MAJ(48), MIN(40), MAJ(48), MIN(47), SUS4(42)},
                        .TONIC = 47, .SCALE = SCALE_PHRYGIAN, .LOW = 71, .HIGH = 86, .RHYTHMS = R44,
                        .FORM = "A-B- A-C-", .FORM2 = "A.B- D.C-", .SALT = 21},
                       seed);
  HOLDLAYER(t, IN_PAD, 62, 0, 24, 0.32, 0.7, 0.7, 2);
  BASSLAYER(t, IN_BASS, "rrrrrrrr", 0.5, -1, 0, 24, 0.34, 0.05);
  DRUMLAYER(t, IN_TICK, "x.o.o.o.x.o.o.oo", 0.25, 0, 24, 0.22, 0.5, 0.2);
  DRUMLAYER(t, IN_KICK, "x..x............", 0.25, 8, 24, 0.45, 0, 0.1);
  HOLDLAYER(t, IN_STRINGS, 76, 8, 24, 0.16, 0.9, 0.6, 2);
  LEAD(t, IN_BELL, t.THEME, 8, 0, 0.32, 0.2, 0.6);
  LEAD(t, IN_BELL, t.VAR, 16, 0, 0.3, -0.2, 0.6);
  LEAD(t, IN_FLUTE, t.VAR, 16, -12, 0.18, 0.3, 0.5);
  SECTIONSWELLS(t, 0.22, 0.6);
  return SONGMIX(t.S, 0.8, 0.5);
}

// 101 "Remains": the ruined town. D minor, slow; a low drone, a sparse
// piano, a lone flute lament, wind swelling and a far drum.
SOUNDBUF MUS_L101(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 64, .BEATS = 4, .BARS = 20,
                        .PROG = {MIN(50), MAJ(46), MIN(43), MIN(50), MAJ(41), MIN(43), MAJ(46), MAJ(45)},
                        .TONIC = 50, .SCALE = SCALE_MINOR, .LOW = 67, .HIGH = 81, .RHYTHMS = R44SLOW,
                        .FORM = "AB-C AB--", .FORM2 = "DB-C DE--", .SALT = 23},
                       seed);
  DRONE(t, {{38, 0.35, 0}}, 0.5);
  HOLDLAYER(t, IN_PAD, 57, 0, 20, 0.28, 0.5, 0.7);
  FIGURELAYER(t, IN_EPIANO, 60, {.ORDER = {0, -1, 2, 1, -1, -1, 9, -1}, .STEP = 0.5, .LEN = 1.5, .FIRST = 0.32,
                                 .VEL = 0.22, .PAN = -0.3, .SWEEP = 0.6, .SEND = 0.6},
              0, 20);
  LEAD(t, IN_FLUTE, t.THEME, 4, 0, 0.36, 0.15, 0.65);
  LEAD(t, IN_STRINGS, t.VAR, 12, -12, 0.3, -0.1, 0.6);
  ACCENTS(t, IN_TIMPANI, {0, 8, 16}, 0, 1, 38, 0.4, 0.7);
  ACCENTS(t, IN_SWELL, {3, 11, 19}, 0, 4, 60, 0.14, 0.8);
  return SONGMIX(t.S, 0.95, 0.6);
}

// 102 "Warzone": the ash fields between the lines. C minor march: a field
// drum cadence, taiko, a driving bass, string ostinato and a brass call.
SOUNDBUF MUS_L102(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 124, .BEATS = 4, .BARS = 32,
                        .PROG = {MIN(36), MAJ(44), MAJ(39), MAJ(34), MIN(36), MAJ(44), MIN(41), MAJ(43)},
                        .TONIC = 48, .SCALE = SCALE_HARMONIC, .LOW = 60, .HIGH = 76, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "EBEC FBG-", .SALT = 25},
                       seed);
  DRUMLAYER(t, IN_SNARE, "x.xox.x.x.xox.xo", 0.25, 0, 32, 0.42, 0.15, 0.3);
  DRUMLAYER(t, IN_TAIKO, "x.......x.....x.", 0.25, 0, 32, 0.6, 0, 0.3);
  DRUMLAYER(t, IN_KICK, "x...x...x...x...", 0.25, 8, 32, 0.6, 0, 0.05);
  BASSLAYER(t, IN_BASS, "rrrrrrfo", 0.5, 0, 0, 32, 0.5, 0.05);
  HOLDLAYER(t, IN_PAD, 60, 0, 32, 0.3, 0.6, 0.5);
  FIGURELAYER(t, IN_STRINGS, 67, {.ORDER = {0, 1, 2, 1, 0, 1, 2, 9}, .STEP = 0.25, .LEN = 0.2, .FIRST = 0.24,
                                  .VEL = 0.2, .PAN = 0.4, .SEND = 0.3},
              8, 32);
  RESTATED(t, IN_BRASS, 0.55);
  ACCENTS(t, IN_TIMPANI, {0, 4, 8, 12, 16, 20, 24, 28}, 0, 1, 36, 0.55, 0.4);
  ACCENTS(t, IN_CRASH, {8, 24}, 0, 4, 50, 0.3, 0.5);
  SECTIONSWELLS(t, 0.25, 0.3);
  return SONGMIX(t.S, 0.7, 0.4);
}

// 103 "Exodus": the harbour and the refinery. F sharp minor in five: a
// restless plucked figure that never settles, hand drums, a string theme.
SOUNDBUF MUS_L103(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 132, .BEATS = 5, .BARS = 24,
                        .PROG = {MIN(42), MAJ(38), MAJ(45), MAJ(40), MIN(42), MIN(47), MAJ(38), MAJ(37)},
                        .TONIC = 42, .SCALE = SCALE_HARMONIC, .LOW = 66, .HIGH = 81, .RHYTHMS = R54,
                        .FORM = "ABAC ABD-", .FORM2 = "EBEC FBD-", .SALT = 27},
                       seed);
  FIGURELAYER(t, IN_PLUCK, 62, {.ORDER = {0, 1, 2, 9, 2, 1, 0, 2, 9, 1}, .STEP = 0.5, .LEN = 0.9, .FIRST = 0.38,
                                .VEL = 0.3, .OFFBEAT = 0.85, .PAN = -0.35, .SWEEP = 0.7, .SEND = 0.4},
              0, 24);
  BASSLAYER(t, IN_BASS, "r.r.rr.f.r", 0.5, 0, 0, 24, 0.45, 0.05);
  HOLDLAYER(t, IN_PAD, 60, 0, 24, 0.26, 0.6, 0.6);
  DRUMLAYER(t, IN_DUM, "x..x.x..x.", 0.5, 4, 24, 0.55, -0.1, 0.3);
  DRUMLAYER(t, IN_TEK, ".x.x..x.xo", 0.5, 4, 24, 0.35, 0.2, 0.3);
  DRUMLAYER(t, IN_SHAKER, "oxoxoxoxoxoxoxoxoxox", 0.25, 8, 24, 0.16, 0.45, 0.2);
  LEAD(t, IN_STRINGS, t.THEME, 8, 0, 0.4, 0.1, 0.5);
  LEAD(t, IN_FLUTE, t.VAR, 16, 0, 0.36, -0.1, 0.55);
  SECTIONSWELLS(t, 0.22, 0.4);
  return SONGMIX(t.S, 0.8, 0.45);
}

// 104 "Sand": the glass desert. A Phrygian dominant over a drone; hand drums
// far apart, a sparse lute, a reed line and a high shimmer of heat.
SOUNDBUF MUS_L104(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 76, .BEATS = 4, .BARS = 16,
                        .PROG = {MAJ(45), MAJ(46), MAJ(45), MIN(50), MAJ(45), MAJ(46), MIN(43), MAJ(45)},
                        .TONIC = 45, .SCALE = SCALE_PHRYGDOM, .LOW = 64, .HIGH = 79,
                        .RHYTHMS = {{0.5, 0.5, 1, 2}, {2, 1, 1}, {1.5, 0.5, 2}, {3, 1}, {4}},
                        .FORM = "A.B- .AC-", .FORM2 = "D.B- .DC-", .SALT = 29},
                       seed);
  DRONE(t, {{33, 0.38, -0.2}, {40, 0.26, 0.2}}, 0.5);
  DRUMLAYER(t, IN_DUM, "x.....x...x.....", 0.25, 0, 16, 0.5, -0.15, 0.35);
  DRUMLAYER(t, IN_TEK, ".......o.......o", 0.25, 4, 16, 0.3, 0.25, 0.4);
  DRUMLAYER(t, IN_SHAKER, "o...o...o..oo...", 0.25, 4, 16, 0.12, 0.5, 0.3);
  FIGURELAYER(t, IN_PLUCK, 62, {.ORDER = {0, -1, -1, 2, -1, 9, -1, -1}, .STEP = 0.5, .LEN = 1.0, .FIRST = 0.36,
                                .VEL = 0.26, .PAN = 0.35, .SEND = 0.5},
              0, 16);
  HOLDLAYER(t, IN_CHOIR, 76, 0, 16, 0.1, 0.9, 0.9, 2);
  LEAD(t, IN_REED, t.THEME, 0, 0, 0.36, -0.15, 0.55);
  LEAD(t, IN_REED, t.VAR, 8, 0, 0.36, -0.15, 0.55);
  return SONGMIX(t.S, 0.9, 0.55);
}

// 105 "Defense": the last bastion. G minor, heroic and defiant: a string
// ostinato, timpani, a brass theme answered by choir and a full restatement.
SOUNDBUF MUS_L105(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 112, .BEATS = 4, .BARS = 32,
                        .PROG = {MIN(43), MAJ(39), MAJ(46), MAJ(41), MIN(43), MAJ(39), MAJ(41), MAJ(38)},
                        .TONIC = 43, .SCALE = SCALE_HARMONIC, .LOW = 62, .HIGH = 79, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "ABEC FBD-", .SALT = 31},
                       seed);
  FIGURELAYER(t, IN_STRINGS, 55, {.ORDER = {0, 0, 1, 0, 2, 0, 1, 9}, .STEP = 0.5, .LEN = 0.42, .FIRST = 0.42,
                                  .VEL = 0.32, .PAN = -0.3, .SEND = 0.35},
              0, 32);
  HOLDLAYER(t, IN_PAD, 60, 0, 32, 0.3, 0.6, 0.6);
  BASSLAYER(t, IN_BASS, "r.rrr.rf", 0.5, 0, 4, 32, 0.5, 0.05);
  DRUMLAYER(t, IN_TAIKO, "x.......x.......", 0.25, 0, 8, 0.55, 0, 0.4);
  DRUMLAYER(t, IN_KICK, "x.......x.x.....", 0.25, 8, 32, 0.7, 0, 0.05);
  DRUMLAYER(t, IN_SNARE, "....x.......x.xo", 0.25, 8, 32, 0.5, 0.1, 0.3);
  DRUMLAYER(t, IN_HAT, "o.o.o.o.o.o.o.xo", 0.25, 16, 32, 0.2, 0.3, 0.1);
  HOLDLAYER(t, IN_CHOIR, 64, 16, 32, 0.3, 0.8, 0.8);
  RESTATED(t, IN_BRASS, 0.55);
  ACCENTS(t, IN_TIMPANI, {0, 2, 4, 6, 8, 12, 16, 20, 24, 28}, 0, 1, 43, 0.6, 0.45);
  ACCENTS(t, IN_CRASH, {8, 16, 24}, 0, 4, 50, 0.3, 0.5);
  ACCENTS(t, IN_SWELL, {7, 23}, 2, 2, 60, 0.28, 0.4);
  for (int k = 0; k < 8; k++)  // a tom fill back to the opening
    NOTE(t.S, IN_TOM, t.BARBEAT(31) + k * 0.5, 0.5, 55 - k * 2, 0.4 + 0.04 * k, -0.5 + k * 0.14, 0.3);
  return SONGMIX(t.S, 0.85, 0.45);
}

// 106 "The Shafts": down the old mine. C sharp minor, slow and low: a sub
// drone, water dripping in bell pings, a far drum and a low string line.
SOUNDBUF MUS_L106(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 66, .BEATS = 4, .BARS = 16,
                        .PROG = {MIN(49), MIN(49), MAJ(45), MAJ(44), MIN(49), MIN(42), MAJ(45), MAJ(44)},
                        .TONIC = 49, .SCALE = SCALE_HARMONIC, .LOW = 52, .HIGH = 67, .RHYTHMS = R44SLOW,
                        .FORM = "AB-C AB--", .FORM2 = "", .SALT = 33},
                       seed);
  BASSLAYER(t, IN_SUBBASS, "r---", 1, -1, 0, 16, 0.55, 0.1);
  HOLDLAYER(t, IN_PAD, 55, 0, 16, 0.3, 0.5, 0.7, 2);
  FIGURELAYER(t, IN_BELL, 84, {.ORDER = {-1, -1, 9, -1, -1, -1, 2, -1, -1, 1, -1, -1, -1, -1, 0, -1}, .STEP = 0.25,
                               .LEN = 0.5, .FIRST = 0.1, .VEL = 0.1, .PAN = -0.6, .SWEEP = 1.2, .SEND = 0.9},
              0, 16);
  DRUMLAYER(t, IN_TAIKO, "x...........o...", 0.25, 0, 16, 0.4, 0, 0.6);
  DRUMLAYER(t, IN_TICK, "x...o...x...o...", 0.25, 4, 16, 0.16, -0.5, 0.4);
  LEAD(t, IN_STRINGS, t.THEME, 8, 0, 0.34, 0.1, 0.55);
  ACCENTS(t, IN_SWELL, {7, 15}, 0, 4, 60, 0.14, 0.8);
  return SONGMIX(t.S, 0.95, 0.6);
}

// 107 "The Hive": the nests. D minor against E flat, an insect pulse in low
// plucks, a rattle, tremolo strings and a choir that rubs.
SOUNDBUF MUS_L107(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 108, .BEATS = 4, .BARS = 24,
                        .PROG = {MIN(50), MAJ(51), MIN(50), MAJ(46), MIN(50), MAJ(51), MIN(55), DOM7(45)},
                        .TONIC = 50, .SCALE = SCALE_PHRYGIAN, .LOW = 62, .HIGH = 77, .RHYTHMS = R44,
                        .FORM = "A-B- A-C-", .FORM2 = "D-B- D-C-", .SALT = 35},
                       seed);
  FIGURELAYER(t, IN_PLUCK, 45, {.ORDER = {0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 9, 0, 2, 0}, .STEP = 0.25,
                                .LEN = 0.22, .FIRST = 0.36, .VEL = 0.26, .OFFBEAT = 0.7, .PAN = 0.2, .SEND = 0.3},
              0, 24);
  BASSLAYER(t, IN_SUBBASS, "r---", 1, -1, 0, 24, 0.55, 0.1);
  DRUMLAYER(t, IN_SHAKER, "xoxoxoxoxoxoxoxo", 0.25, 4, 24, 0.1, -0.45, 0.3);
  DRUMLAYER(t, IN_TEK, "..x....x..x...x.", 0.25, 8, 24, 0.3, 0.35, 0.4);
  DRUMLAYER(t, IN_DUM, "x.....x.........", 0.25, 8, 24, 0.45, 0, 0.3);
  FIGURELAYER(t, IN_STRINGS, 62, {.ORDER = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 1}, .STEP = 0.25,
                                  .LEN = 0.22, .FIRST = 0.1, .VEL = 0.08, .PAN = -0.3, .SWEEP = 0.6, .SEND = 0.5},
              8, 24);
  for (int bar = 12; bar < 24; bar += 2)
    UNEASY(t, IN_CHOIR, t.BARBEAT(bar), 8, t.CHORDAT(bar).ROOT + 24, 0.3, 0.3, 0.4, 0.8);
  LEAD(t, IN_REED, t.THEME, 8, 0, 0.3, 0.2, 0.55);
  LEAD(t, IN_BELL, t.VAR, 16, 0, 0.25, -0.2, 0.7);
  return SONGMIX(t.S, 0.85, 0.55);
}

// 108 "The Throne": the boss. E Phrygian, fast and heavy: power chords,
// taiko and kick, choir and a brass theme.
SOUNDBUF MUS_L108(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 138, .BEATS = 4, .BARS = 32,
                        .PROG = {MIN(40), MAJ(41), MIN(40), MAJ(43), MIN(40), MAJ(41), MAJ(38), MAJ(41)},
                        .TONIC = 40, .SCALE = SCALE_PHRYGIAN, .LOW = 62, .HIGH = 79, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "EFEG EFH-", .SALT = 37},
                       seed);
  FIGURELAYER(t, IN_POWER, 52, {.ORDER = {0, 0, 0, 0, 0, 0, 1, 0}, .STEP = 0.5, .LEN = 0.4, .FIRST = 0.42,
                                .VEL = 0.34, .PAN = -0.4, .SEND = 0.1},
              0, 32);
  BASSLAYER(t, IN_BASS, "rrrrrrrr", 0.5, 0, 0, 32, 0.5, 0.0);
  DRUMLAYER(t, IN_TAIKO, "x.......x.......", 0.25, 0, 32, 0.6, 0, 0.35);
  DRUMLAYER(t, IN_KICK, "x.x.x..xx.x.x..x", 0.25, 8, 32, 0.75, 0, 0.05);
  DRUMLAYER(t, IN_SNARE, "....x.......x...", 0.25, 8, 32, 0.6, 0.1, 0.25);
  DRUMLAYER(t, IN_HAT, "xoxoxoxoxoxoxoxo", 0.25, 16, 32, 0.24, 0.35, 0.1);
  HOLDLAYER(t, IN_CHOIR, 64, 8, 32, 0.34, 0.8, 0.8, 2);
  RESTATED(t, IN_BRASS, 0.58);
  ACCENTS(t, IN_CRASH, {8, 16, 24}, 0, 4, 50, 0.35, 0.4);
  SECTIONSWELLS(t, 0.28, 0.3);
  return SONGMIX(t.S, 0.7, 0.4);
}

// 109 "Kask's Lab": clean and cold. A minor with sevenths: an electric piano
// running sixteenths, ticking, a bell theme and a soft pulse.
SOUNDBUF MUS_L109(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 92, .BEATS = 4, .BARS = 24,
                        .PROG = {MIN7(45), MAJ7(41), MIN7(50), MAJ7(48), MIN7(45), MAJ7(41), MIN7(52), DOM7(40)},
                        .TONIC = 45, .SCALE = SCALE_MINOR, .LOW = 69, .HIGH = 86, .RHYTHMS = R44,
                        .FORM = "A-B- A-C-", .FORM2 = "ADB- ADC-", .SALT = 39},
                       seed);
  FIGURELAYER(t, IN_EPIANO, 64, {.ORDER = {0, 1, 2, 3, 9, 3, 2, 1}, .STEP = 0.25, .LEN = 0.4, .FIRST = 0.24,
                                 .VEL = 0.2, .OFFBEAT = 0.8, .PAN = -0.4, .SWEEP = 0.8, .SEND = 0.45},
              0, 24);
  BASSLAYER(t, IN_SUBBASS, "r-.r", 1, -1, 0, 24, 0.5, 0.1);
  DRUMLAYER(t, IN_TICK, "xooxooxoxooxooxo", 0.25, 0, 24, 0.18, 0.55, 0.25);
  DRUMLAYER(t, IN_KICK, "x.......x.......", 0.25, 8, 24, 0.45, 0, 0.05);
  HOLDLAYER(t, IN_PAD, 64, 8, 24, 0.24, 0.7, 0.7, 2);
  LEAD(t, IN_BELL, t.THEME, 8, 0, 0.3, 0.2, 0.6);
  LEAD(t, IN_FLUTE, t.VAR, 16, -12, 0.3, -0.15, 0.55);
  return SONGMIX(t.S, 0.8, 0.5);
}

// 110 "Tulah": changed, unarmed, running. D harmonic minor, urgent but thin:
// a heartbeat, hand drums, a string pulse on the off-beats and a flute.
SOUNDBUF MUS_L110(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 126, .BEATS = 4, .BARS = 32,
                        .PROG = {MIN(50), MAJ(46), MIN(43), MAJ(45), MIN(50), MAJ(46), MIN(55), DOM7(45)},
                        .TONIC = 50, .SCALE = SCALE_HARMONIC, .LOW = 69, .HIGH = 84, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "EBEC EBD-", .SALT = 41},
                       seed);
  DRUMLAYER(t, IN_KICK, "x..x............", 0.25, 0, 32, 0.55, 0, 0.05);
  DRUMLAYER(t, IN_DUM, "x..x..x.", 0.5, 4, 32, 0.5, -0.1, 0.3);
  DRUMLAYER(t, IN_TEK, ".x.xx.xo", 0.5, 8, 32, 0.32, 0.2, 0.3);
  BASSLAYER(t, IN_BASS, ".r.r.r.f", 0.5, -1, 4, 32, 0.45, 0.05);
  FIGURELAYER(t, IN_STRINGS, 62, {.ORDER = {0, 1, 2, 1, 0, 1, 2, 9, 2, 1, 0, 1, 2, 1, 9, 1}, .STEP = 0.25,
                                  .LEN = 0.2, .FIRST = 0.2, .VEL = 0.17, .PAN = 0.35, .SEND = 0.35},
              8, 32);
  HOLDLAYER(t, IN_PAD, 57, 0, 32, 0.26, 0.6, 0.6, 2);
  LEAD(t, IN_FLUTE, t.THEME, 8, 0, 0.38, -0.1, 0.5);
  LEAD(t, IN_FLUTE, t.VAR, 16, 0, 0.38, -0.1, 0.5);
  LEAD(t, IN_REED, t.THEME, 24, -12, 0.34, 0.15, 0.5);
  SECTIONSWELLS(t, 0.22, 0.4);
  return SONGMIX(t.S, 0.8, 0.45);
}

// 111 "The Climb": up through the burning refinery. A minor climbing to E:
// chords that step upward, a driving bass, snare and a brass theme.
SOUNDBUF MUS_L111(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 120, .BEATS = 4, .BARS = 32,
                        .PROG = {MIN(45), MAJ(41), MAJ(43), MIN(45), MAJ(46), MAJ(48), MAJ(50), MAJ(52)},
                        .TONIC = 45, .SCALE = SCALE_HARMONIC, .LOW = 64, .HIGH = 81, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "ABEC FBD-", .SALT = 43},
                       seed);
  BASSLAYER(t, IN_BASS, "rrrrrrro", 0.5, -1, 0, 32, 0.5, 0.05);
  FIGURELAYER(t, IN_STRINGS, 60, {.ORDER = {0, 1, 2, 9, 0, 1, 2, 9}, .STEP = 0.5, .LEN = 0.42, .FIRST = 0.36,
                                  .VEL = 0.28, .PAN = -0.3, .SEND = 0.35},
              0, 32);
  HOLDLAYER(t, IN_PAD, 62, 0, 32, 0.28, 0.6, 0.6);
  DRUMLAYER(t, IN_KICK, "x...x...x...x.x.", 0.25, 4, 32, 0.65, 0, 0.05);
  DRUMLAYER(t, IN_SNARE, "....x..o....x..x", 0.25, 8, 32, 0.5, 0.1, 0.3);
  DRUMLAYER(t, IN_HAT, "x.o.x.o.x.o.x.oo", 0.25, 16, 32, 0.2, 0.3, 0.1);
  FIGURELAYER(t, IN_POWER, 52, {.ORDER = {0, -1, 0, -1, 0, -1, 0, 0}, .STEP = 0.5, .LEN = 0.4, .FIRST = 0.3,
                                .VEL = 0.24, .PAN = 0.4, .SEND = 0.1},
              16, 32);
  RESTATED(t, IN_BRASS, 0.55);
  ACCENTS(t, IN_TIMPANI, {0, 8, 16, 24}, 0, 1, 45, 0.55, 0.4);
  ACCENTS(t, IN_CRASH, {8, 16, 24}, 0, 4, 50, 0.3, 0.45);
  SECTIONSWELLS(t, 0.26, 0.35);
  return SONGMIX(t.S, 0.75, 0.4);
}

// 112 "Dawn": the last stand at the beacon, and the light coming up. D major
// with its flat seventh: harp, pad, a brass theme, then choir and strings.
SOUNDBUF MUS_L112(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 100, .BEATS = 4, .BARS = 24,
                        .PROG = {MAJ(50), MAJ(48), MAJ(43), MAJ(50), MIN(47), MAJ(43), MAJ(45), SUS4(45)},
                        .TONIC = 50, .SCALE = SCALE_MAJOR, .LOW = 66, .HIGH = 83, .RHYTHMS = R44,
                        .FORM = "ABAC ABD-", .FORM2 = "ABEC FBD-", .SALT = 45},
                       seed);
  FIGURELAYER(t, IN_PLUCK, 67, {.ORDER = {0, 1, 2, 9, 2, 1, 0, 1}, .STEP = 0.5, .LEN = 0.9, .FIRST = 0.32,
                                .VEL = 0.32, .OFFBEAT = 0.8, .PAN = -0.4, .SWEEP = 0.8, .SEND = 0.5},
              0, 24);
  HOLDLAYER(t, IN_PAD, 62, 0, 24, 0.34, 0.6, 0.6);
  BASSLAYER(t, IN_BASS, "r--.r-f-", 0.5, -1, 4, 24, 0.45, 0.05);
  DRUMLAYER(t, IN_KICK, "x.......x.x.....", 0.25, 8, 24, 0.55, 0, 0.05);
  DRUMLAYER(t, IN_SNARE, "....o.......o...", 0.25, 8, 24, 0.5, 0.1, 0.3);
  HOLDLAYER(t, IN_CHOIR, 64, 16, 24, 0.32, 0.8, 0.8);
  HOLDLAYER(t, IN_STRINGS, 66, 16, 24, 0.3, 0.7, 0.55);
  LEAD(t, IN_BRASS, t.THEME, 8, 0, 0.5, -0.1, 0.4);
  LEAD(t, IN_STRINGS, t.VAR, 16, 0, 0.42, 0.15, 0.45);
  LEAD(t, IN_BELL, t.VAR, 16, 12, 0.15, -0.4, 0.6);
  ACCENTS(t, IN_TIMPANI, {0, 8, 16}, 0, 1, 38, 0.55, 0.45);
  ACCENTS(t, IN_CRASH, {8, 16}, 0, 4, 50, 0.28, 0.5);
  SECTIONSWELLS(t, 0.24, 0.45);
  return SONGMIX(t.S, 0.85, 0.5);
}

// 150, the first vision: whole-tone chords without a pulse, a choir beating
// against itself, bells a quarter-tone apart and a slow flute in the dark.
SOUNDBUF MUS_L150(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 48, .BEATS = 4, .BARS = 12,
                        .PROG = {CH(48, {0, 4, 8}), CH(50, {0, 4, 8}), CH(46, {0, 4, 8}), CH(44, {0, 6, 10})},
                        .TONIC = 48, .SCALE = SCALE_WHOLETONE, .LOW = 67, .HIGH = 84, .RHYTHMS = R44SLOW,
                        .FORM = "A-.- B-.-", .FORM2 = "", .SALT = 47},
                       seed);
  DRONE(t, {{36, 0.36, 0}}, 0.6);
  HOLDLAYER(t, IN_PAD, 60, 0, 12, 0.28, 0.8, 0.8);
  for (int bar = 0; bar < 12; bar++) {
    const std::vector<int> v = VOICING(t.CHORDAT(bar), 67);
    UNEASY(t, IN_CHOIR, t.BARBEAT(bar), 4, v[bar % v.size()], 0.35, 0.3, 0.5, 0.9);
    NOTE(t.S, IN_BELL, t.BARBEAT(bar) + 1.5, 1, v[(bar + 1) % v.size()] + 24, 0.12, -0.6, 0.9);
    NOTE(t.S, IN_BELL, t.BARBEAT(bar) + 2.75, 1, v[(bar + 2) % v.size()] + 24.5, 0.09, 0.6, 0.9);
  }
  LEAD(t, IN_FLUTE, t.THEME, 4, 0, 0.26, 0.1, 0.8);
  ACCENTS(t, IN_SWELL, {3, 7, 11}, 0, 4, 60, 0.2, 0.9);
  return SONGMIX(t.S, 0.98, 0.75);
}

// 151, the second vision: slower, in three, over tritones: an organ that
// wavers, a choir a third of a semitone apart, a far slow heartbeat.
SOUNDBUF MUS_L151(uint64_t seed) {
  TRACK t = STARTTRACK({.BPM = 40, .BEATS = 3, .BARS = 12,
                        .PROG = {CH(45, {0, 6, 11}), CH(43, {0, 6, 10}), CH(46, {0, 6, 11}), CH(44, {0, 3, 6})},
                        .TONIC = 45, .SCALE = SCALE_WHOLETONE, .LOW = 62, .HIGH = 79, .RHYTHMS = R34SLOW,
                        .FORM = "A-B- A-.-", .FORM2 = "", .SALT = 49},
                       seed);
  DRONE(t, {{33, 0.4, 0}}, 0.6);
  HOLDLAYER(t, IN_ORGAN, 57, 0, 12, 0.22, 0.7, 0.85, 2);
  for (int bar = 0; bar < 12; bar += 2)
    UNEASY(t, IN_CHOIR, t.BARBEAT(bar), 6, VOICING(t.CHORDAT(bar), 69)[1], 0.33, 0.34, -0.4, 0.9);
  DRUMLAYER(t, IN_TAIKO, "x.o", 1, 0, 12, 0.32, 0, 0.7);
  FIGURELAYER(t, IN_BELL, 86, {.ORDER = {-1, 2, -1, -1, 0, -1}, .STEP = 0.5, .LEN = 1.0, .FIRST = 0.1, .VEL = 0.1,
                               .PAN = 0.6, .SWEEP = -1.2, .SEND = 0.95},
              0, 12);
  LEAD(t, IN_REED, t.THEME, 4, -12, 0.22, 0.2, 0.8);
  ACCENTS(t, IN_SWELL, {3, 7, 11}, 0, 3, 60, 0.22, 0.9);
  return SONGMIX(t.S, 0.98, 0.75);
}
