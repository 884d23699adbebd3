#pragma once

#include "graph/progress.h"
#include "graph/text_list.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Text lists as files: vertex files, edge files and clique lists.

// The file form: every entry followed by CR LF.
QByteArray listFileBytes(const TextList& list);
// Reads a file's bytes: up to the first NUL, split at CR LF, CR or LF; a
// break at the very end adds no empty entry.
TextList listFromFileBytes(const QByteArray& bytes);

bool saveTextList(const QString& fileName, const TextList& list);
// Nothing when the file is missing, anything but a regular file, too large
// or unreadable; problem (optional) then receives the German reason.
// progress (optional) is shown for files of a MB and more.
std::optional<TextList> loadTextList(const QString& fileName, QString* problem = nullptr,
                                     ProgressSink* progress = nullptr);

// The whole content of a regular file; nothing when it is refused (see
// InputFile) or cannot be read.
std::optional<QByteArray> readWholeFile(const QString& fileName);
