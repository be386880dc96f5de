#include "ui/MainWindow.h"

#include "model/SearchModel.h"
#include "ui/Commands.h"
#include "ui/SearchView.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Symbols.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

namespace qb {
namespace {

class WindowHandle : public SearchWindow {
public:
    explicit WindowHandle(MainWindow* window) : m_window(window) {}
    void setContentSizes(int minWidth, int minHeight, int width, int height) override {
        if (m_window)
            m_window->setContentSizes(minWidth, minHeight, width, height);
    }
    void closeWindow() override {
        if (m_window)
            m_window->close();
    }
    void activate() override {
        if (m_window)
            m_window->raiseAndActivate();
    }

private:
    QPointer<MainWindow> m_window;
};

} // namespace

MainWindow::MainWindow(SearchModel& model, Commands& commands, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_commands(commands) {
    setWindowTitle(tr("Quillbrook"));
    setAttribute(Qt::WA_DeleteOnClose);
    setUnifiedTitleAndToolBarOnMac(true);
    m_view = new SearchView(model, commands, this);
    setCentralWidget(m_view);
    commands.populate(menuBar());
    buildToolBar();
    const ContentSizes sizes = contentSizes(WindowLayout::focused, false);
    resize(sizes.width, sizes.height);
    m_handle = std::make_shared<WindowHandle>(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildToolBar() {
    SearchModel* m = &m_model;
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName("toolbar");
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize({16, 16});
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->toggleViewAction()->setEnabled(false);

    auto* sidebar = m_toolBar->addAction(symbol("sidebar.left"), tr("Sidebar"));
    sidebar->setToolTip(tr("Show or hide saved searches"));
    sidebar->setCheckable(true); // pressed while the sidebar shows
    connect(sidebar, &QAction::triggered, m, [m] {
        m->setLayout(m->layout() == WindowLayout::workspace ? WindowLayout::focused
                                                            : WindowLayout::workspace);
    });
    follow(
        this, m, [m] { return m->layout() == WindowLayout::workspace; },
        [sidebar](bool shown) { sidebar->setChecked(shown); }, &SearchModel::layoutChanged);
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);

    // Saved searches, rebuilt each time the menu opens so it always shows the current list.
    auto* savedMenu = new QMenu(tr("Saved Searches"), this);
    auto* saved = savedMenu->menuAction();
    saved->setIcon(symbol("bookmark"));
    saved->setToolTip(tr("Saved searches"));
    connect(savedMenu, &QMenu::aboutToShow, this, [savedMenu, m] {
        savedMenu->clear();
        const auto& list = m->savedSearches();
        if (list.empty())
            savedMenu->addAction(tr("No saved searches"))->setEnabled(false);
        for (const SavedSearch& s : list)
            setActionText(savedMenu->addAction(QString(), m, [m, s] { m->recall(s); }), s.title);
        savedMenu->addSeparator();
        savedMenu->addAction(tr("Save Current Search…"), m, [m] { m->startSaving(); })
            ->setEnabled(m->patternUsable());
    });
    m_toolBar->addAction(saved);
    if (auto* b = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(saved)))
        b->setPopupMode(QToolButton::InstantPopup);

    for (QAction* a : {m_commands.quickLook, m_commands.reveal}) {
        m_toolBar->addAction(a);
        a->setToolTip(toolTipWithShortcut(a));
    }

    auto* moreMenu = new QMenu(tr("More"), this);
    auto* more = moreMenu->menuAction();
    more->setIcon(symbol("ellipsis.circle"));
    more->setToolTip(tr("Window layout and settings"));
    auto* layoutMenu = moreMenu->addMenu(tr("Window Layout"));
    auto* layouts = new QActionGroup(layoutMenu);
    const QStringList titles{tr("Focused"), tr("Workspace"), tr("Compact")};
    for (int i = 0; i < titles.size(); ++i) {
        auto* a = layoutMenu->addAction(titles[i]);
        a->setCheckable(true);
        layouts->addAction(a);
        connect(a, &QAction::triggered, m, [m, i] {
            if (m->layout() != WindowLayout(i))
                m->setLayout(WindowLayout(i));
        });
    }
    follow(
        this, m, [m] { return m->layout(); },
        [layouts](WindowLayout layout) { layouts->actions()[int(layout)]->setChecked(true); },
        &SearchModel::layoutChanged);
    moreMenu->addSeparator();
    // The same commands as the Help and File menus', under this menu's shorter titles.
    moreMenu->addAction(tr("Pattern Reference"), m_commands.help, &QAction::trigger);
    moreMenu->addAction(tr("Settings"), m_commands.settings, &QAction::trigger);
    m_toolBar->addAction(more);
    if (auto* b = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(more)))
        b->setPopupMode(QToolButton::InstantPopup);
    // The toolbar is in the Tab chain too: the keyboard alone reaches every control.
    for (QAction* a : m_toolBar->actions())
        if (QWidget* w = m_toolBar->widgetForAction(a); qobject_cast<QToolButton*>(w))
            w->setFocusPolicy(Qt::TabFocus);
}

void MainWindow::setContentSizes(int minWidth, int minHeight, int width, int height) {
    // Content sizes exclude the menus and toolbar above the view.
    const int chrome = (menuBar() && !menuBar()->isHidden() ? menuBar()->sizeHint().height() : 0) +
                       (m_toolBar ? m_toolBar->sizeHint().height() : 0);
    m_view->setMinimumSize(minWidth, minHeight);
    setMinimumSize(minWidth, minHeight + chrome);
    resize(width, height + chrome);
}

void MainWindow::raiseAndActivate() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    // Each request reaches the compositor, which may flash the window as wanting attention.
    if (!isActiveWindow())
        activateWindow();
}

} // namespace qb
