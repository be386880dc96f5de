#include "FileSystem.h"

#include "search/PathText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace qb::fs {
namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    void reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }
    int release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// The folder holding an item, opened, and the item's name inside it.
struct Parent {
    Fd fd;
    std::string name;
};

bool openParent(const std::string& path, Parent& out) {
    std::string_view name = lastComponent(path);
    if (name.empty() || name == "." || name == "..") {
        errno = EINVAL;
        return false;
    }
    out.name = std::string(name);
    std::string parent(parentOf(path));
    out.fd.reset(::open(parent.empty() ? "." : parent.c_str(), kDirFlags));
    return out.fd.ok();
}

Error fromErrno() {
    return {FileFailure::Kind::system, errno};
}

std::string partialName() {
    unsigned char bytes[8];
    if (::getrandom(bytes, sizeof bytes, 0) != sizeof bytes)
        std::memset(bytes, 0, sizeof bytes);
    char buf[40];
    std::snprintf(buf, sizeof buf, ".qb-partial-%02x%02x%02x%02x%02x%02x%02x%02x", bytes[0],
                  bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7]);
    return buf;
}

// rename that fails instead of replacing, also where the file system lacks RENAME_NOREPLACE.
int renameNoReplace(int fromDir, const char* from, int toDir, const char* to) {
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    struct stat st {};
    if (::fstatat(fromDir, from, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return -1;
    if (!S_ISDIR(st.st_mode)) {
        // A hard link claims the name exclusively; then the old name goes.
        if (::linkat(fromDir, from, toDir, to, 0) != 0)
            return -1;
        ::unlinkat(fromDir, from, 0);
        return 0;
    }
    // Hold the name with an empty folder of our own, then rename over that placeholder.
    if (::mkdirat(toDir, to, 0700) != 0)
        return -1;
    if (::renameat(fromDir, from, toDir, to) != 0) {
        int saved = errno;
        ::unlinkat(toDir, to, AT_REMOVEDIR);
        errno = saved;
        return -1;
    }
    return 0;
}

// ownCopy: the tree is one this program made (a partial copy, a staging folder), whose
// folders may carry a read-only mode copied from their source; they are made writable first.
int removeAt(int dirfd, const char* name, bool ownCopy) {
    struct stat st {};
    if (::fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : -1;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(dirfd, name, 0);
    int fd = ::openat(dirfd, name, kDirFlags | O_NOFOLLOW);
    if (fd < 0 && errno == EACCES && ownCopy && ::fchmodat(dirfd, name, 0700, 0) == 0)
        fd = ::openat(dirfd, name, kDirFlags | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    if (ownCopy && (st.st_mode & 0700) != 0700)
        ::fchmod(fd, 0700);
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return -1;
    }
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d)) {
        std::string_view n = e->d_name;
        if (n != "." && n != "..")
            names.emplace_back(n);
    }
    int result = 0;
    int saved = 0;
    for (const auto& n : names)
        if (removeAt(::dirfd(d), n.c_str(), ownCopy) != 0 && result == 0) {
            result = -1;
            saved = errno;
        }
    ::closedir(d);
    if (result != 0) {
        errno = saved;
        return -1;
    }
    return ::unlinkat(dirfd, name, AT_REMOVEDIR);
}

int copyData(int in, int out, off_t size) {
    if (::ioctl(out, FICLONE, in) == 0)
        return 0;
    off_t left = size;
    while (left > 0) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
                break; // fall back to plain reads and writes from where we are
            return -1;
        }
        if (n == 0)
            break;
        left -= n;
    }
    std::vector<char> buf(1 << 20);
    for (;;) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            return 0;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buf.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return -1;
            }
            done += w;
        }
    }
}

// Ownership first, then the mode: a change of owner clears setuid and setgid.
void keepOwner(int dirfd, const char* name, const struct stat& st) {
    if (::geteuid() == 0 && ::fchownat(dirfd, name, st.st_uid, st.st_gid, AT_SYMLINK_NOFOLLOW)) {
        // Ownership is kept where we can; the copy itself stands either way.
    }
}

void keepOwner(int fd, const struct stat& st) {
    if (::geteuid() == 0 && ::fchown(fd, st.st_uid, st.st_gid)) {
        // As above.
    }
}

FileIdentity identityOf(const struct stat& st) {
    return {uint64_t(st.st_dev), uint64_t(st.st_ino)};
}

// One recursive copy: the folder it creates and the source folders it is inside, so that a
// destination inside the item (a bind mount can hide it from every path check) or a folder
// mounted inside itself ends the copy instead of recursing without end.
struct CopyWalk {
    std::optional<FileIdentity> created;
    std::vector<FileIdentity> sources;
    bool intoItself = false;
};

int copyNode(CopyWalk& walk, int srcDir, const char* srcName, int dstDir, const char* dstName);

int copyDirectoryContents(CopyWalk& walk, int src, int dst) {
    DIR* d = ::fdopendir(src);
    if (!d) {
        ::close(src);
        return -1;
    }
    std::vector<std::string> names;
    errno = 0;
    while (dirent* e = ::readdir(d)) {
        std::string_view n = e->d_name;
        if (n != "." && n != "..")
            names.emplace_back(n);
    }
    int result = errno ? -1 : 0;
    for (size_t i = 0; result == 0 && i < names.size(); ++i)
        result = copyNode(walk, ::dirfd(d), names[i].c_str(), dst, names[i].c_str());
    int saved = errno;
    ::closedir(d);
    errno = saved;
    return result;
}

int copyNode(CopyWalk& walk, int srcDir, const char* srcName, int dstDir, const char* dstName) {
    struct stat st {};
    if (::fstatat(srcDir, srcName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return -1;
    const mode_t mode = st.st_mode & 07777;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (S_ISREG(st.st_mode)) {
        Fd in(::openat(srcDir, srcName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
        if (!in.ok())
            return -1;
        Fd out(::openat(dstDir, dstName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!out.ok())
            return -1;
        if (copyData(in.get(), out.get(), st.st_size) != 0 || ::fsync(out.get()) != 0)
            return -1;
        keepOwner(out.get(), st);
        if (::fchmod(out.get(), mode) != 0)
            return -1;
        ::futimens(out.get(), times);
        return ::close(out.release()) == 0 ? 0 : -1;
    }
    if (S_ISDIR(st.st_mode)) {
        const FileIdentity source = identityOf(st);
        if (walk.created == source) {
            walk.intoItself = true;
            errno = ELOOP;
            return -1;
        }
        if (std::find(walk.sources.begin(), walk.sources.end(), source) != walk.sources.end()) {
            errno = ELOOP; // a folder mounted inside itself
            return -1;
        }
        int in = ::openat(srcDir, srcName, kDirFlags | O_NOFOLLOW);
        if (in < 0)
            return -1;
        if (::mkdirat(dstDir, dstName, 0700) != 0) {
            ::close(in);
            return -1;
        }
        Fd out(::openat(dstDir, dstName, kDirFlags | O_NOFOLLOW));
        struct stat made {};
        if (!out.ok() || ::fstat(out.get(), &made) != 0) {
            ::close(in);
            return -1;
        }
        if (!walk.created)
            walk.created = identityOf(made);
        walk.sources.push_back(source);
        int result = copyDirectoryContents(walk, in, out.get());
        walk.sources.pop_back();
        if (result != 0)
            return -1;
        keepOwner(out.get(), st);
        if (::fchmod(out.get(), mode) != 0)
            return -1;
        ::futimens(out.get(), times);
        return 0;
    }
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(static_cast<size_t>(st.st_size) + 2);
        for (;;) {
            ssize_t n = ::readlinkat(srcDir, srcName, target.data(), target.size());
            if (n < 0)
                return -1;
            if (static_cast<size_t>(n) < target.size()) {
                target[static_cast<size_t>(n)] = 0;
                break;
            }
            target.resize(target.size() * 2);
        }
        if (::symlinkat(target.data(), dstDir, dstName) != 0)
            return -1;
        ::utimensat(dstDir, dstName, times, AT_SYMLINK_NOFOLLOW);
        keepOwner(dstDir, dstName, st);
        return 0;
    }
    // FIFOs, sockets and devices are recreated, never opened. mknod applies the umask, so the
    // mode is set again afterwards.
    if (::mknodat(dstDir, dstName, st.st_mode, st.st_rdev) != 0)
        return -1;
    keepOwner(dstDir, dstName, st);
    if (::fchmodat(dstDir, dstName, mode, 0) != 0)
        return -1;
    ::utimensat(dstDir, dstName, times, AT_SYMLINK_NOFOLLOW);
    return 0;
}

// Removes what a failed copy made. A cleanup that fails too is added to the error, so the
// user learns that something was left behind and where.
Error withCleanup(Error error, int dstDir, const std::string& name, const std::string& dstPath) {
    if (removeAt(dstDir, name.c_str(), true) == 0)
        return error;
    error.leftoverErrnum = errno;
    error.leftover = joinPath(parentOf(dstPath), name);
    return error;
}

// Copies under a temporary name beside the target, then claims the target name.
Error copyInto(int srcDir, const char* srcName, int dstDir, const char* dstName,
               const std::string& dstPath) {
    struct stat st {};
    if (::fstatat(dstDir, dstName, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return {FileFailure::Kind::system, EEXIST};
    std::string temp = partialName();
    CopyWalk walk;
    if (copyNode(walk, srcDir, srcName, dstDir, temp.c_str()) != 0 ||
        renameNoReplace(dstDir, temp.c_str(), dstDir, dstName) != 0) {
        Error error = walk.intoItself ? insideItself : fromErrno();
        return withCleanup(error, dstDir, temp, dstPath);
    }
    return {};
}

bool sameIdentity(int dirfd, const char* name, const FileIdentity& expected) {
    struct stat st {};
    return ::fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           uint64_t(st.st_dev) == expected.device && uint64_t(st.st_ino) == expected.inode;
}

} // namespace

std::string describe(int errnum) {
    char buf[256];
    return ::strerror_r(errnum, buf, sizeof buf);
}

FileFailure Error::at(const std::string& path) const {
    FileFailure f;
    f.kind = kind;
    f.path = path;
    f.errnum = errnum;
    f.leftover = leftover;
    f.leftoverErrnum = leftoverErrnum;
    return f;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino)};
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Error moveItem(const std::string& from, const std::string& to,
               const std::optional<FileIdentity>& expected) {
    Parent a, b;
    if (!openParent(from, a) || !openParent(to, b))
        return fromErrno();
    if (expected && !sameIdentity(a.fd.get(), a.name.c_str(), *expected))
        return identityMismatch;
    if (renameNoReplace(a.fd.get(), a.name.c_str(), b.fd.get(), b.name.c_str()) == 0)
        return {};
    if (errno != EXDEV)
        return fromErrno();
    struct stat before {};
    if (::fstatat(a.fd.get(), a.name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0)
        return fromErrno();
    if (Error e = copyInto(a.fd.get(), a.name.c_str(), b.fd.get(), b.name.c_str(), to))
        return e;
    // Remove the source only if it is still the item that was copied; a newcomer under its
    // name must not be deleted in its place.
    if (!sameIdentity(a.fd.get(), a.name.c_str(), identityOf(before)))
        return withCleanup({FileFailure::Kind::changedWhileMoving}, b.fd.get(), b.name, to);
    if (removeAt(a.fd.get(), a.name.c_str(), false) != 0)
        return fromErrno(); // the complete copy stays; what could not be removed stays too
    return {};
}

int renameInFolder(int folder, const char* from, const char* to) {
    return renameNoReplace(folder, from, folder, to);
}

std::optional<FileIdentity> identityAt(int folder, const char* name) {
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return identityOf(st);
}

Error copyItem(const std::string& from, const std::string& to) {
    Parent a, b;
    if (!openParent(from, a) || !openParent(to, b))
        return fromErrno();
    return copyInto(a.fd.get(), a.name.c_str(), b.fd.get(), b.name.c_str(), to);
}

Error removeTree(const std::string& path) {
    Parent p;
    if (!openParent(path, p))
        return fromErrno();
    return removeAt(p.fd.get(), p.name.c_str(), false) == 0 ? Error{} : fromErrno();
}

Error removeCopy(const std::string& path) {
    Parent p;
    if (!openParent(path, p))
        return fromErrno();
    return removeAt(p.fd.get(), p.name.c_str(), true) == 0 ? Error{} : fromErrno();
}

Error makeDirectory(const std::string& path, bool parents, mode_t mode) {
    if (parents) {
        for (size_t i = 1; i < path.size(); ++i)
            if (path[i] == '/' && ::mkdir(path.substr(0, i).c_str(), 0777) != 0 && errno != EEXIST)
                return fromErrno();
        if (::mkdir(path.c_str(), mode) != 0 && !(errno == EEXIST && isDirectory(path)))
            return fromErrno();
        return {};
    }
    return ::mkdir(path.c_str(), mode) == 0 ? Error{} : fromErrno();
}

std::optional<size_t> countEntries(const std::string& path, Error& error) {
    int fd = ::open(path.c_str(), kDirFlags | O_NOFOLLOW);
    DIR* d = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!d) {
        error = fromErrno();
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    size_t n = 0;
    while (dirent* e = ::readdir(d)) {
        std::string_view name = e->d_name;
        if (name != "." && name != "..")
            ++n;
    }
    ::closedir(d);
    return n;
}

std::string resolvedPath(const std::string& path) {
    char* r = ::realpath(path.c_str(), nullptr);
    if (!r)
        return standardisePath(path);
    std::string out(r);
    std::free(r);
    return out;
}

std::string realLocation(const std::string& path) {
    return joinPath(resolvedPath(std::string(parentOf(path))), lastComponent(path));
}

std::string homeDirectory() {
    const char* h = std::getenv("HOME");
    if (h && *h == '/')
        return h;
    if (struct passwd* pw = ::getpwuid(::getuid()))
        return pw->pw_dir;
    return "/";
}

std::string temporaryDirectory() {
    const char* t = std::getenv("TMPDIR");
    return t && *t == '/' ? std::string(t) : std::string("/tmp");
}

std::string localTimeText(const char* format) {
    time_t now = ::time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}

std::string randomUuid() {
    unsigned char b[16];
    if (::getrandom(b, sizeof b, 0) != sizeof b)
        std::memset(b, 0, sizeof b);
    b[6] = (b[6] & 0x0F) | 0x40;
    b[8] = (b[8] & 0x3F) | 0x80;
    char out[37];
    std::snprintf(out, sizeof out,
                  "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return out;
}

} // namespace qb::fs
