// Scripted input (--input) and the recording of live input (--record).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <fstream>
#include <iterator>
#include <vector>

#include "display/keynames.h"
#include "input_fake_backend.h"
#include "test_util.h"

namespace {

class InputScript : public INPUTFIXTURE {
 protected:
  TempDir DIR;
  bool PARSE(const std::string& text, std::string& err) {
    return PARSEINPUTSCRIPT(text, "test.txt", err);
  }
};

struct SEEN {
  int64_t FRAME;
  int POLL;
  BACKENDEVENTTYPE TYPE;
  int32_t SYM, UNICODE;
  bool operator==(const SEEN&) const = default;
};

// Polls as the event pump does, FRAMES frames of POLLS polls 3 ms apart; a
// live run takes back-end events only on odd polls and records them.
std::vector<SEEN> RUNFRAMES(FAKEBACKEND& fake, int64_t frames, int polls, bool live) {
  std::vector<SEEN> seen;
  for (PUSHEDFRAMES = 0; PUSHEDFRAMES < frames; PUSHEDFRAMES++) {
    for (int i = 0; i < polls; i++) {
      BACKENDEVENT ev;
      INPUTCLOCKSTEP();
      bool got = live ? (i % 2 == 1 && fake.POLLEVENT(ev)) : NEXTSCRIPTEDEVENT(ev);
      if (got) {
        if (live) RECORDEVENT(ev);
        seen.push_back({PUSHEDFRAMES, i, ev.TYPE, ev.SYM, ev.UNICODE});
      }
      fake.CLOCK += 3;
    }
  }
  return seen;
}

}  // namespace

TEST_F(InputScript, MalformedLinesNameTheFileAndLine) {
  const char* bad[][2] = {
      {"5 down A\nx down A\n", "test.txt:2: 'x' is not a frame number"},
      {"5 down Nonsense\n", "test.txt:1: unknown key name 'Nonsense'"},
      {"5 press A\n", "test.txt:1: unknown event 'press'"},
      {"# comment\n\n7\n", "test.txt:3: an event"},
      {"9 down A\n8 up A\n", "test.txt:2: frame 8 comes before"},
      {"1 down\n", "test.txt:1: a key name"},
      {"1 mouse 5 5\n", "test.txt:1: 'mouse' needs"},
      {"1 joy 300 0 0 0\n", "test.txt:1: 'joy' needs"},
      {"1 focus maybe\n", "test.txt:1: 'focus' needs"},
      {"1 down a char 300\n", "test.txt:1: 'char' needs"},
      {"1+5 down a\n", "test.txt:1: '1+5' is not"},
      {"1 text caf\xc3\xa9\n", "test.txt:1: 'text' can type only"},
  };
  for (const auto& b : bad) {
    std::string err;
    EXPECT_FALSE(PARSE(b[0], err)) << b[0];
    EXPECT_EQ(err.rfind(b[1], 0), 0u) << b[0] << " -> " << err;
    EXPECT_FALSE(INPUTSCRIPTPENDING());  // a rejected script delivers nothing
  }
  std::string err;
  EXPECT_FALSE(LOADINPUTSCRIPT(DIR.path + "/missing.txt", err));
  EXPECT_NE(err.find(DIR.path + "/missing.txt"), std::string::npos);
}

TEST_F(InputScript, EventsArriveOnePerPollFromTheirFrame) {
  std::string err;
  ASSERT_TRUE(PARSE("0 down Right\n"
                    "2 down Keypad 4   # fire left\n"
                    "2 up Right\n"
                    "2 down #\n",
                    err))
      << err;
  std::vector<SEEN> seen = RUNFRAMES(FAKE, 4, 2, false);
  std::vector<SEEN> want = {{0, 0, BE_KEYDOWN, K_RIGHT, 0},
                            {2, 0, BE_KEYDOWN, K_KP4, '4'},
                            {2, 1, BE_KEYUP, K_RIGHT, 0},
                            {3, 0, BE_KEYDOWN, '#', '#'}};  // no third poll in frame 2
  EXPECT_EQ(seen, want);
}

TEST_F(InputScript, TextAndKeysReachTheReaderInOrder) {
  std::string err;
  ASSERT_TRUE(PARSE("0 text Hi 5\n0 down Escape\n", err)) << err;
  std::string typed;
  for (int i = 0; i < 5; i++) {
    // The game pumps several times (drawing, delays) before it reads.
    for (int j = 0; j < 6; j++) HANDLESDLEVENTS();
    typed += READKEYEMULATOR();
  }
  EXPECT_EQ(typed, "Hi 5\x1b");
  EXPECT_FALSE(KEYSTATUS[USE_ITEM].PRESSED);  // the typed space came back up
}

TEST_F(InputScript, UnreadKeysDoNotHoldBackLaterKeys) {
  std::string err;
  ASSERT_TRUE(PARSE("0 down a\n0 up a\n0 down d\n", err)) << err;
  // In play nobody reads typed characters; keys still arrive one per poll.
  for (int i = 0; i < 3; i++) HANDLESDLEVENTS();
  EXPECT_TRUE(KEYSTATUS[M_RIGHT].PRESSED);
}

TEST_F(InputScript, KeyWaitBringsForwardOnlyLaterFrames) {
  std::string err;
  ASSERT_TRUE(PARSE("0+20/1 down Escape\n500 down Return\n", err)) << err;
  FAKE.CLOCK = 100;
  EXPECT_EQ(READKEYEMULATOR(), 27);
  EXPECT_EQ(FAKE.CLOCK, 120u);  // 20 ms into the frame, not before
  EXPECT_EQ(READKEYEMULATOR(), 13);  // frame 500 would never come: taken at once
  EXPECT_LT(FAKE.CLOCK, 125u);
}

TEST_F(InputScript, ScriptedPointerAndController) {
  std::string err;
  ASSERT_TRUE(PARSE("1 mouse 10 20 1\n2 joy 0 128 0 1\n3 joy none\n", err)) << err;
  int32_t x = 0, y = 0, b = 0;
  bool b1 = false, b2 = false;
  FAKE.MX = 700;
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 700);  // before the script sets it, the real pointer counts
  PUSHEDFRAMES = 1;
  READMOUSE(x, y, b);
  EXPECT_EQ(x * 1000 + y * 10 + b, 10201);
  MOVEMOUSE(300, 200);  // warping moves the scripted pointer
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 300);
  EXPECT_FALSE(READJOYSTICK(x, y, b1, b2));
  PUSHEDFRAMES = 2;
  EXPECT_TRUE(READJOYSTICK(x, y, b1, b2));
  EXPECT_TRUE(x == 0 && y == 128 && !b1 && b2);
  PUSHEDFRAMES = 3;
  EXPECT_FALSE(READJOYSTICK(x, y, b1, b2));
}

TEST_F(InputScript, RecordingReplaysAtTheSamePolls) {
  HARNESS.RECORD = DIR.path + "/rec.txt";
  HARNESS.SEEDGIVEN = true;
  HARNESS.SEED = 77;
  FAKE.KEY('w', true, 'w');
  FAKE.KEY('w', false);
  FAKE.KEY('a', true, 'A');  // typed with shift
  FAKE.KEY(K_KP7, true, '7');
  FAKE.KEY(0, true);  // a key without an SDL 1.2 number
  BACKENDEVENT focus;
  focus.TYPE = BE_FOCUS;
  FAKE.QUEUE.push_back(focus);
  std::vector<SEEN> live = RUNFRAMES(FAKE, 4, 4, true);
  int32_t x, y, b;
  FAKE.MX = 42;
  READMOUSE(x, y, b);
  CLOSERECORDING();
  std::ifstream f(HARNESS.RECORD);
  std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  for (const char* part : {"--seed 77", " down a char 65", " down [7]", " down code 0", " mouse 42 "})
    EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;

  HARNESS.RECORD.clear();
  std::string err;
  ASSERT_TRUE(LOADINPUTSCRIPT(DIR.path + "/rec.txt", err)) << err;
  FAKE.CLOCK = 1000;  // only frame-relative time counts
  EXPECT_EQ(RUNFRAMES(FAKE, 4, 4, false), live);
  FAKE.MX = 0;
  READMOUSE(x, y, b);
  EXPECT_EQ(x, 42);
}

TEST_F(InputScript, OnlyRegularFilesAndBoundedLinesAreRead) {
  const std::string path = DIR.path + "/script.txt";
  struct CASE {
    const char* what;
    void (*make)(const std::string&);
    const char* says;
  } cases[] = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "script.txt: a folder"},
      {"fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, "script.txt: a named pipe"},
      {"endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
       "script.txt: a device"},
      {"one endless line",
       [](const std::string& p) { std::ofstream(p) << "1 text " << std::string(MAXSCRIPTLINE, 'a') << "\n"; },
       "script.txt:1: line longer than 4096 characters"},
  };
  for (const CASE& c : cases) {
    std::filesystem::remove_all(path);
    c.make(path);
    std::string err;
    EXPECT_FALSE(LOADINPUTSCRIPT(path, err)) << c.what;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.what << ": " << err;
    EXPECT_FALSE(INPUTSCRIPTPENDING());
  }
  // A line just within the limit is taken.
  std::filesystem::remove_all(path);
  std::ofstream(path) << "1 text " << std::string(MAXSCRIPTLINE - 7, 'a') << "\n";
  std::string err;
  EXPECT_TRUE(LOADINPUTSCRIPT(path, err)) << err;
}
