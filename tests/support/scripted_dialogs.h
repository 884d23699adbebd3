#pragma once

#include "app/dialogs.h"

#include <QList>
#include <QPrinter>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

// Test double for the program's message boxes, file and print dialogs:
// records what was shown and answers file and print dialogs from one queue
// (nothing queued = cancel). A name answers a print dialog by printing into
// that PDF file.
class ScriptedDialogs final : public UserDialogs {
public:
    struct Message {
        QString caption;
        QString text;
        bool operator==(const Message&) const = default;
    };
    struct FileRequest {
        bool save;
        QString filter;
        QString initialName;
    };

    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    // Queues the answer of the next file dialog; an empty optional cancels.
    void answer(std::optional<QString> fileName) { answers.enqueue(std::move(fileName)); }
    // Queues the answers of the next dialogs, in turn.
    void answerEach(std::initializer_list<std::optional<QString>> fileNames) {
        for (const std::optional<QString>& fileName : fileNames)
            answer(fileName);
    }

    void message(QWidget*, const QString& caption, const QString& text) override {
        messages.append({caption, text});
    }
    std::optional<QString> openFile(QWidget*, const QString& filter,
                                    const QString& initialName) override {
        return next(false, filter, initialName);
    }
    std::optional<QString> saveFile(QWidget*, const QString& filter,
                                    const QString& initialName) override {
        return next(true, filter, initialName);
    }

    bool print(QWidget*, QPrinter& printer) override {
        printRequests.append(printer.docName());
        const std::optional<QString> file = answers.isEmpty() ? std::nullopt : answers.dequeue();
        if (file)
            printer.setOutputFileName(*file); // a PDF, by the name's ending
        return file.has_value();
    }

    QList<Message> messages;
    QList<FileRequest> requests;
    QStringList printRequests; // the document name of each print dialog
    QQueue<std::optional<QString>> answers;

private:
    std::optional<QString> next(bool save, const QString& filter, const QString& initialName) {
        requests.append({save, filter, initialName});
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
};
