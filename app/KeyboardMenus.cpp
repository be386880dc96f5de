#include "KeyboardMenus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace qb {

bool KeyboardMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F10 || key->isAutoRepeat())
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (key->modifiers() == Qt::ShiftModifier && focus) {
        // Where the Menu key puts it: at the current item, else the control's middle.
        QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QPoint at = cursor.isValid() ? cursor.center() : focus->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
        QApplication::sendEvent(focus, &menu);
        return true;
    }
    if (key->modifiers() == Qt::NoModifier) {
        auto* window = qobject_cast<QMainWindow*>(QApplication::activeWindow());
        QMenuBar* bar = window ? window->menuBar() : nullptr;
        if (!bar || bar->actions().isEmpty() || bar->activeAction())
            return false;
        bar->setActiveAction(bar->actions().constFirst());
        return true;
    }
    return false;
}

} // namespace qb
