#include "ui/sheets/SkippedSheet.h"

#include "model/ErrorText.h"
#include "model/SearchModel.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace qb {

QString skipReasonText(const SkippedItem& item) {
    switch (item.reason) {
    case SkipReason::unreadable:
        return ErrorText::system(item.error);
    case SkipReason::timedOut:
        return SkippedSheet::tr("The pattern took too long");
    case SkipReason::vanished:
        return SkippedSheet::tr("Gone during the search");
    }
    return {};
}

SkippedItemsModel::SkippedItemsModel(SearchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model), m_items(model.skippedItems()) {}

int SkippedItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.items().size());
}

int SkippedItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant SkippedItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_items.items().size())
        return {};
    const SkippedItem& item = m_items.items()[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case reasonColumn:
            return skipReasonText(item);
        case nameColumn:
            return shownName(item.path);
        case locationColumn:
            return relativeLocation(m_model, item.path);
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() != reasonColumn)
            return toolTipText(shownText(item.path));
        break;
    }
    return {};
}

QVariant SkippedItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case reasonColumn:
        return tr("Reason");
    case nameColumn:
        return tr("Name");
    case locationColumn:
        return tr("Location");
    }
    return {};
}

void SkippedItemsModel::update() {
    const SkippedItems& next = m_model.skippedItems();
    if (next == m_items)
        return;
    const auto& old = m_items.items();
    const auto& now = next.items();
    // Within one run the list only grows at its end; anything else is a new search.
    const bool grown = !old.empty() && now.size() > old.size() && now[old.size() - 1] == old.back();
    if (grown) {
        beginInsertRows({}, int(old.size()), int(now.size()) - 1);
        m_items = next;
        endInsertRows();
    } else if (now.size() == old.size() && (old.empty() || now.back() == old.back())) {
        m_items = next; // only the counts beyond the list changed
    } else {
        beginResetModel();
        m_items = next;
        endResetModel();
    }
}

SkippedSheet::SkippedSheet(SearchModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_rows(new SkippedItemsModel(model, this)) {
    setWindowTitle(tr("Skipped Items"));
    setWindowModality(Qt::WindowModal);
    resize(640, 420);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(12);
    column->addWidget(makeLabel(tr("Skipped Items"), TextStyle::headline, false, this));
    m_counts = makeLabel({}, TextStyle::body, true, this);
    m_counts->setObjectName(QStringLiteral("skippedCounts"));
    m_counts->setWordWrap(true);
    column->addWidget(m_counts);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("skippedItems"));
    m_table->setAccessibleName(tr("Skipped items"));
    m_table->setModel(m_rows);
    // Rows read like the results list's.
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Reasons are few and short: their column fits them, in any language.
    m_table->horizontalHeader()->setSectionResizeMode(SkippedItemsModel::reasonColumn,
                                                      QHeaderView::ResizeToContents);
    m_table->setColumnWidth(SkippedItemsModel::nameColumn, 200);
    column->addWidget(m_table, 1);
    m_more = makeLabel({}, TextStyle::callout, true, this);
    m_more->setObjectName(QStringLiteral("skippedMore"));
    column->addWidget(m_more);

    auto* buttons = new QHBoxLayout;
    m_reveal = new QPushButton(tr("Reveal in File Manager"), this);
    m_copy = new QPushButton(tr("Copy Paths"), this);
    auto* close = new QPushButton(tr("Close"), this);
    close->setDefault(true);
    buttons->addWidget(m_reveal);
    buttons->addWidget(m_copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    column->addLayout(buttons);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_reveal, &QPushButton::clicked, this, [this] { m_model.reveal(selectedPaths()); });
    connect(m_copy, &QPushButton::clicked, this, [this] { m_model.copyPaths(selectedPaths()); });
    auto enable = [this] {
        const bool any = m_table->selectionModel()->hasSelection();
        m_reveal->setEnabled(any);
        m_copy->setEnabled(any);
    };
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, enable);
    connect(m_rows, &QAbstractItemModel::modelReset, this, enable);
    connect(&model, &SearchModel::skippedItemsChanged, this, [this] {
        m_rows->update();
        refresh();
    });
    enable();
    refresh();
    m_table->setFocus();
}

QString SkippedSheet::countsText() const {
    const SkipCounts& counts = m_rows->items().counts();
    QStringList parts;
    if (counts.unreadable)
        parts << tr("%Ln folder(s) couldn’t be read", "", countArg(counts.unreadable));
    if (counts.timedOut)
        parts << tr("%Ln name(s) took the pattern too long", "", countArg(counts.timedOut));
    if (counts.vanished)
        parts << tr("%Ln item(s) went away during the search", "", countArg(counts.vanished));
    if (parts.isEmpty())
        return tr("Nothing was skipped.");
    return parts.join(QLatin1Char('\n'));
}

void SkippedSheet::refresh() {
    m_counts->setText(countsText());
    const int64_t more = m_rows->items().unlisted();
    m_more->setVisible(more > 0);
    if (more > 0)
        m_more->setText(tr("and %Ln more", "", countArg(more)));
}

std::vector<std::string> SkippedSheet::selectedPaths() const {
    std::vector<std::string> paths;
    QModelIndexList rows = m_table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& row : rows)
        paths.push_back(m_rows->items().items()[size_t(row.row())].path);
    return paths;
}

SkippedSheet* openSkippedSheet(SearchModel& model, QWidget* parent) {
    auto* sheet = new SkippedSheet(model, parent);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
    return sheet;
}

} // namespace qb
