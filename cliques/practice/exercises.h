#pragma once

#include "cliques/clique.h"
#include "cliques/maximal_cliques.h"
#include "cliques/maximum_clique.h"
#include "cliques/practice/clique_facts.h"
#include "cliques/practice/planted_clique.h"
#include "graph/graph_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Clique exercises that Mandorin sets and checks. Each has a number: the
// same number (and level) gives every student of a class the same exercise.

enum class ExerciseKind { PlantedClique, LargestClique, GreedyRound, MaximalCount };

// The names the window offers the kinds by, in the order of the enum.
QStringList exerciseKindNames();

struct Exercise {
    ExerciseKind kind = ExerciseKind::PlantedClique;
    int number = 0;
    ExerciseLevel level = ExerciseLevel::Easy;
    QList<QByteArray> planted; // PlantedClique: the planted clique
    QByteArray vertex;      // GreedyRound: the start vertex; MaximalCount: the vertex asked about
    CliqueList greedyRound; // GreedyRound: what the round from the start vertex records

    // "Aufgabe Nr. 4711 (leicht): Finde eine Clique mit 4 Knoten."
    QString task() const;
};

// A new graph with a planted clique, and the exercise to find one.
struct PlantedExercise {
    GraphStore graph;
    Exercise exercise;
};
PlantedExercise plantedExercise(ExerciseLevel level, int number);

// An exercise of the other kinds on the given graph; a German message
// instead when the graph has nothing to ask about.
struct ExerciseOnGraph {
    std::optional<Exercise> exercise;
    QString message;
};
ExerciseOnGraph exerciseOnGraph(ExerciseKind kind, int number, const GraphStore& store);

// What the greedy search, run as "Berechnen!" runs it, records in its round
// from the vertex with this label.
CliqueList greedyRoundCliques(const GraphStore& store, const QByteArray& start);

struct ExerciseAnswer {
    QList<QByteArray> choice;
    std::optional<bool> yes; // GreedyRound
    int count = 0;           // MaximalCount
};

struct ExerciseCheck {
    // Open: no verdict yet (no answer given, or the exact search still runs).
    enum Outcome { Right, Wrong, Open };
    Outcome outcome = Open;
    QString text;
};

// graph and facts belong to the exercise's graph.
ExerciseCheck checkExercise(const Exercise& exercise, const ExactGraph& graph,
                            const CliqueFacts& facts, const ExerciseAnswer& answer);

// One member of a solution, or the vertex of the choice that blocks every
// solution; what the exercise needs to see next for the others.
QString exerciseTip(const Exercise& exercise, const ExactGraph& graph, const CliqueFacts& facts,
                    const QList<QByteArray>& choice);

struct ExerciseSolution {
    QString text;
    Clique shown;        // to highlight; empty when there is none
    QByteArray playFrom; // GreedyRound: the round to play step by step
};
ExerciseSolution exerciseSolution(const Exercise& exercise, const ExactGraph& graph,
                                  const CliqueFacts& facts);
