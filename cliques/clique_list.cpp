#include "clique_list.h"

#include "files/list_files.h"

#include <QSet>

#include <algorithm>
#include <climits>

namespace {

bool isDecimal(const QByteArray& label) {
    return !label.isEmpty() &&
           std::all_of(label.begin(), label.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Compares two decimal texts by value, however long they are.
int compareByValue(const QByteArray& a, const QByteArray& b) {
    const auto significant = [](const QByteArray& number) {
        qsizetype zeros = 0;
        while (zeros + 1 < number.size() && number[zeros] == '0')
            ++zeros;
        return QByteArrayView(number).sliced(zeros);
    };
    const QByteArrayView x = significant(a);
    const QByteArrayView y = significant(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

bool isAscii(const QByteArray& label) {
    return std::all_of(label.begin(), label.end(), [](char c) { return uchar(c) < 0x80; });
}

// Compares two texts as a German reader files them.
int compareFiled(const QByteArray& a, const QByteArray& b) {
    // Plain ASCII files under its lower case: the common case needs no decoding.
    if (isAscii(a) && isAscii(b))
        return a.compare(b, Qt::CaseInsensitive);
    // UTF-8 orders bytes as code points.
    return labelFilingText(a).toUtf8().compare(labelFilingText(b).toUtf8());
}

} // namespace

QString labelFilingText(const QByteArray& label) {
    const QString decomposed = displayText(label).normalized(QString::NormalizationForm_D);
    QString filed;
    filed.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        // Decomposition splits "ä" into "a" and the mark above it.
        if (c.isMark())
            continue;
        if (c == QChar(0x00DF) || c == QChar(0x1E9E))
            filed += QLatin1String("ss");
        else
            filed += c.toCaseFolded();
    }
    return filed;
}

bool labelLess(const QByteArray& a, const QByteArray& b) {
    const bool numberA = isDecimal(a);
    const bool numberB = isDecimal(b);
    if (numberA != numberB)
        return numberA;
    const int order = numberA ? compareByValue(a, b) : compareFiled(a, b);
    if (order != 0)
        return order < 0;
    // Equal value or filed alike ("07" and "7", "A" and "a", "oa" and "öa"):
    // the exact bytes decide, so that the same labels always come out in the
    // same order.
    return a < b;
}

bool largerCliqueFirst(const Clique& a, const Clique& b) {
    const QList<QByteArray>& x = a.members;
    const QList<QByteArray>& y = b.members;
    if (x.size() != y.size())
        return x.size() > y.size();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), labelLess);
}

Clique normaliseClique(const Clique& clique) {
    Clique normalised = clique;
    std::stable_sort(normalised.members.begin(), normalised.members.end(), labelLess);
    return normalised;
}

void removeRedundantCliques(CliqueList& cliques) {
    CliqueList kept;
    QSet<QList<QByteArray>> seen;
    for (const Clique& clique : cliques) {
        Clique normalised = normaliseClique(clique);
        if (seen.contains(normalised.members))
            continue;
        seen.insert(normalised.members);
        kept.append(std::move(normalised));
    }
    cliques = std::move(kept);
}

void sortCliquesBySize(CliqueList& cliques, SizeOrder order) {
    for (Clique& clique : cliques)
        clique = normaliseClique(clique);
    if (order == SizeOrder::Ascending)
        std::stable_sort(cliques.begin(), cliques.end(), [](const Clique& a, const Clique& b) {
            return a.members.size() < b.members.size();
        });
    else
        std::stable_sort(cliques.begin(), cliques.end(), [](const Clique& a, const Clique& b) {
            return a.members.size() > b.members.size();
        });
}

qsizetype largestCliqueSize(const CliqueList& cliques, ProgressSink* progress) {
    qsizetype largest = 0;
    for (qsizetype i = 0; i < cliques.size(); ++i) {
        largest = std::max(largest, cliques[i].members.size());
        if (progress)
            progress->setPosition(int(std::min<qsizetype>(i, INT_MAX)));
    }
    return largest;
}

QByteArray decisionAnswer(qsizetype largestSize, qsizetype k) {
    return largestSize < k ? "Nein" : "Ja";
}

QByteArray cliqueListBytes(const CliqueList& cliques) {
    TextList texts;
    for (const Clique& clique : cliques)
        texts.append(clique.text());
    return listFileBytes(texts);
}
