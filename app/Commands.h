#pragma once
// The application's menu commands, each one QAction with its title, shortcut and enabling
// rule, placed in every search window's menu bar.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenuBar;

namespace qb {

class SearchModel;
class FileActionMenu;

class Commands : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> openSettings;
        std::function<void()> closeWindow;
        std::function<void()> quit;
        std::function<void(const std::vector<std::string>&)> reveal;
    };
    Commands(SearchModel& model, Hooks hooks, QObject* parent = nullptr);

    // Builds the File, Edit, Results and Help menus of a window from the shared actions.
    void populate(QMenuBar* bar) const;

    QAction* chooseFolder;
    QAction* saveSearch;
    QAction* closeWindow;
    QAction* quit;
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* selectAll;
    QAction* find;
    QAction* runSearch;
    QAction* stopSearch;
    QAction* settings;
    QAction* help;
    // The Results menu: the selection's items.
    QAction* open;
    QAction* quickLook;
    QAction* reveal;
    QAction* copyPaths;
    QAction* getInfo;
    FileActionMenu* fileActions;

private:
    void refresh();

    SearchModel& m_model;
};

} // namespace qb
