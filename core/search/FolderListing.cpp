#include "FolderListing.h"

#include <cerrno>
#include <cstring>
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

} // namespace

bool readFolder(int fd, char* buffer, size_t bufferBytes, bool includeHidden,
                FolderListing& listing) {
    listing.names.clear();
    listing.entries.clear();
    for (;;) {
        long n = ::syscall(SYS_getdents64, fd, buffer, bufferBytes);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        for (long pos = 0; pos < n;) {
            auto* d = reinterpret_cast<LinuxDirent64*>(buffer + pos);
            pos += d->d_reclen;
            const char* name = d->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (!includeHidden && name[0] == '.')
                continue;
            size_t len = std::strlen(name);
            listing.entries.push_back({static_cast<uint32_t>(listing.names.size()),
                                       static_cast<uint32_t>(len), d->d_type});
            listing.names.append(name, len);
        }
    }
}

} // namespace qb
