#include "SkippedItems.h"

#include "SkipLog.h"

#include <cerrno>
#include <string.h>

namespace qb {

const std::vector<SkippedItem>& SkippedItems::items() const {
    static const std::vector<SkippedItem> none;
    return m_items ? *m_items : none;
}

bool SkippedItems::operator==(const SkippedItems& other) const {
    return m_counts == other.m_counts && (m_items == other.m_items || items() == other.items());
}

std::string reasonText(const SkippedItem& item) {
    switch (item.reason) {
    case SkipReason::timedOut:
        return "pattern took too long";
    case SkipReason::vanished:
        return "vanished during the search";
    case SkipReason::unreadable:
        break;
    }
    // The C library's own words, independent of the locale and safe on any thread.
    if (const char* text = ::strerrordesc_np(item.error))
        return text;
    return "error " + std::to_string(item.error);
}

void SkipLog::add(SkipReason reason, std::string_view path, int error) {
    ++m_counts[reason];
    if (m_detailed == SkippedItems::kListed)
        return;
    ++m_detailed;
    m_pending.push_back({std::string(path), reason, reason == SkipReason::unreadable ? error : 0});
}

void SkipLog::failed(std::string_view path, int error) {
    bool gone = error == ENOENT || error == ENOTDIR || error == ELOOP;
    add(gone ? SkipReason::vanished : SkipReason::unreadable, path, error);
}

void SkippedItemsBuilder::append(std::vector<SkippedItem>&& items) {
    for (SkippedItem& item : items) {
        if (m_items.size() == SkippedItems::kListed)
            return;
        m_items.push_back(std::move(item));
        m_shared.reset();
    }
}

SkippedItems SkippedItemsBuilder::snapshot(const SkipCounts& counts) {
    if (!m_shared && !m_items.empty())
        m_shared = std::make_shared<const std::vector<SkippedItem>>(m_items);
    return {m_shared, counts};
}

} // namespace qb
