// The script checker lists ignored and suspicious lines with their numbers and
// tells clean, noted and refused files apart by its exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "world/mapscriptcheck.h"
#include "world/worldtest.h"

using namespace worldtest;

namespace {
class ScriptChecker : public WorldTest {
 protected:
  // Writes the script into a campaign folder that has the map of level 120.
  int check(const std::string& text, std::string& out) {
    WRITETEXT(dir + "/camp/MAPS/map120.txt", "RRR\nRPR\nRRR\n:m\n");
    WRITETEXT(dir + "/camp/script.txt", text);
    return run(dir + "/camp/script.txt", out);
  }
  int run(const std::string& path, std::string& out) {
    ::testing::internal::CaptureStdout();
    const int rc = CHECKSCRIPTFILE(path);
    out = ::testing::internal::GetCapturedStdout();
    return rc;
  }
};
}  // namespace

TEST_F(ScriptChecker, FindingsWithLineNumbersAndExitStatus) {
  struct {
    std::vector<std::string> LINES;
    int CODE;
    std::vector<std::string> EXPECT;  // substrings of the report
  } cases[] = {
      {{"120,door1,40,12,5,AUTOSAVE,-\"Open the door, now.\"", "",
        "120,,10,5,6,4,ONSTART:FLOOR=250,REQ:door1,TIMER:3,-\"\""},
       0,
       {"2 entries, no problems found"}},
      {{"# ---- Level 120: a heading, as the game drops it ----", "120,door1,40,12,5,-\"a\""},
       0,
       {"1 entries, no problems found"}},
      {{"120,door1,40,12,5,-\"a\"", "120,,40,12,5,REQ:door2,REQNOT:door1,-\"b\""},
       1,
       {":2: note: option \"REQ:door2\": no entry carries the voice file \"door2\""}},
      {{"120,,40,12,5,TIMR:3,-\"a\"", "121,,40,12,5,-\"b\"", "120,,150,95,20,10,-\"c\"",
        "120,,170,12,5,-\"d\"", "120,,10,10,6,4,5,-\"e\"", "120,,1,1,3,TIMER:x,PORTAL:abc,-\"f\""},
       1,
       {":1: note: unknown option word \"TIMR\"", ":2: note: level 121 has no map file",
        ":3: note: rectangle 150,95 20x10 reaches outside 160 x 100",
        ":4: note: circle centre 170,12 is outside 160 x 100", ":5: note: option \"5\"",
        ":6: note: option \"TIMER:x\"", ":6: note: option \"PORTAL:abc\""}},
      {{"120,x,1,2", "120,,1,2,3,-\"fine\"", "12a,,1,2,3,-\"a\"",
        "120,,1,2,3,A1,A2,A3,A4,A5,A6,A7,A8,A9,AUTOSAVE,DARK-\"t\""},
       4,
       {":1: ignored: fewer than four commas", ":3: ignored: level \"12a\" is not a number",
        ":4: ignored: 1 option(s) beyond the tenth are dropped", "some lines are ignored"}},
  };
  for (const auto& c : cases) {
    std::string out;
    SCOPED_TRACE(LINES(c.LINES));
    EXPECT_EQ(check(LINES(c.LINES), out), c.CODE) << out;
    for (const std::string& e : c.EXPECT) EXPECT_NE(out.find(e), std::string::npos) << e << "\n" << out;
  }
}

TEST_F(ScriptChecker, UnreadableFilesAreRefused) {
  std::string out;
  EXPECT_EQ(run(dir + "/none.txt", out), 4);
  EXPECT_NE(out.find("cannot open"), std::string::npos) << out;
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  EXPECT_EQ(run(dir + "/fifo", out), 4);
  EXPECT_NE(out.find("not a regular file"), std::string::npos) << out;
}
