// Sound slots, music and voices. Numbered slots play under reference
// numbers: slot n plays on mixer channel n, and the reference remembers the
// channel a caller started so that it can later test or stop "its" sound.
// Until the slot table is loaded a start only records the request (gameplay
// rules and their tests rely on the record; once the loader fills
// SOUNDHANDLE the request is heard too). Also the per-frame request of the
// script and ambient sound, which map lights and scripts make and the engine
// tick plays.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

// The script or ambient sound requested this frame (0 = none), the one
// playing, and whether the requested one loops. The engine tick clears
// PLAYSOUND and LOOP at the start of each input cycle and starts PLAYSOUND
// under reference 224 when it differs from PREVSOUND.
extern BYTE PLAYSOUND;
extern BYTE PREVSOUND;
extern bool LOOP;

constexpr int NUMSOUNDS = 106;  // slots 0..105

extern uint16_t SOUNDREFS[256];            // channel last started under each reference
extern int32_t SOUNDHANDLE[NUMSOUNDS];     // back-end sample of each slot, 0 = not loaded

// One recorded start request.
struct SOUNDREQUEST {
  uint16_t SLOT = 0;
  BYTE REF = 0;
  bool LOOP = false;
};
constexpr int MAX_SOUNDREQUESTS = 256;
extern SOUNDREQUEST SOUNDREQUESTS[MAX_SOUNDREQUESTS + 1];  // 1..SOUNDREQUESTCOUNT, oldest first
extern int32_t SOUNDREQUESTCOUNT;   // requests kept (the oldest are dropped when full)
extern int64_t SOUNDREQUESTTOTAL;   // requests made since the last clear

// SOUNDREFS[INDEX] := SOUNDNUM and play slot SOUNDNUM on its channel once, or
// endlessly when LOOP. Slots outside 0..105 are ignored.
void STARTSOUND1(uint16_t soundnum, BYTE index, bool loop);
// True when the channel recorded under the reference is playing.
bool SOUNDPLAYING1(BYTE soundr);
// Halt the channel recorded under the reference.
void STOPSOUND(BYTE soundr);
// STOPSOUND when sound is on.
void STOPSOUND1(BYTE sn);
// Every reference 1..255, then channels 1..105.
void STOPALLSOUNDS();
// Forget the recorded requests (tests, level start).
void CLEARSOUNDREQUESTS();
// True when a request for SLOT under REF (any REF when REF < 0) is recorded.
bool SOUNDREQUESTED(int32_t slot, int32_t ref = -1);

// Idle music: channel 96 fades toward KREEPORMAXVOLUME while no other music or
// ambience plays and toward KREEPORMINVOLUME while one does.
extern double KREEPORVOLUME, KREEPORMAXVOLUME;
constexpr double KREEPORMINVOLUME = 0.0;
// One step of the idle-music fade (every frame).
void MANAGEIDLEMUSIC();
// A monster's death cry: slot 21..23 under the reference of the same number.
void DEATHSOUND();
// A monster's cry of pain: slot 18..20 under the reference of the same number.
void HURTSOUND();
// The script sound at its normal volume, or at a third of it (script "AMB").
void SETAMBIENTVOLUME_NORMAL();
void SETAMBIENTVOLUME_QUIET();
// Plays a script voice line (with SAY) or sound effect (without); false when its file is missing.
bool TOGGLEVOICEFILE(const std::string& vf, const std::string& say);
