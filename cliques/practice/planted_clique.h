#pragma once

#include "graph/graph_store.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Exercise graphs: a random graph with a clique of k vertices planted in it.

enum class ExerciseLevel { Easy, Medium, Hard };

struct LevelShape {
    int vertices;
    int cliqueSize;
    int edgePercent; // chance of each other edge
};
LevelShape levelShape(ExerciseLevel level);
// "leicht", "mittel", "schwer".
QString levelName(ExerciseLevel level);

struct PlantedCliqueGraph {
    GraphStore store;          // vertices "0".."n-1", edges "a-b" with a < b
    QList<QByteArray> planted; // in natural order
};

// The same seed and level always give the same graph. The planted vertices
// are a clique of the level's size, and no clique is larger: edges of any
// larger clique that leave the planted set are taken out. No vertex is left
// without an edge, so that the search keeps every vertex.
PlantedCliqueGraph plantedCliqueGraph(ExerciseLevel level, std::uint64_t seed);
