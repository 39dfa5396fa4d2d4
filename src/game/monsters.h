// The monster table (dense, 1..NUMBEROFMONSTERS), the monster types and the
// helpers that the map scan uses to place monsters.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int MAX_MONSTERS = 4096;
constexpr int ALLMONSTERS = 12;

extern int32_t BOSSHEALTH;    // energy of the boss (last entry, type 12), else 0
extern int32_t HELPERHEALTH;  // energy of the helper (last entry, type 6), else 0
extern uint16_t NUMBEROFMONSTERS;
extern uint16_t MAXMONSTERS;     // monsters the level asked for, also beyond the table
extern uint16_t MONSTERSBACKUP;  // monsters present when the level was set up
extern BYTE MONSTERTYPE[MAX_MONSTERS + 1];
extern BYTE MONSTERX[MAX_MONSTERS + 1], MONSTERY[MAX_MONSTERS + 1];
extern BYTE MONSTERX_[MAX_MONSTERS + 1], MONSTERY_[MAX_MONSTERS + 1];
extern int32_t MONSTERENERGY[MAX_MONSTERS + 1];
extern int32_t MONSTERHURT[MAX_MONSTERS + 1];
extern BYTE MEDICTARGET[MAX_MONSTERS + 1];
extern BYTE ONFIRE[MAX_MONSTERS + 1];
extern BYTE SAW[MAX_MONSTERS + 1];

extern std::string MLOOKS;                // "MNZIXUJDECmx": map symbol of type 1..12
extern uint16_t ELIMIT[ALLMONSTERS + 1];  // starting energy per type
extern const BYTE MONSTERCOLOR[ALLMONSTERS + 1];  // map colour per type (type 4 camouflages)
extern const BYTE MONSTERCONTACT[ALLMONSTERS + 1];     // damage to a neighbouring player
extern const BYTE MONSTERTANKDAMAGE[ALLMONSTERS + 1];  // damage to a tank it touches

// Energy of the last table entry when it is the boss (type 12) or the friend
// (type 6), else 0; taken at every monster step and read by scripts and map
// effects.

// Helpers placed by the map ('O').
constexpr int MAX_HELPERS = 255;
extern BYTE NUMBEROFHELPERS;
extern BYTE HELPERX[MAX_HELPERS + 1], HELPERY[MAX_HELPERS + 1];
extern int32_t HELPERGOLD[MAX_HELPERS + 1], HELPERYOFFSET[MAX_HELPERS + 1];

// Appends a monster of TYPE at (X, Y) with full energy, dormant, its timer
// MEDICTARGET set to STARTVALUE, and stamps it into the map; MAXMONSTERS
// counts the request even when the table is full (4096 entries), which
// ignores it.
void ADDMONSTER(BYTE x, BYTE y, BYTE type, BYTE startvalue);
// One to three monsters on the same cell, by GAMEDIFFICULTY.
void ADDMONSTERACCORDINGTODIFFICULTY(uint16_t x, uint16_t y, uint16_t type);
// The glyph used to draw monster N.
unsigned char WHICHCHARISTHISMONSTER(uint16_t n);
// Camouflage colour of a stealth monster at (X, Y).
BYTE STEALTHCOLOR(int32_t x, int32_t y);
