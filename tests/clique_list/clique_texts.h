#pragma once

#include "cliques/clique.h"

#include <QByteArrayList>

// Cliques written as their texts, e.g. "(0-1-4)", for labels without "-".
inline Clique cliqueOf(const QByteArray& text) {
    return Clique{text.mid(1, text.size() - 2).split('-')};
}

inline CliqueList cliquesOf(const QByteArrayList& texts) {
    CliqueList cliques;
    for (const QByteArray& text : texts)
        cliques.append(cliqueOf(text));
    return cliques;
}

inline QByteArrayList textsOf(const CliqueList& cliques) {
    QByteArrayList texts;
    for (const Clique& clique : cliques)
        texts.append(clique.text());
    return texts;
}

// The texts that one search appends on each sample graph, and the list the
// redundancy pass leaves of them.
inline const QByteArrayList kSearch1{"(0-1-3-4)", "(0-1-3)",   "(0-1)",   "(1-0-3-4)", "(1-0-3)",
                                     "(1-0)",     "(2-4-5)",   "(2-4)",   "(3-0-1-4)", "(3-0-1)",
                                     "(3-0)",     "(4-0-1-3)", "(4-0-1)", "(4-0)",     "(5-2-4)",
                                     "(5-2)",     "(6-7)",     "(7-4)",   "(8-5)"};
inline const QByteArrayList kSearch2{"(0-1-2)", "(0-1-3-4)", "(1-0-2)",   "(1-0-3-4)",
                                     "(2-0-1)", "(2-0)",     "(3-0-1-4)", "(3-0-1)",
                                     "(3-0)",   "(4-0-1-3)", "(4-0-1)",   "(4-0)"};
inline const QByteArrayList kUnique1{"(0-1-3-4)", "(0-1-3)", "(0-1)", "(2-4-5)", "(2-4)", "(0-3)",
                                     "(0-1-4)",   "(0-4)",   "(2-5)", "(6-7)",   "(4-7)", "(5-8)"};
inline const QByteArrayList kUnique2{"(0-1-2)", "(0-1-3-4)", "(0-2)", "(0-1-3)",
                                     "(0-3)",   "(0-1-4)",   "(0-4)"};
