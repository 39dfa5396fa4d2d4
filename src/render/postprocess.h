// The per-tick lighting of every map cell: the brightness helpers that every
// light source uses, and the static layer rebuilt from the map lights at the
// start of each tick. Coordinates of the helpers address the light grids and
// the brightness fields of MAPPP, so their row is counted from the top of the
// level (world row y is row MAPSIZEY + 1 - y).
#pragma once
#include <cstdint>

// Converts world row Y of column X to the light-grid row RY. False (RY
// untouched) when the cell lies outside the grid or above the level's rows,
// where no light row exists.
bool LIGHTROW(int32_t x, int32_t y, int32_t& ry);

// LIGHT = 0: no coloured light and full darkness; otherwise MLIGHT := LIGHT
// and the cell back at its natural brightness.
void SETCELLLIGHTING(int32_t xx, int32_t yy, int32_t light);
// BRIGHTNESS := min(BRIGHTNESS + BDELTA, INITIALBRIGHTNESS), never below 0.
void BOOSTCELLBRIGHTNESS(int32_t x, int32_t y, int32_t bdelta);
// BRIGHTNESS := 100.
void RESTORECELLBRIGHTNESS(int32_t x, int32_t y);

// Static layer, once per tick: copies the light tags of OOGA into MLIGHT,
// advances the colour patterns, turns every tag into its light's colour,
// requests the ambient sound of the light under my player, and sets every
// cell's brightness from its colour (colour 0 = dark).
void MANAGELIGHTNING();

// The light grid a frame's stamps start from. The static layer, scripts,
// lamps and torches rebuild MLIGHT and BRIGHTNESS on input-cycle frames;
// SAVELIGHTBASE keeps that result and RESTORELIGHTBASE puts it back at the
// start of the frames in between, so that every light stamp of a frame lands
// on the rebuilt grid and not on the previous frame's stamps.
void SAVELIGHTBASE();
void RESTORELIGHTBASE();
// Lights the level as the next tick will (static layer, lamps, torches),
// without advancing the patterns, requesting sounds, flickering or drawing a
// random number: run before a level's first frame, so a dark level is never
// shown unlit.
void LIGHTLEVELNOW();
