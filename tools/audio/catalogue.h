// The game's sound files: which slot plays which file, what each is for, and
// how the generator makes it. One entry per file; a file may fill several
// slots (the pick-up sound fills 26..45 and 73).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

enum SOUNDKIND { SK_EFFECT, SK_MUSIC, SK_AMBIENCE, SK_SPEECH };

struct SOUNDFILEDEF {
  const char* FILE;    // name under sounds/, with ".ogg"
  const char* SLOTS;   // the slots it fills, as text ("26-45, 73")
  const char* ROLE;    // what the player hears
  SOUNDKIND KIND;
  bool LOOP;           // played looping: the end joins the start without a step
  double PEAKDB;       // peak level of the file, dBFS (balanced against the slot volume)
  SOUNDBUF (*MAKE)(uint64_t seed);
  double QUALITY = -1;  // Vorbis quality; below 0: the kind's (QUALITYOF)
};

extern const std::vector<SOUNDFILEDEF> SOUNDFILES;

// The idle music of the campaign "main", one loop per level, written as
// CAMPAIGN/main/BCKM_MAPS/<level>.ogg; on its level it takes the place of the
// default idle music in slot 96.
extern const std::vector<SOUNDFILEDEF> LEVELMUSIC;
constexpr const char* LEVELMUSICDIR = "CAMPAIGN/main/BCKM_MAPS";

// Generates the samples of one entry (levels finished: no DC offset, peak at
// the entry's level) and encodes them. DECODED receives the decoded samples.
// Returns false with ERROR set when the encoder fails.
bool MAKESOUNDFILE(const SOUNDFILEDEF& def, std::vector<uint8_t>& ogg, SOUNDBUF* decoded,
                   std::string& error);

// Vorbis quality per kind (modest: the whole set stays small).
double QUALITYOF(SOUNDKIND kind);

// Seed of an entry, from its file name.
uint64_t SEEDOF(const char* file);

// Highest peak that any decoded file may reach, dBFS.
constexpr double MAXPEAKDB = -1.0;
