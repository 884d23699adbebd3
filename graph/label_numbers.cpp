#include "label_numbers.h"

#include "graph/graph_store.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// FNV-1a over the bytes, folded so that the high bits count too. Not QHash:
// its per-process seed makes every look-up several times slower.
std::uint32_t hashOf(QByteArrayView text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (char c : text)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001b3u;
    return std::uint32_t(hash ^ (hash >> 32));
}

} // namespace

LabelNumbers::LabelNumbers(const QList<QByteArray>& vertices) {
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(8, 2 * std::size_t(vertices.size()))),
                   Slot());
    m_numbers.reserve(std::size_t(vertices.size()));
    for (const QByteArray& label : vertices) {
        const std::uint32_t hash = hashOf(label);
        Slot& slot = m_slots[slotOf(label, hash)];
        if (slot.number < 0) {
            slot = {count(), hash};
            m_labels.append(label);
        }
        m_numbers.push_back(slot.number);
    }
}

int LabelNumbers::numberOf(QByteArrayView text) const {
    return m_slots[slotOf(text, hashOf(text))].number;
}

// The slot that holds the text's number, or the empty slot where it would go.
std::size_t LabelNumbers::slotOf(QByteArrayView text, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = m_slots[slot];
        if (entry.number < 0)
            return slot;
        // Texts of a few bytes: the stored hash settles almost every
        // mismatch, a plain comparison the rest.
        if (entry.hash != hash)
            continue;
        const QByteArray& label = m_labels[entry.number];
        if (label.size() == text.size() &&
            std::mismatch(text.begin(), text.end(), label.constData()).first == text.end())
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
