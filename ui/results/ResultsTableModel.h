#pragma once
// The rows of the results table: a thin view of the search model's ordered hits. It keeps no
// copy of them; filtering and sorting stay in the model. Each change of the model's list is
// told as what it is: rows inserted while a search grows (a layout change when the newcomers
// fall in very many places), a layout change (persistent indexes moved) for a new order or
// filter, a reset for anything else (a new search or folder, hits removed).
//
// Roles: DisplayRole (name, kind, size text, location), DecorationRole (the name's icon),
// ToolTipRole (full name, parent path), UrlRole (the item's path bytes as a QByteArray),
// MatchRangesRole (the name's matched ranges, std::vector<NameRange>), TextAlignmentRole for
// the size column. Rows drag out as files.

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <vector>

namespace qb {

class SearchModel;
struct SearchHit;

class ResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { nameColumn, kindColumn, sizeColumn, locationColumn, columnCount_ };
    static constexpr int UrlRole = Qt::UserRole + 1;
    static constexpr int MatchRangesRole = Qt::UserRole + 2;

    explicit ResultsTableModel(SearchModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // The item a row shows; none for a row out of range.
    const SearchHit* hit(int row) const;
    // Whether the rows are those of the model's list as it is now (not one change behind).
    bool current() const;

Q_SIGNALS:
    // The rows show the model's list as it is now, after a change of it was told.
    void caughtUp();

private:
    void catchUp();
    void announceInserted(std::vector<uint32_t> added, uint64_t version);
    void announceRearranged(uint64_t version);
    void announceLayout(uint64_t version, const std::function<int(int)>& rowAfter);
    void announceReset();

    // Beyond this many runs of new rows in one change, a layout change is cheaper to tell.
    static constexpr size_t kMostInsertedRuns = 256;

    SearchModel& m_model;
    int m_rows = 0;
    uint64_t m_shown = 0;   // the version of the model's list the rows show
    size_t m_announced = 0; // while rows are inserted: how many of the new ones are in
    bool m_catchingUp = false;
};

// An item's folder relative to the searched folder (that folder's own name for its items).
QString relativeLocation(const SearchModel& model, const std::string& url);

// Decimal units, as file managers show sizes (1 kB = 1,000 bytes).
QString sizeText(int64_t bytes);

} // namespace qb
