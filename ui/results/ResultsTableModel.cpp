#include "ui/results/ResultsTableModel.h"

#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/desktop/FileIcon.h"
#include "ui/desktop/ItemClipboard.h"
#include "ui/widgets/ShownText.h"

#include <QLocale>

namespace qb {
QString sizeText(int64_t bytes) {
    bytes = std::max<int64_t>(bytes, 0);
    // Decimal units, as the size filters count them; Qt's own unit words have no plural forms.
    if (bytes < 1000)
        return ResultsTableModel::tr("%Ln byte(s)", "size", int(bytes));
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

namespace {

using Kind = SearchModel::OrderedChange::Kind;

// Where a row of the list before rows were added is in the list after, when the first
// `announced` of the added rows are already in.
size_t rowAfterGrowth(const std::vector<uint32_t>& added, size_t announced, size_t row) {
    if (announced > 0 && row <= added[announced - 1])
        return row; // up to the last row told, the rows are the new list's own
    const size_t earlier = row - announced;
    // added[i] - i earlier rows precede the i-th added one, a count that never decreases:
    // the added rows before this one are those where it is at most its earlier position.
    size_t low = announced, high = added.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (added[mid] - mid <= earlier)
            low = mid + 1;
        else
            high = mid;
    }
    return earlier + low;
}

} // namespace

ResultsTableModel::ResultsTableModel(SearchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model) {
    connect(&model, &SearchModel::orderedHitsChanged, this, &ResultsTableModel::catchUp);
    // Locations are relative to the executed search's folder, or the folder when none ran.
    for (auto signal : {&SearchModel::executedCriteriaChanged, &SearchModel::folderChanged})
        connect(&model, signal, this, [this] {
            if (m_rows > 0)
                Q_EMIT dataChanged(index(0, locationColumn), index(m_rows - 1, locationColumn));
        });
    m_rows = int(model.orderedHits().size());
    m_shown = model.orderedChange().to;
}

void ResultsTableModel::catchUp() {
    // A change made while one is being told is taken in turn by the loop.
    if (m_catchingUp)
        return;
    m_catchingUp = true;
    bool told = false;
    for (;;) {
        const auto& change = m_model.orderedChange();
        if (change.to == m_shown)
            break;
        told = true;
        if (change.from != m_shown || change.kind == Kind::replaced)
            announceReset();
        else if (change.kind == Kind::grown)
            announceInserted(change.added, change.to);
        else
            announceRearranged(change.to);
    }
    m_catchingUp = false;
    if (told)
        Q_EMIT caughtUp();
}

// One insertion per run of adjacent new rows, in order: the rows before each run are then
// already the new list's, so its place in the rows is its place in the list. Each insertion
// costs the view's header a shift of every row after it, so newcomers scattered in many runs
// (a walk whose order has nothing to do with the sort order) move in as a layout change.
void ResultsTableModel::announceInserted(std::vector<uint32_t> added, uint64_t version) {
    size_t runs = 0;
    for (size_t i = 0; i < added.size(); ++i)
        runs += i == 0 || added[i] != added[i - 1] + 1;
    if (runs > kMostInsertedRuns) {
        announceLayout(version, [this](int row) {
            return int(rowAfterGrowth(m_model.orderedChange().added, 0, size_t(row)));
        });
        return;
    }
    size_t first = 0;
    while (first < added.size()) {
        size_t end = first + 1;
        while (end < added.size() && added[end] == added[end - 1] + 1)
            ++end;
        beginInsertRows({}, int(added[first]), int(added[end - 1]));
        m_rows += int(end - first);
        m_announced = end;
        endInsertRows();
        first = end;
    }
    m_announced = 0;
    m_shown = version;
}

// A new order or filter: each item moves from where the earlier order had it to where the
// new one has it, or out.
void ResultsTableModel::announceRearranged(uint64_t version) {
    std::vector<int> rowOfHit;
    announceLayout(version, [this, &rowOfHit](int row) {
        const auto& earlier = m_model.orderedChange().previous;
        if (size_t(row) >= earlier.size())
            return -1;
        if (rowOfHit.empty()) {
            const auto& positions = m_model.orderedPositions();
            rowOfHit.assign(m_model.hits().size(), -1);
            for (size_t at = 0; at < positions.size(); ++at)
                rowOfHit[positions[at]] = int(at);
        }
        return rowOfHit[earlier[size_t(row)]];
    });
}

// Each persistent index (the selection, the current row) follows its item to the row
// rowAfter gives for its earlier row, or ends (-1).
void ResultsTableModel::announceLayout(uint64_t version, const std::function<int(int)>& rowAfter) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    const auto& change = m_model.orderedChange();
    // Unless the list changed again meanwhile: then nothing is known to stay.
    const bool known = change.to == version && change.from == m_shown;
    m_rows = int(m_model.orderedHits().size());
    m_shown = change.to;
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = known ? rowAfter(index.row()) : -1;
        after.append(row < 0 ? QModelIndex() : this->index(row, index.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsTableModel::announceReset() {
    beginResetModel();
    m_rows = int(m_model.orderedHits().size());
    m_shown = m_model.orderedChange().to;
    endResetModel();
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

bool ResultsTableModel::current() const {
    return m_model.orderedChange().to == m_shown;
}

// The rows lag the model's list by one change until it is told (and, while rows are
// inserted, by the part not yet told): Qt may ask for them in between.
const SearchHit* ResultsTableModel::hit(int row) const {
    if (row < 0 || row >= m_rows)
        return nullptr;
    const auto& list = m_model.orderedHits();
    const auto& change = m_model.orderedChange();
    size_t at = size_t(row);
    if (change.to != m_shown) {
        if (change.from != m_shown)
            return nullptr; // more than one change behind: a reset comes
        switch (change.kind) {
        case Kind::replaced:
            return nullptr;
        case Kind::rearranged:
            return at < change.previous.size() ? &m_model.hits()[change.previous[at]] : nullptr;
        case Kind::grown:
            at = rowAfterGrowth(change.added, m_announced, at);
            break;
        }
    }
    return at < list.size() ? list[at] : nullptr;
}

QString relativeLocation(const SearchModel& model, const std::string& url) {
    const std::string_view parent = parentOf(url);
    const std::string& root =
        model.executedCriteria() ? model.executedCriteria()->folder : model.folder();
    if (parent == root)
        return shownName(root);
    if (root == "/" && parent.size() > 1)
        return shownText(parent.substr(1));
    if (parent.size() > root.size() && parent.substr(0, root.size()) == root &&
        parent[root.size()] == '/')
        return shownText(parent.substr(root.size() + 1));
    return shownText(parent);
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    const SearchHit* h = hit(index.row());
    if (!h)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case nameColumn:
            return shownText(h->name());
        case kindColumn:
            return QString::fromStdString(h->kind);
        case sizeColumn:
            return h->isDirectory ? QStringLiteral("—") : sizeText(h->byteCount);
        case locationColumn:
            return relativeLocation(m_model, h->url);
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == nameColumn)
            return FileIcon::icon(*h);
        break;
    case Qt::ToolTipRole:
        if (index.column() == nameColumn)
            return toolTipText(shownText(h->name()));
        if (index.column() == locationColumn)
            return toolTipText(shownText(h->parentPath()));
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == sizeColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case UrlRole:
        return QByteArray::fromStdString(h->url);
    case MatchRangesRole:
        return QVariant::fromValue(h->matchedNameRanges);
    default:
        break;
    }
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case nameColumn:
        return tr("Name");
    case kindColumn:
        return tr("Kind");
    case sizeColumn:
        return tr("Size");
    case locationColumn:
        return tr("Location");
    }
    return {};
}

void ResultsTableModel::sort(int column, Qt::SortOrder order) {
    static constexpr SortKey keys[] = {SortKey::name, SortKey::kind, SortKey::byteCount,
                                       SortKey::parentPath};
    if (column < 0 || column >= columnCount_)
        return;
    SortOrder wanted{{keys[column], order == Qt::AscendingOrder}};
    if (m_model.sortOrder() != wanted)
        m_model.setSortOrder(std::move(wanted));
}

} // namespace qb

namespace qb {

Qt::ItemFlags ResultsTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags; // the root is no item
}

QStringList ResultsTableModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* ResultsTableModel::mimeData(const QModelIndexList& indexes) const {
    // One entry per row, in display order, however many cells of it are selected.
    std::vector<int> rows;
    for (const QModelIndex& index : indexes)
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> paths;
    for (int row : rows)
        if (const SearchHit* h = hit(row))
            paths.push_back(h->url);
    return paths.empty() ? nullptr : itemsMimeData(paths);
}

Qt::DropActions ResultsTableModel::supportedDragActions() const {
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

} // namespace qb
