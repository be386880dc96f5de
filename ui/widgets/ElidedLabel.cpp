#include "ui/widgets/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace qb {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 3, fontMetrics().height()};
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 2, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    const QRect r = contentsRect();
    // A text that fits is drawn by the label itself, so a selection in it is seen.
    if (fontMetrics().horizontalAdvance(text()) <= r.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width());
    style()->drawItemText(&p, r, int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                          shown, foregroundRole());
}

} // namespace qb
