#pragma once
// One folder's entries, read whole with getdents64: names in one buffer, without "." and ".."
// and, unless asked for, without hidden names.

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

struct FolderEntry {
    uint32_t offset;
    uint32_t length;
    uint8_t dtype;    // DT_* as the file system reports it
    int16_t tag = -1; // set when the subfolder was handed off to be walked elsewhere
};

struct FolderListing {
    std::string names;
    std::vector<FolderEntry> entries;

    std::string_view name(const FolderEntry& e) const {
        return {names.data() + e.offset, e.length};
    }
};

// How the walk opens every folder below its root: never through a link.
inline constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;

// Reads the folder behind fd into listing (replacing what it held), using buffer for the
// system calls; false (errno set) when reading fails.
bool readFolder(int fd, char* buffer, size_t bufferBytes, bool includeHidden,
                FolderListing& listing);

} // namespace qb
