// The link's wire format: every message of the two-player link as bytes, and
// the reader that turns received bytes back into a message. One message per
// packet; numbers are big-endian; every length is checked against the packet
// and against the message's own limit, and a packet with bytes left over is
// refused, so nothing a peer sends can reach past what the reader expects.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/common.h"

// Raised whenever the exchanges change; a peer speaking another version is
// refused at the handshake.
constexpr uint16_t LINKPROTOCOL = 1;
constexpr char LINKMAGIC[5] = "ASHL";

// Limits of the data model carried over the link.
constexpr size_t LINKMAXNAME = 10;      // player names
constexpr size_t LINKMAXBUILD = 64;     // build id
constexpr size_t LINKMAXCAMPAIGN = 32;  // campaign folder name
constexpr size_t LINKMAXCHAT = 40;      // one chat line
constexpr size_t LINKMAXTEXT = 120;     // a refusal's explanation
constexpr BYTE LINKMAXDELAY = 16;       // input delay in input cycles

enum LINKMSGTYPE : BYTE {
  MSG_HELLO = 1,   // who I am: protocol, build, campaign, name, colour
  MSG_REFUSE = 2,  // the handshake failed: reason and a text for the player
  MSG_START = 3,   // player 1's choice: level, seed, input delay
  MSG_INPUT = 4,   // one input cycle's bytes of the sender's player
  MSG_CHECK = 5,   // the sender's state checksum at an input cycle
  MSG_CHAT = 6,    // a chat line
  MSG_BYE = 7,     // the sender leaves (reason, and the cycle of a desync)
};

// Why a handshake was refused or a link left.
enum LINKREASON : BYTE {
  REASON_NONE = 0,
  REASON_VERSION = 1,   // another protocol version
  REASON_BUILD = 2,     // another build of the game
  REASON_CAMPAIGN = 3,  // another campaign folder
  REASON_QUIT = 4,      // the player left the link game
  REASON_DESYNC = 5,    // the two games went apart
  REASON_ABORT = 6,     // the player aborted before the game started
};

struct LINKMESSAGE {
  BYTE TYPE = 0;
  // MSG_HELLO
  uint16_t PROTOCOL = 0;
  std::string BUILD, CAMPAIGN, NAME;
  BYTE COLOR = 0;
  // MSG_REFUSE, MSG_BYE
  BYTE REASON = REASON_NONE;
  std::string TEXT;  // MSG_REFUSE: explanation; MSG_CHAT: the line
  // MSG_START
  BYTE LEVEL = 0;
  uint64_t SEED = 0;
  BYTE DELAY = 0;
  // MSG_INPUT, MSG_CHECK, MSG_BYE
  uint32_t CYCLE = 0;
  BYTE PORT60 = 0, MOUSESTATUS = 0;
  uint32_t CHECKSUM = 0;
};

// This build's id: the version and the source revision it was built from.
std::string LINKBUILDID();

// The bytes of a message. Texts longer than their limit are cut to it.
std::vector<uint8_t> ENCODEMESSAGE(const LINKMESSAGE& m);
// Reads one packet. False with ERR naming the fault when the bytes are not
// exactly one well-formed message.
bool READMESSAGE(const uint8_t* data, size_t size, LINKMESSAGE& m, std::string& err);
