// The floor for a name search: a plain recursive getdents64 walk that decodes each name to
// UTF-16 and runs one reused ICU matcher over it, nothing else. With --no-match it only walks;
// with --limit N it stops at the Nth hit. Items come in the finder's order (a folder's
// contents right after the folder), so a limited run stops at the same item as the finder.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/syscall.h>
#include <unicode/uregex.h>
#include <unistd.h>

namespace {

struct Dirent64 {
    ino64_t ino;
    off64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[256];
};

URegularExpression* regex = nullptr;
std::u16string text;
long items = 0, hits = 0, limit = -1;
char buffer[256 * 1024];

void decode(const char* s) {
    // ASCII fast path and a simple multi-byte decoder: the floor needs a decoding, not a
    // careful one.
    text.clear();
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p;) {
        unsigned c = *p;
        if (c < 0x80) {
            text.push_back(char16_t(c));
            ++p;
        } else if ((c & 0xE0) == 0xC0 && p[1]) {
            text.push_back(char16_t(((c & 0x1F) << 6) | (p[1] & 0x3F)));
            p += 2;
        } else if ((c & 0xF0) == 0xE0 && p[1] && p[2]) {
            text.push_back(char16_t(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F)));
            p += 3;
        } else {
            text.push_back(0xFFFD);
            ++p;
        }
    }
}

// False once the hit limit is reached.
bool walk(int fd) {
    std::string names; // the whole listing: NUL-terminated names, each after its type byte
    for (;;) {
        long n = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (long pos = 0; pos < n;) {
            auto* d = reinterpret_cast<Dirent64*>(buffer + pos);
            pos += d->reclen;
            if (d->name[0] == '.' && (!d->name[1] || (d->name[1] == '.' && !d->name[2])))
                continue;
            names.push_back(char(d->type));
            names.append(d->name);
            names.push_back('\0');
        }
    }
    for (size_t i = 0; i < names.size();) {
        unsigned char type = static_cast<unsigned char>(names[i]);
        const char* name = names.c_str() + i + 1;
        i += std::strlen(name) + 2;
        ++items;
        if (regex) {
            decode(name);
            UErrorCode status = U_ZERO_ERROR;
            uregex_setText(regex, reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                           &status);
            if (uregex_findNext(regex, &status) && ++hits == limit)
                return false;
        }
        if (type == DT_DIR) {
            int child = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0) {
                bool more = walk(child);
                close(child);
                if (!more)
                    return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: walk_floor [--no-match | --limit N] PATTERN FOLDER\n");
        return 2;
    }
    bool match = std::strcmp(argv[1], "--no-match") != 0;
    if (std::strcmp(argv[1], "--limit") == 0 && argc > 4)
        limit = std::atol(argv[2]);
    const char* pattern = argv[argc - 2];
    const char* folder = argv[argc - 1];
    if (match) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError pe{};
        std::u16string p;
        for (const char* c = pattern; *c; ++c)
            p.push_back(char16_t(*c));
        regex = uregex_open(reinterpret_cast<UChar*>(p.data()), int32_t(p.size()),
                            UREGEX_CASE_INSENSITIVE, &pe, &status);
        if (U_FAILURE(status))
            return 2;
    }
    int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 2;
    walk(fd);
    std::fprintf(stderr, "%ld items, %ld hits\n", items, hits);
    return 0;
}
