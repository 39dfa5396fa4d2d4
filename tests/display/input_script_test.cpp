// Scripted input (--input) and the recording of live input (--record).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "display/keynames.h"
#include "input_fake_backend.h"

namespace fs = std::filesystem;

namespace {

class InputScript : public INPUTFIXTURE {
 protected:
  std::string DIR;
  void SetUp() override {
    INPUTFIXTURE::SetUp();
    char tmpl[] = "/tmp/ashen_script_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    DIR = tmpl;
  }
  void TearDown() override {
    INPUTFIXTURE::TearDown();
    fs::remove_all(DIR);
  }
  bool PARSE(const std::string& text, std::string& err) {
    return PARSEINPUTSCRIPT(text, "test.txt", err);
  }
  std::string READFILE(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
};

struct SEEN {
  int64_t FRAME;
  int POLL;
  BACKENDEVENTTYPE TYPE;
  int32_t SYM, UNICODE;
};

// Pumps POLLS times in each frame 0..FRAMES-1, advancing the clock by 1 ms per
// poll, and notes what every pump delivered through the pump's own effects.
std::vector<SEEN> RUNFRAMES(FAKEBACKEND& fake, int64_t frames, int polls) {
  std::vector<SEEN> seen;
  for (PUSHEDFRAMES = 0; PUSHEDFRAMES < frames; PUSHEDFRAMES++) {
    for (int i = 0; i < polls; i++) {
      BACKENDEVENT ev;
      INPUTCLOCKSTEP();
      if (NEXTSCRIPTEDEVENT(ev) || (fake.POLLEVENT(ev) && (RECORDEVENT(ev), true)))
        seen.push_back({PUSHEDFRAMES, i, ev.TYPE, ev.SYM, ev.UNICODE});
      fake.CLOCK++;
    }
  }
  return seen;
}

}  // namespace

TEST_F(InputScript, MalformedLinesNameTheFileAndLine) {
  const struct {
    const char* text;
    const char* part;
  } bad[] = {
      {"5 down A\nx down A\n", "test.txt:2: "},
      {"5 down Nonsense\n", "test.txt:1: unknown key name 'Nonsense'"},
      {"5 press A\n", "test.txt:1: unknown event 'press'"},
      {"# comment\n\n7\n", "test.txt:3: "},
      {"9 down A\n8 up A\n", "test.txt:2: frame 8 comes before"},
      {"1 down\n", "test.txt:1: a key name"},
      {"1 text\n", "test.txt:1: "},
      {"1 mouse 5 5\n", "test.txt:1: 'mouse' needs"},
      {"1 joy 300 0 0 0\n", "test.txt:1: 'joy' needs"},
      {"1 focus maybe\n", "test.txt:1: 'focus' needs"},
      {"1 down a char 300\n", "test.txt:1: 'char' needs"},
      {"-1 down a\n", "test.txt:1: '-1' is not a frame number"},
      {"1+5 down a\n", "test.txt:1: "},
      {"1 text caf\xc3\xa9\n", "test.txt:1: 'text' can type only"},
  };
  for (const auto& b : bad) {
    std::string err;
    EXPECT_FALSE(PARSE(b.text, err)) << b.text;
    EXPECT_EQ(err.rfind(b.part, 0), 0u) << b.text << " -> " << err;
    EXPECT_FALSE(INPUTSCRIPTPENDING());  // a rejected script delivers nothing
  }
  std::string err;
  EXPECT_FALSE(LOADINPUTSCRIPT(DIR + "/missing.txt", err));
  EXPECT_NE(err.find(DIR + "/missing.txt"), std::string::npos);
}

TEST_F(InputScript, EventsArriveOnePerPollFromTheirFrame) {
  std::string err;
  ASSERT_TRUE(PARSE("# start\n"
                    "0 down Right\n"
                    "2 down Keypad 4   # fire left\n"
                    "2 up Right\n"
                    "2 down #\n"
                    "4 focus 0\n",
                    err))
      << err;
  std::vector<SEEN> seen = RUNFRAMES(FAKE, 6, 2);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].FRAME, 0);
  EXPECT_EQ(seen[0].SYM, K_RIGHT);
  EXPECT_EQ(seen[1].FRAME, 2);
  EXPECT_EQ(seen[1].SYM, K_KP4);
  EXPECT_EQ(seen[1].UNICODE, '4');
  EXPECT_EQ(seen[2].FRAME, 2);  // the second poll of frame 2
  EXPECT_EQ(seen[2].TYPE, BE_KEYUP);
  EXPECT_EQ(seen[3].FRAME, 3);  // a third event of frame 2 waits for the next poll
  EXPECT_EQ(seen[3].SYM, '#');
  EXPECT_EQ(seen[4].TYPE, BE_FOCUS);
  EXPECT_FALSE(INPUTSCRIPTPENDING());
}

TEST_F(InputScript, ScriptedKeysDriveThePort) {
  std::string err;
  ASSERT_TRUE(PARSE("1 down A\n1 down Space\n3 up space\n", err)) << err;
  PUSHEDFRAMES = 0;
  EXPECT_EQ(PORT60EMULATOR(), 0);
  PUSHEDFRAMES = 1;
  EXPECT_EQ(PORT60EMULATOR(), 0x1F);
  EXPECT_EQ(PORT60EMULATOR(), 0x39);
  PUSHEDFRAMES = 2;
  EXPECT_EQ(PORT60EMULATOR(), 0x39);
  PUSHEDFRAMES = 3;
  EXPECT_EQ(PORT60EMULATOR(), 0x1F);
}

TEST_F(InputScript, TextTypesEachCharacterForTheReader) {
  std::string err;
  ASSERT_TRUE(PARSE("2 text Hi 5!\n", err)) << err;
  PUSHEDFRAMES = 2;
  std::string typed;
  for (int i = 0; i < 5; i++) typed += READKEYEMULATOR();
  EXPECT_EQ(typed, "Hi 5!");
  EXPECT_FALSE(KEYSTATUS[USE_ITEM].PRESSED);  // every key came back up
}

TEST_F(InputScript, TypedCharactersWaitForASlowReader) {
  std::string err;
  ASSERT_TRUE(PARSE("0 text ab\n0 down Escape\n", err)) << err;
  // The game pumps several times (drawing, delays) before it reads.
  for (int i = 0; i < 6; i++) HANDLESDLEVENTS();
  EXPECT_EQ(READKEYEMULATOR(), 'a');
  for (int i = 0; i < 6; i++) HANDLESDLEVENTS();
  EXPECT_EQ(READKEYEMULATOR(), 'b');
  for (int i = 0; i < 6; i++) HANDLESDLEVENTS();
  EXPECT_EQ(READKEYEMULATOR(), 27);  // a key line after the text is not lost
}

TEST_F(InputScript, AnUnreadKeyDoesNotHoldBackLaterKeys) {
  std::string err;
  ASSERT_TRUE(PARSE("0 down a\n0 up a\n0 down d\n", err)) << err;
  // In play nobody reads the typed characters; keys still arrive one per poll.
  for (int i = 0; i < 3; i++) HANDLESDLEVENTS();
  EXPECT_FALSE(INPUTSCRIPTPENDING());
  EXPECT_TRUE(KEYSTATUS[M_RIGHT].PRESSED);
}

TEST_F(InputScript, AKeyWaitSkipsAheadToTheNextScriptedKey) {
  std::string err;
  ASSERT_TRUE(PARSE("500 down Return\n", err)) << err;
  HARNESS.HEADLESS = true;
  HARNESS.FRAMES = 10;  // far fewer frames than the script waits for
  EXPECT_EQ(READKEYEMULATOR(), 13);
  EXPECT_LT(FAKE.CLOCK, 5u);
}

TEST_F(InputScript, AKeyWaitLetsTheClockBringEventsOfThisFrame) {
  std::string err;
  ASSERT_TRUE(PARSE("0+20/1 down Escape\n", err)) << err;
  FAKE.CLOCK = 100;
  EXPECT_EQ(READKEYEMULATOR(), 27);
  EXPECT_EQ(FAKE.CLOCK, 120u);  // delivered 20 ms into the frame, not before
}

TEST_F(InputScript, KeyDownCarriesTheTypedCharacter) {
  std::string err;
  ASSERT_TRUE(PARSE("0 down a char 65\n0 down Return\n0 down left shift\n", err)) << err;
  EXPECT_EQ(READKEYEMULATOR(), 'A');
  EXPECT_EQ(READKEYEMULATOR(), 13);
  HANDLESDLEVENTS();
  EXPECT_EQ(LASTSDLKEY, K_LSHIFT);
  EXPECT_EQ(READKEY, 255);  // shift types nothing
}

TEST_F(InputScript, ScriptedPointerAndController) {
  std::string err;
  ASSERT_TRUE(PARSE("1 mouse 10 20 1\n2 joy 0 128 0 1\n3 joy none\n", err)) << err;
  int32_t x = 0, y = 0, b = 0;
  FAKE.MX = 700;
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 700);  // before the script sets it, the real pointer counts
  PUSHEDFRAMES = 1;
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(b, 1);
  MOVEMOUSE(300, 200);  // warping moves the scripted pointer
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 300);
  bool b1 = false, b2 = false;
  EXPECT_FALSE(READJOYSTICK(x, y, b1, b2));
  PUSHEDFRAMES = 2;
  EXPECT_TRUE(READJOYSTICK(x, y, b1, b2));
  EXPECT_EQ(x, 0);
  EXPECT_TRUE(b2);
  EXPECT_EQ(JOY_Y(), 128);
  PUSHEDFRAMES = 3;
  EXPECT_FALSE(READJOYSTICK(x, y, b1, b2));
  EXPECT_EQ(JOY_X(), 0);
}

TEST_F(InputScript, RecordingReplaysAtTheSamePolls) {
  HARNESS.RECORD = DIR + "/rec.txt";
  // Live input: events spread over frames and within them.
  FAKE.KEY('w', true, 'w');
  FAKE.KEY('w', false);
  FAKE.KEY('a', true, 'A');  // typed with shift
  FAKE.KEY(K_KP7, true, '7');
  FAKE.KEY(K_KP7, false);
  FAKE.KEY(0, true);  // a key without an SDL 1.2 number
  BACKENDEVENT focus;
  focus.TYPE = BE_FOCUS;
  focus.GAIN = false;
  FAKE.QUEUE.push_back(focus);
  std::vector<SEEN> live;
  // Two events a frame at most: pump while there is input, in frames of 4 polls.
  for (PUSHEDFRAMES = 0; PUSHEDFRAMES < 6; PUSHEDFRAMES++) {
    for (int i = 0; i < 4; i++) {
      INPUTCLOCKSTEP();
      BACKENDEVENT ev;
      if (i % 2 == 1 && FAKE.POLLEVENT(ev)) {
        RECORDEVENT(ev);
        live.push_back({PUSHEDFRAMES, i, ev.TYPE, ev.SYM, ev.UNICODE});
      }
      FAKE.CLOCK += 3;
    }
  }
  int32_t x, y, b;
  FAKE.MX = 42;
  READMOUSE(x, y, b);
  CLOSERECORDING();
  std::string text = READFILE(HARNESS.RECORD);
  EXPECT_NE(text.find(" down a char 65"), std::string::npos) << text;
  EXPECT_NE(text.find(" down [7]"), std::string::npos) << text;
  EXPECT_NE(text.find(" down code 0"), std::string::npos) << text;
  EXPECT_NE(text.find(" mouse 42 "), std::string::npos) << text;

  // Replay through the script with the same polling pattern.
  HARNESS.RECORD.clear();
  std::string err;
  ASSERT_TRUE(LOADINPUTSCRIPT(DIR + "/rec.txt", err)) << err;
  std::vector<SEEN> replay;
  FAKE.CLOCK = 1000;  // the replay's clock starts elsewhere: only frame-relative time counts
  for (PUSHEDFRAMES = 0; PUSHEDFRAMES < 6; PUSHEDFRAMES++) {
    for (int i = 0; i < 4; i++) {
      INPUTCLOCKSTEP();
      BACKENDEVENT ev;
      if (NEXTSCRIPTEDEVENT(ev)) replay.push_back({PUSHEDFRAMES, i, ev.TYPE, ev.SYM, ev.UNICODE});
      FAKE.CLOCK += 3;
    }
  }
  ASSERT_EQ(replay.size(), live.size());
  for (size_t i = 0; i < live.size(); i++) {
    EXPECT_EQ(replay[i].FRAME, live[i].FRAME) << i;
    EXPECT_EQ(replay[i].POLL, live[i].POLL) << i;
    EXPECT_EQ(replay[i].TYPE, live[i].TYPE) << i;
    EXPECT_EQ(replay[i].SYM, live[i].SYM) << i;
    EXPECT_EQ(replay[i].UNICODE, live[i].UNICODE) << i;
  }
  FAKE.MX = 0;
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 42);
}

TEST_F(InputScript, RecordingFileExistsEvenWithoutInput) {
  HARNESS.RECORD = DIR + "/empty.txt";
  HARNESS.SEEDGIVEN = true;
  HARNESS.SEED = 77;
  CLOSERECORDING();
  std::string text = READFILE(HARNESS.RECORD);
  EXPECT_NE(text.find("--seed 77"), std::string::npos);
  std::string err;
  EXPECT_TRUE(LOADINPUTSCRIPT(HARNESS.RECORD, err)) << err;
  EXPECT_FALSE(INPUTSCRIPTPENDING());
}
