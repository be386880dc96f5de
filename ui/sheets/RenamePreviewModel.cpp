#include "ui/sheets/RenamePreviewModel.h"

#include "model/ErrorText.h"
#include "search/PathText.h"
#include "ui/results/ResultDelegate.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/widgets/ShownText.h"

#include <QApplication>
#include <QPainter>

namespace qb {

void RenamePreviewModel::setPlan(RenamePlan plan) {
    beginResetModel();
    m_plan = std::move(plan);
    endResetModel();
}

int RenamePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_plan.rows.size());
}

int RenamePreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant RenamePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_plan.rows.size())
        return {};
    const PlannedRename& row = m_plan.rows[size_t(index.row())];
    // The inserted text, drawn as the results draw their matches.
    if (role == ResultsTableModel::MatchRangesRole)
        return index.column() == newNameColumn ? QVariant::fromValue(row.changed) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::AccessibleTextRole)
        return {};
    QString text;
    switch (index.column()) {
    case oldNameColumn:
        text = shownText(lastComponent(row.item));
        break;
    case newNameColumn:
        text = shownText(row.newName);
        break;
    case stateColumn:
        text = ErrorText::renameState(row.state);
        break;
    }
    // Long names are cut off in their column; the tooltip holds them whole, never as markup.
    return role == Qt::ToolTipRole ? toolTipText(text) : text;
}

QVariant RenamePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case oldNameColumn:
        return tr("Name");
    case newNameColumn:
        return tr("New Name");
    case stateColumn:
        return tr("State");
    }
    return {};
}

void RenamePreviewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const auto ranges =
        index.data(ResultsTableModel::MatchRangesRole).value<std::vector<NameRange>>();
    if (ranges.empty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = drawCellBackground(painter, opt);
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    drawName(painter, rect, text, highlightFormats(text, ranges, opt.font), opt.font,
             opt.direction);
    painter->restore();
}

} // namespace qb
