// The quick save and quick load keys in play: a level in the middle of a
// fight (a tank driven and hit, a rocket in flight, monsters hunting) is
// saved with F5 through the save menu, played on, and loaded back with F9
// through the load menu. The state right after the load must equal the state
// right after the save, field for field, for everything a save keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/harness.h"
#include "base/paths.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/inputscript.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/statedump.h"
#include "test_util.h"
#include "ui/keyconfig.h"
#include "ui/savemenu.h"
#include "world/savegame.h"

namespace {
namespace fs = std::filesystem;
using leveltest::LEVELFIXTURE;

// The dump without what a save does not keep: frame counters, the view, sound,
// last frame's effects and monster step, the blood and shell particles, the
// monsters' hurt flash and the player's animation colour and step count.
nlohmann::json STOREDPART(const nlohmann::json& dump) {
  nlohmann::json j = dump;
  for (const char* k : {"frames", "counters", "audio", "effects", "objective", "victory", "nextmap", "mnoticed"})
    j.erase(k);
  j["view"] = j["view"]["pausestate"];
  j["projectiles"].erase("bloods");
  j["projectiles"].erase("shells");
  for (auto& m : j["monsters"]["list"]) m.erase("hurt");
  for (auto& p : j["players"]) {
    p.erase("color");
    p.erase("steps");
  }
  return j;
}

nlohmann::json ATSAVE, BEFORELOAD, ATLOAD;
int SAVES = 0, LOADS = 0;
void SAVEANDLOOK(bool autosave) {
  SAVEGAMEMENU(autosave);
  ATSAVE = STOREDPART(PARSEDUMP(STATEDUMPJSON()));
  SAVES++;
}
void LOADANDLOOK() {
  BEFORELOAD = STOREDPART(PARSEDUMP(STATEDUMPJSON()));
  LOADGAMEMENU();
  ATLOAD = STOREDPART(PARSEDUMP(STATEDUMPJSON()));
  LOADS++;
}

// Rows count from the bottom. The player at (3, 5) walks east over a rocket
// launcher into the tank (columns 6..8, rows 4..6), drives it to the rock at
// column 13; three monsters wait to the east behind an open gap, one of them
// near enough to notice at once.
const char* const YARD =
    "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR\n"
    "R                   N                       R\n"
    "R                                           R\n"
    "R           R                               R\n"
    "R P5 !                 M       M     M      R\n"
    "R           R                               R\n"
    "R               N                           R\n"
    "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR\n"
    ":Busy yard\n";

class QUICKSAVETEST : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    // A data folder of the repository's data with the yard as level 120.
    const fs::path data = MAKERUNDATA(DIR.string());
    std::ofstream(data / "CAMPAIGN/main/MAPS/Map120.txt", std::ios::binary) << YARD;
    fs::current_path(data);
    HARNESS.USERDIR = (DIR / "user").string();
    fs::create_directories(HARNESS.USERDIR);
    STYLE(1);
    GAME = "main";
    LINKACTIVE = false;
    LAUNCHED_FROM_MD = true;
    LOADINGGAME = GAMELOADED = false;
    VICTORY = 0;
    RESETKEYCONFIG(1);
    for (auto& k : KEYSTATUS) k.PRESSED = false;
    GLOBALINIT();
    CURRENTMAP = 120;
    GAMEDIFFICULTY = 1;
    INITMAP(CURRENTMAP);
    SAVEGAME = SAVEANDLOOK;
    LOADSAVEDGAME = LOADANDLOOK;
    SAVES = LOADS = 0;
  }
  void TearDown() override {
    SAVEGAME = SAVEGAMEMENU;
    LOADSAVEDGAME = LOADGAMEMENU;
    LAUNCHED_FROM_MD = false;
    CLEARINPUTSCRIPT();
    LEVELFIXTURE::TearDown();
  }
  void PLAY(const std::string& script, int64_t frames) {
    std::string err;
    ASSERT_TRUE(PARSEINPUTSCRIPT(script, "quicksave", err)) << err;
    HARNESS.FRAMES = frames;
    try {
      ENGINETEST();
    } catch (const HARNESSEXIT&) {
    }
    HARNESS.FRAMES = -1;
  }
};

TEST_F(QUICKSAVETEST, ABusyLevelComesBackFromF9AsF5SavedIt) {
  PLAY(
      // Into the tank and up to the rock, two shells east.
      "3 down d\n40 up d\n"
      "44 down right\n46 up right\n60 down right\n62 up right\n"
      // Out of the tank, the rocket launcher in hand, rockets east.
      "70 down e\n72 up e\n76 down 5\n78 up 5\n"
      "82 down right\n84 up right\n88 down right\n90 up right\n"
      // Save: F5, slot 1, the name, Enter.
      "92 down F5\n93 up F5\n"
      "160 down return\n161 up return\n"
      "210 text busy\n"
      "240 down return\n241 up return\n"
      // Play on, then load slot 1.
      "270 down right\n272 up right\n"
      "300 down F9\n301 up F9\n"
      "370 down return\n371 up return\n",
      450);
  ASSERT_EQ(SAVES, 1);
  ASSERT_EQ(LOADS, 1);
  EXPECT_TRUE(fs::exists(SAVEGAMEPATH(1)));
  // The save caught the level in the middle of things: the tank driven to the
  // rock and hit, a rocket in flight, monsters hunting, one of them hurt.
  ASSERT_EQ(ATSAVE["tanks"].size(), 1u);
  EXPECT_EQ(ATSAVE["tanks"][0]["x"], 10);
  EXPECT_LT(ATSAVE["tanks"][0]["health"], 250);
  EXPECT_GE(ATSAVE["shots"]["rockets"].size(), 1u) << ATSAVE["shots"];
  int hunting = 0, hurt = 0;
  for (const auto& m : ATSAVE["monsters"]["list"]) {
    hunting += m["saw"] == 1;
    hurt += m["type"] == 2 && m["energy"] < 200;
  }
  EXPECT_GE(hunting, 2) << ATSAVE["monsters"];
  EXPECT_GE(hurt, 1) << ATSAVE["monsters"];
  EXPECT_NE(BEFORELOAD.dump(1), ATSAVE.dump(1)) << "the game moved on between save and load";
  EXPECT_EQ(ATLOAD.dump(1), ATSAVE.dump(1));
}

}  // namespace
