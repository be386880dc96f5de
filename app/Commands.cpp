#include "Commands.h"

#include "model/SearchModel.h"

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
                        &SearchModel::fileActionRunningChanged, &SearchModel::runningChanged})
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
    const QString undoTitle =
        m_model.undoHistory().empty() ? tr("Undo") : tr("Undo File Operation");
    if (undo->text() != undoTitle)
        undo->setText(undoTitle);
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

    QMenu* helpMenu = bar->addMenu(tr("&Help"));
    helpMenu->addAction(help);
}

} // namespace qb
