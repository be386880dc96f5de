#include "ui/widgets/Symbols.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>

// The bundled drawings live in this static library; make sure they are registered.
static void initSymbols() {
    Q_INIT_RESOURCE(symbols);
}

namespace qb {
namespace {

// One table from the window's symbol names to icon-naming-specification names.
const QHash<QString, QStringList>& symbolTable() {
    static const QHash<QString, QStringList> table = {
        {"magnifyingglass", {"system-search-symbolic", "edit-find-symbolic", "system-search"}},
        {"stop.fill", {"media-playback-stop-symbolic", "process-stop-symbolic", "process-stop"}},
        {"folder.fill", {"folder-symbolic", "folder"}},
        {"folder", {"folder-symbolic", "folder"}},
        {"folder.badge.plus", {"folder-new-symbolic", "folder-new"}},
        {"bookmark", {"user-bookmarks-symbolic", "bookmark-new-symbolic", "user-bookmarks"}},
        {"plus", {"list-add-symbolic", "list-add"}},
        {"sidebar.left", {"sidebar-show-symbolic", "view-dual-symbolic"}},
        {"eye", {"view-reveal-symbolic", "document-preview"}},
        {"ellipsis.circle", {"view-more-symbolic", "open-menu-symbolic", "application-menu"}},
        {"slider.horizontal.3", {}}, // a gear reads as settings, not options
        {"questionmark.circle", {}}, // the themes draw a life buoy or a page: ours is clearer
        {"line.3.horizontal.decrease", {}}, // the themes have no filter but a list
        {"exclamationmark.circle", {"dialog-error-symbolic", "dialog-error"}},
        {"exclamationmark.triangle", {"dialog-warning-symbolic", "dialog-warning"}},
        {"arrow.clockwise", {"view-refresh-symbolic", "view-refresh"}},
        {"doc.text.magnifyingglass", {"edit-find-symbolic", "system-search-symbolic"}},
        {"text.magnifyingglass", {"edit-find-symbolic", "system-search-symbolic"}},
        {"stop.circle", {}}, // the themes draw a cross, which reads as an error
        {"xmark.circle.fill", {"window-close-symbolic", "edit-clear-symbolic", "window-close"}},
        {"arrow.up.left", {}}, // not undo: "put this into the field"
        {"rectangle", {}},
        {"rectangle.compress.vertical", {}},
    };
    return table;
}

// Paints the theme's (or the bundled) icon, recoloured at paint time: symbolic icons carry
// one dark grey that would vanish on a dark palette.
class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QIcon base, QColor tint, QString key)
        : m_base(std::move(base)), m_tint(tint), m_key(std::move(key)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size(), mode, state, dpr);
        painter->drawPixmap(rect, pm);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QColor color =
            m_tint.isValid()
                ? m_tint
                : QApplication::palette().color(mode == QIcon::Selected ? QPalette::HighlightedText
                                                                        : QPalette::WindowText);
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.4);
        const QSize device = size * scale;
        const QString cacheKey = QStringLiteral("qb-symbol:%1:%2x%3:%4:%5")
                                     .arg(m_key)
                                     .arg(device.width())
                                     .arg(device.height())
                                     .arg(color.rgba(), 0, 16)
                                     .arg(int(state));
        QPixmap pm;
        if (QPixmapCache::find(cacheKey, &pm))
            return pm;
        pm = m_base.pixmap(device, QIcon::Normal, state);
        if (pm.isNull())
            return pm;
        QPainter p(&pm);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(pm.rect(), color);
        p.end();
        pm.setDevicePixelRatio(scale);
        QPixmapCache::insert(cacheKey, pm);
        return pm;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new TintedIconEngine(m_base, m_tint, m_key); }
    QString key() const override { return QStringLiteral("qb-tinted"); }

private:
    QIcon m_base;
    QColor m_tint;
    QString m_key;
};

} // namespace

QStringList themeNamesFor(const QString& name) {
    return symbolTable().value(name);
}

QIcon symbol(const QString& name, const QColor& tint) {
    QIcon base;
    for (const QString& themeName : themeNamesFor(name)) {
        base = QIcon::fromTheme(themeName);
        if (!base.isNull())
            break;
    }
    if (base.isNull()) {
        static const bool registered = (initSymbols(), true);
        Q_UNUSED(registered);
        base = QIcon(QStringLiteral(":/symbols/%1.svg").arg(name));
    }
    return QIcon(new TintedIconEngine(base, tint, name + QLatin1Char('/') + base.name()));
}

void setUpIconTheme() {
    const QString current = QIcon::themeName();
    if (current.isEmpty() || current == QLatin1String("hicolor")) {
        for (const QString& dir : QIcon::themeSearchPaths()) {
            if (QFile::exists(dir + QStringLiteral("/Adwaita/index.theme"))) {
                QIcon::setThemeName(QStringLiteral("Adwaita"));
                break;
            }
        }
    }
}

SymbolLabel::SymbolLabel(const QString& name, int size, QPalette::ColorRole role, QWidget* parent)
    : QLabel(parent), m_name(name), m_size(size), m_role(role) {
    setFixedSize(size, size);
    render();
}

void SymbolLabel::setSymbol(const QString& name) {
    m_name = name;
    render();
}

void SymbolLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        render();
}

void SymbolLabel::render() {
    setPixmap(symbol(m_name, palette().color(m_role)).pixmap(m_size, m_size));
}

} // namespace qb
