#include "platform/accessibility.h"

#include <QAccessibleWidget>

namespace {
class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(ValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* label = static_cast<const ValueLabel*>(widget());
        const QString value = label->text();
        return value.isEmpty() ? label->what() : label->what() + QStringLiteral(": ") + value;
    }
};

// Asked for each class of an object from the most derived on, before the
// toolkit's own classes: ours are known by their own names.
QAccessibleInterface* programControls(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("ValueLabel"))
        return new ValueLabelAccessible(static_cast<ValueLabel*>(widget));
    if (className == QLatin1String("CanvasView") || className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}
}

void registerAccessibleControls()
{
    static const bool installed = (QAccessible::installFactory(programControls), true);
    Q_UNUSED(installed);
}

void describeControl(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

ValueLabel::ValueLabel(const QString& what, const QString& description, QWidget* parent)
    : QLabel(parent)
    , what_(what)
{
    registerAccessibleControls();
    setAccessibleDescription(description);
}
