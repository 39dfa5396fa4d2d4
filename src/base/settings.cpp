// Start values of the process-wide settings and flags.
#include "base/settings.h"

BYTE CHAPTERSUNLOCKED = 1;
BYTE VOLUME_SOUND = 10, VOLUME_MUSIC = 10;
bool NEW_CONTROL_MODE = true;
BYTE SUBDUED_VISUALS = 0;
bool SOUNDON = true;
bool LAUNCHED_FROM_MD = false;
std::string GAME = "main";
std::string MYNAME = "rookie";
BYTE MYCOLOR = 10;
BYTE ORIGINALPLAYERCOLOR[3] = {0, 10, 11};
BYTE SKYCOLOR = 0;
std::string ORIGINAL, DEFINED;
std::string DDESK[21];
bool UPGRADE_DETECTED = false;
bool LINKACTIVE = false;
bool CHEAT = false;
BYTE COMPORT = 1;
BYTE MOVIE2COUNTER = 0, REPLAYCOUNTER = 0;
BYTE NEW_MONSTERS = 1, NEW_PLAYER = 1, NEW_LAND = 1, NEW_TANK = 1, NEW_ITEMS = 1, NEW_FIRE = 1;
BYTE MYNUMBER = 1;
BYTE NUMBEROFPLAYERS = 1;
bool SHOWSTARS = false;
