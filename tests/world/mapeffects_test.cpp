// Per-level effects on hand-made levels 160 columns wide and 100 rows high
// (the height the campaign levels with effects have): the general effect's
// column sweep, sight depth by level and place, the tank of level 101, the
// read-outs, the light field of level 104, the boss room of level 108, and
// the health, weapon and look rules of levels 109, 110 and 150.
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/doors.h"
#include "game/explosions.h"
#include "game/projectiles.h"
#include "game/goals.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "levelfixture.h"
#include "render/los.h"
#include "render/view.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "world/mapeffects.h"
#include "world/mapscript.h"

namespace {
// A cell written into the level text: column, map-file line, symbol.
using PLACED = std::tuple<int, int, char>;

class MapEffects : public leveltest::LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    NUMBEROFPLAYERS = 1;
    MYNUMBER = 1;
    LINKACTIVE = false;
    GAMEDIFFICULTY = 1;
    NEWSCRIPT.clear();
    NEWSCRIPTENTRIES = 0;
    PLAYER_MORPHING = 0;
    WAVYEFFECT = 0;
    for (int p = 1; p <= 2; p++) {
      INTANK[p] = 0;
      PLAYERHEALTH[p] = 100;
    }
  }
  void TearDown() override {
    NEWSCRIPT.clear();
    NEWSCRIPTENTRIES = 0;
    LEVELFIXTURE::TearDown();
  }
  // A walled 160 x 100 level with the given cells and trailer lines.
  void BUILD(const std::vector<PLACED>& cells, const std::string& trailer = "") {
    std::vector<std::string> rows(100, std::string(160, ' '));
    for (int l = 0; l < 100; l++) rows[l][0] = rows[l][159] = 'R';
    rows[0] = rows[99] = std::string(160, 'R');
    for (auto [x, l, c] : cells) rows[l - 1][x - 1] = c;
    LEVEL(rows, trailer);
    ASSERT_EQ(MAPSIZEY, 100);
    CLEARPROJECTILES();
  }
  // Puts player P on column X of map-file line L.
  static void AT(BYTE p, int x, int l) {
    PLAYERX[p] = static_cast<BYTE>(x);
    PLAYERY[p] = static_cast<BYTE>(101 - l);
  }
  // One frame's effects as the engine runs them.
  static void FRAME(BYTE level) {
    CURRENTMAP = level;
    LOS_VIEW_DEPTH = 1;
    SIGHTDEPTH[1] = SIGHTDEPTH[2] = 1;
    HANDLECUSTOMMAPEFFECTS();
  }
  static std::string PORTALS(int n) {
    std::string t;
    for (int i = 1; i <= n; i++) t += "@" + std::to_string(10 + i) + ",50-101\r\n";
    return t;
  }
};

TEST_F(MapEffects, GeneralEffectSweepsEveryColumnIn161Frames) {
  BUILD({{20, 50, 'P'}});
  for (int x = 1; x <= 160; x++)
    for (int y = 1; y <= 100; y++)
      if (MAP[x][y] == ' ') MFATTR[x][y] = 3;
  EFFECT_MAPSCAN = 161;
  auto stray = [](int x) {
    for (int y = 1; y <= 100; y++)
      if (MAP[x][y] == ' ' && MFATTR[x][y] != 8) return true;
    return false;
  };
  for (int k = 1; k <= 161; k++) {
    HANDLEFANCYMAPEFFECTS();
    if (k <= 160) {
      ASSERT_FALSE(stray(161 - k)) << "frame " << k;
    }
    // One column per frame: the next one (columns 2..159 hold floor) waits.
    if (k <= 158) {
      ASSERT_TRUE(stray(160 - k)) << "frame " << k;
    }
  }
  EXPECT_EQ(EFFECT_MAPSCAN, 0);
  for (int x = 1; x <= 160; x++) EXPECT_FALSE(stray(x)) << x;
  MFATTR[100][50] = 5;
  MAP[160][50] = ' ';  // a gap in the border, so that column 160 shows the visit
  MFATTR[160][50] = 5;
  HANDLEFANCYMAPEFFECTS();  // the next round starts at column 160 again
  EXPECT_EQ(EFFECT_MAPSCAN, 160);
  EXPECT_EQ(MFATTR[160][50], 8);
  EXPECT_EQ(MFATTR[100][50], 5);
}

TEST_F(MapEffects, BrightPaintedCapitalsGlow) {
  BUILD({{20, 50, 'P'}});
  struct CELL {
    int x, y;
    unsigned char chr;
    BYTE brightness;
    bool glows;
  };
  const std::vector<CELL> cells = {
      {30, 30, 'A', 100, true}, {40, 30, 'Z', 91, true},  {50, 30, 'a', 100, false},
      {60, 30, 'Q', 90, false}, {70, 30, '7', 100, false}, {80, 30, 255, 100, false},
  };
  for (const CELL& c : cells) {
    MAPPP[c.x][c.y].CHR = c.chr;
    MAPPP[c.x][101 - c.y].BRIGHTNESS = c.brightness;
    MLIGHT[c.x][101 - c.y] = 128;
    OOGA[c.x][101 - c.y] = 128;
  }
  // A capital under a map light does not glow of its own.
  MAPPP[90][30].CHR = 'B';
  OOGA[90][71] = 131;
  for (int k = 0; k < 161; k++) HANDLEFANCYMAPEFFECTS();
  for (const CELL& c : cells) EXPECT_EQ(MLIGHT[c.x][101 - c.y] != 128, c.glows) << c.x;
  EXPECT_EQ(MLIGHT[90][71], 128);
}

TEST_F(MapEffects, SightDepthByLevelAndPlace) {
  BUILD({{20, 50, 'P'}});
  struct CASE {
    BYTE level;
    int x, line;
    int depth;
  };
  const std::vector<CASE> cases = {
      {100, 13, 74, 7}, {100, 60, 95, 7}, {100, 12, 80, 3},  {100, 61, 80, 3}, {100, 30, 73, 3},
      {101, 30, 30, 5}, {102, 3, 56, 7},  {102, 75, 95, 7},  {102, 76, 60, 1}, {102, 40, 55, 1},
      {103, 30, 30, 7}, {104, 40, 27, 1}, {104, 118, 76, 1}, {104, 39, 50, 7}, {104, 80, 77, 7},
      {105, 30, 30, 1}, {108, 90, 90, 1}, {150, 30, 30, 1},  {120, 13, 74, 1}, {99, 13, 74, 1},
  };
  for (const CASE& c : cases) {
    AT(1, c.x, c.line);
    FRAME(c.level);
    EXPECT_EQ(LOS_VIEW_DEPTH, c.depth) << int(c.level) << " at " << c.x << "," << c.line;
  }
}

TEST_F(MapEffects, OverTheLinkEachPlayerHasTheSightDepthOfHisPlaceAndTheViewThatOfMine) {
  // Machine 2 of a link game: the view follows player 2, monsters looking at
  // a player see as deep as that player's place allows, on both machines.
  BUILD({{20, 50, 'P'}});
  NUMBEROFPLAYERS = 2;
  struct CASE {
    BYTE level;
    int x1, line1, depth1;  // player 1's place and its depth
    int x2, line2, depth2;  // player 2's
  };
  const std::vector<CASE> cases = {
      {100, 13, 74, 7, 12, 80, 3}, {100, 61, 80, 3, 60, 95, 7}, {101, 30, 30, 5, 90, 90, 5},
      {102, 3, 56, 7, 76, 60, 1},  {102, 40, 55, 1, 75, 95, 7}, {103, 30, 30, 7, 140, 20, 7},
      {104, 40, 27, 1, 39, 50, 7}, {104, 80, 77, 7, 118, 76, 1}, {105, 30, 30, 1, 40, 40, 1},
  };
  for (BYTE mine : {1, 2}) {
    MYNUMBER = mine;
    for (const CASE& c : cases) {
      AT(1, c.x1, c.line1);
      AT(2, c.x2, c.line2);
      FRAME(c.level);
      EXPECT_EQ(SIGHTDEPTH[1], c.depth1) << int(c.level) << " player 1 at " << c.x1 << "," << c.line1;
      EXPECT_EQ(SIGHTDEPTH[2], c.depth2) << int(c.level) << " player 2 at " << c.x2 << "," << c.line2;
      EXPECT_EQ(LOS_VIEW_DEPTH, mine == 1 ? c.depth1 : c.depth2) << int(c.level) << " seen by " << int(mine);
    }
  }
  MYNUMBER = 1;
}

TEST_F(MapEffects, Level110DisarmsBothLinkedPlayersOnEitherMachine) {
  BUILD({{20, 50, 'P'}});
  NUMBEROFPLAYERS = 2;
  for (BYTE mine : {1, 2}) {
    MYNUMBER = mine;
    for (int p = 1; p <= 2; p++)
      for (int w = 1; w <= 9; w++) {
        WEAPONPRESENT[p][w] = true;
        WEAPONAMMO[p][w] = 25;
      }
    FRAME(110);
    for (int p = 1; p <= 2; p++)
      for (int w = 1; w <= 9; w++) {
        EXPECT_FALSE(WEAPONPRESENT[p][w]) << "machine " << int(mine) << ", player " << p << ", weapon " << w;
        EXPECT_EQ(WEAPONAMMO[p][w], 0) << "machine " << int(mine) << ", player " << p << ", weapon " << w;
      }
  }
  MYNUMBER = 1;
}

TEST_F(MapEffects, Level101TankBlowsUpOnceAtTheTriggerCell) {
  // The tank's left-middle cell is written at column 30, line 60.
  BUILD({{20, 50, 'P'}, {30, 60, '!'}});
  ASSERT_EQ(NUMBEROFTANKS, 1);
  const BYTE tx = TANKX[1], ty = TANKY[1];
  TANKHEALTH[1] = 40;
  AT(1, 6, 85);  // next to the trigger cell
  FRAME(101);
  EXPECT_EQ(TANKHEALTH[1], 200);  // held at 200
  EXPECT_EQ(NUMBEROFTANKS, 1);

  AT(1, 5, 85);
  FRAME(101);
  EXPECT_EQ(NUMBEROFTANKS, 0);
  for (int x = tx; x <= tx + 2; x++)
    for (int y = ty - 2; y <= ty; y++) {
      EXPECT_EQ(MAP[x][y], ' ') << x << "," << y;
      EXPECT_EQ(MFATTR[x][y], 8);
    }
  // Standing there again changes nothing.
  MAP[tx][ty] = 'R';
  FRAME(101);
  EXPECT_EQ(NUMBEROFTANKS, 0);
  EXPECT_EQ(MAP[tx][ty], 'R');
  EXPECT_EQ(LOS_VIEW_DEPTH, 5);
}

TEST_F(MapEffects, PortalsClosedAndReadouts) {
  BUILD({{20, 50, 'P'}}, PORTALS(10));
  ASSERT_EQ(NUMPORTALS, 10);
  struct CASE {
    BYTE level;
    int closed;  // portals 1..closed get type 0
  };
  for (const CASE& c : std::vector<CASE>{{102, 1}, {103, 6}, {104, 9}, {105, 3}, {100, 0}, {108, 0}}) {
    for (int i = 1; i <= 10; i++) PORTALTYPE[i] = 1;
    FRAME(c.level);
    for (int i = 1; i <= 10; i++) EXPECT_EQ(PORTALTYPE[i], i <= c.closed ? 0 : 1) << int(c.level) << " portal " << i;
  }

  // Level 103: four cells show the spinning bar's frame.
  const std::string spin = "-\\|/-\\|/";
  for (BYTE r = 1; r <= 8; r++) {
    ROTATECOUNTER = r;
    FRAME(103);
    for (auto [x, l] : {std::pair{153, 41}, {153, 43}, {154, 45}, {154, 47}})
      EXPECT_EQ(MAPPP[x][101 - l].CHR, static_cast<unsigned char>(spin[r - 1])) << int(r);
  }
  EXPECT_EQ(MAPPP[153][101 - 42].CHR, 255);

  // Level 103's emitter: plasma balls start on columns 126..130 of line 58
  // and fly down.
  CLEARPROJECTILES();
  for (int frame = 0; frame < 20; frame++) FRAME(103);
  ASSERT_GT(NUMBEROFPLASMAS, 3);
  std::set<int> columns;
  for (int i = 1; i <= NUMBEROFPLASMAS; i++) {
    EXPECT_EQ(PLASMAY[i], 101 - 58);
    EXPECT_GE(PLASMAX[i], 126);
    EXPECT_LE(PLASMAX[i], 130);
    EXPECT_EQ(PLASMAXOFFSET[i], 0);
    EXPECT_EQ(PLASMAYOFFSET[i], -1);
    columns.insert(PLASMAX[i]);
  }
  EXPECT_LT(NUMBEROFPLASMAS, 20);  // one frame in two, roughly
  EXPECT_GE(columns.size(), 3u);

  // Levels 105 and 108: rows of flickering 0/1 digits.
  struct READOUT {
    BYTE level;
    int x1, x2, l1, l2;
  };
  for (const READOUT& r : std::vector<READOUT>{{105, 14, 22, 75, 81}, {108, 147, 155, 73, 79}}) {
    AT(1, 120, 90);  // away from the boss room of level 108
    std::set<unsigned char> seen;
    for (int frame = 0; frame < 10; frame++) {
      FRAME(r.level);
      for (int x = r.x1; x <= r.x2; x++)
        for (int l : {r.l1, r.l2}) {
          const unsigned char c = MAPPP[x][101 - l].CHR;
          EXPECT_TRUE(c == '0' || c == '1') << int(r.level) << ": " << x << "," << l;
          seen.insert(c);
        }
    }
    EXPECT_EQ(seen.size(), 2u) << int(r.level);
    EXPECT_EQ(MAPPP[r.x1 - 1][101 - r.l1].CHR, 255);
    EXPECT_EQ(MAPPP[r.x2 + 1][101 - r.l2].CHR, 255);
    EXPECT_EQ(MAPPP[r.x1][101 - r.l1 - 1].CHR, 255);
  }
}

TEST_F(MapEffects, Level104LightFieldClimbsOneRowPerFrame) {
  BUILD({{20, 50, 'P'}}, PORTALS(10));
  // Light-grid rows count from the top; natural brightness 60..66 by row.
  for (int x = 1; x <= 160; x++)
    for (int y = 1; y <= 100; y++) {
      MAPPP[x][y].INITIALBRIGHTNESS = MAPPP[x][y].BRIGHTNESS = static_cast<BYTE>(60 + y % 7);
      MLIGHT[x][y] = 128;
    }
  MLIGHT[20][50] = 3;               // coloured light: not part of the field
  MAPPP[30][40].BRIGHTNESS = 40;    // too dark: not part of the field
  FRAME(104);
  auto fresh = [](int x, int y) {
    const BYTE b = MAPPP[x][y].INITIALBRIGHTNESS;
    return b >= 90 && b <= 100 && MAPPP[x][y].BRIGHTNESS == b;
  };
  EXPECT_EQ(MAPPP[10][10].INITIALBRIGHTNESS, 60 + 11 % 7);  // took the row below it
  EXPECT_EQ(MAPPP[10][10].BRIGHTNESS, 60 + 11 % 7);
  EXPECT_EQ(MAPPP[40][28].INITIALBRIGHTNESS, 60 + 29 % 7);  // left of the rectangle
  EXPECT_EQ(MAPPP[118][75].INITIALBRIGHTNESS, 60 + 76 % 7);  // right of it
  EXPECT_TRUE(fresh(10, 100));                            // the last row is fed fresh values
  EXPECT_TRUE(fresh(60, 27));                             // the row above the rectangle
  EXPECT_TRUE(fresh(20, 49));                             // above the coloured cell
  EXPECT_TRUE(fresh(30, 39));                             // above the dark cell
  EXPECT_EQ(MAPPP[41][28].INITIALBRIGHTNESS, 60 + 28 % 7);  // inside the rectangle: untouched
  EXPECT_EQ(MAPPP[117][75].INITIALBRIGHTNESS, 60 + 75 % 7);
  EXPECT_EQ(MAPPP[20][50].INITIALBRIGHTNESS, 60 + 50 % 7);
  EXPECT_EQ(MAPPP[30][40].BRIGHTNESS, 40);
  // A second frame moves the pattern one more row.
  const BYTE below = MAPPP[10][100].INITIALBRIGHTNESS;
  FRAME(104);
  EXPECT_EQ(MAPPP[10][99].INITIALBRIGHTNESS, below);
}

TEST_F(MapEffects, Level108BossRoomOpensOnlyWithTheBossDeadAndAPlayerInside) {
  BUILD({{120, 90, 'P'}, {100, 80, 'M'}, {20, 20, 'M'}, {30, 20, 'x'}}, PORTALS(10));
  ASSERT_EQ(NUMBEROFMONSTERS, 3);
  auto opened = [] { return PORTALX[1] == 5 && PORTALX[9] == 5; };
  BOSSHEALTH = 4000;
  AT(1, 40, 30);  // in the boss area, boss alive
  FRAME(108);
  EXPECT_FALSE(opened());
  EXPECT_EQ(NUMBEROFMONSTERS, 3);

  BOSSHEALTH = 0;  // the boss died while the player was elsewhere
  for (auto [x, l] : {std::pair{81, 30}, {40, 47}, {120, 90}}) {
    AT(1, x, l);
    FRAME(108);
    EXPECT_FALSE(opened()) << x << "," << l;
    EXPECT_EQ(NUMBEROFMONSTERS, 3);
  }
  // Player 2 walks in.
  NUMBEROFPLAYERS = 2;
  AT(2, 80, 46);
  FRAME(108);
  EXPECT_TRUE(opened());
  EXPECT_EQ(PORTALX[10], 20);
  ASSERT_GE(NUMBEROFEXPLOSIONS, 1);  // the blast in the boss room
  EXPECT_EQ(EXPLOSIONX[NUMBEROFEXPLOSIONS], 40);
  EXPECT_EQ(EXPLOSIONY[NUMBEROFEXPLOSIONS], 14);
  EXPECT_EQ(EXPLOSIONSTATE[NUMBEROFEXPLOSIONS], 1);
  EXPECT_EQ(EXPLOSIONTYPE[NUMBEROFEXPLOSIONS], 2);
  EXPECT_EQ(NUMBEROFMONSTERS, 0);
}

TEST_F(MapEffects, HealthWeaponsAndLooks) {
  BUILD({{20, 50, 'P'}});
  // 109: health held at 100; the shape changes once "tech_bodies2" is done.
  NEWSCRIPTTYPE e;
  e.MAPNUM = 109;
  e.VOICEFILE = "tech_bodies2";
  NEWSCRIPT.push_back(e);
  NEWSCRIPTENTRIES = 1;
  PLAYERHEALTH[1] = 12;
  FRAME(109);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 100);
  EXPECT_EQ(PLAYER_MORPHING, 0);
  NEWSCRIPT[0].TIMER = 0;
  FRAME(109);
  EXPECT_EQ(PLAYER_MORPHING, 1);

  // 110: no weapons, health at least 30, channels 63..65 silenced.
  PLAYER_MORPHING = 0;
  NEWSCRIPT[0].VOICEFILE = "tul2";
  NEWSCRIPT[0].TIMER = 1;
  for (int w = 1; w <= 9; w++) {
    WEAPONPRESENT[1][w] = true;
    WEAPONAMMO[1][w] = 40;
  }
  const std::string wav = (DIR / "tone.wav").string();
  {
    // One second of silence: 8000 bytes at 8000 bytes per second.
    std::ofstream f(wav, std::ios::binary);
    auto le32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto le16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f << "RIFF";
    le32(36 + 8000);
    f << "WAVEfmt ";
    le32(16);
    le16(1);
    le16(1);
    le32(8000);
    le32(8000);
    le16(1);
    le16(8);
    f << "data";
    le32(8000);
    f << std::string(8000, '\x80');
  }
  const int32_t h = THEBACKEND->LOADSOUND(wav);
  ASSERT_GT(h, 0);
  for (int c = 62; c <= 66; c++) THEBACKEND->PLAYSOUND(c, h, -1);
  PLAYERHEALTH[1] = 10;
  PLAYERHEALTH[2] = 55;
  FRAME(110);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 30);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[2], 55);
  for (int w = 1; w <= 9; w++) {
    EXPECT_FALSE(WEAPONPRESENT[1][w]);
    EXPECT_EQ(WEAPONAMMO[1][w], 0);
  }
  for (int c = 63; c <= 65; c++) EXPECT_FALSE(THEBACKEND->SOUNDBUSY(c)) << c;
  EXPECT_TRUE(THEBACKEND->SOUNDBUSY(62));
  EXPECT_TRUE(THEBACKEND->SOUNDBUSY(66));
  EXPECT_EQ(PLAYER_MORPHING, 0);
  NEWSCRIPT[0].TIMER = 0;
  FRAME(110);
  EXPECT_EQ(PLAYER_MORPHING, 1);

  // 150 and 151: health held, the view waves.
  for (BYTE level : {150, 151}) {
    WAVYEFFECT = 0;
    PLAYERHEALTH[1] = 3;
    FRAME(level);
    EXPECT_EQ(WAVYEFFECT, 1);
    EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 100);
  }
  WAVYEFFECT = 0;
  PLAYERHEALTH[1] = 3;
  FRAME(120);
  EXPECT_EQ(WAVYEFFECT, 0);
  EXPECT_DOUBLE_EQ(PLAYERHEALTH[1], 3);
}
}  // namespace
