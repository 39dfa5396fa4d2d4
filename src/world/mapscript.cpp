#include "world/mapscript.h"

#include "render/hud.h"

// The script reader and its entries arrive with the script rules; no entry
// exists yet, so there is nothing to fire and no message file to show.
void CHECKNEWSCRIPT() {}
void MANAGECOMM() {}
void CLOSECOMM() { COMMACTIVE = false; }
