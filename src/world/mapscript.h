// Map scripts: the campaign's script file of trigger entries, read once per
// new game, and the per-tick check that fires the entries of the current
// level (objectives, voice lines, messages, ambience, dark areas, display
// overrides, explosions, portals). Also the timed-message file (its open flag
// COMMACTIVE lives with the HUD status).
//
// Script line grammar (fields separated by ","):
//   level,voice,x,y,size[,height][,option]...-"text"
// x and y count columns and text lines of the map from its top-left corner.
// A size alone makes a circle of that radius; a first option that is a whole
// number makes a rectangle of size x height. Up to 10 options follow, each a
// bare word or WORD:value, ended by "," or by the text marker -" that starts
// the quoted text, so the text may hold commas.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/common.h"

constexpr int MAX_SCRIPT_OPTIONS = 10;
// Bounds of the script file: bytes read and the length of one line. The game
// reads no further than these, so an endless or hostile file cannot hang it.
constexpr int64_t MAX_SCRIPT_FILE_BYTES = 1 << 20;
constexpr size_t MAX_SCRIPT_LINE = 4096;
// NEWSCRIPTENTRIES is a word; saves store it as one.
constexpr size_t MAX_SCRIPT_ENTRIES = 65535;

struct NEWSCRIPTTYPE {
  uint16_t X = 0;          // circle centre or rectangle left column
  uint16_t Y = 0;          // row as written in the file (text line from the top)
  BYTE RADIUS = 0;         // circle radius; 0 for a rectangle
  BYTE WIDTH = 0;          // rectangle width
  BYTE HEIGHT = 0;         // rectangle height
  bool ISRECTANGLE = false;
  uint16_t MAPNUM = 0;     // level the entry belongs to
  std::string VOICEFILE;   // voice file without folder and extension; may be empty
  std::string OPTIONAL[MAX_SCRIPT_OPTIONS + 1];  // 1..NUMOPTS
  BYTE NUMOPTS = 0;
  std::string TXT;         // objective, message or spoken line
  bool ACTIVATED = false;  // the entry has been triggered
  BYTE EFFCOUNTER = 0;     // flicker counter of a "DARK:FLICKER" area
  uint16_t TIMER = 1;      // actions run when 1, then counts to 0; 0 = finished
};

extern std::vector<NEWSCRIPTTYPE> NEWSCRIPT;  // indexed from 0
extern uint16_t NEWSCRIPTENTRIES;

// Reads "CAMPAIGN\<GAME>\script.txt" into the entries (none when missing).
void LOADNEWSCRIPT();
// Parses one trimmed line and appends its entry; a malformed line adds nothing.
void ADDNEWSCRIPTENTRY(const std::string& line);
// Per engine tick: CHECKTIVATEENTRY for every entry and every player.
void CHECKNEWSCRIPT();
// Tests entry I for player P and fires it when due; true when it qualified.
bool CHECKTIVATEENTRY(BYTE p, uint16_t i);
// The per-tick "DARK" area effects of entry I.
void ACTIVATEREPEATINGENTRYSPECIALS(uint16_t i);
// Applies one "ONSTART" display override (ROCK=, HOUSEROCK=, FLOOR=, PROP=).
void ACTIVATESTARTUPOPTIONFORENTRY(uint16_t i, const std::string& action);
// Makes the "ONSTART" entries of LEVEL fire again when the level is entered.
void RESETSTARTUPSCRIPTENTRIESFORMAP(BYTE level);
// = OPTIONPRESENT(I, "ONSTART").
std::string ENTRYSTARTUPOPTION(uint16_t i);
// "yes" for a bare option NAME, the value after "NAME:", or empty; the first
// option that matches either way decides.
std::string OPTIONPRESENT(uint16_t i, const std::string& name);
// True when the first entry carrying voice file NAME has finished.
bool ENTRYWASACTIVATED(const std::string& name);
// The trimmed text is a whole number (or, with ALLOWFRACTION, a real number).
bool ISNUMERIC(const std::string& text, bool allowfraction);

// The parser shared by the game and the checker: fills E from one trimmed
// line. False with the reason in WHY when the game skips the line; DROPPED
// counts options beyond the tenth.
bool PARSESCRIPTLINE(const std::string& line, NEWSCRIPTTYPE& e, std::string& why,
                     int32_t& dropped);
// Reads the lines of a script file within the bounds above, opening only a
// regular file. False with the reason in WHY when nothing can be read;
// TRUNCATED is set when the file is longer than the bound.
bool READSCRIPTLINES(const std::string& path, std::vector<std::string>& lines,
                     std::string& why, bool& truncated);
// A number of an option's value: the trimmed text as a whole number inside
// LO..HI, else 0 (values that do not convert give 0).
int64_t OPTIONNUMBER(const std::string& s, int64_t lo, int64_t hi);

// Shows the next due line of the timed-message file.
void MANAGECOMM();
// Closes the timed-message file.
void CLOSECOMM();
