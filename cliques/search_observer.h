#pragma once

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
};
