// The loop sequencer and its instruments (see music.h).
#include "music.h"

#include <algorithm>
#include <cmath>

#include "sfxkit.h"

const std::vector<int> SCALE_MINOR = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> SCALE_MAJOR = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> SCALE_HARMONIC = {0, 2, 3, 5, 7, 8, 11};
const std::vector<int> SCALE_PHRYGDOM = {0, 1, 4, 5, 7, 8, 10};
const std::vector<int> SCALE_DORIAN = {0, 2, 3, 5, 7, 9, 10};

void SONGINIT(SONG& s, double bpm, int beats, int bars, uint64_t seed) {
  s.BPM = bpm;
  s.BEATS = beats;
  s.BARS = bars;
  s.SEED = seed;
  s.DRY = MAKEBUF(s.SECONDS(), 2);
  s.SEND = MAKEBUF(s.SECONDS(), 2);
}

// ---- instruments: each renders one note (with its release tail) in mono ----

static double VIB(double t, double depth, double hz, double delay) {
  double d = delay > 0 ? std::min(1.0, t / delay) : 1.0;
  return std::pow(2.0, depth * d * std::sin(TWOPI * hz * t) / 12.0);
}

// Several detuned band-limited saws through a low-pass that follows CUT(t).
static SOUNDBUF SAWSTACK(double hz, double len, double tail, int voices, double detune, double vibdepth,
                         const std::function<double(double)>& cut, const std::function<double(double)>& env,
                         double q = 0.8) {
  std::vector<double> ph(voices, 0.0);
  for (int v = 0; v < voices; v++) ph[v] = 0.137 * v;
  SVF f;
  long i = 0;
  return RENDER(len + tail, [&](double t) {
    if ((i++ & 15) == 0) f.SET(cut(t), q);
    double vib = VIB(t, vibdepth, 5.3, 0.3);
    double x = 0;
    for (int v = 0; v < voices; v++) {
      double det = voices > 1 ? detune * (2.0 * v / (voices - 1) - 1.0) : 0.0;
      double dp = hz * vib * std::pow(2.0, det / 1200.0) / AUDIORATE;
      ph[v] += dp;
      x += SAWP(ph[v], dp);
    }
    return f.RUN(x / std::sqrt(static_cast<double>(voices))) * env(t);
  });
}

static SOUNDBUF KARPLUS(uint64_t seed, double hz, double len, double bright, double decaysec) {
  NOISE n(seed);
  double d = AUDIORATE / hz - 0.5;
  long size = static_cast<long>(d) + 4;
  std::vector<double> line(size, 0.0);
  ONEPOLE pre;
  pre.SETLP(1000 + 7000 * bright);
  for (long k = 0; k < size; k++) line[k] = pre.LP(n.WHITE());
  double fb = std::pow(0.001, 1.0 / (decaysec * hz));  // -60 dB after DECAYSEC
  long w = 0;
  double prev = 0;
  double total = len + decaysec * 0.4;
  return RENDER(total, [&](double t) {
    double rp = w - d;
    while (rp < 0) rp += size;
    long a = static_cast<long>(rp);
    double fr = rp - a;
    double y = line[a % size] * (1 - fr) + line[(a + 1) % size] * fr;
    double out = 0.5 * (y + prev) * fb;
    prev = y;
    line[w % size] = out;
    w = (w + 1) % size;
    double damp = t > len ? std::exp(-(t - len) / 0.08) : 1.0;
    return out * damp;
  });
}

static SOUNDBUF FMTONE(double hz, double len, double ratio, double index, double itau, double tau,
                       double tail) {
  return RENDER(len + tail, [&](double t) {
    double idx = index * std::exp(-t / itau);
    double e = std::min(1.0, t / 0.003) * std::exp(-t / tau) * (t > len ? std::exp(-(t - len) / 0.15) : 1.0);
    return std::sin(TWOPI * hz * t + idx * std::sin(TWOPI * hz * ratio * t)) * e;
  });
}

static SOUNDBUF RENDERNOTE(INSTRUMENT in, double midi, double len, double vel, uint64_t seed) {
  double hz = MIDIHZ(midi);
  SOUNDBUF b;
  switch (in) {
    case IN_PAD:
      b = SAWSTACK(hz, len, 1.2, 3, 9, 0.05, [&](double t) { return 700 + 700 * std::min(1.0, t / 1.5); },
                   [&](double t) { return ADSRENV(t, len, 0.5, 0.6, 0.8, 1.2); });
      break;
    case IN_STRINGS:
      b = SAWSTACK(hz, len, 0.45, 4, 12, 0.12, [&](double) { return std::min(2800.0, hz * 6); },
                   [&](double t) { return ADSRENV(t, len, 0.12, 0.2, 0.85, 0.4); });
      break;
    case IN_BRASS:
      b = SAWSTACK(hz, len, 0.2, 2, 6, 0.15,
                   [&](double t) { return 500 + 2200 * ADENV(t, 0.06, 0.5) + 600 * vel; },
                   [&](double t) { return ADSRENV(t, len, 0.04, 0.2, 0.75, 0.18); }, 1.0);
      break;
    case IN_BASS:
      b = SAWSTACK(hz, len, 0.1, 1, 0, 0, [&](double t) { return 250 + 1100 * std::exp(-t / 0.09); },
                   [&](double t) { return ADSRENV(t, len, 0.005, 0.15, 0.7, 0.08); }, 1.2);
      {
        double ph = 0;
        SOUNDBUF sub = RENDER(len + 0.1, [&](double t) {
          ph += hz / AUDIORATE;
          return SINEP(ph) * ADSRENV(t, len, 0.005, 0.15, 0.8, 0.08);
        });
        MIXIN(b, sub, 0, 0.7);
      }
      break;
    case IN_SUBBASS: {
      double ph = 0;
      b = RENDER(len + 0.15, [&](double t) {
        ph += hz / AUDIORATE;
        return (SINEP(ph) + 0.15 * SINEP(2 * ph)) * ADSRENV(t, len, 0.01, 0.1, 0.9, 0.12);
      });
      break;
    }
    case IN_PLUCK:
      b = KARPLUS(seed, hz, len, 0.5 + 0.4 * vel, 2.5);
      break;
    case IN_BELL: {  // a celesta-like bell: harmonic FM body and a brief inharmonic strike
      b = FMTONE(hz, len, 4.0, 1.6, 0.25, 1.4, 1.5);
      SOUNDBUF strike = FMTONE(hz * 2.76, 0.3, 1.0, 0.5, 0.1, 0.08, 0.1);
      MIXIN(b, strike, 0, 0.25);
      GAIN(b, 0.7);
      break;
    }
    case IN_EPIANO: {
      b = FMTONE(hz, len, 1.0, 1.4 * (0.5 + vel), 0.5, 1.8, 0.4);
      SOUNDBUF tine = FMTONE(hz * 2, std::min(len, 0.2), 7.0, 0.8, 0.05, 0.15, 0.1);
      MIXIN(b, tine, 0, 0.15);
      break;
    }
    case IN_ORGAN: {
      static const double harm[6] = {0.5, 1, 2, 3, 4, 8};
      static const double amp[6] = {0.5, 1, 0.6, 0.35, 0.3, 0.12};
      double ph = 0;
      b = RENDER(len + 0.15, [&](double t) {
        ph += hz * VIB(t, 0.06, 6.5, 0) / AUDIORATE;
        double v = 0;
        for (int k = 0; k < 6; k++)
          if (hz * harm[k] < AUDIORATE * 0.45) v += amp[k] * SINEP(ph * harm[k]);
        return v * 0.35 * ADSRENV(t, len, 0.03, 0.1, 0.9, 0.12);
      });
      break;
    }
    case IN_CHOIR: {
      SOUNDBUF src = SAWSTACK(hz, len, 0.6, 3, 14, 0.18, [&](double) { return 4000.0; },
                              [&](double t) { return ADSRENV(t, len, 0.35, 0.3, 0.85, 0.6); });
      SVF f1, f2, f3;
      f1.SET(730, 5);
      f2.SET(1090, 7);
      f3.SET(2440, 8);
      b = src;
      for (float& v : b.S) {
        f1.RUN(v); f2.RUN(v); f3.RUN(v);
        v = static_cast<float>(1.6 * (f1.BAND + 0.6 * f2.BAND + 0.25 * f3.BAND));
      }
      break;
    }
    case IN_FLUTE: {
      NOISE n(seed);
      SVF br;
      br.SET(hz * 2, 4);
      double ph = 0;
      b = RENDER(len + 0.12, [&](double t) {
        double dp = hz * VIB(t, 0.15, 5.0, 0.25) / AUDIORATE;
        ph += dp;
        br.RUN(n.WHITE());
        return (SINEP(ph) + 0.18 * SINEP(2 * ph) + 0.25 * br.BAND) * ADSRENV(t, len, 0.07, 0.1, 0.85, 0.1);
      });
      break;
    }
    case IN_REED: {
      SVF f1, f2;
      f1.SET(1100, 3);
      f2.SET(2600, 5);
      double ph = 0;
      b = RENDER(len + 0.1, [&](double t) {
        double dp = hz * VIB(t, 0.25, 6.0, 0.2) / AUDIORATE;
        ph += dp;
        double x = SQUAREP(ph, dp, 0.22);
        f1.RUN(x);
        f2.RUN(x);
        return (0.3 * x + f1.BAND + 0.5 * f2.BAND) * 0.5 * ADSRENV(t, len, 0.03, 0.1, 0.85, 0.08);
      });
      break;
    }
    case IN_DRONE:
      b = SAWSTACK(hz, len, 1.5, 3, 5, 0, [&](double) { return 600.0; },
                   [&](double t) { return ADSRENV(t, len, 1.0, 0.5, 0.9, 1.5); });
      break;
    case IN_POWER:
      b = SAWSTACK(hz, len, 0.08, 2, 10, 0, [&](double t) { return 1400 + 1500 * std::exp(-t / 0.1); },
                   [&](double t) { return ADSRENV(t, len, 0.004, 0.1, 0.8, 0.06); }, 1.0);
      DRIVE(b, 4.0);
      LOWPASSBUF(b, 3200, false);
      break;
    case IN_KICK:
      b = THUMP(0.45, 160, 48, 0.03, 0.16);
      MIXIN(b, CLICK(seed, 3000, 0.0007), 0, 0.4);
      DRIVE(b, 1.5);
      break;
    case IN_SNARE:
      b = NOISEHIT(seed, 0.35, 6000, 1500, 0.08, 0.001, 0.09, 0.7);
      HIGHPASSBUF(b, 700, false);
      MIXIN(b, THUMP(0.2, 260, 185, 0.02, 0.045), 0, 0.8);
      break;
    case IN_HAT:
      b = NOISEHIT(seed, 0.12, 10000, 9000, 1, 0.0005, 0.022, 0.7);
      HIGHPASSBUF(b, 6000, false);
      GAIN(b, 1.5);
      break;
    case IN_OPENHAT:
      b = NOISEHIT(seed, 0.5, 10000, 8000, 1, 0.001, 0.16, 0.7);
      HIGHPASSBUF(b, 6000, false);
      GAIN(b, 1.2);
      break;
    case IN_CRASH:
      b = NOISEHIT(seed, 2.5, 9000, 5000, 1.0, 0.002, 0.8, 0.6);
      HIGHPASSBUF(b, 3500, false);
      MIXIN(b, METALRING(seed + 1, 2.0, 500, 0.9, 10), 0, 0.25);
      break;
    case IN_TOM:
      b = THUMP(0.6, hz * 1.6, hz, 0.05, 0.22);
      MIXIN(b, NOISEHIT(seed, 0.1, 2000, 500, 0.02, 0.001, 0.02), 0, 0.2);
      break;
    case IN_TIMPANI: {
      b = RENDER(2.0, [&](double t) {
        double f = hz * (1.0 + 0.03 * std::exp(-t / 0.05));
        return (std::sin(TWOPI * f * t) + 0.4 * std::sin(TWOPI * f * 1.5 * t) * std::exp(-t / 0.3)) *
               ADENV(t, 0.004, 0.7);
      });
      MIXIN(b, NOISEHIT(seed, 0.2, 1500, 300, 0.03, 0.001, 0.03), 0, 0.4);
      break;
    }
    case IN_TAIKO:
      b = THUMP(1.2, 110, 42, 0.06, 0.4);
      MIXIN(b, NOISEHIT(seed, 0.3, 1200, 200, 0.05, 0.001, 0.05), 0, 0.6);
      DRIVE(b, 1.8);
      break;
    case IN_DUM:
      b = THUMP(0.5, 150, 95, 0.03, 0.18);
      MIXIN(b, NOISEHIT(seed, 0.08, 1800, 600, 0.01, 0.001, 0.012), 0, 0.3);
      break;
    case IN_TEK:
      b = NOISEHIT(seed, 0.15, 4500, 2500, 0.02, 0.0005, 0.03, 2.0);
      MIXIN(b, THUMP(0.1, 700, 550, 0.01, 0.025), 0, 0.4);
      break;
    case IN_SHAKER:
      b = NOISEHIT(seed, 0.12, 7000, 6000, 1, 0.012, 0.03, 1.0);
      HIGHPASSBUF(b, 4000, false);
      break;
    case IN_TICK:
      b = CLICK(seed, 2600, 0.0012);
      break;
    case IN_SWELL: {  // reversed-cymbal riser: grows and brightens, stops on the next downbeat
      NOISE n(seed);
      SVF f;
      long i = 0;
      b = RENDER(len, [&](double t) {
        double u = t / len;
        if ((i++ & 15) == 0) f.SET(800 + 7000 * u * u, 1.2);
        f.RUN(n.WHITE());
        return (f.BAND + 0.3 * f.HIGH) * u * u * u * std::min(1.0, (len - t) / 0.01);
      });
      break;
    }
  }
  // levels that sit the instruments together at equal velocity
  static const double trim[] = {1.0, 1.0, 1.0, 1.0, 0.8, 2.0, 1.0, 1.0, 1.0, 0.3, 0.75, 1.0, 1.0, 0.7,
                                1.0, 0.8, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.7, 1.0, 1.0, 0.8};
  GAIN(b, vel * trim[in]);
  return b;
}

void NOTE(SONG& s, INSTRUMENT in, double beat, double beats, double midi, double vel, double pan,
          double send) {
  // the seed of a note's noise: from where it starts (humanised starts may lie
  // just before the loop start), its pitch and its instrument
  int64_t tick = static_cast<int64_t>(std::floor(beat * 96 + 0.5));
  uint64_t seed = s.SEED * 1000003ull + static_cast<uint64_t>(tick) * 131ull +
                  static_cast<uint64_t>(std::lround(midi * 7)) + static_cast<uint64_t>(in) * 17ull;
  SOUNDBUF n = RENDERNOTE(in, midi, beats * s.BEATSEC(), vel, seed);
  long at = SECS(beat * s.BEATSEC());
  ADDAT(s.DRY, n, at, 1.0 - 0.5 * send, pan, true);
  if (send > 0) ADDAT(s.SEND, n, at, send, pan, true);
}

SOUNDBUF SONGMIX(SONG& s, double roomsize, double wet) {
  SOUNDBUF out = s.DRY;
  SOUNDBUF rv = s.SEND;
  for (int c = 0; c < 2; c++) {
    REVERB r;
    r.INIT(roomsize, 0.45, c * 23);
    long n = rv.FRAMES();
    for (long i = 0; i < n; i++) r.RUN(rv.S[2 * i + c]);  // warm up over one turn
    for (long i = 0; i < n; i++) out.S[2 * i + c] += static_cast<float>(wet * r.RUN(rv.S[2 * i + c]));
  }
  HIGHPASSBUF(out, 28, true);
  double p = PEAKOF(out);
  if (p > 0) GAIN(out, 1.0 / p);
  for (float& v : out.S) v = static_cast<float>(SOFTCLIP(v, 1.6));  // gentle bus compression
  return out;
}

CHORD MAJ(int r) { return {r, {0, 4, 7}}; }
CHORD MIN(int r) { return {r, {0, 3, 7}}; }
CHORD SUS4(int r) { return {r, {0, 5, 7}}; }
CHORD DOM7(int r) { return {r, {0, 4, 7, 10}}; }
CHORD MIN7(int r) { return {r, {0, 3, 7, 10}}; }
CHORD MAJ7(int r) { return {r, {0, 4, 7, 11}}; }
CHORD POWER5(int r) { return {r, {0, 7}}; }

std::vector<int> VOICING(const CHORD& c, int centre) {
  std::vector<int> out;
  for (int iv : c.IVALS) {
    int pc = (c.ROOT + iv) % 12;
    int best = pc;
    for (int m = pc; m < 128; m += 12)
      if (std::abs(m - centre) < std::abs(best - centre)) best = m;
    out.push_back(best);
  }
  std::sort(out.begin(), out.end());
  return out;
}

void CHORDNOTES(SONG& s, INSTRUMENT in, const CHORD& c, int centre, double beat, double beats,
                double vel, double spread, double send) {
  std::vector<int> v = VOICING(c, centre);
  for (size_t k = 0; k < v.size(); k++) {
    double pan = v.size() > 1 ? spread * (2.0 * k / (v.size() - 1) - 1.0) : 0.0;
    NOTE(s, in, beat, beats, v[k], vel / std::sqrt(static_cast<double>(v.size())), pan, send);
  }
}

void PATTERN(SONG& s, INSTRUMENT in, const std::string& steps, double stepbeats, double beat,
             int repeats, double vel, double pan, double send) {
  NOISE n(s.SEED * 31 + static_cast<uint64_t>(in) * 7 + static_cast<uint64_t>(beat * 4));
  double at = beat;
  for (int r = 0; r < repeats; r++)
    for (char ch : steps) {
      if (ch == 'x' || ch == 'o') {
        double v = (ch == 'x' ? 1.0 : 0.45) * n.RANGE(0.88, 1.0);
        double jitter = n.RANGE(-0.006, 0.006) / s.BEATSEC();
        NOTE(s, in, at + jitter, stepbeats, 50, vel * v, pan, send);
      }
      at += stepbeats;
    }
}

// ---- melody writer ----

static bool INPCS(const std::vector<int>& pcs, int midi) {
  return std::find(pcs.begin(), pcs.end(), ((midi % 12) + 12) % 12) != pcs.end();
}

static int NEAREST(const std::vector<int>& set, int target) {
  int best = set.empty() ? target : set[0];
  for (int m : set)
    if (std::abs(m - target) < std::abs(best - target)) best = m;
  return best;
}

struct MOTIF {
  std::vector<double> RHYTHM;
  std::vector<int> STEPS;
};

std::vector<MNOTE> WRITEMELODY(const MELODYPLAN& m, const std::vector<CHORD>& barchords, int beatsperbar) {
  NOISE n(m.SEED);
  std::vector<MNOTE> out;
  std::vector<std::pair<char, MOTIF>> motifs;
  int prev = (m.LOW + m.HIGH) / 2;
  int bar = 0;
  for (char letter : m.FORM) {
    if (letter == ' ') continue;
    const CHORD& ch = barchords[bar % barchords.size()];
    std::vector<int> chordpcs;
    for (int iv : ch.IVALS) chordpcs.push_back((ch.ROOT + iv) % 12);
    std::vector<int> tones, allowed;
    for (int p = m.LOW; p <= m.HIGH; p++) {
      bool chordtone = INPCS(chordpcs, p);
      bool inscale = false;
      for (int d : m.SCALE)
        if (((p - m.TONIC) % 12 + 12) % 12 == d) inscale = true;
      bool rubs = !chordtone && (INPCS(chordpcs, p + 1) || INPCS(chordpcs, p - 1));
      if (chordtone) tones.push_back(p);
      if (chordtone || (inscale && !rubs)) allowed.push_back(p);
    }
    double barbeat = static_cast<double>(bar) * beatsperbar;
    if (letter == '.') {
      bar++;
      continue;
    }
    if (letter == '-') {  // a held chord tone
      int p = NEAREST(tones, prev);
      out.push_back({barbeat, static_cast<double>(beatsperbar), p});
      prev = p;
      bar++;
      continue;
    }
    auto it = std::find_if(motifs.begin(), motifs.end(), [&](auto& e) { return e.first == letter; });
    if (it == motifs.end()) {
      MOTIF mo;
      mo.RHYTHM = m.RHYTHMS[n.BELOW(static_cast<int>(m.RHYTHMS.size()))];
      for (size_t k = 0; k < mo.RHYTHM.size(); k++) {
        double r = n.UNIT();
        int step = r < 0.3 ? 1 : r < 0.6 ? -1 : r < 0.72 ? 2 : r < 0.84 ? -2 : r < 0.92 ? 0 : (n.UNIT() < 0.5 ? 3 : -3);
        mo.STEPS.push_back(k == 0 ? 0 : step);
      }
      motifs.push_back({letter, mo});
      it = motifs.end() - 1;
    }
    const MOTIF& mo = it->second;
    double at = 0;
    int cur = NEAREST(tones, prev);
    for (size_t k = 0; k < mo.RHYTHM.size(); k++) {
      double len = mo.RHYTHM[k];
      if (len < 0) {
        at += -len;
        continue;
      }
      if (k > 0) {
        auto pos = std::lower_bound(allowed.begin(), allowed.end(), cur) - allowed.begin();
        long idx = pos + mo.STEPS[k];
        if (idx < 0 || idx >= static_cast<long>(allowed.size())) idx = pos - mo.STEPS[k];  // mirror at the edges
        idx = std::clamp(idx, 0L, static_cast<long>(allowed.size()) - 1);
        cur = allowed[idx];
      }
      bool strong = std::fabs(at - std::round(at)) < 1e-6 &&
                    (static_cast<int>(std::round(at)) % (beatsperbar == 3 ? 3 : 2) == 0);
      if (strong) cur = NEAREST(tones, cur);
      out.push_back({barbeat + at, len, cur});
      at += len;
    }
    prev = cur;
    bar++;
  }
  return out;
}

void PLAYMELODY(SONG& s, INSTRUMENT in, const std::vector<MNOTE>& notes, double startbeat,
                int transpose, double vel, double pan, double send, double legato) {
  NOISE n(s.SEED + 77);
  for (const MNOTE& m : notes) {
    double accent = std::fabs(m.BEAT - std::round(m.BEAT)) < 1e-6 ? 1.0 : 0.85;
    double jitter = n.RANGE(-0.008, 0.008) / s.BEATSEC();  // a player's timing, not a grid's
    NOTE(s, in, startbeat + m.BEAT + jitter, m.BEATS * legato, m.MIDI + transpose, vel * accent * n.RANGE(0.9, 1.0),
         pan, send);
  }
}
