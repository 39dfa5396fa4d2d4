// The slot layer: references, starts and stops, the volume table, the
// ambient volume of the script sound, the monster cries and the idle-music
// fade. The slot table and the loaders are in sound/soundload.cpp.
#include "sound/sound.h"

#include <algorithm>
#include <cstdio>

#include "base/harness.h"
#include "base/random.h"
#include "base/settings.h"
#include "display/backend.h"
#include "base/settings.h"

BYTE PLAYSOUND = 0;
BYTE PREVSOUND = 0;
bool LOOP = false;

uint16_t SOUNDREFS[256];
int32_t SOUNDHANDLE[NUMSOUNDS];
int32_t INITIALVOLUME[NUMSOUNDS];
int32_t CHANNELVOLUME[NUMSOUNDS];
SOUNDREQUEST SOUNDREQUESTS[MAX_SOUNDREQUESTS + 1];
int32_t SOUNDREQUESTCOUNT = 0;
int64_t SOUNDREQUESTTOTAL = 0;

double KREEPORVOLUME = 0.0;
double KREEPORMAXVOLUME = 128.0 / 3.5;

namespace {
// Sound is heard only with sound on and a back-end below.
bool AUDIBLE() { return SOUNDON && THEBACKEND; }

void RECORDREQUEST(uint16_t slot, BYTE ref, bool loop) {
  if (SOUNDREQUESTCOUNT == MAX_SOUNDREQUESTS) {
    for (int i = 1; i < MAX_SOUNDREQUESTS; i++) SOUNDREQUESTS[i] = SOUNDREQUESTS[i + 1];
    SOUNDREQUESTCOUNT--;
  }
  SOUNDREQUESTCOUNT++;
  SOUNDREQUESTS[SOUNDREQUESTCOUNT] = SOUNDREQUEST{PUSHEDFRAMES, slot, ref, loop};
  SOUNDREQUESTTOTAL++;
}

// The volume table: slots and the divisor of 128 x setting / 10 that gives
// their volume, as an exact fraction NUM / DEN so that truncation is exact.
struct VOLUMEROW {
  bool MUSIC;  // from VOLUME_MUSIC, else VOLUME_SOUND
  int32_t NUM, DEN;
  int32_t SLOTS[6];  // 0 ends the list
};
const VOLUMEROW VOLUMETABLE[] = {
    {false, 1, 1, {5, 75, 76, 77, 99, 0}},
    {false, 17, 10, {82, 0}},
    {false, 15, 10, {90, 91, 92, 93, 94, 0}},
    {false, 2, 1, {98, 88, 89, 105, 0}},
    {false, 22, 10, {101, 0}},
    {false, 3, 1, {1, 85, 0}},
    {false, 4, 1, {97, 0}},
    {false, 5, 1, {18, 19, 20, 21, 22, 23}},
    {false, 5, 1, {95, 0}},
    {false, 6, 1, {2, 79, 0}},
    {false, 7, 1, {3, 0}},
    {false, 16, 1, {83, 0}},
    {true, 15, 10, {86, 0}},
    {true, 3, 1, {103, 104, 0}},
    {true, 4, 1, {60, 0}},
    {true, 8, 1, {100, 102, 0}},
};

// trunc(128 x SETTING / 10 / (NUM / DEN)), in whole numbers.
int32_t SCALEDVOLUME(BYTE setting, int32_t num, int32_t den) {
  return static_cast<int32_t>((int64_t(128) * setting * den) / (int64_t(10) * num));
}
}  // namespace

void SETCHANNELVOLUME(int32_t channel, int32_t vol) {
  if (!AUDIBLE() || channel < 0 || channel >= NUMSOUNDS) return;
  vol = std::clamp(vol, 0, 128);
  CHANNELVOLUME[channel] = vol;
  THEBACKEND->SOUNDVOLUME(channel, vol);
}

void SETINITIALVOLUME(int32_t snd, int32_t vol) {
  if (!AUDIBLE() || snd < 0 || snd >= NUMSOUNDS) return;
  SETCHANNELVOLUME(snd, vol);
  INITIALVOLUME[snd] = CHANNELVOLUME[snd];
}

void INIT_AUDIO(bool only_change_volume) {
  if (!SOUNDON) return;
  if (!only_change_volume) {
    if (!THEBACKEND || !THEBACKEND->OPENAUDIO()) {
      SOUNDON = false;
      std::string why = THEBACKEND ? THEBACKEND->AUDIOERROR() : std::string("no back-end");
      if (why.empty()) why = "the audio device could not be opened";
      std::fprintf(stderr, "ashenreach: no sound (%s); the game runs silent\n", why.c_str());
      return;
    }
    FORGETSOUNDS();
  }
  if (!THEBACKEND) return;
  const int32_t base = SCALEDVOLUME(VOLUME_SOUND, 9, 1);
  for (int c = 0; c < NUMSOUNDS; c++) SETCHANNELVOLUME(c, base);
  for (int s = 1; s < NUMSOUNDS; s++) INITIALVOLUME[s] = CHANNELVOLUME[s];
  for (const VOLUMEROW& row : VOLUMETABLE)
    for (int32_t s : row.SLOTS)
      if (s > 0)
        SETINITIALVOLUME(s, SCALEDVOLUME(row.MUSIC ? VOLUME_MUSIC : VOLUME_SOUND, row.NUM, row.DEN));
  SETINITIALVOLUME(96, 0);
  KREEPORMAXVOLUME = 128.0 * (VOLUME_MUSIC / 10.0) / 3.5;
}

void STARTSOUND1(uint16_t soundnum, BYTE index, bool loop) {
  if (!SOUNDON || soundnum >= NUMSOUNDS) return;
  SOUNDREFS[index] = soundnum;
  RECORDREQUEST(soundnum, index, loop);
  if (!THEBACKEND || THEBACKEND != SOUNDBACKEND || SOUNDHANDLE[soundnum] <= 0) return;
  THEBACKEND->PLAYSOUND(soundnum, SOUNDHANDLE[soundnum], loop ? -1 : 0);
}

bool CHANNELPLAYING(int32_t c) { return AUDIBLE() && THEBACKEND->SOUNDBUSY(c); }

bool SOUNDPLAYING1(BYTE soundr) { return CHANNELPLAYING(SOUNDREFS[soundr]); }

void STOPSOUND(BYTE soundr) {
  if (AUDIBLE()) THEBACKEND->HALTSOUND(SOUNDREFS[soundr]);
}

void STOPSOUND1(BYTE sn) {
  if (SOUNDON) STOPSOUND(sn);
}

void STOPALLSOUNDS() {
  if (!AUDIBLE()) return;
  for (int r = 1; r <= 255; r++) STOPSOUND(static_cast<BYTE>(r));
  for (int c = 1; c < NUMSOUNDS; c++) THEBACKEND->HALTSOUND(c);
}

void PAUSEALLSOUNDS() {
  if (AUDIBLE()) THEBACKEND->PAUSEAUDIO(true);
}

void RESUMEALLSOUNDS() {
  if (AUDIBLE()) THEBACKEND->PAUSEAUDIO(false);
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

void SETAMBIENTVOLUME_QUIET() {
  if (PLAYSOUND != 0 && PLAYSOUND < NUMSOUNDS)
    SETCHANNELVOLUME(PLAYSOUND, INITIALVOLUME[PLAYSOUND] / 3);
}

void SETAMBIENTVOLUME_NORMAL() {
  if (PLAYSOUND != 0 && PLAYSOUND < NUMSOUNDS) SETCHANNELVOLUME(PLAYSOUND, INITIALVOLUME[PLAYSOUND]);
}

void HURTSOUND() {
  const int t = 18 + randomLocal(3);
  STARTSOUND1(static_cast<uint16_t>(t), static_cast<BYTE>(t), false);
}

void DEATHSOUND() {
  const int t = 21 + randomLocal(3);
  STARTSOUND1(static_cast<uint16_t>(t), static_cast<BYTE>(t), false);
}

void MANAGEIDLEMUSIC() {
  // Alarm, ambiences, music, the script sound and the notice sound.
  static const int BUSYCHANNELS[] = {85, 83, 86, 60, 84, 98, 99, 101, 102, 103, 104, 95};
  if (!AUDIBLE()) return;
  bool busy = false;
  for (int c : BUSYCHANNELS) busy = busy || THEBACKEND->SOUNDBUSY(c);
  const double target = busy ? KREEPORMINVOLUME : KREEPORMAXVOLUME;
  const double old = KREEPORVOLUME;
  KREEPORVOLUME += (target - KREEPORVOLUME) / 32.0;
  if (KREEPORVOLUME != old) SETCHANNELVOLUME(96, static_cast<int32_t>(KREEPORVOLUME));
}
