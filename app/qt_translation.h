#pragma once

#include <QString>

class QTranslator;

// Qt's own strings (file dialogs, message-box buttons, the context menu of
// text fields) in German, from Qt's translation file qtbase_de.qm in the
// given directory. False when it cannot be read: Qt then stays English and
// the program runs on.
bool loadGermanQtStrings(QTranslator& translator, const QString& directory);

// Where Qt's translation files are installed.
QString qtTranslationsDirectory();
