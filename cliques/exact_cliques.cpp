#include "exact_cliques.h"

#include "cliques/clique_list.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <bit>
#include <numeric>

bool VertexSet::empty() const {
    return std::all_of(m_words.begin(), m_words.end(), [](std::uint64_t w) { return w == 0; });
}

int VertexSet::count() const {
    int n = 0;
    for (std::uint64_t w : m_words)
        n += std::popcount(w);
    return n;
}

int VertexSet::first() const {
    for (std::size_t i = 0; i < m_words.size(); ++i)
        if (m_words[i] != 0)
            return int(i * 64) + std::countr_zero(m_words[i]);
    return -1;
}

std::vector<int> VertexSet::members() const {
    std::vector<int> result;
    for (std::size_t i = 0; i < m_words.size(); ++i)
        for (std::uint64_t w = m_words[i]; w != 0; w &= w - 1)
            result.push_back(int(i * 64) + std::countr_zero(w));
    return result;
}

ExactGraph buildExactGraph(const GraphStore& store) {
    ExactGraph graph;
    QHash<QByteArray, int> number;
    for (const QByteArray& label : store.vertices) {
        if (number.contains(label))
            continue;
        number.insert(label, int(graph.labels.size()));
        graph.labels.append(label);
    }
    graph.neighbours.assign(std::size_t(graph.size()), VertexSet(graph.size()));
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const int a = number.value(ends.first, -1);
        const int b = number.value(ends.second, -1);
        if (a < 0 || b < 0 || a == b)
            continue;
        graph.neighbours[std::size_t(a)].insert(b);
        graph.neighbours[std::size_t(b)].insert(a);
    }
    return graph;
}

namespace {

// Branch and bound over bitsets with a greedy colouring as the bound: the
// vertices of P are split into independent colour classes, so a clique can
// take at most one vertex per class. Vertices are renumbered by falling degree
// first, which keeps the colourings small.
class MaximumCliqueSearch {
public:
    MaximumCliqueSearch(const ExactGraph& graph, std::uint64_t stepLimit)
        : m_n(graph.size()), m_stepLimit(stepLimit), m_order(m_n) {
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(), [&graph](int a, int b) {
            return graph.neighbours[std::size_t(a)].count() >
                   graph.neighbours[std::size_t(b)].count();
        });
        std::vector<int> position(std::size_t(m_n), 0);
        for (int i = 0; i < m_n; ++i)
            position[std::size_t(m_order[std::size_t(i)])] = i;
        m_adjacent.assign(std::size_t(m_n), VertexSet(m_n));
        for (int i = 0; i < m_n; ++i)
            for (int old : graph.neighbours[std::size_t(m_order[std::size_t(i)])].members())
                m_adjacent[std::size_t(i)].insert(position[std::size_t(old)]);
        m_words = (std::size_t(m_n) + 63) / 64;
    }

    MaximumCliqueResult run() {
        MaximumCliqueResult result;
        if (m_n == 0)
            return result;
        VertexSet all(m_n);
        for (int v = 0; v < m_n; ++v)
            all.insert(v);
        // A first clique, greedily by falling degree, to prune with from the start.
        for (int v = 0; v < m_n; ++v)
            if (std::all_of(m_best.begin(), m_best.end(),
                            [&](int u) { return m_adjacent[std::size_t(u)].contains(v); }))
                m_best.push_back(v);
        expand(all);
        for (int v : m_best)
            result.clique.push_back(m_order[std::size_t(v)]);
        std::sort(result.clique.begin(), result.clique.end());
        result.complete = !m_stopped;
        return result;
    }

private:
    void expand(VertexSet& candidates) {
        if (++m_steps > m_stepLimit) {
            m_stopped = true;
            return;
        }
        std::vector<int> vertices;
        std::vector<int> colours;
        colourSort(candidates, vertices, colours);
        for (std::size_t i = vertices.size(); i-- > 0;) {
            if (m_current.size() + std::size_t(colours[i]) <= m_best.size())
                return;
            const int v = vertices[i];
            m_current.push_back(v);
            VertexSet next = candidates;
            const auto& mask = m_adjacent[std::size_t(v)].words();
            bool any = false;
            for (std::size_t w = 0; w < m_words; ++w) {
                next.words()[w] &= mask[w];
                any = any || next.words()[w] != 0;
            }
            if (any)
                expand(next);
            else if (m_current.size() > m_best.size())
                m_best = m_current;
            m_current.pop_back();
            if (m_stopped)
                return;
            candidates.erase(v);
        }
    }

    // Greedy colouring in vertex order. Only vertices whose colour could still
    // beat the best clique are listed, by rising colour.
    void colourSort(const VertexSet& candidates, std::vector<int>& vertices,
                    std::vector<int>& colours) const {
        const int needed = int(m_best.size()) - int(m_current.size());
        VertexSet uncoloured = candidates;
        VertexSet open(m_n);
        int colour = 0;
        while (!uncoloured.empty()) {
            ++colour;
            open = uncoloured;
            for (std::size_t w = 0; w < m_words; ++w) {
                while (open.words()[w] != 0) {
                    const int v = int(w * 64) + std::countr_zero(open.words()[w]);
                    open.erase(v);
                    uncoloured.erase(v);
                    // Lower words of open are already empty.
                    const auto& mask = m_adjacent[std::size_t(v)].words();
                    for (std::size_t x = w; x < m_words; ++x)
                        open.words()[x] &= ~mask[x];
                    if (colour > needed) {
                        vertices.push_back(v);
                        colours.push_back(colour);
                    }
                }
            }
        }
    }

    int m_n;
    std::uint64_t m_stepLimit;
    std::uint64_t m_steps = 0;
    bool m_stopped = false;
    std::size_t m_words = 0;
    std::vector<int> m_order; // new number -> vertex number of the graph
    std::vector<VertexSet> m_adjacent;
    std::vector<int> m_current;
    std::vector<int> m_best;
};

// Bron–Kerbosch with the pivot that leaves the fewest branches (the vertex of
// P or X with most neighbours in P).
class MaximalCliqueEnumeration {
public:
    MaximalCliqueEnumeration(const ExactGraph& graph, std::size_t cap, std::uint64_t stepLimit)
        : m_graph(graph), m_cap(cap), m_stepLimit(stepLimit) {}

    MaximalCliques run() {
        const int n = m_graph.size();
        if (n > 0) {
            VertexSet all(n);
            for (int v = 0; v < n; ++v)
                all.insert(v);
            VertexSet none(n);
            extend(all, none);
        }
        return std::move(m_result);
    }

private:
    static int commonCount(const VertexSet& a, const VertexSet& b) {
        int n = 0;
        for (std::size_t w = 0; w < a.words().size(); ++w)
            n += std::popcount(a.words()[w] & b.words()[w]);
        return n;
    }

    static VertexSet intersection(const VertexSet& a, const VertexSet& b) {
        VertexSet result = a;
        for (std::size_t w = 0; w < a.words().size(); ++w)
            result.words()[w] &= b.words()[w];
        return result;
    }

    // Returns false once the cap has been passed or the steps are used up.
    bool extend(VertexSet& candidates, VertexSet& excluded) {
        if (++m_steps > m_stepLimit) {
            m_result.complete = false;
            return false;
        }
        if (candidates.empty()) {
            if (!excluded.empty())
                return true;
            if (m_result.cliques.size() == m_cap) {
                m_result.truncated = true;
                m_result.complete = false;
                return false;
            }
            m_result.cliques.push_back(m_current);
            std::sort(m_result.cliques.back().begin(), m_result.cliques.back().end());
            return true;
        }
        int pivot = -1;
        int most = -1;
        for (const VertexSet* pool : {&candidates, &excluded})
            for (int u : pool->members()) {
                const int n = commonCount(candidates, m_graph.neighbours[std::size_t(u)]);
                if (n > most) {
                    most = n;
                    pivot = u;
                }
            }
        VertexSet branches = candidates;
        const auto& pivotNeighbours = m_graph.neighbours[std::size_t(pivot)].words();
        for (std::size_t w = 0; w < branches.words().size(); ++w)
            branches.words()[w] &= ~pivotNeighbours[w];
        for (int v : branches.members()) {
            const VertexSet& around = m_graph.neighbours[std::size_t(v)];
            VertexSet nextCandidates = intersection(candidates, around);
            VertexSet nextExcluded = intersection(excluded, around);
            m_current.push_back(v);
            const bool goOn = extend(nextCandidates, nextExcluded);
            m_current.pop_back();
            if (!goOn)
                return false;
            candidates.erase(v);
            excluded.insert(v);
        }
        return true;
    }

    const ExactGraph& m_graph;
    std::size_t m_cap;
    std::uint64_t m_stepLimit;
    std::uint64_t m_steps = 0;
    std::vector<int> m_current;
    MaximalCliques m_result;
};

Clique cliqueOf(const ExactGraph& graph, const std::vector<int>& vertices) {
    Clique clique;
    for (int v : vertices)
        clique.members.append(graph.labels[v]);
    return normaliseClique(clique);
}

bool largerFirst(const MaximalCliqueEntry& a, const MaximalCliqueEntry& b) {
    const QList<QByteArray>& x = a.clique.members;
    const QList<QByteArray>& y = b.clique.members;
    if (x.size() != y.size())
        return x.size() > y.size();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), labelLess);
}

// True when the members are distinct vertices of the graph, all joined.
bool isCliqueOf(const ExactGraph& graph, const QHash<QByteArray, int>& number,
                const Clique& clique) {
    std::vector<int> vertices;
    for (const QByteArray& label : clique.members) {
        const int v = number.value(label, -1);
        if (v < 0)
            return false;
        for (int u : vertices)
            if (!graph.adjacent(u, v))
                return false;
        vertices.push_back(v);
    }
    return true;
}

QString germanNumber(qsizetype n) {
    return QLocale(QLocale::German).toString(qlonglong(n));
}

} // namespace

MaximumCliqueResult maximumClique(const ExactGraph& graph, std::uint64_t stepLimit) {
    return MaximumCliqueSearch(graph, stepLimit).run();
}

MaximalCliques enumerateMaximalCliques(const ExactGraph& graph, std::size_t cap,
                                       std::uint64_t stepLimit) {
    return MaximalCliqueEnumeration(graph, cap, stepLimit).run();
}

qsizetype ExactAnalysis::missedByGreedy() const {
    return std::count_if(maximalCliques.begin(), maximalCliques.end(),
                         [](const MaximalCliqueEntry& e) { return !e.inGreedyList; });
}

ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             std::uint64_t stepLimit) {
    const ExactGraph graph = buildExactGraph(store);
    ExactAnalysis analysis;
    analysis.k = k;
    analysis.stepLimit = stepLimit;
    analysis.vertexCount = graph.size();

    const MaximumCliqueResult largest = maximumClique(graph, stepLimit);
    analysis.cliqueNumber = qsizetype(largest.clique.size());
    analysis.cliqueNumberComplete = largest.complete;
    analysis.largestClique = cliqueOf(graph, largest.clique);

    QHash<QByteArray, int> number;
    for (int v = 0; v < graph.size(); ++v)
        number.insert(graph.labels[v], v);
    QSet<QList<QByteArray>> greedyCliques;
    for (const Clique& clique : greedy) {
        greedyCliques.insert(normaliseClique(clique).members);
        if (analysis.greedyFitsGraph && !isCliqueOf(graph, number, clique))
            analysis.greedyFitsGraph = false;
    }
    analysis.greedyCount = greedy.size();
    analysis.greedyLargest = largestCliqueSize(greedy, nullptr);

    MaximalCliques maximal = enumerateMaximalCliques(graph, kMaximalCliqueCap, stepLimit);
    analysis.truncated = maximal.truncated;
    analysis.maximalComplete = maximal.complete;
    analysis.maximalCliques.reserve(qsizetype(maximal.cliques.size()));
    for (const std::vector<int>& vertices : maximal.cliques) {
        MaximalCliqueEntry entry{cliqueOf(graph, vertices), false};
        entry.inGreedyList = greedyCliques.contains(entry.clique.members);
        analysis.maximalCliques.append(std::move(entry));
    }
    std::sort(analysis.maximalCliques.begin(), analysis.maximalCliques.end(), largerFirst);
    return analysis;
}

QString cliqueNumberText(const ExactAnalysis& analysis) {
    if (analysis.cliqueNumberComplete)
        return QString::number(analysis.cliqueNumber);
    return QString("mindestens %1").arg(analysis.cliqueNumber);
}

QString maximalCliqueCountText(const ExactAnalysis& analysis) {
    const qsizetype n = analysis.maximalCliques.size();
    if (analysis.truncated)
        return QString("Mehr als %1 maximale Cliquen; gezeigt werden die ersten %1.")
            .arg(germanNumber(n));
    if (!analysis.maximalComplete)
        return QString("Die Suche hat nach %1 Schritten aufgehört: %2 maximale Cliquen gefunden, "
                       "es kann mehr geben.")
            .arg(germanNumber(qsizetype(analysis.stepLimit)), germanNumber(n));
    if (n == 0)
        return "Der Graph hat keine Knoten.";
    if (n == 1)
        return "1 maximale Clique";
    return QString("%1 maximale Cliquen").arg(germanNumber(n));
}

QString decisionQuestionText(const ExactAnalysis& analysis) {
    return QString("Gibt es eine Clique mit mindestens k = %1 Knoten?").arg(analysis.k);
}

QString exactDecisionText(const ExactAnalysis& analysis) {
    if (!analysis.exactAnswerKnown())
        return "Unbekannt";
    return QString::fromLatin1(decisionAnswer(analysis.cliqueNumber, analysis.k));
}

QString exampleText(const ExactAnalysis& analysis) {
    return analysis.exactAnswer() ? cliqueDisplayText(analysis.largestClique) : QString();
}

QString comparisonText(const ExactAnalysis& analysis) {
    const bool comparable = analysis.greedyCount > 0 && analysis.greedyFitsGraph;
    if (!analysis.cliqueNumberComplete) {
        QString text = QString("Die exakte Suche hat nach %1 Schritten aufgehört: Die größte "
                               "Clique hat mindestens %2 Knoten.")
                           .arg(germanNumber(qsizetype(analysis.stepLimit)))
                           .arg(analysis.cliqueNumber);
        if (comparable)
            text += QString(" Die gierige Suche fand höchstens %1.").arg(analysis.greedyLargest);
        return text;
    }
    if (analysis.greedyCount == 0)
        return "Die Liste „Gefundene Cliquen“ ist leer: Nach „Berechnen!“ im Hauptfenster "
               "lässt sich die gierige Suche hier mit dem exakten Ergebnis vergleichen.";
    if (!analysis.greedyFitsGraph)
        return "Die Liste „Gefundene Cliquen“ gehört nicht zum aktuellen Graphen: Nach "
               "„Berechnen!“ lässt sie sich wieder vergleichen.";
    QString text;
    if (analysis.greedyLargest < analysis.cliqueNumber) {
        text = QString("Die gierige Suche fand höchstens %1 Knoten, die größte Clique hat aber "
                       "%2 Knoten.")
                   .arg(analysis.greedyLargest)
                   .arg(analysis.cliqueNumber);
        if (analysis.greedyAnswer() != analysis.exactAnswer())
            text +=
                QString(" Für k = %1 antwortet sie deshalb „%2“, richtig ist „%3“.")
                    .arg(analysis.k)
                    .arg(QString::fromLatin1(decisionAnswer(analysis.greedyLargest, analysis.k)),
                         exactDecisionText(analysis));
    } else {
        text = QString("Die gierige Suche hat eine größte Clique gefunden (%1 Knoten).")
                   .arg(analysis.cliqueNumber);
    }
    if (!analysis.maximalComplete)
        return text;
    const qsizetype total = analysis.maximalCliques.size();
    const qsizetype missed = analysis.missedByGreedy();
    if (missed == 0)
        text += total == 1
                    ? QString(" Sie enthält die einzige maximale Clique.")
                    : QString(" Sie enthält alle %1 maximalen Cliquen.").arg(germanNumber(total));
    else if (total == 1)
        text += " Die einzige maximale Clique fehlt ihr.";
    else if (missed == 1)
        text += QString(" Von den %1 maximalen Cliquen fehlt ihr eine.").arg(germanNumber(total));
    else
        text += QString(" Von den %1 maximalen Cliquen fehlen ihr %2.")
                    .arg(germanNumber(total), germanNumber(missed));
    return text;
}
