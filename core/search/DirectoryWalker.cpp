#include "DirectoryWalker.h"

#include "FolderPrefetcher.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {

DirectoryWalker::DirectoryWalker(std::string root, bool recursive, bool includeHidden,
                                 bool readAhead)
    : m_root(std::move(root)), m_recursive(recursive), m_includeHidden(includeHidden) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
    // Left uninitialised: the kernel writes only the pages a listing needs, and zeroing all
    // of it would cost 64 page faults before the first item.
    m_buffer.reset(new char[kBufferBytes]);
    if (readAhead && recursive) {
        m_prefetcher = std::make_unique<FolderPrefetcher>(includeHidden);
        if (!m_prefetcher->start())
            m_prefetcher.reset();
    }
}

DirectoryWalker::~DirectoryWalker() {
    m_prefetcher.reset(); // first: it may be opening folders inside the ones held here
    for (size_t i = 0; i < m_depth; ++i)
        if (m_frames[i].fd >= 0)
            ::close(m_frames[i].fd);
}

bool DirectoryWalker::open() {
    int fd = ::open(m_root.c_str(), kFolderOpenFlags & ~O_NOFOLLOW);
    if (fd < 0)
        return false;
    m_path = m_root;
    if (!pushDirectory(fd, nullptr, true)) {
        int saved = errno;
        popDirectory();
        errno = saved;
        return false;
    }
    return true;
}

int DirectoryWalker::directoryFd() const {
    return m_depth ? m_frames[m_depth - 1].fd : -1;
}

// ready: a listing read ahead (readable tells whether reading it succeeded); otherwise the
// folder is read here.
bool DirectoryWalker::pushDirectory(int fd, FolderListing* ready, bool readable) {
    if (m_frames.size() <= m_depth)
        m_frames.emplace_back();
    Frame& frame = m_frames[m_depth++];
    frame.fd = fd;
    frame.pathLength = m_path.size();
    frame.next = 0;
    frame.requested = 0;
    ++m_open;
    ++m_generation;
    if (ready)
        frame.listing.swap(*ready);
    if (ready ? !readable
              : !readFolder(fd, m_buffer.get(), kBufferBytes, m_includeHidden, frame.listing))
        return false;
    limitOpenDescriptors();
    requestAhead();
    return true;
}

// Asks the second thread for the subfolders the walk will enter soonest, while slots last:
// those of the deepest folder first, in listing order.
void DirectoryWalker::requestAhead() {
    if (!m_prefetcher)
        return;
    for (size_t depth = m_depth; depth-- > 0;) {
        Frame& f = m_frames[depth];
        if (f.fd < 0)
            continue;
        f.requested = std::max(f.requested, f.next);
        for (; f.requested < f.listing.entries.size(); ++f.requested) {
            FolderEntry& e = f.listing.entries[f.requested];
            if (e.dtype != DT_DIR)
                continue;
            int slot = m_prefetcher->freeSlot();
            if (slot < 0)
                return;
            uint64_t priority = (uint64_t(depth) << 32) | (0xFFFFFFFFu - uint32_t(f.requested));
            m_prefetcher->request(slot, f.fd, f.listing.name(e), priority);
            e.slot = int8_t(slot);
        }
    }
}

// The entries from `from` on will not be entered: their requests are dropped.
void DirectoryWalker::dropRequests(Frame& frame, size_t from) {
    for (size_t i = from; i < frame.requested && i < frame.listing.entries.size(); ++i) {
        FolderEntry& e = frame.listing.entries[i];
        if (e.slot >= 0)
            m_prefetcher->discard(e.slot);
        e.slot = -1;
    }
}

// Gives up the descriptor of the shallowest frame (never the root's) once too many are open;
// popping back reopens it through "..", checked against the recorded identity.
void DirectoryWalker::limitOpenDescriptors() {
    if (m_open <= kMaxOpenDirectories)
        return;
    for (size_t i = 1; i + 1 < m_depth; ++i) {
        Frame& f = m_frames[i];
        if (f.fd < 0)
            continue;
        // Requests not begun are taken back (the walk reads those folders itself); the
        // others must be done with this descriptor before it goes.
        if (m_prefetcher) {
            for (size_t k = f.next; k < f.requested; ++k) {
                FolderEntry& e = f.listing.entries[k];
                if (e.slot < 0)
                    continue;
                if (m_prefetcher->withdraw(e.slot))
                    e.slot = -1;
                else
                    m_prefetcher->waitUntilDone(e.slot);
            }
        }
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
            if (fd >= 0)
                ::close(fd);
            if (m_prefetcher)
                dropRequests(parent, parent.next);
            parent.next = parent.listing.entries.size();
            ++m_errors;
        }
    }
    if (frame.fd >= 0) {
        ::close(frame.fd);
        --m_open;
    }
    frame.fd = -1;
}

// Enters the directory just yielded, from a listing read ahead when there is one.
void DirectoryWalker::enterPendingDirectory() {
    Frame& parent = m_frames[m_depth - 1];
    int slot = parent.listing.entries[parent.next - 1].slot;
    parent.listing.entries[parent.next - 1].slot = -1;
    if (slot >= 0 && !m_prefetcher->withdraw(slot)) {
        FolderPrefetcher::Result r = m_prefetcher->take(slot, m_taken);
        if (r.fd < 0) {
            ++m_errors;
        } else if (!pushDirectory(r.fd, &m_taken, r.read)) {
            ++m_errors;
            popDirectory();
        }
        requestAhead(); // the slot is free again
        return;
    }
    int parentFd = parent.fd;
    int fd =
        parentFd >= 0 ? ::openat(parentFd, m_path.c_str() + m_nameOffset, kFolderOpenFlags) : -1;
    if (fd < 0) {
        ++m_errors;
    } else if (!pushDirectory(fd, nullptr, true)) {
        ++m_errors;
        popDirectory();
    }
    if (slot >= 0)
        requestAhead();
}

bool DirectoryWalker::next() {
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
                ++m_errors;
                continue;
            }
            dtype = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        m_type = dtype == DT_DIR   ? ItemType::directory
                 : dtype == DT_LNK ? ItemType::symlink
                                   : ItemType::other;
        m_pendingDirectory = m_type == ItemType::directory;
        return true;
    }
    return false;
}

} // namespace qb
