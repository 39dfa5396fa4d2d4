// Sound slots, music and voices. The slot layer itself arrives with the sound
// unit; what exists now is the per-frame request of the script and ambient
// sound, which map lights and scripts make and the engine tick plays.
#pragma once
#include <cstdint>

#include "shell/common.h"

// The script or ambient sound requested this frame (0 = none), the one
// playing, and whether the requested one loops. The engine tick clears
// PLAYSOUND and LOOP at the start of each input cycle and starts PLAYSOUND
// under reference 224 when it differs from PREVSOUND.
extern BYTE PLAYSOUND;
extern BYTE PREVSOUND;
extern bool LOOP;
