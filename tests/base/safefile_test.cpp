// The safe file reader and writer: only regular files, bounded reads, and
// writes through an exclusive temporary that no planted link can redirect.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/paths.h"
#include "base/safefile.h"
#include "test_util.h"

namespace fs = std::filesystem;

namespace {
void put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
std::string get(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}
// Names in DIR other than the ones given.
std::vector<std::string> others(const std::string& dir, std::vector<std::string> known) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    std::string n = e.path().filename().string();
    if (std::find(known.begin(), known.end(), n) == known.end()) out.push_back(n);
  }
  return out;
}
}  // namespace

TEST(SafeRead, OnlyRegularFilesWithinTheLimit) {
  TempDir dir;
  const std::string d = dir.path;
  put(d + "/ten", "0123456789");
  put(d + "/empty", "");
  fs::create_directory(d + "/folder");
  ASSERT_EQ(mkfifo((d + "/fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", d + "/zero");
  fs::create_symlink(d + "/ten", d + "/link-to-ten");
  fs::create_symlink(d + "/nowhere", d + "/dangling");
  struct CASE {
    const char* name;
    size_t limit;
    FILEREAD want;
    const char* content;
    const char* says;
  } cases[] = {
      {"ten", 10, FR_OK, "0123456789", ""},
      {"ten", 100, FR_OK, "0123456789", ""},
      {"ten", 9, FR_TOOLARGE, "", "larger than 9 bytes"},
      {"empty", 0, FR_OK, "", ""},
      {"link-to-ten", 10, FR_OK, "0123456789", ""},
      {"absent", 10, FR_MISSING, "", "no such file"},
      {"dangling", 10, FR_MISSING, "", "no such file"},
      {"folder", 10, FR_NOTFILE, "", "a folder"},
      {"fifo", 10, FR_NOTFILE, "", "a named pipe"},
      {"zero", 1 << 20, FR_NOTFILE, "", "not a regular file"},
      {"ten/x", 10, FR_MISSING, "", "no such file"},
  };
  for (const CASE& c : cases) {
    std::string out = "stale", err;
    const std::string path = d + "/" + c.name;
    EXPECT_EQ(READFILESAFE(path, c.limit, out, err), c.want) << c.name;
    EXPECT_EQ(out, c.content) << c.name;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.name << ": " << err;
    if (c.want != FR_OK) {
      EXPECT_NE(err.find(path), std::string::npos) << err;
    }
  }
}

TEST(SafeWrite, ReplacesTheFileWholeAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir.path + "/MONSTER.INI";
  std::string err;
  ASSERT_TRUE(WRITEFILESAFE(path, "first", err)) << err;
  ASSERT_TRUE(WRITEFILESAFE(path, std::string("se\0cond", 7), err)) << err;
  EXPECT_EQ(get(path), std::string("se\0cond", 7));
  EXPECT_TRUE(others(dir.path, {"MONSTER.INI"}).empty());
  // Failures say why, keep the old file and leave nothing behind.
  fs::create_directory(dir.path + "/SAVE");
  struct CASE {
    std::string path;
    const char* says;
  } failures[] = {
      {dir.path + "/no/such/folder/f.bin", "no/such/folder/f.bin"},
      {dir.path + "/SAVE", "cannot write"},  // a folder stands where the file goes
      {"", "no file name"},
  };
  for (const CASE& c : failures) {
    EXPECT_FALSE(WRITEFILESAFE(c.path, "x", err)) << c.path;
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
  EXPECT_EQ(get(path), std::string("se\0cond", 7));
  EXPECT_TRUE(fs::is_directory(dir.path + "/SAVE"));
  EXPECT_TRUE(others(dir.path, {"MONSTER.INI", "SAVE"}).empty());
}

TEST(SafeWrite, PlantedLinksAreNeverFollowed) {
  TempDir dir;
  const std::string victim = dir.path + "/victim", path = dir.path + "/MONSTER.INI";
  put(victim, "precious");
  // Links at the old fixed temporary name and at the file itself.
  fs::create_symlink(victim, path + ".tmp");
  fs::create_symlink(victim, path);
  std::string err;
  ASSERT_TRUE(WRITEFILESAFE(path, "settings", err)) << err;
  EXPECT_EQ(get(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(path));
  EXPECT_EQ(get(path), "settings");
  EXPECT_TRUE(fs::is_symlink(path + ".tmp"));
}

TEST(UserFolder, AbsoluteFoldersOnlyInOrderOfPrecedence) {
  struct CASE {
    const char* userdir;
    const char* ashen;
    const char* xdg;
    const char* home;
    const char* account;
    const char* want;
    const char* note;
  } cases[] = {
      {"/u", "/a", "/x", "/h", "/p", "/u", ""},
      {"", "/a", "/x", "/h", "/p", "/a", ""},
      {"", nullptr, "/x", "/h", "/p", "/x/ASHENREACH", ""},
      {"", "", "", "/h", "/p", "/h/.local/share/ASHENREACH", ""},
      {"", "rel", "/x", "/h", "/p", "/x/ASHENREACH", "ASHENREACH_HOME is not an absolute path"},
      {"", nullptr, "data/xdg", "/h", "/p", "/h/.local/share/ASHENREACH", "XDG_DATA_HOME is not an absolute path"},
      {"", nullptr, nullptr, nullptr, "/p", "/p/.local/share/ASHENREACH", ""},
      {"", nullptr, nullptr, ".", "/p", "/p/.local/share/ASHENREACH", "HOME is not an absolute path"},
      {"", nullptr, nullptr, nullptr, "", "", "no home folder"},
  };
  for (const CASE& c : cases) {
    std::string notes;
    EXPECT_EQ(USERFOLDERFROM(c.userdir, c.ashen, c.xdg, c.home, c.account, notes), c.want) << c.want;
    EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
    if (!*c.note) {
      EXPECT_EQ(notes, "");
    }
  }
}
