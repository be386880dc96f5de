#include "WaylandPopups.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace qb {
namespace {

// The window a popup belongs to: its parent's (a submenu's menu, a menu bar's window), else the
// open popup it comes from, else the active window.
QWindow* ownerOf(QWidget* popup) {
    QWidget* owner = popup->parentWidget() ? popup->parentWidget()->window() : nullptr;
    if (!owner) {
        QWidget* open = QApplication::activePopupWidget();
        owner = open && open != popup ? open : QApplication::activeWindow();
    }
    if (!owner) {
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible() && shown != popup && shown->windowType() != Qt::Popup) {
                owner = shown;
                break;
            }
        }
    }
    return owner ? owner->windowHandle() : nullptr;
}

} // namespace

bool WaylandPopups::eventFilter(QObject* watched, QEvent* event) {
    // A widget hears of its showing before its window is shown, which is when Qt picks the
    // window's role.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* popup = static_cast<QWidget*>(watched);
    QWindow* window = popup->windowHandle();
    if (!popup->isWindow() || popup->windowType() != Qt::Popup || !window)
        return QObject::eventFilter(watched, event);
    QWindow* owner = ownerOf(popup);
    if (!owner)
        return QObject::eventFilter(watched, event); // nothing to place it against
    window->setTransientParent(owner);
    // Only the window's type changes: Qt makes a tooltip with a parent a popup without a grab.
    window->setFlags((window->flags() & ~Qt::WindowType_Mask) | Qt::ToolTip);
    return QObject::eventFilter(watched, event);
}

} // namespace qb
