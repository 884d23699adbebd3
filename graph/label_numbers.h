#pragma once

#include "graph/text_list.h"

#include <QByteArrayView>
#include <QList>

#include <cstdint>
#include <vector>

// The distinct labels of a vertex list, numbered 0, 1, 2, ... in the order
// they first appear, with a look-up from any text to its number. Built once
// per run and shared by everything the run needs, so that every edge text is
// split and looked up only once. Labels compare exactly.
class LabelNumbers {
public:
    explicit LabelNumbers(const QList<QByteArray>& vertices);

    // The distinct labels, by number.
    const QList<QByteArray>& labels() const { return m_labels; }
    int count() const { return int(m_labels.size()); }
    // The number of every entry of the vertex list, by index.
    const std::vector<int>& numbers() const { return m_numbers; }
    // The number of a text, -1 when no vertex carries it.
    int numberOf(QByteArrayView text) const;

private:
    // Open addressing: as many slots as a power of two, at most half of
    // them taken.
    struct Slot {
        int number = -1; // -1: empty
        std::uint32_t hash = 0;
    };

    std::size_t slotOf(QByteArrayView text, std::uint32_t hash) const;

    QList<QByteArray> m_labels;
    std::vector<int> m_numbers;
    std::vector<Slot> m_slots;
};

// An edge as the numbers of its ends, -1 for an end that is no label.
struct NumberedEdge {
    int first = -1;
    int second = -1;
};

// The first `count` edges (all of them when there are fewer) split at their
// first dash, as splitEdge does, and looked up.
std::vector<NumberedEdge> numberEdges(const TextList& edges, qsizetype count,
                                      const LabelNumbers& numbers);
