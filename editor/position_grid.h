#pragma once

#include "graph/text_list.h"

#include <array>
#include <cstdint>

// The editor's 15 positions in three rows of five, and which are taken.
struct PositionGrid {
    static constexpr int kPositions = 15;
    // Radius of the circle drawn around a placed vertex.
    static constexpr int kVertexRadius = 30;

    TextList xCoordinates;
    TextList yCoordinates;
    std::array<std::uint8_t, kPositions> taken{};
    // By vertex number: the position of that vertex, or -1 when unplaced.
    std::array<int, kPositions> vertexPosition{};

    // Appends the coordinates of positions 0 to 14 (done once at start-up).
    void fillCoordinates();
    // Every position free, no vertex placed.
    void reset();

    int x(int position) const { return xCoordinates[position].toInt(); }
    int y(int position) const { return yCoordinates[position].toInt(); }
};

// Row 1..3 of a position given as decimal text (its value taken modulo 256);
// 0 for values outside 0..14.
std::uint8_t gridRow(const QByteArray& position);
// Column 1..5 of a position 0..14 given as decimal text; 0 for other values.
std::uint8_t gridColumn(const QByteArray& position);

enum class PlacementOutcome { Placed, PositionTaken, NoNumberLeft };

struct Placement {
    PlacementOutcome outcome;
    int vertex = -1; // the new vertex's number when placed
};

// The number a new vertex gets: the lowest n in 0..14 that has no position yet
// and is not already a label in vertices; -1 when there is none. This keeps
// labels unique after the clique search has dropped vertices, and never
// indexes past the 15 grid entries after a larger import.
int newVertexNumber(const PositionGrid& grid, const TextList& vertices);

// Places a new vertex at position (0..14): records its position, marks the
// position taken and appends its label. Changes nothing when no number is
// left or the position is taken (checked in that order).
Placement placeVertex(PositionGrid& grid, TextList& vertices, int position);
