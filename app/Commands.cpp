#include "Commands.h"

#include "model/SearchModel.h"
#include "ui/FileActionMenu.h"

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

// Text editing goes to whichever widget has the keyboard, through its own slot.
void sendToFocus(const char* slot) {
    if (QWidget* w = QApplication::focusWidget())
        QMetaObject::invokeMethod(w, slot);
}

} // namespace

Commands::Commands(SearchModel& model, Hooks hooks, QObject* parent)
    : QObject(parent), m_model(model) {
    SearchModel* m = &model;
    chooseFolder =
        makeAction(this, tr("Choose Search Folder…"), QKeySequence(Qt::CTRL | Qt::Key_O));
    saveSearch = makeAction(this, tr("Save Search…"), QKeySequence(Qt::CTRL | Qt::Key_S));
    closeWindow = makeAction(this, tr("Close Window"), QKeySequence(Qt::CTRL | Qt::Key_W));
    quit = makeAction(this, tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    undo = makeAction(this, tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo = makeAction(this, tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    cut = makeAction(this, tr("Cut"), QKeySequence::Cut);
    copy = makeAction(this, tr("Copy"), QKeySequence::Copy);
    paste = makeAction(this, tr("Paste"), QKeySequence::Paste);
    selectAll = makeAction(this, tr("Select All"), QKeySequence::SelectAll);
    find = makeAction(this, tr("Find…"), QKeySequence(Qt::CTRL | Qt::Key_F));
    runSearch = makeAction(this, tr("Run Search"), QKeySequence(Qt::CTRL | Qt::Key_Return));
    stopSearch = makeAction(this, tr("Stop Search"), QKeySequence(Qt::CTRL | Qt::Key_Period));
    settings = makeAction(this, tr("Settings…"), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setMenuRole(QAction::PreferencesRole);
    help = makeAction(this, tr("Quillbrook Help"));

    open = makeAction(this, tr("Open"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    quickLook = makeAction(this, tr("Quick Look"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    reveal = makeAction(this, tr("Reveal in File Manager"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    copyPaths = makeAction(this, tr("Copy Paths"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    getInfo = makeAction(this, tr("Get Info"), QKeySequence(Qt::CTRL | Qt::Key_I));
    fileActions = new FileActionMenu(
        model, [m] { return m->selectedURLs(); }, this);
    connect(open, &QAction::triggered, m, [m] { m->open(); });
    connect(quickLook, &QAction::triggered, m, [m] { m->quickLook(); });
    auto revealItems = hooks.reveal;
    connect(reveal, &QAction::triggered, m, [m, revealItems] { revealItems(m->selectedURLs()); });
    connect(copyPaths, &QAction::triggered, m, [m] { m->copyPaths(); });
    connect(getInfo, &QAction::triggered, m, [m] {
        m->setInfoURLs(m->selectedURLs());
        m->setShowInfo(true);
    });

    connect(chooseFolder, &QAction::triggered, m, [m] { m->chooseFolder(); });
    connect(saveSearch, &QAction::triggered, m, [m] { m->startSaving(); });
    connect(closeWindow, &QAction::triggered, this, hooks.closeWindow);
    connect(quit, &QAction::triggered, this, hooks.quit);
    connect(undo, &QAction::triggered, m, [m] { m->undoOrRedo(false); });
    connect(redo, &QAction::triggered, m, [m] { m->undoOrRedo(true); });
    connect(cut, &QAction::triggered, this, [] { sendToFocus("cut"); });
    connect(copy, &QAction::triggered, this, [] { sendToFocus("copy"); });
    connect(paste, &QAction::triggered, this, [] { sendToFocus("paste"); });
    connect(selectAll, &QAction::triggered, this, [] { sendToFocus("selectAll"); });
    connect(find, &QAction::triggered, m, [m] { m->setFocusRequest(QUuid::createUuid()); });
    connect(runSearch, &QAction::triggered, m, [m] { m->search(); });
    connect(stopSearch, &QAction::triggered, m, [m] { m->cancel(); });
    connect(settings, &QAction::triggered, this, hooks.openSettings);
    connect(help, &QAction::triggered, m, [m] { m->setShowHelp(true); });

    for (auto signal : {&SearchModel::patternChanged, &SearchModel::undoHistoryChanged,
                        &SearchModel::redoHistoryChanged, &SearchModel::fileActionRunningChanged,
                        &SearchModel::runningChanged, &SearchModel::selectionChanged,
                        &SearchModel::editingPatternChanged, &SearchModel::hitsChanged,
                        &SearchModel::filtersChanged})
        connect(m, signal, this, &Commands::refresh);
    refresh();
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
    const bool anySelected = !m_model.selection().empty();
    for (QAction* a : {open, quickLook, reveal, copyPaths, getInfo})
        a->setEnabled(anySelected);
    fileActions->refresh();
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
        m_model, [m] { return m->selectedURLs(); }, results);
    results->addMenu(openWith);
    connect(results, &QMenu::aboutToShow, openWith,
            [openWith, m] { openWith->setEnabled(!m->selection().empty()); });
    results->addSeparator();
    fileActions->addTo(results);

    QMenu* helpMenu = bar->addMenu(tr("&Help"));
    helpMenu->addAction(help);
}

} // namespace qb
