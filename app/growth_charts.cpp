#include "app/growth_charts.h"

#include "graph/style_drawing.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPainter>
#include <QValueAxis>

#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr int kGap = 8;
constexpr int kReadingHeight = 64;

QChart* makeChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(courierFont(14, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(sansFont(12));
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::German));
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QLineSeries* addSeries(QChart* chart, const QString& name, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(colour, 2));
    series->setPointsVisible(true);
    chart->addSeries(series);
    return series;
}

template <class Axis> Axis* addAxis(QChart* chart, const QString& title, Qt::Alignment side) {
    auto* axis = new Axis;
    axis->setTitleText(title);
    axis->setTitleFont(courierFont(12));
    axis->setLabelsFont(sansFont(11));
    chart->addAxis(axis, side);
    for (QAbstractSeries* series : chart->series())
        series->attachAxis(axis);
    return axis;
}

QChartView* makeView(QChart* chart, QWidget* parent, const char* name, const QString& label) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setAccessibleName(label);
    view->setRenderHint(QPainter::Antialiasing);
    // Nothing to do with the keyboard there; Tab passes by.
    view->setFocusPolicy(Qt::NoFocus);
    view->viewport()->setFocusPolicy(Qt::NoFocus);
    return view;
}

// From the first size to the last, a tick at each while there are few.
void setSizeRange(QValueAxis* axis, const QList<SizeSummary>& sizes) {
    const int first = sizes.isEmpty() ? 0 : sizes.first().n;
    const int last = sizes.isEmpty() ? 1 : sizes.last().n;
    // One size alone still needs a range around it.
    axis->setRange(first == last ? first - 1 : first, first == last ? last + 1 : last);
    const qsizetype count = sizes.size();
    axis->setTickCount(count >= 2 && count <= 11 ? int(count) : 3);
}

// From 0 to above the largest clique in steps of 1, 2 or 5.
void setCliqueRange(QValueAxis* axis, double largest) {
    const int top = int(std::ceil(largest)) + 1;
    const int step = top <= 10 ? 1 : top <= 20 ? 2 : 5;
    const int ticks = (top + step - 1) / step;
    axis->setRange(0, ticks * step);
    axis->setTickCount(ticks + 1);
}

} // namespace

GrowthCharts::GrowthCharts(QWidget* parent) : QWidget(parent) {
    QChart* time = makeChart("Zeit je Graph (Median)");
    m_greedyTime = addSeries(time, "Gierige Suche", Colours::Green);
    m_exactTime = addSeries(time, "Cliquenzahl (exakt)", Colours::Red);
    m_maximalTime = addSeries(time, "Maximale Cliquen", Colours::Navy);
    m_timeN = addAxis<QValueAxis>(time, "n (Knoten)", Qt::AlignBottom);
    // Localised numbers need a precision in the format.
    m_timeN->setLabelFormat("%.0f");
    m_time = addAxis<QLogValueAxis>(time, "ms", Qt::AlignLeft);
    m_time->setBase(10);
    // Six digits: "0,01" up to "100.000" without an exponent.
    m_time->setLabelFormat("%.6g");
    m_timeView = makeView(time, this, "ChartTime", "Zeit je Graph");

    QChart* cliques = makeChart("Größte Clique (Mittel)");
    m_greedyClique = addSeries(cliques, "Gierige Suche", Colours::Green);
    m_cliqueNumber = addSeries(cliques, "Cliquenzahl", Colours::Red);
    m_cliqueN = addAxis<QValueAxis>(cliques, "n (Knoten)", Qt::AlignBottom);
    m_cliqueN->setLabelFormat("%.0f");
    m_cliqueSize = addAxis<QValueAxis>(cliques, "Knoten", Qt::AlignLeft);
    m_cliqueSize->setLabelFormat("%.0f");
    m_cliqueView = makeView(cliques, this, "ChartCliques", "Größte Clique");
    showSizes({});
}

void GrowthCharts::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int width = (this->width() - kGap) / 2;
    m_timeView->setGeometry(0, 0, width, height());
    m_cliqueView->setGeometry(width + kGap, 0, width, height());
}

void GrowthCharts::showSizes(const QList<SizeSummary>& sizes) {
    QList<QPointF> greedyTime, exactTime, maximalTime, greedyClique, cliqueNumber;
    std::optional<std::pair<double, double>> times; // fastest and slowest
    double largest = 0;
    for (const SizeSummary& size : sizes) {
        for (auto [series, ms] :
             {std::pair{&greedyTime, size.greedyMs}, std::pair{&exactTime, size.exactMs},
              std::pair{&maximalTime, size.maximalMs}}) {
            // A logarithmic axis has no place for nothing.
            if (ms <= 0)
                continue;
            series->append(QPointF(size.n, ms));
            times = times ? std::pair{std::min(times->first, ms), std::max(times->second, ms)}
                          : std::pair{ms, ms};
        }
        greedyClique.append(QPointF(size.n, size.greedyLargest));
        cliqueNumber.append(QPointF(size.n, size.cliqueNumber));
        largest = std::max({largest, size.greedyLargest, size.cliqueNumber});
    }
    m_greedyTime->replace(greedyTime);
    m_exactTime->replace(exactTime);
    m_maximalTime->replace(maximalTime);
    m_greedyClique->replace(greedyClique);
    m_cliqueNumber->replace(cliqueNumber);

    setSizeRange(m_timeN, sizes);
    setSizeRange(m_cliqueN, sizes);
    // Whole powers of ten around the times.
    const auto [fastest, slowest] = times.value_or(std::pair{1.0, 1.0});
    const double low = std::pow(10.0, std::floor(std::log10(fastest)));
    const double high = std::pow(10.0, std::ceil(std::log10(slowest)));
    m_time->setRange(low, high > low ? high : low * 10);
    setCliqueRange(m_cliqueSize, largest);
}

QSize GrowthCharts::pictureSize() const {
    return QSize(width(), height() + kReadingHeight);
}

void GrowthCharts::paintPicture(QPainter& painter, const QString& reading) const {
    painter.fillRect(QRect(QPoint(0, 0), pictureSize()), Qt::white);
    for (const QChartView* view : {m_timeView, m_cliqueView})
        view->scene()->render(&painter, QRectF(view->geometry()), view->sceneRect());
    painter.setPen(Qt::black);
    painter.setFont(courierFont(13));
    painter.drawText(QRect(kGap, height() + kGap, width() - 2 * kGap, kReadingHeight - 2 * kGap),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, reading);
}
