#include "app/qt_translation.h"

#include <QLibraryInfo>
#include <QTranslator>

bool loadGermanQtStrings(QTranslator& translator, const QString& directory) {
    // The exact file only: QTranslator would otherwise fall back to a bare "qtbase.qm".
    return translator.load(QStringLiteral("qtbase_de.qm"), directory, QString(), QString());
}

QString qtTranslationsDirectory() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
