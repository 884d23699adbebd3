#include "app/version_window.h"

#include <QKeyEvent>

QString versionNotes() {
    return "Versionshinweise:\n"
           "-----------------\n"
           "\n"
           "- Version 1.0\n"
           "- Cliquensuche von jedem Knoten aus, gierig.\n"
           "- Doppelte Cliquen entfernen, nach Größe sortieren, speichern.\n"
           "- Entscheidungsfrage: Gibt es eine Clique mit k Knoten?\n"
           "- Eigene Graphen mit bis zu 15 Knoten, Import und Export.\n"
           "- Heuristik: Zufallsbewegung durch den Graphen.\n";
}

VersionWindow::VersionWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form3");
    setUpWindow(this, "Mandorin: Version", 192, 125, 481, 244);

    QFrame* panel = makePanel(this, "Panel1", {0, 0, 465, 201});
    panel->setFont(courierFont(11));

    auto* notes = new ReadOnlyText(panel);
    notes->setObjectName("Memo1");
    notes->setFont(courierFont(11));
    notes->setGeometry(8, 8, 449, 153);
    notes->setPlainText(versionNotes());
    notes->setAccessibleName("Versionshinweise");

    makeGlyphButton(panel, "BitBtn1", GlyphKind::Close, {8, 168, 97, 25}, "S&chließen");

    orderTabsByRows(this);
}

void VersionWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnEscape(this, event))
        QWidget::keyPressEvent(event);
}
