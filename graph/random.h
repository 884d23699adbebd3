#pragma once

#include <cstdint>
#include <random>

// The program's one pseudo-random generator. It is seeded from the clock when
// the main and the heuristic window are created; tests seed it themselves.
std::mt19937& randomEngine();
void seedRandomFromClock();
void seedRandom(std::uint32_t seed);
// A uniform integer from 0 to n - 1, for n >= 1.
int randomBelow(int n);
