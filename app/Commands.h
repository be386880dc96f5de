#pragma once
// The application's menu commands, each one QAction with its title, shortcut and enabling
// rule, placed in every search window's menu bar.

#include <QObject>

class QAction;
class QMenuBar;

namespace qb {

class SearchModel;

class Commands : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> openSettings;
        std::function<void()> closeWindow;
        std::function<void()> quit;
    };
    Commands(SearchModel& model, Hooks hooks, QObject* parent = nullptr);

    // Builds the File, Edit and Help menus of a window from the shared actions.
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

private:
    void refresh();

    SearchModel& m_model;
};

} // namespace qb
