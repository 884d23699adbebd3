#include "app/accessibility.h"

#include "app/widgets.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace {

// The arrows as one spin box: a value with its range, stepped by the
// increase and decrease actions or set directly.
class StepArrowsAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StepArrowsAccessible(StepArrows* arrows)
        : QAccessibleWidget(arrows, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value)
            return QString::number(arrows()->position());
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return arrows()->position(); }
    void setCurrentValue(const QVariant& value) override { arrows()->moveTo(value.toInt()); }
    QVariant maximumValue() const override { return arrows()->maximum(); }
    QVariant minimumValue() const override { return arrows()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& action) override {
        if (action == increaseAction())
            arrows()->stepBy(1);
        else if (action == decreaseAction())
            arrows()->stepBy(-1);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    StepArrows* arrows() const { return static_cast<StepArrows*>(widget()); }
};

QAccessibleInterface* programInterfaces(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("StepArrows"))
        return new StepArrowsAccessible(static_cast<StepArrows*>(widget));
    if (className == QLatin1String("Lamp"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (className == QLatin1String("PictureArea"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    // A panel only holds controls; Qt would announce it as an unnamed frame,
    // a client area (a filler to screen readers) is passed over.
    if (className == QLatin1String("QFrame") && widget->accessibleName().isEmpty())
        return new QAccessibleWidget(widget, QAccessible::Client);
    // Every window of the program is a plain widget; Qt would call it a filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(programInterfaces);
        return true;
    }();
    Q_UNUSED(installed);
}
