#pragma once
// What a search could not search, and why: the first items in walk order with their reasons,
// and exact counts per reason for all of them. Paths are bytes; reasonText() words a reason.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qb {

enum class SkipReason : uint8_t {
    unreadable, // a folder could not be opened or read; the item's error says why
    timedOut,   // matching the name (or path) ran out of its time budget
    vanished,   // the item went away, or stopped being a folder, while the walk was at it
};

struct SkippedItem {
    std::string path;
    SkipReason reason = SkipReason::unreadable;
    int error = 0; // the errno of an unreadable folder, else 0
    bool operator==(const SkippedItem&) const = default;
};

struct SkipCounts {
    int64_t unreadable = 0;
    int64_t timedOut = 0;
    int64_t vanished = 0;

    int64_t total() const { return unreadable + timedOut + vanished; }
    int64_t& operator[](SkipReason reason) {
        return reason == SkipReason::unreadable ? unreadable
               : reason == SkipReason::timedOut ? timedOut
                                                : vanished;
    }
    SkipCounts& operator+=(const SkipCounts& o) {
        unreadable += o.unreadable;
        timedOut += o.timedOut;
        vanished += o.vanished;
        return *this;
    }
    SkipCounts operator+(const SkipCounts& o) const { return SkipCounts(*this) += o; }
    SkipCounts operator-(const SkipCounts& o) const {
        return {unreadable - o.unreadable, timedOut - o.timedOut, vanished - o.vanished};
    }
    bool operator==(const SkipCounts&) const = default;
};

// An immutable snapshot of a run's skipped items, cheap to copy: successive updates share
// the list until it changes.
class SkippedItems {
public:
    // Items listed at most per search; the counts go on beyond them.
    static constexpr size_t kListed = 1000;

    SkippedItems() = default;
    SkippedItems(std::shared_ptr<const std::vector<SkippedItem>> items, SkipCounts counts)
        : m_items(std::move(items)), m_counts(counts) {}

    // The first kListed skipped items, in walk order.
    const std::vector<SkippedItem>& items() const;
    const SkipCounts& counts() const { return m_counts; }
    // Skipped items beyond the list.
    int64_t unlisted() const { return m_counts.total() - static_cast<int64_t>(items().size()); }

    bool operator==(const SkippedItems& other) const;

private:
    std::shared_ptr<const std::vector<SkippedItem>> m_items;
    SkipCounts m_counts;
};

// Short, stable words for why an item was skipped: the system's description of the error in
// the C locale ("Permission denied", "Input/output error"), "pattern took too long" or
// "vanished during the search".
std::string reasonText(const SkippedItem& item);

} // namespace qb
