// PENDING: replaced at merge
// Stand-ins for the sound unit's voice and ambience procedures.
#include "sound/sound.h"

void HURTSOUND() {}
void SETAMBIENTVOLUME_NORMAL() {}
void SETAMBIENTVOLUME_QUIET() {}
bool TOGGLEVOICEFILE(const std::string&, const std::string&) { return false; }
