#include "random_graphs.h"

#include "graph/random.h"

GraphStore randomGraph(int n, double p, std::uint64_t seed) {
    RandomGenerator random(seed);
    // 53 bits of a draw as a fraction in [0, 1): p = 0 joins nothing, p = 1 all.
    return numberedGraph(n, [&](int, int) { return double(random.next() >> 11) * 0x1.0p-53 < p; });
}
