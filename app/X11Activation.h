#pragma once
// Bringing the window forward on X11 for a later start that handed over to this one. Qt applies
// a startup id only when a window is first shown; a window that already exists needs the time
// of the user's action, carried in the id, or the window manager refuses it the focus.

#include <QByteArray>
#include <cstdint>
#include <optional>

class QWidget;

namespace qb {

// The X server time at the end of a startup id ("…_TIME12345"), when it has one; _TIME0
// means none.
std::optional<std::uint32_t> startupTime(const QByteArray& startupId);

// Asks the window manager to activate the window for the user's action, and tells the launcher
// the start is complete so its busy cursor stops. False where the display is not X11.
bool activateWithStartupId(QWidget* window, const QByteArray& startupId);

} // namespace qb
