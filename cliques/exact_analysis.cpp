#include "exact_analysis.h"

#include "cliques/clique_list.h"
#include "graph/label_numbers.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

Clique cliqueOf(const ExactGraph& graph, const std::vector<int>& vertices) {
    Clique clique;
    for (int v : vertices)
        clique.members.append(graph.labels[v]);
    return normaliseClique(clique);
}

bool largerFirst(const MaximalCliqueEntry& a, const MaximalCliqueEntry& b) {
    return largerCliqueFirst(a.clique, b.clique);
}

// True when the members are distinct vertices of the graph, all joined.
bool isCliqueOf(const ExactGraph& graph, const LabelNumbers& numbers, const Clique& clique) {
    std::vector<int> vertices;
    for (const QByteArray& label : clique.members) {
        const int v = numbers.numberOf(label);
        if (v < 0)
            return false;
        for (int u : vertices)
            if (!graph.adjacent(u, v))
                return false;
        vertices.push_back(v);
    }
    return true;
}

QString germanNumber(qsizetype n) {
    return QLocale(QLocale::German).toString(qlonglong(n));
}

} // namespace

qsizetype ExactAnalysis::missedByGreedy() const {
    return std::count_if(maximalCliques.begin(), maximalCliques.end(),
                         [](const MaximalCliqueEntry& e) { return !e.inGreedyList; });
}

ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             std::uint64_t stepLimit) {
    ExactAnalysisControl control;
    control.stepLimit = stepLimit;
    return analyseExactly(store, greedy, k, control);
}

ExactAnalysis analyseExactly(const GraphStore& store, const CliqueList& greedy, qsizetype k,
                             const ExactAnalysisControl& control) {
    const ExactGraph graph = buildExactGraph(store);
    ExactAnalysis analysis;
    analysis.k = k;
    analysis.stepLimit = control.stepLimit;
    analysis.vertexCount = graph.size();

    LargerCliqueFound found;
    if (control.progress)
        found = [&](const std::vector<int>& clique) {
            control.progress(ExactProgress{cliqueOf(graph, clique), false});
        };
    const MaximumCliqueResult largest =
        maximumCliqueCounted(graph, control, found, analysis.branchLevels);
    analysis.cliqueNumber = qsizetype(largest.clique.size());
    analysis.cliqueNumberComplete = largest.complete;
    analysis.largestClique = cliqueOf(graph, largest.clique);
    analysis.cancelled = !largest.complete && control.stop.stop_requested();
    if (largest.complete && control.progress)
        control.progress(ExactProgress{analysis.largestClique, true});

    const LabelNumbers numbers(graph.labels);
    QSet<QList<QByteArray>> greedyCliques;
    for (const Clique& clique : greedy) {
        greedyCliques.insert(normaliseClique(clique).members);
        if (analysis.greedyFitsGraph && !isCliqueOf(graph, numbers, clique))
            analysis.greedyFitsGraph = false;
    }
    analysis.greedyCount = greedy.size();
    analysis.greedyLargest = largestCliqueSize(greedy, nullptr);

    MaximalCliques maximal =
        enumerateMaximalCliques(graph, kMaximalCliqueCap, control,
                                largest.complete ? largest.clique.size() : std::size_t(0));
    analysis.truncated = maximal.truncated;
    analysis.maximalComplete = maximal.complete;
    analysis.maximalStopped = maximal.stopped;
    if (maximal.stopped && control.stop.stop_requested())
        analysis.cancelled = true;
    analysis.maximalCliques.reserve(qsizetype(maximal.cliques.size()));
    for (const std::vector<int>& vertices : maximal.cliques) {
        MaximalCliqueEntry entry{cliqueOf(graph, vertices), false};
        entry.inGreedyList = greedyCliques.contains(entry.clique.members);
        analysis.maximalCliques.append(std::move(entry));
    }
    std::sort(analysis.maximalCliques.begin(), analysis.maximalCliques.end(), largerFirst);
    return analysis;
}

QString cliqueNumberText(const ExactAnalysis& analysis) {
    if (analysis.cliqueNumberComplete)
        return QString::number(analysis.cliqueNumber);
    return QString("mindestens %1").arg(analysis.cliqueNumber);
}

QString maximalCliqueCountText(const ExactAnalysis& analysis) {
    const qsizetype n = analysis.maximalCliques.size();
    if (analysis.truncated) {
        const QString more =
            QString("mehr als %1 maximale Cliquen").arg(germanNumber(qsizetype(kMaximalCliqueCap)));
        if (!analysis.maximalStopped)
            return QString("%1; gezeigt werden die %2 größten.")
                .arg(more.at(0).toUpper() + more.mid(1), germanNumber(n));
        // The list by size stopped early: the larger sizes are complete, the
        // last one in part, so what is shown is still the largest.
        const QString shown = n == 0 ? QString("die größten wurden nicht mehr aufgezählt.")
                              : n == 1
                                  ? QString("gezeigt wird die größte.")
                                  : QString("gezeigt werden die %1 größten.").arg(germanNumber(n));
        if (analysis.cancelled)
            return QString("Die Suche wurde abgebrochen: Der Graph hat %1; %2").arg(more, shown);
        return QString("Die Suche hat nach %1 Schritten aufgehört: Der Graph hat %2; %3")
            .arg(germanNumber(qsizetype(analysis.stepLimit)), more, shown);
    }
    if (analysis.maximalStopped && analysis.cancelled) {
        if (n == 0)
            return "Die Suche wurde abgebrochen, bevor sie maximale Cliquen aufgezählt hat.";
        return QString("Die Suche wurde abgebrochen: %1 maximale Cliquen gefunden, es kann mehr "
                       "geben.")
            .arg(germanNumber(n));
    }
    if (analysis.maximalStopped)
        return QString("Die Suche hat nach %1 Schritten aufgehört: %2 maximale Cliquen gefunden, "
                       "es kann mehr geben.")
            .arg(germanNumber(qsizetype(analysis.stepLimit)), germanNumber(n));
    if (n == 0)
        return "Der Graph hat keine Knoten.";
    if (n == 1)
        return "1 maximale Clique";
    return QString("%1 maximale Cliquen").arg(germanNumber(n));
}

QString decisionQuestionText(const ExactAnalysis& analysis) {
    return QString("Gibt es eine Clique mit mindestens k = %1 Knoten?").arg(analysis.k);
}

QString exactDecisionText(const ExactAnalysis& analysis) {
    if (!analysis.exactAnswerKnown())
        return "Unbekannt";
    return QString::fromLatin1(decisionAnswer(analysis.cliqueNumber, analysis.k));
}

QString exampleText(const ExactAnalysis& analysis) {
    return analysis.exactAnswer() ? cliqueDisplayText(analysis.largestClique) : QString();
}

QString comparisonText(const ExactAnalysis& analysis) {
    const bool comparable = analysis.greedyCount > 0 && analysis.greedyFitsGraph;
    if (!analysis.cliqueNumberComplete) {
        QString text =
            analysis.cancelled
                ? QString("Die exakte Suche wurde abgebrochen: Die größte Clique hat mindestens "
                          "%1 Knoten.")
                      .arg(analysis.cliqueNumber)
                : QString("Die exakte Suche hat nach %1 Schritten aufgehört: Die größte Clique "
                          "hat mindestens %2 Knoten.")
                      .arg(germanNumber(qsizetype(analysis.stepLimit)))
                      .arg(analysis.cliqueNumber);
        if (comparable)
            text += QString(" Die gierige Suche fand höchstens %1.").arg(analysis.greedyLargest);
        return text;
    }
    if (analysis.greedyCount == 0)
        return "Die Liste „Gefundene Cliquen“ ist leer: Nach „Berechnen!“ im Hauptfenster "
               "lässt sich die gierige Suche hier mit dem exakten Ergebnis vergleichen.";
    if (!analysis.greedyFitsGraph)
        return "Die Liste „Gefundene Cliquen“ gehört nicht zum aktuellen Graphen: Nach "
               "„Berechnen!“ lässt sie sich wieder vergleichen.";
    QString text;
    if (analysis.greedyLargest < analysis.cliqueNumber) {
        text = QString("Die gierige Suche fand höchstens %1 Knoten, die größte Clique hat aber "
                       "%2 Knoten.")
                   .arg(analysis.greedyLargest)
                   .arg(analysis.cliqueNumber);
        if (analysis.greedyAnswer() != analysis.exactAnswer())
            text +=
                QString(" Für k = %1 antwortet sie deshalb „%2“, richtig ist „%3“.")
                    .arg(analysis.k)
                    .arg(QString::fromLatin1(decisionAnswer(analysis.greedyLargest, analysis.k)),
                         exactDecisionText(analysis));
    } else {
        text = QString("Die gierige Suche hat eine größte Clique gefunden (%1 Knoten).")
                   .arg(analysis.cliqueNumber);
    }
    if (!analysis.maximalComplete)
        return text;
    const qsizetype total = analysis.maximalCliques.size();
    const qsizetype missed = analysis.missedByGreedy();
    if (missed == 0)
        text += total == 1
                    ? QString(" Sie enthält die einzige maximale Clique.")
                    : QString(" Sie enthält alle %1 maximalen Cliquen.").arg(germanNumber(total));
    else if (total == 1)
        text += " Die einzige maximale Clique fehlt ihr.";
    else if (missed == 1)
        text += QString(" Von den %1 maximalen Cliquen fehlt ihr eine.").arg(germanNumber(total));
    else
        text += QString(" Von den %1 maximalen Cliquen fehlen ihr %2.")
                    .arg(germanNumber(total), germanNumber(missed));
    return text;
}

CliqueNumberReason explainCliqueNumber(const GraphStore& store, const ExactAnalysis& analysis) {
    CliqueNumberReason reason;
    const qsizetype omega = analysis.cliqueNumber;
    if (analysis.vertexCount == 0) {
        reason.text = "Der Graph hat keine Knoten, also auch keine Clique.";
        return reason;
    }
    if (!analysis.cliqueNumberComplete) {
        reason.text = QString("Die exakte Suche hat nicht zu Ende gerechnet: Ob es eine Clique mit "
                              "mehr als %1 Knoten gibt, ist offen.")
                          .arg(omega);
        return reason;
    }
    const ExactGraph graph = buildExactGraph(store);
    const std::vector<int> colours = fewColourColouring(graph);
    const int used = colours.empty() ? 0 : *std::max_element(colours.begin(), colours.end());
    const QString colourCount = used == 1 ? QString("1 Farbe") : QString("%1 Farben").arg(used);
    if (used == omega) {
        reason.colourClasses.resize(used);
        for (int v = 0; v < graph.size(); ++v)
            reason.colourClasses[colours[std::size_t(v)] - 1].append(graph.labels[v]);
        reason.text = QString("Die Knoten lassen sich mit %1 so färben, dass verbundene Knoten "
                              "verschiedene Farben tragen (im Bild des Hauptfensters). Eine Clique "
                              "nimmt aus jeder Farbe höchstens einen Knoten, denn ihre Knoten sind "
                              "paarweise verbunden: Keine Clique hat mehr als %2 Knoten.")
                          .arg(colourCount)
                          .arg(omega);
        return reason;
    }
    reason.levels = analysis.branchLevels;
    std::uint64_t examined = 0;
    std::uint64_t cut = 0;
    for (const BranchLevel& level : reason.levels) {
        examined += level.examined;
        cut += level.cut;
    }
    reason.text =
        QString("Eine Färbung mit nur %1 Farben wurde nicht gefunden (die beste braucht %2). Die "
                "Suche hat aber %3 untersucht und %4 davon mit der Farbschranke abgeschnitten, "
                "ohne eine Clique mit mehr als %1 Knoten zu finden:")
            .arg(omega)
            .arg(used)
            .arg(examined == 1 ? QString("1 Teilclique")
                               : QString("%1 Teilcliquen").arg(germanNumber(qsizetype(examined))),
                 germanNumber(qsizetype(cut)));
    return reason;
}

QStringList branchTableHeader() {
    return {"Knoten in der Teilclique", "untersucht", "abgeschnitten"};
}

QStringList branchTableRow(std::size_t depth, const BranchLevel& level) {
    return {QString::number(depth), germanNumber(qsizetype(level.examined)),
            germanNumber(qsizetype(level.cut))};
}
