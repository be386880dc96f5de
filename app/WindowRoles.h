#pragma once
// How screen readers see the program's own windows. Qt describes a window that is a plain
// widget (settings, preview) as a "filler", so a screen reader announces no window at all.

class QAccessibleInterface;
class QObject;
class QString;

namespace qb {

// An accessibility factory: a top-level plain widget is a dialog when it is shown as one and a
// frame otherwise. Install with QAccessible::installFactory.
QAccessibleInterface* windowRole(const QString& className, QObject* object);

} // namespace qb
