// The goal check: portals, the game-over marker, the health limits, deaths
// with their messages, blood, sounds and frags, the respawn request, hurt
// sounds; the per-tick effects; the level change after a portal.
#include <map>
#include <set>

#include "display/textscreen.h"
#include "game/gatesfixture.h"
#include "game/pickups.h"
#include "levelfixture.h"

namespace {
using namespace gatestest;

class GOALS : public GATEFIELD {
 protected:
  static void PORTAL(BYTE x, BYTE y, BYTE level) {
    const int i = ++NUMPORTALS;
    PORTALX[i] = x, PORTALY[i] = y, PORTALLEVEL[i] = level, PORTALTYPE[i] = 1;
  }
  // The number 1..20 of NAME's death message in the log; 0 if none.
  static int DEATHTOLD(const std::string& name) {
    for (int k = 1; k <= 20; k++)
      if (TOLD(name + " fell " + std::to_string(k) + ".")) return k;
    return 0;
  }
  // Player 2 stands at (45, 40) beside my player.
  static void PARTNER() {
    NUMBEROFPLAYERS = 2;
    PLACE(2, 45, 40);
  }
};

TEST_F(GOALS, APortalToAnotherLevelEndsTheLevel) {
  PORTAL(40, 40, 120);  // to the current level: passed over
  PORTAL(40, 40, 125);
  PORTAL(40, 40, 126);  // the first portal taken wins
  STEPPEDON[1] = 'V';
  OFFSETX[1] = 1;  // he came from the west
  for (int k = 0; k < 2; k++) {
    INTANK[1] = k == 0 ? 1 : 0;  // not while in a tank
    CHECKGOALS();
    EXPECT_EQ(VICTORY, k == 0 ? 0 : 1) << k;
  }
  EXPECT_EQ(NEXTMAP, 125);
  EXPECT_EQ(MAP[40][40], 'V') << "the cell gets back what lay under him";
  EXPECT_EQ(PLAYERX[1], 39);
  EXPECT_EQ(PLAYERX[2], 39) << "the other player waits on the same cell";
  EXPECT_EQ(PLAYERY[2], 40);
}

TEST_F(GOALS, TheLinkGameOverMarkerAndTheHealthLimits) {
  PLAYERHEALTH[1] = 255;
  CHECKGOALS();
  EXPECT_EQ(VICTORY, 2);
  struct CASE { double before, after; bool cheat; } cases[] = {
      {130, 100, false}, {-4, 0, false}, {55, 55, false}, {20, 100, true}};
  for (const CASE& c : cases) {
    PLAYERHEALTH[1] = c.before;
    DEAD[1] = true;  // no death handling here
    CHEAT = c.cheat;
    CHECKGOALS();
    EXPECT_EQ(PLAYERHEALTH[1], c.after) << c.before;
  }
  CHEAT = false;
}

TEST_F(GOALS, ADeathIsToldWithBloodSoundsAndBlinks) {
  PARTNER();
  STEPPEDON[2] = 'V';
  STEPPEDONC[2] = 6;
  PLAYERHEALTH[2] = 0;
  CHECKGOALS();
  EXPECT_TRUE(DEAD[2]);
  EXPECT_EQ(MAP[45][40], 'V');
  EXPECT_EQ(MFATTR[45][40], 6);
  EXPECT_NE(DEATHTOLD("Ada"), 0) << "my player hears of the other's death";
  EXPECT_TRUE(SOUNDREQUESTED(12, 12));
  EXPECT_TRUE(SOUNDREQUESTED(94, 94));
  std::map<std::pair<int, int>, int> dirs;
  for (const HOOKCALL& b : monstertest::BLOODCALLS())
    if (b.X == 45 && b.Y == 40 && b.C == 15) dirs[{b.A, b.B}]++;
  EXPECT_EQ(dirs, (std::map<std::pair<int, int>, int>{{{-1, 0}, 3}, {{1, 0}, 3}, {{0, -1}, 3}, {{0, 1}, 3}}));
  EXPECT_EQ(monstertest::BLOODCALLS().size(), 12u);
  std::set<std::pair<int, int>> blinks;
  for (const HOOKCALL& b : monstertest::BLINKCALLS()) blinks.insert({b.X, b.Y});
  EXPECT_EQ(blinks, (std::set<std::pair<int, int>>{{45, 40}, {44, 40}, {46, 40}, {45, 41}, {45, 39}}));
  EXPECT_EQ(DEATHS[2], 0) << "no frags outside deathmatch";
  CLEARPROJECTILES();
  CHECKGOALS();
  EXPECT_TRUE(monstertest::BLOODCALLS().empty()) << "a death is announced once";
}

TEST_F(GOALS, DeathMessagesAreDrawnFromAllTwenty) {
  std::set<int> seen;
  for (int n = 0; n < 200; n++) {
    SetUp();
    RANDSEED(static_cast<uint32_t>(n + 1));
    PARTNER();
    PLAYERHEALTH[2] = 0;
    CHECKGOALS();
    seen.insert(DEATHTOLD("Ada"));
  }
  EXPECT_EQ(seen.size(), 20u);
  EXPECT_FALSE(seen.count(0));
}

TEST_F(GOALS, DeathmatchFragsAndTheRespawnReset) {
  CURRENTMAP = 50;
  PARTNER();
  STEPPEDON[2] = 'H';
  PLAYERHEALTH[2] = 0;
  CHECKGOALS();
  EXPECT_EQ(MAP[45][40], ' ') << "the health pickup respawns from its list";
  EXPECT_EQ(DEATHS[2], 1) << "Ada's death is Rex's frag";
  EXPECT_EQ(DEATHS[1], 0);
  // Ada asks to come back holding a chaingun and armour.
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
  EXPECT_EQ(STEPPEDON[2], ' ');
  EXPECT_EQ(MAP[45][40], '4') << "the weapon in hand drops in deathmatch";
  EXPECT_EQ(MFATTR[45][40], 14);
  // In the campaign nothing drops and the map's pickups are his again.
  CURRENTMAP = 120;
  NUMBEROFWEAPONS = 2;
  WEAPONCOUNTER[1] = 1;
  WEAPONCOUNTER[2] = 3;
  CHOSENWEAPON[1] = 2;
  DIEPLAYER(1);
  EXPECT_EQ(WEAPONCOUNTER[1], 0);
  EXPECT_EQ(WEAPONCOUNTER[2], 2);
  EXPECT_EQ(MAP[40][40], 'P');
}

TEST_F(GOALS, LostHealthIsHeardAndResourcesAreKept) {
  PLAYERHEALTH[1] = 80;
  CHECKGOALS();
  EXPECT_TRUE(SOUNDREQUESTED(8, 8) || SOUNDREQUESTED(9, 8));
  CLEARSOUNDREQUESTS();
  CHECKGOALS();
  PLAYERHEALTH[1] = 90;  // healing is silent
  CHECKGOALS();
  EXPECT_FALSE(SOUNDREQUESTED(8) || SOUNDREQUESTED(9));
  // The per-tick effects leave what the players gathered alone, also in a
  // level started from the command line.
  LAUNCHED_FROM_MD = true;
  PLAYERRES[1] = RES{3, 180};
  PLAYERRES[2] = RES{0, 7};
  VARIOUSEFFECTS(1, 1);
  LAUNCHED_FROM_MD = false;
  EXPECT_EQ(PLAYERRES[1].LUMBER, 3);
  EXPECT_EQ(PLAYERRES[1].SCRAP, 180);
  EXPECT_EQ(PLAYERRES[2].SCRAP, 7);
}

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
