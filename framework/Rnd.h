// Random numbers for program code. Not thread-safe: call from the program's thread.
#pragma once

#include <cstdint>

// A random real from 0 up to but not including 1, from a generator seeded from the
// system's entropy at start.
double Rnd();
// Seeds the generator (tests).
void RndSeed(uint64_t seed);
// A real converted to a 32-bit integer, truncating toward zero; out of range saturates and
// NaN gives 0.
int32_t ToInt32(double value);
