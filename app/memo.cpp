#include "app/memo.h"

#include <QKeyEvent>

TMemo::TMemo(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setReadOnly(true);
    // Read-only hides the caret; keep moving and selecting by keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    // Copying and selecting change nothing; they are no typing.
    const bool readingShortcut =
        event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll);
    if (!readingShortcut && !event->text().isEmpty()) {
        QChar key = event->text().front();
        emit KeyPress(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}
