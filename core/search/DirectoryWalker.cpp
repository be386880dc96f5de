#include "DirectoryWalker.h"

#include "PathText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

// Walkers made so far: each counts its generations from a base of its own, 2^32 apart.
std::atomic<uint64_t> s_walkers{0};

} // namespace

DirectoryWalker::DirectoryWalker(std::string root, bool recursive, bool includeHidden,
                                 size_t maxOpenDirectories)
    : m_root(std::move(root)), m_recursive(recursive), m_includeHidden(includeHidden),
      m_maxOpen(std::max<size_t>(maxOpenDirectories, 2)),
      m_generation(s_walkers.fetch_add(1, std::memory_order_relaxed) << 32) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
    // Left uninitialised: the kernel writes only the pages a listing needs, and zeroing all
    // of it would cost 64 page faults before the first item.
    m_buffer.reset(new char[kBufferBytes]);
}

DirectoryWalker::~DirectoryWalker() {
    for (size_t i = 0; i < m_depth; ++i)
        if (m_frames[i].fd >= 0)
            ::close(m_frames[i].fd);
}

bool DirectoryWalker::open() {
    int fd = ::open(m_root.c_str(), kFolderOpenFlags & ~O_NOFOLLOW);
    if (fd < 0)
        return false;
    m_path = m_root;
    if (!pushDirectory(fd)) {
        int saved = errno;
        popDirectory();
        errno = saved;
        return false;
    }
    return true;
}

void DirectoryWalker::openAt(int fd) {
    m_path = m_root;
    if (!pushDirectory(fd)) {
        m_skips.failed(m_path, errno);
        popDirectory();
    }
}

int DirectoryWalker::directoryFd() const {
    return m_depth ? m_frames[m_depth - 1].fd : -1;
}

bool DirectoryWalker::pushDirectory(int fd) {
    if (m_frames.size() <= m_depth)
        m_frames.emplace_back();
    Frame& frame = m_frames[m_depth++];
    frame.fd = fd;
    frame.pathLength = m_path.size();
    frame.next = 0;
    ++m_open;
    ++m_generation;
    if (!readFolder(fd, m_buffer.get(), kBufferBytes, m_includeHidden, frame.listing)) {
        frame.handOffEnd = 0;
        return false;
    }
    frame.handOffEnd = frame.listing.entries.size();
    limitOpenDescriptors();
    return true;
}

bool DirectoryWalker::handOff(int tag, int& fd, std::string& path) {
    if (!m_recursive || m_generation == m_nothingToHandOff)
        return false;
    // The shallowest folders hold the largest pieces of the walk still ahead.
    for (size_t depth = 0; depth < m_depth; ++depth) {
        Frame& f = m_frames[depth];
        if (f.fd < 0)
            continue;
        while (f.handOffEnd > f.next) {
            FolderEntry& e = f.listing.entries[--f.handOffEnd];
            if (e.dtype != DT_DIR)
                continue;
            std::string name(f.listing.name(e));
            if (m_beforeOpening)
                (*m_beforeOpening)(
                    joinPath(std::string_view(m_path).substr(0, f.pathLength), name));
            int sub = ::openat(f.fd, name.c_str(), kFolderOpenFlags);
            if (sub < 0)
                continue;
            e.tag = static_cast<int16_t>(tag);
            fd = sub;
            path = joinPath(std::string_view(m_path).substr(0, f.pathLength), name);
            return true;
        }
    }
    m_nothingToHandOff = m_generation;
    return false;
}

// Gives up the descriptor of the shallowest frame (never the root's) once too many are open;
// popping back reopens it through "..", checked against the recorded identity.
void DirectoryWalker::limitOpenDescriptors() {
    if (m_open <= m_maxOpen)
        return;
    for (size_t i = 1; i + 1 < m_depth; ++i) {
        Frame& f = m_frames[i];
        if (f.fd < 0)
            continue;
        struct stat st {};
        if (::fstat(f.fd, &st) == 0) {
            f.dev = st.st_dev;
            f.ino = st.st_ino;
        }
        ::close(f.fd);
        f.fd = -1;
        --m_open;
        return;
    }
}

void DirectoryWalker::popDirectory() {
    Frame& frame = m_frames[--m_depth];
    ++m_generation;
    if (m_depth > 0 && m_frames[m_depth - 1].fd < 0) {
        Frame& parent = m_frames[m_depth - 1];
        int fd = frame.fd >= 0 ? ::openat(frame.fd, "..", kFolderOpenFlags) : -1;
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_dev == parent.dev &&
            st.st_ino == parent.ino) {
            parent.fd = fd;
            ++m_open;
        } else {
            // The folder moved while we were inside it: what is left of it can't be reached.
            // Subfolders of it handed off are never spliced in either.
            if (fd >= 0)
                ::close(fd);
            parent.next = parent.listing.entries.size();
            m_skips.add(SkipReason::vanished,
                        std::string_view(m_path).substr(0, parent.pathLength));
        }
    }
    if (frame.fd >= 0) {
        ::close(frame.fd);
        --m_open;
    }
    frame.fd = -1;
}

// Enters the directory just yielded.
void DirectoryWalker::enterPendingDirectory() {
    Frame& parent = m_frames[m_depth - 1];
    if (m_beforeOpening)
        (*m_beforeOpening)(m_path);
    int parentFd = parent.fd;
    int fd =
        parentFd >= 0 ? ::openat(parentFd, m_path.c_str() + m_nameOffset, kFolderOpenFlags) : -1;
    if (fd < 0) {
        m_skips.failed(m_path, parentFd >= 0 ? errno : ENOENT);
    } else if (!pushDirectory(fd)) {
        m_skips.failed(m_path, errno);
        popDirectory();
    }
}

bool DirectoryWalker::next() {
    m_handedOff = -1;
    if (m_pendingDirectory) {
        m_pendingDirectory = false;
        if (m_recursive)
            enterPendingDirectory();
    }
    while (m_depth > 0) {
        Frame& frame = m_frames[m_depth - 1];
        if (frame.next >= frame.listing.entries.size()) {
            popDirectory();
            continue;
        }
        const FolderEntry& e = frame.listing.entries[frame.next++];
        m_path.resize(frame.pathLength);
        if (m_path.empty() || m_path.back() != '/')
            m_path.push_back('/');
        m_nameOffset = m_path.size();
        m_path.append(frame.listing.names, e.offset, e.length);

        unsigned dtype = e.dtype;
        if (dtype == DT_UNKNOWN) {
            struct stat st {};
            if (frame.fd < 0 ||
                ::fstatat(frame.fd, m_path.c_str() + m_nameOffset, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                m_skips.failed(m_path, frame.fd >= 0 ? errno : ENOENT);
                continue;
            }
            dtype = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        m_type = dtype == DT_DIR   ? ItemType::directory
                 : dtype == DT_LNK ? ItemType::symlink
                                   : ItemType::other;
        m_handedOff = e.tag;
        m_pendingDirectory = m_type == ItemType::directory && e.tag < 0;
        return true;
    }
    return false;
}

} // namespace qb
