#include "net/netwire.h"

#ifndef ASHEN_BUILDID
#define ASHEN_BUILDID "unknown"
#endif

namespace {
void put8(std::vector<uint8_t>& b, BYTE v) { b.push_back(v); }
void put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
void put64(std::vector<uint8_t>& b, uint64_t v) {
  for (int s = 56; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}
void putText(std::vector<uint8_t>& b, const std::string& s, size_t limit) {
  const size_t n = s.size() < limit ? s.size() : limit;
  b.push_back(static_cast<uint8_t>(n));
  b.insert(b.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

// A cursor over one packet; every read checks the bytes left.
struct READER {
  const uint8_t* P;
  size_t LEFT;
  std::string& ERR;

  bool fail(const std::string& what) {
    if (ERR.empty()) ERR = what;
    return false;
  }
  bool u8(BYTE& v, const char* field) {
    if (LEFT < 1) return fail(std::string("message ends inside ") + field);
    v = *P++;
    LEFT--;
    return true;
  }
  bool u16(uint16_t& v, const char* field) {
    if (LEFT < 2) return fail(std::string("message ends inside ") + field);
    v = static_cast<uint16_t>(P[0] << 8 | P[1]);
    P += 2;
    LEFT -= 2;
    return true;
  }
  bool u32(uint32_t& v, const char* field) {
    if (LEFT < 4) return fail(std::string("message ends inside ") + field);
    v = 0;
    for (int i = 0; i < 4; i++) v = v << 8 | P[i];
    P += 4;
    LEFT -= 4;
    return true;
  }
  bool u64(uint64_t& v, const char* field) {
    if (LEFT < 8) return fail(std::string("message ends inside ") + field);
    v = 0;
    for (int i = 0; i < 8; i++) v = v << 8 | P[i];
    P += 8;
    LEFT -= 8;
    return true;
  }
  // A length byte, then that many printable characters (32..126).
  bool text(std::string& s, size_t limit, const char* field) {
    BYTE n = 0;
    if (!u8(n, field)) return false;
    if (n > limit)
      return fail(std::string(field) + " of " + std::to_string(n) + " characters (at most " +
                  std::to_string(limit) + ")");
    if (LEFT < n) return fail(std::string("message ends inside ") + field);
    s.assign(reinterpret_cast<const char*>(P), n);
    for (unsigned char c : s)
      if (c < 32 || c > 126) return fail(std::string(field) + " holds a control or non-ASCII byte");
    P += n;
    LEFT -= n;
    return true;
  }
};
}  // namespace

std::string LINKBUILDID() { return std::string(ASHEN_VERSION) + "+" + ASHEN_BUILDID; }

std::vector<uint8_t> ENCODEMESSAGE(const LINKMESSAGE& m) {
  std::vector<uint8_t> b;
  b.reserve(64);  // room for a whole message up front (and no growth from one byte)
  put8(b, m.TYPE);
  switch (m.TYPE) {
    case MSG_HELLO:
      b.insert(b.end(), LINKMAGIC, LINKMAGIC + 4);
      put16(b, m.PROTOCOL);
      putText(b, m.BUILD, LINKMAXBUILD);
      putText(b, m.CAMPAIGN, LINKMAXCAMPAIGN);
      putText(b, m.NAME, LINKMAXNAME);
      put8(b, m.COLOR);
      break;
    case MSG_REFUSE:
      put8(b, m.REASON);
      putText(b, m.TEXT, LINKMAXTEXT);
      break;
    case MSG_START:
      put8(b, m.LEVEL);
      put64(b, m.SEED);
      put8(b, m.DELAY);
      break;
    case MSG_INPUT:
      put32(b, m.CYCLE);
      put8(b, m.PORT60);
      put8(b, m.MOUSESTATUS);
      break;
    case MSG_CHECK:
      put32(b, m.CYCLE);
      put32(b, m.CHECKSUM);
      break;
    case MSG_CHAT:
      putText(b, m.TEXT, LINKMAXCHAT);
      break;
    case MSG_BYE:
      put8(b, m.REASON);
      put32(b, m.CYCLE);
      break;
    default:
      break;
  }
  return b;
}

bool READMESSAGE(const uint8_t* data, size_t size, LINKMESSAGE& m, std::string& err) {
  m = LINKMESSAGE();
  err.clear();
  if (data == nullptr || size == 0) {
    err = "empty message";
    return false;
  }
  READER r{data, size, err};
  bool ok = r.u8(m.TYPE, "the type");
  switch (m.TYPE) {
    case MSG_HELLO: {
      if (r.LEFT < 4 || std::string(reinterpret_cast<const char*>(r.P), 4) != LINKMAGIC) {
        err = "greeting without this game's mark";
        return false;
      }
      r.P += 4;
      r.LEFT -= 4;
      ok = r.u16(m.PROTOCOL, "the protocol version");
      // A greeting of another protocol is still read up to its version, so
      // that the refusal can name it; the rest may differ.
      if (ok && m.PROTOCOL != LINKPROTOCOL) return true;
      ok = ok && r.text(m.BUILD, LINKMAXBUILD, "the build id") &&
           r.text(m.CAMPAIGN, LINKMAXCAMPAIGN, "the campaign name") &&
           r.text(m.NAME, LINKMAXNAME, "the player name") && r.u8(m.COLOR, "the colour");
      if (ok && m.COLOR > 15) return r.fail("colour " + std::to_string(m.COLOR) + " is not 0..15");
      break;
    }
    case MSG_REFUSE:
      ok = r.u8(m.REASON, "the reason") && r.text(m.TEXT, LINKMAXTEXT, "the explanation");
      break;
    case MSG_START:
      ok = r.u8(m.LEVEL, "the level") && r.u64(m.SEED, "the seed") && r.u8(m.DELAY, "the input delay");
      if (ok && m.DELAY > LINKMAXDELAY)
        return r.fail("input delay " + std::to_string(m.DELAY) + " above " + std::to_string(LINKMAXDELAY));
      break;
    case MSG_INPUT:
      ok = r.u32(m.CYCLE, "the cycle") && r.u8(m.PORT60, "the key code") &&
           r.u8(m.MOUSESTATUS, "the mouse status");
      // A scan code of a held action is below 0x80 (releases are never
      // sent); the mouse status is a direction 0..8 plus 10 per button (0..3).
      if (ok && m.PORT60 >= 0x80) return r.fail("key code " + std::to_string(m.PORT60) + " out of range");
      if (ok && (m.MOUSESTATUS > 38 || m.MOUSESTATUS % 10 > 8))
        return r.fail("mouse status " + std::to_string(m.MOUSESTATUS) + " out of range");
      break;
    case MSG_CHECK:
      ok = r.u32(m.CYCLE, "the cycle") && r.u32(m.CHECKSUM, "the checksum");
      break;
    case MSG_CHAT:
      ok = r.text(m.TEXT, LINKMAXCHAT, "the chat line");
      break;
    case MSG_BYE:
      ok = r.u8(m.REASON, "the reason") && r.u32(m.CYCLE, "the cycle");
      break;
    default:
      if (ok) return r.fail("unknown message type " + std::to_string(m.TYPE));
  }
  if (!ok) return false;
  if (r.LEFT != 0) return r.fail(std::to_string(r.LEFT) + " bytes after the end of the message");
  return true;
}
