#include "app/unit1.h"

#include "editor/edge_entry.h"
#include "editor/editor_drawing.h"
#include "editor/graph_files.h"

namespace {

void showWidgets(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}

void enableWidgets(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

} // namespace

void TForm1::enterEditorMode() {
    showWidgets({GroupBox7, Button1, Button2, BitBtn4, BitBtn5, BitBtn11}, true);
    BitBtn11->setEnabled(true);
    showWidgets({Label1, Label2, Label3, Edit4, Edit5, Edit6, UpDown2, UpDown3, UpDown4}, true);
    // Edge entry stays closed until "DelPos".
    enableWidgets({Button2, UpDown2, UpDown3}, false);
    Image1->clear();
    Grid.reset();
    UpDown4->setPosition(0);
    Edit6->setText(QString::number(UpDown4->position()));
    drawEmptyGrid(Image1->canvas(), Grid);
    Image1->changed();
}

void TForm1::UpDown4Click() {
    const int p = UpDown4->position();
    Edit6->setText(QString::number(p) + (Grid.taken[p] == 1 ? "!" : ""));
}

void TForm1::Button1Click() {
    const int p = UpDown4->position();
    const Placement placement = placeVertex(Grid, vertices, p);
    switch (placement.outcome) {
    case PlacementOutcome::NoNumberLeft:
        dialogs().message(this, Texts::ErrorCaption, "Maximal 15 Knoten!");
        return;
    case PlacementOutcome::PositionTaken:
        dialogs().message(this, Texts::ErrorCaption, "Position schon belegt!");
        return;
    case PlacementOutcome::Placed:
        break;
    }
    Edit6->setText(Edit6->text() + "!");
    drawVertex(Image1->canvas(), Grid, p, vertices.last());
    Image1->changed();
}

void TForm1::BitBtn11Click() {
    blankFreePositions(Image1->canvas(), Grid);
    Image1->changed();
    BitBtn11->setEnabled(false);
    enableWidgets({Button2, UpDown2, UpDown3}, true);
}

void TForm1::UpDown2Click() {
    Edit4->setText(QString::number(UpDown2->position()));
}

void TForm1::UpDown3Click() {
    Edit5->setText(QString::number(UpDown3->position()));
}

void TForm1::Button2Click() {
    const std::optional<QLine> line =
        addEdge(Grid, edges, UpDown2->position(), UpDown3->position());
    if (!line) {
        dialogs().message(this, Texts::ErrorCaption, "Ungültige Kante!");
        return;
    }
    drawEdgeLine(Image1->canvas(), *line);
    Image1->changed();
}

void TForm1::BitBtn5Click() {
    if (std::optional<QString> name = SavePictureDialog1.execute(this)) {
        const QString fileName = *name + ".bmp";
        const QByteArray bitmap = encodeBitmap(Image1->picture());
        if (bitmap.isEmpty() || !writeFileAtomically(fileName, bitmap)) {
            dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
            return;
        }
    }
    // The vertex file, then the edge file, each through the same dialog.
    const std::pair<QString, const TextList*> lists[] = {{"Knoten-Datei erstellen!", &vertices},
                                                         {"Kanten-Datei erstellen!", &edges}};
    for (const auto& [prompt, list] : lists) {
        dialogs().message(this, Texts::MeldungCaption, prompt);
        if (std::optional<QString> name = SaveDialog1.execute(this)) {
            const QString fileName = *name + ".txt";
            if (!saveTextList(fileName, *list)) {
                dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
                return;
            }
        }
    }
}

void TForm1::BitBtn4Click() {
    vertices.clear();
    edges.clear();
    dialogs().message(this, Texts::MeldungCaption, "Graphen öffnen!");
    if (std::optional<QString> name = OpenPictureDialog1.execute(this)) {
        if (!loadPicture(*name))
            return;
    }
    // The vertex file, then the edge file; each count is refreshed right after its list.
    const std::tuple<QString, TextList*, qsizetype*> lists[] = {
        {"Knoten-Datei öffnen!", &vertices, &Store.vertexCount},
        {"Kanten-Datei öffnen!", &edges, &Store.edgeCount}};
    for (const auto& [prompt, list, count] : lists) {
        dialogs().message(this, Texts::MeldungCaption, prompt);
        if (std::optional<QString> name = OpenDialog1.execute(this)) {
            std::optional<TextList> loaded = loadTextList(*name);
            if (!loaded) {
                dialogs().message(this, Texts::FehlerCaption, Texts::cannotRead(*name));
                return;
            }
            *list = std::move(*loaded);
        }
        *count = list->count();
    }
    if (Store.vertexCount != 0 && Store.edgeCount != 0)
        return;

    // Failed: back to sample graph 1, as if the user had chosen it.
    dialogs().message(this, Texts::FehlerCaption, "Import gescheitert!");
    vertices.clear();
    edges.clear();
    if (!loadSampleGraph(1))
        return;
    Store.refreshEdgeCount();
    Store.refreshVertexCount();
    showWidgets({GroupBox7, Button1, Button2, BitBtn4, BitBtn5, Label1, Label3, Edit4, Edit5,
                 UpDown2, UpDown3},
                false);
    RadioGroup1->setItemIndex(0);
}
