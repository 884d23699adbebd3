#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QStandardPaths>

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    if (parts.size() == 1)
        return {QStringLiteral("%1 (%1)").arg(filter)};
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]));
    return filters;
}

QString fileDialogFolder(const QString& initialName) {
    if (!initialName.isEmpty())
        return QFileInfo(initialName).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() || !QDir(documents).exists() ? QDir::currentPath() : documents;
}

namespace {

// The ending of a Qt name filter that names files of one ending ("PNG-Bild
// (*.png)" gives "png"), else nothing.
QString soleSuffix(const QString& nameFilter) {
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    return onePattern.match(nameFilter).captured(1);
}

class QtDialogs final : public UserDialogs {
public:
    void message(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialName) override {
        return run(parent, QFileDialog::AcceptOpen, filter, initialName);
    }
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& initialName) override {
        return run(parent, QFileDialog::AcceptSave, filter, initialName);
    }
    bool print(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    static std::optional<QString> run(QWidget* parent, QFileDialog::AcceptMode mode,
                                      const QString& filter, const QString& initialName) {
        QFileDialog dialog(parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setAcceptMode(mode);
        // Neither kind insists that the file exists; a missing file is reported on reading.
        dialog.setFileMode(QFileDialog::AnyFile);
        const QStringList nameFilters = qtNameFilters(filter);
        dialog.setNameFilters(nameFilters);
        if (mode == QFileDialog::AcceptSave) {
            // A name typed without an ending takes that of the chosen kind (the
            // dialog names it with or without its patterns).
            const auto followFilter = [&dialog, nameFilters](const QString& chosen) {
                for (const QString& nameFilter : nameFilters)
                    if (nameFilter.startsWith(chosen))
                        return dialog.setDefaultSuffix(soleSuffix(nameFilter));
            };
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
            followFilter(nameFilters.value(0));
        }
        dialog.setDirectory(fileDialogFolder(initialName));
        if (!initialName.isEmpty())
            dialog.selectFile(initialName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
};

UserDialogs* g_override = nullptr;

} // namespace

UserDialogs& dialogs() {
    static QtDialogs qtDialogs;
    return g_override ? *g_override : qtDialogs;
}

void setDialogs(UserDialogs* dialogs) {
    g_override = dialogs;
}

std::optional<QString> FileDialog::execute(QWidget* parent) {
    std::optional<QString> chosen = kind == Open ? dialogs().openFile(parent, filter, fileName)
                                                 : dialogs().saveFile(parent, filter, fileName);
    if (chosen)
        fileName = *chosen;
    return chosen;
}
