// Map scripts: the per-tick check of the level's script entries and the
// timed-message file (its open flag COMMACTIVE lives with the HUD status).
#pragma once

// Fires the script entries whose conditions hold (with the script rules).
void CHECKNEWSCRIPT();
// Shows the next due line of the timed-message file.
void MANAGECOMM();
// Closes the timed-message file.
void CLOSECOMM();
