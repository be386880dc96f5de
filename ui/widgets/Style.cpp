#include "ui/widgets/Style.h"

#include "ui/widgets/ShownText.h"

#include <QApplication>
#include <QDateTime>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <algorithm>
#include <limits>

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
    QLabel* label = plainLabel(text, parent);
    label->setFont(fontFor(style));
    if (secondary)
        makeSecondary(label);
    return label;
}

namespace {

class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget* widget, std::function<void()> apply)
        : QObject(widget), m_apply(std::move(apply)),
          m_applied(QApplication::palette().cacheKey()) {
        widget->installEventFilter(this);
        m_apply();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The desktop's palette is what is followed; what apply sets on the widget changes the
        // widget's own palette and style, which must not start it again.
        const auto type = event->type();
        if (type != QEvent::PaletteChange && type != QEvent::ApplicationPaletteChange &&
            type != QEvent::StyleChange)
            return false;
        const qint64 key = QApplication::palette().cacheKey();
        if (key == m_applied)
            return false;
        m_applied = key;
        // On the next turn: by then the new palette has reached the widget, and what apply
        // sets never lands in the middle of the widget's own polishing.
        QMetaObject::invokeMethod(this, m_apply, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void()> m_apply;
    qint64 m_applied;
};

} // namespace

void followPalette(QWidget* widget, std::function<void()> apply) {
    new PaletteFollower(widget, std::move(apply));
}

void makeLinkButton(QWidget* button) {
    button->setCursor(Qt::PointingHandCursor);
    followPalette(button, [button] {
        QPalette palette = button->palette();
        const QColor link = palette.color(QPalette::Link);
        if (palette.color(QPalette::ButtonText) != link) {
            palette.setColor(QPalette::ButtonText, link);
            button->setPalette(palette);
        }
    });
}

QString dateTimeText(const QDateTime& when) {
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::LongFormat);
    for (const char* weekday : {"dddd, ", "dddd. ", "dddd ", ", dddd", "dddd"})
        format.remove(QLatin1String(weekday));
    const QDateTime local = when.toLocalTime();
    // Some locales' short time (C and POSIX among them) carries seconds.
    QString time = locale.timeFormat(QLocale::ShortFormat);
    time.remove(QLatin1String(":ss"));
    return locale.toString(local.date(), format.trimmed()) + QStringLiteral(", ") +
           locale.toString(local.time(), time);
}

int countArg(int64_t n) {
    return int(std::min<int64_t>(n, std::numeric_limits<int>::max()));
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
