#include "ui/results/ResultDelegate.h"

#include "ui/results/ResultsTableModel.h"

#include <QApplication>
#include <QPainter>
#include <QTextBoundaryFinder>

namespace qb {

QList<QTextLayout::FormatRange>
highlightFormats(const QString& name, const std::vector<NameRange>& ranges, const QFont& font) {
    QList<QTextLayout::FormatRange> formats;
    if (ranges.empty())
        return formats;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
    auto isBoundary = [&](qsizetype at) {
        characters.setPosition(at);
        return characters.isAtBoundary();
    };
    QTextCharFormat emphasis;
    QFont bold = font;
    bold.setBold(true);
    emphasis.setFont(bold);
    emphasis.setFontUnderline(true);
    for (const NameRange& r : ranges) {
        if (r.location < 0 || r.length <= 0 || r.location + r.length > name.size())
            continue;
        if (!isBoundary(qsizetype(r.location)) || !isBoundary(qsizetype(r.location + r.length)))
            continue;
        formats.append({int(r.location), int(r.length), emphasis});
    }
    return formats;
}

void drawName(QPainter* p, const QRect& rect, const QString& name,
              const QList<QTextLayout::FormatRange>& formats, const QFont& font,
              Qt::LayoutDirection cellDirection) {
    QString shown = name;
    QList<QTextLayout::FormatRange> shownFormats = formats;
    QFontMetrics metrics(font);
    // Bold runs are wider than the plain measure: leave room for them before eliding.
    if (metrics.horizontalAdvance(name) * (formats.isEmpty() ? 1.0 : 1.1) > rect.width()) {
        shown = metrics.elidedText(name, Qt::ElideRight, int(rect.width() / 1.1));
        const int kept = int(shown.size()) - 1; // the characters before the ellipsis
        shownFormats.clear();
        for (auto f : formats) {
            if (f.start >= kept)
                continue;
            f.length = std::min(f.length, kept - f.start);
            shownFormats.append(f);
        }
    }
    QTextLayout layout(shown, font);
    layout.setFormats(shownFormats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const qreal y = rect.top() + (rect.height() - line.height()) / 2;
    const qreal x = cellDirection == Qt::RightToLeft
                        ? rect.left() + rect.width() - line.naturalTextWidth()
                        : rect.left();
    p->save();
    p->setClipRect(rect);
    layout.draw(p, QPointF(x, y));
    p->restore();
}

QString drawCellBackground(QPainter* painter, QStyleOptionViewItem& opt) {
    const QString text = opt.text;
    opt.text.clear();
    opt.icon = QIcon();
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    return text;
}

void ResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const int column = index.column();
    if (column != ResultsTableModel::nameColumn && column != ResultsTableModel::locationColumn &&
        column != ResultsTableModel::kindColumn && column != ResultsTableModel::sizeColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = drawCellBackground(painter, opt);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    QRect r = opt.rect.adjusted(6, 0, -6, 0);
    painter->save();
    if (column == ResultsTableModel::nameColumn) {
        painter->setPen(
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        const bool rightToLeft = opt.direction == Qt::RightToLeft;
        const QRect iconRect(rightToLeft ? r.right() + 1 - kIconSize : r.left(),
                             r.top() + (r.height() - kIconSize) / 2, kIconSize, kIconSize);
        icon.paint(painter, iconRect);
        if (rightToLeft)
            r.setRight(iconRect.left() - 7);
        else
            r.setLeft(iconRect.right() + 7);
        const auto ranges =
            index.data(ResultsTableModel::MatchRangesRole).value<std::vector<NameRange>>();
        drawName(painter, r, text, highlightFormats(text, ranges, opt.font), opt.font,
                 opt.direction);
    } else {
        // Kind, size and location are secondary text.
        painter->setPen(selected ? opt.palette.color(group, QPalette::HighlightedText)
                                 : opt.palette.color(group, QPalette::PlaceholderText));
        painter->setFont(opt.font);
        const Qt::TextElideMode elide =
            column == ResultsTableModel::locationColumn ? Qt::ElideMiddle : Qt::ElideRight;
        const QString shown = opt.fontMetrics.elidedText(text, elide, r.width());
        // Placed as the cell's direction says, written in the text's own: a size or a path
        // read in a right-to-left window stays "116.8 kB", not "kB 116.8".
        const Qt::Alignment align = QStyle::visualAlignment(
            opt.direction,
            column == ResultsTableModel::sizeColumn ? Qt::AlignRight : Qt::AlignLeft);
        painter->setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        painter->drawText(r, int(align | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
    }
    painter->restore();
}

QSize ResultDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), kIconSize + 8));
    return size;
}

} // namespace qb
