#pragma once
// Icons for items, from their content type through the desktop's icon theme: the type's own
// icon names, then its generic icon, then a bundled drawing. No file is ever read. One cache
// per process holds at most 1,000 icons, keyed by the item's path.

#include <QIcon>
#include <string>

namespace qb {

struct SearchHit;

class FileIcon {
public:
    static constexpr int kCacheLimit = 1000;
    // The icon for an item of the given content type ("inode/directory" for folders).
    static QIcon icon(const std::string& url, const std::string& contentType);
    static QIcon icon(const SearchHit& hit);
    // The icon for a path, its type guessed from its name and whether it is a folder.
    static QIcon iconForPath(const std::string& path, bool isDirectory);
};

} // namespace qb
