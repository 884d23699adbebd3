#include "clique.h"

#include "graph/text_list.h"

QByteArray cliqueText(const QList<QByteArray>& members) {
    QByteArray text("(");
    for (qsizetype i = 0; i < members.size(); ++i) {
        text += members[i];
        text += i + 1 < members.size() ? "-" : ")";
    }
    return text;
}

QString cliqueDisplayText(const Clique& clique) {
    QString text(QLatin1Char('('));
    for (qsizetype i = 0; i < clique.members.size(); ++i) {
        text += displayText(clique.members[i]);
        text += QLatin1Char(i + 1 < clique.members.size() ? '-' : ')');
    }
    return text;
}
