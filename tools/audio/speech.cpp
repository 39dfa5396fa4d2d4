// Spoken lines through espeak-ng and the character presets (see speech.h).
#include "speech.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "oggio.h"
#include "recipes.h"
#include "sfxkit.h"

extern char** environ;

const std::vector<VOICEPRESET> VOICEPRESETS = {
    // name, who, voice, speed, pitch, formant, ring, ringmix, drive, low, high,
    // comb ms, comb mix, echo s, echo mix, room, wet, hiss
    {"system", "the station's computer: deep, metallic, in a large hall", "en-us+m3", 150, 28, 0.88,
     55, 0.3, 1.6, 140, 5200, 6.5, 0.35, 0.23, 0.15, 0.75, 0.3, 0},
    {"soldier", "a soldier on the radio: narrow band, crackle", "en-us+m1", 170, 42, 1.0, 0, 0, 3.0,
     380, 3000, 0, 0, 0, 0, 0.2, 0.08, 0.015},
    {"commander", "the commander: low, slow, in a room", "en-gb+m7", 140, 22, 0.9, 0, 0, 1.2, 80,
     7000, 0, 0, 0, 0, 0.5, 0.18, 0},
    {"scientist", "a scientist: a woman's voice, close and clear", "en-us+f3", 160, 55, 1.0, 0, 0, 1.1,
     120, 7500, 0, 0, 0, 0, 0.3, 0.1, 0},
    {"ai", "the rogue machine mind: a cold, ringing woman's voice", "en-us+f2", 150, 62, 1.05, 160,
     0.25, 1.3, 150, 7000, 3.0, 0.45, 0.31, 0.25, 0.8, 0.3, 0},
    {"creature", "a monster that speaks: huge, rasping, ring-modulated", "en+m4", 125, 8, 0.74, 75,
     0.55, 2.8, 60, 4500, 0, 0, 0, 0, 0.9, 0.4, 0},
    {"survivor", "a frightened survivor: hushed and breathy", "en+m2", 155, 48, 1.0, 0, 0, 1.4, 200,
     5000, 0, 0, 0, 0, 0.35, 0.12, 0.004},
};

const VOICEPRESET* FINDVOICEPRESET(const std::string& name) {
  for (const VOICEPRESET& p : VOICEPRESETS)
    if (name == p.NAME) return &p;
  return nullptr;
}

// Reads a 16-bit mono PCM WAV file as written by the synthesiser.
static bool READWAV(const std::vector<uint8_t>& d, SOUNDBUF& out, int& rate) {
  if (d.size() < 44 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0)
    return false;
  size_t at = 12;
  int channels = 1, bits = 16;
  rate = 0;
  while (at + 8 <= d.size()) {
    uint32_t len = d[at + 4] | (d[at + 5] << 8) | (d[at + 6] << 16) | (static_cast<uint32_t>(d[at + 7]) << 24);
    const uint8_t* p = d.data() + at + 8;
    if (std::memcmp(d.data() + at, "fmt ", 4) == 0 && len >= 16) {
      channels = p[2] | (p[3] << 8);
      rate = p[4] | (p[5] << 8) | (p[6] << 16) | (p[7] << 24);
      bits = p[14] | (p[15] << 8);
    } else if (std::memcmp(d.data() + at, "data", 4) == 0) {
      if (bits != 16 || channels < 1) return false;
      size_t avail = std::min<size_t>(len, d.size() - at - 8);  // the synthesiser may leave the size open
      if (len == 0 || len == 0xFFFFFFFFu) avail = d.size() - at - 8;
      size_t frames = avail / (2 * channels);
      out.CHANNELS = 1;
      out.S.resize(frames);
      for (size_t i = 0; i < frames; i++) {
        int16_t v = static_cast<int16_t>(p[2 * channels * i] | (p[2 * channels * i + 1] << 8));
        out.S[i] = v / 32768.0f;
      }
      return rate > 0;
    }
    at += 8 + len + (len & 1);
  }
  return false;
}

static bool RUNESPEAK(const std::string& text, const VOICEPRESET& v, double speedscale, SOUNDBUF& out,
                      std::string& error) {
  char dir[] = "/tmp/ashenvoiceXXXXXX";
  if (!mkdtemp(dir)) {
    error = "cannot make a temporary folder";
    return false;
  }
  std::string txt = std::string(dir) + "/line.txt", wav = std::string(dir) + "/line.wav";
  std::vector<uint8_t> tb(text.begin(), text.end());
  WRITEFILEBYTES(txt, tb);
  std::string speed = std::to_string(static_cast<int>(std::lround(v.SPEED * speedscale)));
  std::string pitch = std::to_string(v.PITCH);
  std::vector<std::string> args = {"espeak-ng", "-v", v.ESPEAK, "-s", speed, "-p", pitch, "-f", txt, "-w", wav};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  int rc = posix_spawnp(&pid, "espeak-ng", nullptr, nullptr, argv.data(), environ);
  int status = 0;
  bool ok = rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  std::vector<uint8_t> data;
  int rate = 0;
  if (!ok) error = "espeak-ng did not run (install the espeak-ng package)";
  else if (!READFILEBYTES(wav, data) || !READWAV(data, out, rate)) ok = false, error = "espeak-ng wrote no usable WAV";
  std::remove(txt.c_str());
  std::remove(wav.c_str());
  rmdir(dir);
  if (ok && rate != AUDIORATE) out = RESAMPLE(out, static_cast<double>(rate) / AUDIORATE);
  return ok;
}

bool SPEAK(const std::string& text, const VOICEPRESET& v, SOUNDBUF& out, std::string& error) {
  SOUNDBUF raw;
  // Resampling by FORMANT moves pitch, formants and tempo together; the
  // synthesiser speaks faster or slower by the same factor beforehand.
  if (!RUNESPEAK(text, v, 1.0 / v.FORMANT, raw, error)) return false;
  SOUNDBUF b = v.FORMANT != 1.0 ? RESAMPLE(raw, v.FORMANT) : raw;
  // room for echoes and reverb
  b.S.resize(b.S.size() + static_cast<size_t>(SECS(0.3 + v.ROOM * 1.2 + v.ECHOSEC * 3)), 0.0f);
  HIGHPASSBUF(b, v.LOWCUT, false);
  LOWPASSBUF(b, v.HIGHCUT, false);
  double p = PEAKOF(b);
  if (p > 0) GAIN(b, 1.0 / p);
  if (v.RINGMIX > 0) RINGMOD(b, v.RINGHZ, v.RINGMIX);
  if (v.DRIVE > 0) DRIVE(b, v.DRIVE);
  if (v.COMBMIX > 0) {
    long d = SECS(v.COMBMS / 1000.0);
    for (long i = static_cast<long>(b.S.size()) - 1; i >= d; i--) b.S[i] += static_cast<float>(v.COMBMIX * b.S[i - d]);
  }
  if (v.HISS > 0) {
    NOISE n(7);
    for (float& s : b.S) s += static_cast<float>(v.HISS * n.WHITE());
    HIGHPASSBUF(b, v.LOWCUT, false);
    LOWPASSBUF(b, v.HIGHCUT, false);
  }
  if (v.ECHOMIX > 0) {
    long d = SECS(v.ECHOSEC);
    for (long i = d; i < static_cast<long>(b.S.size()); i++) b.S[i] += static_cast<float>(v.ECHOMIX * b.S[i - d]);
  }
  if (v.WET > 0) APPLYREVERB(b, v.ROOM, 0.4, v.WET, false);
  // trim the tail where it falls below -54 dB of the peak
  double top = PEAKOF(b);
  long last = static_cast<long>(b.S.size()) - 1;
  while (last > 0 && std::fabs(b.S[last]) < 2e-3 * top) last--;
  b.S.resize(std::min(b.S.size(), static_cast<size_t>(last + SECS(0.05))));
  FADEEDGES(b, 0.003, 0.04);
  out = b;
  return true;
}

// A fixed line of the game; an empty buffer when the synthesiser fails (the
// caller reports it).
static SOUNDBUF SAYFIXED(const char* text, const char* preset) {
  SOUNDBUF b;
  std::string err;
  if (!SPEAK(text, *FINDVOICEPRESET(preset), b, err)) {
    std::fprintf(stderr, "make_sounds: \"%s\": %s\n", text, err.c_str());
    b.S.clear();
  }
  return b;
}

SOUNDBUF VOX_WEAPONACQUIRED(uint64_t) { return SAYFIXED("Weapon acquired.", "system"); }
SOUNDBUF VOX_ACCESSGRANTED(uint64_t) { return SAYFIXED("Access granted.", "system"); }
SOUNDBUF VOX_ARMORACQUIRED(uint64_t) { return SAYFIXED("Armor acquired.", "system"); }
SOUNDBUF VOX_TERM1(uint64_t) { return SAYFIXED("Player one, terminated.", "system"); }
SOUNDBUF VOX_TERM2(uint64_t) { return SAYFIXED("Player two, terminated.", "system"); }
