#include "walk_shares.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<double> longRunShares(const WalkGraph& graph, int start) {
    const qsizetype n = graph.vertexCount();
    std::vector<double> shares(std::size_t(n), 0.0);
    if (start < 0 || start >= n || graph.degree(start) == 0)
        return shares;

    // The walk's home after its first step: everything the start's partners
    // lead to. A start that no partner entry points back to is left for good.
    std::vector<char> home(std::size_t(n), 0);
    std::vector<int> queue;
    for (const int* p = graph.partnersBegin(start); p != graph.partnersEnd(start); ++p) {
        if (!home[std::size_t(*p)]) {
            home[std::size_t(*p)] = 1;
            queue.push_back(*p);
        }
    }
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (const int* p = graph.partnersBegin(queue[i]); p != graph.partnersEnd(queue[i]); ++p) {
            if (!home[std::size_t(*p)]) {
                home[std::size_t(*p)] = 1;
                queue.push_back(*p);
            }
        }
    }

    // Within its home the walk stands on v a share d(v) / D of the steps.
    double degrees = 0;
    for (int v : queue)
        degrees += graph.degree(v);
    std::vector<double> expected(std::size_t(n), 0.0);
    for (int v : queue) {
        const double standing = graph.degree(v) / degrees;
        expected[std::size_t(v)] += standing; // reached
        for (const int* p = graph.partnersBegin(v); p != graph.partnersEnd(v); ++p)
            expected[std::size_t(*p)] += standing; // counted when left behind
    }
    const double total = std::accumulate(expected.begin(), expected.end(), 0.0);
    std::transform(expected.begin(), expected.end(), shares.begin(),
                   [total](double e) { return e / total; });
    return shares;
}

double largestDeviation(const std::vector<qint64>& counts, const std::vector<double>& shares) {
    const double total = double(std::accumulate(counts.begin(), counts.end(), qint64(0)));
    double largest = 0;
    if (total <= 0)
        return largest;
    for (std::size_t v = 0; v < counts.size() && v < shares.size(); ++v)
        largest = std::max(largest, std::abs(double(counts[v]) / total - shares[v]) * 100);
    return largest;
}
