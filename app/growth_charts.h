#pragma once

#include "cliques/hardness/growth_measurement.h"

#include <QSize>
#include <QWidget>

class QChartView;
class QLineSeries;
class QLogValueAxis;
class QPainter;
class QValueAxis;

// The two charts of a growth measurement side by side: the median time of
// each search against n on a logarithmic axis, and the greedy search's
// largest clique against the clique number, both means per size.
class GrowthCharts : public QWidget {
    Q_OBJECT
public:
    explicit GrowthCharts(QWidget* parent = nullptr);

    // Shows every size measured so far; none empties the charts.
    void showSizes(const QList<SizeSummary>& sizes);

    // Both charts with the reading beneath, as "Als Bild speichern" saves
    // them: drawn by the same painter into a PNG or an SVG file.
    QSize pictureSize() const;
    void paintPicture(QPainter& painter, const QString& reading) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QChartView* m_timeView;
    QChartView* m_cliqueView;
    QLineSeries* m_greedyTime;
    QLineSeries* m_exactTime;
    QLineSeries* m_maximalTime;
    QLineSeries* m_greedyClique;
    QLineSeries* m_cliqueNumber;
    QValueAxis* m_timeN;
    QLogValueAxis* m_time;
    QValueAxis* m_cliqueN;
    QValueAxis* m_cliqueSize;
};
