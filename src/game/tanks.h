// Tanks: 3 x 3 vehicles stamped into the map grid. A tank covers columns
// TANKX..TANKX+2 and rows TANKY-2..TANKY; its centre is (TANKX+1, TANKY-1).
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

constexpr int MAX_TANKS = 25;
extern BYTE NUMBEROFTANKS;
extern BYTE TANKX[MAX_TANKS + 1], TANKY[MAX_TANKS + 1];
extern BYTE TANKX_[MAX_TANKS + 1], TANKY_[MAX_TANKS + 1];
extern BYTE TURRET[MAX_TANKS + 1];  // direction 1..8
extern BYTE RELOAD[MAX_TANKS + 1], RELOAD2[MAX_TANKS + 1];
extern BYTE TANKHEALTH[MAX_TANKS + 1];
extern BYTE TANKFIRST[MAX_TANKS + 1];  // driving player, 0 = nobody
extern BYTE INTANK[3];                 // per player: tank sat in, 0 = on foot
extern BYTE PERMISSION[3];             // per player: others may join the tank when 1

// Turret directions 1..8: offsets and glyphs.
extern const int32_t TURRX[9], TURRY[9];
extern std::string TSHAPES;  // "/|\-/|\-"

// Appends a tank with left edge X and bottom row Y and stamps it; ignored when
// MAX_TANKS exist.
void ADDTANK(BYTE x, BYTE y);
// The highest-numbered tank covering (X, Y); 0 when none.
BYTE WHATTANK(int32_t x, int32_t y);
// Stamps tank Z into MAP and MFATTR.
void DRAWTANK(BYTE z);
// Writes spaces with attribute 8 over the 3 x 3 block whose bottom-left is (X, Y).
void ERASETANK(BYTE x, BYTE y);
// Destroys tank Z: the players inside get out, the tank is erased with a
// blast at its centre, later tanks move down one slot (and the players
// sitting in them with them).
void PURGETANK(BYTE z);
