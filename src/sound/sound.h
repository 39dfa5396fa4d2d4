// Sound slots, music and voices. Sounds live in 106 numbered slots; slot n
// plays on mixer channel n, so starting a slot that still plays restarts it.
// Callers start a slot under a reference number 0..255 and later test or stop
// "their" sound by the reference alone. On top: the slot table and its
// loading, the volume table derived from the two volume settings, the idle
// music that fades in while no other music or ambience plays, per-map idle
// music and script voice lines. Every operation does nothing while SOUNDON is
// false (the "NOSOUND" parameter, or no audio device).
//
// Every start is also recorded (frame, slot, reference) for the state dump and
// for tests; the record is kept while sound is on, whether or not the slot
// holds a sample.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int NUMSOUNDS = 106;  // slots 0..105

// The script or ambient sound requested this frame (0 = none), the one
// playing, and whether the requested one loops. The engine tick clears
// PLAYSOUND and LOOP at the start of each input cycle and starts PLAYSOUND
// under reference 224 when it differs from PREVSOUND.
extern BYTE PLAYSOUND;
extern BYTE PREVSOUND;
extern bool LOOP;

// The extension every sound file is loaded with.
extern const char* const AUDEXT;
// Speech synthesis is off: SPEAKIT does nothing.
constexpr bool VOICE_SYNTH = false;

extern uint16_t SOUNDREFS[256];           // channel last started under each reference
extern int32_t SOUNDHANDLE[NUMSOUNDS];    // back-end sample of each slot, 0 = empty
class BACKEND;
extern BACKEND* SOUNDBACKEND;             // the back-end SOUNDHANDLE belongs to
extern int32_t INITIALVOLUME[NUMSOUNDS];  // volume each channel is restored to (0..128)
extern int32_t CHANNELVOLUME[NUMSOUNDS];  // volume each channel is set to now (0..128)

// One recorded start.
struct SOUNDREQUEST {
  int64_t FRAME = 0;  // frames pushed when it was started
  uint16_t SLOT = 0;
  BYTE REF = 0;
  bool LOOP = false;
};
constexpr int MAX_SOUNDREQUESTS = 256;
extern SOUNDREQUEST SOUNDREQUESTS[MAX_SOUNDREQUESTS + 1];  // 1..SOUNDREQUESTCOUNT, oldest first
extern int32_t SOUNDREQUESTCOUNT;   // starts kept (the oldest are dropped when full)
extern int64_t SOUNDREQUESTTOTAL;   // starts made since the last clear

// Opens the audio device (unless only the volumes change) at 22050 Hz, signed
// 16-bit little-endian, stereo, 512-sample buffers, with 106 channels; a
// device that cannot be opened switches sound off with one line on stderr
// saying why. Then applies the volume table of VOLUME_SOUND and VOLUME_MUSIC.
void INIT_AUDIO(bool only_change_volume);
// Sets a channel's volume and remembers it in INITIALVOLUME (clamped to 0..128).
void SETINITIALVOLUME(int32_t snd, int32_t vol);
// Sets a channel's volume for now (clamped to 0..128).
void SETCHANNELVOLUME(int32_t channel, int32_t vol);

// SOUNDREFS[INDEX] := SOUNDNUM and play slot SOUNDNUM on its channel once, or
// endlessly when LOOP. Slots outside 0..105 are ignored; an empty slot plays nothing.
void STARTSOUND1(uint16_t soundnum, BYTE index, bool loop);
// True when the channel recorded under the reference is playing.
bool SOUNDPLAYING1(BYTE soundr);
// Halt the channel recorded under the reference.
void STOPSOUND(BYTE soundr);
// STOPSOUND when sound is on.
void STOPSOUND1(BYTE sn);
// Every reference 1..255, then channels 1..105.
void STOPALLSOUNDS();
// Pause and resume every channel where it is (help page, quit question).
void PAUSEALLSOUNDS();
void RESUMEALLSOUNDS();
// True when channel C is playing now.
bool CHANNELPLAYING(int32_t c);

// Forget the recorded starts (tests, level start).
void CLEARSOUNDREQUESTS();
// True when a start of SLOT under REF (any REF when REF < 0) is recorded.
bool SOUNDREQUESTED(int32_t slot, int32_t ref = -1);

// The script sound (PLAYSOUND) at a third of its volume, and back to normal.
void SETAMBIENTVOLUME_QUIET();
void SETAMBIENTVOLUME_NORMAL();
// A monster's hurt cry: slot 18..20 under the reference of the same number.
void HURTSOUND();
// A monster's death cry: slot 21..23 under the reference of the same number.
void DEATHSOUND();

// Idle music: channel 96 fades toward KREEPORMAXVOLUME while no other music or
// ambience plays and toward KREEPORMINVOLUME while one does.
extern double KREEPORVOLUME, KREEPORMAXVOLUME;
constexpr double KREEPORMINVOLUME = 0.0;
// One step of the idle-music fade (every frame).
void MANAGEIDLEMUSIC();

// Slot table and loading (sound/soundload.cpp).
// Empties every slot: the samples of a device just opened start afresh.
void FORGETSOUNDS();
// The file of each slot as the table names it ("" for slots 0, 82 and 86,
// which are loaded on demand).
extern const char* const SLOTFILE[NUMSOUNDS];
// The data file slot SN was filled from, as the game named it
// ("CAMPAIGN/main/BCKM_MAPS/100.ogg"); "" while the slot is empty.
std::string SLOTSOURCE(int32_t sn);
// The file name LOADSOUND1 uses for KEY: a name longer than 4 characters gets
// its last 4 characters replaced by ".ogg".
std::string SOUNDFILENAME(const std::string& key);
// Loads slot SN from KEY (the ".ogg" rule; a missing file loads the pick-gold
// sound instead; a file that does not decode leaves the slot empty).
void LOADSOUND1(int32_t sn, const std::string& key);
// Shows the "Loading data .." box and loads every slot of the table.
void LOADSOUNDS1();
// True once LOADSOUNDS1 has run.
extern bool SOUNDTABLELOADED;
// Slot 96 from the map's own idle music, else the default track; volume 0.
void LOADCUSTOMIDLEMUSICFORMAP(BYTE mapnum);
// Loads and plays a script voice line (SAY not blank) or sound effect (SAY
// blank). False when the file does not exist.
bool TOGGLEVOICEFILE(const std::string& vf, const std::string& say);
// Speech synthesis is off: does nothing.
void SPEAKIT(const std::string& s);
