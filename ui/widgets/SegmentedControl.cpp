#include "ui/widgets/SegmentedControl.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace qb {
namespace {

class Segment : public QAbstractButton {
public:
    enum Position { first, middle, last, only };
    Segment(const QString& title, Position position, QWidget* parent)
        : QAbstractButton(parent), m_position(position) {
        setText(title);
        setCheckable(true);
        // One of several: screen readers announce radio buttons, and arrows move the choice.
        setAutoExclusive(true);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override {
        return {fontMetrics().horizontalAdvance(text()) + 24, fontMetrics().height() + 10};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette& pal = palette();
        const qreal r = 5;
        QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        // Round only the outer corners: extend the inner edges past the widget and clip.
        QRectF shape = box;
        if (m_position == middle || m_position == last)
            shape.setLeft(shape.left() - r);
        if (m_position == first || m_position == middle)
            shape.setRight(shape.right() + r);
        QPainterPath path;
        path.addRoundedRect(shape, r, r);
        p.setClipRect(rect());
        const bool on = isChecked();
        QColor fill = on ? pal.color(QPalette::Highlight) : pal.color(QPalette::Button);
        if (!on && underMouse())
            fill = fill.lighter(104);
        p.fillPath(path, fill);
        p.setPen(QPen(on ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid), 1));
        p.drawPath(path);
        p.setPen(on ? pal.color(QPalette::HighlightedText)
                    : pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                QPalette::ButtonText));
        p.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            // The style's dotted frame vanishes on the highlight fill: a ring in the text's
            // colour shows on both.
            p.setPen(QPen(
                on ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Highlight), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -3), 3, 3);
        }
    }
    void enterEvent(QEnterEvent* e) override {
        update();
        QAbstractButton::enterEvent(e);
    }
    void leaveEvent(QEvent* e) override {
        update();
        QAbstractButton::leaveEvent(e);
    }

private:
    Position m_position;
};

} // namespace

SegmentedControl::SegmentedControl(const QStringList& titles, const QString& accessibleName,
                                   QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this)) {
    setAccessibleName(accessibleName);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < titles.size(); ++i) {
        const auto position = titles.size() == 1       ? Segment::only
                              : i == 0                 ? Segment::first
                              : i + 1 == titles.size() ? Segment::last
                                                       : Segment::middle;
        auto* segment = new Segment(titles[i], position, this);
        m_group->addButton(segment, i);
        row->addWidget(segment);
    }
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedControl::chosen);
}

int SegmentedControl::current() const {
    return m_group->checkedId();
}

void SegmentedControl::setCurrent(int index) {
    if (auto* b = m_group->button(index); b && !b->isChecked())
        b->setChecked(true);
}

} // namespace qb
