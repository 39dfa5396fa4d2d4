// Shared helpers of the world tests: temporary folders with level files.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display/renderer.h"
#include "game/doors.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace worldtest {

// A fresh temporary folder, removed by the caller's fixture.
inline std::string MAKETEMPDIR() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "ashen_world_XXXXXX").string();
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back(0);
  char* d = mkdtemp(buf.data());
  return d ? std::string(d) : std::string();
}

inline void WRITETEXT(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Lines joined with "\n" and a final line end.
inline std::string LINES(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

// A closed room of W x H cells with the player at (3, 2) counted from the
// top-left, as grid lines.
inline std::vector<std::string> ROOM(int w, int h) {
  std::vector<std::string> g;
  for (int r = 1; r <= h; r++) {
    if (r == 1 || r == h) g.push_back(std::string(w, 'R'));
    else g.push_back("R" + std::string(w - 2, ' ') + "R");
  }
  g[1][2] = 'P';
  return g;
}

// Runs in a temporary folder that is the working (data) folder.
class WorldTest : public ::testing::Test {
 protected:
  std::string dir, oldcwd;
  void SetUp() override {
    oldcwd = std::filesystem::current_path().string();
    dir = MAKETEMPDIR();
    ASSERT_FALSE(dir.empty());
    std::filesystem::current_path(dir);
    GAME = "main";
    LAUNCHED_FROM_MD = false;
    LINKACTIVE = false;
    GAMEDIFFICULTY = 1;
    MODERN_VISUALS = 1;
    ASCII_CHARS = 0;
    MAPCHECKING = false;
  }
  void TearDown() override {
    std::filesystem::current_path(oldcwd);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  // Writes the map and loads it as campaign level N (file Map<N>.txt).
  void LOADLEVEL(const std::string& text, BYTE n = 120) {
    WRITETEXT(dir + "/CAMPAIGN/main/MAPS/Map" + std::to_string(n) + ".txt", text);
    LOADMAP(n);
  }
  void SETUPLEVEL(const std::string& text, BYTE n = 120) {
    WRITETEXT(dir + "/CAMPAIGN/main/MAPS/Map" + std::to_string(n) + ".txt", text);
    INITMAP(n);
  }
};

}  // namespace worldtest
