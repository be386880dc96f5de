// The search state machine: starting, debouncing, cancelling and accepting results.

#include "ErrorText.h"
#include "OffThread.h"
#include "SearchModel.h"
#include "SearchModel_p.h"
#include "ShownText.h"
#include "quillbrook-handover.h"
#include "search/PathText.h"
#include "search/SearchEngine.h"

#include <QPointer>
#include <sys/stat.h>

namespace qb {
namespace {

QString dropOneFolder() {
    return SearchModel::tr("Drop a single folder to search it.");
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

QString joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out.push_back('\n');
        out += lines[i];
    }
    return shownText(out);
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
    setSkippedItems({});
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
            QMetaObject::invokeMethod(
                model,
                [model, task, update, token] {
                    model->apply(update, token);
                    task->handoff.store(1);
                    task->handoff.notify_all();
                },
                Qt::QueuedConnection);
            while (task->handoff.load() == 0)
                task->handoff.wait(0);
        };
        SearchOutcome outcome = SearchEngine::run(options, publish, stop);
        if (outcome.status == SearchOutcome::Status::finished) {
            QMetaObject::invokeMethod(
                model, [model, token] { model->finish(token); }, Qt::QueuedConnection);
        } else if (outcome.status == SearchOutcome::Status::failed) {
            // Worded on the GUI thread, where the translations are installed and changed.
            QMetaObject::invokeMethod(
                model,
                [model, error = outcome.error, token] {
                    model->fail(ErrorText::search(error), token);
                },
                Qt::QueuedConnection);
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
    setSkippedItems(update.skippedItems);
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
    setSkippedItems({});
    setLimited(false);
    remember(folder);
    setFocusRequest(QUuid::createUuid());
    if (m_layout == WindowLayout::compact)
        resizeWindow();
}

void SearchModel::chooseFolder() {
    FolderPanel panel{m_folder, tr("Search Here", "button of the folder panel"),
                      tr("Choose the folder to search."), false};
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
    gchar* folder = nullptr;
    if (!qb_handover_read_launch_url(text.data(), text.size(), &folder))
        return;
    if (folder) {
        const std::string path(folder);
        g_free(folder);
        setFolder(path);
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
    const quint64 generation = ++m_dropGeneration;
    const std::string path = urls[0];
    runOffThread(
        this,
        [path] {
            struct stat st {};
            return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        },
        [this, generation, path](bool folder) {
            if (generation != m_dropGeneration)
                return;
            if (!folder) {
                setFileActionError(dropOneFolder());
                return;
            }
            setFolder(path);
            if (m_liveSearch)
                scheduleLiveSearch();
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

void SearchModel::reveal(const UrlList& urls) {
    auto items = itemsOr(urls);
    if (!items.empty())
        m_desktop.revealItems(items);
}

} // namespace qb
