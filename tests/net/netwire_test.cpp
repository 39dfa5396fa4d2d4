// The link's wire format: messages written byte by byte here (the layout a
// peer relies on) are read back field by field, every message survives a
// round trip, and every malformed packet is refused with a reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/settings.h"
#include "net/linksession.h"
#include "net/netwire.h"

namespace {
using BYTES = std::vector<uint8_t>;

BYTES text(const std::string& s) {
  BYTES b{static_cast<uint8_t>(s.size())};
  b.insert(b.end(), s.begin(), s.end());
  return b;
}
BYTES cat(std::initializer_list<BYTES> parts) {
  BYTES out;
  for (const BYTES& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
bool read(const BYTES& b, LINKMESSAGE& m, std::string& err) { return READMESSAGE(b.data(), b.size(), m, err); }

const BYTES HELLO = cat({{1, 'A', 'S', 'H', 'L', 0, LINKPROTOCOL}, text("0.1.0+abc"), text("main"), text("rookie"), {10}});
}  // namespace

TEST(NetWire, HandWrittenMessagesReadFieldByField) {
  LINKMESSAGE m;
  std::string err;
  ASSERT_TRUE(read(HELLO, m, err)) << err;
  EXPECT_EQ(m.TYPE, MSG_HELLO);
  EXPECT_EQ(m.PROTOCOL, LINKPROTOCOL);
  EXPECT_EQ(m.BUILD, "0.1.0+abc");
  EXPECT_EQ(m.CAMPAIGN, "main");
  EXPECT_EQ(m.NAME, "rookie");
  EXPECT_EQ(m.COLOR, 10);

  // Numbers are big-endian.
  ASSERT_TRUE(read({3, 50, 0, 0, 0, 0, 0, 0, 1, 2, 2}, m, err)) << err;
  EXPECT_EQ(m.LEVEL, 50);
  EXPECT_EQ(m.SEED, 258u);
  EXPECT_EQ(m.DELAY, 2);
  ASSERT_TRUE(read({4, 0, 1, 0, 3, 0x21, 16}, m, err)) << err;
  EXPECT_EQ(m.CYCLE, 65539u);
  EXPECT_EQ(m.PORT60, 0x21);
  EXPECT_EQ(m.MOUSESTATUS, 16);
  ASSERT_TRUE(read({5, 0, 0, 0, 8, 0xDE, 0xAD, 0xBE, 0xEF}, m, err)) << err;
  EXPECT_EQ(m.CYCLE, 8u);
  EXPECT_EQ(m.CHECKSUM, 0xDEADBEEFu);
  ASSERT_TRUE(read(cat({{6}, text("hi there")}), m, err)) << err;
  EXPECT_EQ(m.TEXT, "hi there");
  ASSERT_TRUE(read({7, REASON_DESYNC, 0, 0, 1, 0}, m, err)) << err;
  EXPECT_EQ(m.REASON, REASON_DESYNC);
  EXPECT_EQ(m.CYCLE, 256u);
  // A greeting of another protocol is read up to its version, whatever follows.
  ASSERT_TRUE(read({1, 'A', 'S', 'H', 'L', 0, 99, 0xFF, 0xFF}, m, err)) << err;
  EXPECT_EQ(m.PROTOCOL, 99);
}

TEST(NetWire, EveryMessageSurvivesARoundTrip) {
  std::vector<LINKMESSAGE> all(7);
  all[0].TYPE = MSG_HELLO;
  all[0].PROTOCOL = LINKPROTOCOL;
  all[0].BUILD = "b";
  all[0].CAMPAIGN = "main";
  all[0].NAME = "0123456789";
  all[0].COLOR = 15;
  all[1].TYPE = MSG_REFUSE;
  all[1].REASON = REASON_BUILD;
  all[1].TEXT = "no";
  all[2].TYPE = MSG_START;
  all[2].LEVEL = 255;
  all[2].SEED = 0xFFFFFFFFFFFFFFFFull;
  all[2].DELAY = LINKMAXDELAY;
  all[3].TYPE = MSG_INPUT;
  all[3].CYCLE = 0xFFFFFFFFu;
  all[3].PORT60 = 0x7F;
  all[3].MOUSESTATUS = 38;
  all[4].TYPE = MSG_CHECK;
  all[4].CHECKSUM = 1;
  all[5].TYPE = MSG_CHAT;
  all[5].TEXT = std::string(LINKMAXCHAT, '~');
  all[6].TYPE = MSG_BYE;
  all[6].REASON = REASON_QUIT;
  for (const LINKMESSAGE& m : all) {
    const BYTES b = ENCODEMESSAGE(m);
    LINKMESSAGE back;
    std::string err;
    ASSERT_TRUE(read(b, back, err)) << "type " << int(m.TYPE) << ": " << err;
    EXPECT_EQ(ENCODEMESSAGE(back), b) << "type " << int(m.TYPE);
    // Every shorter packet is refused: no message reads past its end.
    for (size_t n = 0; n < b.size(); n++)
      EXPECT_FALSE(READMESSAGE(b.data(), n, back, err)) << "type " << int(m.TYPE) << " cut to " << n;
  }
  // Texts longer than their limit leave cut to it.
  LINKMESSAGE chat;
  chat.TYPE = MSG_CHAT;
  chat.TEXT = std::string(200, 'a');
  LINKMESSAGE back;
  std::string err;
  ASSERT_TRUE(read(ENCODEMESSAGE(chat), back, err));
  EXPECT_EQ(back.TEXT.size(), LINKMAXCHAT);
}

TEST(NetWire, MalformedPacketsAreRefusedWithAReason) {
  struct CASE {
    const char* what;
    BYTES bytes;
    const char* reason;  // a part of the refusal's text
  } cases[] = {
      {"empty", {}, "empty"},
      {"unknown type", {9, 0}, "unknown message type 9"},
      {"type 0", {0}, "unknown message type 0"},
      {"wrong mark", cat({{1, 'X', 'S', 'H', 'L', 0, 1}, text("b"), text("c"), text("n"), {1}}), "mark"},
      {"byte left over", {4, 0, 0, 0, 1, 0, 0, 0}, "1 bytes after the end"},
      {"name too long", cat({{1, 'A', 'S', 'H', 'L', 0, LINKPROTOCOL}, text("b"), text("c"), text("01234567890"), {1}}),
       "at most 10"},
      {"length past the end", {6, 5, 'a', 'b'}, "ends inside the chat line"},
      {"control byte in a chat line", cat({{6}, text("a\nb")}), "control"},
      {"byte above 126 in a name", cat({{1, 'A', 'S', 'H', 'L', 0, LINKPROTOCOL}, text("b"), text("c"), text("\xC9"), {1}}),
       "non-ASCII"},
      {"colour above 15", cat({{1, 'A', 'S', 'H', 'L', 0, LINKPROTOCOL}, text("b"), text("c"), text("n"), {16}}), "colour"},
      {"key release code", {4, 0, 0, 0, 1, 0x9E, 0}, "key code"},
      {"mouse direction 9", {4, 0, 0, 0, 1, 0, 9}, "mouse status"},
      {"mouse buttons 4", {4, 0, 0, 0, 1, 0, 41}, "mouse status"},
      {"input delay too long", {3, 50, 0, 0, 0, 0, 0, 0, 0, 1, LINKMAXDELAY + 1}, "input delay"},
  };
  for (const CASE& c : cases) {
    LINKMESSAGE m;
    std::string err;
    EXPECT_FALSE(read(c.bytes, m, err)) << c.what;
    EXPECT_NE(err.find(c.reason), std::string::npos) << c.what << ": " << err;
  }
}

TEST(NetWire, GreetingsAreJudgedByProtocolBuildAndCampaign) {
  GAME = "main";
  struct CASE {
    uint16_t protocol;
    std::string build, campaign;
    BYTE reason;
  } cases[] = {
      {LINKPROTOCOL, LINKBUILDID(), "main", REASON_NONE},
      {LINKPROTOCOL, LINKBUILDID(), "MAIN", REASON_NONE},  // folder names compare without case
      {LINKPROTOCOL + 1, LINKBUILDID(), "main", REASON_VERSION},
      {LINKPROTOCOL, LINKBUILDID() + "x", "main", REASON_BUILD},
      {LINKPROTOCOL, LINKBUILDID(), "other", REASON_CAMPAIGN},
  };
  for (const CASE& c : cases) {
    LINKMESSAGE h = LINKMYHELLO();
    h.PROTOCOL = c.protocol;
    h.BUILD = c.build;
    h.CAMPAIGN = c.campaign;
    BYTE reason = 99;
    const std::string why = LINKCHECKHELLO(h, reason);
    EXPECT_EQ(reason, c.reason) << c.campaign << " " << c.build;
    EXPECT_EQ(why.empty(), c.reason == REASON_NONE) << why;
  }
}
