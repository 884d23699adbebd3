#include "random_graphs.h"

#include <random>

GraphStore randomGraph(int n, double p, std::uint64_t seed) {
    // The standard engine with its canonical draw, both fully specified: the
    // same seed gives the same graph with every standard library, and the
    // graphs the benchmarks have always measured stay the same.
    std::mt19937 engine(std::uint32_t(seed) ^ std::uint32_t(seed >> 32));
    return numberedGraph(n,
                         [&](int, int) { return std::generate_canonical<double, 53>(engine) < p; });
}
