#pragma once

#include "app/read_only_text.h"
#include "app/widgets.h"

#include <QImage>
#include <QWidget>

// The help window: the help text in a scroll box beside a picture.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;
};

// The German help text shown in the help window.
QString helpText();

// The picture that comes with the help window: 177 x 337, two colours.
QImage helpPicture();
