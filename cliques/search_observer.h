#pragma once

#include <vector>

// What the searches can tell an observer, step by step, so that a play can
// show how they work. The observer is a template parameter: with the silent
// one below every report compiles away and the searches run at full speed.
struct SilentSearchObserver {
    // Whether the search should work out the details only a play shows (which
    // member a refused candidate lacks an edge to).
    static constexpr bool kWantsDetails = false;
    bool stopped() const { return false; }

    // Greedy search; vertices are indices into the store's vertex list.
    void startVertex(int) {}
    void candidateJoined(int) {}
    // The candidate lacks an edge to the member `missing`.
    void candidateRefused(int, int /*missing*/) {}
    void cliqueRecorded() {}
    // The last member leaves again; the candidates are tested anew.
    void memberDropped(int) {}
    void roundEnded() {}

    // Bron–Kerbosch; vertices are numbers of the exact graph.
    void pivotChosen(int) {}
    // R grows by v; P and X keep v's neighbours only.
    void branch(int) {}
    void returned() {}
    void movedToExcluded(int) {}
    // P and X are empty: R is a maximal clique.
    void cliqueFound() {}
    // P is empty but X is not: R is not maximal.
    void notMaximal() {}

    // Branch and bound for the clique number; vertices are numbers of the
    // exact graph, and the calls with lists come only when kWantsDetails.
    // The first best clique, found greedily.
    void firstClique(const std::vector<int>&) {}
    // The candidates of the clique took this many colours; `branches` when
    // some of them can still lead past the best clique.
    void coloured(int, bool /*branches*/) {}
    // The same colouring in full: the classes by colour, and the vertices
    // that need no colour of their own.
    void candidatesColoured(const std::vector<std::vector<int>>&, const std::vector<int>&) {}
    // The clique grows by a candidate; the candidates keep its neighbours.
    void candidateTaken(int) {}
    // Back from that candidate, which leaves the candidates.
    void candidateDone(int) {}
    // The candidates left have at most this many colours: too few to beat
    // the best clique.
    void restCut(int) {}
    // The clique has no candidates and is no larger than the best.
    void noCandidatesLeft() {}
    // The clique has no candidates and is larger than the best.
    void betterClique(const std::vector<int>&) {}
};
