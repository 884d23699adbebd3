#include "app/help_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// A main heading with its line of dashes.
QString heading(const QString& title, int dashes) {
    return title + '\n' + QString(dashes, '-') + '\n';
}

} // namespace

QString helpText() {
    QString text;
    text += heading("Berechnung maximaler Cliquen in einem ungerichteten Graphen", 67);
    text += "\n\n\n";

    text += heading("Mandorin:", 26);
    text += "Das Cliquenproblem ist ein NP-schweres Entscheidungsproblem der\n"
            "Graphentheorie. Es fragt: Besitzt der ungerichtete Graph G eine\n"
            "Clique der Größe (man sagt auch: vom Grad) k, also k Knoten, die\n"
            "alle paarweise miteinander verbunden sind? Für kleine Graphen kann\n"
            "man das noch von Hand prüfen. Mit jedem weiteren Knoten wächst die\n"
            "Zahl der möglichen Knotenmengen aber so stark, dass kein bekanntes\n"
            "Verfahren die Frage für große Graphen schnell beantwortet.\n"
            "Mandorin sucht deshalb gierig: von jedem Knoten aus nimmt es\n"
            "nacheinander jeden Knoten auf, der zu allen bisherigen passt.\n"
            "\n";

    text += heading("Graphentheorie:", 26);
    text += "Ein Graph G ist ein Paar (V, E). Die Elemente von V heißen Knoten,\n"
            "die Elemente von E heißen Kanten. Ist jede Kante ein ungeordnetes\n"
            "Paar von Knoten, so ist der Graph ungerichtet: Eine Kante hat dann\n"
            "keinen Anfangs- und keinen Endknoten, {a, b} und {b, a} sind\n"
            "dieselbe Kante.\n"
            "\n"
            "Zwei Knoten heißen benachbart (adjazent), wenn eine Kante sie\n"
            "verbindet. Der Grad eines Knotens ist die Zahl seiner Kanten. Er\n"
            "hängt eng mit der Frage nach Cliquen der Größe k zusammen: Ein\n"
            "Knoten vom Grad kleiner als k - 1 kann zu keiner solchen Clique\n"
            "gehören, denn in ihr ist er mit allen k - 1 anderen verbunden.\n"
            "\n"
            "Ein Teilgraph C von G heißt Clique, wenn C eine Teilmenge der\n"
            "Knoten von G ist und der von C induzierte Teilgraph vollständig\n"
            "ist, das heißt: Alle Knoten von C sind paarweise benachbart.\n"
            "Beispiel: Gibt es die Kanten 0-1, 0-2 und 1-2, so bilden die\n"
            "Knoten 0, 1 und 2 eine Clique der Größe 3, ein Dreieck.\n"
            "\n";

    text += heading("Bedienungsanleitung:", 35);
    text += "\n"
            "Graphen-Auswahl:\n"
            "In der Gruppe \"Graphen-Auswahl\" wählen Sie einen der beiden\n"
            "Beispiel-Graphen oder \"Graph erstellen\" für einen eigenen Graphen\n"
            "mit bis zu 15 Knoten. Dazu erscheinen weiter rechts die\n"
            "\"Graphen-Werkzeuge\": Mit \"Position\" und \"Knoten\" setzen Sie\n"
            "einen Knoten auf eines der 15 Rasterfelder, mit \"v1\", \"v2\" und\n"
            "\"Kante\" verbinden Sie zwei Knoten. \"Export\" speichert den Graphen\n"
            "als Bild, Knoten-Datei und Kanten-Datei, \"Import\" lädt ihn wieder.\n"
            "\n"
            "Cliquen-Berechnung:\n"
            "\"Berechnen!\" sucht von jedem Knoten aus Cliquen und zeigt sie in\n"
            "der dunkelblauen Liste, z.B. (0-1-3-4). Dieselbe Clique erscheint\n"
            "dabei oft mehrmals. \"Redundanz vermeiden\" entfernt die\n"
            "Wiederholungen. \"Aufsteigend\" und \"Absteigend\" sortieren die\n"
            "Cliquen nach ihrer Größe, \"Speichern\" schreibt die Liste in eine\n"
            "Text-Datei. Die Lampen unter \"Verwendung\" zeigen, was angewendet\n"
            "wurde.\n"
            "In der Gruppe \"Mandorin\" legen Sie mit k die Mindestgröße fest,\n"
            "die eine Clique für eine positive Antwort haben muss.\n"
            "\"Beantworten!\" nennt die größte gefundene Clique und antwortet\n"
            "mit \"Ja\" oder \"Nein\". Ein \"Ja\" ist sicher, denn die Clique\n"
            "wurde gefunden. Ein \"Nein\" heißt nur, dass die gierige Suche\n"
            "keine so große Clique gefunden hat.\n";
    return text;
}

QImage helpPicture() {
    QImage image(177, 337, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = courierFont(11, true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 2));

    // A clique of four vertices: every pair joined.
    const QPoint four[] = {{24, 48}, {96, 48}, {24, 120}, {96, 120}};
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            painter.drawLine(four[a], four[b]);
    // A triangle below, and a path that runs off to the right.
    const QPoint three[] = {{60, 168}, {24, 232}, {96, 232}};
    for (int a = 0; a < 3; ++a)
        painter.drawLine(three[a], three[(a + 1) % 3]);
    const QPoint path[] = {{24, 280}, {84, 280}, {144, 280}, {176, 250}};
    for (int i = 0; i + 1 < 4; ++i)
        painter.drawLine(path[i], path[i + 1]);

    painter.setBrush(Qt::black);
    for (const QPoint& p : {four[0], four[1], four[2], four[3], three[0], three[1], three[2],
                            path[0], path[1], path[2]})
        painter.drawEllipse(p, 7, 7);
    painter.drawText(8, 18, "Clique (k=4)");
    painter.drawText(8, 152, "Clique (k=3)");
    painter.drawText(8, 326, "keine Clique");
    painter.end();
    // Exactly two colours, as a monochrome bitmap.
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form2");
    setUpWindow(this, "Mandorin: Hilfe", 399, 167, 689, 410);

    QFrame* panel = makePanel(this, "Panel1", {8, 8, 657, 353});
    panel->setFont(courierFont(11));

    auto* picture = new PictureArea(panel);
    picture->setObjectName("Image1");
    picture->setGeometry(520, 8, 121, 337);
    picture->setPicture(helpPicture());
    picture->setAccessibleName("Bild zur Hilfe");
    picture->setAccessibleDescription("Beispiele: eine Clique aus 4 Knoten, eine aus 3 Knoten "
                                      "und ein Weg, der keine Clique ist");

    makeGlyphButton(panel, "BitBtn1", GlyphKind::Close, {8, 320, 97, 25}, "S&chließen");

    auto* scrollBox = new QScrollArea(panel);
    scrollBox->setObjectName("ScrollBox1");
    scrollBox->setGeometry(8, 8, 505, 305);
    scrollBox->setWidgetResizable(false);
    // The text takes the focus; the box follows its cursor.
    scrollBox->setFocusPolicy(Qt::NoFocus);
    scrollBox->verticalScrollBar()->setAccessibleName("Hilfetext blättern");
    scrollBox->horizontalScrollBar()->setAccessibleName("Hilfetext seitwärts blättern");

    auto* text = new ReadOnlyText;
    text->setObjectName("TMemo1");
    text->setFont(courierFont(11));
    text->setGeometry(0, 0, 481, 985);
    text->setLineWrapMode(QTextEdit::WidgetWidth);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(helpText());
    text->setAccessibleName("Hilfetext");
    scrollBox->setWidget(text);
    // Reading with the keyboard moves the cursor through the whole text, which
    // is far taller than the box around it.
    connect(text, &QTextEdit::cursorPositionChanged, scrollBox, [scrollBox, text] {
        const QRect cursor = text->cursorRect();
        scrollBox->ensureVisible(cursor.center().x(), cursor.center().y(), 0, cursor.height());
    });

    orderTabsByRows(this);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (!closeOnEscape(this, event))
        QWidget::keyPressEvent(event);
}
