// Process-wide settings and flags that every layer reads: the options of the
// settings file, the look switches, the player's name and colours, the key
// maps and the number of players. Set by start-up, the options menu and the
// game flow; the settings file itself is read and written by start-up.
#pragma once
#include <string>

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
extern bool SHOWSTARS;        // menu screens run the starfield with the banner
