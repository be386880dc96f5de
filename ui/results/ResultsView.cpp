#include "ui/results/ResultsView.h"

#include "model/SearchModel.h"
#include "ui/Commands.h"
#include "ui/results/ResultDelegate.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/widgets/Binding.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace qb {
namespace {

// Column widths the table starts from; the kind widens up to its largest when there is room.
constexpr int kNameWidth = 240, kKindWidth = 100, kKindMaxWidth = 130, kLocationWidth = 230;

} // namespace

ResultsView::ResultsView(SearchModel& model, Commands& commands, QWidget* parent)
    : QTableView(parent), m_model(model), m_table(new ResultsTableModel(model, this)),
      m_commands(commands) {
    setObjectName("resultsView");
    setAccessibleName(tr("Results"));
    setModel(m_table);
    setItemDelegate(new ResultDelegate(this));
    setIconSize({ResultDelegate::kIconSize, ResultDelegate::kIconSize});
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = itemMenu(pos);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(viewport()->mapToGlobal(pos));
    });
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setFrameShape(QFrame::NoFrame);
    // Tab leaves the list, as in the desktop's own lists; arrows move inside it.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(fontMetrics().height() + 10, ResultDelegate::kIconSize + 8));
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(70);
    header->setSectionResizeMode(ResultsTableModel::nameColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ResultsTableModel::kindColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ResultsTableModel::sizeColumn, QHeaderView::Fixed);
    header->setStretchLastSection(true);
    header->resizeSection(ResultsTableModel::nameColumn, kNameWidth);
    header->resizeSection(ResultsTableModel::kindColumn, kKindWidth);
    // Wide enough for the widest size texts in this font and language, never under 70.
    int sizeWidth = 70;
    for (int64_t widest : {int64_t(999), int64_t(999'900'000)})
        sizeWidth = std::max(sizeWidth, fontMetrics().horizontalAdvance(sizeText(widest)) + 16);
    header->resizeSection(ResultsTableModel::sizeColumn, sizeWidth);
    header->resizeSection(ResultsTableModel::locationColumn, kLocationWidth);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionResized, this, [this](int column) {
        // The last column stretches with the window on its own.
        if (!m_fitting && column != ResultsTableModel::locationColumn)
            m_columnsSizedByUser = true;
    });

    SearchModel* m = &model;
    follow(
        this, m, [m] { return m->sortOrder(); },
        [this](const SortOrder& order) {
            if (order.empty())
                return;
            static constexpr SortKey keys[] = {SortKey::name, SortKey::kind, SortKey::byteCount,
                                               SortKey::parentPath};
            const int column =
                int(std::find(std::begin(keys), std::end(keys), order[0].key) - std::begin(keys));
            const auto direction = order[0].ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
            if (horizontalHeader()->sortIndicatorSection() != column ||
                horizontalHeader()->sortIndicatorOrder() != direction)
                horizontalHeader()->setSortIndicator(column, direction);
        },
        &SearchModel::sortOrderChanged);
    // Only now: turning sorting on sorts by the header's indicator, which must already show
    // the model's order, or the view would write its own default into the model.
    setSortingEnabled(true);
    // The rows change by insertions and layout changes, which Qt's selection, current row and
    // scroll position follow by themselves; the two selections are kept equal by their changes.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ResultsView::pushSelection);
    connect(m, &SearchModel::selectionChanged, this, &ResultsView::pullSelection);
    // After a reset or a layout change Qt's selection can differ from the model's with no
    // signal saying so (rows dropped, or a whole-table range stretched over newcomers): the
    // model's is shown again once the rows have caught up.
    connect(m_table, &QAbstractItemModel::modelReset, this, [this] { m_pullDue = true; });
    connect(m_table, &QAbstractItemModel::layoutChanged, this, [this] { m_pullDue = true; });
    connect(m_table, &ResultsTableModel::caughtUp, this, [this] {
        if (m_pullDue)
            pullSelection();
    });
    // An item the model holds selected shows selected when its row comes in.
    connect(m_table, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                const auto& wanted = m_model.selection();
                if (wanted.empty())
                    return;
                QItemSelection arrived;
                for (int row = first; row <= last; ++row)
                    if (const SearchHit* hit = m_table->hit(row); hit && wanted.count(hit->url))
                        arrived.select(m_table->index(row, 0),
                                       m_table->index(row, ResultsTableModel::columnCount_ - 1));
                if (!arrived.isEmpty())
                    selectionModel()->select(arrived, QItemSelectionModel::Select);
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const SearchHit* hit = m_table->hit(index.row());
        if (!hit)
            return;
        if (m_model.selection().count(hit->url))
            m_model.open();
        else
            m_model.open(std::vector<std::string>{hit->url});
    });
}

void ResultsView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
        event->accept();
        return;
    }
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                  event->key() == Qt::Key_F2)) {
        auto urls = m_model.selectedURLs();
        if (!m_model.fileActionRunning() && urls.size() == 1) {
            m_model.renameItem(urls.front());
            event->accept();
            return;
        }
        event->ignore();
        return;
    }
    if (plain && event->key() == Qt::Key_Space) {
        if (!m_model.selection().empty()) {
            m_model.quickLook();
            event->accept();
            return;
        }
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultsView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

// Spare width widens the kind to its largest, so descriptions are not cut off, then goes to
// the name and the location alike; the location, last, takes what remains. Once the user has
// dragged a column, the widths are theirs.
void ResultsView::fitColumns() {
    if (m_columnsSizedByUser)
        return;
    const int size = horizontalHeader()->sectionSize(ResultsTableModel::sizeColumn);
    const int spare = viewport()->width() - (kNameWidth + kKindWidth + size + kLocationWidth);
    const int kindExtra = std::clamp(spare, 0, kKindMaxWidth - kKindWidth);
    const int rest = std::max(0, spare - kindExtra);
    m_fitting = true;
    horizontalHeader()->resizeSection(ResultsTableModel::kindColumn, kKindWidth + kindExtra);
    horizontalHeader()->resizeSection(ResultsTableModel::nameColumn, kNameWidth + rest / 2);
    m_fitting = false;
}

// The view's selection changes as changes of the model's set of items: only the rows that
// changed are read, and items no row shows stay as they are.
void ResultsView::pushSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    std::set<std::string> urls = m_model.selection();
    bool changed = false;
    auto eachItem = [this](const QItemSelection& rows, auto&& apply) {
        for (const QItemSelectionRange& range : rows)
            for (int row = range.top(); row <= range.bottom(); ++row)
                if (const SearchHit* hit = m_table->hit(row))
                    apply(hit->url);
    };
    eachItem(deselected, [&](const std::string& url) { changed |= urls.erase(url) > 0; });
    eachItem(selected, [&](const std::string& url) { changed |= urls.insert(url).second; });
    if (changed)
        m_model.setSelection(std::move(urls));
}

// The model's set of items as the view's selection. The rows shown selected are checked first;
// only when the set holds items that none of them shows are all the rows looked through.
void ResultsView::pullSelection() {
    if (!m_table->current()) {
        m_pullDue = true; // the rows are a change behind the model's list: after they catch up
        return;
    }
    m_pullDue = false;
    const auto& wanted = m_model.selection();
    const int lastColumn = ResultsTableModel::columnCount_ - 1;
    QItemSelection unwanted;
    size_t kept = 0;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        const SearchHit* hit = m_table->hit(index.row());
        if (hit && wanted.count(hit->url))
            ++kept;
        else
            unwanted.select(index, index.siblingAtColumn(lastColumn));
    }
    if (kept == wanted.size()) {
        if (!unwanted.isEmpty())
            selectionModel()->select(unwanted, QItemSelectionModel::Deselect);
        return;
    }
    QItemSelection selection;
    int start = -1;
    const int rows = m_table->rowCount();
    for (int row = 0; row <= rows; ++row) {
        const SearchHit* hit = row < rows ? m_table->hit(row) : nullptr;
        const bool in = hit && wanted.count(hit->url);
        if (in && start < 0)
            start = row;
        if (!in && start >= 0) {
            selection.select(m_table->index(start, 0), m_table->index(row - 1, lastColumn));
            start = -1;
        }
    }
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

} // namespace qb

namespace qb {

void ResultsView::copy() {
    m_commands.copyItems->trigger(); // disabled, and so inert, without a selection
}

ResultsView::Items ResultsView::itemsAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    const SearchHit* hit = index.isValid() ? m_table->hit(index.row()) : nullptr;
    if (!hit)
        return {};
    if (m_model.selection().count(hit->url))
        return m_model.selectedURLs();
    return {hit->url};
}

QMenu* ResultsView::itemMenu(const QPoint& viewportPos) {
    auto* menu = new QMenu(this);
    m_commands.fillItemMenu(menu, itemsAt(viewportPos));
    return menu;
}

} // namespace qb
