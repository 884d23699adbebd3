#include "clique_facts.h"

void CliqueFactsRunner::start(const ExactGraph& graph, bool listMaximal) {
    m_facts = {};
    startRun([this, graph, listMaximal](std::uint64_t run, std::stop_token stop) {
        const SearchControl control{kNoStepLimit, stop};
        CliqueFacts facts;
        const MaximumCliqueResult largest = maximumClique(graph, control);
        if (!largest.complete)
            return; // stopped: a newer run or the end of the program
        facts.largest = largest.clique;
        report(run, facts, !listMaximal);
        if (listMaximal) {
            facts.maximal = enumerateMaximalCliques(graph, kMaximalCliqueCap, control);
            if (!stop.stop_requested())
                report(run, facts, true);
        }
    });
}

void CliqueFactsRunner::report(std::uint64_t run, const CliqueFacts& facts, bool last) {
    deliver(
        run,
        [this, facts] {
            m_facts = facts;
            emit factsChanged();
        },
        last);
}
