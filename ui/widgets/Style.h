#pragma once
// The few type and colour roles the window's texts use, derived from the desktop's font and
// palette so that they follow the user's settings and dark palettes.

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>

class QDateTime;
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

// Runs apply now and again after the desktop's palette changes (a switch to dark, say), for
// colours that are copied out of the palette rather than drawn from it.
void followPalette(QWidget* widget, std::function<void()> apply);
// A flat button drawn in the palette's link colour.
void makeLinkButton(QWidget* button);

// A date and time as the desktop writes them for a file: the locale's long date without the
// weekday, and the short time ("7 December 2026, 17:32"; no seconds, no zone).
QString dateTimeText(const QDateTime& when);
// A count for tr()'s plural forms, which take an int; a search stops long before one overflows.
int countArg(int64_t n);

// A horizontal or vertical hairline between regions.
QWidget* makeDivider(bool vertical = false, QWidget* parent = nullptr);

} // namespace qb
