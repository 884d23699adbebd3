#pragma once

#include "cliques/exact_graph.h"
#include "graph/vertex_positions.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

// A student's choice of vertices: typed, clicked, and judged.

// What the field "Auswahl" says: labels separated by commas or spaces, each
// taken once, in the order typed. Unknown labels leave the choice unread.
struct ParsedChoice {
    QList<QByteArray> labels;
    QString message; // German, empty when every label is a vertex
    bool ok() const { return message.isEmpty(); }
};
ParsedChoice parseChoice(const QString& text, const ExactGraph& graph);

// The choice as the field shows it: "0, 3, 4".
QString choiceText(const QList<QByteArray>& labels);

// The label of the vertex whose circle holds the point (the nearest, where
// circles overlap), none when the point misses every circle.
std::optional<QByteArray> vertexAt(const VertexPositions& positions, QPoint point);

// The choice with the label taken out, or added at the end when it was not in.
QList<QByteArray> toggledChoice(QList<QByteArray> choice, const QByteArray& label);

using LabelPair = std::pair<QByteArray, QByteArray>;

// How the chosen vertices stand to each other and to the rest of the graph.
// Everything in natural label order.
struct ChoiceAnalysis {
    QList<QByteArray> members;
    QList<LabelPair> presentEdges; // between members
    QList<LabelPair> missingEdges; // between members
    QList<QByteArray> joiners;     // joined to every member, not chosen
    bool isClique() const { return missingEdges.isEmpty(); }
};
// Labels that are no vertex of the graph are left out.
ChoiceAnalysis analyseChoice(const ExactGraph& graph, const QList<QByteArray>& choice);

// The verdict in German sentences. cliqueNumber is the graph's, none while the
// exact search still runs. In the complement the graph is the complement of
// the one drawn, and the verdict also says what the choice is in that one.
QString choiceVerdict(const ChoiceAnalysis& analysis, std::optional<qsizetype> cliqueNumber,
                      bool inComplement);

// Every two distinct vertices joined that the graph does not join.
ExactGraph complementGraph(const ExactGraph& graph);
qsizetype edgeCount(const ExactGraph& graph);
// The edges as pairs of labels, each once, in vertex order.
QList<LabelPair> edgeList(const ExactGraph& graph);
