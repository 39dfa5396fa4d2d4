// The player's step and the walk rule: re-stamping, what stays under the
// player, every kind of pickup under the campaign and the respawn rules, the
// armour rule, tanks and the respawn of taken items.
#include <gtest/gtest.h>

#include "display/renderer.h"
#include "game/items.h"
#include "game/pickups.h"
#include "game/player.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "sound/sound.h"
#include "world/grid.h"

namespace {

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int x = 0; x <= MAX_MAPWIDTH; x++)
      for (int y = 0; y <= MAX_MAPHEIGHT; y++) {
        MAP[x][y] = ' ';
        MFATTR[x][y] = 8;
        MDAMAGE[x][y] = 0;
        MLIGHT[x][y] = 128;
      }
    MAPSIZEX = 160;
    MAPSIZEY = 100;
    CURRENTMAP = 100;
    NUMBEROFPLAYERS = 1;
    MYNUMBER = 1;
    MODERN_VISUALS = 0;
    LINKACTIVE = false;
    NUMBEROFWEAPONS = 0;
    NUMBEROFTANKS = 0;
    PERMISSION[1] = PERMISSION[2] = 1;
    for (int i = 0; i <= MAX_PICKUPS; i++) WEAPONCOUNTER[i] = 0;
    RESETPLAYERSFORMAP();
    for (BYTE p = 1; p <= 2; p++) {
      RESETWEAPONS(p);
      PLAYERHEALTH[p] = 100;
      ARMOR[p] = 0;
      BOOTTIME[p] = 0;
      INVENTORY[p] = "    ";
      CHOSENITEM[p] = 0;
      PLAYERRES[p] = RES{};
      USE[p] = LASTUSE[p] = false;
      for (int k = 0; k <= 10; k++) KEYS[p][k] = false;
    }
    PLACE(1, 10, 10);
    PLACE(2, 10, 14);
    CLEARMESSAGES();
    CLEARSOUNDREQUESTS();
  }

  static void PLACE(BYTE p, BYTE x, BYTE y) {
    PLAYERX[p] = PLAYERX_[p] = x;
    PLAYERY[p] = PLAYERY_[p] = y;
    if (p <= NUMBEROFPLAYERS) MAP[x][y] = 'P';
  }

  static void STEP(BYTE p, int32_t dx, int32_t dy) {
    OFFSETX[p] = dx;
    OFFSETY[p] = dy;
    MOVEPLAYER(p);
    OFFSETX[p] = OFFSETY[p] = 0;
  }

  static void PUT(BYTE x, BYTE y, unsigned char c, BYTE attr = 14) {
    MAP[x][y] = c;
    MFATTR[x][y] = attr;
  }

  static bool LOGHAS(const std::string& text) {
    for (int i = 1; i <= TXT_NUMLINES; i++)
      if (TRIMSPACES(TXTLINE[i]) == text) return true;
    return false;
  }
};

TEST_F(PlayerTest, StepMovesAndRestoresTheCellLeft) {
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 11);
  EXPECT_EQ(PLAYERX_[1], 10);
  EXPECT_EQ(MAP[11][10], 'P');
  EXPECT_EQ(MAP[10][10], ' ');
  EXPECT_EQ(MFATTR[10][10], 8);
  STEP(1, 0, 1);  // +1 in y is up
  EXPECT_EQ(PLAYERY[1], 11);
}

TEST_F(PlayerTest, BlockedAtTheRightEdgeStillRestamps) {
  PLACE(1, 160, 50);
  MAP[160][50] = ' ';  // something wiped the glyph
  MLIGHT[160][MAPSIZEY + 1 - 50] = 12;
  PLAYERHEALTH[1] = 50;
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 160);
  EXPECT_EQ(MAP[160][50], 'P');
  EXPECT_EQ(PLAYERCOLOR[1], 12);
  EXPECT_EQ(MFATTR[160][50], 12);
  EXPECT_EQ(MLIGHT[160][MAPSIZEY + 1 - 50], 128);
}

TEST_F(PlayerTest, PlayerColourFollowsHealthAndModernLookUsesSeven) {
  PLAYERHEALTH[1] = 30;
  STEP(1, 0, 0);
  EXPECT_EQ(PLAYERCOLOR[1], 4);
  EXPECT_EQ(MFATTR[10][10], 4);
  MODERN_VISUALS = 1;
  PLAYERHEALTH[1] = 100;
  SIT[1] = true;
  STEP(1, 0, 0);
  SIT[1] = false;
  EXPECT_EQ(PLAYERCOLOR[1], ORIGINALPLAYERCOLOR[1]);
  EXPECT_EQ(MFATTR[10][10], 7);
  EXPECT_EQ(MAP[10][10], 'p');
}

TEST_F(PlayerTest, WallsAndUnknownGlyphsBlock) {
  PUT(11, 10, 'R', 7);
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 10);
  EXPECT_EQ(MAP[11][10], 'R');
  DEAD[1] = true;
  STEP(1, -1, 0);
  EXPECT_EQ(PLAYERX[1], 10);
}

TEST_F(PlayerTest, AmmunitionIsAddedToBothPoolsAnnouncedAndGone) {
  PUT(11, 10, 186);
  STEP(1, 1, 0);
  EXPECT_EQ(WEAPONAMMO[1][2], 10);
  EXPECT_EQ(WEAPONAMMO[1][3], 10);
  EXPECT_TRUE(LOGHAS("Picked up shotgun clip."));
  EXPECT_EQ(TXTLINECOLOR[TXT_NUMLINES], 7);
  EXPECT_TRUE(SOUNDREQUESTED(11, 255));
  STEP(1, 1, 0);
  EXPECT_EQ(MAP[11][10], ' ');  // ammunition is never remembered under the player

  CLEARSOUNDREQUESTS();
  PUT(13, 10, 158);
  STEP(1, 1, 0);
  EXPECT_EQ(WEAPONAMMO[1][2], 20);
  EXPECT_EQ(WEAPONAMMO[1][4], 50);
  EXPECT_EQ(WEAPONAMMO[1][9], 50);
  EXPECT_EQ(WEAPONAMMO[1][5], 3);
  EXPECT_EQ(WEAPONAMMO[1][6], 100);
  EXPECT_EQ(WEAPONAMMO[1][7], 40);
  EXPECT_EQ(WEAPONAMMO[1][8], 40);
  EXPECT_TRUE(SOUNDREQUESTED(11, 255) && SOUNDREQUESTED(11, 254) && SOUNDREQUESTED(11, 253));

  WEAPONAMMO[1][6] = 9990;
  PUT(14, 10, 157);
  STEP(1, 1, 0);
  EXPECT_EQ(WEAPONAMMO[1][6], MAXAMMO);
}

TEST_F(PlayerTest, KeysFlamesAndSewers) {
  PUT(11, 10, '%');
  MDAMAGE[11][10] = 3;
  STEP(1, 1, 0);
  EXPECT_TRUE(KEYS[1][3]);
  EXPECT_TRUE(SOUNDREQUESTED(91, 91));

  PUT(12, 10, 'o');
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 12);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 95);

  PUT(13, 10, 'V', 6);
  BOOTTIME[1] = 1;
  STEP(1, 1, 0);
  EXPECT_EQ(BOOTTIME[1], 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 95);
  STEP(1, -1, 0);
  EXPECT_EQ(MAP[13][10], 'V');  // the sewer stays under a single player
  STEP(1, 1, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 90);
}

TEST_F(PlayerTest, BootItemIsAWallAtBootTime205) {
  PUT(11, 10, 'K');
  BOOTTIME[1] = 205;
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 10);
  EXPECT_EQ(BOOTTIME[1], 205);
  BOOTTIME[1] = 204;
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 11);
  EXPECT_EQ(BOOTTIME[1], 229);
}

TEST_F(PlayerTest, CampaignHealthAtFullStaysUnderThePlayer) {
  PUT(11, 10, 'H', 9);
  ADDPICKUP(11, 10, 'H');
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 11);
  EXPECT_EQ(STEPPEDON[1], 'H');
  STEP(1, 1, 0);
  EXPECT_EQ(MAP[11][10], 'H');
  EXPECT_EQ(MFATTR[11][10], 9);
  EXPECT_EQ(WEAPONCOUNTER[1], 0);

  PLAYERHEALTH[1] = 50;
  STEP(1, -1, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);
  EXPECT_EQ(WEAPONCOUNTER[1], 1);
  EXPECT_TRUE(LOGHAS("You feel better."));
  EXPECT_TRUE(SOUNDREQUESTED(10, 10));
  STEP(1, -1, 0);
  EXPECT_EQ(MAP[11][10], ' ');  // a single player's health is gone once taken

  PLAYERHEALTH[1] = 90;
  PUT(9, 10, 'H');
  STEP(1, 0, 0);
  STEP(1, -1, 0);
  STEP(1, -1, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 100);  // capped
}

TEST_F(PlayerTest, CampaignArmourTakenOnceAndRedArmourIs200) {
  PUT(11, 10, 'Y', 12);
  ADDPICKUP(11, 10, '.');
  PLAYERHEALTH[1] = 100;
  STEP(1, 1, 0);
  EXPECT_DOUBLE_EQ(ARMOR[1], 200);
  EXPECT_TRUE(LOGHAS("Picked up standard armor."));
  EXPECT_TRUE(SOUNDREQUESTED(92, 92));
  EXPECT_EQ(WEAPONCOUNTER[1], 1);
}

TEST_F(PlayerTest, DeathmatchHealthAndArmourBlockWhenUseless) {
  CURRENTMAP = 50;
  PUT(11, 10, 'H', 7);
  ADDPICKUP(11, 10, 'H');
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 10);
  EXPECT_EQ(MAP[11][10], 'H');
  EXPECT_EQ(WEAPONCOUNTER[1], 255);  // the countdown starts anyway

  PUT(10, 11, 'Y', 11);
  ADDPICKUP(10, 11, 'Y');
  ARMOR[1] = 100;
  STEP(1, 0, 1);
  EXPECT_EQ(PLAYERY[1], 10);

  PLAYERHEALTH[1] = 40;
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 11);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 65);
  EXPECT_TRUE(LOGHAS("Picked up health ."));
  STEP(1, 1, 0);
  EXPECT_EQ(MAP[11][10], ' ');  // dropped: it comes back from the list
}

TEST_F(PlayerTest, DeathmatchRespawnPutsTheItemBack) {
  CURRENTMAP = 50;
  ADDPICKUP(20, 20, 'H');
  ADDPICKUP(22, 20, '.');
  WEAPONCOUNTER[1] = 3;
  WEAPONCOUNTER[2] = 2;
  PUT(22, 20, 'M', 12);  // something stands on the red armour's spot
  PLACE(1, 25, 20);
  MANAGEWEAPONS();
  EXPECT_EQ(WEAPONCOUNTER[1], 2);
  EXPECT_EQ(MAP[22][20], 'M');
  EXPECT_EQ(WEAPONCOUNTER[2], 2);  // waits for the spot to clear
  MANAGEWEAPONS();
  EXPECT_EQ(MAP[20][20], 'H');
  EXPECT_EQ(MFATTR[20][20], NEW_ITEMS == 1 ? 7 : 1);
  EXPECT_EQ(RESPAWNSOUND, 1);
  MAP[22][20] = ' ';
  MANAGEWEAPONS();
  EXPECT_EQ(MAP[22][20], 'Y');
  EXPECT_EQ(MFATTR[22][20], 12);
  CURRENTMAP = 100;
  WEAPONCOUNTER[1] = 5;
  MANAGEWEAPONS();
  EXPECT_EQ(WEAPONCOUNTER[1], 5);  // the campaign keeps its taken-by marks
}

TEST_F(PlayerTest, TwoPlayerCampaignMarksPerPlayer) {
  NUMBEROFPLAYERS = 2;
  PLACE(1, 10, 10);
  PLACE(2, 12, 11);
  PUT(11, 10, 'H', 9);
  ADDPICKUP(11, 10, 'H');
  PUT(11, 12, 186);
  PLAYERHEALTH[1] = 50;
  PLAYERHEALTH[2] = 50;

  STEP(1, 1, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);
  EXPECT_EQ(WEAPONCOUNTER[1], 1);
  STEP(1, -1, 0);
  EXPECT_EQ(MAP[11][10], 'H');      // still there for player 2
  EXPECT_EQ(MFATTR[11][10], 8);     // dimmed in my player's view
  STEP(1, 1, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 75);  // taken already
  STEP(1, -1, 0);

  STEP(2, -1, 0);
  STEP(2, 0, -1);
  EXPECT_EQ(PLAYERX[2], 11);
  EXPECT_EQ(PLAYERY[2], 10);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[2], 75);
  EXPECT_EQ(WEAPONCOUNTER[1], 3);

  RESETWEAPONSTATUSFORPLAYER(1);
  EXPECT_EQ(WEAPONCOUNTER[1], 2);

  // Ammunition is gone for both once one has taken it.
  STEP(2, 0, 1);
  STEP(2, 0, 1);
  STEP(2, 0, -1);
  EXPECT_EQ(WEAPONAMMO[2][2], 10);
  EXPECT_EQ(MAP[11][12], ' ');
}

TEST_F(PlayerTest, WeaponsAreGrantedOncePerPlayerInTheCampaign) {
  PUT(11, 10, '4');
  ADDPICKUP(11, 10, '4');
  STEP(1, 1, 0);
  EXPECT_TRUE(WEAPONPRESENT[1][4]);
  EXPECT_EQ(WEAPONAMMO[1][4], 50);
  EXPECT_EQ(WEAPONAMMO[1][9], 50);
  EXPECT_EQ(CHOSENWEAPON[1], 4);
  EXPECT_TRUE(LOGHAS("Picked up Chaingun"));
  EXPECT_EQ(WEAPONCOUNTER[1], 1);
  EXPECT_TRUE(SOUNDREQUESTED(69, 250));
  EXPECT_TRUE(SOUNDREQUESTED(90, 90));

  // A lower weapon does not replace the one in hand; a weapon owned already
  // gives nothing more in the campaign.
  ADDWEAPON(1, '2');
  EXPECT_EQ(CHOSENWEAPON[1], 4);
  ADDWEAPON(1, '4');
  EXPECT_EQ(WEAPONAMMO[1][4], 50);
  EXPECT_TRUE(SOUNDREQUESTED(11, 11));
  ADDWEAPON(1, 'x');
  ADDWEAPON(3, '4');
  EXPECT_EQ(WEAPONAMMO[1][4], 50);
}

TEST_F(PlayerTest, UnlistedPickupsNeverWriteTheList) {
  // The list holds other entries; the cell walked on is not among them.
  for (int i = 1; i <= MAX_PICKUPS; i++) EXPECT_TRUE(ADDPICKUP(100, 90, 'H'));
  EXPECT_FALSE(ADDPICKUP(101, 90, 'H'));
  for (int i = 0; i <= MAX_PICKUPS; i++) WEAPONCOUNTER[i] = 0;
  PUT(11, 10, '5');
  PUT(12, 10, 'H');
  PLAYERHEALTH[1] = 10;
  STEP(1, 1, 0);
  STEP(1, 1, 0);
  EXPECT_TRUE(WEAPONPRESENT[1][5]);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 35);
  for (int i = 0; i <= MAX_PICKUPS; i++) EXPECT_EQ(WEAPONCOUNTER[i], 0) << i;
  EXPECT_EQ(FINDPICKUP(11, 10), 0);
}

TEST_F(PlayerTest, InventoryItemsFillSlotsAndSwapWhenFull) {
  PUT(11, 10, 'A');
  STEP(1, 1, 0);
  EXPECT_EQ(INVENTORY[1], "A   ");
  EXPECT_EQ(CHOSENITEM[1], 1);
  EXPECT_TRUE(LOGHAS("Picked Bionic Axe!"));

  // Full, standing on bare floor: slot 1 is dropped where the player stood.
  INVENTORY[1] = "AB@B";
  CHOSENITEM[1] = 3;
  PUT(12, 10, 'i');
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 12);
  EXPECT_EQ(INVENTORY[1], "B@Bi");
  EXPECT_EQ(CHOSENITEM[1], 2);
  EXPECT_EQ(MAP[11][10], 'A');
}

TEST_F(PlayerTest, FullInventoryWhileStandingOnAnItemBlocks) {
  INVENTORY[1] = "AB@B";
  PUT(11, 10, 'H', 9);
  PUT(12, 10, 'i');
  STEP(1, 1, 0);
  ASSERT_EQ(STEPPEDON[1], 'H');
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERX[1], 11);
  EXPECT_EQ(MAP[12][10], 'i');
  EXPECT_EQ(INVENTORY[1], "AB@B");
  EXPECT_FALSE(LOGHAS("Picked Torch!"));
}

TEST_F(PlayerTest, TorchBurnsLumberPerStepAndFizzlesOut) {
  INVENTORY[1] = "i   ";
  CHOSENITEM[1] = 1;
  PLAYERRES[1].LUMBER = 2;
  STEP(1, 1, 0);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 1);
  STEP(1, 0, 0);
  EXPECT_EQ(PLAYERRES[1].LUMBER, 1);  // standing still burns nothing
  STEP(1, 1, 0);
  EXPECT_EQ(INVENTORY[1], "    ");
  EXPECT_TRUE(LOGHAS("Torch fizzled out."));
}

TEST_F(PlayerTest, StepSoundsAtFiveAndTen) {
  STEPCOUNTER[1] = 3;
  STEP(1, 1, 0);
  EXPECT_FALSE(SOUNDREQUESTED(52) || SOUNDREQUESTED(54));
  STEP(1, 1, 0);
  EXPECT_TRUE(SOUNDREQUESTED(54, 201));  // open ground: a large room
  for (int i = 0; i < 5; i++) STEP(1, 0, 1);
  EXPECT_TRUE(SOUNDREQUESTED(55, 201));
  EXPECT_EQ(STEPCOUNTER[1], 0);
}

TEST_F(PlayerTest, ArmourScalesDamage) {
  ARMOR[1] = 25;
  HURTPLAYER(1, 10);
  EXPECT_NEAR(ARMOR[1], 5, 0.001);
  EXPECT_NEAR(PLAYERHEALTH[1], 80, 0.001);
  ARMOR[1] = 200;
  PLAYERHEALTH[1] = 100;
  HURTPLAYER(1, 10);
  EXPECT_NEAR(PLAYERHEALTH[1], 97.5, 0.001);
  EXPECT_NEAR(ARMOR[1], 197.5, 0.001);
  ARMOR[1] = 0;
  HURTPLAYER(1, 200);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 0);
  EXPECT_DOUBLE_EQ(ARMOR[1], 0);
}

TEST_F(PlayerTest, EnteringATankAndBeingRunOver) {
  ADDTANK(11, 11);  // covers columns 11..13, rows 9..11
  STEP(1, 1, 0);
  EXPECT_EQ(INTANK[1], 1);
  EXPECT_EQ(TANKFIRST[1], 1);
  EXPECT_EQ(MAP[10][10], ' ');  // no player glyph stays behind
  EXPECT_TRUE(SOUNDREQUESTED(51, 203));

  // Player 2 may not join while player 1 withholds permission.
  NUMBEROFPLAYERS = 2;
  PLACE(2, 14, 10);
  PERMISSION[1] = 0;
  STEP(2, -1, 0);
  EXPECT_EQ(INTANK[2], 0);
  EXPECT_EQ(PLAYERX[2], 14);

  // A tank rolled onto a player standing still crushes him.
  INTANK[1] = 0;
  PLACE(1, 12, 10);
  MAP[12][10] = 177;
  TANKHEALTH[1] = 100;
  STEP(1, 0, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 0);
  EXPECT_EQ(TANKHEALTH[1], 70);
}

TEST_F(PlayerTest, SmallQueries) {
  NUMBEROFPLAYERS = 2;
  PLACE(1, 5, 5);
  PLACE(2, 5, 5);
  EXPECT_EQ(WHICHPLAYER(5, 5), 2);
  EXPECT_EQ(WHICHPLAYER(6, 5), 0);
  PLACE(1, 20, 91);
  EXPECT_TRUE(PLAYERBETWEEN(1, 20, 10, 30, 10));
  EXPECT_TRUE(PLAYERBETWEEN(1, 10, 5, 20, 15));
  EXPECT_FALSE(PLAYERBETWEEN(1, 10, 11, 20, 15));
  EXPECT_FALSE(PLAYERBETWEEN(1, 21, 5, 30, 15));
}

}  // namespace
