#include "ui/FileActionMenu.h"

#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/sheets/RenameMatchesDialog.h"
#include "ui/widgets/ShownText.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace qb {

FileActionMenu::FileActionMenu(SearchModel& model, Items items, QObject* parent)
    : QObject(parent), m_model(model), m_items(std::move(items)) {
    auto make = [this](const QKeySequence& shortcut = {}) {
        auto* a = new QAction(this);
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    newFolder = make(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    moveTo = make();
    moveTo->setText(tr("Move to…"));
    copyTo = make();
    copyTo->setText(tr("Copy to…"));
    duplicate = make(QKeySequence(Qt::CTRL | Qt::Key_D));
    duplicate->setText(tr("Duplicate"));
    rename = make(QKeySequence(Qt::Key_F2));
    rename->setText(tr("Rename…"));
    renameMatches = make(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    renameMatches->setText(tr("Rename Matches…"));
    compress = make();
    separator = new QAction(this);
    separator->setSeparator(true);
    trash = make(QKeySequence(Qt::Key_Delete));
    trash->setText(tr("Move to Trash"));
    trash->setIcon(QIcon::fromTheme(QStringLiteral("user-trash-symbolic")));

    SearchModel* m = &model;
    // Every action reads the items when it runs, so it acts on what the menu showed.
    connect(newFolder, &QAction::triggered, m, [this, m] { m->newFolder(m_items()); });
    connect(moveTo, &QAction::triggered, m, [this, m] { m->moveItems(m_items(), false); });
    connect(copyTo, &QAction::triggered, m, [this, m] { m->moveItems(m_items(), true); });
    connect(duplicate, &QAction::triggered, m, [this, m] {
        if (!m->editingPattern())
            m->duplicateItems(m_items());
    });
    connect(rename, &QAction::triggered, m, [this, m] {
        auto items = m_items();
        if (items.size() == 1)
            m->renameItem(items.front());
    });
    connect(renameMatches, &QAction::triggered, m, [this, m] {
        auto items = m_items();
        if (!items.empty() && !m->fileActionRunning())
            openRenameMatches(*m, std::move(items), QApplication::activeWindow());
    });
    connect(compress, &QAction::triggered, m, [this, m] { m->compressItems(m_items()); });
    connect(trash, &QAction::triggered, m, [this, m] {
        if (!m->editingPattern())
            m->trashItems(m_items());
    });
    refresh();
}

void FileActionMenu::addTo(QMenu* menu) const {
    menu->addActions(
        {newFolder, moveTo, copyTo, duplicate, rename, renameMatches, compress, separator, trash});
}

void FileActionMenu::refresh() {
    refresh(m_items());
}

void FileActionMenu::refresh(const std::vector<std::string>& items) {
    const size_t n = items.size();
    newFolder->setText(n == 0 ? tr("New Folder…")
                              : tr("New Folder with Selection (%Ln Item(s))…", "", int(n)));
    setActionText(compress, n == 1 ? tr("Compress “%1”").arg(shownText(lastComponent(items[0])))
                                   : tr("Compress %Ln Item(s)", "", int(n)));
    for (QAction* a : {moveTo, copyTo, duplicate, renameMatches, compress, separator, trash})
        a->setVisible(n > 0);
    rename->setVisible(n == 1);
    const bool idle = !m_model.fileActionRunning();
    const bool editing = m_model.editingPattern();
    for (QAction* a :
         {newFolder, moveTo, copyTo, duplicate, rename, renameMatches, compress, trash})
        a->setEnabled(idle);
    duplicate->setEnabled(idle && !editing);
    trash->setEnabled(idle && !editing);
}

} // namespace qb
