#include "clique_search.h"

#include "cliques/search_play.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Adjacency between the distinct labels of vertices, built once per run.
// Label u counts as joined to a different label v when some edge has u at one
// end and v at the other, exactly as the partner look-up of the edge texts
// decides it.
class LabelAdjacency {
public:
    explicit LabelAdjacency(const GraphStore& store) {
        const qsizetype n = store.vertices.count();
        m_ids.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            if (!m_ids.contains(store.vertices[i]))
                m_ids.insert(store.vertices[i], int(m_ids.size()));
        m_words = (m_ids.size() + 63) / 64;
        m_rows.assign(size_t(m_ids.size()) * m_words, 0);
        const qsizetype edges = std::min(store.edgeCount, store.edges.count());
        for (qsizetype i = 0; i < edges; ++i) {
            const EdgeEnds ends = splitEdge(store.edges[i]);
            const int a = id(ends.first);
            const int b = id(ends.second);
            if (a < 0 || b < 0)
                continue; // an end that is no vertex can never be a member
            // A loop joins no label to itself: otherwise a second vertex with a
            // member's label could join, and a clique would hold that label twice.
            if (a == b)
                continue;
            set(a, b);
            set(b, a);
        }
    }

    int id(const QByteArray& label) const { return m_ids.value(label, -1); }
    qsizetype words() const { return m_words; }
    const std::uint64_t* row(int id) const { return m_rows.data() + size_t(id) * m_words; }

private:
    void set(int from, int to) { m_rows[size_t(from) * m_words + to / 64] |= 1ull << (to % 64); }

    QHash<QByteArray, int> m_ids;
    qsizetype m_words = 0;
    std::vector<std::uint64_t> m_rows;
};

bool hasBit(const std::uint64_t* bits, int id) {
    return (bits[id / 64] >> (id % 64)) & 1u;
}

} // namespace

void removeIsolatedVertices(GraphStore& store) {
    // A label is touched when it is either end of one of the counted edges.
    QSet<QByteArray> touched;
    const qsizetype edges = std::min(store.edgeCount, store.edges.count());
    for (qsizetype i = 0; i < edges; ++i) {
        const EdgeEnds ends = splitEdge(store.edges[i]);
        touched.insert(ends.first);
        touched.insert(ends.second);
    }
    TextList kept;
    for (const QByteArray& label : store.vertices) {
        if (touched.contains(label))
            kept.append(label);
    }
    store.vertices = kept;
}

template <class Observer>
void searchGreedily(const GraphStore& store, CliqueList& cliques, ProgressSink* progress,
                    Observer& observer) {
    const LabelAdjacency adjacency(store);
    const TextList& vertices = store.vertices;
    const qsizetype n = vertices.count();
    const qsizetype words = adjacency.words();

    std::vector<int> ids(n);
    for (qsizetype i = 0; i < n; ++i)
        ids[i] = adjacency.id(vertices[i]);

    // common[k] holds the labels joined to each of the first k + 1 members, so
    // testing a candidate against all members is a single bit look-up.
    std::vector<std::vector<std::uint64_t>> common;
    std::vector<qsizetype> members;    // indices into vertices
    std::vector<qsizetype> candidates; // indices into vertices

    for (qsizetype s = 0; s < n && !observer.stopped(); ++s) {
        observer.startVertex(int(s));
        members.assign(1, s);
        candidates.clear();
        for (qsizetype i = 0; i < n; ++i) {
            if (vertices[i] != vertices[s])
                candidates.push_back(i);
        }
        common.resize(1);
        const std::uint64_t* startRow = adjacency.row(ids[s]);
        common[0].assign(startRow, startRow + words);

        size_t j = 0;
        while (!candidates.empty() && !observer.stopped()) {
            const qsizetype c = candidates[j];
            if (hasBit(common.back().data(), ids[c])) {
                observer.candidateJoined(int(c));
                const std::uint64_t* row = adjacency.row(ids[c]);
                std::vector<std::uint64_t> next(common.back());
                for (qsizetype w = 0; w < words; ++w)
                    next[w] &= row[w];
                common.push_back(std::move(next));
                members.push_back(c);
                candidates.erase(candidates.begin() + qsizetype(j));
            } else {
                if constexpr (Observer::kWantsDetails) {
                    const auto lacking =
                        std::find_if(members.begin(), members.end(), [&](qsizetype m) {
                            return !hasBit(adjacency.row(ids[m]), ids[c]);
                        });
                    observer.candidateRefused(int(c), int(*lacking));
                } else {
                    observer.candidateRefused(int(c), -1);
                }
                ++j;
            }
            if (j == candidates.size()) {
                Clique found;
                found.members.reserve(qsizetype(members.size()));
                for (qsizetype m : members)
                    found.members.append(vertices[m]);
                cliques.append(std::move(found));
                observer.cliqueRecorded();
                if (members.size() > 2) {
                    observer.memberDropped(int(members.back()));
                    members.pop_back();
                    common.pop_back();
                } else {
                    observer.roundEnded();
                    candidates.clear();
                }
                j = 0;
            }
        }
        if (progress)
            progress->setPosition(int(s + 1));
    }
}

void greedyCliqueSearch(const GraphStore& store, CliqueList& cliques, ProgressSink* progress) {
    SilentSearchObserver silent;
    searchGreedily(store, cliques, progress, silent);
}

template void searchGreedily<GreedyStepRecorder>(const GraphStore&, CliqueList&, ProgressSink*,
                                                 GreedyStepRecorder&);

void searchCliquesFromEveryVertex(GraphStore& store, CliqueList& cliques, ProgressSink* progress) {
    removeIsolatedVertices(store);
    store.refreshVertexCount();
    if (progress)
        progress->setMaximum(int(store.vertexCount));
    greedyCliqueSearch(store, cliques, progress);
}
