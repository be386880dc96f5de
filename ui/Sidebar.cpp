#include "ui/Sidebar.h"

#include "model/SearchModel.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>
#include <algorithm>

namespace qb {
namespace {

enum Role { kindRole = Qt::UserRole, indexRole };
enum Kind { savedRow, saveButton, recentRow, chooseButton, emptyNote };

// Rows as tall as the desktop's own sidebars, so icons never crowd the row above.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height() + 8, 28));
        return size;
    }
};

} // namespace

Sidebar::Sidebar(SearchModel& model, QWidget* parent) : QTreeWidget(parent), m_model(model) {
    setObjectName("sidebar");
    setAccessibleName(tr("Sidebar"));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIndentation(12);
    setFrameShape(QFrame::NoFrame);
    setFixedWidth(210);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setUniformRowHeights(true);
    setItemDelegate(new RowDelegate(this));
    setViewportMargins(0, 6, 0, 0);
    setIconSize({16, 16});
    setBackgroundRole(QPalette::Window);
    viewport()->setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    SearchModel* m = &model;
    connect(this, &QTreeWidget::itemClicked, this, &Sidebar::activate);
    connect(this, &QWidget::customContextMenuRequested, this, &Sidebar::showMenu);
    for (auto signal : {&SearchModel::savedSearchesChanged, &SearchModel::recentFoldersChanged})
        connect(m, signal, this, &Sidebar::scheduleRebuild);
    onChange(
        this, m, Initially::skip, [m] { return m->patternUsable(); },
        [this](bool) { scheduleRebuild(); }, &SearchModel::patternChanged);
    rebuild();
}

void Sidebar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate(currentItem());
        event->accept();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

// Rows are rebuilt after the current event: a click on a row may change the very lists
// (recalling a search remembers its folder), and the row must outlive its own signal.
void Sidebar::scheduleRebuild() {
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QMetaObject::invokeMethod(this, &Sidebar::rebuild, Qt::QueuedConnection);
}

void Sidebar::rebuild() {
    m_rebuildPending = false;
    const bool savedOpen = !m_saved || m_saved->isExpanded();
    const bool recentOpen = !m_recent || m_recent->isExpanded();
    clear();
    auto section = [this](const QString& title) {
        auto* item = new QTreeWidgetItem(this, {title});
        item->setFlags(Qt::ItemIsEnabled);
        item->setFont(0, fontFor(TextStyle::headline));
        item->setForeground(0, palette().brush(QPalette::PlaceholderText));
        return item;
    };
    auto row = [](QTreeWidgetItem* parent, const QString& text, const char* sym, Kind kind,
                  int index = -1) {
        auto* item = new QTreeWidgetItem(parent, {text});
        if (sym)
            item->setIcon(0, symbol(sym));
        item->setData(0, kindRole, kind);
        item->setData(0, indexRole, index);
        return item;
    };

    m_saved = section(tr("Saved Searches"));
    const auto& saved = m_model.savedSearches();
    if (saved.empty()) {
        auto* note = row(m_saved, tr("Save a pattern to use it again."), {}, emptyNote);
        note->setFlags(Qt::ItemIsEnabled);
        note->setFont(0, fontFor(TextStyle::callout));
        note->setForeground(0, palette().brush(QPalette::PlaceholderText));
    }
    for (int i = 0; i < int(saved.size()); ++i) {
        auto* item = row(m_saved, saved[i].title, "bookmark", savedRow, i);
        item->setToolTip(0, toolTipText(saved[i].pattern));
    }
    auto* save = row(m_saved, tr("Save Search…"), "plus", saveButton);
    if (!m_model.patternUsable())
        save->setFlags(save->flags() & ~Qt::ItemIsEnabled);

    m_recent = section(tr("Recent Folders"));
    const auto& recent = m_model.recentFolders();
    for (int i = 0; i < int(recent.size()); ++i) {
        auto* item = row(m_recent, shownName(recent[i]), "folder", recentRow, i);
        item->setToolTip(0, toolTipText(shownText(recent[i])));
    }
    row(m_recent, tr("Choose Folder…"), "folder.badge.plus", chooseButton);
    m_saved->setExpanded(savedOpen);
    m_recent->setExpanded(recentOpen);
}

void Sidebar::activate(QTreeWidgetItem* item) {
    if (!item || !item->parent() || !(item->flags() & Qt::ItemIsEnabled))
        return;
    const int index = item->data(0, indexRole).toInt();
    // The model's lists may change under the action (recall remembers the folder), so act on
    // copies taken first.
    switch (item->data(0, kindRole).toInt()) {
    case savedRow:
        if (index < int(m_model.savedSearches().size())) {
            SavedSearch saved = m_model.savedSearches()[index];
            m_model.recall(saved);
        }
        break;
    case saveButton:
        m_model.startSaving();
        break;
    case recentRow:
        if (index < int(m_model.recentFolders().size())) {
            std::string folder = m_model.recentFolders()[index];
            m_model.setFolder(folder);
        }
        break;
    case chooseButton:
        m_model.chooseFolder();
        break;
    default:
        break;
    }
}

void Sidebar::showMenu(const QPoint& pos) {
    QTreeWidgetItem* item = itemAt(pos);
    if (!item || item->data(0, kindRole).toInt() != savedRow || !item->parent())
        return;
    const int index = item->data(0, indexRole).toInt();
    if (index >= int(m_model.savedSearches().size()))
        return;
    const QUuid id = m_model.savedSearches()[index].id;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    SearchModel* m = &m_model;
    menu->addAction(tr("Remove Saved Search"), m, [m, id] { m->removeSaved(id); });
    menu->popup(viewport()->mapToGlobal(pos));
}

} // namespace qb
