#include "DirectoryWalker.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qb {
namespace {

struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[256]; // only ever read through a pointer into the buffer
};

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;

} // namespace

DirectoryWalker::DirectoryWalker(std::string root, bool recursive, bool includeHidden)
    : m_root(std::move(root)), m_recursive(recursive), m_includeHidden(includeHidden) {
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
    int fd = ::open(m_root.c_str(), kDirectoryFlags & ~O_NOFOLLOW);
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

int DirectoryWalker::directoryFd() const {
    return m_depth ? m_frames[m_depth - 1].fd : -1;
}

bool DirectoryWalker::readAll(Frame& frame) {
    frame.names.clear();
    frame.entries.clear();
    frame.next = 0;
    for (;;) {
        long n = ::syscall(SYS_getdents64, frame.fd, m_buffer.get(), kBufferBytes);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        for (long pos = 0; pos < n;) {
            auto* d = reinterpret_cast<LinuxDirent64*>(m_buffer.get() + pos);
            pos += d->d_reclen;
            const char* name = d->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (!m_includeHidden && name[0] == '.')
                continue;
            size_t len = std::strlen(name);
            frame.entries.push_back(
                {static_cast<uint32_t>(frame.names.size()), static_cast<uint32_t>(len), d->d_type});
            frame.names.append(name, len);
        }
    }
}

bool DirectoryWalker::pushDirectory(int fd) {
    if (m_frames.size() <= m_depth)
        m_frames.emplace_back();
    Frame& frame = m_frames[m_depth++];
    frame.fd = fd;
    frame.pathLength = m_path.size();
    ++m_open;
    ++m_generation;
    if (!readAll(frame))
        return false;
    limitOpenDescriptors();
    return true;
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
        struct stat st {};
        if (::fstat(f.fd, &st) == 0) {
            f.dev = st.st_dev;
            f.ino = st.st_ino;
        }
        closeDescriptor(f.fd);
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
        int fd = frame.fd >= 0 ? ::openat(frame.fd, "..", kDirectoryFlags) : -1;
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_dev == parent.dev &&
            st.st_ino == parent.ino) {
            parent.fd = fd;
            ++m_open;
        } else {
            // The folder moved while we were inside it: what is left of it can't be reached.
            if (fd >= 0)
                ::close(fd);
            parent.next = parent.entries.size();
            ++m_errors;
        }
    }
    if (frame.fd >= 0) {
        closeDescriptor(frame.fd);
        --m_open;
    }
    frame.fd = -1;
}

void DirectoryWalker::closeDescriptor(int fd) {
    if (m_closer)
        m_closer(fd);
    else
        ::close(fd);
}

bool DirectoryWalker::nextMayWait() const {
    if (m_pendingDirectory && m_recursive)
        return true;
    if (m_depth == 0)
        return false;
    const Frame& frame = m_frames[m_depth - 1];
    return frame.next >= frame.entries.size() || frame.entries[frame.next].dtype == DT_UNKNOWN;
}

bool DirectoryWalker::next() {
    if (m_pendingDirectory) {
        m_pendingDirectory = false;
        if (m_recursive) {
            int parentFd = directoryFd();
            int fd = parentFd >= 0
                         ? ::openat(parentFd, m_path.c_str() + m_nameOffset, kDirectoryFlags)
                         : -1;
            if (fd < 0) {
                ++m_errors;
            } else if (!pushDirectory(fd)) {
                ++m_errors;
                popDirectory();
            }
        }
    }
    while (m_depth > 0) {
        Frame& frame = m_frames[m_depth - 1];
        if (frame.next >= frame.entries.size()) {
            popDirectory();
            continue;
        }
        const Entry& e = frame.entries[frame.next++];
        m_path.resize(frame.pathLength);
        if (m_path.empty() || m_path.back() != '/')
            m_path.push_back('/');
        m_nameOffset = m_path.size();
        m_path.append(frame.names, e.offset, e.length);

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
