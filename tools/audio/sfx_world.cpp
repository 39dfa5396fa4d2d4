// Pick-ups, machines, doors, steps, alarms and interface sounds.
#include <cmath>

#include "recipes.h"
#include "sfxkit.h"

// Notes of a short jingle: bell tones at the given MIDI notes and start times.
static SOUNDBUF JINGLE(const double* notes, const double* at, int count, double tau, double bright,
                       double len) {
  SOUNDBUF b = SILENCE(len);
  for (int k = 0; k < count; k++) MIXIN(b, BELL(len - at[k], MIDIHZ(notes[k]), tau, bright), at[k], 0.6);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_PICKHLTH(uint64_t s) {  // health: a soft rising major chime
  const double notes[] = {72, 76, 79, 84};
  const double at[] = {0, 0.06, 0.12, 0.18};
  SOUNDBUF b = JINGLE(notes, at, 4, 0.35, 0.25, 1.0);
  APPLYREVERB(b, 0.5, 0.5, 0.3, false);
  return b;
}

SOUNDBUF SFX_PICKGOLD(uint64_t s) {  // generic pick-up: a bright two-note ding
  const double notes[] = {88, 95};
  const double at[] = {0, 0.07};
  SOUNDBUF b = JINGLE(notes, at, 2, 0.18, 0.5, 0.6);
  MIXIN(b, CLICK(s, 5000, 0.001), 0, 0.3);
  return b;
}

SOUNDBUF SFX_PICKWPN(uint64_t s) {  // weapon or ammunition pick-up: heavy metal clack and rack
  SOUNDBUF b = SILENCE(0.6);
  MIXIN(b, THUMP(0.2, 180, 90, 0.01, 0.05), 0, 0.8);
  MIXIN(b, METALRING(s, 0.4, 420, 0.08, 7), 0, 0.7);
  MIXIN(b, NOISESWEEP(s + 1, 0.1, 2500, 900, 2.0, 0.01, 0.03), 0.12, 0.7);
  MIXIN(b, CLICK(s + 2, 2000, 0.002), 0.22, 1.0);
  MIXIN(b, METALRING(s + 3, 0.3, 650, 0.06, 5), 0.22, 0.5);
  APPLYREVERB(b, 0.3, 0.5, 0.15, false);
  FADEEDGES(b, 0, 0.03);
  return b;
}

static SOUNDBUF SHIMMER(uint64_t s, double f0, double f1, double len) {
  SOUNDBUF b = SILENCE(len + 0.6);
  MIXIN(b, NOISESWEEP(s, len, f0, f1, 6.0, 0.1, len * 0.5), 0, 1.0);
  NOISE n(s + 1);
  for (int k = 0; k < 8; k++) {
    double t = len * k / 8.0;
    double hz = f0 + (f1 - f0) * (t / len);
    MIXIN(b, BELL(0.5, hz * n.RANGE(0.98, 1.02), 0.2, 0.2), t, 0.25);
  }
  APPLYREVERB(b, 0.7, 0.3, 0.4, false);
  FADEEDGES(b, 0, 0.1);
  return b;
}

SOUNDBUF SFX_RESPAWN(uint64_t s) { return SHIMMER(s, 800, 2600, 0.7); }   // item returns: rising sparkle
SOUNDBUF SFX_RESPAWN2(uint64_t s) { return SHIMMER(s, 2400, 700, 0.8); }  // second kind: falling sparkle

SOUNDBUF SFX_GAMELOAD(uint64_t s) {  // game loaded: an upward arpeggio
  const double notes[] = {60, 67, 72, 76, 79};
  const double at[] = {0, 0.08, 0.16, 0.24, 0.32};
  SOUNDBUF b = JINGLE(notes, at, 5, 0.4, 0.3, 1.4);
  APPLYREVERB(b, 0.6, 0.4, 0.3, false);
  return b;
}

SOUNDBUF SFX_GAMESAVE(uint64_t s) {  // game saved: a settling cadence
  const double notes[] = {79, 74, 71, 67};
  const double at[] = {0, 0.09, 0.18, 0.3};
  SOUNDBUF b = JINGLE(notes, at, 4, 0.35, 0.2, 1.2);
  MIXIN(b, CLICK(s, 1500, 0.003), 0.3, 0.4);
  APPLYREVERB(b, 0.5, 0.4, 0.25, false);
  return b;
}

SOUNDBUF SFX_TANK(uint64_t s) {  // tank engine: a diesel chug and track clatter (restarted while driving)
  const double len = 1.0;
  NOISE n(s);
  SOUNDBUF b = RENDER(len, [&](double t) {
    // 14 firing pulses a second; each a short low burst
    double ph = std::fmod(t * 14.0, 1.0);
    double pulse = std::exp(-ph * 6.0);
    return pulse * (std::sin(TWOPI * 42 * t) + 0.5 * std::sin(TWOPI * 84 * t + 0.3) + 0.3 * n.WHITE());
  });
  LOWPASSBUF(b, 500, true);
  NOISE m(s + 1);
  for (int k = 0; k < 9; k++) {  // track links
    SOUNDBUF c = CLICK(s + 10 + k, m.RANGE(1200, 2200), 0.002);
    ADDAT(b, c, SECS(k / 9.0 + m.RANGE(0, 0.02)), 0.25, 0, true);
  }
  DRIVE(b, 1.8);
  return b;
}

SOUNDBUF SFX_INTANK(uint64_t s) {  // climbing into a tank: hatch clang, starter whine, engine catches
  SOUNDBUF b = SILENCE(1.8);
  MIXIN(b, METALRING(s, 0.8, 240, 0.2, 8), 0, 0.8);
  MIXIN(b, THUMP(0.3, 150, 70, 0.02, 0.08), 0, 0.6);
  MIXIN(b, GLIDE(0.5, 300, 900, 1, 0.05, 0.1), 0.35, 0.08);
  SOUNDBUF eng = SFX_TANK(s + 3);
  FADEEDGES(eng, 0.15, 0.3);
  MIXIN(b, eng, 0.75, 0.9);
  FADEEDGES(b, 0, 0.05);
  return b;
}

// A footstep: a soft low thud and a scuff; ROOM adds the hall of a large space.
static SOUNDBUF STEP(uint64_t s, double thud, double scuff, double room, double wet) {
  SOUNDBUF b = SILENCE(room > 0 ? 0.9 : 0.25);
  MIXIN(b, THUMP(0.12, thud * 1.6, thud, 0.01, 0.025), 0, 0.7);
  MIXIN(b, NOISEHIT(s, 0.1, scuff, scuff * 0.4, 0.02, 0.002, 0.018, 1.0), 0.004, 0.6);
  if (room > 0) APPLYREVERB(b, room, 0.3, wet, false);
  FADEEDGES(b, 0, 0.04);
  return b;
}

SOUNDBUF SFX_STEP1(uint64_t s) { return STEP(s, 120, 2200, 0, 0); }      // small room, left foot
SOUNDBUF SFX_STEP2(uint64_t s) { return STEP(s, 105, 1900, 0, 0); }      // small room, right foot
SOUNDBUF SFX_STEP3(uint64_t s) { return STEP(s, 110, 2400, 0.95, 0.8); }  // large space, left
SOUNDBUF SFX_STEP4(uint64_t s) { return STEP(s, 98, 2000, 0.95, 0.8); }   // large space, right

// An alarm tone repeated so that the file loops on its own.
SOUNDBUF SFX_DANGER1(uint64_t s) {  // warning: two-tone beeps, 4 per second pair
  return RENDER(1.0, [&](double t) {
    double u = std::fmod(t, 0.5);
    double hz = u < 0.25 ? 880 : 660;
    double e = std::fmod(u, 0.25) < 0.18 ? 1.0 : 0.0;
    double ramp = std::min(1.0, std::min(std::fmod(u, 0.25), 0.18 - std::fmod(u, 0.25) + 1e-9) / 0.005);
    return SQUAREP(hz * t, hz / AUDIORATE) * 0.5 * e * std::max(0.0, ramp);
  });
}

SOUNDBUF SFX_DANGER2(uint64_t s) {  // danger: a pulsing low klaxon, twice a second
  double ph = 0;
  SOUNDBUF b = RENDER(1.0, [&](double t) {
    double u = std::fmod(t, 0.5);
    double hz = 330 + 40 * std::sin(TWOPI * 2 * t);
    ph += hz / AUDIORATE;
    double e = u < 0.35 ? std::min(1.0, u / 0.01) * std::min(1.0, (0.35 - u) / 0.02) : 0.0;
    return SAWP(ph, hz / AUDIORATE) * e;
  });
  LOWPASSBUF(b, 1800, true);
  return b;
}

SOUNDBUF SFX_REDALERT(uint64_t s) {  // red alert: a rising and falling siren, loopable
  double ph = 0;
  SOUNDBUF b = RENDER(2.0, [&](double t) {
    double sweep = 0.5 - 0.5 * std::cos(TWOPI * t / 2.0);
    double hz = 420 + 520 * sweep;
    ph += hz / AUDIORATE;
    return 0.6 * SQUAREP(ph, hz / AUDIORATE, 0.4) + 0.4 * std::sin(TWOPI * ph * 2);
  });
  LOWPASSBUF(b, 2500, true);
  APPLYREVERB(b, 0.8, 0.5, 0.3, true);
  return b;
}

SOUNDBUF SFX_DOOR(uint64_t s) {  // door opens: servo whine, pneumatic hiss, end clunk
  SOUNDBUF b = SILENCE(1.3);
  MIXIN(b, CLICK(s, 1500, 0.003), 0, 0.6);
  SOUNDBUF servo = GLIDE(0.7, 140, 220, 2, 0.05, 0.1);
  LOWPASSBUF(servo, 900, false);
  MIXIN(b, servo, 0.03, 0.5);
  MIXIN(b, NOISESWEEP(s + 1, 0.6, 3000, 6000, 1.0, 0.02, 0.4), 0.02, 0.5);
  MIXIN(b, THUMP(0.3, 120, 60, 0.02, 0.08), 0.72, 0.9);
  MIXIN(b, METALRING(s + 2, 0.4, 300, 0.08, 5), 0.72, 0.4);
  APPLYREVERB(b, 0.5, 0.5, 0.2, false);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_DOORBACK(uint64_t s) {  // door closes: falling servo, a slam
  SOUNDBUF b = SILENCE(1.3);
  SOUNDBUF servo = GLIDE(0.6, 230, 130, 2, 0.05, 0.05);
  LOWPASSBUF(servo, 900, false);
  MIXIN(b, servo, 0, 0.5);
  MIXIN(b, NOISESWEEP(s + 1, 0.5, 5000, 2500, 1.0, 0.05, 0.2), 0, 0.4);
  MIXIN(b, THUMP(0.4, 100, 45, 0.02, 0.12), 0.6, 1.1);
  MIXIN(b, METALRING(s + 2, 0.5, 210, 0.12, 6), 0.6, 0.5);
  APPLYREVERB(b, 0.6, 0.5, 0.25, false);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_NOKEY(uint64_t s) {  // locked: a low double buzz of refusal
  SOUNDBUF b = SILENCE(0.55);
  for (int k = 0; k < 2; k++) {
    SOUNDBUF z = GLIDE(0.16, 150, 140, 1, 0.005, 0.02);
    LOWPASSBUF(z, 1400, false);
    MIXIN(b, z, 0.22 * k, 0.8);
  }
  return b;
}

static SOUNDBUF KEYCLICK(uint64_t s, double hz, double body) {
  SOUNDBUF b = SILENCE(0.08);
  MIXIN(b, CLICK(s, hz, 0.0008), 0, 1.0);
  MIXIN(b, THUMP(0.05, body * 1.5, body, 0.004, 0.008), 0.002, 0.4);
  MIXIN(b, CLICK(s + 1, hz * 0.7, 0.0006), 0.025, 0.4);
  return b;
}

SOUNDBUF SFX_KB1(uint64_t s) { return KEYCLICK(s, 3500, 300); }
SOUNDBUF SFX_KB2(uint64_t s) { return KEYCLICK(s, 4200, 340); }
SOUNDBUF SFX_KB3(uint64_t s) { return KEYCLICK(s, 3000, 260); }

SOUNDBUF SFX_TELEPORT(uint64_t s) {  // teleport: a phasing upward sweep into a shimmer
  SOUNDBUF b = SILENCE(2.0);
  double ph = 0;
  SOUNDBUF sweep = RENDER(1.2, [&](double t) {
    double hz = 120 * std::pow(12.0, t / 1.2);
    ph += hz / AUDIORATE;
    double v = SAWP(ph, hz / AUDIORATE) + SAWP(ph * 1.007, hz * 1.007 / AUDIORATE);
    return v * std::min(1.0, t / 0.2) * std::min(1.0, (1.2 - t) / 0.3);
  });
  SVF f;
  long i = 0;
  for (float& v : sweep.S) {
    double t = static_cast<double>(i++) / AUDIORATE;
    f.SET(600 + 500 * std::sin(TWOPI * 3 * t) + 2000 * t, 3.0);
    f.RUN(v);
    v = static_cast<float>(f.BAND);
  }
  MIXIN(b, sweep, 0, 0.7);
  MIXIN(b, NOISESWEEP(s, 1.2, 400, 7000, 2.0, 0.3, 0.4), 0, 0.4);
  MIXIN(b, SHIMMER(s + 1, 1800, 3600, 0.5), 1.0, 0.6);
  APPLYREVERB(b, 0.8, 0.3, 0.4, false);
  FADEEDGES(b, 0, 0.1);
  return b;
}

SOUNDBUF SFX_TEXTWINDOW(uint64_t s) {  // message window: a soft two-tone blip
  SOUNDBUF b = SILENCE(0.35);
  MIXIN(b, GLIDE(0.07, 1046, 1046, 3, 0.003, 0.03), 0, 0.6);
  MIXIN(b, GLIDE(0.12, 1568, 1568, 3, 0.003, 0.08), 0.07, 0.6);
  APPLYREVERB(b, 0.3, 0.5, 0.2, false);
  return b;
}

SOUNDBUF SFX_NOTICE(uint64_t s) {  // incoming transmission: radio squelch and a chirp
  SOUNDBUF b = SILENCE(0.7);
  SOUNDBUF sq = NOISEHIT(s, 0.18, 4000, 2500, 0.1, 0.002, 0.08, 1.0);
  HIGHPASSBUF(sq, 800, false);
  MIXIN(b, sq, 0, 0.6);
  MIXIN(b, GLIDE(0.08, 1200, 1200, 0, 0.003, 0.02), 0.16, 0.5);
  MIXIN(b, GLIDE(0.12, 1800, 1800, 0, 0.003, 0.05), 0.26, 0.5);
  APPLYREVERB(b, 0.3, 0.5, 0.15, false);
  return b;
}
