#pragma once
// The search window: the menu bar and toolbar over the search view. The model holds it weakly
// through a small handle that dies with the window.

#include "model/Desktop.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QToolBar;

namespace qb {

class Commands;
class SearchModel;
class SearchView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window places the commands in its menu bar, toolbar and item menus.
    MainWindow(SearchModel& model, Commands& commands, QWidget* parent = nullptr);
    ~MainWindow() override;

    SearchView* view() const { return m_view; }
    // What the model holds, weakly, to resize, close and raise this window.
    std::shared_ptr<SearchWindow> handle() const { return m_handle; }

    // Sets the minimum and actual size of the content below the menus and toolbar.
    void setContentSizes(int minWidth, int minHeight, int width, int height);
    void raiseAndActivate();

private:
    void buildToolBar();

    SearchModel& m_model;
    Commands& m_commands;
    SearchView* m_view;
    QToolBar* m_toolBar = nullptr;
    std::shared_ptr<SearchWindow> m_handle;
};

} // namespace qb
