#include "widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPainter>
#include <QStyle>

Lamp::Lamp(QWidget* parent) : QWidget(parent) {}

void Lamp::setColour(const QColor& colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

StepArrows::StepArrows(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), m_min(minimum), m_max(maximum), m_position(position),
      m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setObjectName("up");
    m_down->setObjectName("down");
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(button == m_up ? "hoch" : "runter");
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void StepArrows::setPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
}

void StepArrows::step(int delta) {
    const int next = std::clamp(m_position + delta, m_min, m_max);
    if (next == m_position)
        return;
    m_position = next;
    emit stepped(delta > 0);
}

void StepArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {}

void PictureArea::setPicture(const QImage& picture) {
    m_picture = picture;
    emit pictureReplaced();
    update();
}

void PictureArea::clear() {
    m_picture = QImage();
    emit pictureReplaced();
    update();
}

QImage& PictureArea::canvas() {
    if (m_picture.isNull()) {
        m_picture = QImage(size(), QImage::Format_RGB32);
        m_picture.fill(Qt::white);
        emit pictureReplaced();
    } else if (m_picture.format() != QImage::Format_RGB32) {
        m_picture = m_picture.convertToFormat(QImage::Format_RGB32);
    }
    return m_picture;
}

void PictureArea::setOverlay(const QImage& overlay) {
    m_overlay = overlay;
    update();
}

void PictureArea::clearOverlay() {
    if (m_overlay.isNull())
        return;
    m_overlay = QImage();
    update();
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
    if (!m_overlay.isNull())
        painter.drawImage(0, 0, m_overlay);
}

ChoiceGroup::ChoiceGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QString("Item%1").arg(i));
        m_group->addButton(button, i);
        m_items.append(button);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit choiceChanged();
    });
}

int ChoiceGroup::itemIndex() const {
    return m_group->checkedId();
}

void ChoiceGroup::setItemIndex(int index) {
    if (index < 0 || index >= m_items.size()) {
        // An exclusive group never lets go of its last checked button on its own.
        m_group->setExclusive(false);
        for (QRadioButton* button : m_items)
            button->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    m_items[index]->setChecked(true);
}

void ChoiceGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    // Items share the room below the caption evenly, as the classic control does.
    const int top = 18;
    const int rowHeight = (height() - top - 4) / std::max<qsizetype>(1, m_items.size());
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setGeometry(8, top + i * rowHeight, width() - 16, rowHeight);
}

QPushButton* makeGlyphButton(QWidget* parent, const char* name, GlyphKind kind,
                             const QRect& geometry, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    QStyle* style = QApplication::style();
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (kind) {
    case GlyphKind::Ok:
        pixmap = QStyle::SP_DialogApplyButton;
        break;
    case GlyphKind::Retry:
        pixmap = QStyle::SP_BrowserReload;
        break;
    case GlyphKind::Ignore:
        pixmap = QStyle::SP_DialogDiscardButton;
        break;
    case GlyphKind::Help:
        pixmap = QStyle::SP_DialogHelpButton;
        break;
    case GlyphKind::No:
        pixmap = QStyle::SP_DialogNoButton;
        break;
    case GlyphKind::Close:
        pixmap = QStyle::SP_DialogCloseButton;
        break;
    case GlyphKind::None:
        break;
    }
    if (pixmap != QStyle::SP_CustomBase)
        button->setIcon(style->standardIcon(pixmap));
    if (kind == GlyphKind::Close)
        QObject::connect(button, &QPushButton::clicked, button,
                         [button] { button->window()->close(); });
    return button;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    // The disabled group keeps the style's grey: a red "Beantworten!" must
    // look unavailable while it is.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    widget->setPalette(palette);
}

void setOuterGeometry(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
    // A classic frame takes 8 pixels at each side and 30 for the title bar.
    window->setFixedSize(outerWidth - 16, outerHeight - 38);
    window->move(left, top);
}

void setUpWindow(QWidget* window, const QString& title, int left, int top, int outerWidth,
                 int outerHeight) {
    window->setWindowTitle(title);
    setOuterGeometry(window, left, top, outerWidth, outerHeight);
    window->setFont(sansFont(11));
}

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

QLabel* makeText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                 const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    if (colour.isValid())
        setTextColour(label, colour);
    return label;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QRect& geometry,
                     const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QLineEdit* makeOutputField(QWidget* parent, const char* name, const QRect& geometry,
                           const QString& text, const QFont& font) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setFont(font);
    edit->setEnabled(false);
    edit->setFocusPolicy(Qt::NoFocus);
    // Disabled keeps typing out, but the style's disabled grey on grey is
    // hard to read: the value is the field's whole point.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    edit->setPalette(palette);
    return edit;
}

StepArrows* makeStepArrows(QWidget* parent, const char* name, const QRect& geometry, int minimum,
                           int maximum, int position) {
    auto* upDown = new StepArrows(minimum, maximum, position, parent);
    upDown->setObjectName(name);
    upDown->setGeometry(geometry);
    return upDown;
}

Lamp* makeLamp(QWidget* parent, const char* name, const QRect& geometry) {
    auto* shape = new Lamp(parent);
    shape->setObjectName(name);
    shape->setGeometry(geometry);
    shape->setColour(Colours::Red);
    return shape;
}
