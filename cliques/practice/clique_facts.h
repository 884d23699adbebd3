#pragma once

#include "cliques/background_runs.h"
#include "cliques/maximal_cliques.h"
#include "cliques/maximum_clique.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

// What the practice window needs to know of a graph exactly: its clique
// number with one largest clique, and, where asked, every maximal clique.
struct CliqueFacts {
    std::optional<std::vector<int>> largest; // vertex numbers; set once proved largest
    std::optional<MaximalCliques> maximal;   // set once listed, complete or not

    std::optional<qsizetype> cliqueNumber() const {
        if (!largest)
            return std::nullopt;
        return qsizetype(largest->size());
    }
};

// Works the facts out on a thread of its own, without a step limit, on a
// copy of the graph; a newer start forgets the run before. Each fact is
// reported as soon as it is known, on the runner's own thread.
class CliqueFactsRunner : public BackgroundRuns {
    Q_OBJECT
public:
    using BackgroundRuns::BackgroundRuns;
    ~CliqueFactsRunner() override { endRuns(); }

    void start(const ExactGraph& graph, bool listMaximal);
    // Forgets the current run (nothing more is reported) and stops it.
    void stop() { forgetRun(); }
    const CliqueFacts& facts() const { return m_facts; }

signals:
    void factsChanged();

private:
    void report(std::uint64_t run, const CliqueFacts& facts, bool last);

    CliqueFacts m_facts;
};
