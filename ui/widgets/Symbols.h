#pragma once
// The symbols the window's texts name ("magnifyingglass", "folder.fill"), drawn from the
// desktop's icon theme, with a bundled drawing for each so that no icon is ever blank.

#include <QAnyStringView>
#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QString>

namespace qb {

// Symbolic icons are tinted with the palette's text colour when painted, so they follow
// light and dark palettes; a valid tint paints them in that colour instead.
QIcon symbol(QAnyStringView name, const QColor& tint = {});

// The freedesktop icon names tried for a symbol, best first; empty for an unknown symbol.
QStringList themeNamesFor(QAnyStringView name);

// Picks an installed theme when the platform names none, and makes the bundled one the
// fallback. Call once after the application object exists.
void setUpIconTheme();

// A symbol shown as a label, drawn anew in the palette's colour whenever the palette changes
// (a pixmap made once would keep the light palette's grey on a dark one).
class SymbolLabel : public QLabel {
    Q_OBJECT
public:
    SymbolLabel(QAnyStringView name, int size, QPalette::ColorRole role, QWidget* parent);
    void setSymbol(QAnyStringView name);

protected:
    void changeEvent(QEvent* event) override;

private:
    void render();

    QString m_name;
    int m_size;
    QPalette::ColorRole m_role;
};

} // namespace qb
