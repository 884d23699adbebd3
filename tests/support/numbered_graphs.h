#pragma once

#include "graph/random_graphs.h"

#include <bit>
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
