#include "net/linksession.h"

#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "game/playerstate.h"
#include "net/lockstep.h"
#include "net/netlink.h"

void (*LINKSAY)(const std::string& line) = nullptr;
bool (*LINKABORT)() = nullptr;
int LINKEXITCODE = 0;

namespace {
// A greeting or the level choice must follow the connection within this time.
constexpr uint32_t ANSWERMS = 10000;

void say(const std::string& s) {
  if (LINKSAY) LINKSAY(s);
}

// Waits for the next message of the set-up. WAITMS 0 waits until aborted.
LINKRESULT nextMessage(uint32_t waitms, LINKMESSAGE& m, std::string& msg) {
  uint32_t waited = 0;
  for (;;) {
    if (LINKABORT && LINKABORT()) return LINKABORTED;
    std::string err;
    const LINKEVENT e = LINKSERVICE(20, m, err);
    if (e == LINK_MESSAGE) return LINKOK;
    if (e == LINK_GONE) {
      msg = "Connection lost.";
      return LINKDROPPED;
    }
    if (e == LINK_GARBAGE) {
      msg = "Connection lost.";
      say("The other game sent a message that could not be read: " + err);
      return LINKDROPPED;
    }
    waited += 20;
    if (waitms != 0 && waited >= waitms) {
      msg = "Connection lost.";
      say("The other game did not answer.");
      return LINKDROPPED;
    }
  }
}

void refuse(BYTE reason, const std::string& text) {
  LINKMESSAGE r;
  r.TYPE = MSG_REFUSE;
  r.REASON = reason;
  r.TEXT = text;
  LINKSEND(r);
  LINKCLOSE(true);
}
}  // namespace

LINKMESSAGE LINKMYHELLO() {
  LINKMESSAGE h;
  h.TYPE = MSG_HELLO;
  h.PROTOCOL = LINKPROTOCOL;
  h.BUILD = LINKBUILDID();
  h.CAMPAIGN = GAME.substr(0, LINKMAXCAMPAIGN);
  h.NAME = MYNAME.substr(0, LINKMAXNAME);
  h.COLOR = MYCOLOR & 15;
  return h;
}

std::string LINKCHECKHELLO(const LINKMESSAGE& hello, BYTE& reason) {
  reason = REASON_NONE;
  if (hello.PROTOCOL != LINKPROTOCOL) {
    reason = REASON_VERSION;
    return "Link refused: protocol version " + std::to_string(hello.PROTOCOL) + " offered, " +
           std::to_string(LINKPROTOCOL) + " needed.";
  }
  if (hello.BUILD != LINKBUILDID()) {
    reason = REASON_BUILD;
    return "Link refused: a different build of the game (" + hello.BUILD + " and " + LINKBUILDID() + ").";
  }
  std::string a = hello.CAMPAIGN, b = GAME;
  for (char& c : a) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : b) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (a != b) {
    reason = REASON_CAMPAIGN;
    return "Link refused: campaign \"" + hello.CAMPAIGN + "\" offered, \"" + GAME + "\" is played here.";
  }
  return "";
}

LINKRESULT LINKESTABLISH(bool connect, const std::string& host, uint16_t port, uint32_t waitms,
                         std::string& msg) {
  msg.clear();
  std::string err;
  say("Establishing link ...");
  if (connect ? !LINKOPENCONNECT(host, port, err) : !LINKOPENLISTEN(port, err)) {
    say(err);
    msg = "Connection error !";
    return LINKFAILED;
  }
  // The connection.
  uint32_t waited = 0;
  for (;;) {
    if (LINKABORT && LINKABORT()) {
      LINKCLOSE(false);
      return LINKABORTED;
    }
    LINKMESSAGE m;
    const LINKEVENT e = LINKSERVICE(20, m, err);
    if (e == LINK_CONNECTED) break;
    if (e == LINK_GONE && connect) {
      LINKCLOSE(false);
      msg = "Connection error !";
      return LINKFAILED;
    }
    waited += 20;
    if (waitms != 0 && waited >= waitms) {
      LINKCLOSE(false);
      msg = "Connection error !";
      return LINKFAILED;
    }
  }
  say("Connection established ...");
  // The greetings: player 1 speaks first, player 2 answers.
  LINKMESSAGE hello;
  if (connect) LINKSEND(LINKMYHELLO());
  LINKRESULT r = nextMessage(ANSWERMS, hello, msg);
  if (r != LINKOK) {
    LINKCLOSE(false);
    return r;
  }
  if (hello.TYPE == MSG_REFUSE) {
    msg = hello.TEXT.empty() ? "Link refused by the other game." : hello.TEXT;
    LINKCLOSE(false);
    return LINKREFUSED;
  }
  if (hello.TYPE != MSG_HELLO) {
    msg = "Connection lost.";
    say("The other game did not greet.");
    LINKCLOSE(false);
    return LINKDROPPED;
  }
  BYTE reason = REASON_NONE;
  const std::string why = LINKCHECKHELLO(hello, reason);
  if (!why.empty()) {
    refuse(reason, why);
    msg = why;
    return LINKREFUSED;
  }
  if (!connect) LINKSEND(LINKMYHELLO());
  LINKPEERNAME = hello.NAME.empty() ? std::string(connect ? "player 2" : "player 1") : hello.NAME;
  LINKPEERCOLOR = hello.COLOR;
  LINKMYNUMBER = connect ? 1 : 2;
  say("Player information exchange complete.");
  say("I am player " + std::to_string(LINKMYNUMBER) + " and link is active.");
  return LINKOK;
}

LINKRESULT LINKSENDSTART(BYTE level, uint64_t seed, std::string& msg) {
  LINKMESSAGE s;
  s.TYPE = MSG_START;
  s.LEVEL = level;
  s.SEED = seed;
  s.DELAY = LINKDELAY;
  if (!LINKSEND(s)) {
    msg = "Connection lost.";
    LINKCLOSE(false);
    return LINKDROPPED;
  }
  if (level == 0) {
    LINKCLOSE(true);
    return LINKABORTED;
  }
  return LINKOK;
}

LINKRESULT LINKAWAITSTART(BYTE& level, uint64_t& seed, std::string& msg) {
  say("Waiting for player 1 to select the a map.");
  LINKMESSAGE m;
  const LINKRESULT r = nextMessage(0, m, msg);
  if (r != LINKOK) {
    if (r == LINKABORTED) {
      LINKMESSAGE b;
      b.TYPE = MSG_BYE;
      b.REASON = REASON_ABORT;
      LINKSEND(b);
      LINKCLOSE(true);
    } else {
      LINKCLOSE(false);
    }
    return r;
  }
  if (m.TYPE == MSG_BYE) {
    msg = "Connection lost.";
    LINKCLOSE(false);
    return LINKDROPPED;
  }
  if (m.TYPE != MSG_START) {
    msg = "Connection lost.";
    say("The other game sent an unexpected message while choosing the level.");
    LINKCLOSE(false);
    return LINKDROPPED;
  }
  if (m.LEVEL == 0) {
    LINKCLOSE(true);
    return LINKABORTED;
  }
  level = m.LEVEL;
  seed = m.SEED;
  LINKINPUTDELAY = m.DELAY;
  return LINKOK;
}

void LINKBEGIN(uint64_t seed, BYTE delay) {
  RANDSEED(seed);
  // This machine's own draws (sounds near my player, the view's flicker) get
  // a generator of their own, different on the two machines.
  RANDOMSPLIT(true, seed ^ (0x5157u * LINKMYNUMBER));
  LOCKSTEPSTART(delay);
  SYNCPLAYERS = LINKSYNCPLAYERS;
  LINKACTIVE = true;
  MYNUMBER = LINKMYNUMBER;
}

void LINKEND(BYTE reason) {
  if (LINKSTATUS == LINKDESYNC) reason = REASON_DESYNC;
  if (LINKSTATUS != LINKOFF) LOCKSTEPSTOP(reason);
  LINKSTATUS = LINKOFF;
  LINKCLOSE(true);
  LINKACTIVE = false;
  MYNUMBER = 1;
  SYNCPLAYERS = nullptr;
  RANDOMSPLIT(false);
}
