#pragma once
#include <cstdint>

// The saver's one random source: a 15-bit linear congruential generator whose
// sequence for a given seed is fixed, so `sorrowline-db sentences --seed S`
// reproduces what a saver seeded with S would show.
void SeedRandom(uint32_t seed);

// A value in 0..n-1: the 15-bit draw scaled to 0..n-1 and rounded, so the two
// end values come up half as often as the others. n <= 1 gives 0 (a draw is
// still taken, keeping the sequence aligned).
int RandomInt(int n);
