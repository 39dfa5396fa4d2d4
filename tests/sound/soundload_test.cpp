// Loading: the whole slot table, the per-map idle music and script voices.
#include <gtest/gtest.h>

#include <filesystem>

#include <map>

#include "soundfixture.h"

using soundtest::SOUNDFIXTURE;

namespace {

class SoundLoad : public SOUNDFIXTURE {};

TEST_F(SoundLoad, EverySlotOfTheTableLoadsItsOwnFile) {
  // A file for every name of the table, each of its own length.
  std::map<std::string, int> length;
  for (int s = 1; s < NUMSOUNDS; s++) {
    const std::string f = SOUNDFILENAME(SLOTFILE[s]);
    if (f.empty() || length.count(f)) continue;
    length[f] = 100 + 10 * static_cast<int>(length.size());
    SOUNDFILE(f, length[f]);
  }
  EXPECT_EQ(length.size(), 83u);  // 103 named slots, 21 of them the pick-gold sound
  testing::internal::CaptureStderr();
  LOADSOUNDS1();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // nothing missing, nothing said
  EXPECT_TRUE(SOUNDTABLELOADED);
  EXPECT_EQ(PUSHEDFRAMES, 1);  // the "Loading data .." box
  for (int s = 1; s < NUMSOUNDS; s++) {
    if (s == 82 || s == 86) {
      EXPECT_EQ(SOUNDHANDLE[s], 0) << "slot " << s << " is loaded on demand";
      continue;
    }
    ASSERT_GT(SOUNDHANDLE[s], 0) << "slot " << s;
    STARTSOUND1(static_cast<uint16_t>(s), 1, false);
    const std::string want = std::filesystem::path(SOUNDFILENAME(SLOTFILE[s])).filename().string();
    EXPECT_EQ(LASTPLAYED(), want) << "slot " << s;
    EXPECT_EQ(HEADLESSPLAYED(THEBACKEND).back().CHANNEL, s);
  }
  for (int s : {26, 35, 45, 73}) EXPECT_EQ(SOUNDHANDLE[s], SOUNDHANDLE[26]) << "decoded once";
}

TEST_F(SoundLoad, MissingFilesFallBackWithOneLine) {
  SOUNDFILE("sounds/pickgold.ogg", 100);
  SOUNDFILE("sounds/door.ogg", 400);
  testing::internal::CaptureStderr();
  LOADSOUNDS1();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("pick-gold"), std::string::npos) << err;
  STARTSOUND1(62, 70, false);
  EXPECT_EQ(LASTPLAYED(), "door.ogg");
  STARTSOUND1(15, 250, false);
  EXPECT_EQ(LASTPLAYED(), "pickgold.ogg");
}

TEST_F(SoundLoad, MapIdleMusicOrTheDefaultTrack) {
  SOUNDFILE("sounds/gothicsurveillance420.ogg", 900);
  SOUNDFILE("CAMPAIGN/main/BCKM_MAPS/107.ogg", 800);
  LOADCUSTOMIDLEMUSICFORMAP(107);
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 96), 0);
  STARTSOUND1(96, 96, true);
  EXPECT_EQ(LASTPLAYED(), "107.ogg");
  SETCHANNELVOLUME(96, 30);
  LOADCUSTOMIDLEMUSICFORMAP(108);
  EXPECT_EQ(HEADLESSVOLUME(THEBACKEND, 96), 0);
  // The sample that played is released: its channel is quiet now.
  EXPECT_FALSE(CHANNELPLAYING(96));
  STARTSOUND1(96, 96, true);
  EXPECT_EQ(LASTPLAYED(), "gothicsurveillance420.ogg");
}

TEST_F(SoundLoad, VoiceLinesAndScriptSounds) {
  SOUNDFILE("CAMPAIGN/main/VOICE/v1.ogg", 700);
  SOUNDFILE("sounds/non-looping/fx1.ogg", 300);
  SOUNDFILE("sounds/notice.ogg", 200);
  LOADSOUND1(95, "sounds/notice.wav");
  const struct {
    const char* FILE;
    const char* SAY;
    bool RESULT;
    std::vector<std::pair<int, int>> STARTS;  // slot, reference
  } cases[] = {
      {"v1", "  Hello there  ", true, {{82, 111}, {95, 111}}},
      {"v1", "JOE: move out", true, {{82, 111}}},
      {"gone", "hello?", false, {{95, 111}}},
      {"gone", "JOE: anyone?", false, {}},
      {"fx1", "", true, {{86, 110}}},
      {"fx1", "   ", true, {{86, 110}}},
      {"nofx", "", false, {}},
  };
  for (const auto& c : cases) {
    CLEARSOUNDREQUESTS();
    EXPECT_EQ(TOGGLEVOICEFILE(c.FILE, c.SAY), c.RESULT) << c.FILE << " / " << c.SAY;
    std::vector<std::pair<int, int>> got;
    for (int i = 1; i <= SOUNDREQUESTCOUNT; i++)
      got.push_back({SOUNDREQUESTS[i].SLOT, SOUNDREQUESTS[i].REF});
    EXPECT_EQ(got, c.STARTS) << c.FILE << " / " << c.SAY;
  }
  TOGGLEVOICEFILE("v1", "JOE: again");
  EXPECT_EQ(LASTPLAYED(), "v1.ogg");
  TOGGLEVOICEFILE("fx1", "");
  EXPECT_EQ(LASTPLAYED(), "fx1.ogg");
}

}  // namespace

// The game's own generated audio in the data folder has a file for every
// slot the table names, so no slot falls back to the stand-in sound.
TEST(SoundTable, EverySlotHasItsGeneratedFile) {
  for (int s = 0; s < NUMSOUNDS; s++) {
    if (SLOTFILE[s][0] == '\0') continue;
    const std::string file = std::string(ASHEN_SOURCE_DATA) + "/" + SOUNDFILENAME(SLOTFILE[s]);
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << "slot " << s << ": " << file;
  }
}
