// Ambience loops. Each is built as one turn of an endless cycle: filters run
// over the buffer twice (the first pass warms them up), slow modulations make
// a whole number of turns in the loop, and events near the end wrap round to
// the start. So the last sample leads into the first like any other pair.
#include <cmath>

#include "recipes.h"
#include "sfxkit.h"

static SOUNDBUF NOISELOOP(uint64_t s, double len) {
  NOISE n(s);
  SOUNDBUF b = MAKEBUF(len);
  for (float& v : b.S) v = static_cast<float>(n.WHITE());
  return b;
}

// Multiplies B by ENV(t) where ENV should be periodic in the loop length.
static void SHAPE(SOUNDBUF& b, const std::function<double(double)>& env) {
  for (long i = 0; i < b.FRAMES(); i++) {
    double e = env(static_cast<double>(i) / AUDIORATE);
    for (int c = 0; c < b.CHANNELS; c++) b.S[i * b.CHANNELS + c] *= static_cast<float>(e);
  }
}

// Band-passes B with a centre that follows HZ(t), circularly.
static void SWEPTBAND(SOUNDBUF& b, double q, const std::function<double(double)>& hz) {
  SVF f;
  long n = b.FRAMES();
  std::vector<float> out(b.S.size());
  for (int pass = 0; pass < 2; pass++)
    for (long i = 0; i < n; i++) {
      if ((i & 15) == 0) f.SET(hz(static_cast<double>(i) / AUDIORATE), q);
      f.RUN(b.S[i]);
      out[i] = static_cast<float>(f.BAND);
    }
  b.S = out;
}

SOUNDBUF AMB_SEA(uint64_t s) {  // waves rolling onto a shore, a slow swell every few seconds
  const double len = 24.0;
  SOUNDBUF b = NOISELOOP(s, len);
  SWEPTBAND(b, 0.6, [&](double t) { return 500 + 400 * std::sin(TWOPI * 4 * t / len) + 250 * std::sin(TWOPI * 3 * t / len); });
  SHAPE(b, [&](double t) {
    double w = 0.5 - 0.5 * std::cos(TWOPI * 4 * t / len);          // 4 waves per loop (6 s each)
    double w2 = 0.5 - 0.5 * std::cos(TWOPI * 7 * t / len + 1.3);  // a cross swell
    return 0.15 + 0.85 * std::pow(w, 2.5) + 0.3 * std::pow(w2, 4);
  });
  SOUNDBUF foam = NOISELOOP(s + 1, len);
  HIGHPASSBUF(foam, 2500, true);
  SHAPE(foam, [&](double t) { return std::pow(0.5 - 0.5 * std::cos(TWOPI * 4 * t / len - 0.6), 6) * 0.25; });
  ADDAT(b, foam, 0, 1.0, 0, true);
  LOWPASSBUF(b, 4000, true);
  return b;
}

SOUNDBUF AMB_RAIN(uint64_t s) {  // steady rain: a hiss of water and scattered drops
  const double len = 20.0;
  SOUNDBUF b = NOISELOOP(s, len);
  LOWPASSBUF(b, 5000, true);
  HIGHPASSBUF(b, 400, true);
  GAIN(b, 0.35);
  SHAPE(b, [&](double t) { return 0.85 + 0.15 * std::sin(TWOPI * 3 * t / len); });
  NOISE n(s + 1);
  for (int k = 0; k < 900; k++) {  // drops
    SOUNDBUF d = CLICK(s + 100 + k, n.RANGE(1500, 6000), n.RANGE(0.0005, 0.002));
    ADDAT(b, d, static_cast<long>(n.UNIT() * b.FRAMES()), n.RANGE(0.05, 0.3), 0, true);
  }
  NOISE m(s + 2);
  for (int k = 0; k < 40; k++) {  // heavier drips on metal
    SOUNDBUF d = BELL(0.15, m.RANGE(1800, 3200), 0.05, 0.3);
    ADDAT(b, d, static_cast<long>(m.UNIT() * b.FRAMES()), m.RANGE(0.05, 0.12), 0, true);
  }
  return b;
}

SOUNDBUF AMB_WIND(uint64_t s) {  // wind over open ground: gusts that rise and fall, a thin whistle
  const double len = 30.0;
  SOUNDBUF b = NOISELOOP(s, len);
  SWEPTBAND(b, 1.5, [&](double t) {
    return 350 + 250 * std::sin(TWOPI * 3 * t / len) + 180 * std::sin(TWOPI * 7 * t / len + 2.0);
  });
  SHAPE(b, [&](double t) {
    double g = 0.5 + 0.3 * std::sin(TWOPI * 5 * t / len) + 0.2 * std::sin(TWOPI * 11 * t / len + 1.0);
    return 0.3 + g * g;
  });
  SOUNDBUF whistle = NOISELOOP(s + 1, len);
  SWEPTBAND(whistle, 25.0, [&](double t) { return 900 + 300 * std::sin(TWOPI * 2 * t / len); });
  SHAPE(whistle, [&](double t) { return 0.5 * std::pow(0.5 + 0.5 * std::sin(TWOPI * 5 * t / len), 3); });
  ADDAT(b, whistle, 0, 1.0, 0, true);
  return b;
}

SOUNDBUF AMB_METAL(uint64_t s) {  // inside a steel structure: a drone, creaks and far clangs
  const double len = 32.0;
  SOUNDBUF b = RENDER(len, [&](double t) {
    // drone partials all whole turns per loop
    return 0.3 * std::sin(TWOPI * 55 * t) + 0.2 * std::sin(TWOPI * 82.5 * t + 1) +
           0.1 * std::sin(TWOPI * 110.25 * t) * (0.5 + 0.5 * std::sin(TWOPI * 4 * t / len));
  });
  SOUNDBUF air = NOISELOOP(s, len);
  LOWPASSBUF(air, 700, true);
  ADDAT(b, air, 0, 0.25, 0, true);
  NOISE n(s + 1);
  for (int k = 0; k < 7; k++) {  // distant clangs
    SOUNDBUF c = METALRING(s + 10 + k, 2.5, n.RANGE(120, 420), n.RANGE(0.4, 0.9), 8);
    ADDAT(b, c, SECS(k * len / 7 + n.RANGE(0, 2)), n.RANGE(0.25, 0.5), 0, true);
  }
  for (int k = 0; k < 5; k++) {  // creaks: slow rough glides
    double f0 = n.RANGE(180, 320);
    SOUNDBUF c = GLIDE(n.RANGE(0.6, 1.2), f0, f0 * n.RANGE(0.8, 1.25), 2, 0.2, 0.3);
    SVF f;
    f.SET(n.RANGE(600, 1200), 4.0);
    for (float& v : c.S) { f.RUN(v); v = static_cast<float>(f.BAND); }
    ADDAT(b, c, SECS(n.RANGE(0, len)), 0.3, 0, true);
  }
  APPLYREVERB(b, 0.95, 0.4, 0.6, true);
  return b;
}

SOUNDBUF AMB_EMPTYSHIP(uint64_t s) {  // an empty ship: low engine hum, air vents, distant pings
  const double len = 40.0;
  SOUNDBUF b = RENDER(len, [&](double t) {
    double beat = 0.8 + 0.2 * std::sin(TWOPI * 10 * t / len);
    return beat * (0.35 * std::sin(TWOPI * 50 * t) + 0.2 * std::sin(TWOPI * 100 * t + 0.4) +
                   0.08 * std::sin(TWOPI * 150 * t + 1.1) + 0.1 * std::sin(TWOPI * 75.5 * t));
  });
  SOUNDBUF vent = NOISELOOP(s, len);
  SWEPTBAND(vent, 0.8, [&](double t) { return 1200 + 300 * std::sin(TWOPI * 2 * t / len); });
  ADDAT(b, vent, 0, 0.25, 0, true);
  NOISE n(s + 1);
  for (int k = 0; k < 4; k++) {  // sonar-like pings far away
    SOUNDBUF p = BELL(3.0, n.RANGE(700, 1100), 0.8, 0.1);
    ADDAT(b, p, SECS(k * len / 4 + n.RANGE(1, 6)), 0.12, 0, true);
  }
  for (int k = 0; k < 6; k++) {  // hull groans
    double f0 = n.RANGE(60, 110);
    SOUNDBUF g = GLIDE(n.RANGE(1.5, 2.5), f0, f0 * 0.85, 2, 0.5, 0.8);
    LOWPASSBUF(g, 400, false);
    ADDAT(b, g, SECS(n.RANGE(0, len)), 0.2, 0, true);
  }
  APPLYREVERB(b, 0.9, 0.5, 0.4, true);
  return b;
}

SOUNDBUF AMB_ENGINEROOM(uint64_t s) {  // machinery: pistons thumping in a steady rhythm under a whine
  const double len = 16.0;
  SOUNDBUF b = RENDER(len, [&](double t) {
    double ph = std::fmod(t * 2.5, 1.0);  // 2.5 strokes a second
    double stroke = std::exp(-ph * 9) + 0.6 * std::exp(-std::fmod(ph + 0.5, 1.0) * 12);
    return stroke * std::sin(TWOPI * 48 * t) * 0.8 + 0.08 * std::sin(TWOPI * 1200 * t) *
                                                           (0.6 + 0.4 * std::sin(TWOPI * 4 * t / len));
  });
  SOUNDBUF hiss = NOISELOOP(s, len);
  LOWPASSBUF(hiss, 1800, true);
  SHAPE(hiss, [&](double t) { return 0.2 + 0.15 * std::exp(-std::fmod(t * 2.5 + 0.3, 1.0) * 5); });
  ADDAT(b, hiss, 0, 0.5, 0, true);
  for (int k = 0; k < 40; k++) {  // valve ticks on every stroke
    SOUNDBUF c = CLICK(s + 10 + k, 2800, 0.0015);
    ADDAT(b, c, SECS(k * 0.4 + 0.2), 0.25, 0, true);
  }
  APPLYREVERB(b, 0.7, 0.5, 0.3, true);
  return b;
}

SOUNDBUF AMB_DARK(uint64_t s) {  // darkness: a deep beating drone and far, thin whistles
  const double len = 40.0;
  SOUNDBUF b = RENDER(len, [&](double t) {
    double slow = std::sin(TWOPI * 3 * t / len);
    return 0.35 * std::sin(TWOPI * 41.2 * t) + 0.35 * std::sin(TWOPI * 41.7 * t) +  // beating
           0.12 * std::sin(TWOPI * 61.8 * t + slow) + 0.06 * std::sin(TWOPI * 123.5 * t) * (0.5 + 0.5 * slow);
  });
  NOISE n(s);
  for (int k = 0; k < 5; k++) {
    double f = n.RANGE(1200, 2400);
    SOUNDBUF w = GLIDE(n.RANGE(3, 5), f, f * n.RANGE(0.9, 1.1), 0, 1.5, 1.5);
    ADDAT(b, w, SECS(k * len / 5 + n.RANGE(0, 3)), 0.05, 0, true);
  }
  SOUNDBUF air = NOISELOOP(s + 1, len);
  SWEPTBAND(air, 1.0, [&](double t) { return 250 + 120 * std::sin(TWOPI * 2 * t / len); });
  ADDAT(b, air, 0, 0.2, 0, true);
  APPLYREVERB(b, 0.98, 0.6, 0.5, true);
  return b;
}
