// Lockstep play over the link: both games run the same simulation from the
// same seed, and every input cycle each applies the input bytes of both
// players for that cycle. A player's bytes are sampled LINKDELAY cycles
// before they apply and sent at once, so the peer's bytes are usually there
// when they are needed; a game that has not got them waits (and ends the
// link game as lost after LINKSTALLMS of real time). Every LINKCHECKEVERY
// cycles both send a checksum of the shared game state; a mismatch ends the
// link game and reports the frame where the games went apart.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

// Input delay in input cycles (one cycle is two 33 ms frames).
constexpr BYTE LINKDELAY = 2;
constexpr uint32_t LINKCHECKEVERY = 8;
// A peer whose input has not come for this long counts as lost.
constexpr uint32_t LINKSTALLMS = 5000;

enum LINKSTATE : BYTE {
  LINKOFF = 0,      // no link game
  LINKPLAYING = 1,  // the link game runs
  LINKLOST = 2,     // the peer disappeared, stalled or sent garbage
  LINKDESYNC = 3,   // the two games went apart
};

extern BYTE LINKSTATUS;
extern BYTE LINKINPUTDELAY;    // the delay agreed at the start (player 1's)
extern uint32_t LINKCYCLE;     // the next input cycle to apply
extern uint32_t LINKCHECKS;    // checksums compared and found equal
extern uint64_t LINKWAITMS;    // real time spent waiting for the peer's input
extern uint32_t LINKWAITS;     // input cycles that had to wait
extern int64_t LINKDESYNCFRAME;  // frame of play where a mismatch was found, -1 none
extern std::string LINKFAULT;  // what went wrong, for the log
extern BYTE LINKMYNUMBER;  // which player this machine is in the link game
extern std::string LINKPEERNAME;
extern BYTE LINKPEERCOLOR;
// Chat: the line being typed (while LINKTYPING) by my player.
extern bool LINKTYPING;
extern std::string LINKCHATLINE;

// Starts lockstep for a link game with the agreed input delay: nobody's
// input for the first DELAY cycles.
void LOCKSTEPSTART(BYTE delay);
// The input cycle's exchange: samples my player's keys (or a chat key),
// sends them for cycle LINKCYCLE + delay, waits for the peer's bytes of
// LINKCYCLE and puts both players' bytes into PORT60 and MOUSESTATUS.
// On a lost link or a desync both players' input is cleared and VICTORY
// becomes 2, which ends the level for the game flow.
void LINKEXCHANGEINPUT();
// Handles one message received during play (input, checksum, chat, goodbye).
void LINKHANDLEMESSAGE(const struct LINKMESSAGE& m);
// The checksum of the state both games share: the shared random generator,
// the level, the players, the monsters, the map symbols and the projectiles.
uint32_t LINKCHECKSUM();
// Called at every level start (SYNCPLAYERS): which player this machine is,
// both names and colours.
void LINKSYNCPLAYERS();
// What my player is told when he presses the help (scan code 0x3F), save
// (0x40) or load (0x41) key in a link game, which has none of them.
std::string LINKBARREDKEYTEXT(BYTE code);
// Draws the chat line being typed over the HUD.
void DRAWCHATLINE();
// Ends the link state: the peer is told (REASON) unless it is gone.
void LOCKSTEPSTOP(BYTE reason);
