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

// The settings file: read into the globals (a missing, short, oversized or
// unreadable file keeps the defaults, and so does each value out of range;
// four or five bytes are the older layout and set UPGRADE_DETECTED) and
// written from them. VISUALSTYLE receives byte 6. The writer gives the reason
// of a failure in ERR.
constexpr size_t SETTINGSFILESIZE = 6;
constexpr BYTE MAXCHAPTERS = 156;  // campaign levels 100..255
void READSETTINGS(const std::string& path, BYTE& visualstyle);
// Writes the --screenshot file (when one is asked for) from the last pushed frame.
void WRITESCREENSHOT();
bool WRITESETTINGS(const std::string& path, std::string& err);

// Start-up, game flow and shut-down. Returns the process exit code.
int HOLLOWMERESTART();
void ENDSCREEN();
