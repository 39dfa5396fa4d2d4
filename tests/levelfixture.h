// A small level for engine and view tests: a headless back-end, the game's
// own glyph sets (the repository data folder as working folder) and a map
// written by the test into a temporary folder and set up like a level.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/events.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/playerstate.h"
#include "render/lighting.h"
#include "base/harness.h"
#include "base/settings.h"
#include "base/random.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "ui/keyconfig.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace leveltest {

class LEVELFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    OLDCWD = std::filesystem::current_path();
    DIR = std::filesystem::temp_directory_path() /
          ("ashen_level_" + std::to_string(getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(DIR);
    std::filesystem::create_directories(DIR);
    std::filesystem::current_path(ASHEN_SOURCE_DATA);
    SAVEDBACKEND = THEBACKEND;
    THEBACKEND = MAKEHEADLESSBACKEND(640, 360);
    INITVIDEO();
    RANDSEED(1);
    HARNESS = HARNESSOPTIONS();
    PUSHEDFRAMES = 0;
  }
  void TearDown() override {
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = SAVEDBACKEND;
    std::filesystem::current_path(OLDCWD);
    std::error_code ec;
    std::filesystem::remove_all(DIR, ec);
  }

  // A level about to be played through the engine loop: playing, no game
  // being loaded, Escape leaving without the quit question, the default keys
  // all released and both players at full health.
  void READYTOPLAY() {
    VICTORY = 0;
    LOADINGGAME = false;
    LAUNCHED_FROM_MD = true;
    RESETKEYCONFIG(1);
    for (auto& k : KEYSTATUS) k.PRESSED = false;
    PLAYERHEALTH[1] = PLAYERHEALTH[2] = 100;
  }

  // Runs the engine for FRAMES frames from where the game stands (the
  // harness's frame limit ends it).
  void RUN(int64_t frames) {
    HARNESS.FRAMES = PUSHEDFRAMES + frames;
    try {
      ENGINETEST();
    } catch (const HARNESSEXIT&) {
    }
  }

  // Chooses the visual style: 1 modern (NORM glyphs), 0 classic (ASCII glyphs).
  void STYLE(BYTE style) {
    SETVISUALS(style);
    ASSERT_TRUE(GLYPHLOADERROR.empty()) << GLYPHLOADERROR;
  }

  // Writes the grid lines (first line = top row) with a name line and sets the
  // level up as the game does for a campaign level.
  void LEVEL(const std::vector<std::string>& rows, const std::string& trailer = "") {
    const std::filesystem::path file = DIR / "Map200.txt";
    {
      std::ofstream out(file, std::ios::binary);
      for (const std::string& r : rows) out << r << "\r\n";
      out << ":Test level\r\n" << trailer;
    }
    MAPSIZEX = MAPSIZEY = 0;
    PRELOADMAPINIT();
    ASSERT_TRUE(LOADMAPFILE(file.string(), 200));
    ASSIGNCOLORS();
    SCANMAP(200);
    // Full natural brightness everywhere, as the lighting step leaves an unlit level.
    for (int x = 1; x <= MAX_MAPWIDTH; x++)
      for (int y = 1; y <= MAX_MAPHEIGHT; y++) MAPPP[x][y].BRIGHTNESS = MAPPP[x][y].INITIALBRIGHTNESS;
  }

  std::filesystem::path OLDCWD, DIR;
  BACKEND* SAVEDBACKEND = nullptr;
};

}  // namespace leveltest
