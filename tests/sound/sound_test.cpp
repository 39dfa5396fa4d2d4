// The slot layer on the headless back-end: file names, references, the
// volume table, the idle-music fade, the script sound's ambient volume, the
// monster cries, and sound switched off.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "display/input_fake_backend.h"
#include "soundfixture.h"

using soundtest::SOUNDFIXTURE;

namespace {

TEST(SoundNames, LoadedAsOgg) {
  const struct {
    const char* KEY;
    const char* FILE;
  } cases[] = {
      {"sounds/pickhlth.wav", "sounds/pickhlth.ogg"},
      {"sounds/_redalert.wav", "sounds/_redalert.ogg"},
      {"abcde", "a.ogg"},
      {"a.wa", "a.wa"},  // four characters or fewer: unchanged
      {"abcd", "abcd"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SOUNDFILENAME(c.KEY), c.FILE) << c.KEY;
}

class Sound : public SOUNDFIXTURE {};

TEST_F(Sound, LoadsTheOggFileOrThePickGoldStandIn) {
  SOUNDFILE("sounds/pickhlth.ogg", 300);
  SOUNDFILE("sounds/pickgold.ogg", 100);
  std::ofstream(DIR.path + "/sounds/broken.ogg") << "not a sound";
  LOADSOUND1(10, "sounds/pickhlth.wav");
  LOADSOUND1(11, "sounds/nowhere.wav");
  LOADSOUND1(12, "sounds/broken.wav");
  STARTSOUND1(10, 10, false);
  EXPECT_EQ(LASTPLAYED(), "pickhlth.ogg");
  STARTSOUND1(11, 11, false);
  EXPECT_EQ(LASTPLAYED(), "pickgold.ogg");
  // A file that does not decode leaves the slot empty: nothing plays.
  const size_t before = PLAYEDCOUNT();
  STARTSOUND1(12, 12, false);
  EXPECT_EQ(PLAYEDCOUNT(), before);
  EXPECT_FALSE(SOUNDPLAYING1(12));
  EXPECT_TRUE(SOUNDREQUESTED(12, 12));
}

TEST_F(Sound, OneChannelUnderTwoReferences) {
  SOUNDFILE("sounds/menu1.ogg", 2000);
  LOADSOUND1(60, "sounds/menu1.wav");
  STARTSOUND1(60, 60, true);
  STARTSOUND1(60, 61, true);
  const auto& played = HEADLESSPLAYED(THEBACKEND);
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0].CHANNEL, 60);
  EXPECT_EQ(played[1].CHANNEL, 60);
  EXPECT_EQ(played[1].LOOPS, -1);
  EXPECT_TRUE(SOUNDPLAYING1(60));
  EXPECT_TRUE(SOUNDPLAYING1(61));
  STOPSOUND(61);
  EXPECT_FALSE(SOUNDPLAYING1(60));
  EXPECT_FALSE(CHANNELPLAYING(60));
  // A reference follows the last slot started under it.
  SOUNDFILE("sounds/door.ogg", 500);
  LOADSOUND1(62, "sounds/door.wav");
  STARTSOUND1(60, 70, false);
  STARTSOUND1(62, 70, false);
  STOPSOUND(70);
  EXPECT_FALSE(CHANNELPLAYING(62));
  EXPECT_TRUE(CHANNELPLAYING(60));
  STOPALLSOUNDS();
  EXPECT_FALSE(CHANNELPLAYING(60));
}

TEST_F(Sound, VolumeTable) {
  // Expected values worked out by hand from 128 x setting / 10 / divisor.
  const struct {
    BYTE VS, VM;
    int SLOT, VOLUME;
  } cases[] = {
      {10, 10, 1, 42},  {10, 10, 5, 128},  {10, 10, 83, 8},   {10, 10, 60, 32},
      {10, 10, 4, 14},  {10, 10, 96, 0},   {10, 10, 82, 75},  {10, 10, 90, 85},
      {10, 10, 98, 64}, {10, 10, 101, 58}, {10, 10, 97, 32},  {10, 10, 18, 25},
      {10, 10, 2, 21},  {10, 10, 3, 18},   {10, 10, 86, 85},  {10, 10, 103, 42},
      {10, 10, 100, 16}, {10, 10, 75, 128}, {10, 10, 95, 25},
      {5, 5, 82, 37},   {5, 5, 101, 29},   {5, 5, 1, 21},     {5, 5, 83, 4},
      {5, 5, 4, 7},     {5, 5, 60, 16},    {5, 5, 86, 42},    {5, 5, 5, 64},
      {0, 10, 60, 32},  {0, 10, 86, 85},   {0, 10, 100, 16},
      {10, 0, 60, 0},   {10, 0, 104, 0},   {10, 0, 5, 128},
  };
  for (const auto& c : cases) {
    VOLUME_SOUND = c.VS;
    VOLUME_MUSIC = c.VM;
    INIT_AUDIO(true);
    EXPECT_EQ(INITIALVOLUME[c.SLOT], c.VOLUME) << int(c.VS) << "/" << int(c.VM) << " slot " << c.SLOT;
    EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, c.SLOT), c.VOLUME) << "slot " << c.SLOT;
  }
  // Sound effects at volume 0: every slot that does not follow the music setting is silent.
  VOLUME_SOUND = 0;
  VOLUME_MUSIC = 10;
  INIT_AUDIO(true);
  const std::set<int> music = {60, 86, 100, 102, 103, 104};
  for (int s = 1; s < NUMSOUNDS; s++) {
    if (music.count(s)) continue;
    EXPECT_EQ(INITIALVOLUME[s], 0) << "slot " << s;
  }
  // Music at volume 0: the idle music has nowhere to rise.
  VOLUME_SOUND = 10;
  VOLUME_MUSIC = 0;
  INIT_AUDIO(true);
  EXPECT_EQ(KREEPORMAXVOLUME, 0.0);
  for (int i = 0; i < 50; i++) MANAGEIDLEMUSIC();
  EXPECT_EQ(KREEPORVOLUME, 0.0);
  // A settings byte out of range still gives volumes the mixer can take.
  VOLUME_SOUND = 200;
  INIT_AUDIO(true);
  EXPECT_EQ(INITIALVOLUME[4], 128);
}

TEST_F(Sound, IdleMusicFadesInAndOutWithOtherMusic) {
  const double top = 128.0 / 3.5;
  EXPECT_NEAR(KREEPORMAXVOLUME, 36.571, 0.001);
  // Nothing else plays: the idle music rises by 1/32 of the remaining distance.
  for (int n = 1; n <= 64; n++) {
    MANAGEIDLEMUSIC();
    const double want = top * (1 - std::pow(31.0 / 32.0, n));
    ASSERT_NEAR(KREEPORVOLUME, want, 1e-9) << "frame " << n;
    ASSERT_EQ(HEADLESSVOLUME(THEBACKEND, 96), static_cast<int>(want)) << "frame " << n;
  }
  // The menu music starts: the idle music falls toward 0 the same way.
  SOUNDFILE("sounds/menu1.ogg", 1000);
  LOADSOUND1(60, "sounds/menu1.wav");
  STARTSOUND1(60, 60, true);
  const double from = KREEPORVOLUME;
  for (int n = 1; n <= 32; n++) MANAGEIDLEMUSIC();
  EXPECT_NEAR(KREEPORVOLUME, from * std::pow(31.0 / 32.0, 32), 1e-9);
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 96), static_cast<int>(from * std::pow(31.0 / 32.0, 32)));
  // It ends: the idle music comes back.
  STOPSOUND(60);
  const double low = KREEPORVOLUME;
  MANAGEIDLEMUSIC();
  EXPECT_GT(KREEPORVOLUME, low);
}

TEST_F(Sound, ScriptSoundQuietAndNormal) {
  PLAYSOUND = 61;  // rain, base volume 14
  SETAMBIENTVOLUME_QUIET();
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 61), 4);
  SETAMBIENTVOLUME_NORMAL();
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 61), 14);
  PLAYSOUND = 0;
  SETAMBIENTVOLUME_QUIET();
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 61), 14);
}

TEST_F(Sound, MonsterCriesUseTheirOwnSlotAsReference) {
  std::set<int> hurt, death;
  for (int i = 0; i < 200; i++) {
    CLEARSOUNDREQUESTS();
    HURTSOUND();
    DEATHSOUND();
    ASSERT_EQ(SOUNDREQUESTCOUNT, 2);
    EXPECT_EQ(SOUNDREQUESTS[1].SLOT, SOUNDREQUESTS[1].REF);
    EXPECT_EQ(SOUNDREQUESTS[2].SLOT, SOUNDREQUESTS[2].REF);
    hurt.insert(SOUNDREQUESTS[1].SLOT);
    death.insert(SOUNDREQUESTS[2].SLOT);
  }
  EXPECT_EQ(hurt, (std::set<int>{18, 19, 20}));
  EXPECT_EQ(death, (std::set<int>{21, 22, 23}));
}

TEST_F(Sound, RecordKeepsTheLast256StartsWithTheirFrame) {
  for (int i = 0; i < 300; i++) {
    PUSHEDFRAMES = i;
    STARTSOUND1(static_cast<uint16_t>(i % 100), static_cast<BYTE>(i % 256), false);
  }
  ASSERT_EQ(SOUNDREQUESTCOUNT, 256);
  EXPECT_EQ(SOUNDREQUESTS[1].FRAME, 44);
  EXPECT_EQ(SOUNDREQUESTS[256].FRAME, 299);
  EXPECT_EQ(SOUNDREQUESTS[256].SLOT, 99);
  EXPECT_EQ(SOUNDREQUESTS[256].REF, 299 % 256);
}

TEST_F(Sound, SwitchedOffNothingPlaysOrLoads) {
  SOUNDFILE("sounds/pickhlth.ogg", 300);
  LOADSOUND1(10, "sounds/pickhlth.wav");
  SOUNDON = false;
  STARTSOUND1(10, 10, false);
  EXPECT_EQ(PLAYEDCOUNT(), 0u);
  EXPECT_EQ(SOUNDREQUESTCOUNT, 0);
  const int64_t frames = PUSHEDFRAMES;
  LOADSOUNDS1();
  EXPECT_EQ(PUSHEDFRAMES, frames);  // not even the loading box
  EXPECT_FALSE(SOUNDPLAYING1(10));
}

TEST(SoundDevice, NoDeviceRunsSilentWithOneLine) {
  FAKEBACKEND fake;  // its audio device never opens
  BACKEND* saved = THEBACKEND;
  THEBACKEND = &fake;
  SOUNDON = true;
  testing::internal::CaptureStderr();
  INIT_AUDIO(false);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(SOUNDON);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("no sound"), std::string::npos) << err;
  CLEARSOUNDREQUESTS();
  STARTSOUND1(10, 10, false);
  EXPECT_EQ(SOUNDREQUESTCOUNT, 0);
  THEBACKEND = saved;
  SOUNDON = true;
}

}  // namespace
