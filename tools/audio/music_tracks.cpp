// The game's music: seven loops composed with the sequencer of music.h. Each
// track has sections (a quiet opening, the theme, a variation, a way back to
// the start) over a repeating chord progression.
#include <cmath>

#include "music.h"
#include "recipes.h"

static const std::vector<std::vector<double>> RHYTHMS44 = {
    {1, 1, 2}, {1.5, 0.5, 1, 1}, {2, 1, 1}, {0.5, 0.5, 1, 2}, {1, 0.5, 0.5, 2}, {3, 1}, {-1, 1, 1, 1},
    {1.5, 0.5, 2}};
static const std::vector<std::vector<double>> RHYTHMS34 = {{2, 1}, {1, 1, 1}, {1.5, 0.5, 1}, {3}, {1, 2}};

// A harp-like arpeggio over a bar: chord tones voiced near the centre in the
// order of ORDER (9 = root an octave up), one per STEP beats, ringing over
// the next, panned across the field.
static FIGURE HARP(const std::vector<int>& order, double step, double vel, double send) {
  FIGURE f;
  f.ORDER = order;
  f.STEP = step;
  f.LEN = step * 1.8;
  f.FIRST = f.VEL = vel;
  f.OFFBEAT = 0.8;
  f.PAN = -0.4;
  f.SWEEP = 0.8;
  f.SEND = send;
  return f;
}

SOUNDBUF MUS_MENU(uint64_t seed) {  // D minor, heroic and dark: intro, theme, climax, fill
  TRACK t = STARTTRACK({.BPM = 84, .BEATS = 4, .BARS = 24,
                        .PROG = {MIN(50), MAJ(46), MAJ(53), MAJ(48), MIN(50), MIN(55), MAJ(46), MAJ(45)},
                        .TONIC = 50, .SCALE = SCALE_MINOR, .LOW = 62, .HIGH = 77,
                        .RHYTHMS = RHYTHMS44,
                        .FORM = "ABAC ABD-", .FORM2 = "ABAE FBG-", .SALT = 1},
                       seed);
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    CHORDNOTES(t.S, IN_PAD, c, 62, b, 4, 0.55, 0.6, 0.6);
    // the harp runs through every section, quieter under the theme
    FIGUREBAR(t.S, IN_PLUCK, c, 69, b, 4, HARP({0, 1, 2, 9, 2, 1, 0, 1}, 0.5, bar < 8 ? 0.35 : 0.2, 0.5));
    if (bar < 8) {
      NOTE(t.S, IN_BASS, b, 4, c.ROOT - 12, 0.5, 0, 0.1);
    } else {
      if (bar < 16) NOTE(t.S, IN_STRINGS, b, 2, VOICING(c, 50)[1], 0.3, -0.6, 0.4);  // a low counter-line
      if (bar < 16) NOTE(t.S, IN_STRINGS, b + 2, 2, VOICING(c, 50)[0], 0.3, -0.6, 0.4);
      for (int e = 0; e < 8; e++) NOTE(t.S, IN_BASS, b + e * 0.5, 0.45, c.ROOT - 12 + (e == 7 ? 7 : 0), e % 2 ? 0.45 : 0.6, 0, 0.05);
      PATTERN(t.S, IN_KICK, "x.......x..x....", 0.25, b, 1, 0.8, 0, 0.05);
      PATTERN(t.S, IN_SNARE, "........x.......", 0.25, b, 1, 0.55, 0.1, 0.3);
      PATTERN(t.S, IN_HAT, "o.o.o.o.o.o.o.xo", 0.25, b, 1, 0.25, 0.3, 0.1);
    }
    if (bar >= 16) CHORDNOTES(t.S, IN_STRINGS, c, 57, b, 4, 0.45, 0.7, 0.5);
    if (bar % 4 == 0) NOTE(t.S, IN_TIMPANI, b, 1, c.ROOT - 12 + (c.ROOT < 48 ? 12 : 0), 0.7, 0, 0.4);
  });
  PLAYMELODY(t.S, IN_BRASS, t.THEME, 32, 0, 0.55, -0.1, 0.35);
  PLAYMELODY(t.S, IN_STRINGS, t.VAR, 64, 12, 0.45, 0.15, 0.45);
  PLAYMELODY(t.S, IN_BELL, t.VAR, 64, 0, 0.18, -0.5, 0.6);
  NOTE(t.S, IN_CRASH, 64, 4, 50, 0.35, 0.3, 0.5);
  NOTE(t.S, IN_CRASH, 32, 4, 50, 0.3, -0.3, 0.5);
  NOTE(t.S, IN_SWELL, 28, 4, 60, 0.35, 0.2, 0.5);
  NOTE(t.S, IN_SWELL, 60, 4, 60, 0.4, -0.2, 0.5);
  // fill back to the opening
  for (int k = 0; k < 8; k++) NOTE(t.S, IN_TOM, 92 + k * 0.5, 0.5, 50 - k * 2, 0.5 + 0.05 * k, -0.5 + k * 0.14, 0.3);
  return SONGMIX(t.S, 0.85, 0.5);
}

SOUNDBUF MUS_IDLE(uint64_t seed) {  // C minor in 3/4: organ, ticking, a music-box theme, a far choir
  TRACK t = STARTTRACK({.BPM = 66, .BEATS = 3, .BARS = 32,
                        .PROG = {MIN(48), MAJ(44), MIN(53), MAJ(43), MIN(48), MAJ(51), MIN(53), DOM7(43)},
                        .TONIC = 48, .SCALE = SCALE_HARMONIC, .LOW = 67, .HIGH = 84,
                        .RHYTHMS = RHYTHMS34,
                        .FORM = "ABAC ABD-", .FORM2 = "EBAC EBF-", .SALT = 3},
                       seed);
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    CHORDNOTES(t.S, IN_ORGAN, c, 60, b, 3, 0.4, 0.5, 0.6);
    NOTE(t.S, IN_SUBBASS, b, 2.5, c.ROOT - 12, 0.55, 0, 0.1);
    PATTERN(t.S, IN_TICK, "xoo", 1, b, 1, 0.25, 0.6, 0.3);
    if (bar >= 16) CHORDNOTES(t.S, IN_CHOIR, c, 64, b, 3, 0.35, 0.8, 0.8);
    if (bar % 2 == 0) NOTE(t.S, IN_BELL, b + 1.5, 0.5, 96, 0.06, -0.7, 0.7);  // the scanner's blip
  });
  PLAYMELODY(t.S, IN_BELL, t.THEME, 24, 0, 0.35, 0.2, 0.6);
  PLAYMELODY(t.S, IN_FLUTE, t.VAR, 48, 0, 0.3, -0.2, 0.6);
  PLAYMELODY(t.S, IN_BELL, t.VAR, 48, 12, 0.1, 0.4, 0.7);
  return SONGMIX(t.S, 0.95, 0.6);
}

SOUNDBUF MUS_INTRO(uint64_t seed) {  // E minor, for level intros: harp arpeggios, pad, a flute line
  TRACK t = STARTTRACK({.BPM = 92, .BEATS = 4, .BARS = 24,
                        .PROG = {MIN(52), MAJ(48), MAJ(55), MAJ(50), MIN(52), MAJ(48), MIN(57), MAJ(47)},
                        .TONIC = 52, .SCALE = SCALE_MINOR, .LOW = 67, .HIGH = 83,
                        .RHYTHMS = RHYTHMS44,
                        .FORM = "A-B- A-C-", .FORM2 = "ADB- EDC-", .SALT = 5},
                       seed);
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    CHORDNOTES(t.S, IN_PAD, c, 60, b, 4, 0.45, 0.7, 0.7);
    FIGUREBAR(t.S, IN_PLUCK, c, 64, b, 4, HARP({0, 1, 2, 9, 1, 2, 9, 2}, 0.25, 0.3, 0.5));
    NOTE(t.S, IN_SUBBASS, b, 3.8, c.ROOT - 12, 0.5, 0, 0.1);
    if (bar >= 8) PATTERN(t.S, IN_SHAKER, "o.x.o.x.o.x.o.xo", 0.25, b, 1, 0.25, 0.4, 0.3);
    if (bar >= 16 && bar % 2 == 0) NOTE(t.S, IN_DUM, b, 1, 50, 0.35, 0, 0.3);
  });
  PLAYMELODY(t.S, IN_FLUTE, t.THEME, 32, 0, 0.4, 0.1, 0.6);
  PLAYMELODY(t.S, IN_FLUTE, t.VAR, 64, 0, 0.38, 0.1, 0.6);
  PLAYMELODY(t.S, IN_BELL, t.VAR, 64, 12, 0.08, -0.4, 0.7);
  return SONGMIX(t.S, 0.9, 0.55);
}

SOUNDBUF MUS_DARK(uint64_t seed) {  // A minor, brooding: low string ostinato, taiko, slow brass
  TRACK t = STARTTRACK({.BPM = 62, .BEATS = 4, .BARS = 16,
                        .PROG = {MIN(45), MAJ(41), MIN(50), MAJ(40), MIN(45), MAJ(41), MAJ(43), MAJ(40)},
                        .TONIC = 45, .SCALE = SCALE_HARMONIC, .LOW = 52, .HIGH = 67,
                        .RHYTHMS = {{2, 2}, {3, 1}, {4}, {2, 1, 1}, {1, 1, 2}},
                        .FORM = "AB-C AB--", .SALT = 7},
                       seed);
  // the low string ostinato: root-heavy eighths with an accent on the one
  const FIGURE ostinato = {.ORDER = {0, 0, 1, 0, 2, 0, 1, 9}, .STEP = 0.5, .LEN = 0.4, .FIRST = 0.5, .VEL = 0.38,
                           .PAN = -0.3, .SEND = 0.35};
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    FIGUREBAR(t.S, IN_STRINGS, c, 52, b, 4, ostinato);
    NOTE(t.S, IN_SUBBASS, b, 4, c.ROOT - 12, 0.6, 0, 0.1);
    CHORDNOTES(t.S, IN_PAD, c, 57, b, 4, 0.35, 0.6, 0.7);
    PATTERN(t.S, IN_TAIKO, bar % 4 == 3 ? "x...x...x.x.xxxx" : "x.......x.....o.", 0.25, b, 1, 0.7, 0, 0.4);
    if (bar >= 8) CHORDNOTES(t.S, IN_CHOIR, c, 64, b, 4, 0.35, 0.8, 0.8);
    if (bar % 8 == 0) NOTE(t.S, IN_TIMPANI, b, 1, 45, 0.7, 0, 0.5);
  });
  PLAYMELODY(t.S, IN_BRASS, t.THEME, 0, 0, 0.5, 0.2, 0.5);
  PLAYMELODY(t.S, IN_BRASS, t.THEME, 32, 12, 0.42, 0.2, 0.5);
  NOTE(t.S, IN_SWELL, 26, 6, 60, 0.3, 0, 0.6);
  return SONGMIX(t.S, 0.95, 0.55);
}

SOUNDBUF MUS_BATTLE(uint64_t seed) {  // E minor, fast: driving drums, power chords, string ostinato, brass
  TRACK t = STARTTRACK({.BPM = 140, .BEATS = 4, .BARS = 36,
                        .PROG = {MIN(40), MAJ(36), MAJ(43), MAJ(38), MIN(40), MAJ(36), MAJ(38), MAJ(35)},
                        .TONIC = 52, .SCALE = SCALE_MINOR, .LOW = 64, .HIGH = 81,
                        .RHYTHMS = RHYTHMS44,
                        .FORM = "ABAC ABD-", .FORM2 = "EFEG EFH-", .SALT = 9},
                       seed);
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    bool breakdown = bar >= 32;
    for (int e = 0; e < 8; e++) {
      if (breakdown && e % 2) continue;
      NOTE(t.S, IN_POWER, b + e * 0.5, 0.4, c.ROOT + 12, 0.4, -0.5, 0.1);
      NOTE(t.S, IN_POWER, b + e * 0.5, 0.4, c.ROOT + 19, 0.3, 0.5, 0.1);
      NOTE(t.S, IN_BASS, b + e * 0.5, 0.45, c.ROOT, 0.55, 0, 0.0);
    }
    if (!breakdown) {
      PATTERN(t.S, IN_KICK, "x..x..x.x..x..x.", 0.25, b, 1, 0.9, 0, 0.05);
      PATTERN(t.S, IN_SNARE, "....x.......x..o", 0.25, b, 1, 0.7, 0.1, 0.25);
      PATTERN(t.S, IN_HAT, "xoxoxoxoxoxoxoxo", 0.25, b, 1, 0.3, 0.35, 0.1);
    } else {
      PATTERN(t.S, IN_KICK, "x...x...x...x...", 0.25, b, 1, 0.8, 0, 0.05);
      for (int k = 0; k < (bar - 31) * 4; k++)
        NOTE(t.S, IN_SNARE, b + k * (4.0 / ((bar - 31) * 4)), 0.2, 50, 0.25 + 0.1 * (bar - 32), 0.1, 0.3);
    }
    if (bar >= 8 && !breakdown) {
      std::vector<int> v = VOICING(c, 67);
      for (int k = 0; k < 16; k++) NOTE(t.S, IN_STRINGS, b + k * 0.25, 0.2, v[k % v.size()] + (k % 8 == 7 ? 12 : 0), 0.22, 0.4, 0.3);
    }
    if (bar % 8 == 0) NOTE(t.S, IN_CRASH, b, 4, 50, 0.4, 0.4, 0.4);
    if (bar % 8 == 7 || bar == 35) NOTE(t.S, IN_SWELL, b + 2, 2, 60, 0.3, 0, 0.3);
  });
  PLAYMELODY(t.S, IN_BRASS, t.THEME, 32, 0, 0.6, -0.15, 0.35);
  PLAYMELODY(t.S, IN_BRASS, t.VAR, 64, 0, 0.6, -0.15, 0.35);
  PLAYMELODY(t.S, IN_STRINGS, t.THEME, 96, 12, 0.45, 0.2, 0.4);
  PLAYMELODY(t.S, IN_BRASS, t.THEME, 96, 0, 0.35, -0.3, 0.35);
  return SONGMIX(t.S, 0.7, 0.4);
}

SOUNDBUF MUS_CREDITS(uint64_t seed) {  // D major, warm: electric piano, light drums, flute and bells
  TRACK t = STARTTRACK({.BPM = 96, .BEATS = 4, .BARS = 28,
                        .PROG = {MAJ(50), MAJ(45), MIN(47), MAJ(43), MAJ(50), MAJ(45), MAJ(43), SUS4(45)},
                        .TONIC = 50, .SCALE = SCALE_MAJOR, .LOW = 66, .HIGH = 83,
                        .RHYTHMS = RHYTHMS44,
                        .FORM = "ABAC ABD-", .FORM2 = "ABEC FBD-", .SALT = 11},
                       seed);
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    for (int q = 0; q < 4; q++) CHORDNOTES(t.S, IN_EPIANO, c, 62, b + q, q == 3 ? 1.0 : 0.9, q % 2 ? 0.3 : 0.4, 0.5, 0.4);
    NOTE(t.S, IN_BASS, b, 1.5, c.ROOT - 12, 0.55, 0, 0.05);
    NOTE(t.S, IN_BASS, b + 1.5, 0.5, c.ROOT - 12, 0.35, 0, 0.05);
    NOTE(t.S, IN_BASS, b + 2, 2, c.ROOT - 5, 0.45, 0, 0.05);
    if (bar >= 4) {
      PATTERN(t.S, IN_KICK, "x.......x.x.....", 0.25, b, 1, 0.55, 0, 0.05);
      PATTERN(t.S, IN_SNARE, "....o.......o...", 0.25, b, 1, 0.6, 0.1, 0.3);
      PATTERN(t.S, IN_HAT, "x.o.x.o.x.o.x.oo", 0.25, b, 1, 0.2, 0.3, 0.1);
    }
    if (bar >= 16) CHORDNOTES(t.S, IN_STRINGS, c, 66, b, 4, 0.3, 0.7, 0.6);
  });
  PLAYMELODY(t.S, IN_FLUTE, t.THEME, 16, 0, 0.45, 0.1, 0.5);
  PLAYMELODY(t.S, IN_FLUTE, t.VAR, 48, 0, 0.45, 0.1, 0.5);
  PLAYMELODY(t.S, IN_BELL, t.THEME, 80, 12, 0.2, -0.3, 0.6);
  PLAYMELODY(t.S, IN_STRINGS, t.THEME, 80, 0, 0.3, 0.3, 0.5);
  NOTE(t.S, IN_CRASH, 16, 4, 50, 0.25, 0.3, 0.5);
  NOTE(t.S, IN_CRASH, 80, 4, 50, 0.25, -0.3, 0.5);
  NOTE(t.S, IN_SWELL, 60, 4, 60, 0.25, 0, 0.5);
  return SONGMIX(t.S, 0.8, 0.45);
}

SOUNDBUF MUS_TULAH(uint64_t seed) {  // E with a raised third over a drone: lute, reed, hand drums
  TRACK t = STARTTRACK({.BPM = 100, .BEATS = 4, .BARS = 28,
                        .PROG = {MAJ(52), MAJ(53), MAJ(52), MIN(50), MIN(57), MAJ(53), MAJ(52), MAJ(52)},
                        .TONIC = 52, .SCALE = SCALE_PHRYGDOM, .LOW = 64, .HIGH = 79,
                        .RHYTHMS = {{0.5, 0.5, 1, 2}, {1, 0.5, 0.5, 1, 1}, {1.5, 0.5, 0.5, 0.5, 1}, {0.5, 0.5, 0.5, 0.5, 2}, {2, 1, 1}},
                        .FORM = "ABAC ABD-", .FORM2 = "EBEC FBD-", .SALT = 13},
                       seed);
  for (int bar = 0; bar < 28; bar += 4) {
    NOTE(t.S, IN_DRONE, bar * 4.0, 16, 40, 0.4, -0.2, 0.4);
    NOTE(t.S, IN_DRONE, bar * 4.0, 16, 47, 0.3, 0.2, 0.4);
  }
  FIGURE lute = {.ORDER = {0, 9, 1, 0, 2, 1, 9, 1}, .STEP = 0.5, .LEN = 0.5, .FIRST = 0.4, .VEL = 0.4,
                 .PAN = 0.35, .SEND = 0.4};
  EACHBAR(t, [&](int bar, const CHORD& c, double b) {
    PATTERN(t.S, IN_DUM, "x..x..x.", 0.5, b, 1, 0.7, -0.1, 0.3);
    PATTERN(t.S, IN_TEK, ".x.xx.xo", 0.5, b, 1, 0.45, 0.2, 0.3);
    if (bar >= 4) PATTERN(t.S, IN_SHAKER, "oxoxoxoxoxoxoxox", 0.25, b, 1, 0.15, 0.5, 0.2);
    lute.EVERY = bar % 8 < 4 ? 1 : 2;  // the second half of each phrase on the beats only
    FIGUREBAR(t.S, IN_PLUCK, c, 59, b, 4, lute);
  });
  PLAYMELODY(t.S, IN_REED, t.THEME, 16, 0, 0.45, -0.15, 0.45);
  PLAYMELODY(t.S, IN_REED, t.VAR, 48, 0, 0.45, -0.15, 0.45);
  PLAYMELODY(t.S, IN_PLUCK, t.THEME, 80, 12, 0.35, 0.3, 0.45);
  return SONGMIX(t.S, 0.85, 0.5);
}
