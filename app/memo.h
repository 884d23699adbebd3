#pragma once

#include <QTextEdit>

// A multi-line text area that only displays its text. Every typed character
// goes to the KeyPress handler first and is dropped when the handler sets it
// to none. Editing is off besides, so that keys and actions that bring no
// character (Delete, paste, cut, dropping text) change nothing either.
class TMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

signals:
    // The typed character, in and out; a handler sets it to QChar() to discard it.
    void KeyPress(QChar& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
