// Measurements of generated sound shared by the tool tests: the loop seam,
// the average spectrum and the share of power in a band.
#pragma once
#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "audio/dsp.h"

// A loop's end must lead into its start like any two neighbouring samples:
// the step from the last sample to the first may not stand out from the steps
// around it (50 ms on either side of the seam).
inline bool SEAMISSMOOTH(const SOUNDBUF& s, int c, double& seam, double& local) {
  long n = s.FRAMES(), w = 1102;
  auto at = [&](long i) { return s.S[(((i % n) + n) % n) * s.CHANNELS + c]; };
  seam = std::fabs(at(0) - at(n - 1));
  local = 0;
  for (long i = -w; i <= w; i++)
    if (i != 0) local = std::max(local, static_cast<double>(std::fabs(at(i) - at(i - 1))));
  return seam <= std::max(local * 1.2, 0.004);
}

// Average power spectrum (1024-point frames) of a mono buffer.
inline std::vector<double> SPECTRUM(const SOUNDBUF& s) {
  const int win = 1024;
  std::vector<double> p(win / 2, 0.0);
  for (long at = 0; at + win <= s.FRAMES(); at += win / 2) {
    std::vector<std::complex<double>> a(win);
    for (int i = 0; i < win; i++) a[i] = s.S[(at + i) * s.CHANNELS] * (0.5 - 0.5 * std::cos(TWOPI * i / win));
    for (size_t i = 1, j = 0; i < a.size(); i++) {  // radix-2 FFT
      size_t bit = a.size() >> 1;
      for (; j & bit; bit >>= 1) j ^= bit;
      j ^= bit;
      if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= a.size(); len <<= 1)
      for (size_t i = 0; i < a.size(); i += len)
        for (size_t k = 0; k < len / 2; k++) {
          auto w = std::polar(1.0, -TWOPI * k / len);
          auto u = a[i + k], v = a[i + k + len / 2] * w;
          a[i + k] = u + v;
          a[i + k + len / 2] = u - v;
        }
    for (int k = 0; k < win / 2; k++) p[k] += std::norm(a[k]);
  }
  return p;
}

inline double BANDSHARE(const std::vector<double>& p, double lo, double hi) {
  double in = 0, all = 0;
  for (size_t k = 0; k < p.size(); k++) {
    double hz = k * 22050.0 / 1024;
    all += p[k];
    if (hz >= lo && hz < hi) in += p[k];
  }
  return all > 0 ? in / all : 0;
}


// How strongly a sound pulses with a period of SECONDS: the autocorrelation
// of its onset envelope (the rises of level between 10 ms frames) at that lag,
// against its value at lag 0: near 1 for a steady beat, near 0 for none.
inline double PULSEAT(const SOUNDBUF& s, double seconds) {
  const long hop = 220, n = s.FRAMES() / hop;
  std::vector<double> level(n), onset(n, 0.0);
  for (long f = 0; f < n; f++) {
    double e = 1e-9;
    for (long i = f * hop; i < (f + 1) * hop; i++)
      for (int c = 0; c < s.CHANNELS; c++) e += static_cast<double>(s.S[i * s.CHANNELS + c]) * s.S[i * s.CHANNELS + c];
    level[f] = 10 * std::log10(e);
  }
  for (long f = 1; f < n; f++) onset[f] = std::max(0.0, level[f] - level[f - 1]);
  double mean = 0;
  for (double o : onset) mean += o / n;
  for (double& o : onset) o -= mean;
  auto corr = [&](long lag) {
    double c = 0;
    for (long f = 0; f < n; f++) c += onset[f] * onset[(f + lag) % n];  // the loop wraps
    return c;
  };
  const double zero = corr(0), lag = seconds * AUDIORATE / hop;
  double best = -1;
  for (long l = static_cast<long>(lag) - 1; l <= static_cast<long>(lag) + 2; l++)
    if (l > 0) best = std::max(best, corr(l) / zero);
  return best;
}
