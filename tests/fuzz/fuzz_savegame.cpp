// Save games: each input is loaded as the load menu loads a slot's file, from
// inside the engine (the level is rebuilt from its map file, then the file is
// laid over it). A file the reader accepts is then played for a few frames.
// With ASHEN_FUZZ_SEED=FILE the program writes a save of level 100 there
// (a monster hunting, shots in flight, a tank) and leaves: the seed corpus.
#include <cstdio>
#include <fstream>

#include "fuzzfile.h"
#include "fuzzlevel.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "world/savegame.h"

namespace {
std::string INPUTPATH;

void loadInput() { READSAVEGAME(INPUTPATH); }

// Something of everything the layout stores, so mutations start from full tables.
void busyLevel() {
  PLAYERHEALTH[1] = 73;
  NUMBEROFMONSTERS = 2;
  for (int m = 1; m <= 2; m++) {
    MONSTERX[m] = static_cast<BYTE>(PLAYERX[1] + 3 + m);
    MONSTERY[m] = PLAYERY[1];
    MONSTERTYPE[m] = static_cast<BYTE>(m);
    MONSTERENERGY[m] = 400;
    SAW[m] = 1;
  }
  ADDROCKET(PLAYERX[1] + 1, PLAYERY[1], 1, 0);
  ADDPLASMA(PLAYERX[1], PLAYERY[1] + 1, 0, 1);
  ADDFLAME(PLAYERX[1] - 1, PLAYERY[1], -1, 0, 20);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FUZZGAMESETUP();
  INITMAP(FUZZLEVEL);
  if (const char* seed = std::getenv("ASHEN_FUZZ_SEED")) {
    if (std::getenv("ASHEN_FUZZ_BUSY")) busyLevel();
    std::ofstream(seed, std::ios::binary) << SAVEGAMEBYTES(std::getenv("ASHEN_FUZZ_BUSY") ? "busy" : "quiet");
    std::exit(0);
  }
  LOADSAVEDGAME = loadInput;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  INPUTPATH = FUZZFILE(data, size, ".gam");
  GAMELOADED = false;
  FUZZPLAY(6, true);
  return 0;
}
