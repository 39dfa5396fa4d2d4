// The goal check: portals, the game-over marker, deaths with their messages,
// blood, sounds and frags, the respawn request, hurt sounds and the health
// limits; the reset of a returning player; the level change after a portal.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "display/textscreen.h"
#include "game/goals.h"
#include "game/pickups.h"
#include "game/monsterfixture.h"
#include "levelfixture.h"
#include "render/messages.h"
#include "sound/sound.h"
#include "world/mapscript.h"

namespace {
using namespace monstertest;

std::string LOGTEXT() {
  std::string all;
  for (int i = 1; i <= TXT_NUMLINES; i++) {
    const std::string line = TRIMSPACES(TXTLINE[i]);
    if (!line.empty()) all += (all.empty() ? "" : " ") + line;
  }
  return all;
}

class GOALS : public MONSTERFIELD {
 protected:
  void SetUp() override {
    MONSTERFIELD::SetUp();
    CURRENTMAP = 120;
    VICTORY = 0;
    NEXTMAP = 0;
    NUMPORTALS = 0;
    CHEAT = false;
    for (BYTE p = 1; p <= 2; p++) {
      LASTHEALTH[p] = 100;
      DEATHS[p] = 0;
      STEPPEDON[p] = ' ';
      STEPPEDONC[p] = 8;
      OFFSETX[p] = OFFSETY[p] = 0;
    }
    PLAYERNAME[1] = "Rex";
    PLAYERNAME[2] = "Ada";
    // Death messages of the test's own, so each one can be told apart.
    for (int k = 1; k <= 20; k++) DDESK[k] = "% fell " + std::to_string(k) + ".";
    CLEARSOUNDREQUESTS();
  }
  static void PORTAL(BYTE x, BYTE y, BYTE level) {
    const int i = ++NUMPORTALS;
    PORTALX[i] = x;
    PORTALY[i] = y;
    PORTALLEVEL[i] = level;
    PORTALTYPE[i] = 1;
  }
  // The death message told in the log, as its number 1..20; 0 if none.
  static int DEATHTOLD(const std::string& name) {
    for (int k = 1; k <= 20; k++)
      if (LOGTEXT().find(name + " fell " + std::to_string(k) + ".") != std::string::npos) return k;
    return 0;
  }
};

TEST_F(GOALS, APortalToAnotherLevelEndsTheLevel) {
  PORTAL(41, 40, 120);  // to the current level: nothing
  PORTAL(40, 40, 125);
  PORTAL(40, 40, 126);  // the first portal taken wins
  STEPPEDON[1] = 'V';
  STEPPEDONC[1] = 6;
  OFFSETX[1] = 1;  // he came from the west
  CHECKGOALS();
  EXPECT_EQ(VICTORY, 1);
  EXPECT_EQ(NEXTMAP, 125);
  EXPECT_EQ(MAP[40][40], 'V') << "the cell gets back what lay under him";
  EXPECT_EQ(PLAYERX[1], 39);
  EXPECT_EQ(PLAYERX[2], 39) << "the other player waits on the same cell";
  EXPECT_EQ(PLAYERY[2], 40);
}

TEST_F(GOALS, PortalsThatDoNothing) {
  for (int k = 0; k < 3; k++) {
    SetUp();
    PORTAL(40, 40, k == 0 ? 120 : 121);
    if (k == 1) INTANK[1] = 1;           // a player in a tank
    if (k == 2) PLACE(1, 40, 41);        // beside the portal
    CHECKGOALS();
    EXPECT_EQ(VICTORY, 0) << k;
    INTANK[1] = 0;
  }
}

TEST_F(GOALS, TheLinkGameOverMarkerAndTheHealthLimits) {
  PLAYERHEALTH[1] = 255;
  CHECKGOALS();
  EXPECT_EQ(VICTORY, 2);
  VICTORY = 0;
  struct CASE { double before, after; bool cheat; } cases[] = {
      {130, 100, false}, {-4, 0, false}, {55, 55, false}, {20, 100, true}};
  for (const CASE& c : cases) {
    PLAYERHEALTH[1] = c.before;
    LASTHEALTH[1] = c.before;
    DEAD[1] = true;  // no death handling here
    CHEAT = c.cheat;
    CHECKGOALS();
    EXPECT_EQ(PLAYERHEALTH[1], c.after) << c.before;
  }
  CHEAT = false;
}

TEST_F(GOALS, ADeathIsToldWithBloodSoundsAndBlinks) {
  // Player 2 dies beside my player, who is told; the log stays silent for
  // a player who is dead himself.
  NUMBEROFPLAYERS = 2;
  PLACE(2, 45, 40);
  STEPPEDON[2] = 'V';
  STEPPEDONC[2] = 6;
  PLAYERHEALTH[2] = 0;
  CHECKGOALS();
  EXPECT_TRUE(DEAD[2]);
  EXPECT_EQ(MAP[45][40], 'V');
  EXPECT_EQ(MFATTR[45][40], 6);
  EXPECT_NE(DEATHTOLD("Ada"), 0) << LOGTEXT();
  EXPECT_TRUE(SOUNDREQUESTED(12, 12));
  EXPECT_TRUE(SOUNDREQUESTED(94, 94));
  ASSERT_EQ(monstertest::BLOODS.size(), 12u);
  std::map<std::pair<int, int>, int> dirs;
  for (const HOOKCALL& b : monstertest::BLOODS) {
    EXPECT_EQ(b.X, 45);
    EXPECT_EQ(b.Y, 40);
    EXPECT_EQ(b.C, 15) << "life";
    dirs[{b.A, b.B}]++;
  }
  EXPECT_EQ(dirs, (std::map<std::pair<int, int>, int>{{{-1, 0}, 3}, {{1, 0}, 3}, {{0, -1}, 3}, {{0, 1}, 3}}));
  std::set<std::pair<int, int>> blinks;
  for (const HOOKCALL& b : monstertest::BLINKS) blinks.insert({b.X, b.Y});
  EXPECT_EQ(blinks, (std::set<std::pair<int, int>>{{45, 40}, {44, 40}, {46, 40}, {45, 41}, {45, 39}}));
  EXPECT_EQ(DEATHS[2], 0) << "no frags outside deathmatch";
  // Only once.
  monstertest::BLOODS.clear();
  CHECKGOALS();
  EXPECT_TRUE(monstertest::BLOODS.empty());
  // My own death: the cell is cleared and the sounds play.
  CLEARSOUNDREQUESTS();
  PLAYERHEALTH[1] = 0;
  CHECKGOALS();
  EXPECT_TRUE(DEAD[1]);
  EXPECT_EQ(MAP[40][40], ' ');
  EXPECT_TRUE(SOUNDREQUESTED(93, 93));
}

TEST_F(GOALS, DeathMessagesAreDrawnFromAllTwenty) {
  std::set<int> seen;
  for (int n = 0; n < 200; n++) {
    SetUp();
    RANDSEED(static_cast<uint32_t>(n + 1));
    NUMBEROFPLAYERS = 2;
    PLACE(2, 45, 40);
    PLAYERHEALTH[2] = 0;
    CHECKGOALS();
    seen.insert(DEATHTOLD("Ada"));
  }
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_FALSE(seen.count(0));
}

TEST_F(GOALS, DeathmatchCountsFragsAndDropsWhatLayUnderThePlayer) {
  CURRENTMAP = 50;
  NUMBEROFPLAYERS = 2;
  PLACE(2, 45, 40);
  STEPPEDON[2] = 'H';
  STEPPEDONC[2] = 7;
  PLAYERHEALTH[2] = 0;
  CHECKGOALS();
  EXPECT_TRUE(DEAD[2]);
  EXPECT_EQ(MAP[45][40], ' ') << "the health pickup respawns from its list";
  EXPECT_EQ(DEATHS[2], 1) << "Ada's death is Rex's frag";
  EXPECT_EQ(DEATHS[1], 0);
  EXPECT_TRUE(SOUNDREQUESTED(94, 94));
  EXPECT_NE(DEATHTOLD("Ada"), 0) << "my player hears of the other's death";
}

TEST_F(GOALS, TheRespawnRequestResetsThePlayer) {
  CURRENTMAP = 50;
  NUMBEROFPLAYERS = 2;
  PLACE(2, 45, 40);
  MAP[45][40] = ' ';
  DEAD[2] = true;
  PLAYERHEALTH[2] = 254;
  ARMOR[2] = 80;
  WEAPONPRESENT[2][4] = true;
  WEAPONAMMO[2][4] = 50;
  CHOSENWEAPON[2] = 4;
  STEPPEDON[2] = 'Y';
  CHECKGOALS();
  EXPECT_FALSE(DEAD[2]);
  EXPECT_EQ(PLAYERHEALTH[2], 100.0);
  EXPECT_EQ(ARMOR[2], 0.0);
  EXPECT_FALSE(WEAPONPRESENT[2][4]);
  EXPECT_EQ(WEAPONAMMO[2][4], 0);
  EXPECT_EQ(CHOSENWEAPON[2], 0);
  EXPECT_EQ(STEPPEDON[2], ' ');
  EXPECT_EQ(MAP[45][40], '4') << "the chaingun in hand drops in deathmatch";
  EXPECT_EQ(MFATTR[45][40], 14);
}

TEST_F(GOALS, OutsideDeathmatchAReturningPlayerMayTakeThePickupsAgain) {
  NUMBEROFWEAPONS = 2;
  WEAPONCOUNTER[1] = 1;
  WEAPONCOUNTER[2] = 3;
  CHOSENWEAPON[1] = 2;
  DIEPLAYER(1);
  EXPECT_EQ(WEAPONCOUNTER[1], 0);
  EXPECT_EQ(WEAPONCOUNTER[2], 2);
  EXPECT_EQ(MAP[40][40], 'P') << "no weapon is dropped in the campaign";
}

TEST_F(GOALS, LostHealthIsHeard) {
  PLAYERHEALTH[1] = 80;
  CHECKGOALS();
  EXPECT_TRUE(SOUNDREQUESTED(8, 8) || SOUNDREQUESTED(9, 8));
  EXPECT_EQ(LASTHEALTH[1], 80);
  CLEARSOUNDREQUESTS();
  CHECKGOALS();
  EXPECT_FALSE(SOUNDREQUESTED(8) || SOUNDREQUESTED(9)) << "no loss, no sound";
  PLAYERHEALTH[1] = 90;  // healing is silent too
  CHECKGOALS();
  EXPECT_FALSE(SOUNDREQUESTED(8) || SOUNDREQUESTED(9));
}

// ---------------------------------------------------------------- level change

class LEVELCHANGE : public leveltest::LEVELFIXTURE {};

TEST_F(LEVELCHANGE, YouWinShowsLoadingAndMakesTheNextLevelCurrent) {
  STYLE(1);
  CURRENTMAP = 120;
  NEXTMAP = 121;
  YOUWIN();
  EXPECT_EQ(CURRENTMAP, 121);
  std::string screen;
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 80; x++) screen += static_cast<char>(EKRAN[y][x].SYMBOL);
  EXPECT_NE(screen.find("LOADING..."), std::string::npos);
}

}  // namespace
