// The message log (INFORM and its seven word-wrapped lines), the hero-thought
// box that repeats the hero's own remarks, and the typed-out objective box.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int TXT_NUMLINES = 7;
constexpr int TXT_LINELEN = 29;
constexpr int MAX_OBJ_LENGTH = 66;
constexpr int MAX_OBJ_LINES = 10;
constexpr uint16_t HEROTIME = 300;  // ticks the hero-thought box stays up

// Where the log sits on the 90 x 50 half-cell grid: log line I on row
// LOGFIRSTROW - 1 + I from column LOGFRAMECOLUMN + 1; the plain look frames it
// with a corner and a top line on the row above and a side line in
// LOGFRAMECOLUMN beside every log line.
constexpr int LOGFIRSTROW = 43;
constexpr int LOGFRAMECOLUMN = 60;
constexpr int LOGFRAMEWIDTH = 31;  // corner plus the top line to the screen's edge
// Line-drawing glyphs of the plain frame.
constexpr int FRAMECORNERGLYPH = 218, FRAMEHLINEGLYPH = 196, FRAMEVLINEGLYPH = 179;
// The modern look's text offset below the row grid, in log lines, so the
// text clears the top border of the backdrop sheet #213.
constexpr double LOGTEXTDROP = 0.3;

extern std::string TXTLINE[TXT_NUMLINES + 1];  // 1 = oldest, 7 = newest
// Colour of each log line. (The text screen's own TXTCOLOR is its write colour.)
extern BYTE TXTLINECOLOR[TXT_NUMLINES + 1];
extern uint16_t TXTBLINK[TXT_NUMLINES + 1];  // remaining blink or fade-in count
extern std::string HEROTHOUGHT[TXT_NUMLINES + 1];
extern uint16_t HEROTIMER;
extern BYTE HEROCOLOR;  // 10, 11 for a line in capitals; 2 and 3 while paused
extern std::string TICKER[3];  // last message given to each player
extern BYTE POSITION[3];

extern std::string CURRENTOBJECTIVE[MAX_OBJ_LINES + 1];
extern BYTE CURRENTOBJECTIVELINES;
extern uint16_t CURRENTOBJECTIVETIMER;  // frames left; 0 = hidden
extern int32_t OBJLINE, OBJCHAR;        // typewriter: line being typed, characters shown

// Reports INFO to player P in colour CLR (10 shows as 7; 14 shows as 10, blinks
// in and also enters the hero-thought box).
void INFORM(BYTE p, const std::string& info, BYTE clr);
// A chat line (or a note of the link) for my player: always logged, also
// while he lies dead and when the same line comes twice.
void INFORMCHAT(const std::string& line, BYTE clr);
// Scrolls the log by one line.
void SHIFTTXTLINESUP();
// Clears log, hero box, tickers and objective (level start).
void CLEARMESSAGES();
// Sets the current objective: the text split into at most 10 lines of about
// equal length (at most 66 characters), shown for 100 frames a line plus 200.
void TOGGLEOBJECTIVETEXT(const std::string& text);
// Draws the log (once per frame, after the view).
void DRAWMESSAGES();
// Advances the typewriter and, unless HIDE, draws the objective box.
void DRAWOBJECTIVE(bool hide);
// Called every tick; has no effect.
void MESSAGESCROLLER(BYTE pn, BYTE scr);

// Helpers shared with the HUD: S padded with spaces to LEN; S without
// leading and trailing blanks; the first three characters unchanged by
// upper-casing (a speaker tag or a shout).
std::string PADRIGHT(const std::string& s, size_t len);
std::string TRIMSPACES(const std::string& s);
bool STARTSINCAPITALS(const std::string& s);
std::string UPCASE(const std::string& s);
