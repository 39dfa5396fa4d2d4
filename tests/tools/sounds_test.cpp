// The generated sound files: the committed files are what the generator
// makes, every slot of the game's table has its file, levels stay under the
// ceiling without DC offset, loops join without a step, the set stays small,
// and the voice mode speaks campaign lines in distinct character voices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "audio/catalogue.h"
#include "audio/oggio.h"
#include "soundcheck.h"
#include "test_util.h"

namespace {

const std::string SOUNDDIR = std::string(ASHEN_SOURCE_DATA) + "/sounds/";

const SOUNDFILEDEF* ENTRY(const std::string& file) {
  for (const SOUNDFILEDEF& d : SOUNDFILES)
    if (file == d.FILE) return &d;
  return nullptr;
}

std::set<int> SLOTSOF(const char* text) {
  std::set<int> out;
  std::string s = text;
  size_t at = 0;
  while (at < s.size()) {
    size_t end = s.find(',', at);
    std::string part = s.substr(at, end == std::string::npos ? std::string::npos : end - at);
    int a = 0, b = 0;
    if (std::sscanf(part.c_str(), " %d-%d", &a, &b) == 2)
      for (int k = a; k <= b; k++) out.insert(k);
    else if (std::sscanf(part.c_str(), " %d", &a) == 1)
      out.insert(a);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return out;
}

struct DECODED {
  SOUNDBUF S;
  int RATE = 0;
};

const DECODED& LOADED(const std::string& file) {
  static std::map<std::string, DECODED> cache;
  auto it = cache.find(file);
  if (it != cache.end()) return it->second;
  DECODED d;
  std::string err;
  EXPECT_TRUE(DECODEOGGFILE(SOUNDDIR + file, d.S, d.RATE, err)) << file << ": " << err;
  return cache[file] = d;
}

}  // namespace

// The slot table of the game, with the file names it fixes; the slots whose
// names are free only need some file. Slots 0, 82 and 86 are filled at play time.
TEST(SoundFiles, EverySlotOfTheTableHasItsFile) {
  const std::map<int, std::string> fixed = {
      {4, "launcher"}, {5, "dropmine"}, {6, "hseeker"}, {7, "mineblow"}, {8, "phurt1"}, {9, "phurt2"},
      {10, "pickhlth"}, {11, "pickwpn"}, {12, "pldeth1"}, {13, "respawn"}, {14, "respawn2"},
      {15, "explode"}, {16, "gameload"}, {17, "gamesave"}, {18, "mhurt1"}, {19, "mhurt2"}, {20, "mhurt3"},
      {21, "mdeath1"}, {22, "mdeath2"}, {23, "mdeath3"}, {24, "railgun"}, {25, "rexplode"},
      {26, "pickgold"}, {45, "pickgold"}, {46, "noammo"}, {47, "nochain"}, {48, "gun"}, {49, "tank"},
      {50, "texplode"}, {51, "intank"}, {52, "step1"}, {53, "step2"}, {54, "step3"}, {55, "step4"},
      {56, "flame"}, {57, "danger1"}, {58, "danger2"}, {59, "sea"}, {60, "menu1"}, {61, "rain"},
      {62, "door"}, {63, "mnotice1"}, {64, "mnotice2"}, {65, "mnotice3"}, {66, "sweapon1"},
      {72, "sweapon7"}, {73, "pickgold"}, {74, "mchain"}, {75, "kb1"}, {76, "kb2"}, {77, "kb3"},
      {78, "mini"}, {79, "plasma"}, {80, "phit"}, {81, "teleport"}, {85, "_redalert"}, {87, "doorback"},
      {88, "nokey"}, {89, "textwindow"}, {90, "wpn_aq"}, {91, "acc_g"}, {92, "armor_aq"}, {95, "notice"},
      {96, "gothicsurveillance420"}, {97, "tankgun"}, {98, "emptyship"}, {100, "cutscene_loop"},
      {102, "12_full_the-dark-knight_0127"}, {103, "epic_battle"}, {104, "credits"}, {105, "tulah"}};
  std::map<int, std::string> fileof;
  for (const SOUNDFILEDEF& d : SOUNDFILES)
    for (int s : SLOTSOF(d.SLOTS)) {
      EXPECT_EQ(fileof.count(s), 0u) << "slot " << s << " twice";
      fileof[s] = d.FILE;
    }
  for (int s = 1; s <= 105; s++) {
    if (s == 82 || s == 86) {
      EXPECT_EQ(fileof.count(s), 0u) << "slot " << s << " is loaded at play time";
      continue;
    }
    ASSERT_EQ(fileof.count(s), 1u) << "slot " << s << " has no file";
    EXPECT_TRUE(std::filesystem::exists(SOUNDDIR + fileof[s])) << fileof[s];
    auto f = fixed.find(s);
    if (f != fixed.end()) {
      EXPECT_EQ(fileof[s], f->second + ".ogg") << "slot " << s;
    }
  }
  // nothing in the folder that the table does not make
  for (auto& e : std::filesystem::directory_iterator(SOUNDDIR))
    EXPECT_NE(ENTRY(e.path().filename().string()), nullptr) << "stray file " << e.path();
}

// Regenerating gives the committed bytes. A full run takes about 20 s of one
// core, mostly the music; this checks one file of every kind and every effect
// whose recipe is cheap, so a drift in any building block shows.
TEST(SoundFiles, CommittedFilesAreTheGeneratorsOutput) {
  std::vector<std::string> files;
  for (const SOUNDFILEDEF& d : SOUNDFILES)
    if (d.KIND == SK_EFFECT) files.push_back(d.FILE);
  files.push_back("sea.ogg");                           // ambience
  files.push_back("12_full_the-dark-knight_0127.ogg");  // music
  if (RUNCOMMAND("espeak-ng --version").CODE == 0) files.push_back("term1.ogg");  // speech
  for (const std::string& f : files) {
    const SOUNDFILEDEF* d = ENTRY(f);
    ASSERT_NE(d, nullptr) << f;
    std::vector<uint8_t> made, committed;
    std::string err;
    ASSERT_TRUE(MAKESOUNDFILE(*d, made, nullptr, err)) << f << ": " << err;
    ASSERT_TRUE(READFILEBYTES(SOUNDDIR + f, committed)) << f;
    EXPECT_TRUE(made == committed) << f << " differs from the generator's output (run make_sounds)";
  }
}

TEST(SoundFiles, LevelsFormatAndBudget) {
  size_t total = 0;
  for (const SOUNDFILEDEF& d : SOUNDFILES) {
    const DECODED& s = LOADED(d.FILE);
    total += std::filesystem::file_size(SOUNDDIR + d.FILE);
    EXPECT_EQ(s.RATE, 22050) << d.FILE;
    ASSERT_GT(s.S.FRAMES(), 0) << d.FILE;
    double peakdb = 20 * std::log10(std::max(PEAKOF(s.S), 1e-12));
    EXPECT_LE(peakdb, -1.0) << d.FILE;
    EXPECT_GT(peakdb, -45.0) << d.FILE << " is silent";
    for (int c = 0; c < s.S.CHANNELS; c++) EXPECT_LT(std::fabs(MEANOF(s.S, c)), 0.002) << d.FILE << " DC offset";
    if (d.KIND == SK_MUSIC) {
      EXPECT_GE(s.S.FRAMES(), 60L * 22050) << d.FILE << " shorter than a minute";
      EXPECT_EQ(s.S.CHANNELS, 2) << d.FILE;
    }
  }
  EXPECT_LE(total, 30u * 1024 * 1024);
}

TEST(SoundFiles, SeamCheckCatchesAClick) {
  // a whole number of sine periods joins; a cut part-way through a period does not
  for (auto [periods, smooth] : {std::pair{441.0, true}, std::pair{440.4, false}, std::pair{440.75, false}}) {
    SOUNDBUF b = MAKEBUF(1.0);
    for (long i = 0; i < b.FRAMES(); i++) b.S[i] = static_cast<float>(0.5 * std::sin(TWOPI * periods * i / b.FRAMES()));
    double seam, local;
    EXPECT_EQ(SEAMISSMOOTH(b, 0, seam, local), smooth) << periods << " periods: seam " << seam << " local " << local;
  }
}

TEST(SoundFiles, LoopsJoinWithoutAStep) {
  int loops = 0;
  for (const SOUNDFILEDEF& d : SOUNDFILES) {
    if (!d.LOOP) continue;
    loops++;
    const SOUNDBUF& s = LOADED(d.FILE).S;
    ASSERT_GT(s.FRAMES(), 5000) << d.FILE;
    for (int c = 0; c < s.CHANNELS; c++) {
      double seam, local;
      EXPECT_TRUE(SEAMISSMOOTH(s, c, seam, local)) << d.FILE << " channel " << c << ": seam step " << seam
                                                   << ", largest step near it " << local;
    }
  }
  EXPECT_GE(loops, 16);  // 7 music tracks, 7 ambiences and the alarms
}

TEST(SoundFiles, VoiceModeSpeaksInDistinctCharacters) {
  if (RUNCOMMAND("espeak-ng --version").CODE != 0) GTEST_SKIP() << "espeak-ng is not installed";
  TempDir tmp;
  const std::string line = "Hold the gate until the tanks arrive.";
  std::map<std::string, std::vector<double>> power;
  for (const char* preset : {"soldier", "creature", "scientist"}) {
    std::string out = tmp.path + "/" + preset + ".ogg";
    COMMANDRESULT r = RUNCOMMAND(std::string(MAKESOUNDS_BINARY) + " --voice " + preset + " --text '" + line +
                                 "' --out " + out);
    ASSERT_EQ(r.CODE, 0) << r.OUTPUT;
    SOUNDBUF s;
    int rate = 0;
    std::string err;
    ASSERT_TRUE(DECODEOGGFILE(out, s, rate, err)) << err;
    EXPECT_GT(s.FRAMES(), 22050) << preset << ": a spoken sentence lasts more than a second";
    EXPECT_LE(20 * std::log10(PEAKOF(s)), -1.0) << preset;
    power[preset] = SPECTRUM(s);
  }
  // the radio voice keeps to its narrow band; the creature's weight sits low;
  // the woman's voice reaches higher than the radio
  EXPECT_GT(BANDSHARE(power["soldier"], 300, 3500), 0.95);
  EXPECT_GT(BANDSHARE(power["creature"], 0, 400), 2 * BANDSHARE(power["soldier"], 0, 400));
  EXPECT_GT(BANDSHARE(power["creature"], 0, 400), BANDSHARE(power["scientist"], 0, 400));
  EXPECT_GT(BANDSHARE(power["scientist"], 3500, 11025), 5 * BANDSHARE(power["soldier"], 3500, 11025));

  // a list of lines, and the refusals
  std::string list = tmp.path + "/lines.txt";
  std::vector<uint8_t> text;
  std::string body = "# campaign lines\nv100_1|commander|Move out.\n\nv100_2|ai|You should not be here.\n";
  text.assign(body.begin(), body.end());
  ASSERT_TRUE(WRITEFILEBYTES(list, text));
  COMMANDRESULT r = RUNCOMMAND(std::string(MAKESOUNDS_BINARY) + " --voice-list " + list + " --out " + tmp.path);
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  EXPECT_TRUE(std::filesystem::exists(tmp.path + "/v100_1.ogg"));
  EXPECT_TRUE(std::filesystem::exists(tmp.path + "/v100_2.ogg"));
  r = RUNCOMMAND(std::string(MAKESOUNDS_BINARY) + " --voice nobody --text hello --out " + tmp.path + "/x.ogg");
  EXPECT_NE(r.CODE, 0);
  EXPECT_NE(r.OUTPUT.find("nobody"), std::string::npos) << r.OUTPUT;
  body = "bad line without fields\n../escape|ai|text\n";
  text.assign(body.begin(), body.end());
  ASSERT_TRUE(WRITEFILEBYTES(list, text));
  r = RUNCOMMAND(std::string(MAKESOUNDS_BINARY) + " --voice-list " + list + " --out " + tmp.path);
  EXPECT_NE(r.CODE, 0);
  EXPECT_NE(r.OUTPUT.find("line 1"), std::string::npos) << r.OUTPUT;
  EXPECT_FALSE(std::filesystem::exists(tmp.path + "/../escape.ogg"));
}

// What the player hears: file level times the slot's volume at the settings
// 10 and 10 (the game's volume table). No slot blasts over the rest and none
// is lost under them; the music tracks sit at one loudness.
static double VOLUMEAT10(int slot) {
  switch (slot) {
    case 5: case 75: case 76: case 77: case 99: return 128;
    case 90: case 91: case 92: case 93: case 94: return 85;
    case 98: case 88: case 89: case 105: return 64;
    case 101: return 58;
    case 1: case 85: case 103: case 104: return 42;
    case 97: case 60: return 32;
    case 18: case 19: case 20: case 21: case 22: case 23: case 95: return 25;
    case 2: case 79: return 21;
    case 3: return 18;
    case 83: return 8;
    case 100: case 102: return 16;
    case 96: return 36.57;  // the idle music's fade target
    default: return 14;
  }
}

TEST(SoundFiles, SlotVolumesGiveABalancedMix) {
  std::vector<double> music;
  for (const SOUNDFILEDEF& d : SOUNDFILES) {
    const SOUNDBUF& s = LOADED(d.FILE).S;
    int slot = *SLOTSOF(d.SLOTS).begin();
    double vol = 20 * std::log10(VOLUMEAT10(slot) / 128.0);
    double peak = 20 * std::log10(std::max(PEAKOF(s), 1e-12)) + vol;
    // loudness: RMS over the loudest second
    long win = std::min<long>(22050, s.FRAMES());
    double best = 0, e = 0;
    for (long i = 0; i < s.FRAMES(); i++) {
      for (int c = 0; c < s.CHANNELS; c++) e += std::pow(s.S[i * s.CHANNELS + c], 2) / s.CHANNELS;
      if (i >= win)
        for (int c = 0; c < s.CHANNELS; c++) e -= std::pow(s.S[(i - win) * s.CHANNELS + c], 2) / s.CHANNELS;
      best = std::max(best, e);
    }
    double loud = 10 * std::log10(std::max(best / win, 1e-15)) + vol;
    EXPECT_LE(peak, -10.0) << d.FILE << " blasts over the rest";
    EXPECT_GE(loud, -62.0) << d.FILE << " is lost under the rest";
    if (d.KIND == SK_MUSIC) music.push_back(loud);
  }
  auto [lo, hi] = std::minmax_element(music.begin(), music.end());
  EXPECT_LE(*hi - *lo, 8.0) << "music tracks differ too much in loudness";
}
