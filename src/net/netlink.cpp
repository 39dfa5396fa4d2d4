#include "net/netlink.h"

#include <enet/enet.h>

#include <chrono>
#include <deque>

const char* const LINKDEFAULTHOST = "127.0.0.1";
uint64_t LINKBYTESSENT = 0, LINKBYTESRECEIVED = 0, LINKPACKETSSENT = 0, LINKPACKETSRECEIVED = 0;

namespace {
// A message is small; anything larger is refused by the transport itself
// before it is stored.
constexpr size_t MAXPACKET = 512;
// The peer counts as gone when it has not acknowledged for this long.
constexpr enet_uint32 TIMEOUTMIN = 2000, TIMEOUTMAX = 4000;

bool STARTED = false;
ENetHost* HOST = nullptr;
ENetPeer* PEER = nullptr;

// Events taken by LINKKEEPALIVE, handed out by LINKSERVICE before new ones.
struct PENDING {
  LINKEVENT E = LINK_NOTHING;
  LINKMESSAGE M;
  std::string ERR;
};
std::deque<PENDING> KEPT;
constexpr size_t MAXKEPT = 64;

bool start(std::string& err) {
  if (!STARTED) {
    if (enet_initialize() != 0) {
      err = "the network library could not start";
      return false;
    }
    STARTED = true;
  }
  return true;
}

void limit(ENetHost* h) {
  h->maximumPacketSize = MAXPACKET;
  h->maximumWaitingData = 64 * MAXPACKET;
}

void resetCounts() { LINKBYTESSENT = LINKBYTESRECEIVED = LINKPACKETSSENT = LINKPACKETSRECEIVED = 0; }
}  // namespace

bool PARSELINKADDRESS(const std::string& text, std::string& host, uint16_t& port) {
  std::string t = text;
  while (!t.empty() && t.back() == ' ') t.pop_back();
  while (!t.empty() && t.front() == ' ') t.erase(t.begin());
  port = LINKDEFAULTPORT;
  const size_t colon = t.rfind(':');
  host = t.substr(0, colon);
  if (colon != std::string::npos) {
    const std::string p = t.substr(colon + 1);
    if (p.empty() || p.size() > 5) return false;
    uint32_t v = 0;
    for (char c : p) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    if (v < 1 || v > 65535) return false;
    port = static_cast<uint16_t>(v);
  }
  if (host.empty()) host = LINKDEFAULTHOST;
  for (char c : host)
    if (c <= ' ' || c > '~') return false;
  return host.size() <= 253;
}

bool LINKOPENLISTEN(uint16_t port, std::string& err) {
  LINKCLOSE(false);
  if (!start(err)) return false;
  ENetAddress a;
  a.host = ENET_HOST_ANY;
  a.port = port;
  // One peer: a second game trying to join is turned away by the transport.
  HOST = enet_host_create(&a, 1, 1, 0, 0);
  if (!HOST) {
    err = "cannot listen on port " + std::to_string(port) + " (is it in use?)";
    return false;
  }
  limit(HOST);
  resetCounts();
  return true;
}

bool LINKOPENCONNECT(const std::string& host, uint16_t port, std::string& err) {
  LINKCLOSE(false);
  if (!start(err)) return false;
  ENetAddress a;
  if (enet_address_set_host(&a, host.c_str()) != 0) {
    err = "unknown address " + host;
    return false;
  }
  a.port = port;
  HOST = enet_host_create(nullptr, 1, 1, 0, 0);
  if (!HOST) {
    err = "the network library could not open a connection";
    return false;
  }
  limit(HOST);
  PEER = enet_host_connect(HOST, &a, 1, LINKPROTOCOL);
  if (!PEER) {
    err = "cannot connect to " + host;
    LINKCLOSE(false);
    return false;
  }
  enet_peer_timeout(PEER, 0, TIMEOUTMIN, TIMEOUTMAX);
  resetCounts();
  return true;
}

bool LINKCONNECTED() { return PEER != nullptr && PEER->state == ENET_PEER_STATE_CONNECTED; }

namespace {
LINKEVENT serviceOnce(uint32_t ms, LINKMESSAGE& m, std::string& err) {
  if (!HOST) return LINK_GONE;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    ENetEvent e;
    const auto now = std::chrono::steady_clock::now();
    const auto left = now < until ? std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count() : 0;
    const int r = enet_host_service(HOST, &e, static_cast<enet_uint32>(left));
    if (r < 0) {
      err = "the network failed";
      return LINK_GONE;
    }
    if (r == 0) return LINK_NOTHING;
    switch (e.type) {
      case ENET_EVENT_TYPE_CONNECT:
        PEER = e.peer;
        enet_peer_timeout(PEER, 0, TIMEOUTMIN, TIMEOUTMAX);
        return LINK_CONNECTED;
      case ENET_EVENT_TYPE_DISCONNECT:
        if (e.peer == PEER) {
          PEER = nullptr;
          return LINK_GONE;
        }
        break;
      case ENET_EVENT_TYPE_RECEIVE: {
        LINKBYTESRECEIVED += e.packet->dataLength;
        LINKPACKETSRECEIVED++;
        const bool ok = READMESSAGE(e.packet->data, e.packet->dataLength, m, err);
        enet_packet_destroy(e.packet);
        return ok ? LINK_MESSAGE : LINK_GARBAGE;
      }
      default:
        break;
    }
    if (std::chrono::steady_clock::now() >= until) return LINK_NOTHING;
  }
}
}  // namespace

LINKEVENT LINKSERVICE(uint32_t ms, LINKMESSAGE& m, std::string& err) {
  if (!KEPT.empty()) {
    const PENDING p = KEPT.front();
    KEPT.pop_front();
    m = p.M;
    err = p.ERR;
    return p.E;
  }
  return serviceOnce(ms, m, err);
}

void LINKKEEPALIVE() {
  if (!HOST) return;
  // A peer that sends more than the queue holds while nobody reads is not a
  // game playing by the rules: the overflow counts as garbage.
  while (KEPT.size() < MAXKEPT) {
    PENDING p;
    p.E = serviceOnce(0, p.M, p.ERR);
    if (p.E == LINK_NOTHING) return;
    KEPT.push_back(p);
    if (p.E == LINK_GONE) return;
  }
  PENDING full;
  full.E = LINK_GARBAGE;
  full.ERR = "too many messages while this game was busy";
  KEPT.back() = full;
}

bool LINKSEND(const LINKMESSAGE& m) { return LINKSENDRAW(ENCODEMESSAGE(m)); }

bool LINKSENDRAW(const std::vector<uint8_t>& b) {
  if (!LINKCONNECTED() || b.empty()) return false;
  ENetPacket* p = enet_packet_create(b.data(), b.size(), ENET_PACKET_FLAG_RELIABLE);
  if (!p) return false;
  if (enet_peer_send(PEER, 0, p) != 0) {
    enet_packet_destroy(p);
    return false;
  }
  LINKBYTESSENT += b.size();
  LINKPACKETSSENT++;
  enet_host_flush(HOST);
  return true;
}

void LINKCLOSE(bool graceful) {
  KEPT.clear();
  if (!HOST) return;
  if (PEER && graceful && LINKCONNECTED()) {
    enet_peer_disconnect_later(PEER, 0);
    // Give the queued messages and the goodbye a moment to arrive.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1000);
    ENetEvent e;
    while (std::chrono::steady_clock::now() < until) {
      const int r = enet_host_service(HOST, &e, 20);
      if (r < 0) break;
      if (r == 0) continue;
      if (e.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(e.packet);
      if (e.type == ENET_EVENT_TYPE_DISCONNECT) break;
    }
  }
  if (PEER) enet_peer_reset(PEER);
  PEER = nullptr;
  enet_host_destroy(HOST);
  HOST = nullptr;
}
