#pragma once

#include "graph/random.h"
#include "graph/random_graphs.h"

#include <bit>
#include <cstdint>
#include <numeric>
#include <vector>

// Graph families on the vertices "0" to "n-1", shared by tests and benchmarks
// so that both measure the same inputs; numberedGraph and randomGraph come
// from the core.

inline GraphStore completeGraph(int n) {
    return numberedGraph(n, [](int, int) { return true; });
}

// n = 3t vertices in t groups of three, joined unless in the same group: 3^t
// maximal cliques, the most any graph of n vertices has.
inline GraphStore moonMoser(int t) {
    return numberedGraph(3 * t, [](int a, int b) { return a / 3 != b / 3; });
}

// Binary words of the given length, joined when they differ in at least
// `distance` places (the Hamming graphs of the clique literature).
inline GraphStore hammingGraph(int length, int distance) {
    return numberedGraph(1 << length, [distance](int a, int b) {
        return std::popcount(unsigned(a ^ b)) >= distance;
    });
}

// The words of hammingGraph of the given weight only (the Johnson graphs).
inline GraphStore johnsonGraph(int length, int weight, int distance) {
    std::vector<unsigned> words;
    for (unsigned w = 0; w < (1u << length); ++w)
        if (std::popcount(w) == weight)
            words.push_back(w);
    return numberedGraph(int(words.size()), [&words, distance](int a, int b) {
        return std::popcount(words[std::size_t(a)] ^ words[std::size_t(b)]) >= distance;
    });
}

// The Keller graph of the given dimension: the words over {0, 1, 2, 3} of
// that length (vertex v has its digits in base 4), joined when they differ in
// at least two places and in at least one place by exactly 2 modulo 4.
inline GraphStore kellerGraph(int dimension) {
    int vertices = 1;
    for (int d = 0; d < dimension; ++d)
        vertices *= 4;
    return numberedGraph(vertices, [dimension](int a, int b) {
        int differing = 0;
        bool byTwo = false;
        for (int d = 0; d < dimension; ++d, a /= 4, b /= 4) {
            const int x = a % 4;
            const int y = b % 4;
            differing += x != y;
            byTwo = byTwo || (x + 2) % 4 == y;
        }
        return differing >= 2 && byTwo;
    });
}

// The same graph with its vertices "0" to "n-1" renamed by a fixed random
// permutation (the same for the same seed): a search whose time depends on
// how the vertices happen to be numbered shows it here.
inline GraphStore renumberedGraph(const GraphStore& store, std::uint64_t seed) {
    const int n = int(store.vertices.count());
    std::vector<int> renamed(static_cast<std::size_t>(n));
    std::iota(renamed.begin(), renamed.end(), 0);
    RandomGenerator random(seed);
    for (int i = n - 1; i > 0; --i)
        std::swap(renamed[std::size_t(i)], renamed[random.below(std::uint32_t(i + 1))]);
    std::vector<std::vector<bool>> joined(static_cast<std::size_t>(n),
                                          std::vector<bool>(static_cast<std::size_t>(n)));
    for (const QByteArray& edge : store.edges) {
        const QList<QByteArray> ends = edge.split('-');
        const int a = renamed[ends[0].toUInt()];
        const int b = renamed[ends[1].toUInt()];
        joined[std::size_t(a)][std::size_t(b)] = joined[std::size_t(b)][std::size_t(a)] = true;
    }
    return numberedGraph(n, [&](int a, int b) { return joined[std::size_t(a)][std::size_t(b)]; });
}
