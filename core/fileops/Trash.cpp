#include "Trash.h"

#include "search/PathText.h"
#include "search/PercentEncoding.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace qb::trash {
namespace {

// The nearest existing folder at or above path, for its device number.
bool deviceOf(std::string path, dev_t& dev) {
    struct stat st {};
    while (::lstat(path.c_str(), &st) != 0) {
        if (path == "/" || path.empty())
            return false;
        path = std::string(parentOf(path));
    }
    dev = st.st_dev;
    return true;
}

// The mount point holding path: the highest ancestor on the same device.
std::string topDirectory(const std::string& path, dev_t dev) {
    std::string top = path;
    for (;;) {
        std::string up(parentOf(top));
        struct stat st {};
        if (up.empty() || up == top || ::lstat(up.c_str(), &st) != 0 || st.st_dev != dev)
            return top;
        top = up;
    }
}

// A trash folder we own, not a link, with files/ and info/ ready.
bool prepare(const std::string& dir, bool create) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0) {
        if (!create || ::mkdir(dir.c_str(), 0700) != 0 || ::lstat(dir.c_str(), &st) != 0)
            return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    for (const char* sub : {"/files", "/info"}) {
        std::string p = dir + sub;
        if (::mkdir(p.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    }
    return true;
}

bool prepareHome(const std::string& dir) {
    // The home trash may need its parents (a fresh account has no ~/.local/share).
    if (fs::makeDirectory(std::string(parentOf(dir)), true))
        return false;
    return prepare(dir, true);
}

// The trash that takes an item: the home trash on its own device, else the volume's. The
// volume is the one that really holds the item: a folder on the way may be a link onto
// another file system (~/Data pointing at a mounted disk).
std::optional<Slot> trashFor(const std::string& path, fs::Error& reason) {
    const std::string real = fs::realLocation(path);
    dev_t itemDev;
    if (!deviceOf(std::string(parentOf(real)), itemDev)) {
        reason = {FileFailure::Kind::system, ENOENT};
        return std::nullopt;
    }
    std::string home = homeTrash();
    dev_t homeDev;
    if (deviceOf(home, homeDev) && homeDev == itemDev) {
        if (prepareHome(home))
            return Slot{home, {}, {}};
        reason = {FileFailure::Kind::noTrash};
        return std::nullopt;
    }
    std::string top = topDirectory(std::string(parentOf(real)), itemDev);
    std::string uid = std::to_string(::getuid());
    std::string shared = joinPath(top, ".Trash");
    struct stat st {};
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        std::string dir = shared + "/" + uid;
        if (prepare(dir, true))
            return Slot{dir, top, {}};
    }
    std::string own = joinPath(top, ".Trash-" + uid);
    if (prepare(own, true))
        return Slot{own, top, {}};
    reason = {FileFailure::Kind::noTrash};
    return std::nullopt;
}

// Reserves NAME in the trash by creating info/NAME.trashinfo exclusively.
fs::Error reserve(Slot& slot, const std::string& path, const Info& info) {
    std::string base(lastComponent(path));
    // NAME.trashinfo must fit in a file name: long names are shortened (on a character
    // boundary) in the trash; the original path stays in the info file.
    constexpr size_t kRoom = 255 - sizeof(".trashinfo") + 1 - 8;
    if (base.size() > kRoom) {
        size_t cut = kRoom;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base.resize(cut);
    }
    for (int n = 1; n < 100000; ++n) {
        slot.name = n == 1 ? base : base + "." + std::to_string(n);
        if (fs::exists(slot.trashDir + "/files/" + slot.name))
            continue;
        fs::Error e = writeInfo(slot, info);
        if (!e)
            return {};
        if (e.errnum != EEXIST)
            return e;
    }
    return {FileFailure::Kind::system, EEXIST};
}

constexpr const char* kGroup = "Trash Info";
constexpr size_t kInfoLimit = 65536; // far above any path's Path= line

using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;

// A string GLib allocated, copied and freed; nothing for NULL.
std::optional<std::string> takeText(gchar* text) {
    if (!text)
        return std::nullopt;
    std::string out(text);
    g_free(text);
    return out;
}

// Both values are set raw: the encoded path holds nothing a key file escapes, and a carried
// date stays as its own info file had it.
std::string infoText(const std::string& encodedPath, const std::string& date) {
    KeyFile file(g_key_file_new(), g_key_file_free);
    g_key_file_set_value(file.get(), kGroup, "Path", encodedPath.c_str());
    g_key_file_set_value(file.get(), kGroup, "DeletionDate", date.c_str());
    return takeText(g_key_file_to_data(file.get(), nullptr, nullptr)).value_or("");
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::string homeTrash() {
    const char* d = std::getenv("XDG_DATA_HOME");
    std::string data = d && *d == '/' ? std::string(d) : fs::homeDirectory() + "/.local/share";
    return data + "/Trash";
}

std::string encodeInfoPath(const std::string& path) {
    gchar* encoded = qb_percent_encode_path(path.c_str());
    std::string out(encoded);
    g_free(encoded);
    return out;
}

std::optional<Slot> slotOf(const std::string& path) {
    std::string files(parentOf(path));
    if (lastComponent(files) != "files")
        return std::nullopt;
    std::string dir(parentOf(files));
    std::string dirName(lastComponent(dir));
    std::string uid = std::to_string(::getuid());
    Slot slot{dir, {}, std::string(lastComponent(path))};
    if (dir == homeTrash())
        return slot;
    if (dirName == ".Trash-" + uid) {
        slot.topDir = std::string(parentOf(dir));
        return slot;
    }
    std::string up(parentOf(dir));
    if (dirName == uid && lastComponent(up) == ".Trash") {
        slot.topDir = std::string(parentOf(up));
        return slot;
    }
    return std::nullopt;
}

fs::Error writeInfo(const Slot& slot, const Info& info) {
    std::string shown = info.originalPath;
    if (!slot.topDir.empty()) {
        // A volume trash records paths relative to the volume's top folder, which is found on
        // the item's real location.
        std::string prefix = slot.topDir == "/" ? "/" : slot.topDir + "/";
        if (!startsWith(shown, prefix)) {
            std::string real = fs::realLocation(shown);
            if (startsWith(real, prefix))
                shown = real;
        }
        if (startsWith(shown, prefix))
            shown = shown.substr(prefix.size());
    }
    std::string date =
        info.deletionDate.empty() ? fs::localTimeText("%Y-%m-%dT%H:%M:%S") : info.deletionDate;
    std::string text = infoText(encodeInfoPath(shown), date);
    std::string infoPath = slot.infoPath();
    int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return {FileFailure::Kind::system, errno};
    ssize_t n = ::write(fd, text.data(), text.size());
    int err = n == ssize_t(text.size()) ? 0 : (n < 0 ? errno : ENOSPC);
    if (::fsync(fd) != 0 && !err)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (err) {
        ::unlink(infoPath.c_str());
        return {FileFailure::Kind::system, err};
    }
    return {};
}

std::optional<Info> readInfo(const Slot& slot) {
    // Read here rather than by GKeyFile: an info file that is a link is not followed, and a
    // huge one is not read whole.
    int fd = ::open(slot.infoPath().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buf[4096];
    ssize_t n;
    while (text.size() <= kInfoLimit && (n = ::read(fd, buf, sizeof buf)) > 0)
        text.append(buf, size_t(n));
    ::close(fd);
    if (text.size() > kInfoLimit)
        return std::nullopt;
    KeyFile file(g_key_file_new(), g_key_file_free);
    if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    std::optional<std::string> encoded =
        takeText(g_key_file_get_value(file.get(), kGroup, "Path", nullptr));
    std::optional<std::string> path =
        encoded ? takeText(qb_percent_decode(encoded->data(), encoded->size())) : std::nullopt;
    if (!path || path->empty())
        return std::nullopt;
    Info info;
    info.deletionDate =
        takeText(g_key_file_get_value(file.get(), kGroup, "DeletionDate", nullptr)).value_or("");
    if (path->front() == '/')
        info.originalPath = *path;
    else if (!slot.topDir.empty())
        info.originalPath = joinPath(slot.topDir, *path);
    else
        return std::nullopt; // the home trash holds absolute paths only
    return info;
}

Info carriedInfo(const std::string& path) {
    if (std::optional<Slot> slot = slotOf(path))
        if (std::optional<Info> info = readInfo(*slot))
            return *info;
    return {path, {}};
}

std::string restoreFolder(const Slot& slot) {
    return slot.topDir.empty() ? fs::homeDirectory() : slot.topDir;
}

void removeInfo(const Slot& slot) {
    ::unlink(slot.infoPath().c_str());
}

Outcome moveToTrash(const std::string& path, const std::optional<FileIdentity>& expected) {
    Outcome out;
    std::optional<Slot> slot = trashFor(path, out.error);
    if (!slot)
        return out;
    if (!fs::exists(path)) {
        out.error = {FileFailure::Kind::system, ENOENT};
        return out;
    }
    // An item that is already in a trash keeps its record, and its old info file goes.
    std::optional<Slot> from = slotOf(path);
    if (fs::Error e = reserve(*slot, path, carriedInfo(path))) {
        out.error = e;
        return out;
    }
    std::string target = slot->trashDir + "/files/" + slot->name;
    fs::Error e = fs::moveItem(path, target, expected);
    if (e) {
        removeInfo(*slot);
        out.error = e;
        return out;
    }
    if (from)
        removeInfo(*from);
    out.location = target;
    return out;
}

} // namespace qb::trash
