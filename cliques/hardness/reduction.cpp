#include "reduction.h"

#include "cliques/maximum_clique.h"
#include "graph/sample_graphs.h"

#include <bit>

namespace {

QByteArray vertexLabel(const Literal& literal, int clause) {
    QString label = literalText(literal);
    // "x1" of clause 2 would read as "x12".
    if (label.back().isDigit())
        label += '_';
    return (label + QString::number(clause + 1)).toUtf8();
}

bool complementary(const Literal& a, const Literal& b) {
    return a.variable == b.variable && a.negated != b.negated;
}

// The largest clique of the reduction, as vertex numbers in ascending order.
// The graph has at most 24 vertices in at most 8 parts, so the search needs
// no limit.
std::vector<int> largestClique(const Reduction& reduction) {
    return maximumClique(buildExactGraph(reduction.graph), kNoStepLimit).clique;
}

bool satisfiable(const Formula& formula) {
    return int(largestClique(reduceToClique(formula)).size()) == int(formula.clauses.size());
}

// The fewest clauses, at most kSmallClauseSet and fewer than all, that cannot
// all be satisfied; empty when every such set can. Of sets of one size the
// first in the order of the bit masks.
QList<int> smallUnsatisfiableSet(const Formula& formula) {
    const int k = int(formula.clauses.size());
    for (int size = 1; size <= std::min(kSmallClauseSet, k - 1); ++size)
        for (unsigned mask = 1; mask < (1u << k); ++mask) {
            if (std::popcount(mask) != size)
                continue;
            Formula part;
            QList<int> clauses;
            for (int c = 0; c < k; ++c)
                if (mask & (1u << c)) {
                    part.clauses.append(formula.clauses[c]);
                    clauses.append(c);
                }
            if (!satisfiable(part))
                return clauses;
        }
    return {};
}

// "K1", "K1 und K2", "K1, K2 und K3".
QString clauseList(const QList<int>& clauses) {
    QStringList names;
    for (int c : clauses)
        names.append(clauseName(c));
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(", ") + " und " + last;
}

} // namespace

Reduction reduceToClique(const Formula& formula) {
    Reduction reduction;
    reduction.formula = formula;
    for (int c = 0; c < formula.clauses.size(); ++c)
        for (const Literal& literal : formula.clauses[c]) {
            reduction.vertices.append({vertexLabel(literal, c), c, literal});
            reduction.graph.vertices.append(reduction.vertices.last().label);
        }
    const QList<ReductionVertex>& vertices = reduction.vertices;
    for (qsizetype a = 0; a < vertices.size(); ++a)
        for (qsizetype b = a + 1; b < vertices.size(); ++b)
            if (vertices[a].clause != vertices[b].clause &&
                !complementary(vertices[a].literal, vertices[b].literal))
                reduction.graph.edges.append(vertices[a].label + '-' + vertices[b].label);
    reduction.graph.refreshCounts();
    return reduction;
}

std::optional<Assignment> assignmentOf(const Reduction& reduction, const Clique& clique) {
    QList<bool> covered(reduction.k(), false);
    Assignment assignment;
    for (const QByteArray& label : clique.members) {
        const auto vertex =
            std::find_if(reduction.vertices.begin(), reduction.vertices.end(),
                         [&](const ReductionVertex& v) { return v.label == label; });
        if (vertex == reduction.vertices.end() || covered[vertex->clause])
            return std::nullopt;
        covered[vertex->clause] = true;
        const Literal& literal = vertex->literal;
        const auto fixed = assignment.constFind(literal.variable);
        if (fixed != assignment.cend() && *fixed == literal.negated)
            return std::nullopt;
        assignment.insert(literal.variable, !literal.negated);
    }
    if (covered.contains(false))
        return std::nullopt;
    return assignment;
}

QString assignmentText(const Formula& formula, const Assignment& assignment) {
    QStringList values;
    for (const QString& variable : variablesOf(formula)) {
        const auto value = assignment.constFind(variable);
        if (value == assignment.cend())
            values.append(variable + " beliebig");
        else
            values.append(variable + (*value ? " = wahr" : " = falsch"));
    }
    return values.join(", ") + ": jede Klausel ist erfüllt";
}

ReductionAnswer answerReduction(const Reduction& reduction) {
    ReductionAnswer answer;
    const std::vector<int> largest = largestClique(reduction);
    answer.cliqueNumber = qsizetype(largest.size());
    for (int v : largest)
        answer.clique.members.append(reduction.vertices[v].label);
    if (answer.cliqueNumber == reduction.k())
        answer.assignment = assignmentOf(reduction, answer.clique);
    else
        answer.unsatisfiableClauses = smallUnsatisfiableSet(reduction.formula);
    return answer;
}

QString answerText(const Reduction& reduction, const ReductionAnswer& answer) {
    if (answer.assignment)
        return assignmentText(reduction.formula, *answer.assignment);
    QString text = QString("Die größte Clique hat %1 Knoten, weniger als k = %2: Die Formel ist "
                           "daher nicht erfüllbar.")
                       .arg(answer.cliqueNumber)
                       .arg(reduction.k());
    if (!answer.unsatisfiableClauses.isEmpty())
        text += QString(" Schon die Klauseln %1 lassen sich nicht zugleich erfüllen.")
                    .arg(clauseList(answer.unsatisfiableClauses));
    return text;
}

int reductionColumnX(int clause, int k) {
    return int(std::lround((clause + 0.5) * kSamplePictureWidth / k));
}

GraphLayout reductionLayout(const Reduction& reduction, const LabelMeasure& measure) {
    // Rows 90 pixels apart around the middle of the room below the names;
    // even columns 14 pixels higher, odd ones 14 lower: a level line between
    // two columns of one parity passes 28 pixels from the centres of the
    // other parity's circles, more than their radius.
    constexpr int kRowGap = 90;
    constexpr int kStagger = 14;
    const int middle = (kReductionTitleBand + kSamplePictureHeight) / 2;
    const int k = reduction.k();
    GraphLayout layout;
    layout.positions.radius = kSampleVertexRadius;
    for (int c = 0; c < k; ++c) {
        QList<QByteArray> column;
        for (const ReductionVertex& vertex : reduction.vertices)
            if (vertex.clause == c)
                column.append(vertex.label);
        const int shift = c % 2 == 0 ? -kStagger : kStagger;
        for (qsizetype row = 0; row < column.size(); ++row) {
            const double offset = double(row) - double(column.size() - 1) / 2;
            layout.positions.centres.insert(
                column[row], QPoint(reductionColumnX(c, k),
                                    middle + shift + int(std::lround(offset * kRowGap))));
        }
    }
    // The largest font in which every label fits its column, with a little
    // room to the next; at the smallest, the labels that fit.
    const int room = kSamplePictureWidth / std::max(k, 1) - 4;
    constexpr int kSmallestPixelSize = 8;
    const auto fits = [&](const ReductionVertex& v, int size) {
        return measure(v.label, size).width() <= room;
    };
    int size = kLabelPixelSize;
    while (size > kSmallestPixelSize &&
           !std::all_of(reduction.vertices.begin(), reduction.vertices.end(),
                        [&](const ReductionVertex& v) { return fits(v, size); }))
        --size;
    layout.labelPixelSize = size;
    for (const ReductionVertex& vertex : reduction.vertices)
        if (fits(vertex, size))
            layout.legibleLabels.insert(vertex.label);
    return layout;
}
