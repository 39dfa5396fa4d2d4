// Two linked games as real programs on the loopback interface: a deathmatch
// played by scripts on both sides ends in the same state on both machines,
// a chat line reaches the other player's log, and a peer that is killed,
// stalls, sends garbage or speaks another protocol ends the link game with
// its message and exit code.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "base/harness.h"
#include "linkrun.h"
#include "net/linksession.h"
#include "net/lockstep.h"
#include "net/netlink.h"
#include "test_util.h"

using linkrun::FREEPORT;
using linkrun::GAME;
using nlohmann::json;

namespace {
using linkrun::PLAYSCRIPT;

void WRITE(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// Fields that only this machine's view changes: the flash of a monster hit,
// counted down as it is drawn.
json SHARED(json monsters) {
  for (json& m : monsters["list"]) m.erase("hurt");
  return monsters;
}
}  // namespace

TEST(LinkRun, DeathmatchEndsAlikeOnBothMachinesAndChatReachesThePeer) {
  TempDir dir;
  const int frames = 2000;
  const int port = FREEPORT();
  // Player 1 also says something: Enter opens the chat line, Enter sends it.
  WRITE(dir.path + "/p1.txt", PLAYSCRIPT(1, frames,
                                         {{200, "down return"},
                                          {202, "up return"},
                                          {210, "text gg wp"},
                                          {220, "down return"},
                                          {222, "up return"}}));
  WRITE(dir.path + "/p2.txt", PLAYSCRIPT(2, frames));
  const std::string common = " --frames " + std::to_string(frames);
  GAME two(dir.path, "two",
           "--link-listen " + std::to_string(port) + " --input " + dir.path + "/p2.txt --dump-state " + dir.path +
               "/two.json" + common);
  GAME one(dir.path, "one",
           "50 --seed 11 --link-connect 127.0.0.1:" + std::to_string(port) + " --input " + dir.path +
               "/p1.txt --dump-state " + dir.path + "/one.json" + common);
  ASSERT_EQ(one.WAIT(600), 0) << one.OUTPUT();
  ASSERT_EQ(two.WAIT(60), 0) << two.OUTPUT();
  const json a = PARSEDUMP(linkrun::READALL(dir.path + "/one.json"));
  const json b = PARSEDUMP(linkrun::READALL(dir.path + "/two.json"));
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_EQ(a["currentmap"], 50);
  EXPECT_EQ(a["link"]["mynumber"], 1);
  EXPECT_EQ(b["link"]["mynumber"], 2);
  EXPECT_EQ(a["link"]["state"], "playing");
  EXPECT_EQ(a["link"]["desyncframe"], -1);
  EXPECT_GT(a["link"]["checks"].get<int>(), frames / 2 / static_cast<int>(LINKCHECKEVERY) - 4);
  EXPECT_EQ(a["frames"], b["frames"]);
  for (const char* f : {"players", "map", "projectiles", "pickups", "doors", "tanks", "victory", "nextmap", "counters"})
    EXPECT_EQ(a[f], b[f]) << f;
  EXPECT_EQ(SHARED(a["monsters"]), SHARED(b["monsters"]));
  // The scripts did play: both players moved away from where they began.
  for (int p = 0; p < 2; p++)
    EXPECT_TRUE(a["players"][p]["x"] != a["players"][p]["startx"] || a["players"][p]["y"] != a["players"][p]["starty"])
        << "player " << p + 1 << " never moved";
  // The chat line is in both logs: the sender's and the other player's.
  const std::string line = "rookie: gg wp";
  auto logged = [&](const json& d) {
    for (const json& m : d["messages"])
      if (m["text"] == line) return true;
    return false;
  };
  EXPECT_TRUE(logged(b)) << b["messages"].dump();
  EXPECT_TRUE(logged(a)) << a["messages"].dump();
}

TEST(LinkRun, APeerKilledMidGameEndsTheOtherWithConnectionLost) {
  TempDir dir;
  const int port = FREEPORT();
  GAME two(dir.path, "two", "--link-listen " + std::to_string(port) + " --frames 1000000");
  GAME one(dir.path, "one", "50 --seed 3 --link-connect 127.0.0.1:" + std::to_string(port) + " --frames 1000000");
  ASSERT_TRUE(one.SAYS("playing level 50", 30)) << one.OUTPUT();
  ASSERT_TRUE(two.SAYS("playing level 50", 30)) << two.OUTPUT();
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  one.KILL();
  EXPECT_EQ(two.WAIT(30), EXIT_LINKLOST) << two.OUTPUT();
  EXPECT_NE(two.OUTPUT().find("Connection lost."), std::string::npos) << two.OUTPUT();
}

namespace {
// This test program plays player 1 against a real game waiting on PORT:
// greets (with GREETING), and, when it is accepted, starts level 50.
bool JOIN(int port, const LINKMESSAGE& greeting, LINKMESSAGE& answer) {
  std::string err;
  if (!LINKOPENCONNECT("127.0.0.1", static_cast<uint16_t>(port), err)) return false;
  LINKMESSAGE m;
  for (int i = 0; i < 500; i++) {
    const LINKEVENT e = LINKSERVICE(20, m, err);
    if (e == LINK_CONNECTED) break;
    if (e == LINK_GONE) return false;
  }
  if (!LINKCONNECTED() || !LINKSEND(greeting)) return false;
  for (int i = 0; i < 500; i++)
    if (LINKSERVICE(20, answer, err) == LINK_MESSAGE) return true;
  return false;
}
}  // namespace

TEST(LinkRun, AGreetingOfAnotherProtocolOrBuildIsRefused) {
  struct CASE {
    uint16_t protocol;
    std::string build;
    BYTE reason;
    const char* says;
  } cases[] = {
      {LINKPROTOCOL + 1, LINKBUILDID(), REASON_VERSION, "protocol version 2 offered, 1 needed"},
      {LINKPROTOCOL, "0.0.1+elsewhere", REASON_BUILD, "a different build"},
  };
  for (const CASE& c : cases) {
    TempDir dir;
    const int port = FREEPORT();
    GAME two(dir.path, "two", "--link-listen " + std::to_string(port) + " --frames 100000");
    LINKMESSAGE hello = LINKMYHELLO(), answer;
    hello.PROTOCOL = c.protocol;
    hello.BUILD = c.build;
    ASSERT_TRUE(JOIN(port, hello, answer)) << two.OUTPUT();
    EXPECT_EQ(answer.TYPE, MSG_REFUSE);
    EXPECT_EQ(answer.REASON, c.reason);
    EXPECT_NE(answer.TEXT.find(c.says), std::string::npos) << answer.TEXT;
    LINKCLOSE(false);
    EXPECT_EQ(two.WAIT(30), EXIT_LINKREFUSED) << two.OUTPUT();
    EXPECT_NE(two.OUTPUT().find(c.says), std::string::npos) << two.OUTPUT();
  }
}

TEST(LinkRun, PlayerOneTakingLongToTypeTheLevelKeepsTheOtherWaiting) {
  // Player 1 (this program) types the level number for eight seconds of real
  // time, twice the transport's timeout; the prompt keeps the link alive
  // meanwhile.
  TempDir dir;
  const int port = FREEPORT();
  GAME two(dir.path, "two", "--link-listen " + std::to_string(port) + " --frames 1000000");
  LINKMESSAGE answer;
  ASSERT_TRUE(JOIN(port, LINKMYHELLO(), answer)) << two.OUTPUT();
  ASSERT_EQ(answer.TYPE, MSG_HELLO);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(8);
  while (std::chrono::steady_clock::now() < until) {
    LINKKEEPALIVE();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(LINKCONNECTED()) << two.OUTPUT();
  LINKMESSAGE start;
  start.TYPE = MSG_START;
  start.LEVEL = 50;
  start.SEED = 9;
  start.DELAY = LINKDELAY;
  ASSERT_TRUE(LINKSEND(start));
  EXPECT_TRUE(two.SAYS("playing level 50", 30)) << two.OUTPUT();
  EXPECT_EQ(two.OUTPUT().find("Connection lost."), std::string::npos) << two.OUTPUT();
  LINKCLOSE(false);
  EXPECT_EQ(two.WAIT(30), EXIT_LINKLOST) << two.OUTPUT();
}

TEST(LinkRun, APeerThatStallsOrSendsGarbageEndsTheGameWithConnectionLost) {
  struct CASE {
    const char* what;
    std::vector<uint8_t> bytes;  // sent once the game plays; empty: nothing at all
  } cases[] = {
      {"silence", {}},
      {"an unknown message", {0x63, 1, 2, 3}},
      {"input cut short", {MSG_INPUT, 0, 0}},
      {"input for a cycle long past", {MSG_INPUT, 0, 0, 0, 0, 0x11, 0}},
  };
  for (const CASE& c : cases) {
    TempDir dir;
    const int port = FREEPORT();
    GAME two(dir.path, "two", "--link-listen " + std::to_string(port) + " --frames 1000000");
    LINKMESSAGE answer;
    ASSERT_TRUE(JOIN(port, LINKMYHELLO(), answer)) << c.what << two.OUTPUT();
    ASSERT_EQ(answer.TYPE, MSG_HELLO) << c.what;
    LINKMESSAGE start;
    start.TYPE = MSG_START;
    start.LEVEL = 50;
    start.SEED = 5;
    start.DELAY = LINKDELAY;
    ASSERT_TRUE(LINKSEND(start));
    ASSERT_TRUE(two.SAYS("playing level 50", 30)) << c.what << two.OUTPUT();
    if (!c.bytes.empty()) LINKSENDRAW(c.bytes);
    // Keep the connection itself alive: only the game's messages misbehave.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    LINKMESSAGE m;
    std::string err;
    while (std::chrono::steady_clock::now() < until && two.WAIT(0) < 0)
      if (LINKSERVICE(20, m, err) == LINK_GONE) break;
    LINKCLOSE(false);
    EXPECT_EQ(two.WAIT(30), EXIT_LINKLOST) << c.what << two.OUTPUT();
    EXPECT_NE(two.OUTPUT().find("Connection lost."), std::string::npos) << c.what << two.OUTPUT();
  }
}

TEST(LinkRun, AChecksumThatDiffersIsReportedWithItsFrame) {
  // This program plays player 1 honestly (no keys) but reports a wrong
  // checksum at one cycle: the game must stop there and name the frame.
  for (uint32_t cycle : {0u, 16u}) {
    TempDir dir;
    const int port = FREEPORT();
    GAME two(dir.path, "two", "--link-listen " + std::to_string(port) + " --frames 1000000");
    LINKMESSAGE answer;
    ASSERT_TRUE(JOIN(port, LINKMYHELLO(), answer)) << two.OUTPUT();
    LINKMESSAGE m;
    m.TYPE = MSG_START;
    m.LEVEL = 50;
    m.SEED = 21;
    m.DELAY = LINKDELAY;
    ASSERT_TRUE(LINKSEND(m));
    for (uint32_t c = LINKDELAY; c <= cycle + LINKDELAY + 4; c++) {
      LINKMESSAGE in;
      in.TYPE = MSG_INPUT;
      in.CYCLE = c;
      ASSERT_TRUE(LINKSEND(in));
    }
    LINKMESSAGE check;
    check.TYPE = MSG_CHECK;
    check.CYCLE = cycle;
    check.CHECKSUM = 12345;
    ASSERT_TRUE(LINKSEND(check));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool told = false;
    std::string err;
    while (std::chrono::steady_clock::now() < until && two.WAIT(0) < 0) {
      const LINKEVENT e = LINKSERVICE(20, m, err);
      if (e == LINK_MESSAGE && m.TYPE == MSG_BYE && m.REASON == REASON_DESYNC) told = m.CYCLE == cycle;
      if (e == LINK_GONE) break;
    }
    LINKCLOSE(false);
    EXPECT_EQ(two.WAIT(30), EXIT_DESYNC) << two.OUTPUT();
    EXPECT_NE(two.OUTPUT().find("Desynchronised at frame " + std::to_string(2 * cycle) + "."), std::string::npos)
        << two.OUTPUT();
    EXPECT_TRUE(told) << "the peer is told at which cycle";
  }
}

TEST(LinkRun, EscapeByPlayerTwoEndsTheGameOnBothMachinesAtTheSameFrame) {
  TempDir dir;
  const int port = FREEPORT();
  WRITE(dir.path + "/p2.txt", "300 down escape\n304 up escape\n");
  GAME two(dir.path, "two",
           "--link-listen " + std::to_string(port) + " --input " + dir.path + "/p2.txt --frames 5000 --dump-state " +
               dir.path + "/two.json");
  GAME one(dir.path, "one",
           "50 --seed 4 --link-connect 127.0.0.1:" + std::to_string(port) + " --frames 5000 --dump-state " + dir.path +
               "/one.json");
  EXPECT_EQ(one.WAIT(300), 0) << one.OUTPUT();
  EXPECT_EQ(two.WAIT(60), 0) << two.OUTPUT();
  const json a = PARSEDUMP(linkrun::READALL(dir.path + "/one.json"));
  const json b = PARSEDUMP(linkrun::READALL(dir.path + "/two.json"));
  // Both left well before the frame limit, on the same input cycle.
  EXPECT_LT(a["frames"].get<int>(), 1000);
  EXPECT_EQ(a["link"]["cycle"], b["link"]["cycle"]);
  EXPECT_EQ(a["players"], b["players"]);
  EXPECT_NE(one.OUTPUT().find("Closing connection."), std::string::npos) << one.OUTPUT();
}
