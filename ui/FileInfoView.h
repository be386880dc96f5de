#pragma once
// The info sheet: kind, size, dates and access of each item, read from the file system when
// the sheet lays the item out. Folders are never measured.

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QVBoxLayout;

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
// The lines of the sheet for one item: label and value, in order.
std::vector<std::pair<QString, QString>> factLines(const ItemFacts& facts);

class FileInfoView : public QDialog {
    Q_OBJECT
public:
    using Reveal = std::function<void(const std::vector<std::string>&)>;
    FileInfoView(std::vector<std::string> urls, Reveal reveal, QWidget* parent);
    QString title() const;
    // Reads every item again and lays the sections out anew.
    void relayout();

private:
    void addSections(size_t from);

    std::vector<std::string> m_urls;
    Reveal m_reveal;
    QVBoxLayout* m_sections;
    size_t m_generation = 0;
};

} // namespace qb
