// A small loop sequencer for the generated music: instruments, chords, a
// melody writer and drum patterns. A SONG is one turn of an endless loop;
// every note is written modulo the loop length, so tails that run past the end
// sound at the start, and the reverb runs over the loop twice, so the end of
// the file leads into its start without a step.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dsp.h"

enum INSTRUMENT {
  IN_PAD, IN_STRINGS, IN_BRASS, IN_BASS, IN_SUBBASS, IN_PLUCK, IN_BELL, IN_EPIANO, IN_ORGAN,
  IN_CHOIR, IN_FLUTE, IN_REED, IN_DRONE, IN_POWER,
  IN_KICK, IN_SNARE, IN_HAT, IN_OPENHAT, IN_CRASH, IN_TOM, IN_TIMPANI, IN_TAIKO, IN_DUM, IN_TEK,
  IN_SHAKER, IN_TICK, IN_SWELL  // IN_SWELL: a rising noise that leads into a section
};

struct SONG {
  double BPM = 100;
  int BEATS = 4;  // beats per bar
  int BARS = 16;
  uint64_t SEED = 1;
  SOUNDBUF DRY, SEND;  // stereo buses: direct sound and reverb send
  double SECONDS() const { return BARS * BEATS * 60.0 / BPM; }
  double BEATSEC() const { return 60.0 / BPM; }
};

void SONGINIT(SONG& s, double bpm, int beats, int bars, uint64_t seed);
// One note: start and length in beats from the loop start, MIDI pitch,
// velocity 0..1, pan -1..1, reverb send 0..1.
void NOTE(SONG& s, INSTRUMENT in, double beat, double beats, double midi, double vel, double pan,
          double send);
// Mixes the buses (reverb of the given size and wetness) into the finished loop.
SOUNDBUF SONGMIX(SONG& s, double roomsize, double wet);

// A chord: root as a MIDI note and the pitch classes above it.
struct CHORD {
  int ROOT;                // MIDI note of the root in the bass octave
  std::vector<int> IVALS;  // semitones above the root (0 included)
};
CHORD MAJ(int root);
CHORD MIN(int root);
CHORD SUS4(int root);
CHORD DOM7(int root);
CHORD MIN7(int root);
CHORD MAJ7(int root);
CHORD POWER5(int root);

// Chord notes voiced near CENTRE (MIDI), one per interval.
std::vector<int> VOICING(const CHORD& c, int centre);

// Plays a chord as a held instrument from BEAT for BEATS.
void CHORDNOTES(SONG& s, INSTRUMENT in, const CHORD& c, int centre, double beat, double beats,
                double vel, double spread, double send);

// Drum pattern: one character per step ('x' full, 'o' soft, '.' rest) of
// STEPBEATS beats each, from BEAT, repeated for REPEATS times.
void PATTERN(SONG& s, INSTRUMENT in, const std::string& steps, double stepbeats, double beat,
             int repeats, double vel, double pan, double send);

// The melody writer. Each bar of the form takes a motif letter; bars with the
// same letter share rhythm and contour, fitted to that bar's chord. Strong
// beats land on chord tones, the others on scale tones that do not rub a
// semitone against the chord. '-' holds a long note on a chord tone, '.' rests.
struct MELODYPLAN {
  int TONIC = 57;                 // MIDI note of the key
  std::vector<int> SCALE;         // pitch classes above the tonic
  int LOW = 60, HIGH = 81;        // range
  std::vector<std::vector<double>> RHYTHMS;  // candidate bar rhythms (beat lengths; negative = rest)
  std::string FORM;               // one letter per bar, e.g. "ABAC ABAD"
  uint64_t SEED = 1;
};
struct MNOTE { double BEAT, BEATS; int MIDI; };
std::vector<MNOTE> WRITEMELODY(const MELODYPLAN& m, const std::vector<CHORD>& barchords, int beatsperbar);
void PLAYMELODY(SONG& s, INSTRUMENT in, const std::vector<MNOTE>& notes, double startbeat,
                int transpose, double vel, double pan, double send, double legato = 0.95);

extern const std::vector<int> SCALE_MINOR, SCALE_MAJOR, SCALE_HARMONIC, SCALE_PHRYGDOM, SCALE_DORIAN,
    SCALE_PHRYGIAN, SCALE_WHOLETONE;

// ---- track building (musiclayers.cpp): what every track shares ----

// The frame of a track: tempo, metre, length, a repeating chord progression
// and a theme with its variation, written by the melody writer in the key.
struct TRACKPLAN {
  double BPM = 100;
  int BEATS = 4, BARS = 16;
  std::vector<CHORD> PROG;
  int TONIC = 57;
  std::vector<int> SCALE;
  int LOW = 60, HIGH = 81;
  std::vector<std::vector<double>> RHYTHMS;
  std::string FORM, FORM2;  // theme and variation ("" = none)
  uint64_t SALT = 1;        // the melodies' seed is the track's seed + SALT
};
struct TRACK {
  SONG S;
  std::vector<CHORD> PROG;
  std::vector<MNOTE> THEME, VAR;
  const CHORD& CHORDAT(int bar) const { return PROG[static_cast<size_t>(bar) % PROG.size()]; }
  double BARBEAT(int bar) const { return static_cast<double>(bar) * S.BEATS; }
};
TRACK STARTTRACK(const TRACKPLAN& p, uint64_t seed);
// Calls FN for every bar of the track with the bar's chord and first beat.
void EACHBAR(TRACK& t, const std::function<void(int bar, const CHORD& c, double beat)>& fn);

// A figure over a chord: its tones voiced near CENTRE in the order of ORDER
// (indices into the voicing; 9 = the root an octave up, -1 = a rest), one per
// STEP beats, each LEN beats long. The first note has velocity FIRST, the
// others VEL; odd notes are scaled by OFFBEAT. Note k pans to PAN + SWEEP *
// (k mod 4) / 3. EVERY = 2 plays only the even notes.
struct FIGURE {
  std::vector<int> ORDER;
  double STEP = 0.5, LEN = 0.5;
  double FIRST = 0.4, VEL = 0.4, OFFBEAT = 1.0;
  double PAN = 0, SWEEP = 0, SEND = 0.3;
  int EVERY = 1;
};
void FIGUREBAR(SONG& s, INSTRUMENT in, const CHORD& c, int centre, double beat, double beats, const FIGURE& f);

// Layers over the bars FROM .. TO - 1 of a track, one call per part:
// a figure in every bar,
void FIGURELAYER(TRACK& t, INSTRUMENT in, int centre, const FIGURE& f, int from, int to);
// the chord held for HOLD bars at a time,
void HOLDLAYER(TRACK& t, INSTRUMENT in, int centre, int from, int to, double vel, double spread, double send,
               int hold = 1);
// a drum pattern repeated to fill each bar,
void DRUMLAYER(TRACK& t, INSTRUMENT in, const std::string& steps, double stepbeats, int from, int to, double vel,
               double pan, double send);
// a bass line, one character per step of STEPBEATS: 'r' root, 'f' fifth,
// 't' third, 'o' root an octave up, '-' holds the note before, '.' rests;
// OCTAVE shifts the chord's root register by octaves.
void BASSLAYER(TRACK& t, INSTRUMENT in, const std::string& steps, double stepbeats, int octave, int from, int to,
               double vel, double send);
