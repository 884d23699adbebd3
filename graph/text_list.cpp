#include "text_list.h"

#include <QStringDecoder>

#include <algorithm>

qsizetype TextList::indexOf(const QByteArray& entry) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].compare(entry, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QByteArray TextList::toBytes() const {
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray& entry : m_entries)
        size += entry.size() + 2;
    out.reserve(size);
    for (const QByteArray& entry : m_entries) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

TextList TextList::fromBytes(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    const qsizetype end = nul < 0 ? bytes.size() : nul;
    TextList list;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            list.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < end)
        list.append(bytes.mid(start, end - start));
    return list;
}

QString displayText(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString::fromLatin1(bytes);
    return text;
}
