#include "app/unit1.h"
#include "app/unit4.h"
#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "editor/graph_files.h"

#include <climits>

void TForm1::BitBtn6Click() {
    Store.refreshCounts();
    ListBox1->clear();
    for (QPushButton* button : {BitBtn7, Button3, Button4, Button5})
        button->setEnabled(true);
    Form4->show();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    searchCliquesFromEveryVertex(Store, Cliques, Form4);
    Form4->close();
    showCliqueList();
}

void TForm1::Button3Click() {
    Shape1->setBrushColor(Colours::Green);
    removeRedundantCliques(Cliques);
    showCliqueList();
}

void TForm1::Button4Click() {
    Shape2->setBrushColor(Colours::Green);
    Shape3->setBrushColor(Colours::Red);
    sortCliquesBySize(Cliques, SizeOrder::Ascending);
    showCliqueList();
}

void TForm1::Button5Click() {
    Shape3->setBrushColor(Colours::Green);
    Shape2->setBrushColor(Colours::Red);
    sortCliquesBySize(Cliques, SizeOrder::Descending);
    showCliqueList();
}

void TForm1::BitBtn9Click() {
    const std::optional<QString> name = SaveDialog1.execute(this);
    if (!name)
        return;
    const QString fileName = *name + ".txt";
    // The list box shows exactly the texts of Cliques; writing those keeps
    // the label bytes as they came, whatever their encoding.
    if (!writeFileAtomically(fileName, cliqueListBytes(Cliques)))
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
}

void TForm1::UpDown1Click() {
    Edit1->setText(QString::number(UpDown1->position()));
}

void TForm1::BitBtn7Click() {
    const qsizetype k = Edit1->text().toLongLong();
    Form4->setMaximum(int(std::min<qsizetype>(Cliques.size(), INT_MAX)));
    Form4->show();
    const qsizetype largest = largestCliqueSize(Cliques, Form4);
    Form4->close();
    Edit3->setText(QString::number(largest));
    Edit2->setText(QString::fromLatin1(decisionAnswer(largest, k)));
}

void TForm1::ListBox1KeyPress(QChar& key) {
    key = QChar();
}
