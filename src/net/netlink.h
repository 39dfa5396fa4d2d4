// The link's transport: one reliable, ordered connection to one other game
// over UDP (ENet). It opens as a listener on a port the player chooses or as
// a connection to an address, carries whole messages of the wire format, and
// reports a peer that leaves, stalls past the transport's timeout or sends
// bytes that are not a message.
#pragma once
#include <cstdint>
#include <string>

#include "net/netwire.h"

constexpr uint16_t LINKDEFAULTPORT = 24650;
// The address an empty answer to "Please enter the IP Address:" takes.
extern const char* const LINKDEFAULTHOST;

enum LINKEVENT : BYTE {
  LINK_NOTHING = 0,    // nothing arrived in the time given
  LINK_CONNECTED = 1,  // the connection came up
  LINK_MESSAGE = 2,    // a well-formed message arrived
  LINK_GONE = 3,       // the peer disconnected or timed out
  LINK_GARBAGE = 4,    // the peer sent a packet that is not a message (ERR says why)
};

// Bytes and packets carried since the link opened (the benchmark reads them).
extern uint64_t LINKBYTESSENT, LINKBYTESRECEIVED, LINKPACKETSSENT, LINKPACKETSRECEIVED;

// "HOST:PORT" or "HOST" (the default port); false for a malformed port.
bool PARSELINKADDRESS(const std::string& text, std::string& host, uint16_t& port);
// Opens the listener on PORT (all interfaces). False with ERR on failure.
bool LINKOPENLISTEN(uint16_t port, std::string& err);
// Starts connecting to HOST:PORT; LINK_CONNECTED follows from LINKSERVICE.
bool LINKOPENCONNECT(const std::string& host, uint16_t port, std::string& err);
// True while a peer is connected.
bool LINKCONNECTED();
// Waits at most MS milliseconds of real time for the next event; a message
// is read into M. Queued messages come before a disconnection.
LINKEVENT LINKSERVICE(uint32_t ms, LINKMESSAGE& m, std::string& err);
// Keeps the connection alive while the game does something else (a player
// typing): answers the peer's keep-alive traffic without waiting, and keeps
// what arrived for the next LINKSERVICE calls.
void LINKKEEPALIVE();
// Queues M for the peer and sends it at once. False when no peer is connected.
bool LINKSEND(const LINKMESSAGE& m);
// Sends BYTES as they are, one packet (tests and the benchmark use it to
// play a misbehaving peer).
bool LINKSENDRAW(const std::vector<uint8_t>& bytes);
// Closes the link. GRACEFUL lets what was queued reach the peer first (for at
// most a short while) and tells it that the connection ends.
void LINKCLOSE(bool graceful);
