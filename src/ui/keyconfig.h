// The action key bindings: the two default layouts and the key file KEYS.INI
// (32 little-endian 32-bit SDL 1.2 key codes, actions 1..32 in order).
#pragma once
#include <cstdint>
#include <string>

constexpr int KEYFILESIZE = 128;

// Defaults of KEYSTATUS 1..34: MODE 2 binds the fire directions to the keypad,
// any other value to the cursor keys (diagonals unbound).
void RESETKEYCONFIG(int32_t mode);
// Reads the key file into actions 1..32. A missing file, or one that is not
// exactly 128 bytes long, leaves the table unchanged. True when it was read.
bool LOADKEYCONFIG();
bool LOADKEYCONFIGFROM(const std::string& path);
// Writes actions 1..32 to the key file through a temporary file, so a failed
// write never leaves a damaged key file. True on success.
bool SAVEKEYCONFIG();
bool SAVEKEYCONFIGTO(const std::string& path);
