// The scan after loading: border, doors, monsters by difficulty, item
// thinning, level 108, objects, and the cell queries.
#include <gtest/gtest.h>

#include "game/items.h"
#include "game/monsters.h"
#include "game/pickups.h"
#include "game/players.h"
#include "game/tanks.h"
#include "render/lighting.h"
#include "base/harness.h"
#include "world/worldtest.h"

using namespace worldtest;

namespace {
class Scan : public WorldTest {};

// A room of 12 x 6 with ROW2 as its second grid line (after the top wall).
std::string roomWith(const std::vector<std::string>& inner) {
  std::vector<std::string> g = {std::string(12, 'R')};
  for (const auto& r : inner) g.push_back("R" + r + std::string(10 - r.size(), ' ') + "R");
  g.push_back(std::string(12, 'R'));
  return LINES(g) + ":room\n";
}

int count(unsigned char c) {
  int n = 0;
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) n += MAP[x][y] == c;
  return n;
}
}  // namespace

TEST_F(Scan, BorderBecomesRockWithMapBlack) {
  SETUPLEVEL(LINES({"  P   ", "R  T  ", "      ", ":open"}));
  for (int x = 1; x <= 6; x++) {
    EXPECT_EQ(MAP[x][1], 'R');
    EXPECT_EQ(MAP[x][3], 'R');
  }
  EXPECT_FALSE(MAPBLACK[1][2]);  // already rock
  EXPECT_TRUE(MAPBLACK[6][2]);
  EXPECT_TRUE(MAPBLACK[3][3]);   // the player's cell on the border
  EXPECT_FALSE(MAPBLACK[4][2]);
  EXPECT_EQ(MAP[4][2], 'T');
  EXPECT_EQ(MDAMAGE[4][2], 200);
  EXPECT_EQ(TREEWEAKROCKHEALTH(4, 2), 50);
}

TEST_F(Scan, DoorBlockAndLShapes) {
  // Rows of the room from the top: a 3 x 2 block of "q", an L of "w" with its
  // arms up and right, and an L of "e" whose bar lies on top.
  SETUPLEVEL(roomWith({"qqq  eee", "qqq  e  ", "        ", "ww      ", "w  P    ", "www     "}));
  ASSERT_EQ(NUMBEROFDOORS, 4);
  // Grid rows: 8 lines, so line 2 is row 7. The first door found is the w L
  // (column 2, rows 2..4), spanning its first column and first row.
  EXPECT_EQ(DOORTYPE[1], 2);
  EXPECT_EQ(DOORX[1], 2);
  EXPECT_EQ(DOORY[1], 2);
  EXPECT_EQ(DOORMAXX[1], 4);
  EXPECT_EQ(DOORMAXY[1], 4);
  EXPECT_EQ(MAP[4][4], 176);  // a space inside the spanned rectangle
  EXPECT_EQ(DOORTYPE[2], 1);  // the 3 x 2 block
  EXPECT_EQ(DOORX[2], 2);
  EXPECT_EQ(DOORY[2], 6);
  EXPECT_EQ(DOORMAXX[2], 4);
  EXPECT_EQ(DOORMAXY[2], 7);
  EXPECT_EQ(MFATTR[3][7], KEYCOLOR[1]);
  // The e shape: its column run first (1 x 2), then the rest of the top bar.
  EXPECT_EQ(DOORX[3], 7);
  EXPECT_EQ(DOORMAXX[3], 7);
  EXPECT_EQ(DOORMAXY[3], 7);
  EXPECT_EQ(DOORX[4], 8);
  EXPECT_EQ(DOORMAXX[4], 9);
  EXPECT_EQ(count('q') + count('w') + count('e'), 0);
}

TEST_F(Scan, DifficultyMultipliesMonstersExceptFriendAndBoss) {
  const std::string text = roomWith({" P", "M  U  x"});
  GAMEDIFFICULTY = 4;
  SETUPLEVEL(text);
  EXPECT_EQ(NUMBEROFMONSTERS, 5);
  EXPECT_EQ(MONSTERX[1], 2);
  EXPECT_EQ(MONSTERX[3], 2);  // three grunts share one cell
  EXPECT_EQ(MONSTERENERGY[1], 50);
  EXPECT_EQ(MFATTR[2][2], 12);
  EXPECT_EQ(MAXMONSTERS, 5);
  EXPECT_EQ(MONSTERSBACKUP, 5);
  GAMEDIFFICULTY = 3;
  SETUPLEVEL(text);
  EXPECT_EQ(NUMBEROFMONSTERS, 4);
  GAMEDIFFICULTY = 1;
  SETUPLEVEL(text);
  EXPECT_EQ(NUMBEROFMONSTERS, 3);
  EXPECT_EQ(MONSTERTYPE[3], 12);
  EXPECT_EQ(MAP[8][2], 'M');
}

TEST_F(Scan, ItemThinningByDifficultyAndLinkPlay) {
  std::vector<std::string> g = {std::string(52, 'R')};
  for (int r = 0; r < 10; r++) g.push_back("R" + std::string(50, '[') + "R");
  g.push_back("RP" + std::string(49, ' ') + "R");
  g.push_back(std::string(52, 'R'));
  const std::string text = LINES(g) + ":items\n";
  GAMEDIFFICULTY = 4;
  SETUPLEVEL(text);
  EXPECT_EQ(count(186), 500);
  GAMEDIFFICULTY = 1;
  SETUPLEVEL(text);
  int kept = count(186);
  EXPECT_GT(kept, 300);  // about a quarter vanish
  EXPECT_LT(kept, 450);
  LINKACTIVE = true;
  SETUPLEVEL(text);
  EXPECT_EQ(count(186), 500);
}

TEST_F(Scan, InventoryItemsSurviveOnlyOnLevel108) {
  const std::string text = roomWith({"ABK@ P"});
  SETUPLEVEL(text, 108);
  EXPECT_EQ(MAP[2][2], 'A');
  EXPECT_EQ(MAP[5][2], '@');
  SETUPLEVEL(text, 109);
  for (int x = 2; x <= 5; x++) EXPECT_EQ(MAP[x][2], ' ') << x;
}

TEST_F(Scan, ObjectsOfTheScan) {
  SETUPLEVEL(roomWith({"a1H.*^GQO#", "", "S F 9!  P", ""}));
  // Rows 5 (first inner line) and 3.
  EXPECT_EQ(MAP[2][5], '%');
  EXPECT_EQ(MDAMAGE[2][5], 1);
  EXPECT_EQ(MBATTR[2][5], 6);
  EXPECT_EQ(MFATTR[2][5], 14);
  ASSERT_EQ(NUMBEROFWEAPONS, 4);  // in visiting order, column by column
  EXPECT_EQ(WEAPONTYPE[1], '1');
  EXPECT_EQ(WEAPONTYPE[2], 'H');
  EXPECT_EQ(WEAPONTYPE[3], '.');
  EXPECT_EQ(WEAPONTYPE[4], '9');
  EXPECT_EQ(WEAPONX[4], 6);
  EXPECT_EQ(MAP[5][5], 'Y');
  ASSERT_EQ(NUMTRULITES, 2);
  EXPECT_FALSE(TRULITE[1].BARREL);
  EXPECT_EQ(MAP[6][5], ' ');
  EXPECT_TRUE(TRULITE[2].BARREL);
  EXPECT_EQ(MAP[7][5], 219);
  EXPECT_EQ(MDAMAGE[8][5], 190);
  EXPECT_EQ(DSNUMBER, 1);
  EXPECT_EQ(DSX[1], 9);
  EXPECT_EQ(MAP[9][5], ' ');
  EXPECT_EQ(NUMBEROFHELPERS, 1);
  EXPECT_EQ(HELPERX[1], 10);
  EXPECT_EQ(PLAYERSTARTX[2], 11);
  EXPECT_EQ(MAP[11][5], ' ');
  EXPECT_TRUE(SMARTYPRESENT);
  EXPECT_EQ(SMARTYX, 2);
  EXPECT_EQ(MAP[4][3], 'R');
  EXPECT_EQ(MFATTR[4][3], 14);
  EXPECT_EQ(PLAYERSTARTX[1], 10);
  EXPECT_EQ(PLAYERY[1], 3);
  // The tank stands on the cell above its "!": rows 4..2 from column 7.
  ASSERT_EQ(NUMBEROFTANKS, 1);
  EXPECT_EQ(TANKX[1], 7);
  EXPECT_EQ(TANKY[1], 4);
  EXPECT_EQ(MAP[8][3], 178);
  EXPECT_EQ(WHATTANK(9, 2), 1);
  EXPECT_EQ(WHATTANK(10, 2), 0);
  EXPECT_EQ(MAP[9][4], '/');  // turret direction 1 sits top-right
  EXPECT_EQ(WHATISIT(9, 4), 177);
}

TEST_F(Scan, DirectLaunchPlacesPlayerOneAndHandsOutKeys) {
  LAUNCHED_FROM_MD = true;
  GAMEPARAMS = {"120", "6", "2"};
  SETUPLEVEL(roomWith({" P"}));
  EXPECT_EQ(PLAYERX[1], 6);
  EXPECT_EQ(PLAYERY[1], 2);
  EXPECT_EQ(MAP[3][2], ' ');
  GAMEPARAMS = {"120", "4", "3"};  // the top wall: the map's own start stays
  SETUPLEVEL(roomWith({" P"}));
  EXPECT_EQ(PLAYERX[1], 3);
  EXPECT_EQ(PLAYERY[1], 2);
  EXPECT_TRUE(KEYS[1][5]);
  EXPECT_FALSE(KEYS[1][6]);
  GAMEPARAMS = {"120", "x"};  // no usable cell: the map's own start stays
  SETUPLEVEL(roomWith({" P"}));
  EXPECT_EQ(PLAYERX[1], 3);
  EXPECT_EQ(MAP[3][2], 'P');
  GAMEPARAMS.clear();
}

TEST_F(Scan, ColoursCarryOverForSymbolsWithoutOne) {
  MAP[1][1] = 'M';
  MAP[1][2] = '~';
  for (int x = 2; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) MAP[x][y] = ' ';
  for (int y = 3; y <= MAX_MAPHEIGHT; y++) MAP[1][y] = ' ';
  ASSIGNCOLORS();
  EXPECT_EQ(MFATTR[1][1], 12);
  EXPECT_EQ(MFATTR[1][2], 12);
  EXPECT_EQ(MFATTR[1][3], 8);
  EXPECT_EQ(IDENTIFYITEM('~'), "something");
}

TEST_F(Scan, CellQueries) {
  SETUPLEVEL(roomWith({"   R    W ", " P"}));
  EXPECT_EQ(WHATISIT(0, 5), 255);
  EXPECT_EQ(WHATISIT(161, 5), 255);
  EXPECT_EQ(WHATISIT(5, 101), 255);
  EXPECT_EQ(WHATISIT(1, 1), 'R');
  EXPECT_TRUE(VALID(160, 100));
  EXPECT_FALSE(VALID(1, 0));
  EXPECT_TRUE(MAPEDGE(12, 3));
  EXPECT_FALSE(MAPEDGE(11, 3));
  EXPECT_FALSE(ISTREEWEAKROCK(1, 1));  // plain rock has no health
  // (7, 3): one open cell left, two right (then water); none up, one down.
  EXPECT_EQ(RETURNROOMSIZE(7, 3), 3 * 1);
  // (3, 2): the player does not stop the scan: 1 + 8 across, 1 up.
  EXPECT_EQ(RETURNROOMSIZE(3, 2), 9 * 1);
  BYTE hi = 0, lo = 0;
  CONVERT1TO2(0x1234, hi, lo);
  EXPECT_EQ(hi, 0x12);
  EXPECT_EQ(lo, 0x34);
  EXPECT_EQ(CONVERT2TO1(hi, lo), 0x1234);
}

TEST_F(Scan, MonsterGlyphsInBothLooks) {
  SETUPLEVEL(roomWith({"MM U x", " P"}));
  EXPECT_EQ(WHICHCHARISTHISMONSTER(1), 135);  // (2, 3): odd sum
  EXPECT_EQ(WHICHCHARISTHISMONSTER(2), 127);  // (3, 3): even sum
  MODERN_VISUALS = 0;
  EXPECT_EQ(WHICHCHARISTHISMONSTER(1), 'M');
  EXPECT_EQ(WHICHCHARISTHISMONSTER(3), 'P');
  EXPECT_EQ(WHICHCHARISTHISMONSTER(4), 'A');
}

TEST_F(Scan, MapLightsTagTheStaticLightGrid) {
  // Light rows count from the top; a ring light stops at walls.
  std::string text = roomWith({"", "       R", " P", ""});
  SETUPLEVEL(text + LINES({"L2,2,4,3-105", "C8,3,0,2-128"}));
  EXPECT_EQ(OOGA[2][2], 131);
  EXPECT_EQ(OOGA[4][3], 131);
  EXPECT_EQ(OOGA[5][3], 128);
  EXPECT_EQ(OOGA[2][4], 128);
  EXPECT_EQ(OOGA[8][3], 132);   // the centre, world row 4
  EXPECT_EQ(OOGA[9][3], 132);   // the wall cell itself is lit
  EXPECT_EQ(OOGA[10][3], 128);  // behind the wall
  EXPECT_EQ(OOGA[8][1], 132);   // two rows up (top row)
  EXPECT_EQ(OOGA[8][6], 128);   // three rows down: beyond the radius
  EXPECT_EQ(MLIGHT[8][3], 128);
}
