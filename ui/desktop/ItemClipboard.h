#pragma once
// Items as data other programs take: file URLs (exact bytes, percent-encoded) in the forms file
// managers paste and accept as drops, and their paths as plain text.

#include <QMimeData>
#include <string>
#include <vector>

namespace qb {

QMimeData* itemsMimeData(const std::vector<std::string>& paths);
// Puts the items on the clipboard as files.
void copyItemsToClipboard(const std::vector<std::string>& paths);

} // namespace qb
