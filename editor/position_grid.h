#pragma once

#include "graph/text_list.h"

#include <array>
#include <cstdint>

// The editor's 15 positions in three rows of five, and which are taken.
struct PositionGrid {
    static constexpr int kPositions = 15;

    TextList GridX;
    TextList GridY;
    std::array<std::uint8_t, kPositions> GridUsed{};
    // By vertex number: the position of that vertex, or -1 when unplaced.
    std::array<int, kPositions> VertexGridPos{};

    // Appends the coordinates of positions 0 to 14 (done once at start-up).
    void fillCoordinates();
    // Every position free, no vertex placed.
    void reset();

    int x(int position) const { return GridX[position].toInt(); }
    int y(int position) const { return GridY[position].toInt(); }
};
