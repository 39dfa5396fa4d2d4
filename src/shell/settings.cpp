// Process-wide settings and flags, the settings file and the parameter tests.
#include <cctype>
#include <cstdio>

#include "display/renderer.h"
#include "base/harness.h"
#include "base/paths.h"
#include "base/safefile.h"
#include "shell/startup.h"

std::string DEFAULTKEYMAP() {
  // S, F, E, D, A, cursor left, right, down, up, End, Home, Page Down, Page Up, Insert, Space.
  static const unsigned char codes[15] = {0x1F, 0x21, 0x12, 0x20, 0x1E, 0x4B, 0x4D, 0x50,
                                          0x48, 0x4F, 0x47, 0x51, 0x49, 0x52, 0x39};
  return std::string(reinterpret_cast<const char*>(codes), 15);
}

namespace {
std::string squeezeUpper(const std::string& s) {
  std::string out;
  for (unsigned char c : s)
    if (c != ' ') out += static_cast<char>(std::toupper(c));
  return out;
}
}  // namespace

bool PARAM(const std::string& p) {
  std::string want;
  for (unsigned char c : p) want += static_cast<char>(std::toupper(c));
  for (const std::string& g : GAMEPARAMS)
    if (squeezeUpper(g) == want) return true;
  return false;
}

bool VALIDATEDPARAM() {
  return !GAMEPARAMS.empty() && !GAMEPARAMS[0].empty() && GAMEPARAMS[0][0] >= '0' &&
         GAMEPARAMS[0][0] <= '9';
}

void READSETTINGS(const std::string& path, BYTE& visualstyle) {
  std::string bytes, err;
  // A settings file holds at most six bytes: anything else is not one of
  // ours (a folder, a pipe, a larger file, a read error) and counts as absent.
  const FILEREAD r = READFILESAFE(path, SETTINGSFILESIZE, bytes, err);
  if (r != FR_OK) {
    if (r != FR_MISSING) std::fprintf(stderr, "ashenreach: %s; settings file ignored\n", err.c_str());
    return;
  }
  // Fewer than four bytes cannot be a settings file of any layout: keep the defaults.
  if (bytes.size() < 4) return;
  // Each value is taken only when it is in range; any other keeps its default.
  auto b = [&](size_t i) { return static_cast<BYTE>(bytes[i]); };
  auto take = [&](size_t i, BYTE lo, BYTE hi, BYTE& into) {
    if (b(i) >= lo && b(i) <= hi) into = b(i);
  };
  take(0, 1, MAXCHAPTERS, CHAPTERSUNLOCKED);
  take(1, 0, 10, VOLUME_SOUND);
  take(2, 0, 10, VOLUME_MUSIC);
  SKYCOLOR = b(3);
  NEW_CONTROL_MODE = (SKYCOLOR == 0);
  SKYCOLOR = 0;
  if (bytes.size() > 4)
    take(4, 0, 1, SUBDUED_VISUALS);
  else
    UPGRADE_DETECTED = true;
  if (bytes.size() > 5)
    take(5, 0, 1, visualstyle);
  else
    UPGRADE_DETECTED = true;
}

bool WRITESETTINGS(const std::string& path, std::string& err) {
  std::string bytes;
  bytes += static_cast<char>(CHAPTERSUNLOCKED);
  bytes += static_cast<char>(VOLUME_SOUND);
  bytes += static_cast<char>(VOLUME_MUSIC);
  bytes += static_cast<char>(NEW_CONTROL_MODE ? 0 : 1);
  bytes += static_cast<char>(SUBDUED_VISUALS);
  bytes += static_cast<char>(MODERN_VISUALS == 0 ? 0 : 1);
  if (path.empty()) {
    err = "no user folder";
    return false;
  }
  return WRITEFILESAFE(path, bytes, err);
}
