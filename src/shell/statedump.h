// The --dump-state file: the main game state as one JSON object, written at
// shut-down so that scripted headless runs can be checked from outside.
#pragma once
#include <string>

// Writes the JSON object to PATH (through a temporary file); false when the
// file cannot be written.
bool WRITESTATEDUMP(const std::string& path);
// The JSON text itself.
std::string STATEDUMPJSON();
