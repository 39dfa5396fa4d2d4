// The one process-wide pseudo-random generator.
#pragma once
#include <cstdint>

// 0..n-1; 0 when n <= 0.
int32_t random(int32_t n);
// Real number in [0, 1).
double randomReal();
void RANDSEED(uint64_t seed);
// Seed from the clock (start-up without --seed).
void RANDOMIZE();
// The seed last set (for the state dump and reproducible runs).
uint64_t RANDSEEDVALUE();
