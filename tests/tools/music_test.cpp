// The music sequencer: instruments play in tune, the melody writer keeps to
// the harmony and repeats its motifs, and notes past the loop end sound at
// its start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "audio/music.h"

namespace {

// Pitch by autocorrelation over 50..300 ms of the left channel, refined
// between lags; searched within half an octave of EXPECT.
double MEASUREPITCH(const SOUNDBUF& b, double expect) {
  long a = SECS(0.05), n = SECS(0.25);
  int lo = static_cast<int>(AUDIORATE / (expect * 1.4)), hi = static_cast<int>(AUDIORATE / (expect / 1.4));
  auto corr = [&](int lag) {
    double c = 0;
    for (long i = a; i < a + n; i++) c += b.S[2 * i] * b.S[2 * (i + lag)];
    return c;
  };
  int best = lo;
  for (int l = lo; l <= hi; l++)
    if (corr(l) > corr(best)) best = l;
  double c0 = corr(best - 1), c1 = corr(best), c2 = corr(best + 1);
  double shift = 0.5 * (c0 - c2) / (c0 - 2 * c1 + c2);
  return AUDIORATE / (best + shift);
}

}  // namespace

TEST(Music, PitchedInstrumentsPlayInTune) {
  const INSTRUMENT pitched[] = {IN_PAD, IN_STRINGS, IN_BRASS, IN_BASS, IN_SUBBASS, IN_PLUCK, IN_BELL,
                                IN_EPIANO, IN_ORGAN, IN_CHOIR, IN_FLUTE, IN_REED, IN_DRONE, IN_POWER};
  for (INSTRUMENT in : pitched)
    for (double midi : {45.0, 57.0, 69.0, 81.0}) {
      if (midi > 70 && (in == IN_BASS || in == IN_SUBBASS || in == IN_DRONE)) continue;
      SONG s;
      SONGINIT(s, 60, 4, 2, 1);
      NOTE(s, in, 0, 2, midi, 1.0, 0, 0);
      double want = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
      double got = MEASUREPITCH(s.DRY, want);
      EXPECT_NEAR(1200 * std::log2(got / want), 0.0, 10.0) << "instrument " << in << " note " << midi;
    }
}

// Over a progression with a major chord on the fifth of a minor key (whose
// third is not in the scale): every note lies in range; notes on strong beats
// are chord tones; no note sits a semitone against a chord tone; bars with the
// same motif letter share their rhythm.
TEST(Music, MelodyKeepsToTheHarmony) {
  std::vector<CHORD> prog = {MIN(45), MAJ(41), MIN(50), MAJ(40), MIN(45), MAJ(43), MAJ(48), MAJ(40)};
  for (uint64_t seed = 1; seed <= 20; seed++) {
    MELODYPLAN m;
    m.TONIC = 45;
    m.SCALE = SCALE_MINOR;
    m.LOW = 60;
    m.HIGH = 79;
    m.RHYTHMS = {{1, 1, 2}, {1.5, 0.5, 1, 1}, {0.5, 0.5, 1, 2}, {-1, 1, 1, 1}, {2, 1, 1}};
    m.FORM = "ABAC AB.-";
    m.SEED = seed;
    std::vector<MNOTE> notes = WRITEMELODY(m, prog, 4);
    ASSERT_FALSE(notes.empty());
    std::map<int, std::vector<double>> rhythm;  // bar -> onsets within the bar
    for (const MNOTE& n : notes) {
      int bar = static_cast<int>(n.BEAT / 4);
      double inbar = n.BEAT - bar * 4;
      rhythm[bar].push_back(inbar);
      const CHORD& c = prog[bar];
      std::vector<int> pcs;
      for (int iv : c.IVALS) pcs.push_back((c.ROOT + iv) % 12);
      auto has = [&](int midi) { return std::find(pcs.begin(), pcs.end(), ((midi % 12) + 12) % 12) != pcs.end(); };
      EXPECT_GE(n.MIDI, m.LOW);
      EXPECT_LE(n.MIDI, m.HIGH);
      EXPECT_LE(n.BEAT + n.BEATS, 8 * 4 + 1e-9);
      if (std::fabs(inbar) < 1e-9 || std::fabs(inbar - 2) < 1e-9) {
        EXPECT_TRUE(has(n.MIDI)) << "seed " << seed << " bar " << bar << " beat " << inbar << " note " << n.MIDI;
      }
      if (!has(n.MIDI)) {
        EXPECT_FALSE(has(n.MIDI + 1) || has(n.MIDI - 1)) << "seed " << seed << " bar " << bar << " note " << n.MIDI;
      }
    }
    EXPECT_EQ(rhythm[0], rhythm[2]) << "seed " << seed;  // A
    EXPECT_EQ(rhythm[0], rhythm[4]) << "seed " << seed;  // A
    EXPECT_EQ(rhythm[1], rhythm[5]) << "seed " << seed;  // B
    EXPECT_EQ(rhythm.count(6), 0u) << "seed " << seed;   // rest bar
    ASSERT_EQ(rhythm[7].size(), 1u) << "seed " << seed;  // held note
  }
}

TEST(Music, NotesPastTheEndSoundAtTheStart) {
  SONG s;
  SONGINIT(s, 120, 4, 1, 3);  // two seconds
  NOTE(s, IN_ORGAN, 3.5, 1.0, 69, 1.0, 0, 0);  // from 1.75 s for 0.5 s
  auto rms = [&](double from, double to) {
    double e = 0;
    long a = SECS(from), z = SECS(to);
    for (long i = a; i < z; i++) e += s.DRY.S[2 * i] * s.DRY.S[2 * i];
    return std::sqrt(e / (z - a));
  };
  EXPECT_GT(rms(0.0, 0.2), 0.05);   // the second half of the note
  EXPECT_LT(rms(0.6, 1.6), 1e-4);   // silence between
  EXPECT_GT(rms(1.8, 2.0), 0.05);
}

// The track layers put their notes where their steps say: at 60 bpm a beat is
// one second, so each beat's window shows whether something sounds in it.
namespace {
double BEATRMS(const SOUNDBUF& b, double from, double to) {
  long a = SECS(from), z = SECS(to);
  double e = 0;
  for (long i = a; i < z; i++) e += b.S[2 * i] * b.S[2 * i];
  return std::sqrt(e / std::max(1L, z - a));
}
FIGURE FIG(std::vector<int> order, int every) {
  FIGURE f;
  f.ORDER = std::move(order);
  f.STEP = 1;
  f.LEN = 0.5;
  f.EVERY = every;
  return f;
}
TRACK ORGANTRACK(int bars) {
  return STARTTRACK({.BPM = 60, .BEATS = 4, .BARS = bars, .PROG = {MAJ(57)}, .TONIC = 57, .SCALE = SCALE_MAJOR,
                     .LOW = 60, .HIGH = 72, .RHYTHMS = {{4}}, .FORM = "", .FORM2 = "", .SALT = 1},
                    5);
}
}  // namespace

TEST(Music, LayersPlayOnTheirStepsAndBars) {
  const struct {
    const char* WHAT;
    std::function<void(TRACK&)> WRITE;
    std::vector<int> SOUNDING;  // beats (of 16) with a note starting in them
  } cases[] = {
      {"figure with rests, bars 1..2",
       [](TRACK& t) { FIGURELAYER(t, IN_ORGAN, 64, FIG({0, -1}, 1), 1, 3); },
       {4, 6, 8, 10}},
      {"figure on even notes only",
       [](TRACK& t) { FIGURELAYER(t, IN_ORGAN, 64, FIG({0}, 2), 0, 1); },
       {0, 2}},
      {"bass line with a held root and a rest",
       [](TRACK& t) { BASSLAYER(t, IN_ORGAN, "r-.o", 1, 0, 3, 4, 0.8, 0); },
       {12, 13, 15}},
      {"drum pattern repeated to fill the bar",
       [](TRACK& t) { DRUMLAYER(t, IN_TOM, "x.", 1, 2, 3, 0.8, 0, 0); },
       {8, 10}},
  };
  for (const auto& c : cases) {
    TRACK t = ORGANTRACK(4);
    c.WRITE(t);
    for (int beat = 0; beat < 16; beat++) {
      // a note sounds in the first half of its beat; the window skips the
      // release of a note that ended in the beat before
      const double rms = BEATRMS(t.S.DRY, beat + 0.2, beat + 0.45);
      const bool want = std::find(c.SOUNDING.begin(), c.SOUNDING.end(), beat) != c.SOUNDING.end();
      if (want) {
        EXPECT_GT(rms, 0.01) << c.WHAT << ": beat " << beat << " is silent";
      } else {
        EXPECT_LT(rms, 1e-3) << c.WHAT << ": beat " << beat << " sounds";
      }
    }
  }
  // the bass line: the root, held through its '-', then the octave above it
  TRACK t = ORGANTRACK(4);
  BASSLAYER(t, IN_ORGAN, "r-.o", 1, 0, 0, 1, 0.8, 0);
  SOUNDBUF held = MAKEBUF(1.0, 2), high = MAKEBUF(1.0, 2);
  std::copy(t.S.DRY.S.begin() + 2 * SECS(1.0), t.S.DRY.S.begin() + 2 * SECS(2.0), held.S.begin());
  std::copy(t.S.DRY.S.begin() + 2 * SECS(3.0), t.S.DRY.S.begin() + 2 * SECS(4.0), high.S.begin());
  EXPECT_NEAR(MEASUREPITCH(held, 220.0), 220.0, 2.0);
  EXPECT_NEAR(MEASUREPITCH(high, 440.0), 440.0, 4.0);
}
