// Where a link goes: the typed address and the command-line link options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/harness.h"
#include "net/netlink.h"

TEST(NetAddress, TypedAddressesGiveHostAndPort) {
  struct CASE {
    const char* typed;
    bool ok;
    const char* host;
    uint16_t port;
  } cases[] = {
      {"", true, "127.0.0.1", LINKDEFAULTPORT},
      {"  ", true, "127.0.0.1", LINKDEFAULTPORT},
      {"10.0.0.7", true, "10.0.0.7", LINKDEFAULTPORT},
      {"10.0.0.7:31000", true, "10.0.0.7", 31000},
      {"box.lan:1", true, "box.lan", 1},
      {":65535", true, "127.0.0.1", 65535},
      {"host:0", false, "", 0},
      {"host:65536", false, "", 0},
      {"host:12a", false, "", 0},
      {"host:", false, "", 0},
      {"host:123456", false, "", 0},
      {"two words:80", false, "", 0},
  };
  for (const CASE& c : cases) {
    std::string host;
    uint16_t port = 0;
    EXPECT_EQ(PARSELINKADDRESS(c.typed, host, port), c.ok) << "'" << c.typed << "'";
    if (!c.ok) continue;
    EXPECT_EQ(host, c.host) << c.typed;
    EXPECT_EQ(port, c.port) << c.typed;
  }
}

TEST(NetAddress, CommandLineLinkOptionsAreCheckedBeforeTheGameStarts) {
  struct CASE {
    std::vector<std::string> args;
    bool ok;
    const char* says;  // part of the error
  } cases[] = {
      {{"--link-listen", "24650"}, true, ""},
      {{"50", "--link-connect", "127.0.0.1:24650"}, true, ""},
      {{"--link-listen", "0"}, false, "port number 1..65535"},
      {{"--link-listen", "70000"}, false, "port number 1..65535"},
      {{"--link-listen", "x"}, false, "port number"},
      {{"--link-connect", "hostonly"}, false, "HOST:PORT"},
      {{"--link-listen", "1", "--link-connect", "h:2"}, false, "not both"},
      {{"--link-listen"}, false, "needs a value"},
  };
  for (const CASE& c : cases) {
    std::vector<std::string> words = {"ashenreach"};
    words.insert(words.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    std::string err;
    EXPECT_EQ(PARSEHARNESS(static_cast<int>(argv.size()), argv.data(), err), c.ok) << words.back();
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
  HARNESS = HARNESSOPTIONS();
}
