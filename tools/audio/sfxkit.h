// Recipe helpers shared by the sound-effect units: each renders one layer of
// a sound (a thump, a burst of filtered noise, a bell, a vocal cry) into a new
// mono buffer; the recipes mix layers together.
#pragma once
#include "dsp.h"

// A layer rendered sample by sample: FN(t, i) gives the value at time t.
SOUNDBUF RENDER(double seconds, const std::function<double(double t)>& fn);

// Low sine thump whose pitch falls from F0 to F1 with time constant PTAU.
SOUNDBUF THUMP(double seconds, double f0, double f1, double ptau, double tau);
// Noise through a low-pass whose cut-off falls from C0 to C1 (time constant
// CTAU), under an attack/decay envelope; Q is the filter resonance.
SOUNDBUF NOISEHIT(uint64_t seed, double seconds, double c0, double c1, double ctau,
                  double attack, double tau, double q = 0.7);
// Band-passed noise with a centre sweeping from F0 to F1 linearly.
SOUNDBUF NOISESWEEP(uint64_t seed, double seconds, double f0, double f1, double q,
                    double attack, double release);
// Inharmonic metal ring (struck plate / clang): partials over BASE.
SOUNDBUF METALRING(uint64_t seed, double seconds, double base, double tau, int partials);
// Bell-like tone (sine with decaying partials).
SOUNDBUF BELL(double seconds, double hz, double tau, double bright);
// A short click: a few samples of decaying filtered noise.
SOUNDBUF CLICK(uint64_t seed, double hz, double tau);
// A tone with a pitch glide, SHAPE 0 sine, 1 square, 2 saw, 3 triangle.
SOUNDBUF GLIDE(double seconds, double f0, double f1, int shape, double attack, double release);

// A vocal cry: a glottal pulse through three formant filters.
struct CRY {
  double SECONDS = 0.5;
  double PITCH0 = 180, PITCH1 = 120;   // pitch glide start/end
  double F1 = 700, F2 = 1200, F3 = 2600;  // formants at start
  double G1 = 700, G2 = 1200, G3 = 2600;  // formants at end
  double ROUGH = 0.0;    // sub-harmonic growl and jitter, 0 .. 1
  double BREATH = 0.1;   // noise in the source
  double ATTACK = 0.02, RELEASE = 0.15;
  double VIBRATO = 0.0;  // semitones
  double VIBHZ = 6.0;
  double DECAY = 0.0;    // 0 steady; larger sinks the level over the cry (a yelp)
  double SWELL = 0.0;    // 0 steady; larger puts the loudest point later (a roar building)
  double TREMHZ = 0.0, TREM = 0.0;  // amplitude flutter (a throat rattle)
};
SOUNDBUF CRYOUT(uint64_t seed, const CRY& c);

// Mix helpers.
void MIXIN(SOUNDBUF& dst, const SOUNDBUF& src, double atsec, double gain = 1.0);
SOUNDBUF SILENCE(double seconds);
void GAIN(SOUNDBUF& b, double g);
void DRIVE(SOUNDBUF& b, double drive);
void RINGMOD(SOUNDBUF& b, double hz, double mix);
void ECHOES(SOUNDBUF& b, double delaysec, double feedback, double mix);
