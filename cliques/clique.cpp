#include "clique.h"

QByteArray cliqueText(const QList<QByteArray>& members) {
    QByteArray text("(");
    for (qsizetype i = 0; i < members.size(); ++i) {
        text += members[i];
        text += i + 1 < members.size() ? "-" : ")";
    }
    return text;
}
