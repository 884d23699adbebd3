#pragma once

#include "cliques/clique.h"

// Natural order of labels: decimal numbers by value first, then every other
// label in case-insensitive text order, ties broken by the exact text.
bool labelLess(const QByteArray& a, const QByteArray& b);

// The clique with its labels in natural order (repeats kept).
Clique NormaliseClique(const Clique& clique);
