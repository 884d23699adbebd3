#include "exercises.h"

#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "cliques/search_play.h"
#include "graph/random.h"

#include <QHash>

#include <algorithm>

namespace {

const QString kStillSearching = "Die exakte Suche rechnet noch; gleich noch einmal versuchen.";
const QString kTooManyMaximal =
    "Dieser Graph hat zu viele maximale Cliquen, um sie hier zu zählen.";

std::vector<int> numbersOf(const ExactGraph& graph, const QList<QByteArray>& labels) {
    std::vector<int> numbers;
    for (const QByteArray& label : labels)
        if (const qsizetype v = graph.labels.indexOf(label); v >= 0)
            numbers.push_back(int(v));
    return numbers;
}

Clique cliqueOf(const ExactGraph& graph, const std::vector<int>& vertices) {
    Clique clique;
    for (int v : vertices)
        clique.members.append(graph.labels[v]);
    return normaliseClique(clique);
}

QString shown(const ExactGraph& graph, const std::vector<int>& vertices) {
    return cliqueDisplayText(cliqueOf(graph, vertices));
}

QString shown(const QByteArray& label) {
    return displayText(label);
}

// A clique of `size` vertices that holds every vertex of base; complete is
// false when the search ran out of steps before it could tell.
struct CliqueAround {
    std::optional<std::vector<int>> clique;
    bool complete = true;
};

CliqueAround cliqueAround(const ExactGraph& graph, const std::vector<int>& base, int size) {
    CliqueAround result;
    if (int(base.size()) > size)
        return result;
    VertexSet common(graph.size());
    for (int v = 0; v < graph.size(); ++v)
        common.insert(v);
    for (int v : base) {
        if (!common.contains(v))
            return result; // base is no clique
        common = intersection(common, graph.neighbours[std::size_t(v)]);
    }
    // The common neighbours as a graph of their own.
    const std::vector<int> inside = common.members();
    ExactGraph sub;
    sub.neighbours.assign(inside.size(), VertexSet(int(inside.size())));
    for (std::size_t i = 0; i < inside.size(); ++i) {
        sub.labels.append(graph.labels[inside[i]]);
        for (std::size_t j = 0; j < inside.size(); ++j)
            if (graph.adjacent(inside[i], inside[j]))
                sub.neighbours[i].insert(int(j));
    }
    const MaximumCliqueResult largest = maximumClique(sub);
    const std::size_t wanted = std::size_t(size) - base.size();
    if (largest.clique.size() < wanted) {
        result.complete = largest.complete;
        return result;
    }
    std::vector<int> clique = base;
    for (std::size_t i = 0; i < wanted; ++i)
        clique.push_back(inside[std::size_t(largest.clique[i])]);
    result.clique = clique;
    return result;
}

// The first label in natural order of the clique that base does not hold.
QByteArray firstNewMember(const ExactGraph& graph, const std::vector<int>& clique,
                          const std::vector<int>& base) {
    for (const QByteArray& label : cliqueOf(graph, clique).members)
        if (std::find(base.begin(), base.end(), int(graph.labels.indexOf(label))) == base.end())
            return label;
    return QByteArray();
}

// A tip towards a clique of `size` vertices.
QString cliqueTip(const ExactGraph& graph, const QList<QByteArray>& choice, int size) {
    const QString tooLarge = "Für einen Tipp ist dieser Graph zu groß.";
    std::vector<int> base = numbersOf(graph, normaliseClique(Clique{choice}).members);
    const CliqueAround around = cliqueAround(graph, base, size);
    if (around.clique) {
        if (int(base.size()) == size)
            return "Deine Auswahl ist schon eine Lösung: „Prüfen“!";
        const QString member = shown(firstNewMember(graph, *around.clique, base));
        return base.empty()
                   ? QString("Tipp: Knoten %1 gehört zu einer Lösung.").arg(member)
                   : QString("Tipp: Knoten %1 passt zu deiner Auswahl; zusammen gehören sie zu "
                             "einer Lösung.")
                         .arg(member);
    }
    bool complete = around.complete;
    for (std::size_t i = 0; i < base.size(); ++i) {
        std::vector<int> without = base;
        without.erase(without.begin() + qsizetype(i));
        const CliqueAround rest = cliqueAround(graph, without, size);
        if (rest.clique)
            return QString("Tipp: Knoten %1 versperrt den Weg: Ohne ihn lässt sich deine Auswahl "
                           "zu einer Lösung ergänzen.")
                .arg(shown(graph.labels[base[i]]));
        complete = complete && rest.complete;
    }
    const CliqueAround any = cliqueAround(graph, {}, size);
    if (!any.clique || !complete)
        return tooLarge;
    return QString("Tipp: Deine Auswahl lässt sich nicht zu einer Lösung ergänzen; Knoten %1 "
                   "gehört zu einer.")
        .arg(shown(firstNewMember(graph, *any.clique, {})));
}

// The maximal cliques that hold the vertex, when all of them are known.
std::optional<std::vector<std::vector<int>>>
maximalCliquesWith(const ExactGraph& graph, const CliqueFacts& facts, const QByteArray& label) {
    if (!facts.maximal || !facts.maximal->complete)
        return std::nullopt;
    const int v = int(graph.labels.indexOf(label));
    std::vector<std::vector<int>> holding;
    for (const std::vector<int>& clique : facts.maximal->cliques)
        if (std::find(clique.begin(), clique.end(), v) != clique.end())
            holding.push_back(clique);
    return holding;
}

// "in einer maximalen Clique", "in 3 maximalen Cliquen".
QString inMaximalCliques(std::size_t count) {
    return count == 1 ? QString("in einer maximalen Clique")
                      : QString("in %1 maximalen Cliquen").arg(count);
}

// Cliques as a German list, the first few of a long one.
QString cliqueListText(const QStringList& cliques) {
    constexpr qsizetype kListed = 5;
    QList<QByteArray> listed;
    for (qsizetype i = 0; i < std::min(kListed, cliques.size()); ++i)
        listed.append(cliques[i].toUtf8());
    if (cliques.size() > kListed)
        listed.append(QString("%1 weitere").arg(cliques.size() - kListed).toUtf8());
    return germanList(listed);
}

qsizetype largestOf(const CliqueList& cliques) {
    return largestCliqueSize(cliques, nullptr);
}

// Whether the choice is a clique of the graph, for the checks.
bool isCliqueOf(const ExactGraph& graph, const QList<QByteArray>& choice) {
    const std::vector<int> vertices = numbersOf(graph, choice);
    for (std::size_t i = 0; i < vertices.size(); ++i)
        for (std::size_t j = i + 1; j < vertices.size(); ++j)
            if (!graph.adjacent(vertices[i], vertices[j]))
                return false;
    return !vertices.empty();
}

ExerciseCheck checkClique(const ExactGraph& graph, const QList<QByteArray>& choice, int size,
                          bool largest) {
    if (choice.isEmpty())
        return {ExerciseCheck::Open, "Noch nichts gewählt: Wähle die Knoten im Bild oder im Feld "
                                     "„Auswahl“."};
    if (!isCliqueOf(graph, choice))
        return {ExerciseCheck::Wrong, "Noch nicht: Die Auswahl ist keine Clique."};
    const QString clique = cliqueDisplayText(normaliseClique(Clique{choice}));
    if (choice.size() == size)
        return {
            ExerciseCheck::Right,
            largest
                ? QString("Richtig: %1 ist eine größte Clique (%2 Knoten).").arg(clique).arg(size)
                : QString("Richtig: %1 ist eine Clique mit %2 Knoten.").arg(clique).arg(size)};
    return {ExerciseCheck::Wrong,
            largest ? QString("Noch nicht: Deine Clique hat %1 Knoten; es gibt eine größere.")
                          .arg(choice.size())
                    : QString("Noch nicht: Deine Clique hat %1 Knoten, gesucht sind %2.")
                          .arg(choice.size())
                          .arg(size)};
}

} // namespace

QStringList exerciseKindNames() {
    return {"Clique mit k Knoten finden (neuer Graph)", "Größte Clique finden",
            "Gierige Suche beurteilen", "Maximale Cliquen zählen"};
}

QString Exercise::task() const {
    QString question;
    switch (kind) {
    case ExerciseKind::PlantedClique:
        return QString("Aufgabe Nr. %1 (%2): Finde eine Clique mit %3 Knoten.")
            .arg(number)
            .arg(levelName(level))
            .arg(planted.size());
    case ExerciseKind::LargestClique:
        question = "Finde eine größte Clique.";
        break;
    case ExerciseKind::GreedyRound:
        question = QString("Findet die gierige Suche von Startknoten %1 eine größte Clique?")
                       .arg(shown(vertex));
        break;
    case ExerciseKind::MaximalCount:
        question = QString("Wie viele maximale Cliquen enthalten Knoten %1?").arg(shown(vertex));
        break;
    }
    return QString("Aufgabe Nr. %1: %2").arg(number).arg(question);
}

PlantedExercise plantedExercise(ExerciseLevel level, int number) {
    PlantedCliqueGraph planted = plantedCliqueGraph(level, std::uint64_t(number));
    PlantedExercise result;
    result.graph = std::move(planted.store);
    result.exercise.kind = ExerciseKind::PlantedClique;
    result.exercise.number = number;
    result.exercise.level = level;
    result.exercise.planted = std::move(planted.planted);
    return result;
}

CliqueList greedyRoundCliques(const GraphStore& store, const QByteArray& start) {
    GraphStore copy = store;
    copy.refreshCounts();
    CliqueList all;
    searchCliquesFromEveryVertex(copy, all, nullptr);
    // Every clique of a round begins with its start vertex.
    CliqueList round;
    for (const Clique& clique : all)
        if (clique.members.first() == start)
            round.append(clique);
    return round;
}

ExerciseOnGraph exerciseOnGraph(ExerciseKind kind, int number, const GraphStore& store) {
    Exercise exercise;
    exercise.kind = kind;
    exercise.number = number;
    RandomGenerator random{std::uint64_t(number)};
    const ExactGraph graph = buildExactGraph(store);
    if (graph.size() == 0)
        return {std::nullopt, "Der Graph hat keine Knoten: Wähle zuerst einen Graphen."};
    switch (kind) {
    case ExerciseKind::PlantedClique:
        return {std::nullopt, QString()};
    case ExerciseKind::LargestClique:
        break;
    case ExerciseKind::GreedyRound: {
        // Only vertices with an edge: the search drops the others first.
        GraphStore searched = store;
        searched.refreshCounts();
        removeIsolatedVertices(searched);
        QList<QByteArray> starts;
        for (const QByteArray& label : searched.vertices)
            if (!starts.contains(label))
                starts.append(label);
        if (starts.isEmpty())
            return {std::nullopt, "Der Graph hat keine Kante: Die gierige Suche hat hier keine "
                                  "Runde."};
        exercise.vertex = starts[random.below(std::uint32_t(starts.size()))];
        exercise.greedyRound = greedyRoundCliques(store, exercise.vertex);
        break;
    }
    case ExerciseKind::MaximalCount:
        exercise.vertex = graph.labels[random.below(std::uint32_t(graph.size()))];
        break;
    }
    return {exercise, QString()};
}

ExerciseCheck checkExercise(const Exercise& exercise, const ExactGraph& graph,
                            const CliqueFacts& facts, const ExerciseAnswer& answer) {
    switch (exercise.kind) {
    case ExerciseKind::PlantedClique:
        return checkClique(graph, answer.choice, int(exercise.planted.size()), false);
    case ExerciseKind::LargestClique:
        if (!facts.cliqueNumber())
            return {ExerciseCheck::Open, kStillSearching};
        return checkClique(graph, answer.choice, int(*facts.cliqueNumber()), true);
    case ExerciseKind::GreedyRound: {
        if (!answer.yes)
            return {ExerciseCheck::Open, "Wähle zuerst „Ja“ oder „Nein“."};
        if (!facts.cliqueNumber())
            return {ExerciseCheck::Open, kStillSearching};
        const bool finds = largestOf(exercise.greedyRound) == *facts.cliqueNumber();
        if (*answer.yes != finds)
            return {ExerciseCheck::Wrong,
                    "Leider nicht. „Lösung zeigen“ spielt die Runde Schritt für Schritt vor."};
        return {ExerciseCheck::Right,
                finds ? QString("Richtig: Ja. Die Runde von Startknoten %1 notiert eine Clique "
                                "mit %2 Knoten, so viele wie die größte.")
                            .arg(shown(exercise.vertex))
                            .arg(*facts.cliqueNumber())
                      : QString("Richtig: Nein. Die Runde von Startknoten %1 notiert höchstens "
                                "%2 Knoten, die größte Clique hat %3.")
                            .arg(shown(exercise.vertex))
                            .arg(largestOf(exercise.greedyRound))
                            .arg(*facts.cliqueNumber())};
    }
    case ExerciseKind::MaximalCount: {
        if (!facts.maximal)
            return {ExerciseCheck::Open, kStillSearching};
        const auto holding = maximalCliquesWith(graph, facts, exercise.vertex);
        if (!holding)
            return {ExerciseCheck::Open, kTooManyMaximal};
        const int count = int(holding->size());
        if (answer.count == count)
            return {ExerciseCheck::Right,
                    QString("Richtig: Knoten %1 liegt %2.")
                        .arg(shown(exercise.vertex), inMaximalCliques(holding->size()))};
        return {ExerciseCheck::Wrong, answer.count < count ? "Leider nicht: Es sind mehr."
                                                           : "Leider nicht: Es sind weniger."};
    }
    }
    return {};
}

QString exerciseTip(const Exercise& exercise, const ExactGraph& graph, const CliqueFacts& facts,
                    const QList<QByteArray>& choice) {
    switch (exercise.kind) {
    case ExerciseKind::PlantedClique:
        return cliqueTip(graph, choice, int(exercise.planted.size()));
    case ExerciseKind::LargestClique:
        if (!facts.cliqueNumber())
            return kStillSearching;
        return cliqueTip(graph, choice, int(*facts.cliqueNumber()));
    case ExerciseKind::GreedyRound:
        if (!facts.cliqueNumber())
            return kStillSearching;
        return QString("Tipp: Die größte Clique des Graphen hat %1 Knoten. Wie groß sind die "
                       "Cliquen, die die Runde von Startknoten %2 notiert?")
            .arg(*facts.cliqueNumber())
            .arg(shown(exercise.vertex));
    case ExerciseKind::MaximalCount: {
        if (!facts.maximal)
            return kStillSearching;
        const auto holding = maximalCliquesWith(graph, facts, exercise.vertex);
        if (!holding)
            return kTooManyMaximal;
        return QString("Tipp: Eine der maximalen Cliquen mit Knoten %1 ist %2.")
            .arg(shown(exercise.vertex), shown(graph, holding->front()));
    }
    }
    return QString();
}

ExerciseSolution exerciseSolution(const Exercise& exercise, const ExactGraph& graph,
                                  const CliqueFacts& facts) {
    ExerciseSolution solution;
    switch (exercise.kind) {
    case ExerciseKind::PlantedClique:
        solution.shown = Clique{exercise.planted};
        solution.text = QString("Eine Lösung: %1, im Bild hervorgehoben.")
                            .arg(cliqueDisplayText(solution.shown));
        break;
    case ExerciseKind::LargestClique:
        if (!facts.largest) {
            solution.text = kStillSearching;
            break;
        }
        solution.shown = cliqueOf(graph, *facts.largest);
        solution.text = QString("Eine größte Clique: %1 mit %2 Knoten, im Bild hervorgehoben.")
                            .arg(cliqueDisplayText(solution.shown))
                            .arg(solution.shown.members.size());
        break;
    case ExerciseKind::GreedyRound: {
        if (!facts.cliqueNumber()) {
            solution.text = kStillSearching;
            break;
        }
        QStringList recorded;
        for (const Clique& clique : exercise.greedyRound)
            recorded.append(cliqueDisplayText(clique));
        const qsizetype found = largestOf(exercise.greedyRound);
        const auto largestRecorded =
            std::find_if(exercise.greedyRound.begin(), exercise.greedyRound.end(),
                         [&](const Clique& c) { return c.members.size() == found; });
        if (largestRecorded != exercise.greedyRound.end())
            solution.shown = *largestRecorded;
        solution.playFrom = exercise.vertex;
        solution.text = QString("Die Runde von Startknoten %1 notiert %2; die größte davon hat %3 "
                                "Knoten, die größte Clique des Graphen %4: %5. Das Fenster "
                                "„Schritt für Schritt“ spielt die Runde vor.")
                            .arg(shown(exercise.vertex), cliqueListText(recorded))
                            .arg(found)
                            .arg(*facts.cliqueNumber())
                            .arg(found == *facts.cliqueNumber() ? "Ja" : "Nein");
        break;
    }
    case ExerciseKind::MaximalCount: {
        if (!facts.maximal) {
            solution.text = kStillSearching;
            break;
        }
        const auto holding = maximalCliquesWith(graph, facts, exercise.vertex);
        if (!holding) {
            solution.text = kTooManyMaximal;
            break;
        }
        QStringList cliques;
        for (const std::vector<int>& clique : *holding)
            cliques.append(shown(graph, clique));
        solution.shown = cliqueOf(graph, holding->front());
        solution.text = QString("Knoten %1 liegt %2: %3.")
                            .arg(shown(exercise.vertex), inMaximalCliques(holding->size()),
                                 cliqueListText(cliques));
        break;
    }
    }
    return solution;
}
