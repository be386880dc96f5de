#pragma once
// The results table: rows from the model's ordered hits, its selection and sort order bound
// to the model both ways, and the keys that open, rename and preview items.

#include <QTableView>
#include <functional>

class QMenu;

namespace qb {

class Commands;
class SearchModel;
class ResultsTableModel;

class ResultsView : public QTableView {
    Q_OBJECT
public:
    using Items = std::vector<std::string>;
    ResultsView(SearchModel& model, Commands& commands, QWidget* parent = nullptr);
    ResultsTableModel* tableModel() const { return m_table; }

    // The menu for a point in the viewport: its row's items, or the empty area's.
    QMenu* itemMenu(const QPoint& viewportPos);
    // The items a click at that point acts on: the selection when the row is part of it.
    Items itemsAt(const QPoint& viewportPos) const;

public Q_SLOTS:
    // The selected items, as files other programs can paste.
    void copy();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
    void pushSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void pullSelection();

    SearchModel& m_model;
    ResultsTableModel* m_table;
    Commands& m_commands;
    bool m_pullDue = false; // the model's selection is to be shown once the rows catch up
    bool m_fitting = false;
    bool m_columnsSizedByUser = false;
};

} // namespace qb
