// Folders and file names: the data folder (the game's working folder), the
// per-user folder with settings, keys and saves, and case-insensitive lookup
// of the mixed-case, backslash-separated paths that level data uses.
#pragma once
#include <string>

// The per-user folder: --user-dir, else $ASHENREACH_HOME, else
// $XDG_DATA_HOME/ASHENREACH, else $HOME/.local/share/ASHENREACH, else the
// account's home folder from the password database. A relative or empty
// variable is ignored (as the XDG rules say), so the folder never depends on
// the working folder. Empty when no absolute folder can be found: then the
// game keeps no settings, keys or saves.
std::string DATAPATH();
// Works the user folder out now and keeps it (start-up calls this before it
// moves into the data folder); notes on ignored variables go to stderr.
void SETTLEUSERFOLDER();
// The user folder as worked out from the given values (for tests): NOTES gets
// one line per ignored value.
std::string USERFOLDERFROM(const std::string& userdir, const char* ashenhome, const char* xdgdatahome,
                           const char* home, const std::string& accounthome, std::string& notes);
// The files in the user folder; empty when there is no user folder.
std::string INIFILENAME();
std::string KEYSFILENAME();
// "SAVE" in the modern look, "SAVE_A" in the classic look.
std::string SAVEFOLDER();
// Creates F and any missing parents; false when that is impossible.
bool ENSUREFOLDEREXISTS(const std::string& f);

// Finds the data folder (--data, $ASHENREACH_DATA, the installed share folder,
// the data folder of the source tree) and makes it the working folder. Returns
// false with the folders searched in SEARCHED when none holds the glyph files.
bool FINDDATAFOLDER(const std::string& exepath, std::string& searched);
// The data folder in use (absolute).
extern std::string DATAFOLDER;

// Turns a data path written with "\" or "/" and in any letter case into the
// path of the existing file or folder, matching each component without regard
// to case. When nothing matches, returns the path with "/" separators as given.
std::string RESOLVEPATH(const std::string& rel);
bool FILEEXISTSCI(const std::string& rel);
