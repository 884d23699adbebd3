#include "editor_drawing.h"

#include "graph/style_drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A painter with the classic canvas defaults: black one-pixel pen, solid
// white brush, black editor font, no smoothing.
class EditorPainter : public QPainter {
public:
    explicit EditorPainter(QImage& canvas) : QPainter(&canvas) {
        setRenderHint(QPainter::Antialiasing, false);
        setRenderHint(QPainter::TextAntialiasing, false);
        setPen(QPen(Qt::black, 0));
        setBrush(Qt::white);
        setBackground(Qt::white);
        setFont(editorFont());
    }

    // The figure covers the pixels from (x1, y1) to (x2 - 1, y2 - 1).
    void rectangle(int x1, int y1, int x2, int y2) {
        drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
    void ellipse(int x1, int y1, int x2, int y2) {
        drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
    // Text on a white box, with its top left corner at (x, y). The opaque
    // mode is kept to text: it shifts the outline of an aliased ellipse.
    void textOut(int x, int y, const QString& text) {
        setBackgroundMode(Qt::OpaqueMode);
        drawText(QPoint(x, y + fontMetrics().ascent()), text);
        setBackgroundMode(Qt::TransparentMode);
    }
};

} // namespace

QFont editorFont() {
    QFont font = courierFont(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void drawEmptyGrid(QImage& canvas, const PositionGrid& grid) {
    EditorPainter painter(canvas);
    painter.rectangle(0, 0, 550, 300);
    for (int p = 0; p < PositionGrid::kPositions; ++p)
        painter.textOut(grid.x(p), grid.y(p), QString::number(p));
}

void drawVertex(QImage& canvas, const PositionGrid& grid, int position, const QByteArray& label) {
    EditorPainter painter(canvas);
    const int x = grid.x(position);
    const int y = grid.y(position);
    const QString text = displayText(label);
    const QFontMetrics metrics = painter.fontMetrics();
    const int halfWidth = metrics.horizontalAdvance(text) / 2;
    const int halfHeight = metrics.height() / 2;
    const int r = PositionGrid::kVertexRadius;
    painter.ellipse(x - r, y - r, x + r, y + r);
    painter.setPen(QPen(Colours::Red, 0));
    painter.textOut(x - halfWidth, y - halfHeight, text);
}

void blankFreePositions(QImage& canvas, const PositionGrid& grid) {
    EditorPainter painter(canvas);
    painter.setPen(QPen(Qt::white, 0));
    for (int p = 0; p < PositionGrid::kPositions; ++p) {
        if (grid.taken[p] == 0)
            painter.rectangle(grid.x(p) - 5, grid.y(p) - 5, grid.x(p) + 15, grid.y(p) + 15);
    }
}

void drawEdgeLine(QImage& canvas, const QLine& line) {
    EditorPainter painter(canvas);
    painter.drawLine(line);
}
