#pragma once

#include "app/dialogs.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <random>

// A user who answers every file dialog by picking from a pool of good and bad
// files, or by cancelling, and who clicks away every message box. Records what
// happened during the current action so that the test can tell whether every
// bad answer was reported.
class MonkeyDialogs final : public UserDialogs {
public:
    // How reading an entry must turn out.
    enum class Outcome { Succeeds, Fails, Either };

    struct OpenEntry {
        QString path;
        Outcome asText;
        Outcome asPicture;
    };

    struct Event {
        enum Kind { Message, Open, Save } kind;
        QString caption; // Message
        QString text;    // Message: the text; Open, Save: the answer, empty for cancel
        QString filter;  // Open, Save
        bool cancelled = false;
        Outcome expected = Outcome::Either; // Open, Save
    };

    // Builds the pool in a fresh temporary folder and installs itself.
    explicit MonkeyDialogs(std::mt19937_64& random);
    ~MonkeyDialogs() override;

    bool isValid() const { return m_dir.isValid(); }
    const QList<OpenEntry>& openPool() const { return m_openPool; }
    // A file of the pool, or a fresh name beside them.
    QString poolFile(const QString& name) const { return m_dir.filePath(name); }

    void message(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialName) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& initialName) override;
    // Never prints; tst_worksheet_pictures prints into files.
    bool print(QWidget*, QPrinter&) override { return false; }

    // Starts the record of a new action.
    void beginAction() { m_events.clear(); }
    const QList<Event>& events() const { return m_events; }

    // Checks the record of the action: every message has a known caption and
    // a text, every answer that cannot be read or written was reported, no
    // good answer was reported as bad, and every file saved under a good name
    // exists. Removes the saved files. Returns the first fault, or nothing.
    QString checkAction();

    // One line per event, for the log.
    QStringList describeEvents() const;

private:
    void buildPool();
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    static bool isPictureFilter(const QString& filter) {
        return filter.contains(QLatin1String("bmp"));
    }

    std::mt19937_64& m_random;
    QTemporaryDir m_dir;
    QList<OpenEntry> m_openPool;
    QList<Event> m_events;
    int m_saveCounter = 0;
};
