#include "picture_descriptions.h"

namespace {

QString counted(qint64 n, const char* one, const char* many) {
    return QString("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

QString graphDescription(qsizetype vertices, qsizetype edges) {
    if (vertices == 0 && edges == 0)
        return QStringLiteral("Graph ohne Knoten");
    return QString("Graph mit %1 und %2")
        .arg(counted(vertices, "Knoten", "Knoten"), counted(edges, "Kante", "Kanten"));
}

QString visitChartDescription(const TextList& labels, const std::vector<qint64>& counts) {
    if (labels.isEmpty())
        return QStringLiteral("Besuche von 0 Knoten");
    qint64 most = 0;
    qsizetype mostVisited = 0;
    for (qsizetype i = 0; i < labels.count() && i < qsizetype(counts.size()); ++i) {
        if (counts[size_t(i)] > most) {
            most = counts[size_t(i)];
            mostVisited = i;
        }
    }
    return QString("Besuche von %1; am häufigsten besucht: Knoten %2 (%3)")
        .arg(counted(labels.count(), "Knoten", "Knoten"), displayText(labels[mostVisited]),
             counted(most, "Besuch", "Besuche"));
}
