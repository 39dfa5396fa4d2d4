// Per-user folders and case-insensitive lookup of data paths.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "display/renderer.h"
#include "base/harness.h"
#include "base/paths.h"
#include "base/safefile.h"
#include "test_util.h"

namespace fs = std::filesystem;

namespace {
bool WRITEFILESAFEOK(const std::string& path, const std::string& data) {
  std::string err;
  return WRITEFILESAFE(path, data, err);
}
}  // namespace

TEST(Paths, UserFolderFilesAndSaveFolderPerLook) {
  TempDir dir;
  HARNESS.USERDIR = dir.path + "/user";
  EXPECT_EQ(INIFILENAME(), dir.path + "/user/MONSTER.INI");
  EXPECT_EQ(KEYSFILENAME(), dir.path + "/user/KEYS.INI");
  MODERN_VISUALS = 1;
  EXPECT_EQ(SAVEFOLDER(), dir.path + "/user/SAVE");
  MODERN_VISUALS = 0;
  EXPECT_EQ(SAVEFOLDER(), dir.path + "/user/SAVE_A");
  MODERN_VISUALS = 1;
  EXPECT_TRUE(ENSUREFOLDEREXISTS(dir.path + "/user/a/b/c"));
  EXPECT_TRUE(fs::is_directory(dir.path + "/user/a/b/c"));
  HARNESS.USERDIR.clear();
}

TEST(Paths, ResolvesMixedCaseBackslashPaths) {
  TempDir dir;
  fs::create_directories(dir.path + "/CAMPAIGN/main/MAPS");
  std::ofstream(dir.path + "/CAMPAIGN/main/MAPS/Map5.txt") << "x";
  std::string got = RESOLVEPATH(dir.path + "\\campaign\\MAIN\\maps\\MAP5.TXT");
  EXPECT_EQ(got, dir.path + "/CAMPAIGN/main/MAPS/Map5.txt");
  EXPECT_TRUE(FILEEXISTSCI(dir.path + "/Campaign/Main/Maps/map5.txt"));
  // A missing file keeps the name it was given, with "/" separators.
  EXPECT_EQ(RESOLVEPATH(dir.path + "\\CAMPAIGN\\main\\MAPS\\Map6.txt"),
            dir.path + "/CAMPAIGN/main/MAPS/Map6.txt");
  EXPECT_FALSE(FILEEXISTSCI(dir.path + "/campaign/main/maps/map6.txt"));
}

TEST(Paths, AtomicWriteKeepsOldFileOnFailure) {
  TempDir dir;
  std::string path = dir.path + "/f.bin";
  ASSERT_TRUE(WRITEFILESAFEOK(path, "first"));
  ASSERT_TRUE(WRITEFILESAFEOK(path, "second"));
  std::ifstream f(path);
  std::string s;
  f >> s;
  EXPECT_EQ(s, "second");
  EXPECT_FALSE(WRITEFILESAFEOK(dir.path + "/no/such/folder/f.bin", "x"));
}
