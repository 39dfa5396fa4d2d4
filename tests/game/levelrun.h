// Runs the real program on a hand-made level: a data folder holding the map
// as level 120 beside the repository's data, a scripted run, the state dump.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "test_util.h"

namespace levelrun {

// Runs a direct launch of level LEVEL (120 unless given) from a data folder
// holding MAP, with the input script INPUT for FRAMES frames and random seed
// SEED; returns the state dump.
inline std::string RUNLEVEL(const TempDir& dir, const std::string& map, const std::string& input,
                            int frames, int level = 120, int seed = 3) {
  const std::string data = MAKERUNDATA(dir.path);
  std::ofstream(data + "/CAMPAIGN/main/MAPS/Map" + std::to_string(level) + ".txt", std::ios::binary) << map;
  std::ofstream(dir.path + "/input.txt") << input;
  const GAMERUN r = RUNHEADLESS(dir.path, "--seed " + std::to_string(seed) + " --frames " +
                                              std::to_string(frames) + " --data " + data + " --input " +
                                              dir.path + "/input.txt " + std::to_string(level));
  EXPECT_EQ(r.CODE, 0) << r.OUTPUT;
  return r.DUMP;
}

}  // namespace levelrun
