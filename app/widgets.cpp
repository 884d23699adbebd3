#include "widgets.h"

#include "app/accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

Lamp::Lamp(QWidget* parent) : QWidget(parent) {
    installAccessibleInterfaces();
}

void Lamp::setColour(const QColor& colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    // Setting the description announces the new state.
    setAccessibleDescription(stateText());
    update();
}

void Lamp::setStateTexts(const StateTexts& texts) {
    m_stateTexts = texts;
    setAccessibleDescription(stateText());
}

QString Lamp::stateText() const {
    for (const auto& [colour, text] : m_stateTexts)
        if (colour == m_colour)
            return text;
    return QString();
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
    installAccessibleInterfaces();
    // The control takes the focus (by Tab or a click on an arrow) and the
    // arrow keys; the arrows themselves stay out of the tab chain.
    setFocusPolicy(Qt::StrongFocus);
    m_up->setObjectName("up");
    m_down->setObjectName("down");
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    for (QToolButton* button : {m_up, m_down})
        button->setFocusPolicy(Qt::NoFocus);
    setLabel(QString());
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void StepArrows::setLabel(const QString& label) {
    setAccessibleName(label);
    const QString prefix = label.isEmpty() ? QString() : label + ' ';
    m_up->setAccessibleName(prefix + "erhöhen");
    m_down->setAccessibleName(prefix + "verringern");
}

void StepArrows::setPosition(int position) {
    changePosition(std::clamp(position, m_min, m_max));
}

bool StepArrows::changePosition(int position) {
    if (position == m_position)
        return false;
    m_position = position;
    QAccessibleValueChangeEvent event(this, m_position);
    QAccessible::updateAccessibility(&event);
    return true;
}

void StepArrows::stepBy(int delta) {
    moveTo(m_position + delta);
}

void StepArrows::moveTo(int position) {
    // A disabled control takes no step, whoever asks.
    if (!isEnabled())
        return;
    const int previous = m_position;
    if (changePosition(std::clamp(position, m_min, m_max)))
        emit stepped(m_position > previous);
}

void StepArrows::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        break;
    case Qt::Key_Down:
        stepBy(-1);
        break;
    default:
        // Enter, Escape and the rest go on to the window.
        QWidget::keyPressEvent(event);
    }
}

void StepArrows::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    showFocus(true);
}

void StepArrows::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    showFocus(false);
}

void StepArrows::showFocus(bool focused) {
    // The arrows fill the whole control, so they carry the focus colour;
    // without the focus they take the control's palette again.
    QPalette highlighted = palette();
    highlighted.setColor(QPalette::Button, highlighted.color(QPalette::Highlight));
    for (QToolButton* button : {m_up, m_down})
        button->setPalette(focused ? highlighted : QPalette());
}

void StepArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    installAccessibleInterfaces();
}

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

void PictureArea::setPlayOverlay(const QImage& overlay) {
    m_playOverlay = overlay;
    update();
}

void PictureArea::clearPlayOverlay() {
    if (m_playOverlay.isNull())
        return;
    m_playOverlay = QImage();
    update();
}

void PictureArea::clearOverlay() {
    if (m_overlay.isNull())
        return;
    m_overlay = QImage();
    update();
}

void PictureArea::replaceLayer(QImage& layer, const QImage& overlay) {
    if (layer.isNull() && overlay.isNull())
        return;
    layer = overlay;
    update();
}

void PictureArea::paintLayers(QPainter& painter) const {
    for (const QImage* layer :
         {&m_picture, &m_complementOverlay, &m_overlay, &m_choiceOverlay, &m_playOverlay})
        if (!layer->isNull())
            painter.drawImage(0, 0, *layer);
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintLayers(painter);
}

QImage PictureArea::shownPicture() const {
    if (m_picture.isNull())
        return {};
    QImage shown(m_picture.size().boundedTo(size()), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    paintLayers(painter);
    return shown;
}

ChoiceGroup::ChoiceGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    setAccessibleName(title);
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

namespace {

// A classic frame takes 8 pixels at each side and 30 for the title bar.
constexpr QMargins kClassicFrame{8, 30, 8, 8};

QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (!window->isVisible() || frame == client)
        return kClassicFrame;
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

void setOuterGeometry(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
    window->setFixedSize(outerWidth - kClassicFrame.left() - kClassicFrame.right(),
                         outerHeight - kClassicFrame.top() - kClassicFrame.bottom());
    window->move(left, top);
}

QRect outerGeometry(const QWidget* window) {
    // A window's position is that of its frame.
    const QMargins frame = frameOf(window);
    return {window->pos(), window->size().grownBy(frame)};
}

QRect screenGeometry(const QWidget* control) {
    const QWidget* window = control->window();
    const QMargins frame = frameOf(window);
    return {window->pos() + QPoint(frame.left(), frame.top()) + control->mapTo(window, QPoint()),
            control->size()};
}

void setUpWindow(QWidget* window, const QString& title, int left, int top, int outerWidth,
                 int outerHeight) {
    installAccessibleInterfaces();
    window->setWindowTitle(title);
    setOuterGeometry(window, left, top, outerWidth, outerHeight);
    window->setFont(sansFont(11));
    window->setAutoFillBackground(true);
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
    // Unnamed, a group would be announced by the title of the group around it.
    box->setAccessibleName(title);
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
                           const QString& text, const QFont& font, const QString& label) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
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
                           int maximum, int position, const QString& label) {
    auto* upDown = new StepArrows(minimum, maximum, position, parent);
    upDown->setObjectName(name);
    upDown->setGeometry(geometry);
    upDown->setLabel(label);
    return upDown;
}

Lamp* makeLamp(QWidget* parent, const char* name, const QRect& geometry, const QString& label,
               const Lamp::StateTexts& stateTexts) {
    auto* shape = new Lamp(parent);
    shape->setObjectName(name);
    shape->setGeometry(geometry);
    shape->setAccessibleName(label);
    shape->setStateTexts(stateTexts);
    shape->setColour(Colours::Red);
    return shape;
}

void describe(QWidget* control, const QString& description, QLabel* caption) {
    control->setAccessibleDescription(description);
    if (caption)
        caption->setBuddy(control);
}

namespace {

// The window's focusable controls in the order of rows: each parent's
// children in the order they were made, a container's controls where the
// container stands.
void collectTabStops(QWidget* parent, QList<QWidget*>& stops) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        // Radio items other than the chosen one take no Tab of their own,
        // yet keep their place in the chain.
        if (widget->focusPolicy() != Qt::NoFocus)
            stops.append(widget);
        else
            collectTabStops(widget, stops);
    }
}

} // namespace

void orderTabsByRows(QWidget* window) {
    QList<QWidget*> stops;
    collectTabStops(window, stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

bool closeOnEscape(QWidget* window, QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    window->close();
    return true;
}
