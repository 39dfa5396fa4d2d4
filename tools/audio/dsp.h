// Signal building blocks of the audio generator: sample buffers, a seeded
// noise source, oscillators, filters, envelopes, a room reverb and the level
// helpers that every generated sound goes through.
//
// Everything is deterministic: no clock, no global random state, no library
// random distribution. The same build produces the same samples on every run.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int AUDIORATE = 22050;  // the mixer's device rate: no resampling at play time
constexpr double TWOPI = 6.283185307179586;

// Samples of one sound, interleaved when CHANNELS is 2, full scale = 1.0.
struct SOUNDBUF {
  int CHANNELS = 1;
  std::vector<float> S;
  long FRAMES() const { return CHANNELS ? static_cast<long>(S.size()) / CHANNELS : 0; }
};

SOUNDBUF MAKEBUF(double seconds, int channels = 1);
long SECS(double seconds);  // seconds -> frames

// Seeded noise: the same seed gives the same sequence everywhere.
struct NOISE {
  uint64_t STATE;
  explicit NOISE(uint64_t seed) : STATE(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint32_t NEXT();
  double UNIT();                  // 0 .. 1
  double WHITE() { return UNIT() * 2.0 - 1.0; }  // -1 .. 1
  int BELOW(int n) { return static_cast<int>(UNIT() * n) % (n > 0 ? n : 1); }
  double RANGE(double a, double b) { return a + (b - a) * UNIT(); }
};

// Oscillator shapes of a phase in cycles (any real, wraps at 1).
double SINEP(double phase);
double SAWP(double phase, double dphase);     // band-limited (polyBLEP)
double SQUAREP(double phase, double dphase, double duty = 0.5);
double TRIP(double phase);
double MIDIHZ(double note);                    // 69 = 440 Hz

// One-pole low- and high-pass filters.
struct ONEPOLE {
  double Z = 0, A = 0;
  void SETLP(double hz);
  double LP(double x) { Z += A * (x - Z); return Z; }
  double HP(double x) { Z += A * (x - Z); return x - Z; }
};

// State-variable filter (trapezoidal): low, band and high outputs at once.
struct SVF {
  double IC1 = 0, IC2 = 0, G = 0, K = 1, A1 = 0, A2 = 0, A3 = 0;
  double LOW = 0, BAND = 0, HIGH = 0;
  void SET(double hz, double q);
  double RUN(double x);  // returns LOW, fills BAND and HIGH
};

// Room reverb (parallel damped combs and series all-passes), one per channel.
struct REVERB {
  struct LINE { std::vector<float> B; size_t I = 0; double STORE = 0; };
  LINE COMB[8], ALLP[4];
  double FEEDBACK = 0.8, DAMP = 0.3;
  void INIT(double size, double damp, int spread);
  double RUN(double x);
};

// Envelopes (time in seconds).
double DECAYENV(double t, double tau);                     // exp(-t / tau)
double ADENV(double t, double attack, double tau);          // linear rise, exp fall
double ADSRENV(double t, double len, double a, double d, double s, double r);

// Shaping.
double SOFTCLIP(double x, double drive);  // tanh(x * drive) / tanh(drive)

// Buffer helpers.
void ADDAT(SOUNDBUF& dst, const SOUNDBUF& src, long at, double gain = 1.0, double pan = 0.0,
           bool wrap = false);
void APPLYREVERB(SOUNDBUF& b, double size, double damp, double wet, bool circular);
void LOWPASSBUF(SOUNDBUF& b, double hz, bool circular);
void HIGHPASSBUF(SOUNDBUF& b, double hz, bool circular);
void FADEEDGES(SOUNDBUF& b, double fadein, double fadeout);
SOUNDBUF TOSTEREO(const SOUNDBUF& b);
SOUNDBUF RESAMPLE(const SOUNDBUF& b, double factor);  // factor > 1 plays faster / higher
double PEAKOF(const SOUNDBUF& b);
double MEANOF(const SOUNDBUF& b, int channel);
// Loudness: the RMS level of the loudest second (the whole buffer when shorter), dBFS.
double LOUDESTSECONDDB(const SOUNDBUF& b);
// Removes the mean of each channel (no DC offset) and scales the peak to PEAKDB dBFS.
void FINISHLEVEL(SOUNDBUF& b, double peakdb);
