#pragma once
// Names, paths, patterns and other texts that come from the user or the file system reach the
// screen through these, one per kind of sink. Qt guesses per string whether a label or tooltip
// holds rich text (so "<img src=…>" in a folder name would be loaded from disk), reads '&' in
// an action or button as a mnemonic, and '[*]' in a window title as the modified marker.

#include "model/ShownText.h"

#include <QString>

class QAction;
class QLabel;
class QWidget;

namespace qb {

// A label that shows its text as it is, never as markup.
QLabel* plainLabel(const QString& text = {}, QWidget* parent = nullptr);

// A tooltip for setToolTip or an item's ToolTipRole that shows the text as it is: escaped
// markup keeping spaces and line breaks. Empty text stays empty (no tooltip).
QString toolTipText(const QString& text);
void setPlainToolTip(QWidget* widget, const QString& text);

// Text for an action, menu title or button: '&' shown as itself, never a mnemonic.
QString actionText(const QString& text);
// An action's text and the tooltip Qt would otherwise derive from it, both as they are.
void setActionText(QAction* action, const QString& text);

// Text for a window title: "[*]" shown as itself.
QString windowTitleText(const QString& text);

} // namespace qb
