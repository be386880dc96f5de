#pragma once
// Orders hits by a list of comparators, the way a file manager lists names: case ignored,
// digit runs by value, the rest by the locale's collation.

#include "SearchRecords.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

enum class SortKey { name, kind, byteCount, parentPath };

struct SortComparator {
    SortKey key = SortKey::name;
    bool ascending = true;
    bool operator==(const SortComparator&) const = default;
};
using SortOrder = std::vector<SortComparator>;

// Sorts the hits (stably) by the order; equal hits keep their relative order.
void sortHits(std::vector<const SearchHit*>& hits, const SortOrder& order);
// The same result when the first sortedPrefix hits are already sorted: only the rest are
// sorted, then merged in (a growing list re-sorted at each update costs a merge, not a sort).
// alongside, when given, is permuted the same way (the caller's own numbering of the hits);
// added, when given, receives where the hits after the prefix ended up, ascending.
void mergeHits(std::vector<const SearchHit*>& hits, size_t sortedPrefix, const SortOrder& order,
               std::vector<uint32_t>* alongside = nullptr, std::vector<uint32_t>* added = nullptr);

// The collation key of a text (UTF-8 bytes): keys compare bytewise as the texts collate.
std::string collationKey(std::string_view text);

// Compares two texts (UTF-8 bytes) as the name ordering does; <0, 0 or >0.
int compareNames(std::string_view a, std::string_view b);

} // namespace qb
