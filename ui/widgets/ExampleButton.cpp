#include "ui/widgets/ExampleButton.h"

#include "model/SearchModel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>

namespace qb {

ExampleButton::ExampleButton(SearchModel& model, const QString& title, const QString& pattern,
                             Style style, QWidget* parent)
    : QPushButton(parent), m_row(style == Style::row) {
    setAccessibleName(title);
    setAccessibleDescription(pattern);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(style == Style::row ? 8 : 10, 4, style == Style::row ? 8 : 10, 4);
    row->setSpacing(8);
    QLabel* titleLabel = plainLabel(title, this);
    QLabel* patternLabel = plainLabel(pattern, this);
    patternLabel->setFont(
        monospaceFont(style == Style::row ? TextStyle::callout : TextStyle::caption));
    makeSecondary(patternLabel);
    for (QLabel* l : {titleLabel, patternLabel})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(titleLabel);
    row->addWidget(patternLabel);
    if (style == Style::row) {
        setFlat(true);
        setAttribute(Qt::WA_Hover);
        setToolTip(tr("Use this pattern"));
        row->addStretch(1);
        auto* arrow = new SymbolLabel("arrow.up.left", 10, QPalette::PlaceholderText, this);
        arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(arrow);
    }
    SearchModel* m = &model;
    connect(this, &QPushButton::clicked, m, [m, pattern] {
        m->setPattern(pattern);
        m->setFocusRequest(QUuid::createUuid());
    });
}

// A flat row has no frame of its own to show the keyboard or the pointer: a tinted, rounded
// row does, as in the desktop's lists.
void ExampleButton::paintEvent(QPaintEvent* event) {
    if (!m_row || !(hasFocus() || underMouse() || isDown())) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(isDown() ? 70 : 35);
    p.setBrush(tint);
    p.setPen(hasFocus() ? QPen(palette().color(QPalette::Highlight), 1.5) : QPen(Qt::NoPen));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
}

QSize ExampleButton::sizeHint() const {
    return layout()->sizeHint().expandedTo(QPushButton::sizeHint());
}

} // namespace qb
