#pragma once
// The info sheet: kind, size, dates and access of each item, read from the file system when
// the sheet lays the item out. Folders are never measured.

#include <QDateTime>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qb {

// What the sheet shows of one item; a failed read leaves everything unavailable.
struct ItemFacts {
    bool readable = false;
    bool isDirectory = false;
    QString kind; // "Unavailable" when unreadable
    int64_t size = 0;
    std::optional<QDateTime> created;
    std::optional<QDateTime> modified;
    bool writable = false;
};
ItemFacts readItemFacts(const std::string& path);
// The sheet's lines for one item, in order: Kind, Size, Created, Modified, Access. A line
// that is left out (a date the file system does not keep) has no value.
inline constexpr int kFactLines = 5;
std::array<std::optional<QString>, kFactLines> factValues(const ItemFacts& facts);

class InfoList;

// Only the sections in view exist, as widgets reused while the list scrolls, and facts are
// read on the thread pool for the items coming into view: a sheet for 20,000 items opens at
// once and never holds the window still.
class FileInfoView : public QDialog {
    Q_OBJECT
public:
    using Reveal = std::function<void(const std::vector<std::string>&)>;
    FileInfoView(std::vector<std::string> urls, Reveal reveal, QWidget* parent);
    ~FileInfoView() override;
    QString title() const;
    // Reads every item again and lays the sections out anew.
    void relayout();
    // Whether the facts of the item at index have arrived and are shown.
    bool factsShown(size_t index) const;

Q_SIGNALS:
    // Facts for some items arrived and the sections in view show them.
    void factsArrived();

private:
    friend class InfoList;
    void requestFacts(size_t from, size_t to);

    std::vector<std::string> m_urls;
    Reveal m_reveal;
    std::vector<std::optional<ItemFacts>> m_facts;
    std::vector<bool> m_requested;
    InfoList* m_list = nullptr;
    quint64 m_generation = 0;
};

} // namespace qb
