#include "ui/widgets/Spinner.h"

#include <QPainter>
#include <QTimerEvent>
#include <cmath>

namespace qb {

namespace {
constexpr int kSpokes = 12;
}

Spinner::Spinner(int diameter, QWidget* parent) : QWidget(parent), m_diameter(diameter) {
    setFixedSize(diameter, diameter);
    setAccessibleName(tr("Busy"));
}

void Spinner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const qreal outer = m_diameter / 2.0 - 1;
    const qreal inner = outer * 0.45;
    QColor color = palette().color(QPalette::WindowText);
    for (int i = 0; i < kSpokes; ++i) {
        const int age = (m_step - i + kSpokes) % kSpokes;
        color.setAlphaF(1.0 - age * 0.07);
        p.setPen(QPen(color, std::max(1.5, m_diameter / 9.0), Qt::SolidLine, Qt::RoundCap));
        const qreal angle = 2 * M_PI * i / kSpokes;
        const QPointF dir(std::sin(angle), -std::cos(angle));
        p.drawLine(centre + dir * inner, centre + dir * outer);
    }
}

void Spinner::showEvent(QShowEvent*) {
    if (!m_timer)
        m_timer = startTimer(80);
}

void Spinner::hideEvent(QHideEvent*) {
    if (m_timer)
        killTimer(m_timer);
    m_timer = 0;
}

void Spinner::timerEvent(QTimerEvent*) {
    m_step = (m_step + 1) % kSpokes;
    update();
}

} // namespace qb
