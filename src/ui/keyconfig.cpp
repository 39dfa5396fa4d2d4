#include "ui/keyconfig.h"

#include <cstdio>

#include "display/events.h"
#include "display/keynames.h"
#include "base/paths.h"
#include "base/safefile.h"

void RESETKEYCONFIG(int32_t mode) {
  // Actions 1..34 in table order; slots 5..12 differ between the layouts.
  static const int32_t COMMON[KEYCOUNT + 1] = {
      0,
      'a', 'd', 'w', 's',                     // move left, right, up, down
      0, 0, 0, 0, 0, 0, 0, 0,                 // fire directions (below)
      'e',                                    // duck / leave the tank
      'r', 't', 'y', 'u',                     // inventory slots
      K_SPACE,                                // use item
      'z',                                    // zoom level
      K_F1, K_F1 + 8, K_F1 + 4,               // help F1, load F9, save F5
      '1', '2', '3', '4', '5', '6', '7', '8', '9',
      K_TAB,                                  // automap
      K_ESCAPE, K_RETURN};
  static const int32_t CURSORFIRE[8] = {K_LEFT, K_RIGHT, K_UP, K_DOWN,
                                        UNBOUNDKEY, UNBOUNDKEY, UNBOUNDKEY, UNBOUNDKEY};
  static const int32_t KEYPADFIRE[8] = {K_KP4, K_KP6, K_KP8, K_KP2, K_KP1, K_KP3, K_KP7, K_KP9};
  for (int i = 1; i <= KEYCOUNT; i++) KEYSTATUS[i].KEY = COMMON[i];
  for (int i = 0; i < 8; i++) KEYSTATUS[5 + i].KEY = (mode == 2) ? KEYPADFIRE[i] : CURSORFIRE[i];
}

bool LOADKEYCONFIGFROM(const std::string& path) {
  std::string data, err;
  // One byte more than the file needs tells a longer file from a full one.
  const FILEREAD r = READFILESAFE(path, KEYFILESIZE + 1, data, err);
  if (r != FR_OK) {
    if (r != FR_MISSING) std::fprintf(stderr, "ashenreach: %s; default keys kept\n", err.c_str());
    return false;
  }
  // Anything but exactly 32 values is outside the format: keep the bindings.
  if (data.size() != KEYFILESIZE) {
    std::fprintf(stderr, "ashenreach: %s: not a key file (%zu bytes, not %d); default keys kept\n",
                 path.c_str(), data.size(), static_cast<int>(KEYFILESIZE));
    return false;
  }
  for (int i = 1; i <= MAXINGAMEKEYS; i++) {
    uint32_t v = 0;
    for (int b = 3; b >= 0; b--) v = (v << 8) | static_cast<uint8_t>(data[(i - 1) * 4 + b]);
    KEYSTATUS[i].KEY = static_cast<int32_t>(v);
  }
  return true;
}

bool LOADKEYCONFIG() { return LOADKEYCONFIGFROM(KEYSFILENAME()); }

bool SAVEKEYCONFIGTO(const std::string& path) {
  std::string data;
  data.reserve(KEYFILESIZE);
  for (int i = 1; i <= MAXINGAMEKEYS; i++) {
    uint32_t v = static_cast<uint32_t>(KEYSTATUS[i].KEY);
    for (int b = 0; b < 4; b++) data.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
  }
  if (path.empty()) return false;
  std::string err;
  if (WRITEFILESAFE(path, data, err)) return true;
  std::fprintf(stderr, "ashenreach: %s\n", err.c_str());
  return false;
}

bool SAVEKEYCONFIG() {
  ENSUREFOLDEREXISTS(DATAPATH());
  return SAVEKEYCONFIGTO(KEYSFILENAME());
}
