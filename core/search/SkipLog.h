#pragma once
// How a run gathers its skipped items. Each walk logs its own, in its order; the walking
// thread takes them over in the one-thread walk's order (subtrees spliced in where they
// belong) into one list, capped at SkippedItems::kListed.

#include "SkippedItems.h"

#include <string_view>
#include <utility>
#include <vector>

namespace qb {

// The skips one walk meets: exact counts per reason, and the first SkippedItems::kListed in
// detail until they are taken. No list needs more from one walk than that.
class SkipLog {
public:
    // Out of line: it runs only for skipped items, and the walk's loops stay small.
    void add(SkipReason reason, std::string_view path, int error = 0);
    // An item or folder the walk could not reach, worded by errno: gone or no longer a
    // folder (opened without following links) is vanished, anything else unreadable.
    void failed(std::string_view path, int error);

    const SkipCounts& counts() const { return m_counts; }
    bool hasPending() const { return !m_pending.empty(); }
    // The detailed items logged since the last call, in order.
    std::vector<SkippedItem> takePending() { return std::exchange(m_pending, {}); }

private:
    SkipCounts m_counts;
    size_t m_detailed = 0;
    std::vector<SkippedItem> m_pending;
};

// The run's list: items appended in walk order up to the cap, handed out as snapshots that
// share one vector until it grows.
class SkippedItemsBuilder {
public:
    void append(std::vector<SkippedItem>&& items);
    SkippedItems snapshot(const SkipCounts& counts);

private:
    std::vector<SkippedItem> m_items;
    std::shared_ptr<const std::vector<SkippedItem>> m_shared; // m_items as last handed out
};

} // namespace qb
