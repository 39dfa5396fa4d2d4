// The heads-up display around the view: help bar, weapon list with
// ammunition and keys, door keys, the hero-thought box, health and armour;
// the status texts written into the in-game text screen; and the full-screen
// help page.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

// The lines of the help page with their colours, in order.
constexpr int HELPLINES = 22;
extern const std::string HELPTEXT[HELPLINES + 1];
extern const BYTE HELPCOLOR[HELPLINES + 1];

// The help bar: the bound keys of help, save, load, zoom and automap with
// their labels, joined by "|".
std::string HELPBARTEXT();
// Draws the help bar (not while an objective is shown).
void DRAWHELPBAR();
// Draws the weapon list of player PN (my player only).
void REDRAWWEAPONS(BYTE pn);
// Tank health, door keys, the hero-thought box with its pause timing, health
// and armour of player PN (my player only).
void DISPLAYINVENTORY(BYTE pn);
// The four item slots (the chosen one bracketed), lumber, scrap and boot
// time of player PN (part of DISPLAYINVENTORY).
void DRAWINVENTORYSLOTS(BYTE pn);
// The hero-thought box timing of one frame (part of DISPLAYINVENTORY).
void ADVANCEHEROTIMER();
// Prepares the in-game text screen at level start.
void DBUGMODE();
// Key markers of my player on the text screen.
void REDRAWKEYS(BYTE pn, BYTE scr);
// Deathmatch death counts on the text screen.
void DISPLAYFRAGS();
// The frag counts drawn over the frame (the frame clears the text screen).
void DRAWFRAGS();
// The "   Comm unit   " caption, bright while the timed-message file is open.
void DRAWCOMMSTATUS();
extern bool COMMACTIVE;
// Called by other rules; they draw nothing.
void REDRAWBOOTTIME(BYTE pn, BYTE scr);
void DISPLAYAMMOSTATUS(BYTE pn, BYTE scr);
// The full-screen help page, shown until Escape (one player only). The
// engine's help key reaches it through HELP (game/playerstate.h).
void SHOWHELPPAGE();
// Park the text cursor in a one-cell window at the screen's right edge.
void HIDECURSOR();
void HIDECURSOR2(BYTE color);
