// Start-up and shut-down of the program, the settings file and the
// command-line parameter tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/common.h"
#include "base/settings.h"

// The default key map: 15 scan codes.
std::string DEFAULTKEYMAP();

// True when any game parameter, with its blanks removed and upper-cased, equals P upper-cased.
bool PARAM(const std::string& p);
// True when the first game parameter is non-empty and begins with a digit.
bool VALIDATEDPARAM();
void SETVISUALS(BYTE vistype);

// The settings file: read into the globals (a missing, short or unreadable
// file keeps the defaults; four or five bytes are the older layout and set
// UPGRADE_DETECTED) and written from them. VISUALSTYLE receives byte 6.
void READSETTINGS(const std::string& path, BYTE& visualstyle);
bool WRITESETTINGS(const std::string& path);

// Start-up, game flow and shut-down. Returns the process exit code.
int HOLLOWMERESTART();
void ENDSCREEN();
