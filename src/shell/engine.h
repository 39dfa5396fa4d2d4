// The in-level game loop: per-map reset, the frame with every world step in
// its order, the counters that divide the frame rate, the view zoom, the
// automap, the pause states and the quit question.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

// Frame counters, all reset by PREENGINEINIT.
extern BYTE INPUTCOUNTER;  // 1 = reading frame, 2 = input cycle (then back to 0)
extern BYTE GCOUNTER;      // input cycles; doors run when it reaches 5
extern BYTE ECOUNTER;      // every 3rd frame: messages and the item colour
extern BYTE HCOUNTER;      // every 2nd frame: rails, blinks, monsters
extern BYTE FCOUNTER;      // toggles 0/1: flames when it becomes 1
extern BYTE SEACOUNTER;    // sea shimmer band 1..8
extern BYTE CIC;           // 1..16, index into CA

// Item colour cycle and the colour of the chosen inventory item.
extern BYTE CA[17];
extern BYTE CHOSENITEMCOLOR;

// View zoom in percent: current, target, chosen level, level while zoomed out.
extern double VIEWZOOM, VIEWZOOMTO, VIEWZOOMDEFAULT, VIEWZOOMZOOMEDOUT;
extern int32_t ZOOMCOUNT;  // countdown set by effects; above 100 the view zooms out

// Pause states.
constexpr BYTE PAUSED_NOT = 0;
constexpr BYTE PAUSED_WAITFORNOINPUT = 1;
constexpr BYTE PAUSED_WAITFORINPUT = 2;
extern BYTE PAUSESTATE;

// Per-frame sound requests gathered by the world steps and played by the tick.
extern bool EXSOUND;          // an explosion was heard
extern BYTE PURGESOUND;       // tank removal sounds this frame (1 or 2)
extern BYTE GSL;              // a slot to play once at the end of the frame
extern bool KEYSOUND;         // a chat key was typed
extern int32_t COFFSET;       // alternates 1, -1 every frame
extern BYTE MAPLIGHTON;     // map lights shine (1)
extern BYTE LIGHTNINGTYPE;  // 2 = hits light their cell
extern BYTE ZIK;

// Plays the current map until it is won, lost, left or a load fails.
void ENGINETEST();
// Per-map reset of the engine's state.
void PREENGINEINIT();
// Draws one frame for player PLAYERVIEW: the view, then the automap or the HUD.
void RENDERGAME(BYTE playerview);
// The automap: explored cells around my player on an 80 x 50 grid.
void DRAWMAP();
// Counts down the timed overlay layers of every cell.
void MANAGELAYERTIMINGS();
// "[ QUIT ?]     " followed by a random taunt.
std::string QUITTAUNT();
void SETPAUSE(BYTE state);

// Observation hook: when set, the tick reports the name of each step it
// runs ("FRAME", "GETINPUT", "PLAYERSTEP", "MONSTERS", "DOORS", ...). Used by
// tests and diagnostics; null in play.
extern void (*ENGINETRACE)(const char* step);
inline void TRACESTEP(const char* step) {
  if (ENGINETRACE) ENGINETRACE(step);
}

// The zoom key's step: 100, 125, 150, back to 100. Does nothing while a zoom
// is still easing.
void CYCLEVIEWZOOM();
// After each frame: the zoom target from ZOOMCOUNT and one easing step.
void EASEVIEWZOOM();
// The view window for the current zoom: 2 x round(16 x Z) + 1 columns and
// 2 x round(12 x Z) + 1 rows with Z = 100 / VIEWZOOM.
void VIEWWINDOWSIZE(int32_t& sizex, int32_t& sizey);
