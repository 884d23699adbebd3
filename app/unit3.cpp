#include "app/unit3.h"

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

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    setObjectName("Form3");
    setUpWindow(this, "Mandorin: Version", 192, 125, 481, 244);
    setAutoFillBackground(true);

    Panel1 = makePanel(this, "Panel1", {0, 0, 465, 201});
    Panel1->setFont(courierFont(11));

    Memo1 = new TMemo(Panel1);
    Memo1->setObjectName("Memo1");
    Memo1->setFont(courierFont(11));
    Memo1->setGeometry(8, 8, 449, 153);
    Memo1->setPlainText(versionNotes());

    BitBtn1 = makeBitBtn(Panel1, "BitBtn1", GlyphKind::Close, {8, 168, 97, 25}, "S&chließen");

    connect(Memo1, &TMemo::KeyPress, this, &TForm3::Memo1KeyPress);
}

void TForm3::Memo1KeyPress(QChar& key) {
    key = QChar();
}
