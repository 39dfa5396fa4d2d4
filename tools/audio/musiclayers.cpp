// Track building shared by every music track (see music.h): the frame of a
// track with its melodies, and the layers a part is written with.
#include <algorithm>
#include <cmath>

#include "music.h"

const std::vector<int> SCALE_PHRYGIAN = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> SCALE_WHOLETONE = {0, 2, 4, 6, 8, 10};

TRACK STARTTRACK(const TRACKPLAN& p, uint64_t seed) {
  TRACK t;
  SONGINIT(t.S, p.BPM, p.BEATS, p.BARS, seed);
  t.PROG = p.PROG;
  MELODYPLAN m;
  m.TONIC = p.TONIC;
  m.SCALE = p.SCALE;
  m.LOW = p.LOW;
  m.HIGH = p.HIGH;
  m.RHYTHMS = p.RHYTHMS;
  m.SEED = seed + p.SALT;
  if (!p.FORM.empty()) {
    m.FORM = p.FORM;
    t.THEME = WRITEMELODY(m, p.PROG, p.BEATS);
  }
  if (!p.FORM2.empty()) {
    m.FORM = p.FORM2;
    t.VAR = WRITEMELODY(m, p.PROG, p.BEATS);
  }
  return t;
}

void FIGUREBAR(SONG& s, INSTRUMENT in, const CHORD& c, int centre, double beat, double beats, const FIGURE& f) {
  if (f.ORDER.empty() || f.STEP <= 0) return;
  std::vector<int> v = VOICING(c, centre);
  int k = 0;
  for (double b = 0; b < beats - 1e-6; b += f.STEP, k++) {
    int idx = f.ORDER[static_cast<size_t>(k) % f.ORDER.size()];
    if (idx < 0 || k % f.EVERY != 0) continue;
    int note = idx == 9 ? v[0] + 12 : v[static_cast<size_t>(idx) % v.size()];
    double pan = f.PAN + f.SWEEP * (k % 4) / 3.0;
    double vel = (k == 0 ? f.FIRST : f.VEL) * (k % 2 ? f.OFFBEAT : 1.0);
    NOTE(s, in, beat + b, f.LEN, note, vel, pan, f.SEND);
  }
}

void FIGURELAYER(TRACK& t, INSTRUMENT in, int centre, const FIGURE& f, int from, int to) {
  for (int bar = from; bar < to; bar++) FIGUREBAR(t.S, in, t.CHORDAT(bar), centre, t.BARBEAT(bar), t.S.BEATS, f);
}

void HOLDLAYER(TRACK& t, INSTRUMENT in, int centre, int from, int to, double vel, double spread, double send,
               int hold) {
  if (hold < 1) hold = 1;
  for (int bar = from; bar < to; bar += hold) {
    double beats = static_cast<double>(std::min(hold, to - bar)) * t.S.BEATS;
    CHORDNOTES(t.S, in, t.CHORDAT(bar), centre, t.BARBEAT(bar), beats, vel, spread, send);
  }
}

void DRUMLAYER(TRACK& t, INSTRUMENT in, const std::string& steps, double stepbeats, int from, int to, double vel,
               double pan, double send) {
  if (steps.empty() || stepbeats <= 0) return;
  int repeats = std::max(1, static_cast<int>(std::lround(t.S.BEATS / (stepbeats * steps.size()))));
  for (int bar = from; bar < to; bar++) PATTERN(t.S, in, steps, stepbeats, t.BARBEAT(bar), repeats, vel, pan, send);
}

void BASSLAYER(TRACK& t, INSTRUMENT in, const std::string& steps, double stepbeats, int octave, int from, int to,
               double vel, double send) {
  for (int bar = from; bar < to; bar++) {
    const CHORD& c = t.CHORDAT(bar);
    const int root = c.ROOT + 12 * octave;
    const int third = root + (c.IVALS.size() > 1 ? c.IVALS[1] : 0);
    double at = t.BARBEAT(bar);
    for (size_t k = 0; k < steps.size() && at < t.BARBEAT(bar + 1) - 1e-6; k++, at += stepbeats) {
      int note = steps[k] == 'r' ? root : steps[k] == 'f' ? root + 7 : steps[k] == 't' ? third
                 : steps[k] == 'o' ? root + 12 : -1;
      if (note < 0) continue;
      size_t held = 1;
      while (k + held < steps.size() && steps[k + held] == '-') held++;
      double accent = k == 0 ? 1.0 : 0.8;
      NOTE(t.S, in, at, stepbeats * held * 0.92, note, vel * accent, 0, send);
    }
  }
}

void EACHBAR(TRACK& t, const std::function<void(int bar, const CHORD& c, double beat)>& fn) {
  for (int bar = 0; bar < t.S.BARS; bar++) fn(bar, t.CHORDAT(bar), t.BARBEAT(bar));
}
