#include "shell/linkflow.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "display/backend.h"
#include "display/events.h"
#include "display/input.h"
#include "display/textscreen.h"
#include "net/linksession.h"
#include "net/lockstep.h"
#include "net/netlink.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "ui/backdrop.h"
#include "ui/menu.h"
#include "ui/widgets.h"
#include "world/levelstate.h"
#include "world/mapscript.h"

namespace {
// How long the command-line link waits for the other game, in real time.
constexpr uint32_t CONNECTWAITMS = 15000;
constexpr uint32_t LISTENWAITMS = 60000;
// The level of a command-line link game without a level parameter.
constexpr BYTE DEFAULTLINKLEVEL = 50;

BYTE SCREENROW = 1;

void sayOnStderr(const std::string& line) { std::fprintf(stderr, "ashenreach: link: %s\n", line.c_str()); }

// The menu's status lines, written one under another on the text screen.
void sayOnScreen(const std::string& line) {
  if (SCREENROW > 23) {
    RENDERBLUE();
    SCREENROW = 1;
  }
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(1);
  WR(3, SCREENROW++, line);
  PUSHDISPLAY();
}

bool windowClosed() { return QUITREQUESTED; }

// Escape (or closing the window) aborts a wait of the link menu. The wait
// polls about every 20 ms of real time: a headless run's clock moves on as
// much, so that --frames also ends a wait for a game that never comes.
bool escapePressed() {
  if (HARNESS.HEADLESS && THEBACKEND) {
    THEBACKEND->IDLE(20);
    HARNESSCLOCKCHECK(THEBACKEND->TICKS());
  }
  while (KEYPRESSEDEMULATOR())
    if (READKEYEMULATOR() == 27) return true;
  return QUITREQUESTED;
}

uint64_t freshSeed() {
  if (HARNESS.SEEDGIVEN) return HARNESS.SEED;
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^ RANDSEEDVALUE();
}

// Both games start the chosen level alike.
void startLevel(BYTE level, uint64_t seed, BYTE delay) {
  LAUNCHED_FROM_MD = false;
  GAMEDIFFICULTY = 1;
  CHEAT = false;
  LOADINGGAME = false;
  CURRENTMAP = level;
  VICTORY = 0;
  RESETSTARTUPSCRIPTENTRIESFORMAP(level);
  // A link game is a new game on both machines: a level one of them left in
  // an earlier game must not resume on that side only.
  CLEARMAPINFO();
  LINKBEGIN(seed, delay);
}

int exitCodeFor(LINKRESULT r) {
  if (r == LINKREFUSED) return EXIT_LINKREFUSED;
  if (r == LINKABORTED) return 0;
  return EXIT_LINKLOST;
}

bool commandLineStart() {
  LINKSAY = sayOnStderr;
  LINKABORT = windowClosed;
  const bool connect = !HARNESS.LINKCONNECT.empty();
  std::string host = LINKDEFAULTHOST, msg;
  uint16_t port = LINKDEFAULTPORT;
  if (connect ? !PARSELINKADDRESS(HARNESS.LINKCONNECT, host, port)
              : !PARSELINKADDRESS(":" + HARNESS.LINKLISTEN, host, port)) {
    sayOnStderr("bad address " + (connect ? HARNESS.LINKCONNECT : HARNESS.LINKLISTEN));
    LINKEXITCODE = EXIT_USAGE;
    return false;
  }
  LINKRESULT r = LINKESTABLISH(connect, host, port, connect ? CONNECTWAITMS : LISTENWAITMS, msg);
  BYTE level = DEFAULTLINKLEVEL;
  uint64_t seed = 0;
  if (r == LINKOK && connect) {
    if (!GAMEPARAMS.empty() && VALIDATEDPARAM()) level = LAUNCHLEVEL(GAMEPARAMS[0]);
    if (level == 0) level = 1;
    seed = freshSeed();
    r = LINKSENDSTART(level, seed, msg);
  } else if (r == LINKOK) {
    r = LINKAWAITSTART(level, seed, msg);
  }
  if (r != LINKOK) {
    if (!msg.empty()) std::fprintf(stderr, "ashenreach: %s\n", msg.c_str());
    LINKEXITCODE = exitCodeFor(r);
    return false;
  }
  sayOnStderr("playing level " + std::to_string(level) + " as player " + std::to_string(LINKMYNUMBER));
  startLevel(level, seed, connect ? LINKDELAY : LINKINPUTDELAY);
  return true;
}

// Tells the player MSG in a box and waits for Enter or Escape.
void tell(const std::string& msg) {
  TEXTMODE80X25();
  RENDERBLUE();
  DISPLAYLOGO();
  ITEM[1] = msg;
  MENU("Two-player link", 1, 20, 10, SELECT, 4, WAIT, true);
}

bool menuStart() {
  LINKSAY = sayOnScreen;
  LINKABORT = escapePressed;
  RENDERBLUE();
  DISPLAYLOGO();
  ITEM[1] = "Connect to another IP.";
  ITEM[2] = "Wait for connection from another IP.";
  ITEM[3] = "Exit";
  const BYTE g = MENU("Two-player link", 3, 20, 9, SELECT, 1, WAIT, true);
  if (g != 1 && g != 2) return false;
  const bool connect = g == 1;
  std::string host = LINKDEFAULTHOST, msg;
  uint16_t port = LINKDEFAULTPORT;
  RENDERBLUE();
  SCREENROW = 1;
  TEXTCOLOREMULATOR(15);
  TEXTBACKGROUNDEMULATOR(1);
  if (connect) {
    WR(3, 3, "Please enter the IP Address:");
    WR(3, 4, std::string("(empty: ") + LINKDEFAULTHOST + ", port " + std::to_string(LINKDEFAULTPORT) +
                 " unless given as HOST:PORT)");
    const std::string typed = READSTRING(3, 5, 40);
    if (typed == std::string(1, '\x1b')) return false;
    if (!PARSELINKADDRESS(typed, host, port)) {
      tell("Not an address: " + typed.substr(0, 40));
      return false;
    }
  } else {
    WR(3, 3, "Port to wait on:");
    WR(3, 4, "(empty: " + std::to_string(LINKDEFAULTPORT) + ")");
    const std::string typed = READSTRING(3, 5, 5);
    if (typed == std::string(1, '\x1b')) return false;
    if (!PARSELINKADDRESS(":" + typed, host, port) && !typed.empty()) {
      tell("Not a port: " + typed);
      return false;
    }
  }
  RENDERBLUE();
  SCREENROW = 1;
  sayOnScreen("Press Esc to ABORT.");
  // The waiting player needs the port to tell the other one.
  if (!connect) sayOnScreen("Waiting on port " + std::to_string(port) + ".");
  LINKRESULT r = LINKESTABLISH(connect, host, port, connect ? CONNECTWAITMS : 0, msg);
  BYTE level = 0;
  uint64_t seed = 0;
  if (r == LINKOK && connect) {
    TEXTCOLOREMULATOR(14);
    WR(3, SCREENROW++, "Enter the Map number (Esc to disconnect):");
    // The other game waits meanwhile: the connection is kept alive while
    // the player thinks and types.
    MENUIDLEHOOK = LINKKEEPALIVE;
    const std::string typed = READSTRING(3, SCREENROW++, 3);
    MENUIDLEHOOK = nullptr;
    const int32_t n = typed == std::string(1, '\x1b') ? 0 : VAL1(typed);
    level = n >= 0 && n <= 255 ? static_cast<BYTE>(n) : 0;
    seed = freshSeed();
    r = LINKSENDSTART(level, seed, msg);
  } else if (r == LINKOK) {
    sayOnScreen("Press ESC to abort.");
    r = LINKAWAITSTART(level, seed, msg);
  }
  if (r != LINKOK) {
    // The exit code tells how it ended, as it does for the command-line link.
    LINKEXITCODE = exitCodeFor(r);
    if (r != LINKABORTED && !msg.empty()) tell(msg);
    return false;
  }
  startLevel(level, seed, connect ? LINKDELAY : LINKINPUTDELAY);
  return true;
}
}  // namespace

bool LINKFROMCOMMANDLINE() { return !HARNESS.LINKLISTEN.empty() || !HARNESS.LINKCONNECT.empty(); }

bool LINKGAMESTART() {
  LINKEXITCODE = 0;
  return LINKFROMCOMMANDLINE() ? commandLineStart() : menuStart();
}

void LINKGAMEEND() {
  std::string msg;
  int code = 0;
  if (LINKSTATUS == LINKLOST) {
    msg = "Connection lost.";
    code = EXIT_LINKLOST;
  } else if (LINKSTATUS == LINKDESYNC) {
    msg = LINKFAULT;
    code = EXIT_DESYNC;
  } else {
    msg = "Closing connection.";
  }
  // The program's exit code reports how the last link game ended, whether it
  // was started from the menus or from the command line.
  LINKEXITCODE = code;
  if (LINKFROMCOMMANDLINE()) std::fprintf(stderr, "ashenreach: %s\n", msg.c_str());
  LINKEND(REASON_QUIT);
  // Through the menus the player is told how it ended before the title
  // comes back, also when the other player left ("Closing connection.").
  if (!LINKFROMCOMMANDLINE()) tell(msg);
}
