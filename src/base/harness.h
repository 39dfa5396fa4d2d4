// Harness options: the "--" options that drive headless, scripted and
// recorded runs. They are removed from the argument list before the game's own
// parameter rules look at it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Exit codes of the program (the README lists them for players).
constexpr int EXIT_NODATA = 1;     // no data folder found
constexpr int EXIT_USAGE = 2;      // bad command line or input script
constexpr int EXIT_NOGLYPHS = 3;   // the glyph files of the data folder are missing
// 4: a level the game refuses (MAPFAULT_EXITCODE of the map loader)
constexpr int EXIT_NODISPLAY = 5;  // no usable display: the window cannot be opened
constexpr int EXIT_LINKLOST = 6;     // the last link game (menus or command line): no connection, or "Connection lost."
constexpr int EXIT_LINKREFUSED = 7;  // a link handshake refused (another version, build or campaign)
constexpr int EXIT_DESYNC = 8;       // the two linked games went apart

struct HARNESSOPTIONS {
  bool HELP = false, VERSION = false;  // --help / -h, --version
  bool HEADLESS = false;
  int64_t FRAMES = -1;  // leave after this many pushed frames; -1 = no limit
  std::string SCREENSHOT;
  int32_t WIDTH = 0, HEIGHT = 0;  // --size; 0 = back-end default
  std::string INPUT, RECORD, DATA, USERDIR, DUMPSTATE, CHECKMAP, CHECKSCRIPT;
  // --link-listen PORT / --link-connect HOST:PORT: a link game without the
  // menus; the connecting game is player 1 and plays the level given as the
  // first parameter (50 without one).
  std::string LINKLISTEN, LINKCONNECT;
  bool SEEDGIVEN = false;
  uint64_t SEED = 0;
};

extern HARNESSOPTIONS HARNESS;
// The game's own parameters (argv[1..] without the harness options).
extern std::vector<std::string> GAMEPARAMS;
// Frames pushed so far.
extern int64_t PUSHEDFRAMES;

// Thrown to leave the program from wherever it waits (menus, prompts, the
// engine) once --frames is reached; the entry point then runs the normal
// shut-down.
struct HARNESSEXIT {};

// Parses argv. Returns false and fills ERR on a malformed or unknown option.
bool PARSEHARNESS(int argc, char** argv, std::string& err);
// The game's own parameters: a first parameter that begins with a digit
// names the level to start and must be a whole number 1..255. False with ERR
// otherwise.
bool CHECKGAMEPARAMS(std::string& err);
// Called once per pushed frame (after the frame is presented).
void HARNESSFRAMEPUSHED();
// Called with the current clock by every wait; ends a headless run whose
// virtual clock has passed FRAMES x 33 ms.
void HARNESSCLOCKCHECK(uint64_t now);
