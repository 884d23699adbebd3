#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;
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

// Files larger than this are refused before a byte is read. The largest
// graphs Mandorin works with come in files of some dozen megabytes; a file
// of this size is still bearable in memory, a file of gigabytes is not.
inline constexpr qint64 kLargestReadableFile = qint64(256) << 20;

// Why a file was not read.
enum class FileRefusal {
    None,
    CannotRead, // missing, no regular file, or unreadable
    TooLarge,   // more than kLargestReadableFile bytes
    NotText,    // a NUL or another control character: a binary file
};

// Bytes that no text file holds: the controls other than blanks and line
// breaks, and DEL.
bool isBinaryByte(char c);

// A regular file opened for reading, refused before reading when it is no
// regular file, cannot be opened or is too large.
class InputFile {
public:
    explicit InputFile(const QString& fileName, qint64 largest = kLargestReadableFile);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    FileRefusal refusal() const { return m_refusal; }
    qint64 size() const { return m_size; }
    // Open and readable when refusal() is None.
    QIODevice& device();
    // The whole content; refusal() becomes CannotRead when reading fails.
    QByteArray readAll();
    // The content before its first NUL, read in pieces, so that a file full
    // of NULs costs no memory.
    QByteArray readUpToNul();

private:
    std::unique_ptr<QIODevice> m_file;
    FileRefusal m_refusal = FileRefusal::None;
    qint64 m_size = 0;
};

// German texts that name a file: by its name, the folder in a line of its
// own, so that a long path never wraps the sentence.
namespace FileTexts {
// "\"name\"" and, where the name has a folder, "\nOrdner: folder" to append.
QString quotedName(const QString& fileName);
QString folderLine(const QString& fileName);
QString cannotRead(const QString& fileName);
QString cannotWrite(const QString& fileName);
QString cannotLoadPicture(const QString& fileName);
// "Die Datei "name" ist mit 2,0 GB zu groß: …"
QString tooLarge(const QString& fileName, qint64 size);
// "Die Datei "name" ist keine Textdatei …"
QString notText(const QString& fileName);
// The text for a refusal of InputFile.
QString refusal(FileRefusal refusal, const QString& fileName, qint64 size);
} // namespace FileTexts
