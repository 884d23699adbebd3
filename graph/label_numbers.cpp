#include "label_numbers.h"

#include "graph/graph_store.h"

#include <algorithm>
#include <bit>
#include <cstdint>

LabelNumbers::LabelNumbers(const QList<QByteArray>& vertices) {
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(8, 2 * std::size_t(vertices.size()))), -1);
    m_numbers.reserve(std::size_t(vertices.size()));
    for (const QByteArray& label : vertices) {
        const std::size_t slot = slotOf(label);
        if (m_slots[slot] < 0) {
            m_slots[slot] = count();
            m_labels.append(label);
        }
        m_numbers.push_back(m_slots[slot]);
    }
}

int LabelNumbers::numberOf(QByteArrayView text) const {
    return m_slots[slotOf(text)];
}

// The slot that holds the text's number, or the empty slot where it would go.
std::size_t LabelNumbers::slotOf(QByteArrayView text) const {
    // FNV-1a over the bytes, folded so that the high bits count too. Not
    // QHash: its per-process seed makes every look-up several times slower.
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (char c : text)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001b3u;
    hash ^= hash >> 32;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = std::size_t(hash) & mask;; slot = (slot + 1) & mask) {
        const int number = m_slots[slot];
        if (number < 0)
            return slot;
        const QByteArray& label = m_labels[number];
        if (label.size() == text.size() && std::equal(text.begin(), text.end(), label.constData()))
            return slot;
    }
}

std::vector<NumberedEdge> numberEdges(const TextList& edges, qsizetype count,
                                      const LabelNumbers& numbers) {
    const qsizetype n = std::min(count, edges.count());
    std::vector<NumberedEdge> result(static_cast<std::size_t>(std::max<qsizetype>(n, 0)));
    for (qsizetype i = 0; i < n; ++i) {
        const EdgeEndViews ends = splitEdgeView(edges[i]);
        result[std::size_t(i)] = {numbers.numberOf(ends.first), numbers.numberOf(ends.second)};
    }
    return result;
}
