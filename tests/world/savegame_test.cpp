// Save games and level state files: the byte layout's encodings, a busy level
// through save and load compared by state dump, refused files leaving the game
// untouched, and failed writes keeping the old save.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/paths.h"
#include "base/settings.h"
#include "game/doors.h"
#include "game/explosions.h"
#include "game/pickups.h"
#include "game/monsters.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "game/tanks.h"
#include "game/weapons.h"
#include "levelfixture.h"
#include "render/lighting.h"
#include "render/messages.h"
#include "shell/gameflow.h"
#include "shell/statedump.h"
#include "test_util.h"
#include "world/levelstate.h"
#include "world/mapscript.h"
#include "world/savecodec.h"
#include "world/savegame.h"

namespace {
using leveltest::LEVELFIXTURE;

void writeAll(const std::string& p, const std::string& d) {
  std::filesystem::create_directories(std::filesystem::path(p).parent_path());
  std::ofstream(p, std::ios::binary) << d;
}

// The dump without what the layouts do not keep (frame counters, view, sound,
// the monsters' hurt flash, the player's animation colour and step count).
nlohmann::json storedPart(const std::string& dump) {
  nlohmann::json j = PARSEDUMP(dump);
  for (const char* k : {"frames", "counters", "audio", "effects", "objective", "victory", "nextmap"}) j.erase(k);
  j["view"] = j["view"]["pausestate"];
  for (auto& m : j["monsters"]["list"]) m.erase("hurt");
  for (auto& p : j["players"]) {
    p.erase("color");
    p.erase("steps");
  }
  return j;
}

class SAVEGAMETEST : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    HARNESS.USERDIR = (DIR / "user").string();
    std::filesystem::create_directories(HARNESS.USERDIR);
    SETVISUALS(1);
    CURRENTMAP = 5;
    GAMEDIFFICULTY = 2;
    NUMBEROFPLAYERS = 1;
    RESETPLAYERSTATE();
    INITMAP(CURRENTMAP);
  }

  // A level in the middle of things: a monster hurt and hunting, shots in
  // flight, a door open, a tank with the player at the wheel, a finished
  // script entry and messages in the log.
  void BUSY() {
    PLAYERHEALTH[1] = 73;
    ARMOR[1] = 100;
    WEAPONPRESENT[1][5] = true;
    WEAPONAMMO[1][5] = 4000;
    CHOSENWEAPON[1] = 5;
    KEYS[1][3] = true;
    INVENTORY[1] = "ab  ";
    PLAYERRES[1].SCRAP = 300;
    FIREOFFSETX[1] = -1;
    FIREOFFSETY[1] = 1;
    NUMBEROFMONSTERS = 2;
    for (int m = 1; m <= 2; m++) {
      MONSTERX[m] = static_cast<BYTE>(20 + m);
      MONSTERY[m] = 30;
      MONSTERTYPE[m] = static_cast<BYTE>(m);
      MONSTERENERGY[m] = 4000 - m;
      SAW[m] = 1;
      MONSTERHURT[m] = 3;
    }
    ADDROCKET(40, 40, 1, -1);
    ADDROCKET(41, 40, -1, 0);
    ADDPLASMA(42, 41, 0, 1);
    ADDFLAME(43, 41, 1, 1, 20);
    ADDRAIL(44, 42, -1, -1, 1);
    ADDBLINK(45, 42, 2, 6);
    ADDEXPLOSION(46, 43, 1, 2);
    NUMBEROFDOORS = 1;
    DOORX[1] = 50;
    DOORY[1] = 50;
    DOORMAXX[1] = 52;
    DOORMAXY[1] = 51;
    DOORTYPE[1] = 11;
    DTIMER[1] = 40;
    DOORSOPENED = 1;
    NUMBEROFTANKS = 1;
    TANKX[1] = 60;
    TANKY[1] = 60;
    TURRET[1] = 3;
    TANKHEALTH[1] = 150;
    TANKFIRST[1] = 1;
    INTANK[1] = 1;
    COMMANDS = 2;
    TRAPX[2] = 9;
    DESTSYMBOL[2] = '#';
    TRAPREPEAT[2] = true;
    if (NEWSCRIPT.empty()) {
      NEWSCRIPT.resize(2);
      NEWSCRIPTENTRIES = 2;
    }
    NEWSCRIPT[0].ACTIVATED = true;
    NEWSCRIPT[0].TIMER = 0;
    INFORM(1, "The gate is open.", 12);
    MAP[61][61] = 'Q';
    MAPPP[61][61].EXPLORED = 1;
  }
};

TEST(SAVECODECTEST, EncodingsOfTheLayout) {
  BYTE a, b;
  SPLITTRAPCOUNT(300, a, b);
  EXPECT_EQ(a, 255);
  EXPECT_EQ(b, 45);
  SPLITTRAPCOUNT(17, a, b);
  EXPECT_EQ(a, 17);
  EXPECT_EQ(b, 0);

  SAVECODEC w(CM_WRITE);
  uint16_t energy = 4000;
  double health = 37.6, negative = -5;
  int32_t off = -1;
  w.WORD(energy, 0, 65535, "energy");
  w.WHOLE(health, "health");
  w.WHOLE(negative, "health");
  w.OFFSET(off, "offset");
  EXPECT_EQ(w.DATA, std::string("\x0f\xa0\x26\x00\x00", 5));

  SAVECODEC r(CM_APPLY, w.DATA);
  uint16_t e2 = 0;
  double h2 = 0, n2 = 9;
  int32_t o2 = 5;
  r.WORD(e2, 0, 65535, "energy");
  r.WHOLE(h2, "health");
  r.WHOLE(n2, "health");
  r.OFFSET(o2, "offset");
  r.FINISH();
  EXPECT_TRUE(r.OK()) << r.ERR;
  EXPECT_EQ(e2, 4000);
  EXPECT_EQ(h2, 38.0);
  EXPECT_EQ(n2, 0.0);
  EXPECT_EQ(o2, -1);  // stored byte 0
}

TEST_F(SAVEGAMETEST, BusyLevelComesBackFieldForField) {
  BUSY();
  const std::string before = STATEDUMPJSON();
  const std::string path = SAVEGAMEPATH(3);
  EXPECT_NE(path.find("/SAVE/SAVE2/save.gam"), std::string::npos) << path;
  ASSERT_TRUE(WRITESAVEGAME(path, "busy")) << SAVEERROR;

  // Play on elsewhere, then load.
  CURRENTMAP = 7;
  INITMAP(7);
  NUMBEROFROCKETS = 0;
  PLAYERHEALTH[1] = 5;
  NEWSCRIPT[0].TIMER = 1;
  const nlohmann::json was = storedPart(before);
  // The dump holds what was set up (not an empty comparison).
  ASSERT_EQ(was["monsters"]["list"].size(), 2u);
  EXPECT_EQ(was["projectiles"]["rockets"], 2);
  EXPECT_EQ(was["tanks"][0]["inside"][0], 1);
  EXPECT_NE(storedPart(STATEDUMPJSON()).dump(1), was.dump(1));
  ASSERT_TRUE(READSAVEGAME(path)) << SAVEERROR;
  EXPECT_EQ(storedPart(STATEDUMPJSON()).dump(1), was.dump(1));
  EXPECT_TRUE(GAMELOADED);
  // Nothing slides in: previous positions are the positions.
  EXPECT_EQ(MONSTERX_[2], MONSTERX[2]);
  EXPECT_EQ(TANKX_[1], TANKX[1]);
  EXPECT_EQ(PLAYERX_[1], PLAYERX[1]);
  EXPECT_EQ(NEWSCRIPT[0].TIMER, 0);  // a finished entry stays finished
  READSAVEGAMENAMES();
  EXPECT_EQ(SAVEGAMENAME[3], "busy");
  EXPECT_EQ(SAVEGAMENAME[1], "Empty Slot.");
}

TEST_F(SAVEGAMETEST, StylesKeepSeparateSlotsAndHealthIsRounded) {
  PLAYERHEALTH[1] = 37.6;
  ASSERT_TRUE(WRITESAVEGAME(SAVEGAMEPATH(10), "AUTOSAVE:x"));
  EXPECT_TRUE(std::filesystem::exists(DIR / "user/SAVE/SAVE9/save.gam"));
  SETVISUALS(0);
  READSAVEGAMENAMES();
  EXPECT_EQ(SAVEGAMENAME[10], "Empty Slot.");
  SETVISUALS(1);
  READSAVEGAMENAMES();
  EXPECT_EQ(SAVEGAMENAME[10], "AUTOSAVE:x");
  ASSERT_TRUE(READSAVEGAME(SAVEGAMEPATH(10))) << SAVEERROR;
  EXPECT_EQ(PLAYERHEALTH[1], 38.0);
}

// Grid start in the file: name 30, players, deathmatch, level, preview 630,
// difficulty, then the counted level name.
size_t gridStart(const std::string& d) { return 30 + 3 + 630 + 1 + 1 + static_cast<BYTE>(d[30 + 3 + 630 + 1]); }

TEST_F(SAVEGAMETEST, DamagedFilesAreRefusedAndChangeNothing) {
  BUSY();
  const std::string good = SAVEGAMEBYTES("good");
  const size_t g = gridStart(good), p1 = g + 80000, rockets = p1 + 2 * 76;
  struct CASE {
    const char* what;
    std::string data;
  };
  auto with = [&](size_t at, BYTE v) {
    std::string d = good;
    d[at] = static_cast<char>(v);
    return d;
  };
  const std::vector<CASE> cases = {
      {"empty", ""},
      {"name only", good.substr(0, 30)},
      {"cut in the grid", good.substr(0, g + 1000)},
      {"one byte short", good.substr(0, good.size() - 1)},
      {"one byte long", good + "x"},
      {"players 7", with(30, 7)},
      {"deathmatch flag 2", with(31, 2)},
      {"level 0", with(32, 0)},
      {"difficulty 9", with(30 + 3 + 630, 9)},
      {"dead flag 3", with(p1 + 4, 3)},
      {"weapon 12", with(p1 + 5, 12)},
      {"column 200", with(p1 + 8, 200)},
      {"offset 3", with(p1 + 75, 3)},
      {"rockets 255", with(rockets, 255)},
      {"rockets one more", with(rockets, static_cast<BYTE>(good[rockets] + 1))},
  };
  const std::string path = SAVEGAMEPATH(4);
  const std::string before = STATEDUMPJSON();
  for (const CASE& c : cases) {
    writeAll(path, c.data);
    GAMELOADED = false;
    EXPECT_FALSE(READSAVEGAME(path)) << c.what;
    EXPECT_NE(SAVEERROR.find(path), std::string::npos) << c.what << ": " << SAVEERROR;
    EXPECT_EQ(STATEDUMPJSON(), before) << c.what;
    EXPECT_FALSE(GAMELOADED) << c.what;
  }
  writeAll(path, good);
  EXPECT_TRUE(READSAVEGAME(path)) << SAVEERROR;
}

TEST_F(SAVEGAMETEST, FailedWritesKeepTheOldSave) {
  const std::string path = SAVEGAMEPATH(2);
  ASSERT_TRUE(WRITESAVEGAME(path, "old"));
  const std::string old = READALL(path);
  // A full disk: the file size limit stops the write part-way.
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{20000, 20000};
    setrlimit(RLIMIT_FSIZE, &lim);
    PLAYERHEALTH[1] = 1;
    const bool ok = WRITESAVEGAME(path, "new");
    _exit(!ok && SAVEERROR.find("cannot be saved") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(READALL(path), old);
  // A slot folder that cannot be made (a file is in its way).
  writeAll(SAVEFOLDER() + "/SAVE4", "in the way");
  EXPECT_FALSE(WRITESAVEGAME(SAVEGAMEPATH(5), "x"));
  EXPECT_NE(SAVEERROR.find("SAVE4"), std::string::npos) << SAVEERROR;
  EXPECT_EQ(READALL(path), old);
}

// A save keeps the level states of its game: loading it brings back those,
// not the ones another game left since. A save without such a copy leaves the
// states as they are.
TEST_F(SAVEGAMETEST, ASaveKeepsTheLevelStatesOfItsGame) {
  const std::string current = LEVELSTATEFOLDER();
  writeAll(current + "/map7.inf", "seven");
  ASSERT_TRUE(WRITESAVEGAME(SAVEGAMEPATH(1), "one")) << SAVEERROR;
  EXPECT_EQ(READALL(SAVEFOLDER() + "/SAVE0/CURRENT/map7.inf"), "seven");
  // Another game leaves other levels.
  CLEARMAPINFO();
  writeAll(current + "/map9.inf", "nine");
  ASSERT_TRUE(READSAVEGAME(SAVEGAMEPATH(1))) << SAVEERROR;
  EXPECT_EQ(READALL(current + "/map7.inf"), "seven");
  EXPECT_FALSE(std::filesystem::exists(current + "/map9.inf"));
  EXPECT_FALSE(std::filesystem::exists(current + ".new"));
  // A save written without the copy.
  std::filesystem::remove_all(SAVEFOLDER() + "/SAVE0/CURRENT");
  CLEARMAPINFO();
  writeAll(current + "/map9.inf", "nine");
  ASSERT_TRUE(READSAVEGAME(SAVEGAMEPATH(1))) << SAVEERROR;
  EXPECT_EQ(READALL(current + "/map9.inf"), "nine");
  // A refused save leaves the states alone too.
  writeAll(SAVEFOLDER() + "/SAVE0/CURRENT/map7.inf", "seven");
  writeAll(SAVEGAMEPATH(1), "short");
  EXPECT_FALSE(READSAVEGAME(SAVEGAMEPATH(1)));
  EXPECT_EQ(READALL(current + "/map9.inf"), "nine");
  EXPECT_FALSE(std::filesystem::exists(current + "/map7.inf"));
}

TEST_F(SAVEGAMETEST, LevelStateResumesAndIsRefusedWhenDamaged) {
  EXPECT_FALSE(LOADMAPINFO(5));  // no state file: the fresh level
  // Every table empty: grid 80000, keys 10, rocket, plasma and flame counts,
  // monster words 4, backups 9, pickups 1, traps 2, starts and clock 6,
  // doors 2, patterns 1 + 600 + 20, lights, explosions, rails, blinks and
  // tanks 1 each, ambience 100, positions 4, cursors 2.
  NUMBEROFROCKETS = NUMBEROFPLASMAS = NUMBEROFFLAMES = NUMBEROFWEAPONS = 0;
  NUMBEROFMONSTERS = 0;
  COMMANDS = 0;
  NUMBEROFDOORS = NUMBEROFPATTERNS = NUMBEROFLIGHTS = NUMBEROFEXPLOSIONS = 0;
  NUMBEROFRAILS = NUMBEROFBLINKS = NUMBEROFTANKS = 0;
  const std::string empty = LEVELSTATEBYTES();
  EXPECT_EQ(empty.size(), 80769u);
  BUSY();
  const std::string bytes = LEVELSTATEBYTES();
  ASSERT_TRUE(SAVEMAPINFO(5)) << LEVELSTATEERROR;
  const nlohmann::json before = storedPart(STATEDUMPJSON());
  INITMAP(5);
  ASSERT_TRUE(LOADMAPINFO(5)) << LEVELSTATEERROR;
  const nlohmann::json after = storedPart(STATEDUMPJSON());
  EXPECT_EQ(after["monsters"], before["monsters"]);
  EXPECT_EQ(after["doors"], before["doors"]);
  EXPECT_EQ(after["tanks"][0]["x"], before["tanks"][0]["x"]);
  EXPECT_EQ(after["tanks"][0]["driver"], 1);
  EXPECT_EQ(after["map"], before["map"]);
  EXPECT_EQ(MONSTERX_[1], MONSTERX[1]);

  for (const std::string& d : {bytes.substr(0, bytes.size() / 2), bytes + "\x01", std::string()}) {
    writeAll(LEVELSTATEPATH(6), d);
    const std::string was = STATEDUMPJSON();
    EXPECT_FALSE(LOADMAPINFO(6));
    EXPECT_NE(LEVELSTATEERROR.find("map6.inf"), std::string::npos) << LEVELSTATEERROR;
    EXPECT_EQ(STATEDUMPJSON(), was);
  }
}

// A level state written by an earlier build of the game (the seed of the
// level state fuzz corpus) still loads, and the level written back gives the
// same bytes: the layout has not moved.
TEST_F(SAVEGAMETEST, AnEarlierLevelStateLoadsAndIsWrittenBackByteForByte) {
  const std::string old = READALL(std::string(ASHEN_TEST_DIR) + "/fuzz/corpus/fuzz_levelstate/map100.inf");
  ASSERT_EQ(old.size(), 80841u);
  writeAll(LEVELSTATEPATH(100), old);
  CURRENTMAP = 100;
  INITMAP(100);
  ASSERT_TRUE(LOADMAPINFO(100)) << LEVELSTATEERROR;
  const std::string again = LEVELSTATEBYTES();
  ASSERT_EQ(again.size(), old.size());
  EXPECT_TRUE(again == old) << "first difference at byte "
                            << std::mismatch(old.begin(), old.end(), again.begin()).first - old.begin();
}

// The engine's per-level reset under a loaded game or level state: what was
// stored of each player is kept, the rest is reset.
TEST_F(SAVEGAMETEST, TheResetUnderAStoredGameKeepsWhatWasStoredOfEachPlayer) {
  NUMBEROFPLAYERS = 2;
  for (int p = 1; p <= 2; p++) {
    DEAD[p] = p == 2;
    SHOWCURSOR[p] = p == 1;
    STEPPEDON[p] = static_cast<unsigned char>('a' + p);
    STEPPEDONC[p] = static_cast<BYTE>(10 + p);
    DEATHS[p] = static_cast<BYTE>(20 + p);
    INTANK[p] = static_cast<BYTE>(p);
    PERMISSION[p] = static_cast<BYTE>(30 + p);
    PLAYERX[p] = static_cast<BYTE>(40 + p);
    PLAYERY[p] = static_cast<BYTE>(50 + p);
    PLAYERX_[p] = PLAYERY_[p] = 1;
    SHAKE[p] = true;
  }
  PREENGINEINITKEEPINGPLAYERS();
  EXPECT_EQ(NUMBEROFPLAYERS, 2);
  const struct {
    bool dead, cursor;
    unsigned char on;
    int onc, deaths, intank, perm, x, y;
  } want[3] = {{}, {false, true, 'b', 11, 21, 1, 31, 41, 51}, {true, false, 'c', 12, 22, 2, 32, 42, 52}};
  for (int p = 1; p <= 2; p++) {
    SCOPED_TRACE("player " + std::to_string(p));
    EXPECT_EQ(DEAD[p], want[p].dead);
    EXPECT_EQ(SHOWCURSOR[p], want[p].cursor);
    EXPECT_EQ(STEPPEDON[p], want[p].on);
    EXPECT_EQ(STEPPEDONC[p], want[p].onc);
    EXPECT_EQ(DEATHS[p], want[p].deaths);
    EXPECT_EQ(INTANK[p], want[p].intank);
    EXPECT_EQ(PERMISSION[p], want[p].perm);
    EXPECT_EQ(PLAYERX[p], want[p].x);
    EXPECT_EQ(PLAYERY[p], want[p].y);
    EXPECT_EQ(PLAYERX_[p], want[p].x) << "no step is left half made";
    EXPECT_EQ(PLAYERY_[p], want[p].y);
    EXPECT_FALSE(SHAKE[p]) << "the rest is reset";
  }
}
}  // namespace

namespace {
// The level clock: 33 ms frames make seconds, the stored minutes and seconds
// resume one second back (the next second shows them again), and the count
// stops at the largest time the minutes byte holds.
TEST(LEVELCLOCKTEST, FramesMakeSecondsAndAStoredTimeResumes) {
  const struct {
    int frames;
    int minutes, seconds;
  } cases[] = {{0, 0, 0}, {30, 0, 0}, {31, 0, 1}, {61, 0, 2}, {1818, 0, 59}, {1819, 1, 0}, {3700, 2, 2}};
  for (const auto& c : cases) {
    RESETLEVELCLOCK();
    for (int f = 0; f < c.frames; f++) ADVANCELEVELCLOCK();
    EXPECT_EQ(MINUTES, c.minutes) << c.frames;
    EXPECT_EQ(SECONDS, c.seconds) << c.frames;
  }
  const struct {
    BYTE minutes, seconds;
    int timer, after31m, after31s;
  } stored[] = {{1, 5, 64, 1, 5}, {0, 0, 1, 0, 2}, {0, 1, 0, 0, 1}, {255, 59, 15358, 255, 59}};
  for (const auto& c : stored) {
    MINUTES = c.minutes;
    SECONDS = c.seconds;
    RESUMELEVELCLOCK();
    EXPECT_EQ(TIMER, c.timer);
    for (int f = 0; f < 31; f++) ADVANCELEVELCLOCK();
    EXPECT_EQ(MINUTES, c.after31m) << int(c.minutes) << ":" << int(c.seconds);
    EXPECT_EQ(SECONDS, c.after31s) << int(c.minutes) << ":" << int(c.seconds);
  }
}
}  // namespace
