#pragma once

#include "cliques/clique.h"
#include "graph/graph_store.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// Step-by-step plays of the two clique searches: the searches report every
// step, the play keeps compact step records (and a snapshot now and then) and
// rebuilds the state at any position, forward or back, without searching again.

// What a vertex is at a step, for the drawing and its legend.
enum class PlayRole {
    Member,    // in the clique so far (greedy) or in R (Bron–Kerbosch)
    Candidate, // the candidate under test, or the vertex R grows by
    Waiting,   // still to be tested (greedy) or in P (Bron–Kerbosch)
    Refused,   // refused in this round (greedy)
    Excluded,  // in X (Bron–Kerbosch)
    Pivot,     // the pivot (Bron–Kerbosch)
    Coloured,  // a candidate in its colour class (branch and bound)
    Best,      // in the best clique so far (branch and bound)
};

struct PlayMark {
    QByteArray label;
    PlayRole role;
    int colourClass = 0; // for Coloured: the colour, from 1
    bool operator==(const PlayMark&) const = default;
};

// An edge the step looks at: between the candidate and a member, present or
// missing.
struct PlayEdge {
    QByteArray from;
    QByteArray to;
    bool present = true;
    bool operator==(const PlayEdge&) const = default;
};

// Everything the window shows for one position of a play.
struct PlayFrame {
    int pseudoCodeLine = -1; // index into pseudoCode(), -1 before the first step
    QStringList state;       // "Startknoten: 4", "Clique bisher: 4, 0, 1", …
    QString sentence;        // what this step did, in one German sentence
    QList<PlayMark> marks;
    QList<PlayEdge> edges;
    CliqueList found; // the cliques recorded so far, in order
    bool operator==(const PlayFrame&) const = default;
};

class SearchPlay {
public:
    // At most this many steps are recorded; a longer search stops there.
    static constexpr int kStepLimit = 200000;

    virtual ~SearchPlay() = default;
    virtual QStringList pseudoCode() const = 0;
    virtual int stepCount() const = 0;
    // True when the recording ended before the search did.
    virtual bool truncated() const = 0;
    // Why the recording ended before the search did, in German; empty when
    // it did not.
    virtual QString truncationNote() const;
    // Position 0 is before the first step, position n after the n-th.
    virtual PlayFrame frameAt(int position) const = 0;
    // The position right after the step that starts the greedy round from
    // the vertex with this label; -1 when the play has no such round.
    virtual int startOfRound(const QByteArray& label) const {
        Q_UNUSED(label);
        return -1;
    }
};

// The greedy search exactly as "Berechnen!" runs it, on a copy of the store:
// counts refreshed, vertices without edges dropped, then a round from every
// vertex. The store itself is not touched.
std::unique_ptr<SearchPlay> playGreedySearch(const GraphStore& store,
                                             int stepLimit = SearchPlay::kStepLimit);

// Bron–Kerbosch with pivot as the exact analysis enumerates the maximal
// cliques, on the same graph it sees.
std::unique_ptr<SearchPlay> playBronKerbosch(const GraphStore& store,
                                             int stepLimit = SearchPlay::kStepLimit);

// The branch and bound with a colouring bound that computes the clique
// number for the exact analysis, on the same graph.
std::unique_ptr<SearchPlay> playCliqueNumber(const GraphStore& store,
                                             int stepLimit = SearchPlay::kStepLimit);

// "4", "4 und 0", "4, 0 und 1": labels as a German list.
QString germanList(const QList<QByteArray>& labels);

// What both recording observers share: the steps, up to a limit. Once a step
// finds no room, the search stops at its next check.
template <class Step> class StepRecording {
public:
    static constexpr bool kWantsDetails = true;
    explicit StepRecording(int limit) : m_limit(limit) {}

    bool stopped() const { return overflowed; }

    std::vector<Step> steps;
    bool overflowed = false;

protected:
    void add(const Step& step) {
        if (int(steps.size()) >= m_limit) {
            overflowed = true;
            return;
        }
        steps.push_back(step);
    }

private:
    int m_limit;
};

// The recording observer of the greedy search.
struct GreedyStep {
    enum Kind : std::uint8_t { Start, Join, Refuse, Record, Drop, End };
    Kind kind;
    int vertex = -1;  // the start, the candidate or the member dropped
    int missing = -1; // for Refuse: the member it lacks an edge to
};

class GreedyStepRecorder : public StepRecording<GreedyStep> {
public:
    using StepRecording::StepRecording;

    void startVertex(int v) { add({GreedyStep::Start, v}); }
    void candidateJoined(int c) { add({GreedyStep::Join, c}); }
    void candidateRefused(int c, int missing) { add({GreedyStep::Refuse, c, missing}); }
    void cliqueRecorded() { add({GreedyStep::Record}); }
    void memberDropped(int m) { add({GreedyStep::Drop, m}); }
    void roundEnded() { add({GreedyStep::End}); }
};

// The recording observer of Bron–Kerbosch.
struct BronKerboschStep {
    enum Kind : std::uint8_t { Pivot, Branch, Return, MoveToX, Found, NotMaximal };
    Kind kind;
    int vertex = -1;
};

class BronKerboschStepRecorder : public StepRecording<BronKerboschStep> {
public:
    using StepRecording::StepRecording;

    void pivotChosen(int u) { add({BronKerboschStep::Pivot, u}); }
    void branch(int v) { add({BronKerboschStep::Branch, v}); }
    void returned() { add({BronKerboschStep::Return}); }
    void movedToExcluded(int v) { add({BronKerboschStep::MoveToX, v}); }
    void cliqueFound() { add({BronKerboschStep::Found}); }
    void notMaximal() { add({BronKerboschStep::NotMaximal}); }
};

// The recording observer of the branch and bound. Lists of vertices go to a
// pool; a step knows where its list begins.
struct CliqueNumberStep {
    enum Kind : std::uint8_t { First, Colour, Take, Done, Cut, Empty, Better };
    Kind kind;
    int value = -1; // Take, Done: the candidate; Cut: the colours left
    int pooled = 0; // First, Better: the clique; Colour: the classes, then the uncounted
};

class CliqueNumberStepRecorder : public StepRecording<CliqueNumberStep> {
public:
    using StepRecording::StepRecording;

    void firstClique(const std::vector<int>& clique) {
        addWithList({CliqueNumberStep::First}, {clique});
    }
    void candidatesColoured(const std::vector<std::vector<int>>& classes,
                            const std::vector<int>& uncounted) {
        std::vector<std::vector<int>> lists = classes;
        lists.push_back(uncounted);
        addWithList({CliqueNumberStep::Colour}, lists);
    }
    void coloured(int, bool) {}
    void candidateTaken(int v) { add({CliqueNumberStep::Take, v}); }
    void candidateDone(int v) { add({CliqueNumberStep::Done, v}); }
    void restCut(int colours) { add({CliqueNumberStep::Cut, colours}); }
    void noCandidatesLeft() { add({CliqueNumberStep::Empty}); }
    void betterClique(const std::vector<int>& clique) {
        addWithList({CliqueNumberStep::Better}, {clique});
    }

    // The lists of a step: their number, then each as its length and members.
    std::vector<int> pool;

private:
    void addWithList(CliqueNumberStep step, const std::vector<std::vector<int>>& lists) {
        step.pooled = int(pool.size());
        const std::size_t before = steps.size();
        add(step);
        if (steps.size() == before)
            return;
        pool.push_back(int(lists.size()));
        for (const std::vector<int>& list : lists) {
            pool.push_back(int(list.size()));
            pool.insert(pool.end(), list.begin(), list.end());
        }
    }
};
