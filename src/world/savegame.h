// Save games: ten slots, each a folder "SAVE0".."SAVE9" under the save folder
// of the visual style in use, holding "save.gam" in a fixed byte order. Slot
// 10 is the autosave. A file is checked whole before anything of it is used:
// a refused file leaves the game exactly as it was.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"
#include "world/levelclock.h"  // MINUTES, SECONDS: stored with the game

constexpr int SAVESLOTS = 10;
constexpr int SAVENAMELEN = 30;
constexpr int PREVIEWW = 21, PREVIEWH = 15;
// The largest file the layout allows (every table full), with room to spare.
constexpr size_t MAXSAVEBYTES = 2000000;

extern std::string SAVEGAMENAME[SAVESLOTS + 1];  // slot list, "Empty Slot." when free
// The preview of the last save written or read: symbols and colours of the
// 21 x 15 cells around the saving player.
extern BYTE MATRIX[PREVIEWW + 1][PREVIEWH + 1], MATRIX2[PREVIEWW + 1][PREVIEWH + 1];
// Why the last save or load failed (empty after success).
extern std::string SAVEERROR;

// "<save folder>/SAVE<s-1>/save.gam".
std::string SAVEGAMEPATH(int slot);
// Fills SAVEGAMENAME[1..10] from the first 30 bytes of each slot's file.
void READSAVEGAMENAMES();
// Takes the preview around player P from the grid.
void TAKEPREVIEW(BYTE p);
// The file's bytes for the current game under NAME (padded to 30).
std::string SAVEGAMEBYTES(const std::string& name);
// Writes the current game into PATH through the safe writer; false with
// SAVEERROR set (naming the file) when that failed; the old file is kept then.
bool WRITESAVEGAME(const std::string& path, const std::string& name);
// Checks DATA as a save file; true when it can be loaded, else WHY says what
// is wrong. Nothing of the game changes.
bool CHECKSAVEGAME(const std::string& data, std::string& why);
// Reads PATH, checks it and only then lays it over the game (the level is
// rebuilt from its map file first). False with SAVEERROR set otherwise, and
// the game untouched.
bool READSAVEGAME(const std::string& path);
// Reads only the name and preview of a slot's file; false when unreadable.
bool READSAVEPREVIEW(int slot);
// The engine's per-level reset, keeping the stored player fields it would
// otherwise reset (tank seat, dead flag, cursor, deaths, the cell stood on).
void PREENGINEINITKEEPINGPLAYERS();
// The trap count as its two bytes: A = the count up to 255, B the rest.
void SPLITTRAPCOUNT(uint16_t n, BYTE& a, BYTE& b);
// "DD.MM.YYYY HH:MM" of the moment (unnamed saves and autosaves).
std::string SAVEDATETIME();
