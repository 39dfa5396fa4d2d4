// The SDL back-end's audio on SDL's silent "dummy" device: samples load at
// once and decode in the background, a sample started before its turn plays
// complete, freeing and closing while decoding is under way are safe, and a
// device that does not exist is reported.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "display/backend_sdl_audio.h"
#include "soundfixture.h"

namespace {

// Sets SDL's audio driver for the scope.
struct DRIVER {
  explicit DRIVER(const char* name) { setenv("SDL_AUDIODRIVER", name, 1); }
  ~DRIVER() { unsetenv("SDL_AUDIODRIVER"); }
};

TEST(SdlAudio, BackgroundDecodingNeverPlaysAHalfSample) {
  DRIVER d("dummy");
  TempDir dir;
  SDLAUDIO audio;
  if (!audio.OPEN()) GTEST_SKIP() << "no dummy audio driver: " << audio.ERROR();
  std::vector<int32_t> h;
  for (int i = 0; i < 30; i++) {
    const std::string f = dir.path + "/s" + std::to_string(i) + ".ogg";
    soundtest::WRITEWAV(f, 3000 + 10 * i);
    h.push_back(audio.LOAD(f));
    ASSERT_GT(h.back(), 0);
  }
  std::ofstream(dir.path + "/junk.ogg") << "junk";
  EXPECT_EQ(audio.LOAD(dir.path + "/junk.ogg"), 0);
  EXPECT_EQ(audio.LOAD(dir.path + "/missing.ogg"), 0);
  // The last one is wanted at once: it is decoded on the spot.
  audio.PLAY(7, h.back(), 0);
  EXPECT_TRUE(audio.BUSY(7));
  audio.PLAY(8, h[3], -1);
  EXPECT_TRUE(audio.BUSY(8));
  audio.FREE(h[3]);  // freeing stops the channel that plays it
  EXPECT_FALSE(audio.BUSY(8));
  audio.FREE(h[20]);  // still waiting in the queue
  audio.PLAY(9, h[20], 0);
  EXPECT_FALSE(audio.BUSY(9));
  // Until the game first waits, nothing else is decoded.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(audio.PENDING(), 27);
  audio.RELEASE();
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (audio.PENDING() > 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(audio.PENDING(), 0);
  audio.HALT(7);
  EXPECT_FALSE(audio.BUSY(7));
  audio.CLOSE();
  EXPECT_FALSE(audio.ISOPEN());
}

TEST(SdlAudio, ALongSampleStartsWhenDecodedAndCanBeStoppedBefore) {
  DRIVER d("dummy");
  TempDir dir;
  SDLAUDIO audio;
  if (!audio.OPEN()) GTEST_SKIP() << audio.ERROR();
  // Long files (music-sized) ahead in the queue keep the background thread busy.
  std::vector<int32_t> h;
  for (int i = 0; i < 6; i++) {
    const std::string f = dir.path + "/long" + std::to_string(i) + ".ogg";
    soundtest::WRITEWAV(f, 20000);
    h.push_back(audio.LOAD(f));
  }
  audio.PLAY(60, h[5], -1);  // counts as playing from the moment it is asked for
  EXPECT_TRUE(audio.BUSY(60));
  audio.PLAY(61, h[4], -1);
  audio.HALT(61);  // stopped before (or just after) its decoding finished
  EXPECT_FALSE(audio.BUSY(61));
  audio.RELEASE();
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (audio.PENDING() > 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(audio.BUSY(60));   // looping since its decoding ended
  EXPECT_FALSE(audio.BUSY(61));  // never started
  audio.PAUSE(true);
  audio.PLAY(62, h[0], 0);
  EXPECT_TRUE(audio.BUSY(62));
  audio.PAUSE(false);
  audio.FREE(h[5]);
  EXPECT_FALSE(audio.BUSY(60));
}

TEST(SdlAudio, ClosingWhileDecodingIsSafe) {
  DRIVER d("dummy");
  TempDir dir;
  for (int round = 0; round < 3; round++) {
    SDLAUDIO audio;
    if (!audio.OPEN()) GTEST_SKIP() << audio.ERROR();
    for (int i = 0; i < 10; i++) {
      const std::string f = dir.path + "/r" + std::to_string(i) + ".ogg";
      if (round == 0) soundtest::WRITEWAV(f, 2000);
      ASSERT_GT(audio.LOAD(f), 0);
    }
  }  // closed by the destructor with samples still queued
}

TEST(SdlAudio, AMissingDeviceSaysWhy) {
  DRIVER d("nosuchdriver");
  SDLAUDIO audio;
  EXPECT_FALSE(audio.OPEN());
  EXPECT_FALSE(audio.ERROR().empty());
  EXPECT_EQ(audio.LOAD("anything.ogg"), 0);
  audio.PLAY(1, 1, 0);
  EXPECT_FALSE(audio.BUSY(1));
}

}  // namespace
