#include "search_play.h"

#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "cliques/maximal_cliques.h"
#include "cliques/maximum_clique.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cstddef>
#include <type_traits>

namespace {

// Every so many steps a play keeps the whole state, so that any position is
// at most that many cheap steps away. A state grows with the graph, so larger
// graphs keep one less often: the snapshots then take about as much room as
// the steps themselves.
int snapshotInterval(qsizetype vertices) {
    return int(std::max<qsizetype>(256, vertices));
}

// The steps of a play and the snapshots of its state, from which any
// position is rebuilt without searching again.
template <class Step, class State> class RecordedSteps {
public:
    // Walks the steps once from start, keeping a snapshot every so many of
    // them; the state after the last step.
    template <class Apply>
    State record(std::vector<Step> steps, State start, qsizetype vertices, Apply apply) {
        m_steps = std::move(steps);
        m_interval = snapshotInterval(vertices);
        for (std::size_t i = 0; i < m_steps.size(); ++i) {
            if (i % std::size_t(m_interval) == 0)
                m_snapshots.push_back(start);
            apply(start, m_steps[i]);
        }
        return start;
    }

    // The state after the first position steps, from the nearest snapshot;
    // beforeLast, where given, sees the state just before the last of them.
    template <class Apply, class BeforeLast = std::nullptr_t>
    State at(int position, State start, Apply apply, BeforeLast beforeLast = nullptr) const {
        int done = 0;
        if (position > 0) {
            const int snapshot = (position - 1) / m_interval;
            start = m_snapshots[std::size_t(snapshot)];
            done = snapshot * m_interval;
        }
        for (; done < position; ++done) {
            if constexpr (!std::is_null_pointer_v<BeforeLast>)
                if (done == position - 1)
                    beforeLast(start);
            apply(start, m_steps[std::size_t(done)]);
        }
        return start;
    }

    int count() const { return int(m_steps.size()); }
    const Step& operator[](int i) const { return m_steps[std::size_t(i)]; }
    const std::vector<Step>& all() const { return m_steps; }

private:
    std::vector<Step> m_steps;
    std::vector<State> m_snapshots;
    int m_interval = 256;
};

QString shown(const QByteArray& label) {
    return displayText(label);
}

// The labels of the numbered vertices, in their order.
template <typename Names>
QList<QByteArray> labelsOf(const Names& names, const std::vector<int>& vertices) {
    QList<QByteArray> result;
    result.reserve(qsizetype(vertices.size()));
    for (int v : vertices)
        result.append(names[v]);
    return result;
}

// The labels as a state line shows them; "–" for none.
QString joined(const QList<QByteArray>& labels) {
    if (labels.isEmpty())
        return "–";
    QStringList texts;
    for (const QByteArray& l : labels)
        texts.append(shown(l));
    return texts.join(", ");
}

// Adjacency by label, as the searches see it (loops ignored).
class LabelGraph {
public:
    explicit LabelGraph(const GraphStore& store) : m_graph(buildExactGraph(store)) {
        for (int v = 0; v < m_graph.size(); ++v)
            m_number.insert(m_graph.labels[v], v);
    }
    bool adjacent(const QByteArray& a, const QByteArray& b) const {
        const int x = m_number.value(a, -1);
        const int y = m_number.value(b, -1);
        return x >= 0 && y >= 0 && x != y && m_graph.adjacent(x, y);
    }

private:
    ExactGraph m_graph;
    QHash<QByteArray, int> m_number;
};

struct GreedyState {
    int start = -1;
    std::vector<int> members;
    std::vector<int> candidates;
    std::size_t next = 0;     // the next candidate to test
    std::vector<int> refused; // in this round
    int recorded = 0;
};

class GreedyPlay : public SearchPlay {
public:
    GreedyPlay(const GraphStore& store, int stepLimit) {
        // Exactly the preparation of "Berechnen!", on a copy.
        GraphStore copy = store;
        copy.refreshCounts();
        removeIsolatedVertices(copy);
        copy.refreshVertexCount();
        m_vertices = copy.vertices;
        m_graph = std::make_unique<LabelGraph>(copy);

        GreedyStepRecorder recorder(stepLimit);
        CliqueList found;
        searchGreedily(copy, found, nullptr, recorder);
        m_truncated = recorder.overflowed;
        const GreedyState state =
            m_steps.record(std::move(recorder.steps), GreedyState(), m_vertices.count(),
                           [this](GreedyState& s, const GreedyStep& step) { apply(s, step); });
        // The search appends a clique before it reports it; a cut play keeps
        // only those it reported.
        found.resize(state.recorded);
        m_found = std::move(found);
    }

    QStringList pseudoCode() const override {
        return {"für jeden Startknoten s:",
                "  Clique := {s}; Kandidaten := alle anderen Knoten",
                "  solange Kandidaten übrig sind:",
                "    prüfe den nächsten Kandidaten c:",
                "      mit allen Knoten der Clique verbunden: nimm c auf",
                "      sonst: c bleibt draußen",
                "    alle Kandidaten geprüft: notiere die Clique",
                "      mehr als 2 Knoten: entferne den zuletzt aufgenommenen",
                "                         und prüfe die Kandidaten von vorn",
                "      sonst: die Runde endet"};
    }
    int stepCount() const override { return m_steps.count(); }
    bool truncated() const override { return m_truncated; }

    PlayFrame frameAt(int position) const override {
        position = std::clamp(position, 0, stepCount());
        // The members before the last step, for what it tested against.
        std::vector<int> membersBefore;
        const GreedyState state = m_steps.at(
            position, GreedyState(),
            [this](GreedyState& s, const GreedyStep& step) { apply(s, step); },
            [&](const GreedyState& before) { membersBefore = before.members; });
        return frame(state, position, membersBefore);
    }

    int startOfRound(const QByteArray& start) const override {
        const std::vector<GreedyStep>& steps = m_steps.all();
        const auto found = std::find_if(steps.begin(), steps.end(), [&](const GreedyStep& s) {
            return s.kind == GreedyStep::Start && label(s.vertex) == start;
        });
        return found == steps.end() ? -1 : int(found - steps.begin()) + 1;
    }

private:
    const QByteArray& label(int v) const { return m_vertices[v]; }

    QList<QByteArray> labels(const std::vector<int>& vertices) const {
        return labelsOf(m_vertices, vertices);
    }

    void apply(GreedyState& state, const GreedyStep& step) const {
        switch (step.kind) {
        case GreedyStep::Start:
            state.start = step.vertex;
            state.members.assign(1, step.vertex);
            state.candidates.clear();
            for (int i = 0; i < m_vertices.count(); ++i)
                if (label(i) != label(step.vertex))
                    state.candidates.push_back(i);
            state.next = 0;
            state.refused.clear();
            break;
        case GreedyStep::Join:
            state.candidates.erase(state.candidates.begin() + qsizetype(state.next));
            state.members.push_back(step.vertex);
            break;
        case GreedyStep::Refuse:
            state.refused.push_back(step.vertex);
            ++state.next;
            break;
        case GreedyStep::Record:
            ++state.recorded;
            break;
        case GreedyStep::Drop:
            state.members.pop_back();
            state.next = 0;
            state.refused.clear();
            break;
        case GreedyStep::End:
            state.candidates.clear();
            state.next = 0;
            state.refused.clear();
            break;
        }
    }

    PlayFrame frame(const GreedyState& state, int position,
                    const std::vector<int>& membersBefore) const {
        PlayFrame f;
        const std::vector<int> waiting(state.candidates.begin() + qsizetype(state.next),
                                       state.candidates.end());
        if (state.start >= 0) {
            f.state << QString("Startknoten: %1").arg(shown(label(state.start)))
                    << QString("Clique bisher: %1").arg(joined(labels(state.members)))
                    << QString("Kandidaten: %1").arg(joined(labels(waiting)));
            if (!state.refused.empty())
                f.state
                    << QString("In dieser Runde draußen: %1").arg(joined(labels(state.refused)));
        }
        for (int v : state.members)
            f.marks.append({label(v), PlayRole::Member});
        for (int v : waiting)
            f.marks.append({label(v), PlayRole::Waiting});
        for (int v : state.refused)
            f.marks.append({label(v), PlayRole::Refused});
        f.found = m_found.mid(0, state.recorded);

        if (position == 0) {
            f.sentence = "Noch kein Schritt: „Schritt vor“ beginnt mit dem ersten Startknoten.";
            return f;
        }
        const GreedyStep& step = m_steps[position - 1];
        switch (step.kind) {
        case GreedyStep::Start:
            f.pseudoCodeLine = 1;
            f.sentence = QString("Startknoten %1: Die Clique beginnt mit ihm, alle anderen Knoten "
                                 "sind Kandidaten.")
                             .arg(shown(label(step.vertex)));
            break;
        case GreedyStep::Join:
            f.pseudoCodeLine = 4;
            f.sentence = QString("Knoten %1 ist mit %2 verbunden: er kommt hinzu.")
                             .arg(shown(label(step.vertex)), germanList(labels(membersBefore)));
            markTested(f, step.vertex, membersBefore);
            break;
        case GreedyStep::Refuse:
            f.pseudoCodeLine = 5;
            f.sentence = QString("Knoten %1 fehlt die Kante zu %2: er bleibt draußen.")
                             .arg(shown(label(step.vertex)), shown(label(step.missing)));
            markTested(f, step.vertex, membersBefore);
            break;
        case GreedyStep::Record:
            f.pseudoCodeLine = 6;
            f.sentence = QString("Kein Kandidat ist mehr zu prüfen: Die Clique %1 wird notiert.")
                             .arg(displayText(f.found.last().text()));
            break;
        case GreedyStep::Drop:
            f.pseudoCodeLine = 7;
            f.sentence = waiting.empty()
                             ? QString("Knoten %1 verlässt die Clique wieder; kein Kandidat ist "
                                       "übrig: Die Runde endet.")
                                   .arg(shown(label(step.vertex)))
                             : QString("Knoten %1 verlässt die Clique wieder; die übrigen "
                                       "Kandidaten werden von vorn geprüft.")
                                   .arg(shown(label(step.vertex)));
            break;
        case GreedyStep::End:
            f.pseudoCodeLine = 9;
            // The search makes a clique smaller only while it has more than
            // two members: a round ends at two, or at the start alone.
            f.sentence =
                state.members.size() == 1
                    ? QString("Kein Kandidat ist mit Startknoten %1 verbunden: Die Clique besteht "
                              "nur aus ihm, die Runde endet.")
                          .arg(shown(label(state.start)))
                    : QString("Die Clique hat zwei Knoten, kleiner macht die Suche sie nicht: Die "
                              "Runde mit Startknoten %1 endet.")
                          .arg(shown(label(state.start)));
            break;
        }
        return f;
    }

    // The candidate under test and its edges to the members it was tested against.
    void markTested(PlayFrame& f, int candidate, const std::vector<int>& members) const {
        f.marks.append({label(candidate), PlayRole::Candidate});
        for (int m : members)
            f.edges.append(
                {label(candidate), label(m), m_graph->adjacent(label(candidate), label(m))});
    }

    TextList m_vertices;
    std::unique_ptr<LabelGraph> m_graph;
    RecordedSteps<GreedyStep, GreedyState> m_steps;
    CliqueList m_found;
    bool m_truncated = false;
};

struct BronKerboschFrame {
    std::vector<int> r;
    VertexSet p;
    VertexSet x;
    int pivot = -1;
    int branching = -1; // the vertex R grew by into the frame above
};

struct BronKerboschState {
    std::vector<BronKerboschFrame> stack;
    int found = 0;
};

class BronKerboschPlay : public SearchPlay {
public:
    BronKerboschPlay(const GraphStore& store, int stepLimit) : m_graph(buildExactGraph(store)) {
        BronKerboschStepRecorder recorder(stepLimit);
        const MaximalCliques result = enumerateMaximalCliquesObserved(m_graph, kMaximalCliqueCap,
                                                                      ~std::uint64_t(0), recorder);
        m_truncated = recorder.overflowed || !result.complete;
        m_cliqueCapReached = !recorder.overflowed && result.truncated;
        m_steps.record(std::move(recorder.steps), initial(), m_graph.size(),
                       [this](BronKerboschState& state, const BronKerboschStep& step) {
                           apply(state, step);
                           // The cliques as the steps report them: past the
                           // cap the enumeration keeps only some of them.
                           if (step.kind == BronKerboschStep::Found)
                               m_foundInOrder.append(
                                   normaliseClique(Clique{labels(state.stack.back().r)}));
                       });
    }

    QStringList pseudoCode() const override {
        return {"BronKerbosch(R, P, X):",
                "  wenn P und X leer sind: melde R als maximale Clique",
                "  wähle als Pivot u den Knoten aus P ∪ X",
                "    mit den meisten Nachbarn in P",
                "  für jeden Knoten v aus P, der kein Nachbar von u ist:",
                "    BronKerbosch(R ∪ {v}, P ∩ N(v), X ∩ N(v))",
                "    verschiebe v von P nach X"};
    }
    int stepCount() const override { return m_steps.count(); }
    bool truncated() const override { return m_truncated; }
    QString truncationNote() const override {
        if (!m_cliqueCapReached)
            return SearchPlay::truncationNote();
        const QLocale german(QLocale::German);
        return QString("Die Aufzeichnung endet nach %1 Schritten: Sie hält höchstens %2 maximale "
                       "Cliquen fest; die Suche ginge weiter.")
            .arg(german.toString(stepCount()), german.toString(qulonglong(kMaximalCliqueCap)));
    }

    PlayFrame frameAt(int position) const override {
        position = std::clamp(position, 0, stepCount());
        return frame(m_steps.at(position, initial(),
                                [this](BronKerboschState& state, const BronKerboschStep& step) {
                                    apply(state, step);
                                }),
                     position);
    }

private:
    BronKerboschState initial() const {
        BronKerboschState state;
        BronKerboschFrame root;
        root.p = VertexSet(m_graph.size());
        root.x = VertexSet(m_graph.size());
        for (int v = 0; v < m_graph.size(); ++v)
            root.p.insert(v);
        state.stack.push_back(std::move(root));
        return state;
    }

    void apply(BronKerboschState& state, const BronKerboschStep& step) const {
        BronKerboschFrame& top = state.stack.back();
        switch (step.kind) {
        case BronKerboschStep::Pivot:
            top.pivot = step.vertex;
            break;
        case BronKerboschStep::Branch: {
            const VertexSet& around = m_graph.neighbours[std::size_t(step.vertex)];
            BronKerboschFrame next;
            next.r = top.r;
            next.r.push_back(step.vertex);
            next.p = intersection(top.p, around);
            next.x = intersection(top.x, around);
            top.branching = step.vertex;
            state.stack.push_back(std::move(next));
            break;
        }
        case BronKerboschStep::Return:
            state.stack.pop_back();
            break;
        case BronKerboschStep::MoveToX:
            top.p.erase(step.vertex);
            top.x.insert(step.vertex);
            top.branching = -1;
            break;
        case BronKerboschStep::Found:
            ++state.found;
            break;
        case BronKerboschStep::NotMaximal:
            break;
        }
    }

    QList<QByteArray> labels(const std::vector<int>& vertices) const {
        return labelsOf(m_graph.labels, vertices);
    }

    static QString set(const QList<QByteArray>& labels) {
        QStringList texts;
        for (const QByteArray& l : labels)
            texts.append(shown(l));
        return "{" + texts.join(", ") + "}";
    }

    PlayFrame frame(const BronKerboschState& state, int position) const {
        PlayFrame f;
        const BronKerboschFrame& top = state.stack.back();
        const QList<QByteArray> r = labels(top.r);
        const QList<QByteArray> p = labels(top.p.members());
        const QList<QByteArray> x = labels(top.x.members());
        f.state << QString("R = %1").arg(set(r)) << QString("P = %1").arg(set(p))
                << QString("X = %1").arg(set(x))
                << QString("Pivot: %1")
                       .arg(top.pivot >= 0 ? shown(m_graph.labels[top.pivot]) : QString("–"))
                << QString("Aufruftiefe: %1").arg(state.stack.size() - 1);
        for (const QByteArray& l : r)
            f.marks.append({l, PlayRole::Member});
        for (const QByteArray& l : p)
            f.marks.append({l, PlayRole::Waiting});
        for (const QByteArray& l : x)
            f.marks.append({l, PlayRole::Excluded});
        if (top.pivot >= 0)
            f.marks.append({m_graph.labels[top.pivot], PlayRole::Pivot});
        // The exact analysis lists its cliques largest first.
        f.found = m_foundInOrder.mid(0, state.found);
        std::stable_sort(f.found.begin(), f.found.end(), largerCliqueFirst);

        if (position == 0) {
            f.sentence = "Noch kein Schritt: Der erste Aufruf beginnt mit R = {}, P = alle "
                         "Knoten, X = {}.";
            return f;
        }
        const BronKerboschStep& step = m_steps[position - 1];
        const QString v = step.vertex >= 0 ? shown(m_graph.labels[step.vertex]) : QString();
        switch (step.kind) {
        case BronKerboschStep::Pivot: {
            f.pseudoCodeLine = 2;
            const VertexSet& around = m_graph.neighbours[std::size_t(step.vertex)];
            QList<QByteArray> branches;
            for (int w : top.p.members())
                if (!around.contains(w))
                    branches.append(m_graph.labels[w]);
            f.sentence = QString("Pivot ist Knoten %1: Verzweigt wird nur über %2.")
                             .arg(v, germanList(branches));
            break;
        }
        case BronKerboschStep::Branch:
            f.pseudoCodeLine = 5;
            f.marks.append({m_graph.labels[step.vertex], PlayRole::Candidate});
            f.sentence =
                QString("R wächst um Knoten %1; P und X behalten nur seine Nachbarn.").arg(v);
            break;
        case BronKerboschStep::Return:
            f.pseudoCodeLine = 5;
            f.sentence = QString("Der Aufruf ist fertig: zurück zu R = %1.").arg(set(r));
            break;
        case BronKerboschStep::MoveToX:
            f.pseudoCodeLine = 6;
            f.sentence = QString("Knoten %1 ist bearbeitet: er wandert von P nach X.").arg(v);
            break;
        case BronKerboschStep::Found:
            f.pseudoCodeLine = 1;
            f.sentence = QString("P und X sind leer: R = %1 ist eine maximale Clique.").arg(set(r));
            break;
        case BronKerboschStep::NotMaximal:
            f.pseudoCodeLine = 1;
            f.sentence = QString("P ist leer, X aber nicht: R = %1 lässt sich noch um einen "
                                 "bearbeiteten Knoten erweitern und ist nicht maximal.")
                             .arg(set(r));
            break;
        }
        return f;
    }

    ExactGraph m_graph;
    RecordedSteps<BronKerboschStep, BronKerboschState> m_steps;
    CliqueList m_foundInOrder;
    bool m_truncated = false;
    bool m_cliqueCapReached = false;
};

struct CliqueNumberLevel {
    std::vector<int> clique;
    VertexSet candidates;
    bool coloured = false;
    std::vector<std::vector<int>> classes; // the candidates by colour, from colour 1
    std::vector<int> uncounted;            // candidates that need no colour of their own
};

struct CliqueNumberState {
    std::vector<CliqueNumberLevel> stack;
    std::vector<int> best;
    int found = 0; // best cliques so far, the first one included
};

class CliqueNumberPlay : public SearchPlay {
public:
    CliqueNumberPlay(const GraphStore& store, int stepLimit) : m_graph(buildExactGraph(store)) {
        CliqueNumberStepRecorder recorder(stepLimit);
        const MaximumCliqueResult result = maximumCliqueObserved(m_graph, kNoStepLimit, recorder);
        m_pool = std::move(recorder.pool);
        m_truncated = recorder.overflowed || !result.complete;
        m_steps.record(std::move(recorder.steps), initial(), m_graph.size(),
                       [this](CliqueNumberState& state, const CliqueNumberStep& step) {
                           apply(state, step);
                           if (step.kind == CliqueNumberStep::First ||
                               step.kind == CliqueNumberStep::Better)
                               m_bestInOrder.append(normaliseClique(Clique{labels(state.best)}));
                       });
    }

    QStringList pseudoCode() const override {
        return {"beste := eine gierig gefundene Clique",
                "Suche(C, P), anfangs C = {} und P = alle Knoten:",
                "  färbe P: verbundene Knoten bekommen verschiedene Farben",
                "  |C| + Farben ≤ |beste|: schneide den Zweig ab",
                "  für jeden Kandidaten v, höchste Farbe zuerst:",
                "    |C| + Farbe(v) ≤ |beste|: schneide den Rest ab",
                "    Suche(C ∪ {v}, P ∩ N(v))",
                "    nimm v aus P",
                "  P leer und |C| > |beste|: beste := C"};
    }
    int stepCount() const override { return m_steps.count(); }
    bool truncated() const override { return m_truncated; }

    PlayFrame frameAt(int position) const override {
        position = std::clamp(position, 0, stepCount());
        return frame(m_steps.at(position, initial(),
                                [this](CliqueNumberState& state, const CliqueNumberStep& step) {
                                    apply(state, step);
                                }),
                     position);
    }

private:
    CliqueNumberState initial() const {
        CliqueNumberState state;
        CliqueNumberLevel root;
        root.candidates = VertexSet(m_graph.size());
        for (int v = 0; v < m_graph.size(); ++v)
            root.candidates.insert(v);
        state.stack.push_back(std::move(root));
        return state;
    }

    // The lists a step keeps in the pool.
    std::vector<std::vector<int>> lists(const CliqueNumberStep& step) const {
        std::vector<std::vector<int>> result;
        std::size_t at = std::size_t(step.pooled);
        const int count = m_pool[at++];
        for (int i = 0; i < count; ++i) {
            const std::size_t length = std::size_t(m_pool[at++]);
            result.emplace_back(m_pool.begin() + std::ptrdiff_t(at),
                                m_pool.begin() + std::ptrdiff_t(at + length));
            at += length;
        }
        return result;
    }

    void apply(CliqueNumberState& state, const CliqueNumberStep& step) const {
        CliqueNumberLevel& top = state.stack.back();
        switch (step.kind) {
        case CliqueNumberStep::First:
        case CliqueNumberStep::Better:
            state.best = lists(step).front();
            std::sort(state.best.begin(), state.best.end());
            ++state.found;
            break;
        case CliqueNumberStep::Colour: {
            top.classes = lists(step);
            for (std::vector<int>& members : top.classes)
                std::sort(members.begin(), members.end());
            top.uncounted = top.classes.back();
            top.classes.pop_back();
            top.coloured = true;
            break;
        }
        case CliqueNumberStep::Take: {
            CliqueNumberLevel next;
            next.clique = top.clique;
            next.clique.push_back(step.value);
            next.candidates =
                intersection(top.candidates, m_graph.neighbours[std::size_t(step.value)]);
            state.stack.push_back(std::move(next));
            break;
        }
        case CliqueNumberStep::Done: {
            state.stack.pop_back();
            CliqueNumberLevel& parent = state.stack.back();
            parent.candidates.erase(step.value);
            for (std::vector<int>& members : parent.classes)
                std::erase(members, step.value);
            std::erase(parent.uncounted, step.value);
            break;
        }
        case CliqueNumberStep::Cut:
        case CliqueNumberStep::Empty:
            break;
        }
    }

    QList<QByteArray> labels(const std::vector<int>& vertices) const {
        return labelsOf(m_graph.labels, vertices);
    }

    static QString colours(int n) {
        return n == 1 ? QString("1 Farbe") : QString("%1 Farben").arg(n);
    }

    // The colour of v among the level's classes, 0 when it has none.
    static int colourOf(const CliqueNumberLevel& level, int v) {
        for (std::size_t k = 0; k < level.classes.size(); ++k)
            if (std::find(level.classes[k].begin(), level.classes[k].end(), v) !=
                level.classes[k].end())
                return int(k) + 1;
        return 0;
    }

    static int classCount(const CliqueNumberLevel& level) {
        return int(std::count_if(level.classes.begin(), level.classes.end(),
                                 [](const std::vector<int>& c) { return !c.empty(); }));
    }

    // "… käme höchstens auf 2 + 2 = 4 Knoten; die beste hat 4: "
    static QString bound(std::size_t clique, int colours, std::size_t best) {
        return QString("Die Clique käme höchstens auf %1 + %2 = %3 Knoten; die beste hat %4: ")
            .arg(clique)
            .arg(colours)
            .arg(clique + std::size_t(colours))
            .arg(best);
    }

    PlayFrame frame(const CliqueNumberState& state, int position) const {
        PlayFrame f;
        const CliqueNumberLevel& top = state.stack.back();
        const QList<QByteArray> clique = labels(top.clique);
        const QList<QByteArray> candidates = labels(top.candidates.members());
        f.state << QString("Clique: %1").arg(joined(clique));
        if (top.coloured) {
            const int k = classCount(top);
            f.state << QString("Kandidaten: %1 in %2 %3")
                           .arg(joined(candidates))
                           .arg(k)
                           .arg(k == 1 ? "Farbklasse" : "Farbklassen");
            QStringList classes;
            for (std::size_t c = 0; c < top.classes.size(); ++c)
                if (!top.classes[c].empty())
                    classes
                        << QString("Farbe %1: %2").arg(c + 1).arg(joined(labels(top.classes[c])));
            f.state << classes.join("; ");
        } else {
            f.state << QString("Kandidaten: %1").arg(joined(candidates));
        }
        if (!state.best.empty())
            f.state << QString("Beste bisher: %1 Knoten").arg(state.best.size());

        for (int v : top.candidates.members())
            if (const int c = colourOf(top, v); c > 0)
                f.marks.append({m_graph.labels[v], PlayRole::Coloured, c});
            else
                f.marks.append({m_graph.labels[v], PlayRole::Waiting});
        for (const QByteArray& l : clique)
            f.marks.append({l, PlayRole::Member});
        for (int v : state.best)
            f.marks.append({m_graph.labels[v], PlayRole::Best});
        f.found = m_bestInOrder.mid(0, state.found);

        if (position == 0) {
            f.sentence =
                "Noch kein Schritt: Die Suche beginnt mit einer leeren Clique; alle Knoten "
                "sind Kandidaten.";
            return f;
        }
        const CliqueNumberStep& step = m_steps[position - 1];
        const std::size_t best = state.best.size();
        switch (step.kind) {
        case CliqueNumberStep::First:
            f.pseudoCodeLine = 0;
            f.sentence = QString("Eine erste Clique, gierig gefunden: %1 (%2 Knoten). Gesucht wird "
                                 "nur noch eine größere.")
                             .arg(germanList(labels(state.best)))
                             .arg(best);
            break;
        case CliqueNumberStep::Colour: {
            const int k = classCount(top);
            const bool cut = top.clique.size() + std::size_t(k) <= best;
            f.pseudoCodeLine = cut ? 3 : 2;
            f.sentence =
                (top.uncounted.empty()
                     ? QString("Die Kandidaten lassen sich mit %1 färben: ").arg(colours(k))
                     : QString("Die Kandidaten außer %1 lassen sich mit %2 färben, und %1 %3 "
                               "die Schranke nicht: ")
                           .arg(germanList(labels(top.uncounted)), colours(k),
                                top.uncounted.size() == 1 ? "erhöht" : "erhöhen")) +
                bound(top.clique.size(), k, best) +
                (cut ? "Dieser Zweig wird abgeschnitten."
                     : "Es wird verzweigt, Kandidaten der höchsten Farbe zuerst.");
            break;
        }
        case CliqueNumberStep::Take: {
            f.pseudoCodeLine = 6;
            const CliqueNumberLevel& parent = state.stack[state.stack.size() - 2];
            const QString v = shown(m_graph.labels[step.value]);
            const int c = colourOf(parent, step.value);
            f.sentence =
                (c > 0 ? QString("Knoten %1 (Farbe %2) kommt in die Clique; ").arg(v).arg(c)
                       : QString("Knoten %1 kommt in die Clique; ").arg(v)) +
                (candidates.isEmpty() ? QString("unter den Kandidaten hat er keine Nachbarn.")
                 : candidates.size() == 1
                     ? QString("Kandidat bleibt sein Nachbar %1.").arg(germanList(candidates))
                     : QString("Kandidaten bleiben seine Nachbarn %1.")
                           .arg(germanList(candidates)));
            break;
        }
        case CliqueNumberStep::Done:
            f.pseudoCodeLine = 7;
            f.sentence =
                QString("Knoten %1 ist untersucht und scheidet als Kandidat aus; zurück zur %2.")
                    .arg(shown(m_graph.labels[step.value]),
                         clique.isEmpty() ? QString("leeren Clique")
                                          : QString("Clique %1").arg(joined(clique)));
            break;
        case CliqueNumberStep::Cut:
            f.pseudoCodeLine = 5;
            f.sentence =
                QString("Die übrigen Kandidaten %1 tragen nur %2: ")
                    .arg(germanList(candidates),
                         step.value == 1   ? QString("die Farbe 1")
                         : step.value == 2 ? QString("die Farben 1 und 2")
                                           : QString("die Farben 1 bis %1").arg(step.value)) +
                bound(top.clique.size(), step.value, best) + "Sie werden abgeschnitten.";
            break;
        case CliqueNumberStep::Empty:
            f.pseudoCodeLine = 8;
            f.sentence = QString("Keine Kandidaten mehr: Die Clique %1 hat %2 Knoten, nicht mehr "
                                 "als die beste.")
                             .arg(joined(clique))
                             .arg(clique.size());
            break;
        case CliqueNumberStep::Better:
            f.pseudoCodeLine = 8;
            f.sentence = QString("Keine Kandidaten mehr: Die Clique %1 hat %2 Knoten, mehr als die "
                                 "beste bisher: Sie ist die neue beste Clique.")
                             .arg(joined(clique))
                             .arg(clique.size());
            break;
        }
        return f;
    }

    ExactGraph m_graph;
    RecordedSteps<CliqueNumberStep, CliqueNumberState> m_steps;
    std::vector<int> m_pool;
    CliqueList m_bestInOrder;
    bool m_truncated = false;
};

} // namespace

QString SearchPlay::truncationNote() const {
    if (!truncated())
        return {};
    return QString("Die Aufzeichnung endet nach %1 Schritten, mehr hält sie nicht fest; die "
                   "Suche ginge weiter.")
        .arg(QLocale(QLocale::German).toString(stepCount()));
}

QString germanList(const QList<QByteArray>& labels) {
    QStringList texts;
    for (const QByteArray& l : labels)
        texts.append(shown(l));
    if (texts.size() <= 1)
        return texts.join(QString());
    const QString last = texts.takeLast();
    return texts.join(", ") + " und " + last;
}

std::unique_ptr<SearchPlay> playGreedySearch(const GraphStore& store, int stepLimit) {
    return std::make_unique<GreedyPlay>(store, stepLimit);
}

std::unique_ptr<SearchPlay> playBronKerbosch(const GraphStore& store, int stepLimit) {
    return std::make_unique<BronKerboschPlay>(store, stepLimit);
}

std::unique_ptr<SearchPlay> playCliqueNumber(const GraphStore& store, int stepLimit) {
    return std::make_unique<CliqueNumberPlay>(store, stepLimit);
}
