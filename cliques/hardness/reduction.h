#pragma once

#include "cliques/clique.h"
#include "cliques/hardness/formula.h"
#include "graph/graph_layout.h"
#include "graph/graph_store.h"

#include <QHash>

#include <optional>

// The classical reduction of satisfiability to cliques: one vertex per
// literal of each clause, an edge between two literals of different clauses
// unless one negates the other. A clique of k vertices, k the number of
// clauses, takes one literal from every clause and never a variable beside
// its negation: making those literals true satisfies the formula, and every
// satisfying assignment gives such a clique.

struct ReductionVertex {
    QByteArray label; // the literal and its clause number: "a1", "¬b1", "c2"
    int clause = 0;   // counted from 0
    Literal literal;
};

struct Reduction {
    Formula formula;
    // Clause by clause, each in its written order.
    QList<ReductionVertex> vertices;
    // Their labels and the edges; counts refreshed.
    GraphStore graph;
    int k() const { return int(formula.clauses.size()); }
};

Reduction reduceToClique(const Formula& formula);

// A value for each variable a clique fixes; the others may take either.
using Assignment = QHash<QString, bool>;

// The members' literals made true. Nothing unless the clique takes exactly
// one vertex of the reduction from every clause and no literal beside its
// negation.
std::optional<Assignment> assignmentOf(const Reduction& reduction, const Clique& clique);
// "a = wahr, b = falsch, c beliebig: jede Klausel ist erfüllt".
QString assignmentText(const Formula& formula, const Assignment& assignment);

// What the exact search says about the formula.
struct ReductionAnswer {
    qsizetype cliqueNumber = 0;
    Clique clique; // a largest clique, members in vertex order
    // Read off the clique when it has k vertices.
    std::optional<Assignment> assignment;
    // When no assignment exists: a few clauses (at most kSmallClauseSet,
    // fewer than all) that cannot all be satisfied together, if there are
    // such; as few as possible.
    QList<int> unsatisfiableClauses;
    bool satisfiable() const { return assignment.has_value(); }
};

// A set of clauses a student can still check by hand.
inline constexpr int kSmallClauseSet = 4;

ReductionAnswer answerReduction(const Reduction& reduction);
// The assignment, or why there is none.
QString answerText(const Reduction& reduction, const ReductionAnswer& answer);

// The picture of the reduction: one column per clause, its literals one
// below the other (every other column a little lower, so that a level edge
// does not run through the circles of the columns between), below a band
// for the clauses' names.
inline constexpr int kReductionTitleBand = 26;
// The centre of the column of a clause, of k.
int reductionColumnX(int clause, int k);
// measure sizes the labels; a label too wide for its column is left out.
GraphLayout reductionLayout(const Reduction& reduction,
                            const LabelMeasure& measure = estimatedLabelSize);
