#include "list_files.h"

#include "files/file_access.h"

#include <QIODevice>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

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

namespace {

// Splits a list file's bytes into entries as they come, in pieces: at CR LF,
// CR or LF, a CR LF split between two pieces counting once.
class EntrySplitter {
public:
    void add(QByteArrayView piece) {
        const char* p = piece.begin();
        const char* const end = piece.end();
        if (m_afterCr && p != end && *p == '\n')
            ++p;
        m_afterCr = false;
        while (true) {
            const char* stop = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
            if (stop == end) {
                m_partial.append(p, end - p);
                return;
            }
            if (m_partial.isEmpty()) {
                m_entries.append(QByteArray(p, stop - p));
            } else {
                m_partial.append(p, stop - p);
                m_entries.append(std::exchange(m_partial, QByteArray()));
            }
            if (*stop == '\r') {
                if (stop + 1 == end) {
                    m_afterCr = true;
                    return;
                }
                if (stop[1] == '\n')
                    ++stop;
            }
            p = stop + 1;
        }
    }
    // A break at the very end adds no empty entry.
    TextList finish() {
        if (!m_partial.isEmpty())
            m_entries.append(std::exchange(m_partial, QByteArray()));
        return TextList(std::move(m_entries));
    }

private:
    QList<QByteArray> m_entries;
    QByteArray m_partial; // the start of an entry whose end is in the next piece
    bool m_afterCr = false;
};

} // namespace

TextList listFromFileBytes(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    EntrySplitter splitter;
    splitter.add(QByteArrayView(bytes).first(nul < 0 ? bytes.size() : nul));
    return splitter.finish();
}

bool saveTextList(const QString& fileName, const TextList& list) {
    return writeFileAtomically(fileName, listFileBytes(list));
}

std::optional<TextList> loadTextList(const QString& fileName, QString* problem,
                                     ProgressSink* progress) {
    InputFile file(fileName);
    const auto refuse = [&](FileRefusal refusal) {
        if (problem)
            *problem = FileTexts::refusal(refusal, fileName, file.size());
        return std::nullopt;
    };
    if (file.refusal() != FileRefusal::None)
        return refuse(file.refusal());
    // Read in pieces and split as it comes, so that memory holds the list
    // and one piece, never the file; large files show their progress.
    constexpr qint64 kPiece = 1 << 18;
    constexpr int kSteps = 1000;
    const bool reports = progress && file.size() >= 4 * kPiece;
    if (reports) {
        progress->setMaximum(kSteps);
        progress->setPosition(0);
        progress->begin();
    }
    const auto finishReports = qScopeGuard([&] {
        if (reports) {
            progress->setPosition(kSteps);
            progress->finish();
        }
    });
    EntrySplitter splitter;
    QByteArray piece(kPiece, Qt::Uninitialized);
    for (qint64 done = 0;;) {
        const qint64 got = file.device().read(piece.data(), kPiece);
        if (got < 0)
            return refuse(FileRefusal::CannotRead);
        // Nothing after a NUL counts, so nothing after it is read.
        const QByteArrayView read(piece.constData(), got);
        const qsizetype nul = read.indexOf('\0');
        splitter.add(nul < 0 ? read : read.first(nul));
        done += got;
        if (reports)
            progress->setPosition(int(std::min(done, file.size()) * kSteps / file.size()));
        if (got == 0 || nul >= 0)
            break;
    }
    return splitter.finish();
}

std::optional<QByteArray> readWholeFile(const QString& fileName) {
    InputFile file(fileName);
    QByteArray bytes = file.readAll();
    if (file.refusal() != FileRefusal::None)
        return std::nullopt;
    return bytes;
}
