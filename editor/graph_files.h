#pragma once

#include "graph/text_list.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Replaces the file with bytes in one step: either the whole new content is
// in place afterwards or the file of that name is left exactly as it was.
// False when the file could not be written.
bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

// The whole content of a file; nothing when it is missing, a folder or
// cannot be opened or read.
std::optional<QByteArray> ReadWholeFile(const QString& fileName);

// A text list as a vertex or edge file (every entry followed by CR LF).
bool SaveTextList(const QString& fileName, const TextList& list);
std::optional<TextList> LoadTextList(const QString& fileName);

// True for a Windows bitmap whose header promises more pixel data than the
// bytes hold. Picture readers tend to pad such a file silently; it counts as
// unreadable instead. Other formats and compressed bitmaps are not judged here.
bool IsTruncatedBitmap(const QByteArray& bytes);
