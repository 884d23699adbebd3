#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// "(" + labels joined by "-" + ")"; an empty list gives "(" alone.
QByteArray cliqueText(const QList<QByteArray>& members);

// One found clique. The members are kept with it so that labels of any length
// (or containing no digit at all) survive normalising, de-duplication and sorts.
struct Clique {
    QList<QByteArray> members;

    QByteArray text() const { return cliqueText(members); }
    bool operator==(const Clique& other) const = default;
};

using CliqueList = QList<Clique>;

// How a clique is shown: each label decoded on its own (UTF-8 where valid,
// else Latin-1), since one clique may join labels from files of different
// encodings.
QString cliqueDisplayText(const Clique& clique);
