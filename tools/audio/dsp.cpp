// Signal building blocks of the audio generator (see dsp.h).
#include "dsp.h"

#include <algorithm>
#include <cmath>

SOUNDBUF MAKEBUF(double seconds, int channels) {
  SOUNDBUF b;
  b.CHANNELS = channels;
  b.S.assign(static_cast<size_t>(SECS(seconds)) * channels, 0.0f);
  return b;
}

long SECS(double seconds) { return std::lround(seconds * AUDIORATE); }

uint32_t NOISE::NEXT() {
  // splitmix64 step, upper half
  STATE += 0x9E3779B97F4A7C15ull;
  uint64_t z = STATE;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<uint32_t>(z >> 32);
}

double NOISE::UNIT() { return NEXT() / 4294967296.0; }

static double FRAC(double p) { return p - std::floor(p); }

double SINEP(double phase) { return std::sin(TWOPI * FRAC(phase)); }

// polyBLEP residual that rounds off the step of a saw or square at the wrap.
static double BLEP(double t, double dt) {
  if (dt <= 0) return 0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0;
}

double SAWP(double phase, double dphase) {
  double t = FRAC(phase);
  return 2.0 * t - 1.0 - BLEP(t, std::fabs(dphase));
}

double SQUAREP(double phase, double dphase, double duty) {
  double t = FRAC(phase);
  double dt = std::fabs(dphase);
  double v = t < duty ? 1.0 : -1.0;
  v += BLEP(t, dt);
  v -= BLEP(FRAC(t + 1.0 - duty), dt);
  return v;
}

double TRIP(double phase) {
  double t = FRAC(phase);
  return t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
}

double MIDIHZ(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

void ONEPOLE::SETLP(double hz) {
  A = 1.0 - std::exp(-TWOPI * std::min(hz, AUDIORATE * 0.49) / AUDIORATE);
}

void SVF::SET(double hz, double q) {
  hz = std::clamp(hz, 10.0, AUDIORATE * 0.45);
  G = std::tan(3.141592653589793 * hz / AUDIORATE);
  K = 1.0 / std::max(q, 0.05);
  A1 = 1.0 / (1.0 + G * (G + K));
  A2 = G * A1;
  A3 = G * A2;
}

double SVF::RUN(double x) {
  double v3 = x - IC2;
  double v1 = A1 * IC1 + A2 * v3;
  double v2 = IC2 + A2 * IC1 + A3 * v3;
  IC1 = 2 * v1 - IC1;
  IC2 = 2 * v2 - IC2;
  LOW = v2;
  BAND = v1;
  HIGH = x - K * v1 - v2;
  return LOW;
}

void REVERB::INIT(double size, double damp, int spread) {
  static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int alls[4] = {556, 441, 341, 225};
  double scale = AUDIORATE / 44100.0;
  for (int i = 0; i < 8; i++) {
    COMB[i].B.assign(std::max(1L, std::lround((combs[i] + spread) * scale * (0.6 + 0.8 * size))), 0.0f);
    COMB[i].I = 0;
    COMB[i].STORE = 0;
  }
  for (int i = 0; i < 4; i++) {
    ALLP[i].B.assign(std::max(1L, std::lround((alls[i] + spread) * scale)), 0.0f);
    ALLP[i].I = 0;
  }
  FEEDBACK = 0.7 + 0.28 * size;
  DAMP = damp;
}

double REVERB::RUN(double x) {
  double in = x * 0.015;
  double out = 0;
  for (auto& c : COMB) {
    double y = c.B[c.I];
    c.STORE = y * (1.0 - DAMP) + c.STORE * DAMP;
    c.B[c.I] = static_cast<float>(in + c.STORE * FEEDBACK);
    if (++c.I >= c.B.size()) c.I = 0;
    out += y;
  }
  for (auto& a : ALLP) {
    double b = a.B[a.I];
    a.B[a.I] = static_cast<float>(out + b * 0.5);
    if (++a.I >= a.B.size()) a.I = 0;
    out = b - out;
  }
  return out;
}

double DECAYENV(double t, double tau) { return t < 0 ? 0 : std::exp(-t / tau); }

double ADENV(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

double ADSRENV(double t, double len, double a, double d, double s, double r) {
  if (t < 0) return 0;
  double v;
  if (t < a) v = t / a;
  else if (t < a + d) v = 1.0 - (1.0 - s) * (t - a) / d;
  else v = s;
  if (t > len) {
    // release from the level reached at note end
    double atend = len < a ? len / a : (len < a + d ? 1.0 - (1.0 - s) * (len - a) / d : s);
    double k = 1.0 - (t - len) / r;
    return k <= 0 ? 0 : atend * k * k;
  }
  return v;
}

double SOFTCLIP(double x, double drive) { return std::tanh(x * drive) / std::tanh(drive); }

void ADDAT(SOUNDBUF& dst, const SOUNDBUF& src, long at, double gain, double pan, bool wrap) {
  long n = dst.FRAMES();
  if (n == 0) return;
  double gl = gain, gr = gain;
  if (dst.CHANNELS == 2) {
    // constant-power pan, -1 left .. 1 right
    double a = (pan + 1.0) * 0.25 * 3.141592653589793;
    gl = gain * std::cos(a) * 1.41421356;
    gr = gain * std::sin(a) * 1.41421356;
  }
  for (long i = 0; i < src.FRAMES(); i++) {
    long j = at + i;
    if (wrap) j = ((j % n) + n) % n;
    else if (j < 0 || j >= n) continue;
    if (dst.CHANNELS == 1) {
      double v = src.CHANNELS == 1 ? src.S[i] : 0.5 * (src.S[2 * i] + src.S[2 * i + 1]);
      dst.S[j] += static_cast<float>(v * gain);
    } else {
      double l = src.CHANNELS == 1 ? src.S[i] : src.S[2 * i];
      double r = src.CHANNELS == 1 ? src.S[i] : src.S[2 * i + 1];
      dst.S[2 * j] += static_cast<float>(l * gl);
      dst.S[2 * j + 1] += static_cast<float>(r * gr);
    }
  }
}

// Runs FN over channel C of B; when CIRCULAR, a first pass warms the state up
// so that the output is the steady state of an endlessly repeated buffer.
static void RUNCHANNEL(SOUNDBUF& b, int c, bool circular, const std::function<double(double)>& fn) {
  long n = b.FRAMES();
  int ch = b.CHANNELS;
  if (circular)
    for (long i = 0; i < n; i++) fn(b.S[i * ch + c]);
  for (long i = 0; i < n; i++) b.S[i * ch + c] = static_cast<float>(fn(b.S[i * ch + c]));
}

void APPLYREVERB(SOUNDBUF& b, double size, double damp, double wet, bool circular) {
  for (int c = 0; c < b.CHANNELS; c++) {
    REVERB r;
    r.INIT(size, damp, c * 23);
    RUNCHANNEL(b, c, circular, [&](double x) { return x + wet * r.RUN(x); });
  }
}

void LOWPASSBUF(SOUNDBUF& b, double hz, bool circular) {
  for (int c = 0; c < b.CHANNELS; c++) {
    SVF f;
    f.SET(hz, 0.707);
    RUNCHANNEL(b, c, circular, [&](double x) { return f.RUN(x); });
  }
}

void HIGHPASSBUF(SOUNDBUF& b, double hz, bool circular) {
  for (int c = 0; c < b.CHANNELS; c++) {
    SVF f;
    f.SET(hz, 0.707);
    RUNCHANNEL(b, c, circular, [&](double x) { f.RUN(x); return f.HIGH; });
  }
}

void FADEEDGES(SOUNDBUF& b, double fadein, double fadeout) {
  long n = b.FRAMES();
  long fi = SECS(fadein), fo = SECS(fadeout);
  for (long i = 0; i < n; i++) {
    double g = 1.0;
    if (i < fi) g *= static_cast<double>(i) / fi;
    if (n - 1 - i < fo) g *= static_cast<double>(n - 1 - i) / fo;
    for (int c = 0; c < b.CHANNELS; c++) b.S[i * b.CHANNELS + c] *= static_cast<float>(g);
  }
}

SOUNDBUF TOSTEREO(const SOUNDBUF& b) {
  if (b.CHANNELS == 2) return b;
  SOUNDBUF s;
  s.CHANNELS = 2;
  s.S.resize(b.S.size() * 2);
  for (size_t i = 0; i < b.S.size(); i++) s.S[2 * i] = s.S[2 * i + 1] = b.S[i];
  return s;
}

SOUNDBUF RESAMPLE(const SOUNDBUF& b, double factor) {
  SOUNDBUF o;
  o.CHANNELS = b.CHANNELS;
  long n = b.FRAMES();
  long m = static_cast<long>(n / factor);
  o.S.resize(static_cast<size_t>(m) * b.CHANNELS);
  for (long i = 0; i < m; i++) {
    double p = i * factor;
    long k = static_cast<long>(p);
    double f = p - k;
    for (int c = 0; c < b.CHANNELS; c++) {
      double a = b.S[k * b.CHANNELS + c];
      double z = k + 1 < n ? b.S[(k + 1) * b.CHANNELS + c] : 0.0;
      o.S[i * b.CHANNELS + c] = static_cast<float>(a + (z - a) * f);
    }
  }
  return o;
}

double PEAKOF(const SOUNDBUF& b) {
  double p = 0;
  for (float v : b.S) p = std::max(p, static_cast<double>(std::fabs(v)));
  return p;
}

double MEANOF(const SOUNDBUF& b, int channel) {
  long n = b.FRAMES();
  if (n == 0) return 0;
  double s = 0;
  for (long i = 0; i < n; i++) s += b.S[i * b.CHANNELS + channel];
  return s / n;
}

void FINISHLEVEL(SOUNDBUF& b, double peakdb) {
  for (int c = 0; c < b.CHANNELS; c++) {
    double m = MEANOF(b, c);
    for (long i = 0; i < b.FRAMES(); i++) b.S[i * b.CHANNELS + c] -= static_cast<float>(m);
  }
  double p = PEAKOF(b);
  if (p <= 0) return;
  double g = std::pow(10.0, peakdb / 20.0) / p;
  for (float& v : b.S) v = static_cast<float>(v * g);
}

double LOUDESTSECONDDB(const SOUNDBUF& b) {
  const long n = b.FRAMES(), win = std::min<long>(AUDIORATE, n);
  if (win <= 0) return -150.0;
  double e = 0, best = 0;
  auto power = [&](long i) {
    double p = 0;
    for (int c = 0; c < b.CHANNELS; c++) p += static_cast<double>(b.S[i * b.CHANNELS + c]) * b.S[i * b.CHANNELS + c];
    return p / b.CHANNELS;
  };
  for (long i = 0; i < n; i++) {
    e += power(i);
    if (i >= win) e -= power(i - win);
    if (i >= win - 1) best = std::max(best, e);
  }
  return 10 * std::log10(std::max(best / win, 1e-15));
}
