// Level state files: level 100 is set up afresh, the input is laid over it as
// the stored state of that level, and a state the reader accepts is played
// for a few frames. With ASHEN_FUZZ_SEED=FILE the program writes the state of
// level 100 with shots in flight and a hunting monster there and leaves.
#include <filesystem>
#include <fstream>

#include "fuzzfile.h"
#include "fuzzlevel.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/projectiles.h"
#include "world/levelstate.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FUZZGAMESETUP();
  INITMAP(FUZZLEVEL);
  if (const char* seed = std::getenv("ASHEN_FUZZ_SEED")) {
    NUMBEROFMONSTERS = 1;
    MONSTERX[1] = static_cast<BYTE>(PLAYERX[1] + 4);
    MONSTERY[1] = PLAYERY[1];
    MONSTERTYPE[1] = 1;
    MONSTERENERGY[1] = 400;
    SAW[1] = 1;
    ADDROCKET(PLAYERX[1] + 1, PLAYERY[1], 1, 0);
    ADDPLASMA(PLAYERX[1], PLAYERY[1] + 1, 0, 1);
    std::ofstream(seed, std::ios::binary) << LEVELSTATEBYTES();
    std::exit(0);
  }
  std::filesystem::create_directories(std::filesystem::path(LEVELSTATEPATH(FUZZLEVEL)).parent_path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZFILE(data, size);  // quiets the game's messages on first use
  {
    std::ofstream out(LEVELSTATEPATH(FUZZLEVEL), std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  INITMAP(FUZZLEVEL);
  if (LOADMAPINFO(FUZZLEVEL)) FUZZPLAY(6, false);
  return 0;
}
