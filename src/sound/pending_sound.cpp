// PENDING: replaced at merge
// Stand-ins for the sound unit's voice, ambience and monster cry procedures.
#include "sound/sound.h"

void SETAMBIENTVOLUME_NORMAL() {}
void SETAMBIENTVOLUME_QUIET() {}
bool TOGGLEVOICEFILE(const std::string&, const std::string&) { return false; }
void HURTSOUND() {}
