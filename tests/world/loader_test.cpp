// The map file: sections, row conversion, trailer commands and the refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "render/lighting.h"
#include "world/worldtest.h"

using namespace worldtest;

namespace {
class Loader : public WorldTest {};

std::string grid5x4() { return LINES({"RRRRR", "R P R", "R   R", "RRRRR"}); }
}  // namespace

TEST_F(Loader, RowsCountFromTheBottomAndTrailerRowsAreConverted) {
  LOADLEVEL(LINES({"RRRRR", "RP  R", "R  TR", "RRRRR", ":Four rows", "2,1,3,4-R", "@3,2-105x"}));
  EXPECT_EQ(MAPSIZEX, 5);
  EXPECT_EQ(MAPSIZEY, 4);
  EXPECT_EQ(MAP[2][3], 'P');  // second line is row 3
  EXPECT_EQ(MAP[4][2], 'T');  // third line is row 2
  ASSERT_EQ(COMMANDS, 1);
  EXPECT_EQ(TRAPX[1], 2);
  EXPECT_EQ(TRAPY[1], 4);  // written as line 1 -> row MAPSIZEY
  EXPECT_EQ(DESTX[1], 3);
  EXPECT_EQ(DESTY[1], 1);
  EXPECT_EQ(DESTSYMBOL[1], 'R');
  ASSERT_EQ(NUMPORTALS, 1);
  EXPECT_EQ(PORTALX[1], 3);
  EXPECT_EQ(PORTALY[1], 3);
  EXPECT_EQ(PORTALLEVEL[1], 105);  // trailing non-digits dropped
  EXPECT_EQ(PORTALTYPE[1], 1);
  EXPECT_EQ(TRAPSBACKUP, 1);
}

TEST_F(Loader, NameLineNeedsTwoCharactersAfterAGridLine) {
  LOADLEVEL(LINES({"RRR", ":", "RPR", "RRR", ":  Deep Halls  ", "junk-that-is-a-trap"}));
  EXPECT_EQ(MAPSIZEY, 4);  // the lone ":" is a grid row
  EXPECT_EQ(MAP[1][3], ':');
  EXPECT_EQ(MAPNAME, "Deep Halls");
}

TEST_F(Loader, MissingLevelFallsBackToMap1) {
  WRITETEXT(dir + "/CAMPAIGN/main/MAPS/map1.txt", grid5x4() + ":First\n");
  CURRENTMAP = 130;
  LOADMAP(130);
  EXPECT_EQ(CURRENTMAP, 1);
  EXPECT_EQ(MAPNAME, "First");
  EXPECT_NE(MAPFILENAME.find("map1.txt"), std::string::npos);
}

TEST_F(Loader, FileNamesAreMatchedWithoutRegardToCase) {
  WRITETEXT(dir + "/campaign/MAIN/maps/MAP121.TXT", grid5x4() + ":Shouting\n");
  CURRENTMAP = 121;
  LOADMAP(121);
  EXPECT_EQ(CURRENTMAP, 121);
  EXPECT_EQ(MAPNAME, "Shouting");
  EXPECT_EQ(MAPFILEFORLEVEL(7), "CAMPAIGN\\MAIN\\MAPS\\MAP_RANDOM.txt");
}

TEST_F(Loader, LoadingACampaignLevelUnlocksItsChapter) {
  CHAPTERSUNLOCKED = 1;
  LOADLEVEL(grid5x4() + ":c\n", 103);
  EXPECT_EQ(CHAPTERSUNLOCKED, 4);
}

TEST_F(Loader, FullSizeLoadsAndOneMoreColumnOrRowEndsWithCode4) {
  std::vector<std::string> g(100, std::string(160, 'R'));
  g[1][1] = 'P';
  LOADLEVEL(LINES(g) + ":Big\n");
  EXPECT_EQ(MAPSIZEX, 160);
  EXPECT_EQ(MAPSIZEY, 100);
  std::vector<std::string> wide = g;
  wide[50] += "R";
  EXPECT_EXIT(LOADLEVEL(LINES(wide) + ":Wide\n"), ::testing::ExitedWithCode(4), "Map120.txt: map too large");
  std::vector<std::string> tall = g;
  tall.push_back(std::string(10, 'R'));
  EXPECT_EXIT(LOADLEVEL(LINES(tall) + ":Tall\n"), ::testing::ExitedWithCode(4), "map too large");
}

TEST_F(Loader, TableOverflowsAreRefusedWithCode4) {
  std::string msgs = grid5x4() + ":m\n2,2,3,3-R\n";
  for (int i = 0; i < 21; i++) msgs += "\"message\"\n";
  EXPECT_EXIT(LOADLEVEL(msgs), ::testing::ExitedWithCode(4), "line 27: Trap messages exceed 20 !!");
  EXPECT_EXIT(LOADLEVEL(grid5x4() + ":m\n\"early\"\n"), ::testing::ExitedWithCode(4),
              "message before any trap line");
  std::string traps = grid5x4() + ":t\n";
  for (int i = 0; i < 256; i++) traps += "2,2,3,3-R\n";
  EXPECT_EXIT(LOADLEVEL(traps), ::testing::ExitedWithCode(4), "more than 255 traps");
  std::string portals = grid5x4() + ":p\n";
  for (int i = 0; i < 33; i++) portals += "@2,2-101\n";
  EXPECT_EXIT(LOADLEVEL(portals), ::testing::ExitedWithCode(4), "more than 32 portals");
  std::string lights = grid5x4() + ":l\n";
  for (int i = 0; i < 51; i++) lights += "L1,1,2,2-128\n";
  EXPECT_EXIT(LOADLEVEL(lights), ::testing::ExitedWithCode(4), "more than 50 lights");
  EXPECT_EXIT(LOADLEVEL(grid5x4() + ":p\nP21\n1\nEND\n"), ::testing::ExitedWithCode(4), "pattern number");
  std::string longPattern = grid5x4() + ":p\nP1\n";
  for (int i = 0; i < 31; i++) longPattern += "3\n";
  EXPECT_EXIT(LOADLEVEL(longPattern + "END\n"), ::testing::ExitedWithCode(4), "more than 30 values");
}

TEST_F(Loader, TrapFieldsRepeatActivatorAndMessages) {
  LOADLEVEL(grid5x4() + ":t\n" +
            LINES({"2,2,3,3-M:4", "\"Walls are closing in, and the message is too long\"", "2,2,3,3-R1G",
                   "2,2,3,3-S", "x,2,3,3-R", "2,2,3,3"}));
  ASSERT_EQ(COMMANDS, 5);
  EXPECT_EQ(DESTSYMBOL[1], 'M');
  EXPECT_TRUE(TRAPREPEAT[1]);
  EXPECT_EQ(TRAPACTIVATOR[1], 4);
  EXPECT_EQ(MSGNUMBER[1], 1);
  EXPECT_EQ(TRAPMSG[1], std::string("Walls are closing in, and the message is too long").substr(0, 40));
  EXPECT_FALSE(TRAPREPEAT[2]);
  EXPECT_EQ(TRAPACTIVATOR[2], 5);  // "1" then "G": the last found wins
  EXPECT_EQ(MSGNUMBER[2], 0);
  EXPECT_EQ(TRAPACTIVATOR[3], 6);  // the symbol itself is searched too
  EXPECT_EQ(TRAPX[4], 0);          // malformed number
  EXPECT_EQ(DESTSYMBOL[5], 0);     // no "-": no symbol
}

TEST_F(Loader, LightsSoundsPatternsAndKeyNames) {
  LOADLEVEL(grid5x4() + ":l\n" +
            LINES({"L1,2,3,4-105R", "S7-255", "C5,6,1,4-128", "P2", "3", "4", "END", ":Red", ":Green",
                   ":Blue", ":Grey", ":Pink", ":Ignored"}));
  ASSERT_EQ(NUMBEROFLIGHTS, 2);
  EXPECT_EQ(LIGHTTYPE[1], 1);
  EXPECT_EQ(LIGHTX1[1], 1);
  EXPECT_EQ(LIGHTY1[1], 2);  // light rows are not converted
  EXPECT_EQ(LIGHTY2[1], 4);
  EXPECT_EQ(LIGHTHOW[1], 105);
  EXPECT_EQ(LIGHTRANDOM[1], 1);
  EXPECT_EQ(ASOUND[1], 7);
  EXPECT_EQ(ASOUNDHOW[1], 255);
  EXPECT_EQ(LIGHTTYPE[2], 2);
  EXPECT_EQ(LIGHTRANDOM[2], 0);
  EXPECT_EQ(NUMBEROFPATTERNS, 2);
  EXPECT_EQ(PCOLOR[2], 2);
  EXPECT_EQ(LPATTERN[2][1], 3);
  EXPECT_EQ(LPATTERN[2][2], 4);
  EXPECT_EQ(KEYNAMES[1], "Red");
  EXPECT_EQ(KEYNAMES[5], "Pink");
  EXPECT_EQ(KEYNAMES[6], "Alpha");
}

TEST_F(Loader, GraffitiInBothLooks) {
  const std::string text = LINES({"RRRRRRRRRRR", "R(ab C)R PR", "RRRRRRRRRRR", ":g"});
  LOADLEVEL(text);
  // "(" copies its left neighbour, ")" the next character; between them rock.
  for (int x = 2; x <= 8; x++) EXPECT_EQ(MAP[x][2], 'R') << x;
  EXPECT_EQ(MAPPP[2][2].CHR, 255);
  EXPECT_EQ(MAPPP[3][2].CHR, 'a');
  EXPECT_EQ(MAPPP[4][2].CHR, 'b');
  EXPECT_EQ(MAPPP[5][2].CHR, ' ');
  EXPECT_EQ(MAPPP[6][2].CHR, ' ');  // upper case hidden in the modern look
  EXPECT_EQ(MAP[9][2], ' ');
  MODERN_VISUALS = 0;
  LOADLEVEL(text);
  EXPECT_EQ(MAPPP[6][2].CHR, 'C');
  MODERN_VISUALS = 1;
  ASCII_CHARS = 1;
  LOADLEVEL(text);
  EXPECT_EQ(MAPPP[6][2].CHR, 'C');
}

TEST_F(Loader, IndoorRockAndBrightnessSeeds) {
  std::vector<std::string> g = {std::string(40, 'R'), "0\"" + std::string(38, ' '), std::string(39, ' ') + "P"};
  LOADLEVEL(LINES(g) + ":b\n");
  EXPECT_EQ(MAP[1][2], 'R');
  EXPECT_TRUE(MAPPP[1][2].INDOOR);
  EXPECT_EQ(MAP[2][2], 'F');
  EXPECT_TRUE(MAPPP[2][2].INDOOR);
  EXPECT_EQ(MAPPP[40][1].INITIALBRIGHTNESS, 100);
  MODERN_VISUALS = 0;
  LOADLEVEL(LINES(g) + ":b\n");
  // Seeds are stored in top-counted rows: row 1 holds the seed of the rock line.
  int rockMin = 100, openMin = 100;
  for (int x = 1; x <= 40; x++) {
    rockMin = std::min<int>(rockMin, MAPPP[x][1].INITIALBRIGHTNESS);
    openMin = std::min<int>(openMin, MAPPP[x][3].INITIALBRIGHTNESS);
    EXPECT_LE(MAPPP[x][1].INITIALBRIGHTNESS, 100);
  }
  EXPECT_GE(rockMin, 81);
  EXPECT_LT(rockMin, 91);
  EXPECT_GE(openMin, 91);
}

TEST_F(Loader, WhatIsNoReadableFilePlaysMap1WithAMessage) {
  WRITETEXT(dir + "/CAMPAIGN/main/MAPS/map1.txt", grid5x4() + ":First\n");
  const std::string level = dir + "/CAMPAIGN/main/MAPS/Map130.txt";
  struct CASE {
    const char* what;
    void (*make)(const std::string&);
    const char* says;
  } cases[] = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "a folder"},
      {"fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, "a named pipe"},
      {"endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }, "a device"},
  };
  for (const CASE& c : cases) {
    std::filesystem::remove_all(level);
    c.make(level);
    CURRENTMAP = 130;
    ::testing::internal::CaptureStderr();
    LOADMAP(130);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(CURRENTMAP, 1) << c.what;
    EXPECT_EQ(MAPNAME, "First") << c.what;
    EXPECT_NE(err.find(std::string("Map130.txt: ") + c.says), std::string::npos) << c.what << ": " << err;
    EXPECT_NE(err.find("playing map1.txt instead"), std::string::npos) << err;
  }
}

TEST_F(Loader, ByteOrderMarkAndMissingNameLine) {
  LOADLEVEL("\xEF\xBB\xBF" + grid5x4() + ":Marked\n");
  EXPECT_EQ(MAPSIZEX, 5);
  EXPECT_EQ(MAP[1][4], 'R');
  EXPECT_EQ(MAPNAME, "Marked");
  LOADLEVEL(grid5x4());
  EXPECT_EQ(MAPSIZEY, 4);
  EXPECT_EQ(MAPNAME, std::string(78, ' '));
}

TEST_F(Loader, RefusalsEndWithCode4) {
  struct CASE {
    const char* what;
    std::string text;
    const char* says;
  } cases[] = {
      {"no player start", LINES({"RRR", "R R", "RRR"}) + ":Nobody\n", "no player start"},
      {"over 1 MB", grid5x4() + ":Long\n" + std::string(1 << 20, '\n'), "larger than 1048576 bytes"},
      {"endless grid", std::string(300000, '\n'), "map too large: 0 columns x more than 101 rows"},
  };
  for (const CASE& c : cases) EXPECT_EXIT(LOADLEVEL(c.text), ::testing::ExitedWithCode(4), c.says) << c.what;
}
