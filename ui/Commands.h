#pragma once
// Every command of the search window, each one QAction with its title, shortcut, icon and
// enabling rule: the menu bar, the toolbar and the item menus all place these same actions.
// Item commands act on the selection, or on a context menu's items while that menu is open.

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace qb {

class SearchModel;
class FileActionMenu;

class Commands : public QObject {
    Q_OBJECT
public:
    using Items = std::vector<std::string>;
    // What only the application can do; a missing hook leaves its command inert.
    struct Hooks {
        std::function<void()> openSettings;
        std::function<void()> closeWindow;
        std::function<void()> quit;
    };
    Commands(SearchModel& model, Hooks hooks, QObject* parent = nullptr);

    // Builds the File, Edit, Results and Help menus of a window.
    void populate(QMenuBar* bar) const;
    // Fills a context menu for the items; until the menu is gone, item commands act on them.
    // With no items, the empty area's menu: only a new empty folder.
    void fillItemMenu(QMenu* menu, Items items);
    // The items the item commands act on now.
    Items targets() const;

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
    // Item commands.
    QAction* open;
    QAction* quickLook;
    QAction* reveal;
    QAction* copyItems;
    QAction* copyPaths;
    QAction* getInfo;
    FileActionMenu* fileActions;

private:
    void refresh();
    void aimAt(QMenu* menu, Items items);

    SearchModel& m_model;
    // A context menu's items, while it is open.
    std::optional<Items> m_menuItems;
    QPointer<QObject> m_menu; // a QObject: compared while it is being destroyed
};

// The "Open With" submenu: the applications for the first item, then "Other…".
QMenu* makeOpenWithMenu(SearchModel& model, std::function<std::vector<std::string>()> items,
                        QWidget* parent);

// "Title (Shortcut)", with the action's own shortcut as this desktop writes it.
QString toolTipWithShortcut(const QAction* action);

} // namespace qb
