// Doors, traps, trap messages and portals of a level. The map loader and
// scan fill these tables; the door, trap and portal rules run on them.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int MAX_DOORS = 255;
extern BYTE NUMBEROFDOORS;
extern BYTE DOORTYPE[MAX_DOORS + 1];  // 1..10 = key number, 11 = no key needed
extern BYTE DOORX[MAX_DOORS + 1], DOORY[MAX_DOORS + 1];
extern BYTE DOORMAXX[MAX_DOORS + 1], DOORMAXY[MAX_DOORS + 1];
extern BYTE DTIMER[MAX_DOORS + 1];  // 0 = closed
extern BYTE DOORSBACKUP, DOORSOPENED;

constexpr int MAX_TRAPS = 255;
constexpr int MAX_TRAPMSGS = 20;
constexpr int TRAPMSG_LENGTH = 40;
extern uint16_t COMMANDS;  // number of traps
extern BYTE TRAPX[MAX_TRAPS + 1], TRAPY[MAX_TRAPS + 1];
extern BYTE DESTX[MAX_TRAPS + 1], DESTY[MAX_TRAPS + 1];
extern unsigned char DESTSYMBOL[MAX_TRAPS + 1];
extern bool TRAPREPEAT[MAX_TRAPS + 1];
extern BYTE TRAPACTIVATOR[MAX_TRAPS + 1];  // 0..6
extern BYTE MSGNUMBER[MAX_TRAPS + 1];      // index into TRAPMSG, 0 = none
extern BYTE TRAPSBACKUP;
extern BYTE MSGCOUNT;
extern std::string TRAPMSG[MAX_TRAPMSGS + 1];
// False while some trap 1..COMMANDS still sits at (X, Y) (a fired trap is removed).
bool TRAPACTIVATED(BYTE x, BYTE y);
// Symbols that can set off a trap: the four tank shapes, floor, player, monster.
extern const std::string TRAPITEMS;

// Doors (every tenth frame): an open door counts down and closes once its
// doorway is empty; a player touching a closed door opens it when he holds
// its key and is told which key is missing otherwise.
void DOORS();
// Traps (every frame): a trap whose cell holds what its activator asks for
// writes its symbol to its destination or switches a light.
void CHECKFORTRAPS();

constexpr int MAX_PORTALS = 32;
extern BYTE NUMPORTALS;
extern BYTE PORTALX[MAX_PORTALS + 1], PORTALY[MAX_PORTALS + 1];
extern BYTE PORTALLEVEL[MAX_PORTALS + 1], PORTALTYPE[MAX_PORTALS + 1];
extern bool ERASEAFTER;
