// Level state files: the state of a level as it was left, so that it resumes
// there when entered again (and skips its intro). One file per level,
// "CURRENT/map<N>.inf" under the save folder, in a fixed byte order; written
// through the safe writer and checked whole before any of it is used.
#pragma once
#include <string>

#include "base/common.h"

extern std::string LEVELSTATEERROR;  // why the last write or read failed

std::string LEVELSTATEPATH(BYTE mn);
// The file's bytes for the level being played.
std::string LEVELSTATEBYTES();
// Stores the level being played as level MN; false with LEVELSTATEERROR set.
bool SAVEMAPINFO(BYTE mn);
// After INITMAP: lays the stored state of level MN over it. False when there
// is no state file, or when it is refused (LEVELSTATEERROR names the file and
// the problem; the freshly set-up level is then played untouched).
bool LOADMAPINFO(BYTE mn);
// Removes every stored level state (a new game starts from the map files).
void CLEARMAPINFO();
// The folder of the level states of the game being played.
std::string LEVELSTATEFOLDER();
// A save game keeps the level states of its game beside it, so that a loaded
// game resumes its own levels, not those of whatever was played last.
// Writes a copy of the folder FROM's state files as the folder TO + ".new";
// false with ERR set (and nothing left behind) when that failed. A missing
// FROM copies as an empty folder.
bool STAGEMAPINFO(const std::string& from, const std::string& to, std::string& err);
// Puts the staged TO + ".new" in place of TO; false with ERR set.
bool COMMITMAPINFO(const std::string& to, std::string& err);
// Drops a staged copy that is not wanted after all.
void DROPMAPINFO(const std::string& to);
