// The headless back-end: a virtual clock, no events of its own, a software
// rasteriser with the blending and sampling of the OpenGL path, and audio
// channels that only record what was played.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "display/backend.h"

// Makes a headless back-end of W x H pixels (0 = 1280 x 720).
BACKEND* MAKEHEADLESSBACKEND(int32_t w = 1280, int32_t h = 720);

// One recorded start of a sound on a channel.
struct PLAYEDSOUND {
  int32_t CHANNEL = 0;
  int32_t HANDLE = 0;
  int32_t LOOPS = 0;
  std::string PATH;
  uint64_t AT = 0;  // virtual time of the start
};

// Every sound started on the headless back-end B since it was made (empty for
// any other back-end).
const std::vector<PLAYEDSOUND>& HEADLESSPLAYED(BACKEND* b);
// The volume (0..128) of CHANNEL on the headless back-end B (-1 for any other back-end).
int32_t HEADLESSVOLUME(BACKEND* b, int32_t channel);
// True while the headless back-end B has its audio paused.
bool HEADLESSAUDIOPAUSED(BACKEND* b);
// Number of quads the headless back-end B received for its last presented frame.
int64_t HEADLESSQUADS(BACKEND* b);
