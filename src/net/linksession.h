// Setting up and ending a link game: the connection, the handshake (protocol
// version, build, campaign, names and colours), player 1's choice of level
// and seed, and the switch into and out of lockstep play.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"
#include "net/netwire.h"

enum LINKRESULT : BYTE {
  LINKOK = 0,
  LINKFAILED = 1,   // no connection came up ("Connection error !")
  LINKREFUSED = 2,  // the handshake was refused (MSG says why)
  LINKABORTED = 3,  // the player pressed Escape
  LINKDROPPED = 4,  // the peer left or sent garbage during the set-up
};

// The flow shows status lines through LINKSAY and is asked through
// LINKABORT whether the player gave up while the set-up waits. Both may be
// null (nothing shown, never aborted).
extern void (*LINKSAY)(const std::string& line);
extern bool (*LINKABORT)();
// Exit code for the program after the last link game (from the menus or the
// command line) ended badly (EXIT_LINKLOST, EXIT_LINKREFUSED, EXIT_DESYNC),
// else 0.
extern int LINKEXITCODE;

// My greeting: this build, the campaign, MYNAME and MYCOLOR.
LINKMESSAGE LINKMYHELLO();
// Judges the peer's greeting: "" when it may play with this game, else the
// refusal's text, with REASON set.
std::string LINKCHECKHELLO(const LINKMESSAGE& hello, BYTE& reason);
// Connects to HOST:PORT (CONNECT, this machine is player 1) or waits on PORT
// for the other game (player 2), then greets. WAITMS bounds the wait for the
// connection in real time (0: until aborted).
LINKRESULT LINKESTABLISH(bool connect, const std::string& host, uint16_t port, uint32_t waitms,
                         std::string& msg);
// Player 1: sends the level and seed (level 0 closes the link).
LINKRESULT LINKSENDSTART(BYTE level, uint64_t seed, std::string& msg);
// Player 2: waits for player 1's level and seed.
LINKRESULT LINKAWAITSTART(BYTE& level, uint64_t& seed, std::string& msg);
// Both: the shared generator gets SEED, this machine's own draws a
// generator of their own, lockstep starts and the link is active.
void LINKBEGIN(uint64_t seed, BYTE delay);
// Leaves link play: tells the peer (REASON) and closes the connection.
void LINKEND(BYTE reason);
