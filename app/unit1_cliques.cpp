#include "app/unit1.h"
#include "app/unit4.h"
#include "cliques/clique_search.h"

void TForm1::BitBtn6Click() {
    Store.refreshCounts();
    ListBox1->clear();
    for (QPushButton* button : {BitBtn7, Button3, Button4, Button5})
        button->setEnabled(true);
    Form4->show();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    RemoveIsolatedVertices(Store);
    Store.refreshVertexCount();
    Form4->setMaximum(int(Store.VertexCount));
    GreedyCliqueSearch(Store, Cliques, Form4);
    Form4->close();
    showCliqueList();
}

void TForm1::Button3Click() {}
void TForm1::Button4Click() {}
void TForm1::Button5Click() {}
void TForm1::BitBtn9Click() {}
void TForm1::UpDown1Click() {}
void TForm1::BitBtn7Click() {}
void TForm1::ListBox1KeyPress(QChar& key) {
    key = QChar();
}
