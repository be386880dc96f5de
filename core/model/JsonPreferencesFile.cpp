#include "JsonPreferencesFile.h"

#include "fileops/FileSystem.h"
#include "search/PathText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace qb {
namespace {

// Paths are bytes: valid UTF-8 is stored as text, anything else as base64 so nothing is lost.
QJsonValue pathValue(const std::string& path) {
    QByteArray bytes(path.data(), qsizetype(path.size()));
    if (isValidUtf8(path))
        return QString::fromUtf8(bytes);
    return QJsonObject{{"bytes", QString::fromLatin1(bytes.toBase64())}};
}

std::optional<std::string> pathFrom(const QJsonValue& v) {
    if (v.isString())
        return v.toString().toStdString();
    if (v.isObject() && v.toObject().value("bytes").isString()) {
        auto r = QByteArray::fromBase64Encoding(v.toObject().value("bytes").toString().toLatin1(),
                                                QByteArray::AbortOnBase64DecodingErrors);
        if (r)
            return r.decoded.toStdString();
    }
    return std::nullopt;
}

bool readFile(const std::string& path, QByteArray& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0)
        out.append(buf, n);
    ::close(fd);
    return n == 0;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void keepAside(const std::string& path, const QByteArray& bytes, const std::string& suffix) {
    std::string base = path + suffix + fs::localTimeText("%Y%m%d-%H%M%S");
    for (int n = 0; n < 1000; ++n) {
        std::string p = n ? base + "-" + std::to_string(n) : base;
        int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
        if (::close(fd) != 0 || !ok)
            ::unlink(p.c_str());
        return;
    }
}

bool writeAtomically(const std::string& path, const QByteArray& bytes) {
    std::string dir(parentOf(path));
    if (fs::makeDirectory(dir, true))
        return false;
    std::string temp = dir + "/.preferences.json.XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // Every write is checked and flushed before the rename, so a full disk leaves the old
    // file as it was.
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace

// Writes the newest state and nothing older: snapshots that arrive while one is being written
// replace each other. Copies kept aside are written first, before the file they came from
// can be replaced.
class JsonPreferencesFile::Writer {
public:
    explicit Writer(std::string path) : m_path(std::move(path)), m_thread([this] { run(); }) {}

    ~Writer() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    void keepAside(QByteArray bytes, std::string suffix) {
        {
            std::lock_guard lock(m_mutex);
            m_asides.emplace_back(std::move(bytes), std::move(suffix));
            ++m_posted;
        }
        m_wake.notify_one();
    }

    void write(QByteArray snapshot) {
        {
            std::lock_guard lock(m_mutex);
            m_snapshot = std::move(snapshot);
            ++m_posted;
        }
        m_wake.notify_one();
    }

    void flush() {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_written == m_posted; });
    }

    bool lastWriteFailed() {
        std::lock_guard lock(m_mutex);
        return m_failed;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || m_written != m_posted; });
            if (m_written == m_posted)
                return; // stopping, and everything is written
            auto asides = std::move(m_asides);
            m_asides.clear();
            auto snapshot = std::move(m_snapshot);
            m_snapshot.reset();
            std::uint64_t upTo = m_posted;
            lock.unlock();
            for (const auto& [bytes, suffix] : asides)
                qb::keepAside(m_path, bytes, suffix);
            bool ok = !snapshot || writeAtomically(m_path, *snapshot);
            lock.lock();
            if (snapshot)
                m_failed = !ok;
            m_written = upTo;
            m_done.notify_all();
        }
    }

    const std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<std::pair<QByteArray, std::string>> m_asides;
    std::optional<QByteArray> m_snapshot;
    std::uint64_t m_posted = 0;
    std::uint64_t m_written = 0;
    bool m_failed = false;
    bool m_stopping = false;
    std::thread m_thread; // last: starts once the members above exist
};

std::string JsonPreferencesFile::defaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config == '/') {
        base = config;
    } else {
        base = joinPath(fs::homeDirectory(), ".config");
    }
    return base + "/quillbrook/preferences.json";
}

JsonPreferencesFile::JsonPreferencesFile(std::string path) : m_path(std::move(path)) {
    QByteArray bytes;
    if (!readFile(m_path, bytes) || bytes.isEmpty())
        return;
    QJsonParseError error{};
    QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        m_unreadableFile = bytes;
        return;
    }
    m_values = doc.object();
    m_inSync = true;
}

JsonPreferencesFile::~JsonPreferencesFile() = default;

JsonPreferencesFile::Writer& JsonPreferencesFile::writer() {
    if (!m_writer)
        m_writer = std::make_unique<Writer>(m_path);
    return *m_writer;
}

void JsonPreferencesFile::flush() {
    if (m_writer)
        m_writer->flush();
}

std::optional<bool> JsonPreferencesFile::boolean(const QString& key) const {
    QJsonValue v = m_values.value(key);
    return v.isBool() ? std::optional<bool>(v.toBool()) : std::nullopt;
}

std::optional<QString> JsonPreferencesFile::text(const QString& key) const {
    QJsonValue v = m_values.value(key);
    return v.isString() ? std::optional<QString>(v.toString()) : std::nullopt;
}

std::optional<std::string> JsonPreferencesFile::path(const QString& key) const {
    return pathFrom(m_values.value(key));
}

std::optional<std::vector<std::string>> JsonPreferencesFile::paths(const QString& key) const {
    QJsonValue v = m_values.value(key);
    if (!v.isArray())
        return std::nullopt;
    std::vector<std::string> out;
    for (const QJsonValue& item : v.toArray()) {
        auto p = pathFrom(item);
        if (!p)
            return std::nullopt; // not an array of texts: counts as missing
        out.push_back(std::move(*p));
    }
    return out;
}

std::optional<QByteArray> JsonPreferencesFile::data(const QString& key) const {
    QJsonValue v = m_values.value(key);
    if (!v.isObject())
        return std::nullopt;
    QJsonObject o = v.toObject();
    if (o.value("text").isString())
        return o.value("text").toString().toUtf8();
    if (o.value("base64").isString()) {
        auto r = QByteArray::fromBase64Encoding(o.value("base64").toString().toLatin1(),
                                                QByteArray::AbortOnBase64DecodingErrors);
        if (r)
            return r.decoded;
    }
    return std::nullopt;
}

void JsonPreferencesFile::setBoolean(const QString& key, bool value) {
    store(key, value);
}
void JsonPreferencesFile::setText(const QString& key, const QString& value) {
    store(key, value);
}
void JsonPreferencesFile::setPath(const QString& key, const std::string& value) {
    store(key, pathValue(value));
}
void JsonPreferencesFile::setPaths(const QString& key, const std::vector<std::string>& value) {
    QJsonArray array;
    for (const auto& p : value)
        array.append(pathValue(p));
    store(key, array);
}

void JsonPreferencesFile::setData(const QString& key, const QByteArray& value,
                                  bool previousUnreadable) {
    // The user's stored value could not be read (a list the caller could not decode, or a
    // value of another shape altogether, such as a hand-edited array); keep it rather than
    // destroy it.
    if (m_values.contains(key) && (previousUnreadable || !data(key))) {
        QJsonObject old{{key, m_values.value(key)}};
        writer().keepAside(QJsonDocument(old).toJson(), "." + key.toStdString() + "-unreadable-");
    }
    QJsonObject o;
    if (isValidUtf8(std::string_view(value.constData(), size_t(value.size()))))
        o.insert("text", QString::fromUtf8(value));
    else
        o.insert("base64", QString::fromLatin1(value.toBase64()));
    store(key, o);
}

void JsonPreferencesFile::store(const QString& key, const QJsonValue& value) {
    // Rewriting (and syncing) a file that already says exactly this would only cost time:
    // every search remembers its folder.
    if (m_inSync && m_values.contains(key) && m_values.value(key) == value &&
        !(m_writer && m_writer->lastWriteFailed()))
        return;
    m_values.insert(key, value);
    if (!m_unreadableFile.isEmpty()) {
        writer().keepAside(std::move(m_unreadableFile), ".unreadable-");
        m_unreadableFile.clear();
    }
    writer().write(QJsonDocument(m_values).toJson(QJsonDocument::Indented));
    m_inSync = true;
}

} // namespace qb
