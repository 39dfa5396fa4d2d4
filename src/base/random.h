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
// The generator's current state (the link's state checksum compares it).
uint64_t RANDSTATE();

// Draws that change only what this machine shows or plays (which hurt sound,
// a flicker of the view) must not move the shared generator in link play,
// where both machines draw the same shared numbers in the same order.
// RANDOMSPLIT(true) gives such draws a generator of their own, seeded with
// SEED; without it they come from the shared one as every other draw.
void RANDOMSPLIT(bool on, uint64_t seed = 0);
// 0..n-1 from the local generator (the shared one unless split).
int32_t randomLocal(int32_t n);
// 0..n-1 from the look's own generator, which no other draw touches: for
// draws that only one of the two looks makes (the classic look's mottled
// brightness and colours). The shared generator then sees the same draws in
// both looks, so the look never changes how a game plays or how a recorded
// input replays.
int32_t randomLook(int32_t n);
// While on (and split), every random() draw comes from the local generator:
// used around drawing a frame, which only shows my player's view.
void RANDOMLOCAL(bool on);
