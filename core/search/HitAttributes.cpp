#include "HitAttributes.h"

#include "ContentTypes.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace qb {
void readHitAttributes(int dirfd, std::string_view name, SearchHit& hit) {
    std::string n(name);
    struct stat st {};
    if (dirfd < 0 || ::fstatat(dirfd, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        hit.kind = hit.isDirectory ? "Folder" : "File";
        return;
    }
    hit.contentTypeIdentifier = contentTypeForMode(st.st_mode, name);
    hit.kind = contentTypeDescription(hit.contentTypeIdentifier);
    if (hit.kind.empty())
        hit.kind = hit.isDirectory ? "Folder" : "File";
    hit.byteCount = static_cast<int64_t>(st.st_size);
    hit.modified = Timestamp(std::chrono::seconds(st.st_mtim.tv_sec) +
                             std::chrono::nanoseconds(st.st_mtim.tv_nsec));
}

} // namespace qb
