// Generates the game's sounds into data/sounds: effects, ambience loops, music
// loops and the system's spoken lines, all synthesised here (the spoken lines
// by the espeak-ng speech synthesiser), encoded as Ogg Vorbis. Every run
// writes the same bytes. The generator's recipes live in tools/audio/.
//
// Usage:
//   make_sounds [--out DIR] [FILE ...]           every file of the table, or the named ones
//   make_sounds --level-music [--out DIR] [FILE ...]
//                                                the campaign's per-level idle music (100.ogg ..),
//                                                by default into data/CAMPAIGN/main/BCKM_MAPS
//   make_sounds --voice PRESET --text TEXT --out FILE.ogg
//                                                one spoken line in a character's voice
//   make_sounds --voice-list LIST --out DIR      one line per entry "name|preset|text" of LIST,
//                                                written as DIR/name.ogg (blank lines and '#' skipped)
//   make_sounds --presets                        the character presets
//   make_sounds --table                          the slot table as Markdown (docs/sounds.md)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "audio/catalogue.h"
#include "audio/oggio.h"
#include "audio/speech.h"

static int USAGE() {
  std::fprintf(stderr,
               "usage: make_sounds [--out DIR] [FILE ...]\n"
               "       make_sounds --level-music [--out DIR] [FILE ...]\n"
               "       make_sounds --voice PRESET --text TEXT --out FILE.ogg\n"
               "       make_sounds --voice-list LIST --out DIR\n"
               "       make_sounds --presets\n"
               "       make_sounds --table\n");
  return 2;
}

// Speaks TEXT with PRESET into PATH at the level of campaign voice lines.
static bool VOICEFILE(const std::string& preset, const std::string& text, const std::string& path) {
  const VOICEPRESET* v = FINDVOICEPRESET(preset);
  if (!v) {
    std::fprintf(stderr, "make_sounds: no voice preset \"%s\" (see --presets)\n", preset.c_str());
    return false;
  }
  SOUNDBUF b;
  std::string err;
  if (!SPEAK(text, *v, b, err)) {
    std::fprintf(stderr, "make_sounds: %s: %s\n", path.c_str(), err.c_str());
    return false;
  }
  FINISHLEVEL(b, VOICELINEPEAKDB - 0.5);
  FADEEDGES(b, 0.001, 0.004);
  std::vector<uint8_t> ogg = ENCODEOGG(b, 0.3, static_cast<uint32_t>(SEEDOF(path.c_str())), text);
  if (ogg.empty() || !WRITEFILEBYTES(path, ogg)) {
    std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

static bool VOICELIST(const std::string& list, const std::string& dir) {
  std::ifstream in(list);
  if (!in) {
    std::fprintf(stderr, "make_sounds: cannot read %s\n", list.c_str());
    return false;
  }
  std::string line;
  int lineno = 0;
  bool ok = true;
  while (std::getline(in, line)) {
    lineno++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t a = line.find('|'), b = a == std::string::npos ? a : line.find('|', a + 1);
    if (b == std::string::npos || a == 0) {
      std::fprintf(stderr, "make_sounds: %s line %d: expected name|preset|text\n", list.c_str(), lineno);
      ok = false;
      continue;
    }
    std::string name = line.substr(0, a), preset = line.substr(a + 1, b - a - 1), text = line.substr(b + 1);
    if (name.find('/') != std::string::npos || name.find("..") != std::string::npos) {
      std::fprintf(stderr, "make_sounds: %s line %d: bad file name \"%s\"\n", list.c_str(), lineno, name.c_str());
      ok = false;
      continue;
    }
    ok = VOICEFILE(preset, text, dir + "/" + name + ".ogg") && ok;
  }
  return ok;
}

int main(int argc, char** argv) {
  std::string out, voice, text, list;
  bool presets = false, hastext = false, table = false, levels = false;
  std::vector<std::string> only;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto next = [&](std::string& dst) {
      if (i + 1 >= argc) return false;
      dst = argv[++i];
      return true;
    };
    if (a == "--out") { if (!next(out)) return USAGE(); }
    else if (a == "--voice") { if (!next(voice)) return USAGE(); }
    else if (a == "--text") { if (!next(text)) return USAGE(); hastext = true; }
    else if (a == "--voice-list") { if (!next(list)) return USAGE(); }
    else if (a == "--presets") presets = true;
    else if (a == "--table") table = true;
    else if (a == "--level-music") levels = true;
    else if (!a.empty() && a[0] == '-') return USAGE();
    else only.push_back(a);
  }
  if (presets) {
    for (const VOICEPRESET& p : VOICEPRESETS) std::printf("%-10s %s\n", p.NAME, p.WHO);
    return 0;
  }
  if (table) {
    static const char* kinds[] = {"effect", "music", "ambience", "speech"};
    std::printf("| Slots | File under sounds/ | Kind | Loops | Peak dBFS | What it sounds like |\n|---|---|---|---|---|---|\n");
    for (const SOUNDFILEDEF& d : SOUNDFILES)
      std::printf("| %s | %s | %s | %s | %.1f | %s |\n", d.SLOTS, d.FILE, kinds[d.KIND], d.LOOP ? "yes" : "",
                  d.PEAKDB, d.ROLE);
    return 0;
  }
  if (!list.empty()) {
    if (out.empty()) return USAGE();
    return VOICELIST(list, out) ? 0 : 1;
  }
  if (!voice.empty() || hastext) {
    if (voice.empty() || !hastext || out.empty()) return USAGE();
    return VOICEFILE(voice, text, out) ? 0 : 1;
  }
  const std::vector<SOUNDFILEDEF>& files = levels ? LEVELMUSIC : SOUNDFILES;
  if (out.empty()) out = std::string(ASHEN_SOURCE_DATA) + (levels ? std::string("/") + LEVELMUSICDIR : "/sounds");
  int made = 0;
  size_t bytes = 0;
  auto t0 = std::chrono::steady_clock::now();
  for (const SOUNDFILEDEF& def : files) {
    if (!only.empty()) {
      bool want = false;
      for (auto& o : only) want = want || o == def.FILE;
      if (!want) continue;
    }
    std::vector<uint8_t> ogg;
    SOUNDBUF dec;
    std::string err;
    if (!MAKESOUNDFILE(def, ogg, &dec, err)) {
      std::fprintf(stderr, "make_sounds: %s\n", err.c_str());
      return 1;
    }
    std::string path = out + "/" + def.FILE;
    if (!WRITEFILEBYTES(path, ogg)) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
      return 1;
    }
    double secs = static_cast<double>(dec.FRAMES()) / AUDIORATE;
    std::printf("%-34s slot %-10s %6.2f s %s %7zu bytes  peak %5.1f dBFS  loudest second %5.1f dBFS\n", def.FILE,
                def.SLOTS, secs, dec.CHANNELS == 2 ? "stereo" : "mono  ", ogg.size(),
                20 * std::log10(std::max(PEAKOF(dec), 1e-9)), LOUDESTSECONDDB(dec));
    made++;
    bytes += ogg.size();
  }
  double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("%d files, %.2f MB, %.1f s\n", made, bytes / 1048576.0, took);
  return 0;
}
