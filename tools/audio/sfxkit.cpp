// Recipe helpers shared by the sound-effect units (see sfxkit.h).
#include "sfxkit.h"

#include <algorithm>
#include <cmath>

SOUNDBUF RENDER(double seconds, const std::function<double(double t)>& fn) {
  SOUNDBUF b = MAKEBUF(seconds);
  for (long i = 0; i < b.FRAMES(); i++) b.S[i] = static_cast<float>(fn(static_cast<double>(i) / AUDIORATE));
  return b;
}

SOUNDBUF THUMP(double seconds, double f0, double f1, double ptau, double tau) {
  double ph = 0;
  return RENDER(seconds, [&](double t) {
    double f = f1 + (f0 - f1) * std::exp(-t / ptau);
    ph += f / AUDIORATE;
    return SINEP(ph) * ADENV(t, 0.002, tau);
  });
}

SOUNDBUF NOISEHIT(uint64_t seed, double seconds, double c0, double c1, double ctau,
                  double attack, double tau, double q) {
  NOISE n(seed);
  SVF f;
  long i = 0;
  return RENDER(seconds, [&](double t) {
    if ((i++ & 15) == 0) f.SET(c1 + (c0 - c1) * std::exp(-t / ctau), q);
    return f.RUN(n.WHITE()) * ADENV(t, attack, tau);
  });
}

SOUNDBUF NOISESWEEP(uint64_t seed, double seconds, double f0, double f1, double q,
                    double attack, double release) {
  NOISE n(seed);
  SVF f;
  long i = 0;
  return RENDER(seconds, [&](double t) {
    if ((i++ & 15) == 0) f.SET(f0 + (f1 - f0) * t / seconds, q);
    f.RUN(n.WHITE());
    double e = std::min(1.0, t / attack) * std::min(1.0, (seconds - t) / release);
    return f.BAND * e;
  });
}

SOUNDBUF METALRING(uint64_t seed, double seconds, double base, double tau, int partials) {
  NOISE n(seed);
  std::vector<double> fr, am, dec;
  for (int k = 0; k < partials; k++) {
    double ratio = 1.0 + k * 1.37 + n.RANGE(-0.25, 0.25) * k;
    fr.push_back(base * ratio);
    am.push_back(1.0 / (1.0 + 0.6 * k) * n.RANGE(0.6, 1.0));
    dec.push_back(tau / (1.0 + 0.35 * k) * n.RANGE(0.7, 1.2));
  }
  return RENDER(seconds, [&](double t) {
    double v = 0;
    for (size_t k = 0; k < fr.size(); k++)
      if (fr[k] < AUDIORATE * 0.45) v += am[k] * std::sin(TWOPI * fr[k] * t) * std::exp(-t / dec[k]);
    return v * std::min(1.0, t / 0.001) * 0.4;
  });
}

SOUNDBUF BELL(double seconds, double hz, double tau, double bright) {
  static const double ratios[5] = {1.0, 2.0, 2.76, 4.07, 5.43};
  return RENDER(seconds, [&](double t) {
    double v = 0;
    for (int k = 0; k < 5; k++) {
      double f = hz * ratios[k];
      if (f > AUDIORATE * 0.45) continue;
      double a = (k == 0 ? 1.0 : bright / k);
      v += a * std::sin(TWOPI * f * t) * std::exp(-t * (1.0 + k) / tau);
    }
    return v * std::min(1.0, t / 0.002) * 0.5;
  });
}

SOUNDBUF CLICK(uint64_t seed, double hz, double tau) {
  NOISE n(seed);
  SVF f;
  f.SET(hz, 2.0);
  return RENDER(tau * 8, [&](double t) {
    f.RUN(n.WHITE() * std::exp(-t / tau));
    return f.BAND * 2.0;
  });
}

SOUNDBUF GLIDE(double seconds, double f0, double f1, int shape, double attack, double release) {
  double ph = 0;
  return RENDER(seconds, [&](double t) {
    double f = f0 * std::pow(f1 / f0, t / seconds);
    double dp = f / AUDIORATE;
    ph += dp;
    double v = shape == 0 ? SINEP(ph) : shape == 1 ? SQUAREP(ph, dp) : shape == 2 ? SAWP(ph, dp) : TRIP(ph);
    double e = std::min(1.0, t / attack) * std::min(1.0, std::max(0.0, seconds - t) / release);
    return v * e;
  });
}

SOUNDBUF CRYOUT(uint64_t seed, const CRY& c) {
  NOISE n(seed);
  SVF f1, f2, f3;
  ONEPOLE tilt;
  tilt.SETLP(3000);
  double ph = 0, sub = 0, jit = 0;
  long i = 0;
  return RENDER(c.SECONDS, [&](double t) {
    double u = t / c.SECONDS;
    if ((i & 31) == 0) {
      f1.SET(c.F1 + (c.G1 - c.F1) * u, 6.0);
      f2.SET(c.F2 + (c.G2 - c.F2) * u, 8.0);
      f3.SET(c.F3 + (c.G3 - c.F3) * u, 9.0);
      jit = 0.97 * jit + 0.03 * n.WHITE() * c.ROUGH * 2.0;
    }
    i++;
    double p = c.PITCH0 * std::pow(c.PITCH1 / c.PITCH0, u);
    p *= std::pow(2.0, (c.VIBRATO * std::sin(TWOPI * c.VIBHZ * t) + jit * 3.0) / 12.0);
    double dp = p / AUDIORATE;
    ph += dp;
    sub += dp * 0.5;
    double src = SAWP(ph, dp);
    src *= 1.0 - c.ROUGH * 0.8 * (0.5 + 0.5 * SINEP(sub));  // period doubling growl
    src = tilt.LP(src) + c.BREATH * n.WHITE();
    f1.RUN(src);
    f2.RUN(src);
    f3.RUN(src);
    double v = f1.BAND + 0.7 * f2.BAND + 0.35 * f3.BAND;
    double e = std::min(1.0, t / c.ATTACK) * std::min(1.0, std::max(0.0, c.SECONDS - t) / c.RELEASE);
    e *= std::exp(-c.DECAY * u) * (1.0 + c.SWELL * std::sin(3.14159265 * u));
    e *= 1.0 - c.TREM * (0.5 + 0.5 * std::sin(TWOPI * c.TREMHZ * t));
    return v * e;
  });
}

void MIXIN(SOUNDBUF& dst, const SOUNDBUF& src, double atsec, double gain) {
  long need = SECS(atsec) + src.FRAMES();
  if (need > dst.FRAMES()) dst.S.resize(static_cast<size_t>(need) * dst.CHANNELS, 0.0f);
  ADDAT(dst, src, SECS(atsec), gain);
}

SOUNDBUF SILENCE(double seconds) { return MAKEBUF(seconds); }

void GAIN(SOUNDBUF& b, double g) {
  for (float& v : b.S) v = static_cast<float>(v * g);
}

void DRIVE(SOUNDBUF& b, double drive) {
  for (float& v : b.S) v = static_cast<float>(SOFTCLIP(v, drive));
}

void RINGMOD(SOUNDBUF& b, double hz, double mix) {
  for (long i = 0; i < b.FRAMES(); i++) {
    double m = std::sin(TWOPI * hz * i / AUDIORATE);
    for (int c = 0; c < b.CHANNELS; c++) {
      float& v = b.S[i * b.CHANNELS + c];
      v = static_cast<float>(v * (1.0 - mix) + v * m * mix);
    }
  }
}

void ECHOES(SOUNDBUF& b, double delaysec, double feedback, double mix) {
  long d = SECS(delaysec);
  long n = b.FRAMES();
  long extra = static_cast<long>(d * std::log(0.01) / std::log(std::max(feedback, 0.01)));
  b.S.resize(static_cast<size_t>(n + extra) * b.CHANNELS, 0.0f);
  std::vector<float> dry = b.S;
  std::vector<float> wet(b.S.size(), 0.0f);
  for (long i = 0; i < n + extra; i++)
    for (int c = 0; c < b.CHANNELS; c++) {
      double prev = i >= d ? dry[(i - d) * b.CHANNELS + c] * 1.0 + wet[(i - d) * b.CHANNELS + c] * feedback : 0;
      wet[i * b.CHANNELS + c] = static_cast<float>(i >= d ? prev : 0);
    }
  for (size_t k = 0; k < b.S.size(); k++) b.S[k] = static_cast<float>(dry[k] + mix * wet[k]);
}
