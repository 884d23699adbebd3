#include "list_files.h"

#include "files/file_access.h"

QByteArray listFileBytes(const TextList& list) {
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray& entry : list)
        size += entry.size() + 2;
    out.reserve(size);
    for (const QByteArray& entry : list) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

TextList listFromFileBytes(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    const qsizetype end = nul < 0 ? bytes.size() : nul;
    QList<QByteArray> entries;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            entries.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < end)
        entries.append(bytes.mid(start, end - start));
    return TextList(std::move(entries));
}

bool saveTextList(const QString& fileName, const TextList& list) {
    return writeFileAtomically(fileName, listFileBytes(list));
}

std::optional<TextList> loadTextList(const QString& fileName, QString* problem) {
    InputFile file(fileName);
    // Nothing after a NUL counts, so nothing after it is read.
    const QByteArray bytes = file.readUpToNul();
    if (file.refusal() != FileRefusal::None) {
        if (problem)
            *problem = FileTexts::refusal(file.refusal(), fileName, file.size());
        return std::nullopt;
    }
    return listFromFileBytes(bytes);
}

std::optional<QByteArray> readWholeFile(const QString& fileName) {
    InputFile file(fileName);
    QByteArray bytes = file.readAll();
    if (file.refusal() != FileRefusal::None)
        return std::nullopt;
    return bytes;
}
