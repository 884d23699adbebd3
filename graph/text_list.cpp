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

QString displayText(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString::fromLatin1(bytes);
    return text;
}
