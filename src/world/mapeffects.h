// Per-level special effects run while the frame is built: one general effect
// on every level, and the fixed behaviour of a few campaign levels that no
// data file expresses. Those levels are 100 rows high; their cells are named
// by column and map-file line (line L is row MAPSIZEY + 1 - L).
//
// These rules reach into the tank, portal, monster and player tables and the
// view's flags, so this unit of the world folder includes game and render
// headers (as the script tick does).
#pragma once
#include <cstdint>

extern int32_t EFFECT_MAPSCAN;  // column the general effect visits this frame; 161 at map start

// General effect of every level, one column per frame (counting down from 160
// through 0 and wrapping): stray floor colours become 8, and a bright cell
// that no map light covers and whose painted letter is a capital glows.
void HANDLEFANCYMAPEFFECTS();
// The effects of the current level of the campaign "main" (levels 100..105,
// 108..110, 150, 151); any other level has none.
void HANDLECUSTOMMAPEFFECTS();

// One level's effects, called by HANDLECUSTOMMAPEFFECTS.
void EFFECTSFOR100();  // deeper sight in the first building
void EFFECTSFOR101();  // the tank that blows up at its trigger cell
void EFFECTSFOR102();
void EFFECTSFOR103();  // spinning read-outs and the plasma emitter
void EFFECTSFOR104();  // the scrolling light field
void EFFECTSFOR105();  // a flickering 0/1 read-out
void EFFECTSFOR108();  // read-out; the boss room opens its portals
void EFFECTSFOR109();  // no damage; the player may change shape
void EFFECTSFOR110();  // no weapons; the player may change shape
void EFFECTSFOR150();  // no damage, wavy view
void EFFECTSFOR151();
