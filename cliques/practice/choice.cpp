#include "choice.h"

#include "cliques/clique_list.h"
#include "cliques/search_play.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// Long lists are cut in a verdict: a sentence must stay readable.
constexpr qsizetype kListedAtMost = 8;

QByteArray edgeText(const LabelPair& edge) {
    return edge.first + '-' + edge.second;
}

QList<QByteArray> edgeTexts(const QList<LabelPair>& edges) {
    QList<QByteArray> texts;
    for (const LabelPair& edge : edges)
        texts.append(edgeText(edge));
    return texts;
}

// "Es fehlt die Kante 3-5." and its plural, cut after kListedAtMost.
QString missingSentence(const QList<LabelPair>& missing) {
    const QList<QByteArray> texts = edgeTexts(missing);
    if (texts.size() == 1)
        return QString("Es fehlt die Kante %1.").arg(germanList(texts));
    if (texts.size() <= kListedAtMost)
        return QString("Es fehlen die Kanten %1.").arg(germanList(texts));
    return QString("Es fehlen %1 Kanten, unter anderem %2.")
        .arg(texts.size())
        .arg(germanList(texts.first(kListedAtMost)));
}

// "Knoten 2 ist mit allen verbunden und passt noch dazu." and its plural.
QString joinerSentence(const QList<QByteArray>& joiners, qsizetype members) {
    const QString partners = members == 1 ? "mit ihm" : "mit allen";
    if (joiners.size() == 1)
        return QString("Knoten %1 ist %2 verbunden und passt noch dazu.")
            .arg(germanList(joiners), partners);
    QList<QByteArray> listed = joiners;
    if (joiners.size() > kListedAtMost) {
        listed = joiners.first(kListedAtMost);
        listed.append(QString("%1 weitere").arg(joiners.size() - kListedAtMost).toUtf8());
    }
    return QString("Die Knoten %1 sind %2 verbunden und passen noch dazu.")
        .arg(germanList(listed), partners);
}

QHash<QByteArray, int> numbersOf(const ExactGraph& graph) {
    QHash<QByteArray, int> numbers;
    numbers.reserve(graph.size());
    for (int v = 0; v < graph.size(); ++v)
        numbers.insert(graph.labels[v], v);
    return numbers;
}

} // namespace

ParsedChoice parseChoice(const QString& text, const ExactGraph& graph) {
    // Typed text compares with labels as they are shown.
    QHash<QString, QByteArray> byText;
    for (const QByteArray& label : graph.labels)
        byText.insert(displayText(label), label);
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    ParsedChoice parsed;
    QStringList unknown;
    for (const QString& token : text.split(separators, Qt::SkipEmptyParts)) {
        const auto found = byText.constFind(token);
        if (found == byText.cend()) {
            if (!unknown.contains(token))
                unknown.append(token);
        } else if (!parsed.labels.contains(*found)) {
            parsed.labels.append(*found);
        }
    }
    if (!unknown.isEmpty()) {
        QList<QByteArray> quoted;
        for (const QString& token : unknown)
            quoted.append(("„" + token + "“").toUtf8());
        parsed.message = QString("%1 %2: Die Auswahl bleibt, wie sie war.")
                             .arg(unknown.size() == 1 ? "Unbekannter Knoten" : "Unbekannte Knoten",
                                  germanList(quoted));
        parsed.labels.clear();
    }
    return parsed;
}

QString choiceText(const QList<QByteArray>& labels) {
    QStringList texts;
    for (const QByteArray& label : labels)
        texts.append(displayText(label));
    return texts.join(", ");
}

std::optional<QByteArray> vertexAt(const VertexPositions& positions, QPoint point) {
    std::optional<QByteArray> nearest;
    qint64 best = qint64(positions.radius) * positions.radius;
    for (auto it = positions.centres.cbegin(); it != positions.centres.cend(); ++it) {
        const QPoint d = point - it.value();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (distance <= best) {
            best = distance;
            nearest = it.key();
        }
    }
    return nearest;
}

QList<QByteArray> toggledChoice(QList<QByteArray> choice, const QByteArray& label) {
    if (!choice.removeOne(label))
        choice.append(label);
    return choice;
}

ChoiceAnalysis analyseChoice(const ExactGraph& graph, const QList<QByteArray>& choice) {
    const QHash<QByteArray, int> numbers = numbersOf(graph);
    ChoiceAnalysis analysis;
    for (const QByteArray& label : choice)
        if (numbers.contains(label) && !analysis.members.contains(label))
            analysis.members.append(label);
    std::sort(analysis.members.begin(), analysis.members.end(), labelLess);
    std::vector<int> chosen;
    for (const QByteArray& label : analysis.members)
        chosen.push_back(numbers.value(label));
    for (std::size_t i = 0; i < chosen.size(); ++i)
        for (std::size_t j = i + 1; j < chosen.size(); ++j) {
            const LabelPair edge{graph.labels[chosen[i]], graph.labels[chosen[j]]};
            (graph.adjacent(chosen[i], chosen[j]) ? analysis.presentEdges : analysis.missingEdges)
                .append(edge);
        }
    if (chosen.empty())
        return analysis;
    VertexSet common = graph.neighbours[std::size_t(chosen.front())];
    for (int v : chosen)
        common = intersection(common, graph.neighbours[std::size_t(v)]);
    for (int v : common.members())
        analysis.joiners.append(graph.labels[v]);
    std::sort(analysis.joiners.begin(), analysis.joiners.end(), labelLess);
    return analysis;
}

QString choiceVerdict(const ChoiceAnalysis& analysis, std::optional<qsizetype> cliqueNumber,
                      bool inComplement) {
    const qsizetype size = analysis.members.size();
    if (size == 0)
        return "Noch keine Auswahl: Klicke Knoten im Bild an oder tippe sie in das Feld "
               "„Auswahl“.";
    if (!analysis.isClique()) {
        QString text = "Keine Clique: " + missingSentence(analysis.missingEdges);
        if (inComplement)
            text += analysis.missingEdges.size() == 1
                        ? " Im Graphen gibt es diese Kante: Die Auswahl ist dort keine "
                          "unabhängige Menge."
                        : " Im Graphen gibt es diese Kanten: Die Auswahl ist dort keine "
                          "unabhängige Menge.";
        return text;
    }
    QString text;
    bool largest = false;
    if (!analysis.joiners.isEmpty()) {
        text = QString("Eine Clique mit %1 Knoten, aber nicht maximal: %2")
                   .arg(size)
                   .arg(joinerSentence(analysis.joiners, size));
    } else if (!cliqueNumber) {
        text = QString("Eine maximale Clique mit %1 Knoten. Ob es eine größere gibt, rechnet die "
                       "exakte Suche noch aus.")
                   .arg(size);
    } else if (*cliqueNumber > size) {
        text = QString("Eine maximale Clique mit %1 Knoten. Die größte Clique %2 hat %3 Knoten.")
                   .arg(size)
                   .arg(inComplement ? "des Komplements" : "des Graphen")
                   .arg(*cliqueNumber);
    } else {
        text = QString("Eine größte Clique (%1 Knoten).").arg(size);
        largest = true;
    }
    if (inComplement) {
        text += " Im Komplement ist die Auswahl eine Clique; im Graphen ist sie also eine "
                "unabhängige Menge. Die übrigen Knoten bilden eine Knotenüberdeckung.";
        if (largest)
            text += " Weil die Clique eine größte ist, ist die unabhängige Menge eine größte und "
                    "die Knotenüberdeckung eine kleinste.";
    }
    return text;
}

ExactGraph complementGraph(const ExactGraph& graph) {
    ExactGraph complement;
    complement.labels = graph.labels;
    const int n = graph.size();
    complement.neighbours.assign(std::size_t(n), VertexSet(n));
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (a != b && !graph.adjacent(a, b))
                complement.neighbours[std::size_t(a)].insert(b);
    return complement;
}

qsizetype edgeCount(const ExactGraph& graph) {
    qsizetype ends = 0;
    for (const VertexSet& around : graph.neighbours)
        ends += around.count();
    return ends / 2;
}

QList<LabelPair> edgeList(const ExactGraph& graph) {
    QList<LabelPair> edges;
    for (int a = 0; a < graph.size(); ++a)
        for (int b : graph.neighbours[std::size_t(a)].members())
            if (a < b)
                edges.append({graph.labels[a], graph.labels[b]});
    return edges;
}
