// Draws the program's icon and the pictures of the two sample graphs from the
// same table that the program loads its sample graphs from.
//   QT_QPA_PLATFORM=offscreen build/make_assets assets/

#include "cliques/clique_positions.h"
#include "graph/graph_picture_drawing.h"
#include "graph/sample_graphs.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

namespace {

QImage drawSample(int k) {
    GraphStore store;
    appendSampleGraph(store, k);
    GraphLayout layout;
    layout.positions = *sampleGraphPositions(store, k);
    const SampleGraph& graph = sampleGraph(k);
    layout.legibleLabels = QSet<QByteArray>(graph.labels.begin(), graph.labels.end());
    return drawGraphPicture(store, layout);
}

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPointF corners[4] = {
        {0.2 * s, 0.2 * s}, {0.8 * s, 0.2 * s}, {0.8 * s, 0.8 * s}, {0.2 * s, 0.8 * s}};
    painter.setPen(QPen(QColor(0, 0, 128), std::max(1.0, s / 16)));
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            painter.drawLine(corners[a], corners[b]);
    painter.setPen(QPen(Qt::black, std::max(1.0, s / 32)));
    painter.setBrush(QColor(0, 128, 0));
    for (const QPointF& corner : corners)
        painter.drawEllipse(corner, s / 7, s / 7);
    return image;
}

bool save(const QImage& image, const QString& fileName, const char* format) {
    QImageWriter writer(fileName, format);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(fileName),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = save(drawSample(1).convertToFormat(QImage::Format_RGB888),
                   out.filePath("beispiel-graph_01.bmp"), "bmp");
    ok = save(drawSample(2).convertToFormat(QImage::Format_RGB888),
              out.filePath("beispiel-graph_02.bmp"), "bmp") &&
         ok;
    ok = save(drawIcon(32), out.filePath("icon.ico"), "ico") && ok;
    // The desktop menus take the icon as PNG.
    ok = save(drawIcon(48), out.filePath("mandorin.png"), "png") && ok;
    return ok ? 0 : 1;
}
