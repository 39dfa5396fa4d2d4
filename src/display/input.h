// The emulated keyboard port, mouse and per-player frame input: the held
// actions become one PC set-1 scan code per player and frame (PORT60) and a
// mouse status byte (fire direction 1..8 plus 10 per button), which GETINPUT
// decodes into steps, firing, weapon and item choices.
#pragma once
#include <cstdint>

#include "base/common.h"

struct MCOORDTYPE {
  int32_t X = 0, Y = 0;
};

// Mouse.
extern MCOORDTYPE MCOORD;                // virtual pointer in window pixels
extern int16_t GLOBALMOUSEX, GLOBALMOUSEY;  // the pointer on an 80 x 80 grid
extern BYTE MOUSESTATUS[3];              // per player: direction + 10 x buttons
extern BYTE CLICK[3];                    // per player: the button part of MOUSESTATUS
extern bool NOMOUSE;

// Per-player frame input (players 1..2).
extern BYTE PORT60[3], LASTPORT60[3];
extern bool TYPINGMODE[3];

// Per-player results of GETINPUT.
extern int32_t OFFSETX[3], OFFSETY[3];          // movement step this frame, +1 in y is up
extern int32_t LASTOFFSETX[3], LASTOFFSETY[3];  // last non-zero step (facing)
extern int32_t FIREOFFSETX[3], FIREOFFSETY[3];  // firing step
extern bool WEAPONFIRED[3], USE[3], LASTUSE[3], SIT[3];
extern BYTE CHOSENWEAPON[3], CHOSENITEM[3];

// Fire steps by index 1..8; direction d fires along (PFIREX[9 - d], PFIREY[9 - d]).
extern int32_t PFIREX[9], PFIREY[9];

// Pump one event, then the scan code of the held actions (the last held one
// in priority order wins), 0 when none.
BYTE PORT60EMULATOR();
// Pump one event; true when a typed character is waiting.
bool KEYPRESSEDEMULATOR();
// Take the waiting character, waiting (and pumping) for one if needed.
char READKEYEMULATOR();
// Take one whole key: a character, or the code of a key without one (cursor
// keys, Page Up/Down, Home, End; see events.h) with EXTENDED set. Waits like
// READKEYEMULATOR.
BYTE READKEYCODE(bool& extended);
// Keyboard-plus-mouse mode: move the virtual pointer by the real pointer's
// motion and warp the real pointer back to the centre.
void REFRESHMOUSESTATUS();
// The local player's mouse status byte.
BYTE MOUSEEMULATOR();
// The player's scan code for this frame, remapped through DEFINED/ORIGINAL.
BYTE GETP60(BYTE player);
// PORT60 and MOUSESTATUS of one player: the keyboard and mouse for my player,
// the controller for a second local player.
void GETPORT60FORPLAYER(BYTE player);
void GETPORT60FORGAME_FIRSTPART();
// The input cycle's read of my player's keys: GETPORT60FORGAME_FIRSTPART
// counting the keys tapped (down and up again) since the last cycle as held,
// then forgetting those taps.
void GETPORT60FORINPUTCYCLE();
// The other player's input, then the frame's function keys (help, save, load).
void GETPORT60FORGAME_SECONDPART();
// Decodes the frame's input of every player.
void GETINPUT();

// Controller of a second local player: stick 0..255 per axis (128 centre) and
// two buttons; 0, 0, false, false when none is connected.
BYTE JOY_X();
BYTE JOY_Y();
bool BUTTON_1();
bool BUTTON_2();

// Clears the per-player input state and puts the virtual pointer on the real
// one (map start).
void RESETINPUTSTATE();
