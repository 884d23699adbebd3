#pragma once

#include "app/memo.h"
#include "app/widgets.h"

#include <QFrame>
#include <QImage>
#include <QScrollArea>
#include <QWidget>

// The help window: the help text in a scroll box beside a picture.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QFrame* Panel1;
    TImage* Image1;
    QPushButton* BitBtn1;
    QScrollArea* ScrollBox1;
    TMemo* TMemo1;

public slots:
    void TMemo1KeyPress(QChar& key);
};

// The German help text shown in the help window.
QString helpText();

// The picture that comes with the help window: 177 x 337, two colours.
QImage helpPicture();
