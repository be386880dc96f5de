#pragma once
// A depth-first walk of a folder, a directory before its contents, that never follows a
// symbolic link, opens nothing but directories, works relative to held directory descriptors
// (so paths may exceed PATH_MAX) and keeps a bounded number of descriptors open. Subfolders it
// has not reached yet can be handed off to be walked elsewhere: the walk then yields such a
// subfolder as an item but does not enter it.

#include "FolderListing.h"
#include "SkipLog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qb {

class DirectoryWalker {
public:
    enum class ItemType : uint8_t { directory, symlink, other };

    DirectoryWalker(std::string root, bool recursive, bool includeHidden,
                    size_t maxOpenDirectories = kMaxOpenDirectories);
    ~DirectoryWalker();
    DirectoryWalker(const DirectoryWalker&) = delete;
    DirectoryWalker& operator=(const DirectoryWalker&) = delete;

    // Opens the root; false (with errno set) when it cannot be opened as a directory.
    bool open();
    // Walks the folder already open as fd (taken over) whose path is the root. A folder that
    // cannot be read is logged as skipped, as it would be when the walk entered it.
    void openAt(int fd);
    // Moves to the next item; false when the walk is over. Unreadable directories and items
    // whose type cannot be read are logged in skips() and passed over.
    bool next();
    std::string_view name() const {
        return {m_path.data() + m_nameOffset, m_path.size() - m_nameOffset};
    }
    const std::string& path() const { return m_path; }
    size_t nameOffset() const { return m_nameOffset; }
    ItemType type() const { return m_type; }
    // Descriptor of the directory that holds the current item.
    int directoryFd() const;
    // Changes whenever the folder holding the current item changes; no two walkers share one,
    // so what is kept for a folder of one walk never answers for another's.
    uint64_t directoryGeneration() const { return m_generation; }
    // What the walk skipped; its owner logs the items whose matching ran out of time here too.
    SkipLog& skips() { return m_skips; }
    const SkipLog& skips() const { return m_skips; }
    // Called with a subfolder's path just before the walk opens it (to enter it or to hand it
    // off), on the walk's thread: lets tests change the tree at a known point of the walk.
    using BeforeOpening = std::function<void(const std::string& path)>;
    void setBeforeOpening(const BeforeOpening* hook) { m_beforeOpening = hook; }

    // Opens a subfolder the walk has not reached, the one it would reach last in the
    // shallowest folder that has any, and marks it with tag: the walk will yield it without
    // entering it. False when there is none (a failure to open one is left for the walk to
    // meet and count).
    bool handOff(int tag, int& fd, std::string& path);
    // The tag of the current item when it is a subfolder handed off, else -1.
    int handedOff() const { return m_handedOff; }

    static constexpr size_t kMaxOpenDirectories = 48;

private:
    struct Frame {
        int fd = -1;
        dev_t dev = 0; // recorded only when the descriptor is given up
        ino_t ino = 0;
        FolderListing listing;
        size_t next = 0;
        size_t handOffEnd = 0; // entries from here on were considered for handing off
        size_t pathLength = 0;
    };

    void enterPendingDirectory();
    bool pushDirectory(int fd);
    void popDirectory();
    void limitOpenDescriptors();

    std::string m_root;
    bool m_recursive;
    bool m_includeHidden;
    size_t m_maxOpen;
    std::vector<Frame> m_frames; // reused between depths to avoid reallocating
    size_t m_depth = 0;          // number of live frames
    size_t m_open = 0;           // live frames holding a descriptor
    std::string m_path;
    size_t m_nameOffset = 0;
    ItemType m_type = ItemType::other;
    bool m_pendingDirectory = false;
    int m_handedOff = -1;
    uint64_t m_generation;
    uint64_t m_nothingToHandOff = ~uint64_t(0); // the generation at which none was left
    SkipLog m_skips;
    const BeforeOpening* m_beforeOpening = nullptr;
    static constexpr size_t kBufferBytes = 256 * 1024;
    std::unique_ptr<char[]> m_buffer;
};

} // namespace qb
