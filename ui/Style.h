#pragma once
// The few type and colour roles the window's texts use, derived from the desktop's font and
// palette so that they follow the user's settings and dark palettes.

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace qb {

enum class TextStyle { body, callout, caption, headline, title };

QFont fontFor(TextStyle style);
QFont monospaceFont(TextStyle style = TextStyle::body);

// A label in the given style; secondary ones use the palette's dimmed text colour.
QLabel* makeLabel(const QString& text, TextStyle style, bool secondary = false,
                  QWidget* parent = nullptr);
void makeSecondary(QWidget* widget);

// A horizontal or vertical hairline between regions.
QWidget* makeDivider(bool vertical = false, QWidget* parent = nullptr);

} // namespace qb
