#include "game/players.h"

BYTE PLAYERX[3] = {0, 1, 1}, PLAYERY[3] = {0, 1, 1};
BYTE PLAYERX_[3] = {0, 1, 1}, PLAYERY_[3] = {0, 1, 1};
BYTE PLAYERSTARTX[3] = {0, 1, 1}, PLAYERSTARTY[3] = {0, 1, 1};
bool KEYS[3][11];
