// Random levels from the template of the data folder.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "game/doors.h"
#include "render/los.h"
#include "world/randommap.h"
#include "world/worldtest.h"

using namespace worldtest;

namespace {
class RandomLevels : public ::testing::Test {
 protected:
  std::string oldcwd;
  void SetUp() override {
    oldcwd = std::filesystem::current_path().string();
    std::filesystem::current_path(ASHEN_SOURCE_DATA);
    GAME = "main";
    MODERN_VISUALS = 1;
  }
  void TearDown() override { std::filesystem::current_path(oldcwd); }
};

MAPTYPE saved;
}  // namespace

TEST_F(RandomLevels, SameLevelNumberGivesTheSameGrid) {
  LOADMAP(5);
  std::memcpy(saved, MAP, sizeof(MAP));
  LOADMAP(6);
  EXPECT_NE(std::memcmp(saved, MAP, sizeof(MAP)), 0);
  LOADMAP(5);
  EXPECT_EQ(std::memcmp(saved, MAP, sizeof(MAP)), 0);
  EXPECT_EQ(PORTALLEVEL[1], 6);
  EXPECT_EQ(MAPSIZEX, 160);
  EXPECT_EQ(MAPSIZEY, 100);
  EXPECT_EQ(MAP[2][99], 'P');
}

TEST_F(RandomLevels, FarCornerIsReachableFromTheStartCorner) {
  for (BYTE n : {1, 50, 99}) {
    LOADMAP(n);
    EXPECT_TRUE(REACHABLE(RANDOM_STARTX, RANDOM_STARTY, RANDOM_FARX, RANDOM_FARY, 65535)) << int(n);
    ASSERT_EQ(NUMPORTALS, 1);
    EXPECT_EQ(PORTALX[1], RANDOM_FARX);
    EXPECT_EQ(PORTALY[1], RANDOM_FARY);
  }
}

TEST_F(RandomLevels, GeneratorLeavesTheBorderAndFilledCellsAlone) {
  MAPSIZEX = 160;
  MAPSIZEY = 100;
  for (int x = 1; x <= 160; x++)
    for (int y = 1; y <= 100; y++) MAP[x][y] = ' ';
  MAP[40][40] = 'T';
  MAP[80][20] = '%';
  GENERATERANDOMMAP(9);
  for (int x = 1; x <= 160; x++) {
    EXPECT_EQ(MAP[x][1], ' ');
    EXPECT_EQ(MAP[x][100], ' ');
  }
  for (int y = 1; y <= 100; y++) {
    EXPECT_EQ(MAP[1][y], ' ');
    EXPECT_EQ(MAP[160][y], ' ');
  }
  EXPECT_EQ(MAP[40][40], 'T');
  EXPECT_EQ(MAP[80][20], '%');
  int rock = 0, generated = 0;
  for (int x = 2; x <= 159; x++)
    for (int y = 2; y <= 99; y++) {
      unsigned char c = MAP[x][y];
      rock += c == 'R';
      generated += c != ' ';
      EXPECT_NE(std::strchr("R ME1234H[]Y`T%", c), nullptr) << x << "," << y;
    }
  EXPECT_GT(rock, 1000);
  EXPECT_EQ(MAP[158][3], 'E');  // distance 0 to the far corner always places one
}
