#include "reduction_drawing.h"

#include "cliques/clique_highlight_drawing.h"
#include "graph/graph_picture_drawing.h"

#include <QPainter>

namespace {

const QColor kTitleColour(0, 0, 128);

} // namespace

GraphLayout reductionLayoutForPicture(const Reduction& reduction) {
    return reductionLayout(reduction, graphLabelSize);
}

QImage drawReductionPicture(const Reduction& reduction, const GraphLayout& layout) {
    QImage picture = drawGraphPicture(reduction.graph, layout);
    QPainter painter(&picture);
    painter.setFont(graphLabelFont(14));
    painter.setPen(kTitleColour);
    const int k = reduction.k();
    const int width = picture.width() / std::max(k, 1);
    for (int c = 0; c < k; ++c) {
        const QRect band(reductionColumnX(c, k) - width / 2, 0, width, kReductionTitleBand);
        painter.drawText(band, Qt::AlignCenter, clauseName(c));
    }
    return picture;
}

QImage drawReductionHighlight(const QSize& size, const GraphLayout& layout, const Clique& clique) {
    QList<QPoint> centres;
    for (const QByteArray& label : clique.members)
        centres.append(layout.positions.centres.value(label));
    // Every two members of a clique are joined.
    QList<QLine> edges;
    for (qsizetype a = 0; a < centres.size(); ++a)
        for (qsizetype b = a + 1; b < centres.size(); ++b)
            edges.append(QLine(centres[a], centres[b]));
    return drawCliqueHighlight(size, centres, layout.positions.radius, edges);
}
