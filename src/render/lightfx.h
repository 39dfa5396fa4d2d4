// Light stamps of the dynamic layer: shots, flames, plasma, burning trees,
// damaged barrels and explosions light the cells around a centre for the
// current tick. Centres are world coordinates; every stamp visits the square
// X +- LRADIUS, Y +- LRADIUS and acts on the cells within distance LRADIUS
// that its sight test reaches.
#pragma once
#include <cstdint>

#include "base/common.h"

// Brightened colours (or, with SUBDUED_VISUALS, only a brightness boost).
void CHECKLIGHT(int32_t x, int32_t y, int32_t lradius);
// Yellow light (monster chain guns); subdued: brightness boost.
void CHECKLIGHT5(int32_t x, int32_t y, int32_t lradius);
// Light of colour COLOR (coloured shots).
void CHECKLIGHT9(int32_t x, int32_t y, int32_t lradius, BYTE color);
// Light of colour COLOR while the centre cell is not blank (burning trees, weak rock).
void CHECKLIGHTPLASMA(int32_t x, int32_t y, int32_t lradius, BYTE color);
// Yellow tint without touching brightness (damaged barrels).
void CHECKLIGHT10(int32_t x, int32_t y, int32_t lradius);
// White light (explosions, classic look).
void CHECKLIGHT11(int32_t x, int32_t y, int32_t lradius);
// Explosion glow tile in overlay layer 2 for 3 ticks (modern look).
void CHECKLIGHT11_MODERN(int32_t x, int32_t y, int32_t lradius);
// Explosion blast, classic look: green tint (colour 10 beyond radius 3,
// else 2) and the blast push.
void CHECKLIGHT2(int32_t x, int32_t y, int32_t lradius);
// Explosion blast, modern look: blast glow tile in overlay layer 2 for 3
// ticks and the blast push.
void CHECKLIGHT2_MODERN(int32_t x, int32_t y, int32_t lradius);

// Blast push at cell (ZX, ZY) of a blast centred on (X, Y): a monster there
// loses 20 energy and dies or is pushed one cell away from the centre; a
// player there takes 10 damage and is pushed likewise. Pushes only go onto
// blank cells.
void BLASTPUSH(int32_t x, int32_t y, int32_t zx, int32_t zy);
