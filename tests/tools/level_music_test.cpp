// The campaign's per-level idle music: every level of the campaign has its
// loop under the name the game loads, the files are what the generator makes,
// they are as loud as the default idle music they replace and never clip,
// they loop without a click, and each track carries the pulse of its mood.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "audio/catalogue.h"
#include "audio/oggio.h"
#include "soundcheck.h"

namespace fs = std::filesystem;

namespace {

const fs::path CAMPAIGN = fs::path(ASHEN_SOURCE_DATA) / "CAMPAIGN" / "main";
const fs::path MUSICDIR = CAMPAIGN / "BCKM_MAPS";

const SOUNDBUF& DECODED(const fs::path& file) {
  static std::map<std::string, SOUNDBUF> cache;
  auto it = cache.find(file.string());
  if (it != cache.end()) return it->second;
  SOUNDBUF s;
  int rate = 0;
  std::string err;
  EXPECT_TRUE(DECODEOGGFILE(file.string(), s, rate, err)) << file << ": " << err;
  EXPECT_EQ(rate, 22050) << file;
  return cache[file.string()] = s;
}

// RMS of the loudest second, dBFS (channels averaged).
double LOUDNESS(const SOUNDBUF& s) {
  const long win = std::min<long>(22050, s.FRAMES());
  double e = 0, best = 0;
  for (long i = 0; i < s.FRAMES(); i++) {
    for (int c = 0; c < s.CHANNELS; c++) e += std::pow(s.S[i * s.CHANNELS + c], 2) / s.CHANNELS;
    if (i >= win)
      for (int c = 0; c < s.CHANNELS; c++) e -= std::pow(s.S[(i - win) * s.CHANNELS + c], 2) / s.CHANNELS;
    best = std::max(best, e);
  }
  return 10 * std::log10(std::max(best / win, 1e-15));
}

}  // namespace

// Every campaign level (every MAPS/Map<N>.txt from 100 up) has BCKM_MAPS/<N>.ogg,
// the table makes exactly those files, and nothing else lies in the folder.
TEST(LevelMusic, EveryCampaignLevelHasItsLoop) {
  std::set<std::string> levels, made, present;
  const std::regex map("Map([0-9]+)\\.txt");
  for (const auto& e : fs::directory_iterator(CAMPAIGN / "MAPS")) {
    std::smatch m;
    const std::string f = e.path().filename().string();
    if (std::regex_match(f, m, map) && std::stoi(m[1].str()) >= 100) levels.insert(m[1].str() + ".ogg");
  }
  for (const SOUNDFILEDEF& d : LEVELMUSIC) {
    EXPECT_TRUE(made.insert(d.FILE).second) << d.FILE << " twice";
    EXPECT_EQ(std::string(d.SLOTS), "96") << d.FILE;
    EXPECT_TRUE(d.LOOP) << d.FILE;
  }
  for (const auto& e : fs::directory_iterator(MUSICDIR)) present.insert(e.path().filename().string());
  // the six chapter openings at least, and every level the campaign has
  for (const char* opening : {"100.ogg", "101.ogg", "102.ogg", "103.ogg", "104.ogg", "105.ogg"})
    EXPECT_EQ(made.count(opening), 1u) << opening;
  EXPECT_GE(levels.size(), 6u);
  for (const std::string& f : levels) EXPECT_EQ(made.count(f), 1u) << "level " << f << " has no music";
  EXPECT_EQ(made, present) << "the folder holds exactly the generator's files (run make_sounds --level-music)";
}

// Regenerating gives the committed bytes (the shortest track; the rest share
// every building block with it).
TEST(LevelMusic, CommittedFilesAreTheGeneratorsOutput) {
  for (const SOUNDFILEDEF& d : LEVELMUSIC) {
    if (std::string(d.FILE) != "104.ogg") continue;
    std::vector<uint8_t> made, committed;
    std::string err;
    ASSERT_TRUE(MAKESOUNDFILE(d, made, nullptr, err)) << err;
    ASSERT_TRUE(READFILEBYTES((MUSICDIR / d.FILE).string(), committed));
    EXPECT_TRUE(made == committed) << d.FILE << " differs from the generator's output (run make_sounds --level-music)";
    return;
  }
  FAIL() << "no 104.ogg in the table";
}

// Stereo loops of at least 45 s, never clipping, without DC, as loud as the
// default idle music on the same channel (within 2.5 dB), joined without a
// click, and small: the whole set under 5 MB.
TEST(LevelMusic, LevelsLengthSeamAndSize) {
  const double reference = LOUDNESS(DECODED(fs::path(ASHEN_SOURCE_DATA) / "sounds" / "gothicsurveillance420.ogg"));
  uintmax_t total = 0;
  for (const SOUNDFILEDEF& d : LEVELMUSIC) {
    const fs::path f = MUSICDIR / d.FILE;
    ASSERT_TRUE(fs::exists(f)) << f;
    total += fs::file_size(f);
    const SOUNDBUF& s = DECODED(f);
    ASSERT_EQ(s.CHANNELS, 2) << d.FILE;
    EXPECT_GE(s.FRAMES(), 45L * 22050) << d.FILE;
    const double peak = 20 * std::log10(std::max(PEAKOF(s), 1e-12));
    EXPECT_LE(peak, -1.0) << d.FILE;
    for (int c = 0; c < 2; c++) EXPECT_LT(std::fabs(MEANOF(s, c)), 0.002) << d.FILE << " DC offset";
    EXPECT_NEAR(LOUDNESS(s), reference, 2.5) << d.FILE << " against the default idle music";
    for (int c = 0; c < 2; c++) {
      double seam, local;
      EXPECT_TRUE(SEAMISSMOOTH(s, c, seam, local)) << d.FILE << " channel " << c << ": seam " << seam << ", near it "
                                                   << local;
    }
  }
  EXPECT_LE(total, 5u * 1024 * 1024);
}

// The moods, measured: the tracks written with a beat pulse at their tempo
// (at the beat, the half beat or the bar, well above a lag off the grid); the
// first vision floats without one.
TEST(LevelMusic, EachMoodCarriesItsPulse) {
  const struct {
    const char* FILE;
    double BPM;  // the tempo the mood is written at
    bool BEAT;   // a steady beat, or none
  } moods[] = {{"100.ogg", 100, true}, {"102.ogg", 124, true}, {"103.ogg", 132, true}, {"105.ogg", 112, true},
               {"108.ogg", 138, true}, {"110.ogg", 126, true}, {"111.ogg", 120, true}, {"150.ogg", 48, false}};
  for (const auto& m : moods) {
    const SOUNDBUF& s = DECODED(MUSICDIR / m.FILE);
    const double beat = 60.0 / m.BPM;
    const double strength = std::max({PULSEAT(s, beat), PULSEAT(s, beat / 2), PULSEAT(s, beat * 4)});
    const double offgrid = PULSEAT(s, beat * 1.37);
    if (m.BEAT) {
      EXPECT_GE(strength, 0.2) << m.FILE << " has no steady beat at " << m.BPM << " bpm";
      EXPECT_GE(strength - offgrid, 0.15) << m.FILE << ": its beat does not stand out (off the grid " << offgrid << ")";
    } else {
      EXPECT_LE(std::max(PULSEAT(s, beat), PULSEAT(s, beat / 2)), 0.1) << m.FILE << " beats";
    }
  }
}
