#pragma once
// A depth-first walk of a folder, a directory before its contents, that never follows a
// symbolic link, opens nothing but directories, works relative to held directory descriptors
// (so paths may exceed PATH_MAX) and keeps a bounded number of descriptors open. It can have
// a second thread read the folders it will enter later; the items and their order stay the
// same.

#include "FolderListing.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qb {

class FolderPrefetcher;

class DirectoryWalker {
public:
    enum class ItemType : uint8_t { directory, symlink, other };

    DirectoryWalker(std::string root, bool recursive, bool includeHidden, bool readAhead = false);
    ~DirectoryWalker();
    DirectoryWalker(const DirectoryWalker&) = delete;
    DirectoryWalker& operator=(const DirectoryWalker&) = delete;

    // Opens the root; false (with errno set) when it cannot be opened as a directory.
    bool open();
    // Moves to the next item; false when the walk is over. Unreadable directories and items
    // whose type cannot be read are counted in errors() and passed over.
    bool next();
    std::string_view name() const {
        return {m_path.data() + m_nameOffset, m_path.size() - m_nameOffset};
    }
    const std::string& path() const { return m_path; }
    size_t nameOffset() const { return m_nameOffset; }
    ItemType type() const { return m_type; }
    // Descriptor of the directory that holds the current item.
    int directoryFd() const;
    // Changes whenever the folder holding the current item changes.
    uint64_t directoryGeneration() const { return m_generation; }
    int64_t errors() const { return m_errors; }

    static constexpr size_t kMaxOpenDirectories = 48;

private:
    struct Frame {
        int fd = -1;
        dev_t dev = 0; // recorded only when the descriptor is given up
        ino_t ino = 0;
        FolderListing listing;
        size_t next = 0;
        size_t requested = 0; // entries before this were considered for reading ahead
        size_t pathLength = 0;
    };

    void enterPendingDirectory();
    bool pushDirectory(int fd, FolderListing* ready, bool readable);
    void popDirectory();
    void limitOpenDescriptors();
    void requestAhead();
    void dropRequests(Frame& frame, size_t from);

    std::string m_root;
    bool m_recursive;
    bool m_includeHidden;
    std::vector<Frame> m_frames; // reused between depths to avoid reallocating
    size_t m_depth = 0;          // number of live frames
    size_t m_open = 0;           // live frames holding a descriptor
    std::string m_path;
    size_t m_nameOffset = 0;
    ItemType m_type = ItemType::other;
    bool m_pendingDirectory = false;
    uint64_t m_generation = 0;
    int64_t m_errors = 0;
    static constexpr size_t kBufferBytes = 256 * 1024;
    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<FolderPrefetcher> m_prefetcher;
    FolderListing m_taken; // a listing read ahead, on its way into a frame
};

} // namespace qb
