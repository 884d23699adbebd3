#include "growth_measurement.h"

#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "cliques/hardness/time_limits.h"
#include "cliques/maximal_cliques.h"
#include "cliques/maximum_clique.h"
#include "graph/random.h"
#include "graph/random_graphs.h"

#include <QLocale>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QLocale kGerman(QLocale::German);

// Runs a search under the run's time limit and clocks it.
template <typename Search>
SearchTime timed(TimeLimits& limits, const GrowthSettings& settings, Search search) {
    const std::stop_token stop = limits.begin(settings.timeLimit);
    const auto start = std::chrono::steady_clock::now();
    const bool complete = search(stop);
    const auto took = std::chrono::steady_clock::now() - start;
    const bool reached = limits.end();
    return {std::chrono::duration_cast<std::chrono::nanoseconds>(took).count(),
            !complete && reached};
}

// Each search starts from the store, as the program's own do: the greedy
// search from a copy it may thin out, the exact ones from the graph they
// build of it. A list of maximal cliques that reaches its cap counts as
// stopped, too: its time says only how long the first ones took.
std::optional<GrowthRow> measureGraph(int n, int repetition, const GrowthSettings& settings,
                                      TimeLimits& limits, const std::stop_token& cancel) {
    GrowthRow row;
    row.n = n;
    row.repetition = repetition;
    row.density = settings.density;
    row.seed = settings.seed;
    const GraphStore graph = growthGraph(n, repetition, settings);
    row.edges = graph.edgeCount;

    row.greedy = timed(limits, settings, [&](std::stop_token stop) {
        GraphStore store = graph;
        CliqueList cliques;
        searchCliquesFromEveryVertex(store, cliques, nullptr, stop);
        row.greedyLargest = largestCliqueSize(cliques, nullptr);
        return !stop.stop_requested();
    });
    if (cancel.stop_requested())
        return std::nullopt;

    row.exact = timed(limits, settings, [&](std::stop_token stop) {
        const MaximumCliqueResult largest =
            maximumClique(buildExactGraph(graph), SearchControl{kNoStepLimit, stop});
        row.cliqueNumber = qsizetype(largest.clique.size());
        return largest.complete;
    });
    if (cancel.stop_requested())
        return std::nullopt;

    row.maximal = timed(limits, settings, [&](std::stop_token stop) {
        const MaximalCliques maximal = enumerateMaximalCliques(
            buildExactGraph(graph), kMaximalCliqueCount, SearchControl{kNoStepLimit, stop});
        row.maximalCliques = qsizetype(maximal.cliques.size());
        row.maximalCapped = maximal.truncated;
        return maximal.complete;
    });
    row.maximal.stopped = row.maximal.stopped || row.maximalCapped;
    if (cancel.stop_requested())
        return std::nullopt;
    return row;
}

QString number(qsizetype n) {
    return kGerman.toString(qlonglong(n));
}

QString found(qsizetype n, const SearchTime& time) {
    return time.stopped ? "mindestens " + number(n) : number(n);
}

QString milliseconds(const SearchTime& time) {
    return time.stopped ? QString("abgebrochen")
                        : kGerman.toString(double(time.nanoseconds) / 1e6, 'f', 3);
}

// "340" from ten on, "2,5" below.
QString factorText(double factor) {
    return factor >= 10 ? kGerman.toString(qlonglong(std::llround(factor)))
                        : kGerman.toString(factor, 'f', 1);
}

// How much the time of one search grows from the first size to the last.
QString growth(double first, double last, bool lastStopped) {
    // A time too short for the clock still counts as a small one.
    constexpr double kShortestMs = 1e-6;
    const double factor = last / std::max(first, kShortestMs);
    if (factor < 1 && !lastStopped)
        return "nicht";
    return QString("um %1das %2-Fache").arg(lastStopped ? "mindestens " : "", factorText(factor));
}

QString msText(double ms) {
    return kGerman.toString(ms, 'f', 3) + " ms";
}

} // namespace

QList<int> growthSizes(const GrowthSettings& settings) {
    QList<int> sizes;
    for (int n = settings.from; n <= settings.to; n += std::max(settings.step, 1))
        sizes.append(n);
    return sizes;
}

int growthGraphCount(const GrowthSettings& settings) {
    return int(growthSizes(settings).size()) * settings.repetitions;
}

GraphStore growthGraph(int n, int repetition, const GrowthSettings& settings) {
    // Each of size and repetition reseeds with a draw of the last seed, so
    // that no two graphs of one run, nor of runs with nearby seeds, share a
    // sequence.
    RandomGenerator mixer(settings.seed);
    mixer.reseed(mixer.next() ^ std::uint64_t(n));
    mixer.reseed(mixer.next() ^ std::uint64_t(repetition));
    return randomGraph(n, settings.density, mixer.next());
}

bool measureGrowth(const GrowthSettings& settings, std::stop_token cancel,
                   const std::function<void(const GrowthRow&)>& measured) {
    TimeLimits limits(cancel);
    for (int n : growthSizes(settings))
        for (int repetition = 1; repetition <= settings.repetitions; ++repetition) {
            const std::optional<GrowthRow> row =
                measureGraph(n, repetition, settings, limits, cancel);
            if (!row)
                return false;
            measured(*row);
        }
    return true;
}

QStringList growthColumnTitles() {
    return {"n",
            "Nr.",
            "Kanten",
            "Gierig: größte Clique",
            "Gierig: ms",
            "Cliquenzahl",
            "Cliquenzahl: ms",
            "Maximale Cliquen",
            "Aufzählung: ms"};
}

QStringList growthCells(const GrowthRow& row) {
    const QString maximal = row.maximalCapped ? "mehr als " + number(qsizetype(kMaximalCliqueCount))
                                              : found(row.maximalCliques, row.maximal);
    return {QString::number(row.n),   QString::number(row.repetition),
            number(row.edges),        found(row.greedyLargest, row.greedy),
            milliseconds(row.greedy), found(row.cliqueNumber, row.exact),
            milliseconds(row.exact),  maximal,
            milliseconds(row.maximal)};
}

QByteArray growthCsv(const QList<GrowthRow>& rows) {
    QByteArray csv("\xEF\xBB\xBF");
    csv += (QStringList{"p", "Startwert"} + growthColumnTitles()).join(';').toUtf8() + "\r\n";
    for (const GrowthRow& row : rows) {
        const QStringList fields =
            QStringList{kGerman.toString(row.density, 'f', 2), QString::number(row.seed)} +
            growthCells(row);
        csv += fields.join(';').toUtf8() + "\r\n";
    }
    return csv;
}

QList<SizeSummary> summariesPerSize(const QList<GrowthRow>& rows) {
    QList<SizeSummary> summaries;
    for (qsizetype first = 0; first < rows.size();) {
        qsizetype end = first;
        while (end < rows.size() && rows[end].n == rows[first].n)
            ++end;
        const QList<GrowthRow> size = rows.mid(first, end - first);
        const auto median = [&](SearchTime GrowthRow::*search) {
            std::vector<double> ms;
            for (const GrowthRow& row : size)
                ms.push_back(double((row.*search).nanoseconds) / 1e6);
            std::sort(ms.begin(), ms.end());
            const std::size_t half = ms.size() / 2;
            return ms.size() % 2 == 1 ? ms[half] : (ms[half - 1] + ms[half]) / 2;
        };
        const auto mean = [&](qsizetype GrowthRow::*found) {
            double sum = 0;
            for (const GrowthRow& row : size)
                sum += double(row.*found);
            return sum / double(size.size());
        };
        const auto anyStopped = [&](SearchTime GrowthRow::*search) {
            return std::any_of(size.begin(), size.end(),
                               [&](const GrowthRow& row) { return (row.*search).stopped; });
        };
        summaries.append({size.first().n, int(size.size()), median(&GrowthRow::greedy),
                          median(&GrowthRow::exact), median(&GrowthRow::maximal),
                          mean(&GrowthRow::greedyLargest), mean(&GrowthRow::cliqueNumber),
                          anyStopped(&GrowthRow::greedy), anyStopped(&GrowthRow::exact),
                          anyStopped(&GrowthRow::maximal)});
        first = end;
    }
    return summaries;
}

QString growthReading(const QList<GrowthRow>& rows) {
    const QList<SizeSummary> sizes = summariesPerSize(rows);
    if (sizes.isEmpty())
        return {};
    // Only a graph whose clique number and greedy result are both known can
    // tell whether the greedy search missed.
    int known = 0;
    int missed = 0;
    for (const GrowthRow& row : rows)
        if (!row.exact.stopped && !row.greedy.stopped) {
            ++known;
            missed += row.greedyLargest < row.cliqueNumber;
        }
    QString graphs = QString("die gierige Suche verfehlte die Cliquenzahl in %1 von %2 Graphen")
                         .arg(missed)
                         .arg(known);
    if (known < rows.size())
        graphs += " mit bekannter Cliquenzahl";
    const SizeSummary& first = sizes.first();
    const SizeSummary& last = sizes.last();
    if (sizes.size() == 1) {
        const auto time = [](double ms, bool stopped) {
            return (stopped ? "mindestens " : "") + msText(ms);
        };
        return QString("Bei n = %1 braucht die exakte Suche nach der Cliquenzahl %2 (Median), "
                       "die Aufzählung aller maximalen Cliquen %3 und die gierige Suche %4; %5.")
            .arg(first.n)
            .arg(time(first.exactMs, first.exactStopped),
                 time(first.maximalMs, first.maximalStopped),
                 time(first.greedyMs, first.greedyStopped), graphs);
    }
    return QString("Von n = %1 bis n = %2 wächst die Zeit der exakten Suche nach der Cliquenzahl "
                   "%3, die der Aufzählung aller maximalen Cliquen %4 und die der gierigen Suche "
                   "%5; %6.")
        .arg(first.n)
        .arg(last.n)
        .arg(growth(first.exactMs, last.exactMs, last.exactStopped && !first.exactStopped),
             growth(first.maximalMs, last.maximalMs, last.maximalStopped && !first.maximalStopped),
             growth(first.greedyMs, last.greedyMs, last.greedyStopped && !first.greedyStopped),
             graphs);
}
