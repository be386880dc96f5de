#pragma once
// Paints the results' cells from the table model's roles: the name with its icon and its
// matched characters in bold and underlined, the location shortened in the middle.

#include "search/SearchRecords.h"

#include <QStyledItemDelegate>
#include <QTextLayout>

namespace qb {

// The matched ranges (UTF-16 units of the name) as text formats; a range that falls outside
// the name or splits a character is left out, so the name draws plain there.
QList<QTextLayout::FormatRange>
highlightFormats(const QString& name, const std::vector<NameRange>& ranges, const QFont& font);
// Draws a cell's background, selection and focus as the style draws items, without its text
// and icon; returns the text, for the caller to draw. opt is initialised for the cell.
QString drawCellBackground(QPainter* painter, QStyleOptionViewItem& opt);
// Draws a name on one line in rect with the painter's pen, its formats applied, cut off at the
// end with an ellipsis when it does not fit; at the leading edge of a cell laid out in the given
// direction, the name itself in its own direction.
void drawName(QPainter* p, const QRect& rect, const QString& name,
              const QList<QTextLayout::FormatRange>& formats, const QFont& font,
              Qt::LayoutDirection cellDirection);

class ResultDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int kIconSize = 18;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace qb
