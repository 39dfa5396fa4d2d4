#include "sound/sound.h"

#include "display/backend.h"
#include "base/random.h"
#include "base/settings.h"

BYTE PLAYSOUND = 0;
BYTE PREVSOUND = 0;
bool LOOP = false;

uint16_t SOUNDREFS[256];
int32_t SOUNDHANDLE[NUMSOUNDS];
SOUNDREQUEST SOUNDREQUESTS[MAX_SOUNDREQUESTS + 1];
int32_t SOUNDREQUESTCOUNT = 0;
int64_t SOUNDREQUESTTOTAL = 0;

namespace {
void RECORDREQUEST(uint16_t slot, BYTE ref, bool loop) {
  if (SOUNDREQUESTCOUNT == MAX_SOUNDREQUESTS) {
    for (int i = 1; i < MAX_SOUNDREQUESTS; i++) SOUNDREQUESTS[i] = SOUNDREQUESTS[i + 1];
    SOUNDREQUESTCOUNT--;
  }
  SOUNDREQUESTCOUNT++;
  SOUNDREQUESTS[SOUNDREQUESTCOUNT] = SOUNDREQUEST{slot, ref, loop};
  SOUNDREQUESTTOTAL++;
}
}  // namespace

void STARTSOUND1(uint16_t soundnum, BYTE index, bool loop) {
  if (soundnum >= NUMSOUNDS) return;
  SOUNDREFS[index] = soundnum;
  RECORDREQUEST(soundnum, index, loop);
  if (!SOUNDON || !THEBACKEND || SOUNDHANDLE[soundnum] <= 0) return;
  THEBACKEND->PLAYSOUND(soundnum, SOUNDHANDLE[soundnum], loop ? -1 : 0);
}

bool SOUNDPLAYING1(BYTE soundr) {
  if (!SOUNDON || !THEBACKEND) return false;
  return THEBACKEND->SOUNDBUSY(SOUNDREFS[soundr]);
}

void STOPSOUND(BYTE soundr) {
  if (!THEBACKEND) return;
  THEBACKEND->HALTSOUND(SOUNDREFS[soundr]);
}

void STOPSOUND1(BYTE sn) {
  if (SOUNDON) STOPSOUND(sn);
}

void STOPALLSOUNDS() {
  for (int r = 1; r <= 255; r++) STOPSOUND(static_cast<BYTE>(r));
  if (!THEBACKEND) return;
  for (int c = 1; c < NUMSOUNDS; c++) THEBACKEND->HALTSOUND(c);
}

void CLEARSOUNDREQUESTS() {
  SOUNDREQUESTCOUNT = 0;
  SOUNDREQUESTTOTAL = 0;
}

bool SOUNDREQUESTED(int32_t slot, int32_t ref) {
  for (int i = 1; i <= SOUNDREQUESTCOUNT; i++)
    if (SOUNDREQUESTS[i].SLOT == slot && (ref < 0 || SOUNDREQUESTS[i].REF == ref)) return true;
  return false;
}

double KREEPORVOLUME = 0.0;
double KREEPORMAXVOLUME = 128.0 / 3.5;

void MANAGEIDLEMUSIC() {
  static const int BUSYCHANNELS[] = {85, 83, 86, 60, 84, 98, 99, 101, 102, 103, 104, 95};
  KREEPORMAXVOLUME = 128.0 * (VOLUME_MUSIC / 10.0) / 3.5;
  bool busy = false;
  if (SOUNDON && THEBACKEND)
    for (int c : BUSYCHANNELS) busy = busy || THEBACKEND->SOUNDBUSY(c);
  const double target = busy ? KREEPORMINVOLUME : KREEPORMAXVOLUME;
  const double old = KREEPORVOLUME;
  KREEPORVOLUME += (target - KREEPORVOLUME) / 32.0;
  if (KREEPORVOLUME != old && SOUNDON && THEBACKEND)
    THEBACKEND->SOUNDVOLUME(96, static_cast<int32_t>(KREEPORVOLUME));
}

void DEATHSOUND() {
  const int t = 21 + random(3);
  STARTSOUND1(static_cast<uint16_t>(t), static_cast<BYTE>(t), false);
}
