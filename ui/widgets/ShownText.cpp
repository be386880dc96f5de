#include "ui/widgets/ShownText.h"

#include "search/PathText.h"

#include <QAction>
#include <QLabel>

namespace qb {

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QString toolTipText(const QString& text) {
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void setPlainToolTip(QWidget* widget, const QString& text) {
    widget->setToolTip(toolTipText(text));
}

QString actionText(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void setActionText(QAction* action, const QString& text) {
    action->setText(actionText(text));
    action->setToolTip(toolTipText(text));
}

QString windowTitleText(const QString& text) {
    QString escaped = text;
    return escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

} // namespace qb
