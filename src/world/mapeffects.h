// Per-level special effects run while the frame is built.
#pragma once
#include <cstdint>

extern int32_t EFFECT_MAPSCAN;  // column the general effect visits this frame; 161 at map start

// General effects of every level (with the map-effect rules).
void HANDLEFANCYMAPEFFECTS();
// Effects of particular levels of the campaign "main".
void HANDLECUSTOMMAPEFFECTS();
