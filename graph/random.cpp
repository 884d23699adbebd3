#include "random.h"

#include <chrono>

RandomGenerator& randomEngine() {
    static RandomGenerator engine;
    return engine;
}

void seedRandomFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    randomEngine().reseed(std::uint64_t(ticks));
}

void seedRandom(std::uint64_t seed) {
    randomEngine().reseed(seed);
}

int randomBelow(int n) {
    return int(randomEngine().below(std::uint32_t(n)));
}
