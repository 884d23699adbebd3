#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {} // namespace

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
        dialog.setNameFilters(qtNameFilters(filter));
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
