#pragma once
// Reads the descriptive attributes of a matched item, on the item itself.

#include "SearchRecords.h"

#include <string_view>

namespace qb {

// Fills kind, byteCount, modified and contentTypeIdentifier of hit for the item name inside
// the directory dirfd; isDirectory must already be set. Unreadable items get the fallbacks.
void readHitAttributes(int dirfd, std::string_view name, SearchHit& hit);

} // namespace qb
