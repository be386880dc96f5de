#pragma once
// Menus on Wayland. Qt 6.4 gives a popup window the compositor's popup role only with the serial
// of a recent input event, and otherwise opens it as a detached window that the compositor
// places anywhere (and may cut short at the screen's edge); a menu opened by a screen reader,
// or right after a hand-over, has no such serial. A popup without a grab needs none: the
// compositor places it against its parent window and keeps it on the screen. Keys and clicks
// still reach the menu through Qt's own popup handling, since the widget stays a popup.

#include <QObject>

namespace qb {

// Install on the application where the platform is Wayland.
class WaylandPopups : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qb
