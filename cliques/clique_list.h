#pragma once

#include "cliques/clique.h"
#include "graph/progress.h"

#include <QByteArray>

// Natural order of labels: decimal numbers by value first, then every other
// label in German filing order (labelFilingText), ties broken by the exact bytes.
bool labelLess(const QByteArray& a, const QByteArray& b);

// What a German reader files a label under: the label decoded on its own
// (UTF-8 where valid, else Latin-1), in lower case, letters with umlauts or
// accents under their base letter and ß as "ss". "Öznur" gives "oznur".
QString labelFilingText(const QByteArray& label);

// The clique with its labels in natural order (repeats kept).
Clique normaliseClique(const Clique& clique);

// Larger cliques first; cliques of one size by their labels in order.
bool largerCliqueFirst(const Clique& a, const Clique& b);

// Normalises every clique and keeps the first of each set of cliques that
// hold exactly the same labels (case-sensitive), in the order of first
// occurrence.
void removeRedundantCliques(CliqueList& cliques);

enum class SizeOrder { Ascending, Descending };

// Normalises every clique and orders the list by the number of labels;
// cliques of equal size keep their relative order. Nothing is dropped.
void sortCliquesBySize(CliqueList& cliques, SizeOrder order);

// The largest number of labels in a clique of the list, 0 for an empty list.
// Reports the index of every clique once it is measured (progress may be null).
qsizetype largestCliqueSize(const CliqueList& cliques, ProgressSink* progress);

// The answer to "is there a clique of at least k vertices?": "Ja" or "Nein".
QByteArray decisionAnswer(qsizetype largestSize, qsizetype k);

// The clique list as a text file: every clique text followed by CR LF.
QByteArray cliqueListBytes(const CliqueList& cliques);
