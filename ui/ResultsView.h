#pragma once
// The results table: rows from the model's ordered hits, its selection and sort order bound
// to the model both ways, and the keys that open, rename and preview items.

#include <QTableView>

namespace qb {

class SearchModel;
class ResultsTableModel;

class ResultsView : public QTableView {
    Q_OBJECT
public:
    explicit ResultsView(SearchModel& model, QWidget* parent = nullptr);
    ResultsTableModel* tableModel() const { return m_table; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pushSelection();
    void pullSelection();
    void rememberPosition();
    void restorePosition();

    SearchModel& m_model;
    ResultsTableModel* m_table;
    bool m_syncing = false;
    std::string m_currentUrl;
    int m_scroll = 0;
};

} // namespace qb
