#pragma once
// The file actions on a set of items: new folder (with them), move, copy, duplicate, rename,
// rename by pattern, compress and move to the trash. One instance serves the Results menu (the
// selection, with live shortcuts) and one each item menu (the clicked items).

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace qb {

class SearchModel;

class FileActionMenu : public QObject {
    Q_OBJECT
public:
    using Items = std::function<std::vector<std::string>()>;
    FileActionMenu(SearchModel& model, Items items, QObject* parent);

    void addTo(QMenu* menu) const;
    // Titles, shown entries and enabling for the current items and model state.
    void refresh();

    QAction* newFolder;
    QAction* moveTo;
    QAction* copyTo;
    QAction* duplicate;
    QAction* rename;
    QAction* renameMatches;
    QAction* compress;
    QAction* separator;
    QAction* trash;

private:
    SearchModel& m_model;
    Items m_items;
};

// The "Open With" submenu: the applications for the first item, then "Other…".
QMenu* makeOpenWithMenu(SearchModel& model, std::function<std::vector<std::string>()> items,
                        QWidget* parent);

} // namespace qb
