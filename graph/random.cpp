#include "random.h"

#include <chrono>

std::mt19937& randomEngine() {
    static std::mt19937 engine(5489u);
    return engine;
}

void seedRandomFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    randomEngine().seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

void seedRandom(std::uint32_t seed) {
    randomEngine().seed(seed);
}

int randomBelow(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(randomEngine());
}
