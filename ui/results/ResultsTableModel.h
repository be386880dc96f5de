#pragma once
// The rows of the results table: a thin view of the search model's ordered hits. It keeps no
// copy of them and no pointer across a change; filtering and sorting stay in the model.
//
// Roles: DisplayRole (name, kind, size text, location), DecorationRole (the name's icon),
// ToolTipRole (full name, parent path), UrlRole (the item's path bytes as a QByteArray),
// TextAlignmentRole for the size column. Rows drag out as files.

#include <QAbstractTableModel>

namespace qb {

class SearchModel;
struct SearchHit;

class ResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { nameColumn, kindColumn, sizeColumn, locationColumn, columnCount_ };
    static constexpr int UrlRole = Qt::UserRole + 1;

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

    const SearchHit* hit(int row) const;
    // The row showing the item, or -1.
    int rowOf(const std::string& url) const;

    // The location text: the parent folder relative to the searched folder.
    QString relativeParent(const std::string& url) const;

Q_SIGNALS:
    // Around each replacement of the rows, so views can keep selection and position.
    void rowsAboutToBeReplaced();
    void rowsReplaced();

private:
    void replaceRows();

    SearchModel& m_model;
    int m_rows = 0;
};

// An item's folder relative to the searched folder (that folder's own name for its items).
QString relativeLocation(const SearchModel& model, const std::string& url);

// Decimal units, as file managers show sizes (1 kB = 1,000 bytes).
QString sizeText(int64_t bytes);

} // namespace qb
