#include "base/random.h"

#include <chrono>

namespace {
// xorshift64*: small, fast and identical on every platform, so a seeded run
// gives the same levels and the same frames everywhere.
uint64_t state = 0x9E3779B97F4A7C15ull;
uint64_t lastSeed = 0;

uint64_t next() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return state * 0x2545F4914F6CDD1Dull;
}
}  // namespace

void RANDSEED(uint64_t seed) {
  lastSeed = seed;
  // Mix the seed so that small seeds (level numbers) still give well spread states.
  uint64_t z = seed + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  state = z ? z : 0x9E3779B97F4A7C15ull;
}

void RANDOMIZE() {
  RANDSEED(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

uint64_t RANDSEEDVALUE() { return lastSeed; }

int32_t random(int32_t n) {
  if (n <= 0) return 0;
  return static_cast<int32_t>((next() >> 11) % static_cast<uint64_t>(n));
}

double randomReal() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
