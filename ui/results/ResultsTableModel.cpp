#include "ui/results/ResultsTableModel.h"

#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/desktop/FileIcon.h"
#include "ui/desktop/ItemClipboard.h"
#include "ui/widgets/ShownText.h"

#include <glib.h>

namespace qb {
QString sizeText(int64_t bytes) {
    gchar* text = g_format_size(guint64(std::max<int64_t>(bytes, 0)));
    QString out = QString::fromUtf8(text);
    g_free(text);
    return out;
}

ResultsTableModel::ResultsTableModel(SearchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model) {
    connect(&model, &SearchModel::orderedHitsChanged, this, &ResultsTableModel::replaceRows);
    // Locations are relative to the executed search's folder, or the folder when none ran.
    for (auto signal : {&SearchModel::executedCriteriaChanged, &SearchModel::folderChanged})
        connect(&model, signal, this, [this] {
            if (m_rows > 0)
                Q_EMIT dataChanged(index(0, locationColumn), index(m_rows - 1, locationColumn));
        });
    m_rows = int(model.orderedHits().size());
}

void ResultsTableModel::replaceRows() {
    Q_EMIT rowsAboutToBeReplaced();
    beginResetModel();
    m_rows = int(m_model.orderedHits().size());
    endResetModel();
    Q_EMIT rowsReplaced();
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

const SearchHit* ResultsTableModel::hit(int row) const {
    const auto& hits = m_model.orderedHits();
    return row >= 0 && row < int(hits.size()) ? hits[size_t(row)] : nullptr;
}

int ResultsTableModel::rowOf(const std::string& url) const {
    const auto& hits = m_model.orderedHits();
    for (size_t i = 0; i < hits.size(); ++i)
        if (hits[i]->url == url)
            return int(i);
    return -1;
}

QString ResultsTableModel::relativeParent(const std::string& url) const {
    return relativeLocation(m_model, url);
}

QString relativeLocation(const SearchModel& model, const std::string& url) {
    const std::string_view parent = parentOf(url);
    const std::string& root =
        model.executedCriteria() ? model.executedCriteria()->folder : model.folder();
    if (parent == root) {
        std::string_view name = lastComponent(root);
        return shownText(name.empty() ? std::string_view(root) : name);
    }
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
            return relativeParent(h->url);
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
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
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
