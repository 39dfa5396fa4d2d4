// Start-up with sound: time from program start to the first frame drawn
// after every slot of the sound table is loaded, on the real SDL back-end
// (run under a display, e.g. xvfb-run; the audio goes to SDL's silent
// "dummy" device unless SDL_AUDIODRIVER says otherwise). Also shows when the
// background decoding of every sample has finished, and how long the same
// files take to decode one after another in the foreground.
//
//   xvfb-run -a build/bench_sound_startup [runs] [data folder] [level]
//
// Without a data folder it uses the repository's data when its sounds/ folder
// holds every file of the slot table; otherwise it builds a stand-in set of
// the same shape (music loops of 75 s, ambience loops of 20 s, short effects;
// Ogg Vorbis when the encoder library was found at build time, else WAVE) in
// a cache folder under /tmp. With a level number it launches that level
// directly instead of showing the menu.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "benchsetup.h"
#include "base/harness.h"
#include "base/paths.h"
#include "display/backend.h"
#include "display/backendforward.h"
#include "display/backend_sdl.h"
#include "display/backend_sdl_audio.h"
#include "shell/startup.h"
#include "sound/sound.h"

#ifdef ASHEN_HAVE_VORBISENC
#include <vorbis/vorbisenc.h>
#endif

namespace fs = std::filesystem;

namespace {
BENCHCLOCK::time_point T0;

// Seconds of audio the stand-in file of a slot holds, and its channel count.
void standInShape(int slot, double& secs, int& channels) {
  static const int music[] = {60, 96, 100, 102, 103, 104, 105};
  static const int ambience[] = {59, 61, 83, 84, 98, 99, 101};
  channels = 2;
  if (std::find(std::begin(music), std::end(music), slot) != std::end(music)) {
    secs = 75;
  } else if (std::find(std::begin(ambience), std::end(ambience), slot) != std::end(ambience)) {
    secs = 20;
  } else {
    channels = 1;
    secs = (slot == 93 || slot == 94) ? 3.0 : 0.2 + (slot % 7) * 0.2;
  }
}

// A tone with a slow sweep and some noise, so the encoder has work to do.
float sampleAt(int64_t i, int c, int slot, uint32_t& seed) {
  const double t = i / 22050.0;
  seed = seed * 1103515245u + 12345u;
  const double noise = ((seed >> 16) & 0x7FFF) / 16384.0 - 1.0;
  return static_cast<float>(0.25 * std::sin(6.2831853 * (110 + slot * 7 + 20 * std::sin(t)) * t) +
                            0.1 * std::sin(6.2831853 * 331 * t * (1 + 0.01 * c)) + 0.05 * noise);
}

#ifdef ASHEN_HAVE_VORBISENC
bool writeStandIn(const std::string& path, int slot) {
  double secs;
  int ch;
  standInShape(slot, secs, ch);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  vorbis_info vi;
  vorbis_info_init(&vi);
  vorbis_encode_init_vbr(&vi, ch, 22050, 0.3f);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, slot);
  ogg_packet h1, h2, h3;
  vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_stream_packetin(&os, &h3);
  ogg_page og;
  auto page = [&]() {
    std::fwrite(og.header, 1, og.header_len, f);
    std::fwrite(og.body, 1, og.body_len, f);
  };
  while (ogg_stream_flush(&os, &og)) page();
  const int64_t total = static_cast<int64_t>(secs * 22050);
  int64_t done = 0;
  uint32_t seed = static_cast<uint32_t>(slot);
  bool eos = false;
  while (!eos) {
    const int64_t n = std::min<int64_t>(1024, total - done);
    if (n > 0) {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (int64_t i = 0; i < n; i++)
        for (int c = 0; c < ch; c++) buf[c][i] = sampleAt(done + i, c, slot, seed);
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      done += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) {
          page();
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  std::fclose(f);
  return true;
}
const char* const STANDINKIND = "ogg";
#else
bool writeStandIn(const std::string& path, int slot) {
  double secs;
  int ch;
  standInShape(slot, secs, ch);
  const uint32_t n = static_cast<uint32_t>(secs * 22050) * ch;
  std::string d = "RIFF";
  auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; i++) d += static_cast<char>(v >> (8 * i)); };
  auto u16 = [&](uint32_t v) { d += static_cast<char>(v); d += static_cast<char>(v >> 8); };
  u32(36 + n * 2);
  d += "WAVEfmt ";
  u32(16); u16(1); u16(ch); u32(22050); u32(22050 * 2 * ch); u16(2 * ch); u16(16);
  d += "data";
  u32(n * 2);
  uint32_t seed = static_cast<uint32_t>(slot);
  for (uint32_t i = 0; i < n; i++)
    u16(static_cast<uint16_t>(static_cast<int16_t>(20000 * sampleAt(i / ch, i % ch, slot, seed))));
  std::ofstream(path, std::ios::binary) << d;
  return true;
}
const char* const STANDINKIND = "wav";
#endif

bool hasEverySlotFile(const std::string& data) {
  for (int s = 1; s < NUMSOUNDS; s++)
    if (SLOTFILE[s][0] && !fs::exists(fs::path(data) / SOUNDFILENAME(SLOTFILE[s]))) return false;
  return true;
}

// The stand-in data folder: the repository's data with our sounds folder.
std::string standInData() {
  const std::string dir = std::string("/tmp/ashen_bench_sounds_") + STANDINKIND + "_v1";
  const std::string done = dir + "/complete";
  if (fs::exists(done)) return dir + "/data";
  fs::remove_all(dir);
  fs::create_directories(dir + "/data/sounds");
  for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA))
    if (e.path().filename() != "sounds")
      fs::create_directory_symlink(e.path(), fs::path(dir + "/data") / e.path().filename());
  std::fprintf(stderr, "writing stand-in sounds (%s) to %s ...\n", STANDINKIND, dir.c_str());
  for (int s = 1; s < NUMSOUNDS; s++) {
    if (!SLOTFILE[s][0]) continue;
    const std::string f = dir + "/data/" + SOUNDFILENAME(SLOTFILE[s]);
    if (!fs::exists(f)) writeStandIn(f, s);
  }
  std::ofstream(done) << "ok\n";
  return dir + "/data";
}

// Passes everything to the SDL back-end and notes the first frame presented
// after the slot table is loaded, then when every sample is decoded.
class TIMEDBACKEND : public FORWARDBACKEND {
 public:
  explicit TIMEDBACKEND(BACKEND* b) : FORWARDBACKEND(b) {}
  ~TIMEDBACKEND() override { delete IN; }
  double FIRSTFRAME = -1, LOADSTART = -1, ALLDECODED = -1, OPENED = -1;
  bool UPLOADED = false;
  double WAITPLAY = 0;  // time spent starting sounds before the first frame (their decoding)

  bool OPEN(int32_t& w, int32_t& h) override {
    bool r = IN->OPEN(w, h);
    OPENED = BENCHWALLMS(T0);
    return r;
  }
  int32_t UPLOADTEXTURE(const IMAGE& img) override {
    UPLOADED = true;
    return IN->UPLOADTEXTURE(img);
  }
  void ENDFRAME() override {
    IN->ENDFRAME();
    // Without sound the menu is the first frame after the glyphs are uploaded.
    if ((SOUNDON ? !SOUNDTABLELOADED : !UPLOADED) || FIRSTFRAME >= 0) return;
    FIRSTFRAME = BENCHWALLMS(T0);
    while (IN->SOUNDSPENDING() > 0) IN->IDLE(1);
    ALLDECODED = BENCHWALLMS(T0);
    throw HARNESSEXIT{};
  }
  int32_t LOADSOUND(const std::string& p) override {
    if (LOADSTART < 0) LOADSTART = BENCHWALLMS(T0);
    return IN->LOADSOUND(p);
  }
  void PLAYSOUND(int32_t c, int32_t h, int32_t l) override {
    const auto t = BENCHCLOCK::now();
    IN->PLAYSOUND(c, h, l);
    if (FIRSTFRAME < 0) WAITPLAY += BENCHWALLMS(t);
  }
};

// One start-up in this process; prints "first-frame decoded loadstart" in ms.
int runOnce(const char* argv0, const std::string& data, const std::string& level) {
  T0 = BENCHCLOCK::now();
  const std::string user = "/tmp/ashen_bench_user_" + std::to_string(getpid());
  HARNESS = HARNESSOPTIONS();
  HARNESS.DATA = data;
  HARNESS.USERDIR = user;
  HARNESS.WIDTH = 640;
  HARNESS.HEIGHT = 360;
  GAMEPARAMS.clear();
  if (!level.empty()) GAMEPARAMS.push_back(level);
  if (getenv("ASHEN_BENCH_NOSOUND")) GAMEPARAMS.push_back("NOSOUND");
  std::string searched;
  if (!FINDDATAFOLDER(argv0, searched)) return 1;
  auto* timed = new TIMEDBACKEND(MAKESDLBACKEND(640, 360));
  THEBACKEND = timed;
  HOLLOWMERESTART();
  std::printf("%.1f %.1f %.1f %.1f %d %.1f\n", timed->FIRSTFRAME, timed->ALLDECODED,
              timed->LOADSTART, timed->OPENED, SOUNDON ? 1 : 0, timed->WAITPLAY);
  fs::remove_all(user);
  return timed->FIRSTFRAME < 0 ? 1 : 0;
}

// Decodes every distinct file of the table one after another, as a loader
// without background decoding would at start-up.
double foregroundDecodeMs(const std::string& data) {
  SDLAUDIO audio;
  if (!audio.OPEN()) return -1;
  std::vector<std::string> files;
  for (int s = 1; s < NUMSOUNDS; s++) {
    if (!SLOTFILE[s][0]) continue;
    const std::string f = data + "/" + SOUNDFILENAME(SLOTFILE[s]);
    if (std::find(files.begin(), files.end(), f) == files.end()) files.push_back(f);
  }
  const auto t = BENCHCLOCK::now();
  for (const std::string& f : files) audio.PLAY(1, audio.LOAD(f), 0);  // PLAY waits for the decode
  const double ms = BENCHWALLMS(t);
  audio.CLOSE();
  return ms;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "dummy", 1);
  if (argc >= 4 && std::string(argv[1]) == "--once")
    return runOnce(argv[0], argv[2], argc >= 4 ? argv[3] : "");
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string data = argc > 2 ? argv[2] : "";
  const std::string level = argc > 3 ? argv[3] : "";
  if (data.empty()) data = hasEverySlotFile(ASHEN_SOURCE_DATA) ? ASHEN_SOURCE_DATA : standInData();
  data = fs::absolute(data).string();
  std::printf("data folder: %s%s\n", data.c_str(),
              hasEverySlotFile(data) ? "" : " (some slot files missing)");
  std::printf("start-up to %s, %d runs (each a fresh process)\n",
              level.empty() ? "the menu" : ("level " + level).c_str(), runs);
  std::vector<double> first, decoded, loadstart, opened, waitplay;
  for (int r = 0; r < runs; r++) {
    const std::string cmd = std::string("'") + argv[0] + "' --once '" + data + "' '" + level +
                            "' > /tmp/ashen_bench_once.txt 2>/dev/null";
    const int st = std::system(cmd.c_str());
    double a = -1, b = -1, c = -1, d = -1, w = -1;
    int on = 0;
    FILE* f = std::fopen("/tmp/ashen_bench_once.txt", "r");
    if (f) {
      if (std::fscanf(f, "%lf %lf %lf %lf %d %lf", &a, &b, &c, &d, &on, &w) != 6) a = -1;
      std::fclose(f);
    }
    if (st != 0 || a < 0) {
      std::printf("run %d failed (is a display there? try xvfb-run -a)\n", r + 1);
      return 1;
    }
    if (!on) std::printf("run %d: no audio device, sound was off\n", r + 1);
    first.push_back(a);
    decoded.push_back(b);
    loadstart.push_back(c);
    opened.push_back(d);
    waitplay.push_back(w);
  }
  std::printf("window open                        %7.1f ms (median)\n", median(opened));
  std::printf("sound table starts loading         %7.1f ms\n", median(loadstart));
  std::printf("first frame with every slot loaded %7.1f ms   (goal: under 500)\n", median(first));
  std::printf("  of which starting sounds (decoding on first use) %7.1f ms\n", median(waitplay));
  std::printf("every sample decoded (background)  %7.1f ms\n", median(decoded));
  // The same start-up without sound: what the window and glyphs cost alone.
  std::vector<double> silent;
  for (int r = 0; r < runs; r++) {
    const std::string cmd = std::string("ASHEN_BENCH_NOSOUND=1 '") + argv[0] + "' --once '" +
                            data + "' '" + level + "' > /tmp/ashen_bench_once.txt 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) continue;
    double a = -1;
    FILE* f = std::fopen("/tmp/ashen_bench_once.txt", "r");
    if (f && std::fscanf(f, "%lf", &a) == 1 && a >= 0) silent.push_back(a);
    if (f) std::fclose(f);
  }
  std::printf("first frame with NOSOUND           %7.1f ms\n", median(silent));
  std::printf("same files decoded in the foreground, one after another: %.1f ms\n",
              foregroundDecodeMs(data));
  return 0;
}
