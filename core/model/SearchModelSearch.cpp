// The search state machine: starting, debouncing, cancelling and accepting results.

#include "SearchModel.h"
#include "SearchModel_p.h"
#include "search/PathText.h"
#include "search/SearchEngine.h"

#include <QPointer>
#include <QThreadPool>
#include <sys/stat.h>

namespace qb {
namespace {

QString dropOneFolder() {
    return QStringLiteral("Drop a single folder to search it.");
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The decoded value of the first "folder" query item, if the item exists and has one.
std::optional<std::string> folderItem(std::string_view query) {
    size_t start = 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string_view::npos)
            end = query.size();
        std::string_view item = query.substr(start, end - start);
        size_t eq = item.find('=');
        auto name = percentDecode(item.substr(0, eq));
        if (name && *name == "folder") {
            if (eq == std::string_view::npos)
                return std::nullopt;
            return percentDecode(item.substr(eq + 1));
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace

QString joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out.push_back('\n');
        out += lines[i];
    }
    return QString::fromStdString(toValidUtf8(out));
}

void SearchModel::search() {
    if (!patternUsable() || m_fileActionRunning)
        return;
    cancel();
    clearError();
    setHits({});
    setSelection({});
    setScanned(0);
    setSkipped(0);
    setLimited(false);
    setCancelled(false);
    setHasSearched(true);
    setRunning(true);
    m_started = std::chrono::steady_clock::now();
    setExecutedCriteria(criteria());
    remember(m_folder);
    if (m_layout == WindowLayout::compact)
        resizeWindow();
    SearchOptions options{m_folder,        m_pattern.toStdString(), m_recursive,
                          m_caseSensitive, m_includeHidden,         m_fullPath};
    startSearchTask(options, m_generation);
}

void SearchModel::startSearchTask(const SearchOptions& options, const QUuid& token) {
    // search() has just cancelled, which reaped the finished tasks.
    auto task = std::make_shared<SearchTask>();
    m_task = task;
    m_searchTasks.push_back(task);
    SearchModel* model = this;
    task->thread = std::thread([model, task, options, token] {
        std::stop_token stop = task->stop.get_token();
        std::stop_callback release(stop, [&task] {
            task->handoff.store(1);
            task->handoff.notify_all();
        });
        // Each update is applied on the GUI thread while the walk waits for it; a stop
        // releases the wait, and the token comparison drops whatever arrives late.
        auto publish = [&](const SearchUpdate& update) {
            task->handoff.store(0);
            if (stop.stop_requested())
                return;
            postCall(model, [model, task, update, token] {
                model->apply(update, token);
                task->handoff.store(1);
                task->handoff.notify_all();
            });
            while (task->handoff.load() == 0)
                task->handoff.wait(0);
        };
        SearchOutcome outcome = SearchEngine::run(options, publish, stop);
        if (outcome.status == SearchOutcome::Status::finished) {
            postCall(model, [model, token] { model->finish(token); });
        } else if (outcome.status == SearchOutcome::Status::failed) {
            QString message = QString::fromStdString(outcome.error.description);
            postCall(model, [model, message, token] { model->fail(message, token); });
        }
        task->finished.store(true);
    });
}

void SearchModel::reapSearchTasks() {
    std::erase_if(m_searchTasks, [](const std::shared_ptr<SearchTask>& task) {
        if (!task->finished.load())
            return false;
        task->thread.join(); // already over: this does not wait
        return true;
    });
}

void SearchModel::cancel() {
    m_liveTimer->stop();
    if (m_task) {
        m_task->stop.request_stop();
        m_task.reset();
    }
    reapSearchTasks();
    m_generation = QUuid::createUuid();
    if (m_running) {
        setCancelled(true);
        setElapsed(secondsSince(m_started));
    }
    setRunning(false);
}

void SearchModel::scheduleLiveSearch() {
    m_liveTimer->stop();
    if (!m_liveSearch || m_fileActionRunning)
        return;
    if (m_running)
        cancel();
    m_liveTimer->start();
}

void SearchModel::apply(const SearchUpdate& update, const QUuid& token) {
    if (token != m_generation)
        return;
    // The same search's next update holds every earlier hit in the same place; after an empty
    // list, any update only adds.
    const bool grows =
        (m_hitsRun == token || m_hits.empty()) && update.hits.size() >= m_hits.size();
    replaceHits(update.hits, token, grows && m_orderedExtendable);
    setScanned(update.scanned);
    setSkipped(update.skipped);
    setLimited(update.limited);
}

void SearchModel::finish(const QUuid& token) {
    if (token != m_generation)
        return;
    setRunning(false);
    m_task.reset();
    setElapsed(secondsSince(m_started));
    Q_EMIT searchEnded();
}

void SearchModel::fail(const QString& message, const QUuid& token) {
    if (token != m_generation)
        return;
    setError(message);
    setRunning(false);
    m_task.reset();
    Q_EMIT searchEnded();
}

void SearchModel::setFolder(const std::string& path) {
    // Every way in (launch URL, drop, panel, saved search) comes through here, so the folder,
    // the hits' paths and the recent folders all share one spelling.
    auto standard = standardFolder(path);
    if (!standard)
        return;
    const std::string& folder = *standard;
    cancel();
    assignFolder(folder);
    setHits({});
    setSelection({});
    setHasSearched(false);
    setExecutedCriteria(std::nullopt);
    clearError();
    setScanned(0);
    setSkipped(0);
    setLimited(false);
    remember(folder);
    setFocusRequest(QUuid::createUuid());
    if (m_layout == WindowLayout::compact)
        resizeWindow();
}

void SearchModel::chooseFolder() {
    FolderPanel panel{m_folder, "Search Here", "Choose the folder to search.", false};
    QPointer<SearchModel> self(this);
    m_desktop.chooseFolder(panel, [self](std::optional<std::string> chosen) {
        if (self && chosen)
            self->setFolder(*chosen);
    });
}

void SearchModel::receive(const QString& url) {
    // Any web page can open such a URL: it may choose a folder and raise the window, nothing
    // more.
    const std::string text = url.toStdString();
    if (text.size() > (1u << 20))
        return;
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return;
    std::string_view scheme(text.data(), colon);
    if (scheme != "quillbrook" && scheme != "tarnwick")
        return;
    std::string_view rest = std::string_view(text).substr(colon + 1);
    if (rest.substr(0, 2) != "//")
        return;
    rest.remove_prefix(2);
    size_t hostEnd = rest.find_first_of("/?#");
    std::string_view host = rest.substr(0, hostEnd);
    if (host != "search")
        return;
    std::string_view after =
        hostEnd == std::string_view::npos ? std::string_view() : rest.substr(hostEnd);
    size_t fragment = after.find('#');
    after = after.substr(0, fragment);
    size_t question = after.find('?');
    if (question != std::string_view::npos) {
        auto value = folderItem(after.substr(question + 1));
        if (value && !value->empty() && value->front() == '/' &&
            value->find('\0') == std::string::npos)
            setFolder(*value);
    }
    setFocusRequest(QUuid::createUuid());
    m_desktop.raiseApplication();
}

bool SearchModel::acceptFolderProviders(const QMimeData& data) {
    std::vector<std::string> entries;
    if (data.hasFormat("text/uri-list")) {
        for (const QByteArray& line : data.data("text/uri-list").split('\n')) {
            QByteArray entry = line.trimmed();
            if (!entry.isEmpty() && !entry.startsWith('#'))
                entries.push_back(entry.toStdString());
        }
    } else if (data.hasText()) {
        entries.push_back(data.text().trimmed().toStdString());
    }
    if (entries.size() != 1)
        return false;
    // A web link or plain text is not a folder either, and says so like a dropped file.
    auto path = pathFromFileUrl(entries[0]);
    if (!path || !acceptFolderDrop({*path}))
        setFileActionError(dropOneFolder());
    return true;
}

bool SearchModel::acceptFolderDrop(const std::vector<std::string>& urls) {
    if (urls.size() != 1 || urls[0].empty() || urls[0][0] != '/')
        return false;
    // A stale network mount must not hold the window: the folder is checked on a pool thread.
    QPointer<SearchModel> self(this);
    const quint64 generation = ++m_dropGeneration;
    const std::string path = urls[0];
    QThreadPool::globalInstance()->start([self, generation, path] {
        struct stat st {};
        const bool folder = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        QMetaObject::invokeMethod(
            self,
            [self, generation, path, folder] {
                if (!self || generation != self->m_dropGeneration)
                    return;
                if (!folder) {
                    self->setFileActionError(dropOneFolder());
                    return;
                }
                self->setFolder(path);
                if (self->m_liveSearch)
                    self->scheduleLiveSearch();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void SearchModel::copyPaths(const UrlList& urls) {
    m_desktop.setClipboardText(joinLines(itemsOr(urls)));
}

void SearchModel::open(const UrlList& urls) {
    for (const auto& url : itemsOr(urls))
        m_desktop.openItem(url);
}

void SearchModel::quickLook(const UrlList& urls) {
    auto items = itemsOr(urls);
    if (items.empty())
        return;
    m_desktop.showPreview(items);
}

} // namespace qb
