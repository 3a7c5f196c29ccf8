#include "PanelAccessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

// Without this a plain QWidget is a "client" area, which screen readers pass
// over without naming it.
QAccessibleInterface* panelInterface(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className != QLatin1String("ucGradContainer") && className != QLatin1String("xpFrame"))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
}

} // namespace

void registerPanelAccessibility() {
    static const bool registered = [] {
        QAccessible::installFactory(panelInterface);
        return true;
    }();
    Q_UNUSED(registered);
}
