#pragma once

#include <QTextEdit>

// A multi-line text area that only displays its text: typed characters are
// dropped. Editing is off besides, so that keys and actions that bring no
// character (Delete, paste, cut, dropping text) change nothing either.
class ReadOnlyText : public QTextEdit {
    Q_OBJECT
public:
    explicit ReadOnlyText(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
