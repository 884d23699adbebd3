#pragma once

#include "cliques/clique.h"
#include "cliques/search_observer.h"
#include "graph/graph_store.h"
#include "graph/progress.h"

#include <stop_token>

// Deletes from vertices, for good, every vertex that no edge (among the
// first edgeCount) touches. The others keep their order.
void removeIsolatedVertices(GraphStore& store);

// The greedy search from every vertex of vertices, appending every clique it
// records to cliques, in the order recorded. Reports s + 1 to progress after
// start vertex s (progress may be null). Uses the first edgeCount edges.
void greedyCliqueSearch(const GraphStore& store, CliqueList& cliques, ProgressSink* progress);

// The greedy search reporting every step to an observer (see
// cliques/search_observer.h); greedyCliqueSearch is this with a silent one.
template <class Observer>
void searchGreedily(const GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                    Observer& observer);

// The whole search as "Berechnen!" runs it on counts already refreshed: drops
// the isolated vertices, recounts the vertices, sets the progress maximum to
// that count and searches from every vertex left.
void searchCliquesFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress);
// The same search ending early once stop is requested: the list then holds
// the cliques recorded so far.
void searchCliquesFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                                  std::stop_token stop);
