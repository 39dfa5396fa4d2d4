// The engine tick: the order and rates of its steps, frame pacing on the
// virtual clock, zoom cycling and easing, the automap, pausing, overlay
// timers, the game-over caption, and the direct launch of a level.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "display/events.h"
#include "display/input.h"
#include "display/inputscript.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "render/lighting.h"
#include "render/postprocess.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/statedump.h"
#include "test_util.h"
#include "ui/keyconfig.h"
#include "world/grid.h"

using leveltest::LEVELFIXTURE;

namespace {

std::vector<std::string> TRACE;
void RECORD(const char* step) { TRACE.push_back(step); }

const std::vector<std::string> SMALLMAP = {
    "RRRRRRRRRRRRRRRR",
    "R              R",
    "R    P     M   R",
    "R              R",
    "RRRRRRRRRRRRRRRR",
};

class EngineTest : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    STYLE(1);
    LEVEL(SMALLMAP);
    TRACE.clear();
    ENGINETRACE = RECORD;
    READYTOPLAY();
  }
  void TearDown() override {
    ENGINETRACE = nullptr;
    LEVELFIXTURE::TearDown();
  }
  int COUNT(const std::string& step) const {
    int n = 0;
    for (const std::string& s : TRACE) n += s == step;
    return n;
  }
  // Index of the first STEP after the N-th frame start, -1 when none.
  int POSITION(const std::string& step, int frame) const {
    int frames = 0;
    for (size_t i = 0; i < TRACE.size(); i++) {
      if (TRACE[i] == "FRAME") frames++;
      if (frames == frame && TRACE[i] == step) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(EngineTest, StepsRunAtTheirRatesAndInOrder) {
  RUN(40);
  EXPECT_EQ(COUNT("FRAME"), 40);
  EXPECT_EQ(COUNT("RENDERGAME"), 40);
  // Input, player steps and lighting every second frame, monsters too.
  EXPECT_EQ(COUNT("GETINPUT"), 20);
  EXPECT_EQ(COUNT("PLAYERSTEP"), 20);
  EXPECT_EQ(COUNT("MANAGELIGHTNING"), 20);
  EXPECT_EQ(COUNT("MONSTERS"), 20);
  // Doors every fifth input cycle: every tenth frame.
  EXPECT_EQ(COUNT("DOORS"), 4);
  // The input cycle is the second frame of each pair.
  EXPECT_EQ(POSITION("GETINPUT", 1), -1);
  EXPECT_GE(POSITION("GETINPUT", 2), 0);
  // Within an input cycle: input, lights, player, monsters, then the frame.
  const int f = 10;
  EXPECT_LT(POSITION("GETINPUT", f), POSITION("MANAGELIGHTNING", f));
  EXPECT_LT(POSITION("MANAGELIGHTNING", f), POSITION("DOORS", f));
  EXPECT_LT(POSITION("DOORS", f), POSITION("PLAYERSTEP", f));
  EXPECT_LT(POSITION("PLAYERSTEP", f), POSITION("MONSTERS", f));
  EXPECT_LT(POSITION("MONSTERS", f), POSITION("RENDERGAME", f));
}

// A level dark under a light pattern of colour 0 is already dark in its first
// frame (the lights otherwise run only on input cycles, after that frame),
// and the player's own small light is already on.
TEST_F(EngineTest, FirstFrameOfADarkLevelIsLit) {
  NUMBEROFPATTERNS = 1;
  PCOLOR[1] = 1;
  LPATTERN[1][1] = 0;
  NUMBEROFLIGHTS = 1;
  LIGHTHOW[1] = 1;
  LIGHTRANDOM[1] = 0;
  for (int x = 1; x <= MAPSIZEX; x++)
    for (int ry = 1; ry <= MAPSIZEY; ry++) OOGA[x][ry] = 131;
  const int far = MAPSIZEY + 1 - 2;  // light row of world row 2
  const int own = MAPSIZEY + 1 - PLAYERY[1];
  ASSERT_GT(MAPPP[14][far].BRIGHTNESS, 0) << "the level starts at its natural brightness";
  const BYTE position = PCOUNTER[1];
  RUN(1);
  EXPECT_EQ(COUNT("FRAME"), 1);
  EXPECT_EQ(COUNT("MANAGELIGHTNING"), 0) << "no input cycle ran yet";
  EXPECT_EQ(MAPPP[14][far].BRIGHTNESS, 0);
  EXPECT_GT(MAPPP[PLAYERX[1]][own].BRIGHTNESS, 0);
  EXPECT_EQ(PCOUNTER[1], position) << "lighting before the first frame does not advance the pattern";
}

TEST_F(EngineTest, FramesArePacedTo33MillisecondsOnTheVirtualClock) {
  const uint64_t start = THEBACKEND->TICKS();
  RUN(30);
  const uint64_t spent = THEBACKEND->TICKS() - start;
  EXPECT_GE(spent, 29u * 33u);
  EXPECT_LE(spent, 31u * 33u);
}

TEST_F(EngineTest, PausedWorldDoesNotStep) {
  SETPAUSE(PAUSED_WAITFORNOINPUT);
  // The map start clears a pause; a pause set during play holds the world.
  ENGINETRACE = [](const char* step) {
    if (std::string(step) == "FRAME") SETPAUSE(PAUSED_WAITFORNOINPUT);
    RECORD(step);
  };
  RUN(12);
  EXPECT_EQ(COUNT("FRAME"), 12);
  EXPECT_EQ(COUNT("PLAYERSTEP"), 0);
  EXPECT_EQ(COUNT("MONSTERS"), 0);
  EXPECT_EQ(COUNT("GETINPUT"), 6);
  SETPAUSE(PAUSED_NOT);
}

TEST_F(EngineTest, EscapeEndsADirectLaunchWithoutAQuestion) {
  KEYSTATUS[33].PRESSED = true;  // Escape held
  RUN(100);
  EXPECT_LT(COUNT("FRAME"), 5);
  EXPECT_EQ(PORT60[1], 1);
  KEYSTATUS[33].PRESSED = false;
}

TEST_F(EngineTest, DeadPlayerSeesGameOverAndSpaceEndsTheGame) {
  PLAYERHEALTH[1] = 0;
  RUN(4);
  EXPECT_TRUE(DEAD[1]);
  // The caption is drawn on the 45 x 25 screen and recorded in the text screen.
  std::string row10, row11;
  for (int x = 12; x < 21; x++) row10 += static_cast<char>(EKRAN[10][x].SYMBOL);
  for (int x = 7; x < 26; x++) row11 += static_cast<char>(EKRAN[11][x].SYMBOL);
  EXPECT_EQ(row10, "GAME OVER");
  EXPECT_EQ(row11, "PRESS SPACE TO EXIT");
  EXPECT_EQ(EKRAN[10][12].ATTR, 1 * 16 + 15);

  KEYSTATUS[18].PRESSED = true;  // Space held
  TRACE.clear();
  RUN(100);
  KEYSTATUS[18].PRESSED = false;
  EXPECT_EQ(VICTORY, 2);
  EXPECT_LT(COUNT("FRAME"), 5);
}

TEST_F(EngineTest, LaunchPositionMustBeFreeFloorInsideTheLevel) {
  // SMALLMAP is 16 x 5 with its start cell at (6, 3).
  LAUNCHED_FROM_MD = true;
  auto startWith = [this](std::vector<std::string> params) {
    GAMEPARAMS = params;
    LEVEL(SMALLMAP);
    return std::pair<int, int>(PLAYERX[1], PLAYERY[1]);
  };
  EXPECT_EQ(startWith({"200", "9", "2"}), (std::pair<int, int>(9, 2)));
  EXPECT_EQ(PLAYERSTARTX[1], 6);  // respawns still use the map's start cell
  EXPECT_EQ(MAP[6][3], ' ');
  EXPECT_EQ(startWith({"200"}), (std::pair<int, int>(6, 3)));
  EXPECT_EQ(MAP[6][3], 'P');
  EXPECT_EQ(startWith({"200", "1", "3"}), (std::pair<int, int>(6, 3)));   // border rock
  EXPECT_EQ(startWith({"200", "12", "3"}), (std::pair<int, int>(6, 3)));  // a monster stands there
  EXPECT_EQ(startWith({"200", "40", "3"}), (std::pair<int, int>(6, 3)));  // beyond the level
  EXPECT_EQ(startWith({"200", "9", "99"}), (std::pair<int, int>(6, 3)));  // above the level
  EXPECT_EQ(startWith({"200", "9"}), (std::pair<int, int>(6, 3)));        // one parameter
  EXPECT_EQ(startWith({"200", "9", "-2"}), (std::pair<int, int>(6, 3)));
  GAMEPARAMS.clear();
}

int FRAMESSEEN = 0;

TEST_F(EngineTest, AutomapKeyTogglesOncePerPressAndShowsExploredCells) {
  // Tab held from the start for eight frames, released, then pressed again
  // from frame 14 on: one toggle per press however long it is held.
  FRAMESSEEN = 0;
  KEYSTATUS[32].PRESSED = true;
  ENGINETRACE = [](const char* step) {
    if (std::string(step) != "FRAME") return;
    FRAMESSEEN++;
    if (FRAMESSEEN == 9) KEYSTATUS[32].PRESSED = false;
  };
  RUN(12);
  EXPECT_TRUE(DRAW_MAP);
  // The explored left wall, five columns left of the player, on the 80 x 50 map.
  EXPECT_EQ(VMODE.COL, 80);
  EXPECT_EQ(EKRAN[25][36].ATTR, 8 * 16);
  EXPECT_EQ(EKRAN[25][36].SYMBOL, ' ');
  // Unexplored cells are left as cleared.
  EXPECT_EQ(MAPPP[1][1].EXPLORED, 1);
  ENGINETRACE = [](const char* step) {
    if (std::string(step) != "FRAME") return;
    FRAMESSEEN++;
    if (FRAMESSEEN == 2) KEYSTATUS[32].PRESSED = true;
    if (FRAMESSEEN == 5) KEYSTATUS[32].PRESSED = false;
    if (FRAMESSEEN == 9) KEYSTATUS[32].PRESSED = true;
  };
  FRAMESSEEN = 0;
  RUN(14);  // the map start clears the automap; two presses toggle it on and off
  EXPECT_FALSE(DRAW_MAP);
  KEYSTATUS[32].PRESSED = false;
}

TEST_F(EngineTest, DecliningTheQuitQuestionResumesAfterHalfASecond) {
  LAUNCHED_FROM_MD = false;
  std::string err;
  // Escape ends the loop; once the question has zoomed open, "No" is chosen.
  ASSERT_TRUE(PARSEINPUTSCRIPT("3 down Escape\n4 up Escape\n30 down Down\n31 up Down\n"
                               "40 down Return\n41 up Return\n",
                               "quit.txt", err))
      << err;
  RUN(60);
  CLEARINPUTSCRIPT();
  // The game went on after the question: frames after the answer, no game over.
  EXPECT_EQ(VICTORY, 0);
  EXPECT_GT(COUNT("FRAME"), 20);
  // The question's own frames and the half-second wait are not engine frames.
  EXPECT_LT(COUNT("FRAME"), 60 - 5);
  EXPECT_GE(THEBACKEND->TICKS(), COUNT("FRAME") * 33u + 500u);
  EXPECT_NE(PORT60[1], 1);
  EXPECT_FALSE(HEADLESSAUDIOPAUSED(THEBACKEND));  // sound resumed with the game
}

TEST_F(EngineTest, TheQuitQuestionPausesEverySound) {
  LAUNCHED_FROM_MD = false;
  std::string err;
  ASSERT_TRUE(PARSEINPUTSCRIPT("3 down Escape\n4 up Escape\n", "quit.txt", err)) << err;
  RUN(20);  // the frame limit ends the run while the question is open
  CLEARINPUTSCRIPT();
  EXPECT_TRUE(HEADLESSAUDIOPAUSED(THEBACKEND));
}

TEST_F(EngineTest, ConfirmingTheQuitQuestionLeavesTheLevel) {
  LAUNCHED_FROM_MD = false;
  std::string err;
  ASSERT_TRUE(PARSEINPUTSCRIPT("3 down Escape\n4 up Escape\n12 down Return\n13 up Return\n",
                               "quit.txt", err))
      << err;
  RUN(200);
  CLEARINPUTSCRIPT();
  EXPECT_LT(PUSHEDFRAMES, 200);  // left by the answer, not by the frame limit
  EXPECT_EQ(PORT60[1], 1);
  EXPECT_LT(COUNT("FRAME"), 8);
}

TEST(EngineZoom, KeyCyclesLevelsAndEasingHalvesTheDistance) {
  VIEWZOOM = VIEWZOOMTO = VIEWZOOMDEFAULT = 100;
  ZOOMCOUNT = 0;
  std::vector<double> levels;
  for (int press = 0; press < 4; press++) {
    CYCLEVIEWZOOM();
    EASEVIEWZOOM();
    EASEVIEWZOOM();
    CYCLEVIEWZOOM();  // ignored: the zoom is still easing
    levels.push_back(VIEWZOOMDEFAULT);
    for (int f = 0; f < 12; f++) EASEVIEWZOOM();
  }
  EXPECT_EQ(levels, (std::vector<double>{125, 150, 100, 125}));
  EXPECT_EQ(VIEWZOOMZOOMEDOUT, 100);

  VIEWZOOM = 100;
  VIEWZOOMDEFAULT = 150;
  VIEWZOOMZOOMEDOUT = 125;
  EASEVIEWZOOM();
  EXPECT_DOUBLE_EQ(VIEWZOOM, 125);
  EASEVIEWZOOM();
  EXPECT_DOUBLE_EQ(VIEWZOOM, 137.5);
  // A zoom-out effect holds the wider level while its count is above 100.
  ZOOMCOUNT = 102;
  EASEVIEWZOOM();
  EXPECT_DOUBLE_EQ(VIEWZOOMTO, 125);
  EASEVIEWZOOM();
  EASEVIEWZOOM();
  EXPECT_DOUBLE_EQ(VIEWZOOMTO, 150);
  EXPECT_EQ(ZOOMCOUNT, 99);

  int32_t sx, sy;
  for (auto [zoom, wx, wy] : {std::tuple{100.0, 33, 25}, std::tuple{125.0, 27, 21},
                              std::tuple{150.0, 23, 17}}) {
    VIEWZOOM = zoom;
    VIEWWINDOWSIZE(sx, sy);
    EXPECT_EQ(sx, wx);
    EXPECT_EQ(sy, wy);
  }
  VIEWZOOM = VIEWZOOMTO = VIEWZOOMDEFAULT = 125;
}

TEST(EngineLayers, TimedLayersEmptyPermanentOnesStay) {
  MAPPP[3][3].OC[L_SPARKS] = 206;
  MAPPP[3][3].OT[L_SPARKS] = 2;
  MAPPP[3][3].OC[L_PROPS] = 123;
  MAPPP[3][3].OT[L_PROPS] = 0;
  MANAGELAYERTIMINGS();
  EXPECT_EQ(MAPPP[3][3].OC[L_SPARKS], 206);
  MANAGELAYERTIMINGS();
  EXPECT_EQ(MAPPP[3][3].OC[L_SPARKS], 0);
  EXPECT_EQ(MAPPP[3][3].OT[L_SPARKS], 0);
  EXPECT_EQ(MAPPP[3][3].OC[L_PROPS], 123);
}

TEST(EngineQuit, TauntHasThePromptAndOneOfEightLines) {
  std::map<std::string, int> seen;
  for (int i = 0; i < 400; i++) {
    const std::string t = QUITTAUNT();
    ASSERT_EQ(t.rfind("[ QUIT ?]     ", 0), 0u);
    seen[t.substr(14)]++;
  }
  EXPECT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen.count("Just say no to quitting!"), 1u);
}

// The game binary, started straight into a level.
std::string RUNGAME(const std::string& args, const TempDir& home) {
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless --user-dir " + home.path +
                          " --data " + ASHEN_SOURCE_DATA + " " + args + " 2>&1";
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

std::string SLURP(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int JSONINT(const std::string& json, const std::string& key, size_t from = 0) {
  size_t p = json.find("\"" + key + "\": ", from);
  return p == std::string::npos ? -1 : std::atoi(json.c_str() + p + key.size() + 4);
}

TEST(DirectLaunch, DeterministicAndPlacesThePlayer) {
  TempDir home;
  const std::string a = home.path + "/a.png", b = home.path + "/b.png";
  const std::string d = home.path + "/d.json", e = home.path + "/e.json";
  RUNGAME("--seed 1 --frames 120 --screenshot " + a + " --dump-state " + d + " 5", home);
  RUNGAME("--seed 1 --frames 120 --screenshot " + b + " 5", home);
  const std::string pa = SLURP(a), pb = SLURP(b);
  ASSERT_FALSE(pa.empty());
  EXPECT_EQ(pa, pb);

  const std::string dump = SLURP(d);
  ASSERT_FALSE(dump.empty());
  EXPECT_EQ(JSONINT(dump, "currentmap"), 5);
  EXPECT_GE(JSONINT(dump, "frames"), 119);
  EXPECT_GT(JSONINT(dump, "explored"), 0);
  const size_t p1 = dump.find("\"players\"");
  const int sx = JSONINT(dump, "startx", p1), sy = JSONINT(dump, "starty", p1);
  EXPECT_EQ(JSONINT(dump, "x", p1), sx);
  EXPECT_EQ(JSONINT(dump, "y", p1), sy);

  // Position parameters outside the level keep the map's start cell.
  RUNGAME("--seed 1 --frames 10 --dump-state " + e + " 5 200 3", home);
  std::string bad = SLURP(e);
  size_t q = bad.find("\"players\"");
  EXPECT_EQ(JSONINT(bad, "x", q), sx);
  EXPECT_EQ(JSONINT(bad, "y", q), sy);
  RUNGAME("--seed 1 --frames 10 --dump-state " + e + " 5 x7 3", home);
  bad = SLURP(e);
  q = bad.find("\"players\"");
  EXPECT_EQ(JSONINT(bad, "x", q), sx);
}

}  // namespace

// The state dump is JSON that a standard parser reads; bytes of the code page
// above 126 in game text come out as \u00XX escapes of the same number.
TEST(StateDump, ParsesAndEscapesCodePageBytes) {
  const std::string saved = MAPNAME;
  MAPNAME = std::string("Caf") + static_cast<char>(130) + " " + static_cast<char>(219) + "   ";
  const std::string text = STATEDUMPJSON();
  EXPECT_NE(text.find("\"Caf\\u0082 \\u00db\""), std::string::npos) << text.substr(0, 300);
  const nlohmann::json j = PARSEDUMP(text);
  ASSERT_TRUE(j.contains("players"));
  EXPECT_EQ(j["players"].size(), 2u);
  EXPECT_EQ(j["players"][0]["ammo"].size(), 9u);
  EXPECT_EQ(j["mapname"].get<std::string>().size(), 8u);  // blanks trimmed, two-byte UTF-8 each
  MAPNAME = saved;
}
