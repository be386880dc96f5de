#include "Appearance.h"

#include "model/SearchModel.h"
#include "ui/widgets/Binding.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionToolButton>
#include <QWidget>

namespace qb {
namespace {

bool paletteIsDark(const QPalette& palette);

// Mends over whichever style is in use. The styles draw a menu button's arrow in the
// button's lower corner, below the title, where it reads as a stray mark; it goes beside the
// title instead, centred, in the room the button already keeps for it. And Fusion outlines
// fields and check boxes in a shade darker than the window, which vanishes on a dark palette;
// there they get a light outline of their own.
class DesktopStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    static constexpr int kArrow = 7, kGap = 3;

    // Dialog buttons without icons, as GNOME draws them: a theme's icons there (a hand on
    // "OK", a dot on "Cancel") read as decoration, not meaning.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool outlined = element == PE_FrameLineEdit || element == PE_IndicatorCheckBox;
        if (!outlined || !paletteIsDark(option->palette) || (option->state & State_HasFocus))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QColor(255, 255, 255, option->state & State_Enabled ? 60 : 30));
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter->restore();
    }

    static bool arrowBeside(const QStyleOption* option) {
        auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        return button && (button->features & QStyleOptionToolButton::HasMenu) &&
               !(button->features & QStyleOptionToolButton::MenuButtonPopup) &&
               button->toolButtonStyle != Qt::ToolButtonIconOnly;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control != CC_ToolButton || !arrowBeside(option)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        auto* button = static_cast<const QStyleOptionToolButton*>(option);
        QStyleOptionToolButton plain(*button);
        plain.features &= ~QStyleOptionToolButton::HasMenu;
        plain.rect.setWidth(plain.rect.width() - kArrow);
        QStyleOptionToolButton bevel(plain);
        bevel.rect = button->rect;
        bevel.text.clear();
        bevel.icon = QIcon();
        QProxyStyle::drawComplexControl(control, &bevel, painter, widget);
        QProxyStyle::drawControl(CE_ToolButtonLabel, &plain, painter, widget);
        QStyleOption arrow(*button);
        arrow.rect = QRect(button->rect.right() - kArrow - kGap + 1,
                           button->rect.center().y() - kArrow / 2 + 1, kArrow, kArrow);
        arrow.state &= ~State_Sunken;
        QProxyStyle::drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }
};

QStyle* styleNamed(const QString& name) {
    return new DesktopStyle(QStyleFactory::create(name));
}

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");

// The portal wraps the value in one or two variants depending on its version.
uint schemeFrom(QVariant value) {
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value.toUInt();
}

bool paletteIsDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

void setHighlight(QPalette& p, const QColor& highlight) {
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, highlight.lightness() > 160 ? Qt::black : Qt::white);
    p.setColor(QPalette::Link, highlight);
}

} // namespace

QPalette lightPalette(const QColor& highlight) {
    QPalette p(QColor(0xf6, 0xf5, 0xf4));
    p.setColor(QPalette::Window, QColor(0xf6, 0xf5, 0xf4));
    p.setColor(QPalette::WindowText, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xf4, 0xf4, 0xf4));
    p.setColor(QPalette::Text, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Button, QColor(0xed, 0xec, 0xeb));
    p.setColor(QPalette::ButtonText, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::PlaceholderText, QColor(0x6e, 0x6e, 0x6e));
    p.setColor(QPalette::ToolTipBase, QColor(0xfa, 0xfa, 0xfa));
    p.setColor(QPalette::ToolTipText, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Mid, QColor(0xd0, 0xcf, 0xcc));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9a, 0x9a, 0x9a));
    setHighlight(p, highlight);
    return p;
}

QPalette darkPalette(const QColor& highlight) {
    QPalette p(QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
    p.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ToolTipText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Mid, QColor(0x44, 0x44, 0x44));
    p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    setHighlight(p, highlight);
    return p;
}

AppearanceController::AppearanceController(SearchModel& model, QObject* parent)
    : QObject(parent), m_model(model) {
    m_platformStyle = QApplication::style()->name();
    m_platformPalette = QApplication::palette();
    QApplication::setStyle(styleNamed(m_platformStyle));
    QApplication::setPalette(m_platformPalette);
    SearchModel* m = &model;
    follow(
        this, m, [m] { return m->appearance(); }, [this](AppearanceMode) { apply(); },
        &SearchModel::appearanceChanged);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(kPortal, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
                    SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
        readPortal();
    }
}

void AppearanceController::readPortal() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, QStringLiteral("Read"));
    call << kAppearanceGroup << kColorScheme;
    // Asked without waiting: the window shows at once and turns dark when the answer comes.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 3000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        QDBusPendingReply<QVariant> reply = *w;
        if (!reply.isError())
            setDesktopColorScheme(schemeFrom(reply.value()));
    });
}

void AppearanceController::portalSettingChanged(const QString& group, const QString& key,
                                                const QDBusVariant& value) {
    if (group == kAppearanceGroup && key == kColorScheme)
        setDesktopColorScheme(schemeFrom(value.variant()));
}

void AppearanceController::setDesktopColorScheme(uint scheme) {
    if (scheme == m_desktopScheme)
        return;
    m_desktopScheme = scheme;
    if (m_model.appearance() == AppearanceMode::system)
        apply();
}

void AppearanceController::apply() {
    const QColor highlight = m_platformPalette.color(QPalette::Active, QPalette::Highlight);
    const AppearanceMode mode = m_model.appearance();
    bool dark = mode == AppearanceMode::dark;
    if (mode == AppearanceMode::system) {
        const bool platformDark = paletteIsDark(m_platformPalette);
        dark = m_desktopScheme == 1 ? true : (m_desktopScheme == 2 ? false : platformDark);
        if (dark == platformDark) {
            // The platform's own look already matches: restore it untouched.
            if (m_applied) {
                QApplication::setStyle(styleNamed(m_platformStyle));
                m_fusion = false;
                QApplication::setPalette(m_platformPalette);
            }
            m_darkActive = dark;
            return;
        }
    }
    m_applied = true;
    m_darkActive = dark;
    if (!m_fusion) {
        QApplication::setStyle(styleNamed(QStringLiteral("Fusion")));
        m_fusion = true;
    }
    QApplication::setPalette(dark ? darkPalette(highlight) : lightPalette(highlight));
}

} // namespace qb
