// Building blocks of the sound generator: filters, level finishing, the
// seeded noise and the Ogg Vorbis round trip.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/dsp.h"
#include "audio/oggio.h"

namespace {

SOUNDBUF SINE(double hz, double seconds, double amp, int channels = 1) {
  SOUNDBUF b = MAKEBUF(seconds, channels);
  for (long i = 0; i < b.FRAMES(); i++)
    for (int c = 0; c < channels; c++)
      b.S[i * channels + c] = static_cast<float>(amp * std::sin(TWOPI * hz * i / AUDIORATE + c));
  return b;
}

double RMS(const SOUNDBUF& b, long from) {
  double e = 0;
  long n = 0;
  for (long i = from * b.CHANNELS; i < static_cast<long>(b.S.size()); i++, n++) e += b.S[i] * b.S[i];
  return n ? std::sqrt(e / n) : 0;
}

}  // namespace

// Two-pole filters: about unity far inside the pass band, -3 dB at the
// corner, about -24 dB two octaves into the stop band (a little more toward
// the top of the band, where the trapezoidal filter steepens).
TEST(Dsp, FiltersCutWhereTheySay) {
  struct CASE { bool low; double hz, expectdb, tol; };
  const CASE cases[] = {{true, 125, 0, 0.5}, {true, 1000, -3, 1.0}, {true, 4000, -25, 2.5},
                        {false, 8000, 0, 0.5}, {false, 1000, -3, 1.0}, {false, 250, -24, 2.5}};
  for (const CASE& c : cases) {
    SOUNDBUF b = SINE(c.hz, 1.0, 0.5);
    double in = RMS(b, SECS(0.5));
    if (c.low) LOWPASSBUF(b, 1000, false);
    else HIGHPASSBUF(b, 1000, false);
    double db = 20 * std::log10(RMS(b, SECS(0.5)) / in);
    EXPECT_NEAR(db, c.expectdb, c.tol) << (c.low ? "low" : "high") << "-pass at " << c.hz << " Hz";
  }
}

TEST(Dsp, FinishLevelRemovesOffsetAndSetsPeak) {
  SOUNDBUF b = SINE(200, 0.5, 0.3, 2);
  for (long i = 0; i < b.FRAMES(); i++) b.S[2 * i + 1] += 0.2f;  // offset on the right channel
  FINISHLEVEL(b, -6.0);
  EXPECT_NEAR(MEANOF(b, 0), 0.0, 1e-4);
  EXPECT_NEAR(MEANOF(b, 1), 0.0, 1e-4);
  EXPECT_NEAR(20 * std::log10(PEAKOF(b)), -6.0, 0.01);
}

TEST(Dsp, NoiseIsSeededAndEven) {
  NOISE a(42), b(42), c(43);
  int same = 0, differ = 0, bins[10] = {};
  for (int i = 0; i < 100000; i++) {
    uint32_t x = a.NEXT(), y = b.NEXT(), z = c.NEXT();
    same += x == y;
    differ += x != z;
    bins[static_cast<int>(x / 4294967296.0 * 10)]++;
  }
  EXPECT_EQ(same, 100000);
  EXPECT_GT(differ, 99990);
  for (int k : bins) EXPECT_NEAR(k, 10000, 500);
}

// Encoding keeps length and channels exactly, is close to the input, gives
// the same bytes twice, and damaged data is refused rather than decoded.
TEST(Dsp, OggRoundTrip) {
  for (int channels : {1, 2})
    for (double seconds : {0.01, 0.3, 1.7}) {
      SOUNDBUF b = SINE(440, seconds, 0.5, channels);
      std::vector<uint8_t> one = ENCODEOGG(b, 0.4, 99, "test"), two = ENCODEOGG(b, 0.4, 99, "test");
      ASSERT_FALSE(one.empty());
      EXPECT_TRUE(one == two);
      SOUNDBUF d;
      int rate = 0;
      std::string err;
      ASSERT_TRUE(DECODEOGG(one, d, rate, err)) << err;
      EXPECT_EQ(rate, AUDIORATE);
      EXPECT_EQ(d.CHANNELS, channels);
      ASSERT_EQ(d.FRAMES(), b.FRAMES()) << channels << " channels, " << seconds << " s";
      if (seconds > 1) {
        double e = 0, s = 0;
        for (size_t i = 0; i < b.S.size(); i++) e += std::pow(d.S[i] - b.S[i], 2), s += b.S[i] * b.S[i];
        EXPECT_GT(10 * std::log10(s / e), 20.0) << "signal to error";
      }
    }
  SOUNDBUF d;
  int rate = 0;
  std::string err;
  std::vector<uint8_t> junk(5000, 0x4F);
  EXPECT_FALSE(DECODEOGG(junk, d, rate, err));
  EXPECT_FALSE(err.empty());
  std::vector<uint8_t> good = ENCODEOGG(SINE(300, 1.0, 0.5), 0.4, 1, "t");
  good.resize(good.size() / 3);  // cut off: what is there decodes, nothing crashes
  err.clear();
  DECODEOGG(good, d, rate, err);
  EXPECT_LT(d.FRAMES(), SECS(1.0));
}
