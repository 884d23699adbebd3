#include "fuzz_checks.h"

#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "cliques/exact_analysis.h"
#include "files/file_access.h"
#include "files/graph_formats.h"
#include "files/list_files.h"
#include "files/picture_checks.h"
#include "graph/graph_layout.h"
#include "graph/random.h"
#include "graph/sample_graphs.h"
#include "heuristic/random_walk.h"
#include "support/progress_record.h"

#include <QHash>
#include <QLineF>
#include <QMap>
#include <QRect>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

// Both return from the enclosing check, so that the first broken invariant is
// the one reported.
#define EXPECT(condition, message)                                                                 \
    do {                                                                                           \
        if (!(condition))                                                                          \
            return QByteArray(message);                                                            \
    } while (false)

#define EXPECT_OK(check)                                                                           \
    do {                                                                                           \
        QByteArray failure_ = (check);                                                             \
        if (!failure_.isEmpty())                                                                   \
            return failure_;                                                                       \
    } while (false)

namespace {

using Members = QList<QByteArray>;

constexpr int kWalkSteps = 1000;

// Bytes as readable text for a failure report.
QByteArray shown(const QByteArray& bytes) {
    QByteArray out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f && u != '\\')
            out += c;
        else
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    return out;
}

QByteArray shown(const Clique& clique) {
    return shown(clique.text());
}

// The two ends of an edge text, worked out here rather than by the store's
// own split: the text before the first dash and the text after it.
std::pair<QByteArray, QByteArray> endsOf(const QByteArray& edge) {
    const qsizetype dash = edge.indexOf('-');
    if (dash < 0)
        return {QByteArray(), edge};
    return {edge.left(dash), edge.mid(dash + 1)};
}

// The labels of a vertex list, numbered by first occurrence, and which of them
// an edge joins; also every text that is an end of some edge.
class LabelGraph {
public:
    LabelGraph(const TextList& vertices, const TextList& edges) {
        for (const QByteArray& label : vertices)
            if (!m_ids.contains(label))
                m_ids.insert(label, int(m_ids.size()));
        const auto n = std::size_t(m_ids.size());
        m_joined.assign(n * n, false);
        for (const QByteArray& edge : edges) {
            const auto [a, b] = endsOf(edge);
            m_ends.insert(a);
            m_ends.insert(b);
            const int x = id(a);
            const int y = id(b);
            if (x >= 0 && y >= 0) {
                m_joined[std::size_t(x) * n + std::size_t(y)] = true;
                m_joined[std::size_t(y) * n + std::size_t(x)] = true;
            }
        }
    }

    // -1 for a text that is no vertex label.
    int id(const QByteArray& label) const { return m_ids.value(label, -1); }
    // Some edge has a at one end and b at the other (a loop when a equals b).
    bool joined(int a, int b) const {
        return m_joined[std::size_t(a) * std::size_t(m_ids.size()) + std::size_t(b)];
    }
    bool isEnd(const QByteArray& label) const { return m_ends.contains(label); }

private:
    QHash<QByteArray, int> m_ids;
    std::vector<bool> m_joined;
    QSet<QByteArray> m_ends;
};

// A clique's labels as a multiset: sorted by their bytes.
Members multiset(Members members) {
    std::sort(members.begin(), members.end());
    return members;
}

bool isNormalised(const Clique& clique) {
    return std::is_sorted(clique.members.begin(), clique.members.end(), labelLess);
}

bool labelsAreLines(const CliqueList& cliques) {
    for (const Clique& clique : cliques)
        for (const QByteArray& label : clique.members)
            if (label.contains('\r') || label.contains('\n') || label.contains('\0'))
                return false;
    return true;
}

QList<int> upTo(int first, int last) {
    QList<int> values;
    for (int i = first; i <= last; ++i)
        values.append(i);
    return values;
}

// ---- Text list load (vertex and edge files) ----

// What loading the bytes must give, worked out another way: the text up to a
// first NUL with every line break turned into LF, split at LF, where a break
// at the very end only ends the last line.
Members expectedLines(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    QByteArray text = nul < 0 ? bytes : bytes.left(nul);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    if (text.isEmpty())
        return {};
    if (text.endsWith('\n'))
        text.chop(1);
    return text.split('\n');
}

QTemporaryDir& scratchDir() {
    static QTemporaryDir dir;
    return dir;
}

QByteArray checkLoad(const QByteArray& bytes, const QString& fileName, TextList& loaded,
                     const QByteArray& what) {
    loaded = listFromFileBytes(bytes);
    EXPECT(loaded.entries() == expectedLines(bytes),
           what + ": the lines loaded differ from the file's lines");

    // The same bytes read back from a file, as the import reads them.
    EXPECT(writeFileAtomically(fileName, bytes), what + ": cannot write the scratch file");
    const std::optional<TextList> fromFile = loadTextList(fileName);
    EXPECT(fromFile.has_value(), what + ": cannot load the scratch file");
    EXPECT(*fromFile == loaded, what + ": loading from the file differs from loading the bytes");

    // Exported and imported again, the list stays the same, byte for byte.
    const QByteArray saved = listFileBytes(loaded);
    qsizetype size = 0;
    for (const QByteArray& entry : loaded)
        size += entry.size() + 2;
    EXPECT(saved.size() == size && (saved.isEmpty() || saved.endsWith("\r\n")),
           what + ": the saved form is not every entry followed by CR LF");
    EXPECT(listFromFileBytes(saved) == loaded, what + ": save and load change the list");
    EXPECT(saveTextList(fileName, loaded), what + ": cannot save the list");
    EXPECT(readWholeFile(fileName) == saved, what + ": the saved file differs from the list");
    EXPECT(loadTextList(fileName) == loaded, what + ": export and import change the list");
    return {};
}

// ---- Greedy search ----

QByteArray checkLabelOrder(const TextList& vertices) {
    QList<QByteArray> labels;
    for (const QByteArray& label : vertices)
        if (!labels.contains(label))
            labels.append(label);
    // A strict total order on distinct labels, or the sorts are undefined.
    for (const QByteArray& a : labels) {
        EXPECT(!labelLess(a, a), "labelLess: " + shown(a) + " is less than itself");
        for (const QByteArray& b : labels)
            EXPECT(a == b || labelLess(a, b) != labelLess(b, a),
                   "labelLess: " + shown(a) + " and " + shown(b) + " are not ordered one way");
    }
    const qsizetype n = std::min<qsizetype>(labels.size(), 16);
    for (qsizetype i = 0; i < n; ++i)
        for (qsizetype j = 0; j < n; ++j)
            for (qsizetype k = 0; k < n; ++k)
                EXPECT(!labelLess(labels[i], labels[j]) || !labelLess(labels[j], labels[k]) ||
                           labelLess(labels[i], labels[k]),
                       "labelLess is not transitive on " + shown(labels[i]) + ", " +
                           shown(labels[j]) + ", " + shown(labels[k]));
    return {};
}

// Consecutive repeats dropped.
Members runs(const Members& texts) {
    Members out;
    for (const QByteArray& text : texts)
        if (out.isEmpty() || out.last() != text)
            out.append(text);
    return out;
}

QByteArray checkGreedy(const GraphStore& before, const GraphStore& after, const CliqueList& found,
                       const ProgressRecord& progress, const LabelGraph& graph) {
    Members kept;
    for (const QByteArray& label : before.vertices)
        if (graph.isEnd(label))
            kept.append(label);
    EXPECT(after.vertices.entries() == kept,
           "removing isolated vertices did not keep exactly the vertices with an edge, in order");
    EXPECT(after.edges == before.edges, "the search changed the edge list");

    const qsizetype n = after.vertices.count();
    EXPECT(progress.maximum == n && progress.positions == upTo(1, int(n)),
           "search progress is not 1 to n");
    // A start vertex with a candidate (a vertex of another label) records at
    // least one clique; with a single label among the vertices none does.
    const bool candidates =
        std::any_of(after.vertices.begin(), after.vertices.end(),
                    [&](const QByteArray& l) { return l != after.vertices[0]; });
    EXPECT(candidates || found.isEmpty(), "a clique recorded without any candidate");
    Members starts;
    for (const Clique& clique : found) {
        EXPECT(!clique.members.isEmpty() && clique.members.size() <= n,
               "clique of impossible size: " + shown(clique));
        starts.append(clique.members.first());
        for (qsizetype i = 0; i < clique.members.size(); ++i) {
            const int a = graph.id(clique.members[i]);
            EXPECT(a >= 0 && after.vertices.indexOfExact(clique.members[i]) >= 0,
                   "clique member is no vertex: " + shown(clique));
            for (qsizetype j = 0; j < i; ++j) {
                const int b = graph.id(clique.members[j]);
                EXPECT(a != b, "a label twice in one clique: " + shown(clique));
                EXPECT(graph.joined(a, b),
                       "clique members not joined by an edge: " + shown(clique));
            }
        }
    }
    EXPECT(!candidates || runs(starts) == runs(after.vertices.entries()),
           "the cliques do not start with the start vertices in list order");
    return {};
}

// ---- Clique list operations and decision answer ----

QByteArray checkRedundancy(const CliqueList& input) {
    QList<Members> expected;
    QSet<Members> seen;
    for (const Clique& clique : input) {
        Members key = multiset(clique.members);
        if (!seen.contains(key)) {
            seen.insert(key);
            expected.append(std::move(key));
        }
    }
    CliqueList reduced = input;
    removeRedundantCliques(reduced);
    EXPECT(reduced.size() == expected.size(),
           "redundancy pass: " + QByteArray::number(reduced.size()) + " entries, not " +
               QByteArray::number(expected.size()) + " distinct label sets");
    for (qsizetype i = 0; i < reduced.size(); ++i) {
        EXPECT(multiset(reduced[i].members) == expected[i],
               "redundancy pass: entry " + QByteArray::number(i) + " " + shown(reduced[i]) +
                   " is not the first occurrence of its label set");
        EXPECT(isNormalised(reduced[i]), "redundancy pass: not normalised: " + shown(reduced[i]));
    }
    CliqueList again = reduced;
    removeRedundantCliques(again);
    EXPECT(again == reduced, "a second redundancy pass changed the list");
    return {};
}

QByteArray checkSort(const CliqueList& input, SizeOrder order, CliqueList& sorted) {
    const QByteArray what = order == SizeOrder::Ascending ? "ascending sort" : "descending sort";
    sorted = input;
    sortCliquesBySize(sorted, order);
    EXPECT(sorted.size() == input.size(), what + ": entries added or dropped");
    // Stable by size: the cliques of each size keep their relative order.
    QMap<qsizetype, QList<Members>> before;
    QMap<qsizetype, QList<Members>> after;
    for (const Clique& clique : input)
        before[clique.members.size()].append(multiset(clique.members));
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        const Clique& clique = sorted[i];
        after[clique.members.size()].append(multiset(clique.members));
        EXPECT(isNormalised(clique), what + ": not normalised: " + shown(clique));
        if (i > 0) {
            const qsizetype previous = sorted[i - 1].members.size();
            const qsizetype size = clique.members.size();
            EXPECT(order == SizeOrder::Ascending ? previous <= size : previous >= size,
                   what + ": out of order at entry " + QByteArray::number(i));
        }
    }
    EXPECT(before == after, what + ": cliques of equal size changed their order or labels");
    CliqueList again = sorted;
    sortCliquesBySize(again, order);
    EXPECT(again == sorted, what + ": a second sort changed the list");
    return {};
}

QByteArray checkLargest(const CliqueList& cliques, qsizetype expected, const QByteArray& what) {
    ProgressRecord progress;
    EXPECT(largestCliqueSize(cliques, &progress) == expected,
           what + ": largest size is not the largest member count");
    EXPECT(progress.positions == upTo(0, int(cliques.size()) - 1),
           what + ": progress is not every index once");
    return {};
}

QByteArray checkListOperations(const CliqueList& found, qsizetype& largest) {
    largest = 0;
    for (const Clique& clique : found)
        largest = std::max(largest, clique.members.size());
    EXPECT_OK(checkLargest(found, largest, "search result"));
    for (qsizetype k = 0; k <= 66; ++k)
        EXPECT(decisionAnswer(largest, k) == (largest >= k ? "Ja" : "Nein"),
               "decision answer wrong for k = " + QByteArray::number(k));

    EXPECT_OK(checkRedundancy(found));
    CliqueList reduced = found;
    removeRedundantCliques(reduced);
    EXPECT_OK(checkLargest(reduced, largest, "after the redundancy pass"));

    for (const SizeOrder order : {SizeOrder::Ascending, SizeOrder::Descending}) {
        CliqueList sorted;
        EXPECT_OK(checkSort(found, order, sorted));
        EXPECT_OK(checkLargest(sorted, largest, "after a sort"));
        // The redundancy pass keeps a sorted list sorted.
        removeRedundantCliques(sorted);
        for (qsizetype i = 1; i < sorted.size(); ++i) {
            const qsizetype previous = sorted[i - 1].members.size();
            const qsizetype size = sorted[i].members.size();
            EXPECT(order == SizeOrder::Ascending ? previous <= size : previous >= size,
                   "the redundancy pass broke the order of a sorted list");
        }
    }

    // The saved list: one clique text per line.
    if (labelsAreLines(reduced)) {
        Members texts;
        for (const Clique& clique : reduced)
            texts.append(clique.text());
        EXPECT(listFromFileBytes(cliqueListBytes(reduced)).entries() == texts,
               "the saved clique list does not read back as its clique texts");
    }
    return {};
}

// ---- Exact analysis ----

QByteArray checkExactClique(const Members& members, const LabelGraph& graph,
                            const QByteArray& what) {
    for (qsizetype i = 0; i < members.size(); ++i) {
        const int a = graph.id(members[i]);
        EXPECT(a >= 0, what + ": member is no vertex");
        for (qsizetype j = 0; j < i; ++j) {
            const int b = graph.id(members[j]);
            EXPECT(a != b, what + ": a label repeats");
            EXPECT(graph.joined(a, b), what + ": members not joined");
        }
    }
    return {};
}

QByteArray checkExact(const GraphStore& store, const CliqueList& found, qsizetype largest,
                      const LabelGraph& graph) {
    QSet<Members> greedySets;
    for (const Clique& clique : found)
        greedySets.insert(multiset(clique.members));
    const ExactAnalysis analysis = analyseExactly(store, found, 3);
    EXPECT(analysis.greedyLargest == largest, "exact analysis: greedy largest differs");
    EXPECT(analysis.greedyCount == found.size(), "exact analysis: greedy count differs");
    EXPECT(analysis.greedyFitsGraph,
           "exact analysis: the greedy list from this very graph does not fit it");
    EXPECT(analysis.cliqueNumber >= largest,
           "exact analysis: clique number below the greedy search's largest clique");
    EXPECT(analysis.largestClique.members.size() == analysis.cliqueNumber,
           "exact analysis: the largest clique is not of the clique number's size");
    EXPECT(isNormalised(analysis.largestClique), "exact analysis: largest clique not normalised");
    EXPECT_OK(checkExactClique(analysis.largestClique.members, graph,
                               "exact analysis: largest clique " + shown(analysis.largestClique)));
    EXPECT(!analysis.greedyAnswer() || analysis.exactAnswer(),
           "exact analysis: a greedy Ja with an exact Nein");

    QSet<QByteArray> labels(store.vertices.begin(), store.vertices.end());
    EXPECT(analysis.vertexCount == labels.size(), "exact analysis: wrong number of vertices");
    EXPECT(analysis.truncated || !analysis.maximalCliques.isEmpty() || labels.isEmpty(),
           "exact analysis: no maximal clique in a graph with vertices");
    QSet<Members> seen;
    for (qsizetype i = 0; i < analysis.maximalCliques.size(); ++i) {
        const Members& members = analysis.maximalCliques[i].clique.members;
        const QByteArray what =
            "exact analysis: maximal clique " + shown(analysis.maximalCliques[i].clique);
        EXPECT(!members.isEmpty() && members.size() <= analysis.cliqueNumber,
               what + ": impossible size");
        EXPECT(i == 0 || analysis.maximalCliques[i - 1].clique.members.size() >= members.size(),
               what + ": not largest first");
        EXPECT(!seen.contains(members), what + ": listed twice");
        seen.insert(members);
        EXPECT_OK(checkExactClique(members, graph, what));
        EXPECT(analysis.maximalCliques[i].inGreedyList == greedySets.contains(multiset(members)),
               what + ": wrongly marked as in the greedy list or not");
        // Maximal: no other vertex is joined to every member.
        for (const QByteArray& label : labels) {
            if (members.contains(label))
                continue;
            const int v = graph.id(label);
            EXPECT(!std::all_of(members.begin(), members.end(),
                                [&](const QByteArray& m) { return graph.joined(v, graph.id(m)); }),
                   what + ": can be extended by " + shown(label));
        }
    }
    if (!analysis.truncated && !analysis.maximalCliques.isEmpty())
        EXPECT(analysis.maximalCliques.first().clique.members.size() == analysis.cliqueNumber,
               "exact analysis: no maximal clique of the clique number's size");
    return {};
}

// ---- Random walk ----

QByteArray checkWalk(const GraphStore& graph, std::uint32_t seed) {
    const TextList& vertices = graph.vertices;
    const qsizetype n = vertices.count();
    // Only edges with both ends among the vertices take part.
    std::vector<std::pair<QByteArray, QByteArray>> usable;
    for (const QByteArray& edge : graph.edges) {
        auto ends = endsOf(edge);
        if (vertices.indexOfExact(ends.first) >= 0 && vertices.indexOfExact(ends.second) >= 0)
            usable.push_back(std::move(ends));
    }
    const WalkRefusal expected = n == 0                  ? WalkRefusal::NoVertices
                                 : graph.edges.isEmpty() ? WalkRefusal::NoEdges
                                 : usable.empty()        ? WalkRefusal::NoEdgeBetweenVertices
                                                         : WalkRefusal::None;

    GraphStore store = graph;
    store.vertexCount = 0;
    store.edgeCount = 0;
    seedRandom(seed);
    ProgressRecord progress;
    const WalkResult result = randomWalk(store, kWalkSteps, &progress);
    EXPECT(store.vertices == graph.vertices && store.edges == graph.edges,
           "the walk changed the graph");
    EXPECT(store.vertexCount == n && store.edgeCount == graph.edges.count(),
           "the walk did not refresh the counts");
    EXPECT(result.refusal == expected, "walk refusal " + QByteArray::number(int(result.refusal)) +
                                           " instead of " + QByteArray::number(int(expected)));
    if (expected != WalkRefusal::None) {
        EXPECT(!walkRefusalText(expected).isEmpty(), "a refused walk without a message");
        EXPECT(result.visitCounts.empty(), "a refused walk gave counts");
        EXPECT(progress.begun == 0 && progress.positions.isEmpty(),
               "a refused walk showed progress");
        const int next = randomBelow(1 << 30);
        seedRandom(seed);
        EXPECT(randomBelow(1 << 30) == next, "a refused walk drew random numbers");
        return {};
    }
    EXPECT(result.visitCounts.size() == std::size_t(n), "not one visit count per vertex");

    // The same walk step by step: partners one per incident usable edge, in
    // edge order, each found as the first vertex with its label.
    std::vector<std::vector<qsizetype>> partners(static_cast<std::size_t>(n));
    for (qsizetype v = 0; v < n; ++v)
        for (const auto& [a, b] : usable)
            if (a == vertices[v] || b == vertices[v])
                partners[std::size_t(v)].push_back(vertices.indexOfExact(a != vertices[v] ? a : b));
    seedRandom(seed);
    std::vector<qint64> counts(static_cast<std::size_t>(n), 0);
    qsizetype current = 0;
    do
        current = randomBelow(int(n));
    while (partners[std::size_t(current)].empty());
    ++counts[std::size_t(current)];
    qint64 sum = 1;
    for (int step = 0; step < kWalkSteps; ++step) {
        const std::vector<qsizetype>& around = partners[std::size_t(current)];
        for (const qsizetype p : around)
            ++counts[std::size_t(p)];
        sum += qint64(around.size()) + 1;
        current = around[std::size_t(randomBelow(int(around.size())))];
        ++counts[std::size_t(current)];
    }
    EXPECT(std::accumulate(result.visitCounts.begin(), result.visitCounts.end(), qint64(0)) == sum,
           "the visit counts break the sum rule");
    EXPECT(result.visitCounts == counts, "the visit counts differ from a step-by-step walk");
    EXPECT(progress.begun == 1 && progress.finished == 1 && progress.maximum == kWalkSteps,
           "walk progress not shown, set to the step count and closed once");
    EXPECT(!progress.positions.isEmpty() && progress.positions.last() == kWalkSteps - 1 &&
               std::is_sorted(progress.positions.begin(), progress.positions.end()),
           "walk progress does not rise to the last step");
    return {};
}

// Reads the graph input; bytes past the end read as 0.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& data) : m_data(data) {}
    bool atEnd() const { return m_pos >= m_data.size(); }
    unsigned byte() { return atEnd() ? 0u : static_cast<unsigned char>(m_data[m_pos++]); }
    QByteArray take(qsizetype n) {
        n = std::min(n, m_data.size() - m_pos);
        const QByteArray out = m_data.mid(m_pos, n);
        m_pos += n;
        return out;
    }

private:
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

} // namespace

QByteArray CheckImportInput(const QByteArray& data) {
    const qsizetype split = data.indexOf('\xff');
    const QByteArray vertexBytes = split < 0 ? data : data.left(split);
    const QByteArray edgeBytes = split < 0 ? QByteArray() : data.mid(split + 1);
    EXPECT(scratchDir().isValid(), "no scratch folder");

    // The same bytes chosen as the picture: only a bitmap header can make a
    // file count as cut off, and reading it must stay inside the bytes.
    EXPECT(!isTruncatedBitmap(data) || data.startsWith("BM"),
           "a file that is no bitmap counts as a truncated bitmap");
    const bool knownSignature = data.startsWith("BM") || data.startsWith("GIF87a") ||
                                data.startsWith("GIF89a") || data.startsWith("\xff\xd8") ||
                                data.startsWith("\x89PNG\r\n\x1a\n");
    EXPECT(!isTruncatedPicture(data) || knownSignature,
           "a file of no known picture format counts as a truncated picture");

    TextList vertices;
    TextList edges;
    EXPECT_OK(
        checkLoad(vertexBytes, scratchDir().filePath("vertices.txt"), vertices, "vertex file"));
    EXPECT_OK(checkLoad(edgeBytes, scratchDir().filePath("edges.txt"), edges, "edge file"));

    // The import: each count refreshed right after its list is loaded, the
    // full counts deciding (a file of 256 lines imports).
    GraphStore store;
    store.vertices = vertices;
    store.refreshVertexCount();
    store.edges = edges;
    store.refreshEdgeCount();
    EXPECT(store.vertexCount == expectedLines(vertexBytes).size() &&
               store.edgeCount == expectedLines(edgeBytes).size(),
           "the counts after the import are not the numbers of lines");
    if (store.vertexCount != 0 && store.edgeCount != 0) {
        if (store.vertexCount <= 64 && store.edgeCount <= 400)
            EXPECT_OK(CheckGraph(store, std::uint32_t(data.size())));
        return {};
    }
    // Failed: sample graph 1 takes its place.
    store.clear();
    appendSampleGraph(store, 1);
    store.refreshEdgeCount();
    store.refreshVertexCount();
    const SampleGraph& sample = sampleGraph(1);
    EXPECT(store.vertexCount == 9 && store.edgeCount == 13 &&
               store.vertices.entries() == Members(sample.labels.begin(), sample.labels.end()) &&
               store.edges.entries() == Members(sample.edges.begin(), sample.edges.end()),
           "the fallback is not sample graph 1");
    return {};
}

namespace {

// The number of lines of a file, worked out here: breaks made one kind, and
// a break at the very end ending the last line rather than starting one.
qsizetype lineCount(QByteArray text) {
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    if (text.isEmpty())
        return 0;
    return text.count('\n') + (text.endsWith('\n') ? 0 : 1);
}

QByteArray checkRefusal(const OpenedGraph& read, const QByteArray& bytes, const QString& name) {
    EXPECT(read.problem != GraphFileProblem::CannotRead &&
               read.problem != GraphFileProblem::UnknownFormat,
           "a problem of the file's name or disk reported for its bytes");
    EXPECT(read.graph.vertices.isEmpty() && read.graph.edges.isEmpty() &&
               read.graph.vertexCount == 0 && read.graph.edgeCount == 0,
           "a refused file left a graph");
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    EXPECT(read.line >= 1 && read.line <= lineCount(body) + 1,
           "refused at line " + QByteArray::number(read.line) + " of " +
               QByteArray::number(lineCount(body)));
    EXPECT(read.message.contains(QStringLiteral("\"%1\"").arg(name)) &&
               read.message.contains(QStringLiteral("Zeile %1: ").arg(read.line)),
           "the message names neither the file nor the line: " + read.message.toUtf8());
    return {};
}

QByteArray checkReadGraph(const GraphStore& graph, bool fromDimacs, const QByteArray& bytes) {
    EXPECT(graph.vertexCount == graph.vertices.count() && graph.edgeCount == graph.edges.count(),
           "the counts of a graph read are not refreshed");
    EXPECT(!graph.vertices.isEmpty(), "a graph read without vertices");
    const QSet<QByteArray> labels(graph.vertices.begin(), graph.vertices.end());
    EXPECT(labels.size() == graph.vertices.count(), "a label repeats");
    for (const QByteArray& label : graph.vertices)
        EXPECT(!label.contains('\n') && !label.contains('\r') && !label.contains('\0'),
               "a label holds a line break or NUL: " + shown(label));
    if (fromDimacs && !bytes.contains("c Knoten "))
        for (qsizetype v = 0; v < graph.vertices.count(); ++v)
            EXPECT(graph.vertices[v] == QByteArray::number(v + 1),
                   "DIMACS vertex " + QByteArray::number(v + 1) + " labelled " +
                       shown(graph.vertices[v]));
    if (!fromDimacs)
        for (const QByteArray& label : graph.vertices)
            EXPECT(!label.isEmpty() && !label.startsWith('#') && !label.startsWith('%') &&
                       std::none_of(
                           label.begin(), label.end(),
                           [](char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }),
                   "an edge list label holds a separator or starts a comment: " + shown(label));

    QSet<std::pair<QByteArray, QByteArray>> pairs;
    for (const QByteArray& edge : graph.edges) {
        const auto [a, b] = endsOf(edge);
        EXPECT(labels.contains(a) && labels.contains(b),
               "the edge " + shown(edge) + " does not split into two labels");
        EXPECT(!pairs.contains({b, a}) && !pairs.contains({a, b}),
               "the edge " + shown(edge) + " repeats");
        pairs.insert({a, b});
    }

    // Through the DIMACS writer and back, unchanged.
    const DimacsText text = dimacsText(graph);
    EXPECT(text.problem.isEmpty() && text.edgesLeftOut == 0,
           "the DIMACS writer refused or left out part of a graph read: " + text.problem.toUtf8());
    const OpenedGraph again = readDimacs(text.bytes, QStringLiteral("again.clq"));
    EXPECT(again.ok(), "the DIMACS written does not read back: " + again.message.toUtf8());
    EXPECT(again.graph.vertices == graph.vertices && again.graph.edges == graph.edges,
           "the DIMACS written reads back as another graph");
    return {};
}

QByteArray checkLayout(const GraphStore& graph) {
    const GraphLayout layout = layoutGraph(graph);
    const GraphLayout again = layoutGraph(graph);
    EXPECT(layout.positions.centres == again.positions.centres &&
               layout.legibleLabels == again.legibleLabels,
           "the same graph was laid out twice differently");
    const int r = layout.positions.radius;
    const int inset = r + kLayoutMargin;
    EXPECT(layout.positions.centres.size() == std::min(graph.vertices.count(), kMostShownVertices),
           "not one position per vertex shown");
    for (auto it = layout.positions.centres.cbegin(); it != layout.positions.centres.cend(); ++it) {
        EXPECT(graph.vertices.indexOfExact(it.key()) >= 0, "a position for no vertex");
        EXPECT(it->x() >= inset && it->x() <= kSamplePictureWidth - inset && it->y() >= inset &&
                   it->y() <= kSamplePictureHeight - inset,
               "a circle leaves the picture");
    }
    const QList<QPoint> centres = layout.positions.centres.values();
    for (qsizetype i = 0; i < centres.size(); ++i)
        for (qsizetype j = i + 1; j < centres.size(); ++j)
            EXPECT(QLineF(centres[i], centres[j]).length() >= 2 * r, "two circles overlap");
    QList<QRect> boxes;
    for (const QByteArray& label : layout.legibleLabels) {
        const QSize size = estimatedLabelSize(label, layout.labelPixelSize);
        const QPoint centre = layout.positions.centres.value(label);
        const QRect box(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
                        size.height());
        EXPECT(QRect(0, 0, kSamplePictureWidth, kSamplePictureHeight).contains(box),
               "a legible label leaves the picture");
        for (const QRect& other : boxes)
            EXPECT(!other.intersects(box), "two legible labels overlap");
        boxes.append(box);
    }
    return {};
}

} // namespace

QByteArray CheckFormatInput(const QByteArray& data) {
    const bool dimacs = data.isEmpty() || static_cast<unsigned char>(data[0]) % 2 == 0;
    const QByteArray bytes = data.mid(1);
    const QString name = dimacs ? QStringLiteral("fuzz.clq") : QStringLiteral("fuzz.txt");
    ProgressRecord progress;
    const OpenedGraph read =
        dimacs ? readDimacs(bytes, name, &progress) : readEdgeList(bytes, name, &progress);
    EXPECT(progress.begun == progress.finished && progress.begun <= 1,
           "the progress window was not closed once after being shown");
    if (!read.ok())
        return checkRefusal(read, bytes, name);
    EXPECT(read.message.isEmpty() && read.line == 0, "a graph read with a message");
    EXPECT_OK(checkReadGraph(read.graph, dimacs, bytes));
    if (read.graph.vertexCount <= 64 && read.graph.edgeCount <= 400) {
        EXPECT_OK(checkLayout(read.graph));
        EXPECT_OK(CheckGraph(read.graph, std::uint32_t(data.size())));
    }
    return {};
}

GraphStore GraphFromBytes(const QByteArray& data, std::uint32_t& seed) {
    ByteReader in(data);
    seed = 0;
    for (int i = 0; i < 4; ++i)
        seed |= std::uint32_t(in.byte()) << (8 * i);

    GraphStore graph;
    const unsigned n = in.byte() % 65;
    for (unsigned v = 0; v < n; ++v)
        graph.vertices.append(in.take(in.byte() % 8));
    const auto label = [&](unsigned index) {
        index %= n + 2;
        return index < n ? graph.vertices[index] : "~" + QByteArray::number(index - n);
    };

    unsigned m = in.byte();
    m |= in.byte() << 8;
    m %= 401;
    for (unsigned e = 0; e < m && !in.atEnd(); ++e) {
        switch (in.byte() % 8) {
        case 5: {
            const QByteArray a = label(in.byte());
            graph.edges.append(a + '-' + a);
            break;
        }
        case 6:
            graph.edges.append(label(in.byte()));
            break;
        case 7:
            graph.edges.append(in.take(in.byte() % 16));
            break;
        default: {
            const QByteArray a = label(in.byte());
            const QByteArray b = label(in.byte());
            graph.edges.append(a + '-' + b);
        }
        }
    }
    return graph;
}

QByteArray CheckGraphInput(const QByteArray& data) {
    std::uint32_t seed = 0;
    const GraphStore graph = GraphFromBytes(data, seed);
    return CheckGraph(graph, seed);
}

QByteArray CheckGraph(const GraphStore& graph, std::uint32_t seed) {
    const LabelGraph labels(graph.vertices, graph.edges);
    EXPECT_OK(checkLabelOrder(graph.vertices));

    // As "Berechnen!" runs it.
    GraphStore store = graph;
    store.refreshCounts();
    CliqueList found;
    ProgressRecord progress;
    searchCliquesFromEveryVertex(store, found, &progress);
    EXPECT_OK(checkGreedy(graph, store, found, progress, labels));

    qsizetype largest = 0;
    EXPECT_OK(checkListOperations(found, largest));
    EXPECT_OK(checkExact(store, found, largest, labels));
    EXPECT_OK(checkWalk(graph, seed));
    return {};
}

int RunFuzzCheck(QByteArray (*check)(const QByteArray&), const std::uint8_t* data,
                 std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray failure = check(input);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "Broken invariant: %s\n", failure.constData());
        std::abort();
    }
    return 0;
}
