#pragma once
// The rows of a rename preview: old name, new name and the state in words. Texts are made
// when a row is drawn, so that a plan of 20,000 rows is taken in at once.

#include "search/RenamePlanner.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace qb {

class RenamePreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { oldNameColumn, newNameColumn, stateColumn, columnCount_ };

    using QAbstractTableModel::QAbstractTableModel;
    void setPlan(RenamePlan plan);
    const RenamePlan& plan() const { return m_plan; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RenamePlan m_plan;
};

// Draws the new names with their inserted text emphasised as the results' matched text is.
class RenamePreviewDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace qb
