#include "clique_positions.h"

#include "graph/sample_graphs.h"

std::optional<VertexPositions> sampleGraphPositions(const GraphStore& store, int k) {
    const SampleGraph& sample = sampleGraph(k);
    const TextList labels(QList<QByteArray>(sample.labels.begin(), sample.labels.end()));
    const TextList edges(QList<QByteArray>(sample.edges.begin(), sample.edges.end()));
    if (store.vertices != labels || store.edges != edges)
        return std::nullopt;
    VertexPositions positions;
    positions.radius = kSampleVertexRadius;
    for (std::size_t i = 0; i < sample.labels.size(); ++i)
        positions.centres.insert(sample.labels[i], sample.centres[i]);
    return positions;
}

std::optional<VertexPositions> editorPositions(const GraphStore& store, const PositionGrid& grid) {
    if (grid.xCoordinates.count() < PositionGrid::kPositions ||
        grid.yCoordinates.count() < PositionGrid::kPositions)
        return std::nullopt;
    VertexPositions positions;
    positions.radius = PositionGrid::kVertexRadius;
    for (const QByteArray& label : store.vertices) {
        // Only the plain decimal texts the editor gives its vertices.
        bool ok = false;
        const int n = label.toInt(&ok);
        if (!ok || n < 0 || n >= PositionGrid::kPositions || QByteArray::number(n) != label)
            return std::nullopt;
        const int p = grid.vertexPosition[std::size_t(n)];
        if (p < 0 || p >= PositionGrid::kPositions)
            return std::nullopt;
        positions.centres.insert(label, QPoint(grid.x(p), grid.y(p)));
    }
    return positions;
}
