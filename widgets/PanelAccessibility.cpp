#include "PanelAccessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

// Without this a plain QWidget is a "client" area, which screen readers pass
// over without naming it.
// The class name is looked at first: the factory is asked about every
// object, the web engine's own among them, some of which lack the type
// information a virtual call through QObject needs.
QAccessibleInterface* panelInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("ucGradContainer") && className != QLatin1String("xpFrame"))
        return nullptr;
    if (!object || !object->isWidgetType())
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
