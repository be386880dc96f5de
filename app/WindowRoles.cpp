#include "WindowRoles.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QWidget>

namespace qb {

QAccessibleInterface* windowRole(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class up the hierarchy: answer only for the most derived one, and leave
    // the kinds of window Qt describes well itself (main windows, dialogs, menus) to Qt.
    // A warning that waits for an answer reads as an alert, as the desktop's own do.
    if (widget && widget->isWindow() && widget->inherits("qb::Alert") &&
        className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(widget, QAccessible::AlertMessage);
    if (!widget || !widget->isWindow() ||
        className != QLatin1String(object->metaObject()->className()) ||
        qobject_cast<QMainWindow*>(widget) || qobject_cast<QDialog*>(widget))
        return nullptr;
    switch (widget->windowType()) {
    case Qt::Dialog:
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    case Qt::Window:
        return new QAccessibleWidget(widget, QAccessible::Window);
    default:
        return nullptr;
    }
}

} // namespace qb
