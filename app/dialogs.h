#pragma once

#include "files/file_access.h"

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

// Every message box and file dialog of the program goes through this, so that
// tests can answer them from a script and read back what was shown.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A modal message with one OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // filter is in the classic "description|pattern" form. Returns the chosen
    // name, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                            const QString& initialName) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                            const QString& initialName) = 0;
    // The print dialog: true when the user chose to print, on the printer as
    // set up in the dialog.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
};

// The dialogs in use: the Qt ones unless a test has installed its own.
UserDialogs& dialogs();
// Installs a replacement (not owned); nullptr restores the Qt dialogs.
void setDialogs(UserDialogs* dialogs);

// The Qt name filters of a filter in the classic form: "description|pattern"
// pairs joined by "|", or a lone pattern. Qt shows each description without
// the pattern appended.
QStringList qtNameFilters(const QString& filter);
// Where a file dialog starts: the folder of the name chosen in it before, else
// the user's documents folder.
QString fileDialogFolder(const QString& initialName);

// A file dialog control: its filter and the name last chosen in it.
struct FileDialog {
    enum Kind { Open, Save };
    Kind kind;
    QString filter;
    QString fileName;

    // Runs the dialog; on confirmation remembers and returns the chosen name.
    std::optional<QString> execute(QWidget* parent);
};

// Captions and texts shared by all windows.
namespace Texts {
inline const QString ErrorCaption = QStringLiteral("Mandorin: Error");
inline const QString FehlerCaption = QStringLiteral("Mandorin: Fehler");
inline const QString MeldungCaption = QStringLiteral("Mandorin: Meldung");
using FileTexts::cannotLoadPicture;
using FileTexts::cannotRead;
using FileTexts::cannotWrite;
} // namespace Texts
