// Start-up and shut-down of the program, the settings file and the
// command-line parameter tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/common.h"

extern BYTE CHAPTERSUNLOCKED;
extern BYTE VOLUME_SOUND, VOLUME_MUSIC;
extern bool NEW_CONTROL_MODE;  // true: keyboard only; false: keyboard plus mouse aiming
extern BYTE SUBDUED_VISUALS;
extern bool SOUNDON;
extern bool LAUNCHED_FROM_MD;
extern std::string GAME;    // campaign folder, "main" by default
extern std::string MYNAME;  // at most 10 characters
extern BYTE MYCOLOR;
extern BYTE ORIGINALPLAYERCOLOR[3];
extern BYTE SKYCOLOR;
extern std::string ORIGINAL, DEFINED;  // key maps of 15 scan codes
extern std::string DDESK[21];           // death messages 1..20
extern bool UPGRADE_DETECTED;
extern bool LINKACTIVE;
extern bool CHEAT;
extern BYTE COMPORT;
extern BYTE MOVIE2COUNTER, REPLAYCOUNTER;
extern BYTE NEW_MONSTERS, NEW_PLAYER, NEW_LAND, NEW_TANK, NEW_ITEMS, NEW_FIRE;
extern BYTE MYNUMBER;         // the player this machine shows
extern BYTE NUMBEROFPLAYERS;  // 1 or 2

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
