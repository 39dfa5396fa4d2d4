// Shared by the view and screen layout tests.
#pragma once
#include "base/settings.h"
#include "game/players.h"
#include "render/messages.h"
#include "render/view.h"
#include "shell/engine.h"

// One local player standing still at the level's start, no objective or
// automap in the way: the state every view test draws from.
inline void STILLVIEWER() {
  MYNUMBER = 1;
  NUMBEROFPLAYERS = 1;
  PLAYERX_[1] = PLAYERX[1];
  PLAYERY_[1] = PLAYERY[1];
  INPUTCOUNTER = 1;
  CURRENTOBJECTIVETIMER = 0;
  DRAW_MAP = false;
}
