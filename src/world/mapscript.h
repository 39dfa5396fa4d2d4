// Map scripts: the per-tick check of the level's script entries and the
// timed-message file.
#pragma once

extern bool COMMACTIVE;  // the timed-message file is open

// Fires the script entries whose conditions hold (with the script rules).
void CHECKNEWSCRIPT();
// Shows the next due line of the timed-message file.
void MANAGECOMM();
// Closes the timed-message file.
void CLOSECOMM();
