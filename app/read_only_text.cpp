#include "app/read_only_text.h"

#include <QKeyEvent>

ReadOnlyText::ReadOnlyText(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setReadOnly(true);
    // Read-only hides the caret; keep moving and selecting by keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ReadOnlyText::keyPressEvent(QKeyEvent* event) {
    // Escape is no typing: it goes on to the window, which closes.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    // Copying and selecting change nothing; they are no typing.
    const bool readingShortcut =
        event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll);
    if (!readingShortcut && !event->text().isEmpty()) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}
