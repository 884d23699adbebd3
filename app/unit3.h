#pragma once

#include "app/memo.h"
#include "app/widgets.h"

#include <QFrame>
#include <QWidget>

// The version window.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QFrame* Panel1;
    TMemo* Memo1;
    QPushButton* BitBtn1;

public slots:
    void Memo1KeyPress(QChar& key);
};

// The version notes shown in the version window.
QString versionNotes();
