#include "random.h"

#include <chrono>

std::mt19937& RandomEngine() {
    static std::mt19937 engine(5489u);
    return engine;
}

void RandomSeedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    RandomEngine().seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

void RandomSeed(std::uint32_t seed) {
    RandomEngine().seed(seed);
}

int Random(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(RandomEngine());
}
