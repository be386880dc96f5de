#pragma once
// Opening applications with the user's action attached. An application launched from the window
// gets a startup id carrying the time of the user's last input on X11, and an activation token
// from the compositor on Wayland, so that it may take the focus rather than only be flagged as
// wanting attention.

#include <QString>
#include <functional>
#include <gio/gio.h>

class QObject;

namespace qb {

// Records the time of the user's input events from now on; the records go with owner.
void trackUserActions(QObject* owner);

// Calls launch with a launch context for GIO's launch calls, which it may keep. On Wayland the
// context is ready once the compositor has answered a request for a token (or has not within a
// moment), so launch may run after this returns; elsewhere it runs at once. The context gives
// the token as the startup id and as XDG_ACTIVATION_TOKEN, or on X11 a startup id once the user
// has acted.
void withLaunchContext(std::function<void(GAppLaunchContext*)> launch);

// The same for starting something over D-Bus (the file manager's ShowItems): use gets the
// activation token or startup id, or an empty text.
void withStartupId(const QString& what, std::function<void(const QString& id)> use);

} // namespace qb
