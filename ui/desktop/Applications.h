#pragma once
// The desktop's applications through GIO: which can open an item, every one shown in menus,
// and launching one with items.

#include "model/Desktop.h"

#include <QIcon>

namespace qb {

// Starts reading the desktop's applications on a pool thread, so the first item menu or
// chooser does not read every desktop file on the GUI thread.
void readApplicationsAhead();
// Sorted by desktop file id the way a file manager orders names.
std::vector<ApplicationEntry> applicationsForPath(const std::string& path, bool isDirectory);
// Every application the desktop shows in its menus, sorted by display name.
std::vector<ApplicationEntry> allApplications();
// done runs on the GUI thread with the launch error's text, or nothing when it started.
void launchApplication(const std::string& id, const std::vector<std::string>& paths,
                       std::function<void(std::optional<QString>)> done);
QIcon applicationIcon(const ApplicationEntry& entry);

} // namespace qb
