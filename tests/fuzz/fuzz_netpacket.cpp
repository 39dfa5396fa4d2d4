// The link's packet reader: every packet a peer could send. A packet that
// reads as a message must write back to the same bytes and read again as
// the same message, and the lockstep takes it without fault.
#include <cstdint>
#include <cstdlib>

#include "net/lockstep.h"
#include "net/netwire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LINKMESSAGE m;
  std::string err;
  if (!READMESSAGE(data, size, m, err)) return 0;
  const std::vector<uint8_t> back = ENCODEMESSAGE(m);
  LINKMESSAGE again;
  if (!READMESSAGE(back.data(), back.size(), again, err) || ENCODEMESSAGE(again) != back) std::abort();
  // A greeting of another protocol is read only up to its version.
  if (m.TYPE != MSG_HELLO || m.PROTOCOL == LINKPROTOCOL)
    if (back.size() != size) std::abort();
  // Play messages go through the lockstep's handling as during a game.
  LOCKSTEPSTART(LINKDELAY);
  LINKHANDLEMESSAGE(m);
  return 0;
}
