#pragma once

#include "graph/text_list.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QSaveFile;

// What a name stands for, judged without opening it (symbolic links are
// followed). Files are read and written only where this says RegularFile:
// opening a named pipe blocks until some other program writes into it, a
// device may never end, and a folder or socket holds no content to read.
enum class PathKind { Missing, RegularFile, Other };
PathKind pathKind(const QString& fileName);

// Replaces the file with bytes in one step: either the whole new content is
// in place afterwards or the file of that name is left exactly as it was.
// False when the file could not be written, or when the name stands for
// something other than a regular file (which stays as it is).
bool writeFileAtomically(const QString& fileName, const QByteArray& bytes);
// The same with a step run between the write and the commit: the seam through
// which tests make the commit fail.
bool writeFileAtomically(const QString& fileName, const QByteArray& bytes,
                         const std::function<void(QSaveFile&)>& beforeCommit);

// The whole content of a regular file; nothing when it is missing, anything
// else (refused before it is opened), or cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& fileName);

// A text list as a vertex or edge file (every entry followed by CR LF).
bool saveTextList(const QString& fileName, const TextList& list);
std::optional<TextList> loadTextList(const QString& fileName);

// True for a Windows bitmap whose header promises more pixel data than the
// bytes hold. Picture readers tend to pad such a file silently; it counts as
// unreadable instead. Other formats and compressed bitmaps are not judged here.
bool isTruncatedBitmap(const QByteArray& bytes);

// True for a bitmap as above, and for a GIF, JPEG or PNG file that ends before
// its first picture does: picture readers show the part they got of some of
// these (grey or blank below the cut) without a word. Only the file structure
// is followed; whatever is no such file, or breaks the structure otherwise, is
// left to the picture reader.
bool isTruncatedPicture(const QByteArray& bytes);
