#include "ui/sheets/RenamePreviewModel.h"

#include "model/ErrorText.h"
#include "search/PathText.h"
#include "ui/results/ResultDelegate.h"
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
    // The inserted ranges are read from the plan itself, as the results' delegate reads its hits.
    const auto* model = qobject_cast<const RenamePreviewModel*>(index.model());
    const size_t row = size_t(index.row());
    if (!model || index.column() != RenamePreviewModel::newNameColumn ||
        row >= model->plan().rows.size() || model->plan().rows[row].changed.empty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    drawName(painter, rect, text, highlightFormats(text, model->plan().rows[row].changed, opt.font),
             opt.font);
    painter->restore();
}

} // namespace qb
