#include "ContentTypes.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unordered_map>
#include <unordered_set>

namespace qb {
namespace {

// Some of GIO's descriptions start in lower case ("folder"): shown as a kind beside "PDF
// document", the first letter is upper case, as the user's locale writes it.
std::string sentenceCase(const char* text) {
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(text);
    if (s.isEmpty())
        return text;
    const int32_t end = s.moveIndex32(0, 1);
    icu::UnicodeString first(s, 0, end);
    first.toUpper(icu::Locale::getDefault());
    s.replace(0, end, first);
    std::string out;
    s.toUTF8String(out);
    return out;
}

// Archive and compressed types; is_a also admits their registered subclasses.
constexpr const char* kArchiveTypes[] = {
    "application/zip",
    "application/x-tar",
    "application/x-compressed-tar",
    "application/x-bzip-compressed-tar",
    "application/x-xz-compressed-tar",
    "application/x-zstd-compressed-tar",
    "application/x-lzma-compressed-tar",
    "application/x-lz4-compressed-tar",
    "application/x-tarz",
    "application/gzip",
    "application/x-bzip",
    "application/x-bzip2",
    "application/x-xz",
    "application/x-lzma",
    "application/x-lz4",
    "application/x-lzip",
    "application/zstd",
    "application/x-zstd",
    "application/x-compress",
    "application/x-7z-compressed",
    "application/vnd.rar",
    "application/x-rar",
    "application/x-cpio",
    "application/x-archive",
    "application/x-ar",
    "application/x-lha",
    "application/x-arj",
    "application/x-ace",
    "application/x-stuffit",
    "application/x-iso9660-image",
    "application/x-apple-diskimage",
    "application/vnd.ms-cab-compressed",
};

// Per-thread caches: the GIO look-ups are slow enough to matter for 20,000 hits, and each
// thread keeping its own copy needs no locking.
template <typename V, typename F> V memoized(const std::string& key, F compute) {
    thread_local std::unordered_map<std::string, V> values;
    auto it = values.find(key);
    if (it != values.end())
        return it->second;
    return values.emplace(key, compute()).first->second;
}

} // namespace

std::string contentTypeForName(std::string_view name) {
    std::string n(name);
    gboolean uncertain = FALSE;
    gchar* type = g_content_type_guess(n.c_str(), nullptr, 0, &uncertain);
    std::string out = type ? type : "";
    g_free(type);
    if (out.empty() || (uncertain && out == "application/octet-stream"))
        return kGenericDataType;
    return out;
}

std::string contentTypeDescription(const std::string& type) {
    return memoized<std::string>(type, [&] {
        if (type == kGenericDataType || !isKnownContentType(type))
            return std::string();
        gchar* d = g_content_type_get_description(type.c_str());
        std::string out = d ? sentenceCase(d) : "";
        g_free(d);
        return out;
    });
}

bool isKnownContentType(const std::string& type) {
    static const std::unordered_set<std::string> known = [] {
        std::unordered_set<std::string> set;
        GList* types = g_content_types_get_registered();
        for (GList* l = types; l; l = l->next)
            set.emplace(static_cast<const char*>(l->data));
        g_list_free_full(types, g_free);
        set.emplace(kFolderType);
        return set;
    }();
    return known.count(type) != 0;
}

unsigned categoriesOf(const std::string& type) {
    return memoized<unsigned>(type, [&] {
        if (type == kGenericDataType)
            return 0u;
        const char* t = type.c_str();
        unsigned bits = 0;
        if (g_content_type_is_a(t, "image/*"))
            bits |= unsigned(FileCategory::image);
        if (g_content_type_is_a(t, "video/*"))
            bits |= unsigned(FileCategory::video);
        if (g_content_type_is_a(t, "audio/*"))
            bits |= unsigned(FileCategory::audio);
        if (g_content_type_is_a(t, "application/pdf"))
            bits |= unsigned(FileCategory::pdf);
        if (g_content_type_is_a(t, "text/plain"))
            bits |= unsigned(FileCategory::text);
        for (const char* archive : kArchiveTypes)
            if (g_content_type_is_a(t, archive)) {
                bits |= unsigned(FileCategory::archive);
                break;
            }
        return bits;
    });
}

std::string contentTypeForMode(unsigned mode, std::string_view name) {
    if (S_ISDIR(mode))
        return kFolderType;
    if (S_ISLNK(mode))
        return "inode/symlink";
    if (S_ISFIFO(mode))
        return "inode/fifo";
    if (S_ISSOCK(mode))
        return "inode/socket";
    if (S_ISCHR(mode))
        return "inode/chardevice";
    if (S_ISBLK(mode))
        return "inode/blockdevice";
    return contentTypeForName(name);
}

} // namespace qb
