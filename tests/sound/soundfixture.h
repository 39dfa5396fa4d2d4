// Sound tests: a headless back-end with its audio open, a temporary data
// folder as the working folder, and small WAVE files written by the test
// (the loaders go by the file's content, so a WAVE file may carry the ".ogg"
// name the game asks for).
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/harness.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "test_util.h"

namespace soundtest {

// A mono 16-bit WAVE file of MS milliseconds at 22050 Hz holding a tone.
inline void WRITEWAV(const std::string& path, int32_t ms, double freq = 440.0) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  const uint32_t rate = 22050, n = rate * static_cast<uint32_t>(ms) / 1000;
  std::string d;
  auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; i++) d += static_cast<char>((v >> (8 * i)) & 255); };
  auto u16 = [&](uint16_t v) { d += static_cast<char>(v & 255); d += static_cast<char>(v >> 8); };
  d += "RIFF";
  u32(36 + n * 2);
  d += "WAVEfmt ";
  u32(16);
  u16(1);         // PCM
  u16(1);         // mono
  u32(rate);
  u32(rate * 2);  // bytes per second
  u16(2);
  u16(16);
  d += "data";
  u32(n * 2);
  for (uint32_t i = 0; i < n; i++)
    u16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(6.2831853 * freq * i / rate))));
  std::ofstream(path, std::ios::binary) << d;
}

class SOUNDFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    OLDCWD = std::filesystem::current_path();
    std::filesystem::current_path(DIR.path);
    SAVEDBACKEND = THEBACKEND;
    THEBACKEND = MAKEHEADLESSBACKEND(320, 200);
    INITVIDEO();
    HARNESS = HARNESSOPTIONS();
    PUSHEDFRAMES = 0;
    SOUNDON = true;
    VOLUME_SOUND = VOLUME_MUSIC = 10;
    GAME = "main";
    PLAYSOUND = 0;
    KREEPORVOLUME = 0;
    CLEARSOUNDREQUESTS();
    INIT_AUDIO(false);
  }
  void TearDown() override {
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = SAVEDBACKEND;
    SOUNDON = true;
    std::filesystem::current_path(OLDCWD);
  }
  // Writes a sound file under the data folder.
  void SOUNDFILE(const std::string& rel, int32_t ms) { WRITEWAV(DIR.path + "/" + rel, ms); }
  // The file behind the last sound the back-end started, without its folders.
  std::string LASTPLAYED() const {
    const auto& p = HEADLESSPLAYED(THEBACKEND);
    return p.empty() ? std::string() : std::filesystem::path(p.back().PATH).filename().string();
  }
  size_t PLAYEDCOUNT() const { return HEADLESSPLAYED(THEBACKEND).size(); }
  // Lets the virtual clock run for MS milliseconds.
  void WAIT(int32_t ms) { THEBACKEND->IDLE(ms); }

  TempDir DIR;
  std::filesystem::path OLDCWD;
  BACKEND* SAVEDBACKEND = nullptr;
};

}  // namespace soundtest
