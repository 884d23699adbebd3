#pragma once

#include "graph/text_list.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Replaces the file with bytes in one step: either the whole new content is
// in place afterwards or the file of that name is left exactly as it was.
// False when the file could not be written.
bool writeFileAtomically(const QString& fileName, const QByteArray& bytes);

// The whole content of a file; nothing when it is missing, a folder or
// cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& fileName);

// A text list as a vertex or edge file (every entry followed by CR LF).
bool saveTextList(const QString& fileName, const TextList& list);
std::optional<TextList> loadTextList(const QString& fileName);

// True for a Windows bitmap whose header promises more pixel data than the
// bytes hold. Picture readers tend to pad such a file silently; it counts as
// unreadable instead. Other formats and compressed bitmaps are not judged here.
bool isTruncatedBitmap(const QByteArray& bytes);
