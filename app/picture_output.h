#pragma once

#include "app/dialogs.h"

#include <QImage>
#include <QObject>
#include <QRect>

#include <functional>

class QMenu;
class QWidget;

// "Bild speichern…" and "Drucken…" of a drawing as the user sees it, for
// worksheets and slides. Every window that shows a drawing offers both, as
// buttons or as the drawing's context menu.
class PictureOutput : public QObject {
    Q_OBJECT
public:
    // source gives the picture as shown at the moment of the choice (null
    // when there is none); the dialogs and messages belong to window.
    PictureOutput(QWidget* window, std::function<QImage()> source);

    // Right click on the area, or the menu key or Shift+F10 in its window,
    // opens the menu of both (MenuPicture).
    void addContextMenu(QWidget* area);
    // Both as buttons side by side in row (ButtonSavePicture, ButtonPrint).
    void addButtons(QWidget* parent, const QRect& row);

public slots:
    // PNG, SVG or PDF, by the name's ending; PNG for a name without one.
    void save();
    // Qt's print dialog, then the picture as large as fits the page.
    void print();

private:
    // The picture, or nothing after telling the user that the drawing is empty.
    std::optional<QImage> pictureToOutput();

    QWidget* m_window;
    std::function<QImage()> m_source;
    QMenu* m_menu = nullptr;
    FileDialog m_saveDialog;
};
