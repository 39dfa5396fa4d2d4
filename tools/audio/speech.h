// Spoken lines: the speech synthesiser (espeak-ng, run at generation time)
// says the text, then a character preset reshapes the voice (pitch and
// formant shift, ring modulation, distortion, band limits, echo, room) so that
// each character of the game sounds like itself and not like a screen reader.
#pragma once
#include <string>
#include <vector>

#include "dsp.h"

struct VOICEPRESET {
  const char* NAME;
  const char* WHO;        // one line for the help text
  const char* ESPEAK;     // synthesiser voice and variant
  int SPEED, PITCH;       // words per minute, base pitch 0..99
  double FORMANT;         // < 1 deepens the vocal tract (and slows; SPEED compensates)
  double RINGHZ, RINGMIX; // ring modulation
  double DRIVE;           // distortion (0 = clean)
  double LOWCUT, HIGHCUT; // band limits, Hz
  double COMBMS, COMBMIX; // short metallic comb (0 = none)
  double ECHOSEC, ECHOMIX;
  double ROOM, WET;       // reverb
  double HISS;            // radio hiss level
};

extern const std::vector<VOICEPRESET> VOICEPRESETS;
const VOICEPRESET* FINDVOICEPRESET(const std::string& name);

// Says TEXT with PRESET. Returns false with ERROR set when the synthesiser is
// missing or fails. The result is mono at AUDIORATE, not yet levelled.
bool SPEAK(const std::string& text, const VOICEPRESET& preset, SOUNDBUF& out, std::string& error);

// Level of spoken campaign lines, dBFS (their slot plays at 1/1.7 of the
// sound volume: they come out a little over the system's own lines).
constexpr double VOICELINEPEAKDB = -8.0;
