#pragma once

#include "heuristic/random_walk.h"

#include <vector>

// The share of all visit counts that each vertex tends to in a long walk from
// the given start. The walk stands on a vertex in proportion to its degree, and
// each step counts every partner of the vertex it leaves plus the vertex it
// reaches; so within the part of the graph the walk can reach, vertex v tends to
// (d(v) + the sum of d(u) over its partner entries u) / (the sum of d(u)² + the
// sum of d(u)). Vertices the walk never reaches again get 0. Shares sum to 1.
std::vector<double> longRunShares(const WalkGraph& graph, int start);

// The largest difference between a vertex's share of the counts and its
// long-run share, in percentage points.
double largestDeviation(const std::vector<qint64>& counts, const std::vector<double>& shares);
