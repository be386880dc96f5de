#pragma once
// The file actions on a set of items: new folder (with them), move, copy, duplicate, rename,
// rename by pattern, compress and move to the trash, on the items a provider names.

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
    void refresh(const std::vector<std::string>& items);

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

} // namespace qb
