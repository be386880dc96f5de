#include "ui/Commands.h"

#include "model/SearchModel.h"
#include "ui/FileActionMenu.h"
#include "ui/desktop/Applications.h"
#include "ui/desktop/ItemClipboard.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Symbols.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace qb {
namespace {

QAction* makeAction(QObject* owner, const QString& title, const QKeySequence& shortcut = {}) {
    auto* a = new QAction(title, owner);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

// The desktop's own keys for a standard command, or the given ones where it defines none.
QAction* makeStandardAction(QObject* owner, const QString& title, QKeySequence::StandardKey key,
                            const QKeySequence& fallback = {}) {
    QAction* a = makeAction(owner, title);
    const auto keys = QKeySequence::keyBindings(key);
    a->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{fallback} : keys);
    return a;
}

// Text editing goes to whichever widget has the keyboard, through its own slot.
void sendToFocus(const char* slot) {
    if (QWidget* w = QApplication::focusWidget())
        QMetaObject::invokeMethod(w, slot);
}

void connectHook(QAction* action, QObject* context, const std::function<void()>& hook) {
    if (hook)
        QObject::connect(action, &QAction::triggered, context, hook);
}

} // namespace

Commands::Commands(SearchModel& model, Hooks hooks, QObject* parent)
    : QObject(parent), m_model(model) {
    SearchModel* m = &model;
    chooseFolder =
        makeAction(this, tr("Choose Search Folder…"), QKeySequence(Qt::CTRL | Qt::Key_O));
    saveSearch = makeAction(this, tr("Save Search…"), QKeySequence(Qt::CTRL | Qt::Key_S));
    closeWindow = makeStandardAction(this, tr("Close Window"), QKeySequence::Close,
                                     QKeySequence(Qt::CTRL | Qt::Key_W));
    quit = makeStandardAction(this, tr("Quit"), QKeySequence::Quit,
                              QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    undo = makeStandardAction(this, tr("Undo"), QKeySequence::Undo,
                              QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = makeStandardAction(this, tr("Redo"), QKeySequence::Redo,
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    cut = makeStandardAction(this, tr("Cut"), QKeySequence::Cut);
    copy = makeStandardAction(this, tr("Copy"), QKeySequence::Copy);
    paste = makeStandardAction(this, tr("Paste"), QKeySequence::Paste);
    selectAll = makeStandardAction(this, tr("Select All"), QKeySequence::SelectAll);
    find = makeStandardAction(this, tr("Find…"), QKeySequence::Find,
                              QKeySequence(Qt::CTRL | Qt::Key_F));
    runSearch = makeAction(this, tr("Run Search"), QKeySequence(Qt::CTRL | Qt::Key_Return));
    stopSearch = makeAction(this, tr("Stop Search"), QKeySequence(Qt::CTRL | Qt::Key_Period));
    settings = makeStandardAction(this, tr("Settings…"), QKeySequence::Preferences,
                                  QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setMenuRole(QAction::PreferencesRole);
    help = makeAction(this, tr("Quillbrook Help"));

    open = makeAction(this, tr("Open"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    quickLook = makeAction(this, tr("Quick Look"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    quickLook->setIcon(symbol("eye"));
    reveal = makeAction(this, tr("Reveal in File Manager"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    reveal->setIcon(symbol("folder"));
    for (QAction* a : {quickLook, reveal})
        a->setIconVisibleInMenu(false); // the icons are for the toolbar
    copyItems = makeAction(this, tr("Copy Items"));
    copyPaths = makeAction(this, tr("Copy Paths"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    getInfo = makeAction(this, tr("Get Info"), QKeySequence(Qt::CTRL | Qt::Key_I));
    fileActions = new FileActionMenu(
        model, [this] { return targets(); }, this);

    // A desktop's standard list may hold a key this window gives to one of its own commands
    // (Ctrl+Y redoes elsewhere, here it previews): the window's command keeps it.
    QList<QKeySequence> own;
    for (QAction* a : findChildren<QAction*>())
        if (a != undo && a != redo && a != closeWindow && a != quit && a != find && a != settings)
            own += a->shortcuts();
    for (QAction* a : {undo, redo, closeWindow, quit, find, settings}) {
        auto keys = a->shortcuts();
        keys.removeIf([&own](const QKeySequence& k) { return own.contains(k); });
        a->setShortcuts(keys);
    }

    connect(open, &QAction::triggered, m, [this] { m_model.open(targets()); });
    connect(quickLook, &QAction::triggered, m, [this] { m_model.quickLook(targets()); });
    connect(reveal, &QAction::triggered, m, [this] { m_model.reveal(targets()); });
    connect(copyItems, &QAction::triggered, this, [this] {
        if (auto items = targets(); !items.empty())
            copyItemsToClipboard(items);
    });
    connect(copyPaths, &QAction::triggered, m, [this] { m_model.copyPaths(targets()); });
    connect(getInfo, &QAction::triggered, m, [this] {
        m_model.setInfoURLs(targets());
        m_model.setShowInfo(true);
    });

    connect(chooseFolder, &QAction::triggered, m, [m] { m->chooseFolder(); });
    connect(saveSearch, &QAction::triggered, m, [m] { m->startSaving(); });
    connectHook(closeWindow, this, hooks.closeWindow);
    connectHook(quit, this, hooks.quit);
    connect(undo, &QAction::triggered, m, [m] { m->undoOrRedo(false); });
    connect(redo, &QAction::triggered, m, [m] { m->undoOrRedo(true); });
    connect(cut, &QAction::triggered, this, [] { sendToFocus("cut"); });
    connect(copy, &QAction::triggered, this, [] { sendToFocus("copy"); });
    connect(paste, &QAction::triggered, this, [] { sendToFocus("paste"); });
    connect(selectAll, &QAction::triggered, this, [] { sendToFocus("selectAll"); });
    connect(find, &QAction::triggered, m, [m] { m->setFocusRequest(QUuid::createUuid()); });
    connect(runSearch, &QAction::triggered, m, [m] { m->search(); });
    connect(stopSearch, &QAction::triggered, m, [m] { m->cancel(); });
    connectHook(settings, this, hooks.openSettings);
    connect(help, &QAction::triggered, m, [m] { m->setShowHelp(true); });

    for (auto signal : {&SearchModel::patternChanged, &SearchModel::undoHistoryChanged,
                        &SearchModel::redoHistoryChanged, &SearchModel::fileActionRunningChanged,
                        &SearchModel::runningChanged, &SearchModel::selectionChanged,
                        &SearchModel::editingPatternChanged, &SearchModel::hitsChanged,
                        &SearchModel::filtersChanged})
        connect(m, signal, this, &Commands::refresh);
    refresh();
}

Commands::Items Commands::targets() const {
    return m_menuItems ? *m_menuItems : m_model.selectedURLs();
}

void Commands::refresh() {
    const bool usable = m_model.patternUsable();
    const bool fileRunning = m_model.fileActionRunning();
    saveSearch->setEnabled(usable);
    runSearch->setEnabled(usable);
    stopSearch->setEnabled(m_model.running());
    undo->setEnabled(!fileRunning);
    redo->setEnabled(!fileRunning);
    // A batch rename is one step, named for what it reverses.
    auto batchRename = [](const FileHistory& history) {
        return !history.empty() && !history.back().steps.empty() &&
               std::holds_alternative<FileUndoStep::Rename>(history.back().steps.front().action);
    };
    const QString undoTitle = m_model.undoHistory().empty()        ? tr("Undo")
                              : batchRename(m_model.undoHistory()) ? tr("Undo Rename")
                                                                   : tr("Undo File Operation");
    if (undo->text() != undoTitle)
        undo->setText(undoTitle);
    const QString redoTitle = batchRename(m_model.redoHistory()) ? tr("Redo Rename") : tr("Redo");
    if (redo->text() != redoTitle)
        redo->setText(redoTitle);

    const Items items = targets();
    const bool one = items.size() == 1;
    for (QAction* a : {open, quickLook, reveal, copyItems, copyPaths, getInfo})
        a->setEnabled(!items.empty());
    copyItems->setText(one ? tr("Copy Item") : tr("Copy Items"));
    // The menu bar's title is fixed; an item menu names what it holds.
    copyPaths->setText(m_menuItems && one ? tr("Copy Path") : tr("Copy Paths"));
    fileActions->refresh(items);
}

void Commands::aimAt(QMenu* menu, Items items) {
    m_menuItems = std::move(items);
    m_menu = menu;
    refresh();
    auto release = [this, menu] {
        if (m_menu.isNull() || m_menu.data() == menu) {
            m_menu = nullptr;
            m_menuItems.reset();
            refresh();
        }
    };
    // A command chosen from the menu runs after the menu hides: the items stay until then.
    connect(menu, &QMenu::aboutToHide, this,
            [this, release] { QMetaObject::invokeMethod(this, release, Qt::QueuedConnection); });
    connect(menu, &QObject::destroyed, this, release);
}

void Commands::fillItemMenu(QMenu* menu, Items items) {
    const bool empty = items.empty();
    aimAt(menu, std::move(items));
    if (empty) {
        // The empty area makes a new empty folder, whatever is selected.
        menu->addAction(fileActions->newFolder);
        return;
    }
    menu->addActions({open, quickLook, reveal, getInfo});
    menu->addMenu(makeOpenWithMenu(
        m_model, [this] { return targets(); }, menu));
    menu->addSeparator();
    menu->addActions({copyItems, copyPaths});
    menu->addSeparator();
    fileActions->addTo(menu);
}

void Commands::populate(QMenuBar* bar) const {
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(chooseFolder);
    file->addAction(saveSearch);
    file->addSeparator();
    file->addAction(settings);
    file->addSeparator();
    file->addAction(closeWindow);
    file->addAction(quit);

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(cut);
    edit->addAction(copy);
    edit->addAction(paste);
    edit->addAction(selectAll);
    edit->addSeparator();
    edit->addAction(find);
    edit->addAction(runSearch);
    edit->addAction(stopSearch);

    QMenu* results = bar->addMenu(tr("&Results"));
    results->addActions({open, quickLook, reveal, copyPaths, getInfo});
    SearchModel* m = &m_model;
    QMenu* openWith = makeOpenWithMenu(
        m_model, [this] { return targets(); }, results);
    results->addMenu(openWith);
    connect(results, &QMenu::aboutToShow, openWith,
            [openWith, m] { openWith->setEnabled(!m->selection().empty()); });
    results->addSeparator();
    fileActions->addTo(results);

    QMenu* helpMenu = bar->addMenu(tr("&Help"));
    helpMenu->addAction(help);
}

QMenu* makeOpenWithMenu(SearchModel& model, std::function<std::vector<std::string>()> items,
                        QWidget* parent) {
    auto* menu = new QMenu(QObject::tr("Open With"), parent);
    SearchModel* m = &model;
    menu->setEnabled(!items().empty());
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, m, items] {
        menu->clear();
        const auto current = items();
        for (const ApplicationEntry& app : m->applicationsFor(current)) {
            const std::string id = app.id;
            setActionText(menu->addAction(applicationIcon(app), QString(), m,
                                          [m, current, id] { m->openWith(current, id); }),
                          app.name);
        }
        menu->addSeparator();
        menu->addAction(QObject::tr("Other…"), m, [m, current] { m->chooseApplication(current); });
    });
    return menu;
}

QString toolTipWithShortcut(const QAction* action) {
    const QString title = action->text();
    if (action->shortcut().isEmpty())
        return title;
    return QObject::tr("%1 (%2)", "tooltip: a command's title and its shortcut")
        .arg(title, action->shortcut().toString(QKeySequence::NativeText));
}

} // namespace qb
