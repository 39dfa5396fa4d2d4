// Runs the real program on a hand-made level: a data folder holding the map
// as level 120 beside the repository's data, a scripted run, the state dump.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_util.h"

namespace levelrun {
namespace fs = std::filesystem;

inline std::string READALL(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// Runs a direct launch of level LEVEL (120 unless given) from a data folder
// holding MAP, with the input script INPUT for FRAMES frames; returns the
// state dump.
inline std::string RUNLEVEL(const TempDir& dir, const std::string& map, const std::string& input,
                            int frames, int level = 120) {
  fs::create_directories(dir.path + "/data/CAMPAIGN/main/MAPS");
  for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA))
    if (e.path().filename() != "CAMPAIGN" && !fs::exists(fs::path(dir.path + "/data") / e.path().filename()))
      fs::create_directory_symlink(e.path(), fs::path(dir.path + "/data") / e.path().filename());
  std::ofstream(dir.path + "/data/CAMPAIGN/main/MAPS/Map" + std::to_string(level) + ".txt",
                std::ios::binary)
      << map;
  std::ofstream(dir.path + "/input.txt") << input;
  const std::string dump = dir.path + "/state.json";
  std::remove(dump.c_str());
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless --seed 3 --frames " +
                          std::to_string(frames) + " --user-dir " + dir.path + "/user --data " +
                          dir.path + "/data --input " + dir.path + "/input.txt --dump-state " +
                          dump + " " + std::to_string(level) + " > " + dir.path + "/out.txt 2>&1";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << READALL(dir.path + "/out.txt");
  return READALL(dump);
}

}  // namespace levelrun
