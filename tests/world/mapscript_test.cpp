// Map scripts: the line grammar, the option queries, the per-tick check with
// its requirements, countdown and actions, the dark areas, and the bounded
// file reader. Rows in these tests are written as the script writes them
// (text lines from the top); the level is 30 rows high, so line L is grid
// row 31 - L.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "display/renderer.h"
#include "game/doors.h"
#include "game/goals.h"
#include "game/players.h"
#include "game/projectiles.h"
#include "game/playerstate.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "test_util.h"
#include "world/grid.h"
#include "world/mapscan.h"
#include "world/mapscript.h"

namespace {
constexpr int ROWS = 30;
int ROWOF(int line) { return ROWS + 1 - line; }

class Script : public ::testing::Test {
 protected:
  void SetUp() override {
    MODERN_VISUALS = 1;
    PRELOADMAPINIT();
    MAPSIZEX = 60;
    MAPSIZEY = ROWS;
    for (int x = 1; x <= MAX_MAPWIDTH; x++)
      for (int y = 1; y <= MAX_MAPHEIGHT; y++) {
        MLIGHT[x][y] = OOGA[x][y] = 128;
        MAPPP[x][y].BRIGHTNESS = MAPPP[x][y].INITIALBRIGHTNESS = 100;
      }
    NEWSCRIPT.clear();
    NEWSCRIPTENTRIES = 0;
    CURRENTMAP = 120;
    NEXTMAP = 1;
    VICTORY = 0;
    NUMBEROFPLAYERS = 1;
    MYNUMBER = 1;
    PAUSESTATE = PAUSED_NOT;
    LINKACTIVE = false;
    PLAYERHEALTH[1] = 100;
    CLEARMESSAGES();
    CLEARSOUNDREQUESTS();
    SAVEGAME = nullptr;
    CLEARPROJECTILES();
    COMMANDS = 0;
    PLAYSOUND = 0;
    LOOP = false;
    AT(1, ROWS);
  }
  void TearDown() override { SAVEGAME = nullptr; }
  void ADD(std::initializer_list<const char*> lines) {
    for (const char* l : lines) ADDNEWSCRIPTENTRY(l);
  }
  // The player stands at column X on text line L.
  void AT(int x, int line) {
    PLAYERX[1] = static_cast<BYTE>(x);
    PLAYERY[1] = static_cast<BYTE>(ROWOF(line));
  }
  void TICKS(int n) {
    for (int k = 0; k < n; k++) CHECKNEWSCRIPT();
  }
  bool LOGGED(const std::string& text) {
    for (int i = 1; i <= TXT_NUMLINES; i++)
      if (TRIMSPACES(TXTLINE[i]) == text) return true;
    return false;
  }
};

struct LINECASE {
  const char* LINE = "";
  bool OK = false;
  int LEVEL = 0, X = 0, Y = 0;
  bool RECT = false;
  int RADIUS = 0, WIDTH = 0, HEIGHT = 0;
  std::vector<std::string> OPTS = {};
  const char* VOICE = "";
  const char* TXT = "";
};
}  // namespace

TEST(ScriptGrammar, LinesBecomeEntriesOrAreSkipped) {
  const LINECASE cases[] = {
      {"120,door1,40,12,5,AUTOSAVE,-\"Open the door.\"", true, 120, 40, 12, false, 5, 0, 0,
       {"AUTOSAVE"}, "door1", "Open the door."},
      // A first number is the rectangle's height; a second one is an option.
      {"120,,10,5,6,4,5,TIMER:3,-\"R\"", true, 120, 10, 5, true, 0, 6, 4, {"5", "TIMER:3"}, "", "R"},
      // The text keeps its commas, also when the marker ends the last option.
      {"121,v,1,2,3,DARK,-\"Go north, then east, quickly.\"", true, 121, 1, 2, false, 3, 0, 0,
       {"DARK"}, "v", "Go north, then east, quickly."},
      {"120,v,1,2,3,AUTOSAVE-\"A, B\"", true, 120, 1, 2, false, 3, 0, 0, {"AUTOSAVE"}, "v", "A, B"},
      {"120,v,1,2,3,-\"Hi, there\"", true, 120, 1, 2, false, 3, 0, 0, {}, "v", "Hi, there"},
      {"120,v,1,2,3,AUTOSAVE,", true, 120, 1, 2, false, 3, 0, 0, {"AUTOSAVE"}, "v", ""},
      {"120,,10,5,6,4,ONSTART:FLOOR=250,-\"\"", true, 120, 10, 5, true, 0, 6, 4,
       {"ONSTART:FLOOR=250"}, "", ""},
      {"120,v,1,2,3,A,B,C,D,E,F,G,H,I,J,K,L-\"t\"", true, 120, 1, 2, false, 3, 0, 0,
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}, "v", "t"},
      // Skipped: too few commas, a field that is no number, an impossible size
      // or height, a text without its quotes.
      {"120,v,1,2", false},
      {"120,v,1,2,", false},
      {"x12,v,1,2,3,-\"t\"", false},
      {"120,v,1,two,3,-\"t\"", false},
      {"120,v,1,2,300,-\"t\"", false},
      {"120,v,1,2,3,-3,-\"t\"", false},
      {"120,v,1,2,3,A-\"", false},
      {"120,v,1,2,3,AUTOSAVE-\"unterminated", false},
  };
  for (const LINECASE& c : cases) {
    SCOPED_TRACE(c.LINE);
    NEWSCRIPTTYPE e;
    std::string why;
    int32_t dropped = 0;
    ASSERT_EQ(PARSESCRIPTLINE(c.LINE, e, why, dropped), c.OK) << why;
    if (!c.OK) {
      EXPECT_FALSE(why.empty());
      continue;
    }
    EXPECT_EQ(e.MAPNUM, c.LEVEL);
    EXPECT_EQ(e.X, c.X);
    EXPECT_EQ(e.Y, c.Y);
    EXPECT_EQ(e.ISRECTANGLE, c.RECT);
    EXPECT_EQ(e.RADIUS, c.RADIUS);
    EXPECT_EQ(e.WIDTH, c.WIDTH);
    EXPECT_EQ(e.HEIGHT, c.HEIGHT);
    EXPECT_EQ(e.VOICEFILE, c.VOICE);
    EXPECT_EQ(e.TXT, c.TXT);
    ASSERT_EQ(e.NUMOPTS, c.OPTS.size());
    for (size_t k = 0; k < c.OPTS.size(); k++) EXPECT_EQ(e.OPTIONAL[k + 1], c.OPTS[k]);
    EXPECT_FALSE(e.ACTIVATED);
    EXPECT_EQ(e.TIMER, 1);
    EXPECT_EQ(dropped, std::string(c.LINE).find(",L-") != std::string::npos ? 2 : 0);
  }
}

TEST(ScriptGrammar, NumbersAndOptionQueries) {
  struct {
    const char* TEXT;
    bool WHOLE, REAL;
  } nums[] = {{"12", true, true},   {" -7 ", true, true}, {"+3", true, true}, {"1.5", false, true},
              {"", false, false},   {"3x", false, false}, {"99999999999", false, true},
              {"yes", false, false}, {"1e3", false, true}};
  for (const auto& n : nums) {
    EXPECT_EQ(ISNUMERIC(n.TEXT, false), n.WHOLE) << n.TEXT;
    EXPECT_EQ(ISNUMERIC(n.TEXT, true), n.REAL) << n.TEXT;
  }
  NEWSCRIPT.clear();
  ADDNEWSCRIPTENTRY("120,v,1,2,3,TIMERX:9,TIMER:3,TIMER,REQNOT:a,DARK,-\"t\"");
  ASSERT_EQ(NEWSCRIPTENTRIES, 1);
  EXPECT_EQ(OPTIONPRESENT(0, "TIMER"), "3");    // the first match decides
  EXPECT_EQ(OPTIONPRESENT(0, "DARK"), "yes");  // a bare option
  EXPECT_EQ(OPTIONPRESENT(0, "REQ"), "");      // REQNOT is not REQ
  EXPECT_EQ(OPTIONPRESENT(0, "AUTOSAVE"), "");
  EXPECT_EQ(OPTIONPRESENT(5, "DARK"), "");  // no such entry
}

TEST_F(Script, CirclesAndRectanglesUseTheFileRowsFromTheTop) {
  ADD({"120,,20,10,3,-\"circle\"", "120,,10,5,6,4,-\"rectangle\""});
  struct {
    int ENTRY, X, LINE;
    bool INSIDE;
  } spots[] = {
      {0, 20, 10, true},  {0, 22, 10, true},  {0, 23, 10, false}, {0, 22, 12, true},
      {0, 23, 11, false}, {0, 20, 21, false},  // line 21 is row 10: the unconverted row
      {1, 10, 5, true},   {1, 15, 8, true},   {1, 16, 5, false},  {1, 9, 5, false},
      {1, 10, 4, false},  {1, 10, 9, false},
  };
  for (const auto& s : spots) {
    SCOPED_TRACE(testing::Message() << "entry " << s.ENTRY << " at " << s.X << "," << s.LINE);
    AT(s.X, s.LINE);
    NEWSCRIPT[s.ENTRY].ACTIVATED = false;
    NEWSCRIPT[s.ENTRY].TIMER = 1;
    EXPECT_EQ(CHECKTIVATEENTRY(1, static_cast<uint16_t>(s.ENTRY)), s.INSIDE);
    EXPECT_EQ(NEWSCRIPT[s.ENTRY].TIMER, s.INSIDE ? 0 : 1);
  }
}

TEST_F(Script, OnStartFloorFiresAtOnceAndAgainAfterTheLevelIsEntered) {
  ADD({"120,,10,5,6,4,ONSTART:FLOOR=250,-\"\"", "121,,10,5,6,4,ONSTART:FLOOR=7,-\"\""});
  AT(50, 25);  // far away
  TICKS(1);
  for (int x = 8; x <= 17; x++)
    for (int line = 3; line <= 10; line++) {
      const bool inside = x >= 10 && x <= 15 && line >= 5 && line <= 8;
      EXPECT_EQ(MAPPP[x][ROWOF(line)].DISPFLOOR, inside ? 250 : 246) << x << "," << line;
    }
  EXPECT_TRUE(NEWSCRIPT[0].ACTIVATED);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);
  EXPECT_EQ(NEWSCRIPT[1].TIMER, 1);  // another level's entry is inert
  // Loading the level again clears the overrides; entering it brings them back.
  PRELOADMAPINIT();
  RESETSTARTUPSCRIPTENTRIESFORMAP(120);
  EXPECT_FALSE(NEWSCRIPT[0].ACTIVATED);
  TICKS(1);
  EXPECT_EQ(MAPPP[12][ROWOF(6)].DISPFLOOR, 250);
}

TEST_F(Script, TimerCountsOnlyWhileTheWorldIsHostile) {
  ADD({"120,,20,10,3,TIMER:3,-\"Hold the line\""});
  AT(20, 10);
  // Ticks 1 and 2 count down, tick 3 fires.
  TICKS(2);
  EXPECT_EQ(CURRENTOBJECTIVELINES, 0);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 1);
  PAUSESTATE = PAUSED_WAITFORINPUT;  // paused: the last step still runs
  TICKS(1);
  EXPECT_EQ(CURRENTOBJECTIVE[1], "Hold the line");
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);

  SetUp();
  ADD({"120,,20,10,3,TIMER:3,-\"Hold the line\""});
  AT(20, 10);
  TICKS(1);
  PAUSESTATE = PAUSED_WAITFORINPUT;
  TICKS(5);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 2);
  PAUSESTATE = PAUSED_NOT;
  AT(50, 25);  // leaving the area does not stop a started countdown
  TICKS(1);
  EXPECT_EQ(CURRENTOBJECTIVELINES, 0);
  TICKS(1);
  EXPECT_EQ(CURRENTOBJECTIVE[1], "Hold the line");
}

TEST_F(Script, RequirementsOnVoiceFilesAndBoss) {
  ADD({"120,intro,20,10,3,-\"\"",                       // 0: finishes when stepped in
       "120,,40,10,3,REQ:nobody,-\"never\"",            // 1: no entry carries "nobody"
       "120,,40,10,3,REQ:intro,-\"after intro\"",       // 2
       "120,,40,10,3,REQNOT:intro,-\"before intro\"",  // 3
       "120,,40,10,3,REQ:BOSSDEAD,-\"boss\""});         // 4: no boss on the level
  AT(40, 10);
  TICKS(3);
  EXPECT_EQ(NEWSCRIPT[1].TIMER, 1);
  EXPECT_EQ(NEWSCRIPT[2].TIMER, 1);
  EXPECT_EQ(NEWSCRIPT[3].TIMER, 0);
  EXPECT_EQ(NEWSCRIPT[4].TIMER, 0);
  EXPECT_FALSE(ENTRYWASACTIVATED("intro"));
  AT(20, 10);
  TICKS(1);
  EXPECT_TRUE(ENTRYWASACTIVATED("intro"));
  AT(40, 10);
  TICKS(1);
  EXPECT_EQ(NEWSCRIPT[1].TIMER, 1);
  EXPECT_EQ(NEWSCRIPT[2].TIMER, 0);
  EXPECT_EQ(CURRENTOBJECTIVE[1], "after intro");
}

TEST_F(Script, AutosaveFinishesTheEntryBeforeSaving) {
  ADD({"120,,20,10,3,AUTOSAVE,-\"\""});
  AT(20, 10);
  // No save unit: the entry finishes and nothing else happens.
  TICKS(1);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);
  EXPECT_TRUE(NEWSCRIPT[0].ACTIVATED);
  EXPECT_FALSE(LOGGED("Game autosaved."));

  static int saves;
  static uint16_t timerDuringSave;
  saves = 0;
  timerDuringSave = 99;
  SAVEGAME = [](bool autosave) {
    if (autosave) saves++;
    timerDuringSave = NEWSCRIPT[0].TIMER;
  };
  NEWSCRIPT[0].ACTIVATED = false;
  NEWSCRIPT[0].TIMER = 1;
  TICKS(2);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(timerDuringSave, 0);
  EXPECT_TRUE(LOGGED("Game autosaved."));

  // In a link game nothing is saved.
  LINKACTIVE = true;
  NEWSCRIPT[0].ACTIVATED = false;
  NEWSCRIPT[0].TIMER = 1;
  TICKS(1);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);
}

TEST_F(Script, ObjectiveOf67CharactersBreaksIntoTwoLines) {
  ADD({"120,,20,10,3,-\"  Search the flooded cellars, then climb the bell tower to ring twice \""});
  AT(20, 10);
  TICKS(1);
  ASSERT_EQ(CURRENTOBJECTIVELINES, 2);
  EXPECT_EQ(CURRENTOBJECTIVE[1], "Search the flooded cellars, then ");
  EXPECT_EQ(CURRENTOBJECTIVE[2], "climb the bell tower to ring twice");
  EXPECT_EQ(CURRENTOBJECTIVETIMER, 400);
}

TEST_F(Script, ActionsOfAFiringEntry) {
  ADD({"120,,20,10,3,PORTAL:130,SHAKY:12,UNSTOP,-\"\"",
       "120,,40,10,3,FALLOUT,-\"RADIO: Stay where you are.\"",
       "120,,50,10,3,FALLOUT:NOSTOP,NUKE:5|20,-\"Keep going.\""});
  AT(20, 10);
  HEROTIMER = 200;
  TICKS(1);
  EXPECT_EQ(VICTORY, 1);
  EXPECT_EQ(NEXTMAP, 130);
  ASSERT_EQ(NUMPORTALS, 1);
  EXPECT_EQ(PORTALLEVEL[1], 130);
  EXPECT_EQ(PORTALX[1], 1);
  EXPECT_EQ(PORTALY[1], 1);
  EXPECT_EQ(SHAKY, 12);
  EXPECT_EQ(HEROTIMER, 1);

  AT(40, 10);
  TICKS(1);
  EXPECT_TRUE(LOGGED("RADIO: Stay where you are."));
  EXPECT_EQ(CURRENTOBJECTIVELINES, 0);  // a message, not an objective
  EXPECT_EQ(PAUSESTATE, PAUSED_WAITFORNOINPUT);
  EXPECT_TRUE(SOUNDREQUESTED(89, 89));

  for (int x = 3; x <= 7; x++)
    for (int line = 18; line <= 22; line++) MAP[x][ROWOF(line)] = 'R';
  AT(50, 10);
  TICKS(1);
  EXPECT_EQ(PAUSESTATE, PAUSED_NOT);
  EXPECT_TRUE(LOGGED("Keep going."));
  for (int x = 3; x <= 7; x++)
    for (int line = 18; line <= 22; line++) {
      const bool blasted = x >= 4 && x <= 6 && line >= 19 && line <= 21;
      EXPECT_EQ(MAP[x][ROWOF(line)], blasted ? ' ' : 'R') << x << "," << line;
    }
}

TEST_F(Script, AmbientSoundWhileMyPlayerStandsInTheArea) {
  ADD({"120,,20,10,3,AMB:61,-\"\"", "120,,40,10,3,AMB:NONE,-\"\""});
  AT(20, 10);
  TICKS(3);  // also after the entry has finished
  EXPECT_EQ(PLAYSOUND, 61);
  EXPECT_TRUE(LOOP);
  PLAYSOUND = 61;
  AT(40, 10);
  TICKS(1);
  EXPECT_EQ(PLAYSOUND, 0);
}

TEST_F(Script, NoCellTrapWaitsForTheTrapToGo) {
  ADD({"120,,20,10,3,NOCELLTRAP:7|12,-\"trap gone\""});
  COMMANDS = 1;
  TRAPX[1] = 7;
  TRAPY[1] = static_cast<BYTE>(ROWOF(12));
  AT(20, 10);
  TICKS(2);
  EXPECT_FALSE(NEWSCRIPT[0].ACTIVATED);
  EXPECT_FALSE(TRAPACTIVATED(7, static_cast<BYTE>(ROWOF(12))));
  COMMANDS = 0;
  TICKS(1);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);
  EXPECT_EQ(CURRENTOBJECTIVE[1], "trap gone");
}

TEST_F(Script, DarkAreasUseTheirRowsAsWrittenEveryTick) {
  ADD({"120,,10,5,3,2,DARK,-\"\"", "120,,30,12,5,DARK,-\"\"", "121,,40,5,3,2,DARK,-\"\""});
  AT(55, 28);
  TICKS(1);
  // Rectangle: columns 10..12, light rows 5..6.
  for (int x = 9; x <= 13; x++)
    for (int ry = 4; ry <= 7; ry++) {
      const bool dark = x >= 10 && x <= 12 && ry >= 5 && ry <= 6;
      EXPECT_EQ(MAPPP[x][ry].BRIGHTNESS, dark ? 0 : 100) << x << "," << ry;
    }
  EXPECT_TRUE(MAPPP[10][ROWOF(5)].INDOORCELL);
  // Circle of radius 5 at (30, 12): cells up to 4 columns and rows away whose
  // distance is at most 5 (so not the axis cells at distance 5).
  for (int x = 24; x <= 36; x++)
    for (int ry = 6; ry <= 18; ry++) {
      const int dx = x - 30, dy = ry - 12;
      const bool dark = std::abs(dx) <= 4 && std::abs(dy) <= 4 && dx * dx + dy * dy <= 25;
      EXPECT_EQ(MAPPP[x][ry].BRIGHTNESS, dark ? 0 : 100) << x << "," << ry;
    }
  EXPECT_EQ(MAPPP[40][5].BRIGHTNESS, 100);  // another level's area
}

TEST_F(Script, FlickeringAndRedBlinkingDarkAreas) {
  ADD({"120,,10,5,2,2,DARK:FLICKER,-\"\"", "120,,20,5,2,2,DARK:REDBLINK,-\"\""});
  AT(55, 28);
  int lit = 0, dark = 0, red = 0;
  for (int t = 0; t < 600; t++) {
    for (int x = 1; x <= 30; x++)
      for (int y = 1; y <= 10; y++) {
        MLIGHT[x][y] = 128;
        MAPPP[x][y].BRIGHTNESS = 100;
      }
    CHECKNEWSCRIPT();
    const int counter = NEWSCRIPT[0].EFFCOUNTER;
    ASSERT_LE(counter, 9);
    const int b = MAPPP[10][5].BRIGHTNESS;
    if (counter > 0) {
      EXPECT_EQ(b, 60 - 6 * counter);
      lit++;
    } else {
      EXPECT_EQ(b, 0);
      dark++;
    }
    if (MLIGHT[20][5] == 4) {
      EXPECT_EQ(MAPPP[20][5].BRIGHTNESS, 100);
      red++;
    } else {
      EXPECT_EQ(MAPPP[20][5].BRIGHTNESS, 0);
    }
  }
  EXPECT_GT(lit, 0);
  EXPECT_GT(dark, 0);
  EXPECT_GT(red, 10);  // about one tick in 15
  EXPECT_LT(red, 100);
}

TEST(ScriptFile, ReadOnlyRegularFilesWithinTheBound) {
  TempDir dir;
  const std::string fifo = dir.path + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::string> lines;
  std::string why;
  bool truncated = false;
  EXPECT_FALSE(READSCRIPTLINES(fifo, lines, why, truncated));  // returns at once
  EXPECT_EQ(why, "not a regular file");
  EXPECT_FALSE(READSCRIPTLINES(dir.path, lines, why, truncated));
  EXPECT_FALSE(READSCRIPTLINES(dir.path + "/missing.txt", lines, why, truncated));

  // Twice the bound of 16-byte lines: only the first MiB is read.
  const std::string line = "120,,1,1,1,-\"x\"";
  ASSERT_EQ(line.size() + 1, 16u);
  {
    std::ofstream out(dir.path + "/big.txt", std::ios::binary);
    for (int i = 0; i < 2 * 65536; i++) out << line << "\n";
  }
  ASSERT_TRUE(READSCRIPTLINES(dir.path + "/big.txt", lines, why, truncated));
  EXPECT_TRUE(truncated);
  ASSERT_EQ(lines.size(), 65536u);
  EXPECT_EQ(lines.back(), line);
}

TEST(ScriptFile, NewGameReadsTheCampaignScript) {
  TempDir dir;
  const std::string old = std::filesystem::current_path().string();
  std::filesystem::create_directories(dir.path + "/Campaign/Main");
  std::ofstream(dir.path + "/Campaign/Main/SCRIPT.TXT", std::ios::binary)
      << "  120,a,1,2,3,-\"one\"  \r\n\r\n120,b,1,2\r\n\t121,c,4,5,6,7,-\"two, too\"\r\n";
  std::filesystem::current_path(dir.path);
  GAME = "main";
  GLOBALINIT();
  std::filesystem::current_path(old);
  ASSERT_EQ(NEWSCRIPTENTRIES, 2);
  EXPECT_EQ(NEWSCRIPT[0].VOICEFILE, "a");
  EXPECT_EQ(NEWSCRIPT[1].TXT, "two, too");
  EXPECT_EQ(NEWSCRIPT[1].HEIGHT, 7);
  // Without a script file the game has no entries.
  TempDir empty;
  std::filesystem::current_path(empty.path);
  LOADNEWSCRIPT();
  std::filesystem::current_path(old);
  EXPECT_EQ(NEWSCRIPTENTRIES, 0);
}
