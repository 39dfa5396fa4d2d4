#include "base/random.h"

#include <chrono>

namespace {
// xorshift64*: small, fast and identical on every platform, so a seeded run
// gives the same levels and the same frames everywhere.
uint64_t state = 0x9E3779B97F4A7C15ull;
uint64_t lastSeed = 0;
// The local generator of link play (RANDOMSPLIT).
uint64_t localState = 0x9E3779B97F4A7C15ull;
bool split = false, localDraws = false;
// The look's own generator (randomLook); never shared with the game's draws.
uint64_t lookState = 0x2545F4914F6CDD1Dull;

uint64_t step(uint64_t& s) {
  s ^= s >> 12;
  s ^= s << 25;
  s ^= s >> 27;
  return s * 0x2545F4914F6CDD1Dull;
}

uint64_t next() { return step(split && localDraws ? localState : state); }

uint64_t mixed(uint64_t seed) {
  uint64_t z = seed + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return z ? z : 0x9E3779B97F4A7C15ull;
}
}  // namespace

void RANDSEED(uint64_t seed) {
  lastSeed = seed;
  // Mix the seed so that small seeds (level numbers) still give well spread states.
  state = mixed(seed);
  // The look's generator starts afresh with every seed too, so a seeded run
  // draws the same frames in either look from the same start.
  lookState = mixed(~seed);
}

uint64_t RANDSTATE() { return state; }

void RANDOMSPLIT(bool on, uint64_t seed) {
  split = on;
  localDraws = false;
  if (on) localState = mixed(seed);
}

int32_t randomLocal(int32_t n) {
  if (n <= 0) return 0;
  return static_cast<int32_t>((step(split ? localState : state) >> 11) % static_cast<uint64_t>(n));
}

int32_t randomLook(int32_t n) {
  if (n <= 0) return 0;
  return static_cast<int32_t>((step(lookState) >> 11) % static_cast<uint64_t>(n));
}

void RANDOMLOCAL(bool on) { localDraws = on; }

void RANDOMIZE() {
  RANDSEED(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

uint64_t RANDSEEDVALUE() { return lastSeed; }

int32_t random(int32_t n) {
  if (n <= 0) return 0;
  return static_cast<int32_t>((next() >> 11) % static_cast<uint64_t>(n));
}

double randomReal() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
