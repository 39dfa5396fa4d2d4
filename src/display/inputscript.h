// Scripted input (--input FILE) and the recording of live input (--record
// FILE). Both use one text format, one event per line:
//
//   FRAME down KEY        a key goes down (KEY: an SDL key name, "A", "Left",
//                         "Space", "Keypad 4", "[4]", "page up", or "code N";
//                         as in the SDL 1.2 table "enter" is the keypad's
//                         Enter key, the main one is "Return")
//   FRAME up KEY          the key comes up
//   FRAME text CHARS      each character typed: a key down and up carrying it
//   FRAME focus 0|1       the window loses or gains the focus
//   FRAME close           the window is asked to close (its close button)
//   FRAME mouse X Y B     the pointer is at (X, Y) pixels with buttons B
//                         (1 left, 2 right, 3 both) from here on
//   FRAME joy X Y B1 B2   a controller: stick 0..255 per axis (128 centre) and
//                         two buttons 0/1; "FRAME joy none" unplugs it
//
// FRAME counts pushed frames from 0. A recording writes "F+T/N" where the
// event came T milliseconds after frame F began, at the N-th event poll of
// that millisecond, so a replay hands it over at the same point; a plain F
// means the first poll of frame F. A key down may end in "char N": the
// character it typed when that differs from the key's own. "#" at the start
// of a line, or after a blank inside it, begins a comment. Frames never go
// backwards from one line to the next.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/backend.h"

// Limits of an input script: the file and each line.
constexpr size_t MAXSCRIPTBYTES = 64u << 20;
constexpr size_t MAXSCRIPTLINE = 4096;
// Reads the script file. A file that cannot be read (or is no regular file,
// or is too large) or a malformed line gives false with ERR naming the file
// and line.
bool LOADINPUTSCRIPT(const std::string& path, std::string& err);
// The same for script text already in memory; NAME is used in messages.
bool PARSEINPUTSCRIPT(const std::string& text, const std::string& name, std::string& err);
// Forgets the script and every scripted device state.
void CLEARINPUTSCRIPT();
// True while scripted events remain to be delivered.
bool INPUTSCRIPTPENDING();

// Called by the event pump once per call: advances the frame-relative clock
// that stamps recorded events and decides when scripted ones are due.
void INPUTCLOCKSTEP();
// The next scripted event when it is due (one per call, in file order).
bool NEXTSCRIPTEDEVENT(BACKENDEVENT& ev);
// A wait for a key that pushes no frames would never reach the next scripted
// frame: make the next scripted event due at once when it belongs to a later
// frame (one of the current frame comes due as the clock runs on).
void SCRIPTSKIPAHEAD();

// Appends an event taken from the back-end to the recording (--record).
void RECORDEVENT(const BACKENDEVENT& ev);
// Writes out and closes the recording; a run without events still leaves a
// recording file. Called once at shut-down.
void CLOSERECORDING();

// The pointer and the controller as the game sees them: the script's state
// once it has set one, the back-end's otherwise (and then recorded).
void READMOUSE(int32_t& x, int32_t& y, int32_t& buttons);
void MOVEMOUSE(int32_t x, int32_t y);
bool READJOYSTICK(int32_t& x, int32_t& y, bool& button1, bool& button2);
