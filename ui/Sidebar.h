#pragma once
// The workspace layout's sidebar: saved searches to recall and recent folders to search.

#include <QTreeWidget>

namespace qb {

class SearchModel;

class Sidebar : public QTreeWidget {
    Q_OBJECT
public:
    explicit Sidebar(SearchModel& model, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scheduleRebuild();
    void rebuild();
    void activate(QTreeWidgetItem* item);
    void showMenu(const QPoint& pos);

    SearchModel& m_model;
    QTreeWidgetItem* m_saved = nullptr;
    QTreeWidgetItem* m_recent = nullptr;
    bool m_rebuildPending = false;
};

} // namespace qb
