#include "world/mapeffects.h"

int32_t EFFECT_MAPSCAN = 161;

// The effects of each level arrive with the map-effect rules.
void HANDLEFANCYMAPEFFECTS() {}
void HANDLECUSTOMMAPEFFECTS() {}
