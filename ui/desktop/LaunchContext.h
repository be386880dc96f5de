#pragma once
// Opening applications with the user's action attached. An application launched from the window
// gets a startup id carrying the time of the user's last input, so the window manager lets it
// take the focus rather than only flagging it as wanting attention.

#include <QString>
#include <gio/gio.h>

class QObject;

namespace qb {

// Records the time of the user's input events from now on; the records go with owner.
void trackUserActions(QObject* owner);

// A launch context for GIO's launch calls; release it with g_object_unref. It gives a startup
// id on X11 once the user has acted; Qt 6.4 offers no way to ask a Wayland compositor for an
// activation token, so there it gives none.
GAppLaunchContext* newLaunchContext();

// A startup id for starting something over D-Bus (the file manager's ShowItems), or empty.
QString launchStartupId(const QString& what);

} // namespace qb
