#pragma once
// The items a search could not search, with why: counts per reason, the first items in walk
// order (reason, name, location relative to the searched folder), and Reveal and Copy Paths
// for the selected rows. It follows the search while it runs.

#include "search/SkippedItems.h"

#include <QAbstractTableModel>
#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace qb {

class SearchModel;

class SkippedItemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { reasonColumn, nameColumn, locationColumn, columnCount_ };
    explicit SkippedItemsModel(SearchModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const SkippedItems& items() const { return m_items; }
    // Takes the model's current list: rows appended while a search grows, reset otherwise.
    void update();

private:
    SearchModel& m_model;
    SkippedItems m_items;
};

// The words for a row's reason; an unreadable folder gives the system's own description.
QString skipReasonText(const SkippedItem& item);

class SkippedSheet : public QDialog {
    Q_OBJECT
public:
    SkippedSheet(SearchModel& model, QWidget* parent);
    QTableView* table() const { return m_table; }

private:
    QString countsText() const;
    std::vector<std::string> selectedPaths() const;
    void refresh();

    SearchModel& m_model;
    SkippedItemsModel* m_rows;
    QLabel* m_counts;
    QTableView* m_table;
    QLabel* m_more;
    QPushButton* m_reveal;
    QPushButton* m_copy;
};

// Opens the sheet over the window without waiting for it.
SkippedSheet* openSkippedSheet(SearchModel& model, QWidget* parent);

} // namespace qb
