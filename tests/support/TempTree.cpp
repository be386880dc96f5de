#include "TempTree.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sched.h>
#include <sstream>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qbtest {
namespace {

void makeParents(const std::string& path) {
    for (size_t i = 1; i < path.size(); ++i)
        if (path[i] == '/')
            ::mkdir(path.substr(0, i).c_str(), 0755);
}

void removeAt(int dirfd, const char* name) {
    struct stat st {};
    if (::fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        ::fchmodat(dirfd, name, 0700, 0);
        int fd = ::openat(dirfd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            DIR* d = ::fdopendir(fd);
            std::vector<std::string> names;
            while (dirent* e = ::readdir(d))
                if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
                    names.emplace_back(e->d_name);
            for (const auto& n : names)
                removeAt(::dirfd(d), n.c_str());
            ::closedir(d);
        }
        ::unlinkat(dirfd, name, AT_REMOVEDIR);
    } else {
        ::unlinkat(dirfd, name, 0);
    }
}

} // namespace

TempTree::TempTree() {
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base && *base ? base : "/tmp") + "/qbtest-XXXXXX";
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    ::chmod(templ.c_str(), 0755);
    m_root = templ;
}

TempTree::~TempTree() {
    removeTree(m_root);
}

std::string TempTree::path(std::string_view relative) const {
    return relative.empty() ? m_root : m_root + "/" + std::string(relative);
}

std::string TempTree::file(std::string_view relative, std::string_view contents) {
    std::string p = path(relative);
    makeParents(p);
    std::ofstream out(p, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return p;
}

std::string TempTree::dir(std::string_view relative) {
    std::string p = path(relative);
    makeParents(p + "/");
    return p;
}

std::string TempTree::link(std::string_view relative, std::string_view target) {
    std::string p = path(relative);
    makeParents(p);
    if (::symlink(std::string(target).c_str(), p.c_str()) != 0)
        throw std::runtime_error("symlink failed");
    return p;
}

std::string TempTree::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempTree::exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> TempTree::list(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d))
            if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
                names.emplace_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void removeTree(const std::string& path) {
    removeAt(AT_FDCWD, path.c_str());
}

bool privateMounts() {
    static const bool done = ::unshare(CLONE_NEWNS) == 0 &&
                             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return done;
}

int runAsNobody(const std::function<int()>& body) {
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        struct passwd* pw = ::getpwnam("nobody");
        if (!pw || ::setgid(pw->pw_gid) != 0 || ::setuid(pw->pw_uid) != 0)
            ::_exit(255);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace qbtest
