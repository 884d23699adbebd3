#pragma once

#include "app/dialogs.h"
#include "app/widgets.h"
#include "cliques/clique.h"
#include "editor/position_grid.h"
#include "graph/graph_store.h"

#include <QFrame>
#include <QListWidget>
#include <QWidget>

class TForm2;
class TForm3;
class TForm4;
class TForm6;

// The main window. Its handlers are spread over unit1*.cpp by subsystem.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The windows created after this one; set by the program start.
    void setAuxiliaryWindows(TForm2* help, TForm3* version, TForm4* progress, TForm6* heuristic);

    // Process-wide state of this unit.
    GraphStore Store;
    TextList& vertices = Store.vertices;
    TextList& edges = Store.edges;
    PositionGrid Grid;
    CliqueList Cliques;

    // Controls, named as in the form.
    QFrame* Panel1;
    QLabel* StaticText1;
    QLabel* StaticText2;
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn8;
    // "Exakte Analyse", added with its window (unit7.cpp).
    QPushButton* ButtonExact = nullptr;

    TImage* Image1;
    TRadioGroup* RadioGroup1;
    QLabel* StaticText3;
    QGroupBox* GroupBox7;
    QPushButton* BitBtn10;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    QPushButton* Button2;
    QPushButton* Button1;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    TUpDown* UpDown2;
    TUpDown* UpDown3;
    QLineEdit* Edit6;
    TUpDown* UpDown4;
    QPushButton* BitBtn11;

    QListWidget* ListBox1;
    QLabel* StaticText4;
    QGroupBox* GroupBox3;
    QPushButton* BitBtn6;
    QGroupBox* GroupBox5;
    QPushButton* BitBtn9;

    QGroupBox* GroupBox4;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;

    TShape* Shape1;
    TShape* Shape2;
    TShape* Shape3;
    QLabel* StaticText7;
    QLabel* StaticText8;
    QLabel* StaticText9;

    QLabel* StaticText5;
    QLabel* StaticText6;
    QLineEdit* Edit1;
    TUpDown* UpDown1;
    QGroupBox* GroupBox6;
    QPushButton* BitBtn7;
    QLabel* StaticText12;

    QLabel* StaticText10;
    QLabel* StaticText11;
    QLineEdit* Edit2;
    QLineEdit* Edit3;

    FileDialog OpenPictureDialog1{FileDialog::Open, QStringLiteral("*bmp"), {}};
    FileDialog OpenDialog1{
        FileDialog::Open, QStringLiteral("Knoten/ Kante: Text-Datei *.txt|*.txt"), {}};
    FileDialog SavePictureDialog1{FileDialog::Save, QStringLiteral("*bmp"), {}};
    FileDialog SaveDialog1{FileDialog::Save, QStringLiteral("Text-Datei *.txt|*txt"), {}};

    // ListBox1 shows exactly the texts of Cliques.
    void showCliqueList();

public slots:
    // Start-up and graph choice (unit1.cpp).
    void FormCreate();
    void RadioGroup1Click();
    void BitBtn8Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn10Click();

    // Clique analysis (unit1_cliques.cpp).
    void BitBtn6Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void BitBtn9Click();
    void UpDown1Click();
    void BitBtn7Click();
    void ListBox1KeyPress(QChar& key);

    // Graph editor (unit1_editor.cpp).
    void UpDown4Click();
    void Button1Click();
    void BitBtn11Click();
    void UpDown2Click();
    void UpDown3Click();
    void Button2Click();
    void BitBtn5Click();
    void BitBtn4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    // Loads picture and lists of sample graph k; false when the picture
    // could not be loaded (reported, lists left as they were).
    bool loadSampleGraph(int k);
    bool loadPicture(const QString& fileName);
    void hideEditorTools();
    // The item-2 branch of the graph choice (unit1_editor.cpp).
    void enterEditorMode();
    void setLamps(const QColor& one, const QColor& two, const QColor& three);
    // Clicks the first enabled default button; false when there is none.
    bool pressDefaultButton();

    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm6* Form6 = nullptr;
};

// The folder of the program file, with a trailing separator.
QString programDirectory();
