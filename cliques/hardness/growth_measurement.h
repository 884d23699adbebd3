#pragma once

#include "graph/graph_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <stop_token>

// How the work of the clique searches grows with the graph: random graphs
// G(n, p) of rising size, each searched by the greedy search as "Berechnen!"
// runs it, for its clique number as the exact analysis finds it, and for all
// its maximal cliques, each search timed and stopped at a time limit.

inline constexpr int kFewestGrowthVertices = 2;
inline constexpr int kMostGrowthVertices = 200;
inline constexpr int kMostRepetitions = 20;
// Maximal cliques are counted up to this many: the enumeration keeps them
// all, and beyond this a dense graph of 200 vertices, whose maximal cliques
// hold about 80 vertices each, would need hundreds of megabytes.
inline constexpr std::size_t kMaximalCliqueCount = 100'000;

struct GrowthSettings {
    int from = 20;
    int to = 120;
    int step = 20;
    double density = 0.5;
    int repetitions = 10;
    std::uint64_t seed = 1;
    std::chrono::milliseconds timeLimit{10'000}; // per search and graph
};

// from, from + step, ... up to to.
QList<int> growthSizes(const GrowthSettings& settings);
int growthGraphCount(const GrowthSettings& settings);

struct SearchTime {
    std::int64_t nanoseconds = 0;
    bool stopped = false; // the time limit ended the search
};

// One graph, measured. Where a search was stopped its figure is what it had
// found by then: a lower bound.
struct GrowthRow {
    int n = 0;
    int repetition = 0; // counted from 1
    double density = 0;
    std::uint64_t seed = 0; // of the run
    qsizetype edges = 0;
    qsizetype greedyLargest = 0;
    SearchTime greedy;
    qsizetype cliqueNumber = 0;
    SearchTime exact;
    qsizetype maximalCliques = 0;
    bool maximalCapped = false; // more than kMaximalCliqueCount
    SearchTime maximal;
};

// Graph number `repetition` of n vertices for the run's seed and density:
// the same for the same four, whatever other sizes the run measures.
GraphStore growthGraph(int n, int repetition, const GrowthSettings& settings);

// Measures every graph of the run, sizes in order, each size's repetitions
// in turn, and hands each row to `measured` as soon as it is complete. A
// cancel request ends the run at the next step of a search, dropping the
// graph being measured; false then.
bool measureGrowth(const GrowthSettings& settings, std::stop_token cancel,
                   const std::function<void(const GrowthRow&)>& measured);

// The columns of the table and what each row shows in them; the CSV file has
// the same, after the density and the seed.
QStringList growthColumnTitles();
QStringList growthCells(const GrowthRow& row);
// UTF-8 with a byte order mark, fields split by ";", lines ended by CR LF,
// numbers as German spreadsheets read them.
QByteArray growthCsv(const QList<GrowthRow>& rows);

// What the graphs of one size show, for the charts and the reading: the
// median time of each search (a busy computer now and then holds one search
// up many times over, which would drag a mean along) and the mean sizes of
// the cliques.
struct SizeSummary {
    int n = 0;
    int graphs = 0;
    double greedyMs = 0;
    double exactMs = 0;
    double maximalMs = 0;
    double greedyLargest = 0;
    double cliqueNumber = 0;
    // Some search of this size was stopped: its time is a lower bound.
    bool greedyStopped = false;
    bool exactStopped = false;
    bool maximalStopped = false;
};
// Rows of one size follow each other, as a run hands them over.
QList<SizeSummary> summariesPerSize(const QList<GrowthRow>& rows);

// One sentence that reads the result, such as "Von n = 20 bis n = 120 wächst
// die Zeit der exakten Suche nach der Cliquenzahl um das 340-Fache, ..."
// from the medians of the first and the last size; empty without rows.
QString growthReading(const QList<GrowthRow>& rows);
