#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "graph/style_drawing.h"

#include <utility>

class QButtonGroup;
class QPainter;

// Small controls that the windows are built from.

// A circle with a settable fill colour and a black outline. Screen readers
// hear what the colour means (its state text) as the lamp's description, and
// hear it again when it changes.
class Lamp : public QWidget {
    Q_OBJECT
public:
    using StateTexts = QList<std::pair<QColor, QString>>;

    explicit Lamp(QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    // What each fill colour means ("angewendet"); a colour not listed means nothing.
    void setStateTexts(const StateTexts& texts);
    QString stateText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = Qt::white;
    StateTexts m_stateTexts;
};

// Two arrow buttons that step a position within a range, without wrap-around.
// Stepped is emitted only for the user's steps that change the position: a
// click, an arrow key while the control has the focus, or a screen reader
// setting the value. setPosition() from code is silent.
class StepArrows : public QWidget {
    Q_OBJECT
public:
    StepArrows(int minimum, int maximum, int position, QWidget* parent = nullptr);
    int position() const { return m_position; }
    void setPosition(int position);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }
    // The name screen readers announce, which also names the two arrows.
    void setLabel(const QString& label);

    // Steps as the user does: stepped is emitted when the position changes.
    void stepBy(int delta);
    void moveTo(int position);

signals:
    void stepped(bool up);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Sets the position and tells screen readers; false when it stays.
    bool changePosition(int position);
    void showFocus(bool focused);

    int m_min;
    int m_max;
    int m_position;
    QToolButton* m_up;
    QToolButton* m_down;
};

// An image area that owns its picture (a null image means empty) and shows it
// unscaled from the top left. Drawing goes to canvas(), which starts a fresh
// white surface of the area's size when the picture was discarded. An overlay
// can be shown over the picture without ever entering it.
class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);
    bool isEmpty() const { return m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    void clear();
    // The drawing surface; call changed() after painting on it.
    QImage& canvas();
    void changed() { update(); }

    void setOverlay(const QImage& overlay);
    void clearOverlay();
    const QImage& overlay() const { return m_overlay; }
    // A second layer above the first, for the step-by-step play.
    void setPlayOverlay(const QImage& overlay);
    void clearPlayOverlay();
    const QImage& playOverlay() const { return m_playOverlay; }
    // The picture as the area shows it: cut to the area, with both overlays
    // drawn over it; null when the area is empty.
    QImage shownPicture() const;
    // The practice window's layers: the complement right above the picture
    // (opaque, it hides the graph's own edges), the choice above the
    // highlight and below the play.
    void setComplementOverlay(const QImage& overlay) { replaceLayer(m_complementOverlay, overlay); }
    void clearComplementOverlay() { replaceLayer(m_complementOverlay, QImage()); }
    const QImage& complementOverlay() const { return m_complementOverlay; }
    void setChoiceOverlay(const QImage& overlay) { replaceLayer(m_choiceOverlay, overlay); }
    void clearChoiceOverlay() { replaceLayer(m_choiceOverlay, QImage()); }
    const QImage& choiceOverlay() const { return m_choiceOverlay; }

signals:
    // Emitted whenever the picture is replaced or cleared (not for overlay changes).
    void pictureReplaced();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLayers(QPainter& painter) const;
    void replaceLayer(QImage& layer, const QImage& overlay);

    QImage m_picture;
    QImage m_complementOverlay;
    QImage m_overlay;
    QImage m_choiceOverlay;
    QImage m_playOverlay;
};

// A titled group of radio items. Click is emitted when the selection moves to
// an item, by the user or from code; re-clicking the selected item or clearing
// the selection emits nothing.
class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    ChoiceGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const { return m_items.at(index); }

signals:
    void choiceChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QButtonGroup* m_group;
    QList<QRadioButton*> m_items;
};

// The standard pictures of the classic glyph buttons.
enum class GlyphKind { None, Ok, Retry, Ignore, Help, No, Close };

QPushButton* makeGlyphButton(QWidget* parent, const char* name, GlyphKind kind,
                             const QRect& geometry, const QString& caption);

// A window's title, fixed place (as setOuterGeometry), base font and its own
// background.
void setUpWindow(QWidget* window, const QString& title, int left, int top, int outerWidth,
                 int outerHeight);

// Shows the window, above the others and active.
void bringToFront(QWidget* window);

// Controls with their form name and fixed place, as the window layouts list them.
// A raised panel, the ground every window's controls stand on.
QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry);
QLabel* makeText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                 const QFont& font, const QColor& colour = QColor());
QGroupBox* makeGroup(QWidget* parent, const char* name, const QRect& geometry,
                     const QString& title);
QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const QString& caption);
// Edit fields only display values: disabled and out of the tab chain, but
// their text as readable as an enabled field's. label is what screen readers
// call the field.
QLineEdit* makeOutputField(QWidget* parent, const char* name, const QRect& geometry,
                           const QString& text, const QFont& font, const QString& label);
StepArrows* makeStepArrows(QWidget* parent, const char* name, const QRect& geometry, int minimum,
                           int maximum, int position, const QString& label);
// Starts red, as every lamp and indicator does.
Lamp* makeLamp(QWidget* parent, const char* name, const QRect& geometry, const QString& label,
               const Lamp::StateTexts& stateTexts);

// What screen readers say of a control beyond its name; caption, the text
// that labels it on screen, is tied to it as its label.
void describe(QWidget* control, const QString& description, QLabel* caption = nullptr);

// Tab follows the order in which each parent's children were made, which is
// the row order of the window's layout; a control keeps its own inner order.
void orderTabsByRows(QWidget* window);

// Escape closes windows that have nothing to cancel; true when it did.
bool closeOnEscape(QWidget* window, QKeyEvent* event);

void setTextColour(QWidget* widget, const QColor& colour);

// Gives the window the client size that fits the classic outer size and
// places its frame at (left, top).
void setOuterGeometry(QWidget* window, int left, int top, int outerWidth, int outerHeight);

// Where a window stands with its frame, on the screen; before it is shown, or
// where the system reports no frame, with the classic frame of setOuterGeometry.
QRect outerGeometry(const QWidget* window);
// Where a control of a window stands on the screen, by the same frame.
QRect screenGeometry(const QWidget* control);
