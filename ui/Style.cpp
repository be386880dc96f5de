#include "Style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>

namespace qb {

QFont fontFor(TextStyle style) {
    QFont font = QApplication::font();
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    switch (style) {
    case TextStyle::body:
        break;
    case TextStyle::callout:
        font.setPointSizeF(base * 0.93);
        break;
    case TextStyle::caption:
        font.setPointSizeF(base * 0.85);
        break;
    case TextStyle::headline:
        font.setWeight(QFont::DemiBold);
        break;
    case TextStyle::title:
        font.setPointSizeF(base * 1.35);
        font.setWeight(QFont::DemiBold);
        break;
    }
    return font;
}

QFont monospaceFont(TextStyle style) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(fontFor(style).pointSizeF());
    return font;
}

void makeSecondary(QWidget* widget) {
    widget->setForegroundRole(QPalette::PlaceholderText);
}

QLabel* makeLabel(const QString& text, TextStyle style, bool secondary, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(fontFor(style));
    if (secondary)
        makeSecondary(label);
    return label;
}

QWidget* makeDivider(bool vertical, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    if (vertical)
        line->setFixedWidth(1);
    else
        line->setFixedHeight(1);
    return line;
}

} // namespace qb
