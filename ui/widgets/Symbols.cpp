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
    using namespace Qt::Literals::StringLiterals;
    static const QHash<QString, QStringList> table = {
        {u"magnifyingglass"_s,
         {u"system-search-symbolic"_s, u"edit-find-symbolic"_s, u"system-search"_s}},
        {u"stop.fill"_s,
         {u"media-playback-stop-symbolic"_s, u"process-stop-symbolic"_s, u"process-stop"_s}},
        {u"folder.fill"_s, {u"folder-symbolic"_s, u"folder"_s}},
        {u"folder"_s, {u"folder-symbolic"_s, u"folder"_s}},
        {u"folder.badge.plus"_s, {u"folder-new-symbolic"_s, u"folder-new"_s}},
        {u"bookmark"_s,
         {u"user-bookmarks-symbolic"_s, u"bookmark-new-symbolic"_s, u"user-bookmarks"_s}},
        {u"plus"_s, {u"list-add-symbolic"_s, u"list-add"_s}},
        {u"sidebar.left"_s, {u"sidebar-show-symbolic"_s, u"view-dual-symbolic"_s}},
        {u"eye"_s, {u"view-reveal-symbolic"_s, u"document-preview"_s}},
        {u"ellipsis.circle"_s,
         {u"view-more-symbolic"_s, u"open-menu-symbolic"_s, u"application-menu"_s}},
        {u"slider.horizontal.3"_s, {}}, // a gear reads as settings, not options
        {u"questionmark.circle"_s, {}}, // the themes draw a life buoy or a page: ours is clearer
        {u"line.3.horizontal.decrease"_s, {}}, // the themes have no filter but a list
        {u"exclamationmark.circle"_s, {u"dialog-error-symbolic"_s, u"dialog-error"_s}},
        {u"exclamationmark.triangle"_s, {u"dialog-warning-symbolic"_s, u"dialog-warning"_s}},
        {u"arrow.clockwise"_s, {u"view-refresh-symbolic"_s, u"view-refresh"_s}},
        {u"doc.text.magnifyingglass"_s, {u"edit-find-symbolic"_s, u"system-search-symbolic"_s}},
        {u"text.magnifyingglass"_s, {u"edit-find-symbolic"_s, u"system-search-symbolic"_s}},
        {u"stop.circle"_s, {}}, // the themes draw a cross, which reads as an error
        {u"xmark.circle.fill"_s,
         {u"window-close-symbolic"_s, u"edit-clear-symbolic"_s, u"window-close"_s}},
        {u"arrow.up.left"_s, {}}, // not undo: "put this into the field"
        {u"rectangle"_s, {}},
        {u"rectangle.compress.vertical"_s, {}},
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

QStringList themeNamesFor(QAnyStringView name) {
    return symbolTable().value(name.toString());
}

QIcon symbol(QAnyStringView symbolName, const QColor& tint) {
    const QString name = symbolName.toString();
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

SymbolLabel::SymbolLabel(QAnyStringView name, int size, QPalette::ColorRole role, QWidget* parent)
    : QLabel(parent), m_name(name.toString()), m_size(size), m_role(role) {
    setFixedSize(size, size);
    render();
}

void SymbolLabel::setSymbol(QAnyStringView name) {
    m_name = name.toString();
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
