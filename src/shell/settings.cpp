// Process-wide settings and flags, the settings file and the parameter tests.
#include <cctype>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/renderer.h"
#include "base/harness.h"
#include "base/paths.h"
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
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return;
  std::string bytes;
  try {
    std::ifstream f(path, std::ios::binary);
    if (!f) return;
    bytes.assign((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return;
  } catch (const std::exception&) {
    return;  // unreadable: keep the defaults
  }
  // Fewer than four bytes cannot be a settings file of any layout: keep the defaults.
  if (bytes.size() < 4) return;
  auto b = [&](size_t i) { return static_cast<BYTE>(bytes[i]); };
  CHAPTERSUNLOCKED = b(0);
  VOLUME_SOUND = b(1);
  VOLUME_MUSIC = b(2);
  SKYCOLOR = b(3);
  NEW_CONTROL_MODE = (SKYCOLOR == 0);
  SKYCOLOR = 0;
  if (bytes.size() > 4)
    SUBDUED_VISUALS = b(4);
  else
    UPGRADE_DETECTED = true;
  if (bytes.size() > 5)
    visualstyle = b(5);
  else
    UPGRADE_DETECTED = true;
}

bool WRITESETTINGS(const std::string& path) {
  std::string bytes;
  bytes += static_cast<char>(CHAPTERSUNLOCKED);
  bytes += static_cast<char>(VOLUME_SOUND);
  bytes += static_cast<char>(VOLUME_MUSIC);
  bytes += static_cast<char>(NEW_CONTROL_MODE ? 0 : 1);
  bytes += static_cast<char>(SUBDUED_VISUALS);
  bytes += static_cast<char>(MODERN_VISUALS);
  return WRITEFILEATOMIC(path, bytes);
}
