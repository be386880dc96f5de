#pragma once
// The desktop's keys for menus, which Qt leaves to each application: F10 opens the active
// window's menu bar, and Shift+F10 opens the focused control's context menu, as the Menu key
// does.

#include <QObject>

namespace qb {

class KeyboardMenus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qb
