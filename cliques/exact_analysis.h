#pragma once

#include "cliques/clique.h"
#include "cliques/maximal_cliques.h"
#include "cliques/maximum_clique.h"
#include "graph/graph_store.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// Exact answers for the current graph, beside the greedy list: the clique
// number, all maximal cliques, and how the greedy list compares.

struct MaximalCliqueEntry {
    Clique clique; // normalised
    bool inGreedyList = false;
};

struct ExactAnalysis {
    qsizetype vertexCount = 0;
    // Exact when cliqueNumberComplete, else the size of the largest clique
    // found before the step limit or the stop request.
    qsizetype cliqueNumber = 0;
    bool cliqueNumberComplete = true;
    Clique largestClique; // normalised
    // How the search for the clique number branched, per depth.
    std::vector<BranchLevel> branchLevels;
    // Normalised, largest first, cliques of equal size in label order. With
    // more than kMaximalCliqueCap of them, the largest ones.
    QList<MaximalCliqueEntry> maximalCliques;
    bool truncated = false;
    bool maximalComplete = true;
    // The listing ended early: the list holds the largest cliques found so far.
    bool maximalStopped = false;
    std::uint64_t stepLimit = kSearchStepLimit;
    // A stop request, not the step limit, ended a search early.
    bool cancelled = false;

    qsizetype greedyCount = 0;
    qsizetype greedyLargest = 0;
    // Every greedy clique is a clique of this graph. A list left over from an
    // earlier graph (an import keeps it) cannot be compared.
    bool greedyFitsGraph = true;

    qsizetype k = 1;
    // A found clique of k vertices answers "Ja" even when the search stopped early.
    bool exactAnswer() const { return cliqueNumber >= k; }
    bool exactAnswerKnown() const { return exactAnswer() || cliqueNumberComplete; }
    bool greedyAnswer() const { return greedyLargest >= k; }
    qsizetype missedByGreedy() const;
};

// What an analysis reports while it runs.
struct ExactProgress {
    // The largest clique found so far, normalised.
    Clique largestClique;
    // largestClique is a largest clique; the maximal cliques are being listed.
    bool cliqueNumberKnown = false;
};

// How an analysis may end early and whom it tells how far it has got. The
// step limit and the stop request hold for each of its two searches.
struct ExactAnalysisControl : SearchControl {
    // Called on the thread that runs the analysis: with every larger clique
    // found, the first found included, and once more when the clique number
    // is proved.
    std::function<void(const ExactProgress&)> progress;
};

// The exact analysis of the store, compared with the greedy list, for the
// decision question with k.
ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             std::uint64_t stepLimit = kSearchStepLimit);
ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             const ExactAnalysisControl& control);

// The texts the analysis window shows.
QString cliqueNumberText(const ExactAnalysis& analysis);
QString maximalCliqueCountText(const ExactAnalysis& analysis);
QString decisionQuestionText(const ExactAnalysis& analysis);
// "Ja", "Nein", or "Unbekannt" when the search stopped before it could tell.
QString exactDecisionText(const ExactAnalysis& analysis);
// The example clique for "Ja", empty for "Nein".
QString exampleText(const ExactAnalysis& analysis);
// How the greedy list compares: what it missed, and where its answer is wrong.
QString comparisonText(const ExactAnalysis& analysis);

// Why no clique has more vertices than the clique number: a colouring with as
// many colours, where a greedy or a saturation colouring finds one, else the
// branches of the search.
struct CliqueNumberReason {
    QString text;
    // The vertices by colour, when a colouring proves it.
    QList<QList<QByteArray>> colourClasses;
    // Otherwise the search's branches per depth, when it finished.
    std::vector<BranchLevel> levels;
};

// For the analysis of the store (the graph it was made for).
CliqueNumberReason explainCliqueNumber(const GraphStore& store, const ExactAnalysis& analysis);
// The header and a row of the table of branches.
QStringList branchTableHeader();
QStringList branchTableRow(std::size_t depth, const BranchLevel& level);
