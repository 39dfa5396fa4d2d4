#include "net/lockstep.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/input.h"
#include "display/renderer.h"
#include "game/explosions.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/weapons.h"
#include "net/netlink.h"
#include "render/messages.h"
#include "sound/sound.h"
#include "world/grid.h"

BYTE LINKSTATUS = LINKOFF;
BYTE LINKINPUTDELAY = LINKDELAY;
uint32_t LINKCYCLE = 0;
uint32_t LINKCHECKS = 0;
uint64_t LINKWAITMS = 0;
uint32_t LINKWAITS = 0;
int64_t LINKDESYNCFRAME = -1;
std::string LINKFAULT;
std::string LINKPEERNAME;
BYTE LINKPEERCOLOR = 11;
BYTE LINKMYNUMBER = 1;
bool LINKTYPING = false;
std::string LINKCHATLINE;

namespace {
constexpr uint32_t RING = 64;   // cycles of input kept ahead
constexpr uint32_t CHECKRING = 16;
constexpr BYTE SC_ENTER = 0x1C, SC_HELP = 0x3F, SC_SAVE = 0x40, SC_LOAD = 0x41;

struct SLOT {
  bool HAVE = false;
  uint32_t CYCLE = 0;
  BYTE PORT60 = 0, MOUSE = 0;
};
SLOT MINE[RING], THEIRS[RING];

struct CHECKSLOT {
  bool HAVE = false;
  uint32_t CYCLE = 0, SUM = 0;
};
CHECKSLOT MYCHECKS[CHECKRING], THEIRCHECKS[CHECKRING];

bool PEERGONE = false;

// The typing sound of the chat line (one of three key clicks).
void keyClick() {
  if (SOUNDPLAYING1(50)) STOPSOUND1(50);
  STARTSOUND1(static_cast<uint16_t>(75 + randomLocal(3)), 50, false);
}
BYTE LASTLOCALMOUSE = 0;
bool ENTERHELD = false;
// The help, save or load key held since the last input cycle (told once per press).
BYTE BARREDHELD = 0;

BYTE me() { return MYNUMBER == 2 ? 2 : 1; }

void lost(const std::string& why) {
  if (LINKSTATUS != LINKPLAYING) return;
  LINKSTATUS = LINKLOST;
  LINKFAULT = why;
  std::fprintf(stderr, "ashenreach: link: %s\n", why.c_str());
}

void desync(uint32_t cycle) {
  if (LINKSTATUS != LINKPLAYING) return;
  LINKSTATUS = LINKDESYNC;
  LINKDESYNCFRAME = static_cast<int64_t>(cycle) * 2;
  LINKFAULT = "Desynchronised at frame " + std::to_string(LINKDESYNCFRAME) + ".";
  std::fprintf(stderr, "ashenreach: link: the two games went apart at frame %lld of the link game (input cycle %u)\n",
               static_cast<long long>(LINKDESYNCFRAME), cycle);
}

void compareChecks(uint32_t cycle) {
  const CHECKSLOT& a = MYCHECKS[(cycle / LINKCHECKEVERY) % CHECKRING];
  const CHECKSLOT& b = THEIRCHECKS[(cycle / LINKCHECKEVERY) % CHECKRING];
  if (!a.HAVE || !b.HAVE || a.CYCLE != cycle || b.CYCLE != cycle) return;
  if (a.SUM == b.SUM)
    LINKCHECKS++;
  else
    desync(cycle);
}

// FNV-1a over the bytes of the shared state.
struct HASH {
  uint32_t H = 2166136261u;
  void byte(uint8_t b) {
    H ^= b;
    H *= 16777619u;
  }
  void u32(uint32_t v) {
    for (int s = 0; s < 32; s += 8) byte(static_cast<uint8_t>(v >> s));
  }
  void u64(uint64_t v) {
    u32(static_cast<uint32_t>(v));
    u32(static_cast<uint32_t>(v >> 32));
  }
  // Reals are compared at a thousandth, which both games compute alike.
  void real(double d) { u64(static_cast<uint64_t>(std::llround(d * 1000.0))); }
};

// Where the typed chat line goes: Enter sends it, Escape drops it.
void typeChat() {
  while (KEYPRESSEDEMULATOR()) {
    const unsigned char c = static_cast<unsigned char>(READKEYEMULATOR());
    if (c == 13) {
      if (!LINKCHATLINE.empty()) {
        LINKMESSAGE m;
        m.TYPE = MSG_CHAT;
        m.TEXT = LINKCHATLINE;
        LINKSEND(m);
        INFORMCHAT(PLAYERNAME[me()] + ": " + LINKCHATLINE, 15);
      }
      LINKTYPING = false;
      LINKCHATLINE.clear();
      ENTERHELD = true;
      return;
    }
    if (c == 27) {
      LINKTYPING = false;
      LINKCHATLINE.clear();
      return;
    }
    if (c == 8) {
      if (!LINKCHATLINE.empty()) LINKCHATLINE.pop_back();
    } else if (c >= 32 && c <= 126 && LINKCHATLINE.size() < LINKMAXCHAT) {
      LINKCHATLINE += static_cast<char>(c);
      keyClick();
    }
  }
}

// My player's bytes for this cycle: the keys, or nothing while typing.
void sampleLocal(BYTE& code, BYTE& mouse) {
  const BYTE m = me();
  code = 0;
  mouse = LASTLOCALMOUSE % 10;
  if (LINKTYPING) {
    typeChat();
    return;
  }
  MOUSESTATUS[m] = LASTLOCALMOUSE;
  GETPORT60FORINPUTCYCLE();
  code = PORT60[m];
  mouse = MOUSESTATUS[m];
  LASTLOCALMOUSE = mouse;
  // Enter opens the chat line (once per press).
  const bool enter = code == SC_ENTER;
  if (enter && !ENTERHELD) {
    LINKTYPING = true;
    LINKCHATLINE.clear();
    CLEARTYPEDKEYS();
    code = 0;
    mouse %= 10;
  }
  ENTERHELD = enter;
  // Help, save and load would stop one game while the other plays on, and a
  // load would rewind one side only: they are not sent in a link game, and
  // my player is told why once per press.
  const bool barred = code == SC_HELP || code == SC_SAVE || code == SC_LOAD;
  if (barred && code != BARREDHELD) INFORMCHAT(LINKBARREDKEYTEXT(code), 12);
  BARREDHELD = barred ? code : 0;
  if (barred) code = 0;
}

uint64_t nowMs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

// Takes what has arrived; waits at most MS for the first event.
void pump(uint32_t ms) {
  LINKMESSAGE m;
  std::string err;
  for (;;) {
    const LINKEVENT e = LINKSERVICE(ms, m, err);
    if (e == LINK_NOTHING) return;
    if (e == LINK_GONE) {
      PEERGONE = true;
      return;
    }
    if (e == LINK_GARBAGE) {
      lost("the other game sent a message that could not be read: " + err);
      return;
    }
    if (e == LINK_MESSAGE) LINKHANDLEMESSAGE(m);
    if (LINKSTATUS != LINKPLAYING) return;
    ms = 0;
  }
}
}  // namespace

std::string LINKBARREDKEYTEXT(BYTE code) {
  // One log line each: saving or loading would change this side only, the
  // help screen would stop it while the other plays on.
  if (code == SC_SAVE) return "No saving in a link game.";
  if (code == SC_LOAD) return "No loading in a link game.";
  return "No help in a link game.";
}

void LOCKSTEPSTART(BYTE delay) {
  LINKSTATUS = LINKPLAYING;
  LINKINPUTDELAY = delay > LINKMAXDELAY ? LINKMAXDELAY : delay;
  LINKCYCLE = 0;
  LINKCHECKS = 0;
  LINKWAITMS = 0;
  LINKWAITS = 0;
  LINKDESYNCFRAME = -1;
  LINKFAULT.clear();
  PEERGONE = false;
  LASTLOCALMOUSE = 0;
  ENTERHELD = true;
  BARREDHELD = 0;
  LINKTYPING = false;
  LINKCHATLINE.clear();
  for (uint32_t i = 0; i < RING; i++) MINE[i] = THEIRS[i] = SLOT();
  for (uint32_t i = 0; i < CHECKRING; i++) MYCHECKS[i] = THEIRCHECKS[i] = CHECKSLOT();
  // The first cycles have nobody's input: both games start standing still.
  for (uint32_t c = 0; c < LINKINPUTDELAY; c++) {
    MINE[c % RING] = SLOT{true, c, 0, 0};
    THEIRS[c % RING] = SLOT{true, c, 0, 0};
  }
}

void LINKHANDLEMESSAGE(const LINKMESSAGE& m) {
  switch (m.TYPE) {
    case MSG_INPUT: {
      // Input comes in order, each cycle once, never further ahead than
      // the delay allows.
      const uint32_t expect = LINKCYCLE;
      if (m.CYCLE < expect || m.CYCLE >= expect + RING || THEIRS[m.CYCLE % RING].HAVE) {
        lost("the other game sent input for cycle " + std::to_string(m.CYCLE) + " while this one is at " +
             std::to_string(expect));
        return;
      }
      THEIRS[m.CYCLE % RING] = SLOT{true, m.CYCLE, m.PORT60, m.MOUSESTATUS};
      return;
    }
    case MSG_CHECK: {
      CHECKSLOT& s = THEIRCHECKS[(m.CYCLE / LINKCHECKEVERY) % CHECKRING];
      s = CHECKSLOT{true, m.CYCLE, m.CHECKSUM};
      compareChecks(m.CYCLE);
      return;
    }
    case MSG_CHAT:
      INFORMCHAT(LINKPEERNAME + ": " + m.TEXT, 11);
      keyClick();
      return;
    case MSG_BYE:
      PEERGONE = true;
      if (m.REASON == REASON_DESYNC) desync(m.CYCLE);
      return;
    default:
      lost("the other game sent an unexpected message (type " + std::to_string(m.TYPE) + ") during play");
      return;
  }
}

uint32_t LINKCHECKSUM() {
  HASH h;
  h.u64(RANDSTATE());
  for (int p = 1; p <= 2; p++) {
    h.byte(PLAYERX[p]);
    h.byte(PLAYERY[p]);
    h.real(PLAYERHEALTH[p]);
    h.real(ARMOR[p]);
    h.byte(DEAD[p] ? 1 : 0);
    h.byte(CHOSENWEAPON[p]);
    h.byte(INTANK[p]);
    for (int w = 1; w <= NUMWEAPONTYPES; w++) h.u32(static_cast<uint32_t>(WEAPONAMMO[p][w]));
  }
  h.u32(NUMBEROFMONSTERS);
  for (int i = 1; i <= NUMBEROFMONSTERS && i <= MAX_MONSTERS; i++) {
    h.byte(MONSTERX[i]);
    h.byte(MONSTERY[i]);
    h.byte(MONSTERTYPE[i]);
    h.u32(static_cast<uint32_t>(MONSTERENERGY[i]));
  }
  for (int x = 1; x <= MAPSIZEX && x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAPSIZEY && y <= MAX_MAPHEIGHT; y++) h.byte(MAP[x][y]);
  h.byte(NUMBEROFROCKETS);
  h.byte(NUMBEROFPLASMAS);
  h.byte(NUMBEROFRAILS);
  h.byte(NUMBEROFFLAMES);
  h.byte(NUMBEROFEXPLOSIONS);
  return h.H;
}

void LINKEXCHANGEINPUT() {
  if (LINKSTATUS != LINKPLAYING) return;
  const BYTE m = me(), other = static_cast<BYTE>(3 - m);
  // The checksum of the state every cycle's input meets alike.
  if (LINKCYCLE % LINKCHECKEVERY == 0) {
    const uint32_t sum = LINKCHECKSUM();
    MYCHECKS[(LINKCYCLE / LINKCHECKEVERY) % CHECKRING] = CHECKSLOT{true, LINKCYCLE, sum};
    LINKMESSAGE c;
    c.TYPE = MSG_CHECK;
    c.CYCLE = LINKCYCLE;
    c.CHECKSUM = sum;
    LINKSEND(c);
    compareChecks(LINKCYCLE);
  }
  BYTE code = 0, mouse = 0;
  sampleLocal(code, mouse);
  const uint32_t target = LINKCYCLE + LINKINPUTDELAY;
  MINE[target % RING] = SLOT{true, target, code, mouse};
  LINKMESSAGE in;
  in.TYPE = MSG_INPUT;
  in.CYCLE = target;
  in.PORT60 = code;
  in.MOUSESTATUS = mouse;
  if (!PEERGONE) LINKSEND(in);

  // Wait for the peer's bytes of this cycle.
  const uint64_t start = nowMs();
  pump(0);
  const bool waits = !THEIRS[LINKCYCLE % RING].HAVE;
  if (waits) LINKWAITS++;
  while (LINKSTATUS == LINKPLAYING && !(THEIRS[LINKCYCLE % RING].HAVE && THEIRS[LINKCYCLE % RING].CYCLE == LINKCYCLE)) {
    if (PEERGONE) {
      lost("the other game left");
      break;
    }
    if (nowMs() - start > LINKSTALLMS) {
      lost("no input from the other game for " + std::to_string(LINKSTALLMS / 1000) + " seconds");
      break;
    }
    // The window stays alive while the game waits.
    if (!HARNESS.HEADLESS) HANDLESDLEVENTS();
    pump(5);
  }
  if (waits) LINKWAITMS += nowMs() - start;
  if (LINKSTATUS != LINKPLAYING) {
    PORT60[1] = PORT60[2] = 0;
    MOUSESTATUS[1] = MOUSESTATUS[2] = 0;
    return;
  }
  const SLOT& a = MINE[LINKCYCLE % RING];
  const SLOT& b = THEIRS[LINKCYCLE % RING];
  PORT60[m] = a.PORT60;
  MOUSESTATUS[m] = a.MOUSE;
  PORT60[other] = b.PORT60;
  MOUSESTATUS[other] = b.MOUSE;
  MINE[LINKCYCLE % RING].HAVE = false;
  THEIRS[LINKCYCLE % RING].HAVE = false;
  LINKCYCLE++;
}

void LINKSYNCPLAYERS() {
  // PREENGINEINIT made this machine player 1 again; the link decides.
  MYNUMBER = LINKMYNUMBER;
  NUMBEROFPLAYERS = 2;
  const BYTE m = me(), other = static_cast<BYTE>(3 - m);
  PLAYERNAME[m] = MYNAME.substr(0, LINKMAXNAME);
  PLAYERNAME[other] = LINKPEERNAME;
  ORIGINALPLAYERCOLOR[m] = MYCOLOR;
  ORIGINALPLAYERCOLOR[other] = LINKPEERCOLOR;
  PLAYERCOLOR[m] = ORIGINALPLAYERCOLOR[m];
  PLAYERCOLOR[other] = ORIGINALPLAYERCOLOR[other];
}

void DRAWCHATLINE() {
  if (!LINKTYPING) return;
  RENDERSTRING(1, 24, "Say: " + LINKCHATLINE + "_", 15, 1, 1, 100, 100);
}

void LOCKSTEPSTOP(BYTE reason) {
  if (LINKCONNECTED() && !PEERGONE) {
    LINKMESSAGE b;
    b.TYPE = MSG_BYE;
    b.REASON = reason;
    b.CYCLE = LINKDESYNCFRAME >= 0 ? static_cast<uint32_t>(LINKDESYNCFRAME / 2) : LINKCYCLE;
    LINKSEND(b);
  }
  LINKTYPING = false;
  LINKCHATLINE.clear();
}
