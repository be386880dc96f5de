#include "SearchModel.h"

#include "SearchModel_p.h"
#include "ShownText.h"
#include "fileops/FileSystem.h"
#include "search/PathText.h"
#include "search/RegexMatcher.h"

#include <algorithm>
#include <cstdlib>

namespace qb {

std::optional<std::string> standardFolder(std::string_view path) {
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    return standardisePath(path);
}

SearchModel::SearchModel(PreferencesStore& store, Desktop& desktop, QObject* parent)
    : QObject(parent), m_store(store), m_desktop(desktop) {
    m_folder = standardFolder(fs::homeDirectory()).value_or("/");
    m_focusRequest = QUuid::createUuid();
    m_sortOrder = {{SortKey::name, true}};
    m_liveTimer = new QTimer(this);
    m_liveTimer->setSingleShot(true);
    m_liveTimer->setTimerType(Qt::PreciseTimer); // a coarse timer strays by up to 5%
    m_liveTimer->setInterval(kLiveSearchDelay);
    connect(m_liveTimer, &QTimer::timeout, this, [this] {
        if (!m_liveSearch || !patternUsable() || m_fileActionRunning)
            return;
        search();
    });
    m_dateTimer = new QTimer(this);
    m_dateTimer->setSingleShot(true);
    m_dateTimer->setTimerType(Qt::PreciseTimer);
    connect(m_dateTimer, &QTimer::timeout, this, [this] {
        if (!m_orderedValid || !m_orderedExpiry)
            return;
        if (Clock::now() < *m_orderedExpiry) {
            armDateExpiry(); // woken early, or the wait was capped
            return;
        }
        // The filter's effect has changed: views that follow the filters refresh too.
        orderedStale(false);
        Q_EMIT filtersChanged();
        Q_EMIT orderedHitsChanged();
    });
    loadPreferences();
}

SearchModel::~SearchModel() {
    // A file operation is never cut off halfway: wait for it, then stop the searches.
    if (m_fileTask)
        m_fileTask->operation.waitForFinished();
    for (auto& task : m_searchTasks)
        task->stop.request_stop();
    for (auto& task : m_searchTasks)
        if (task->thread.joinable())
            task->thread.join();
}

void SearchModel::loadPreferences() {
    m_liveSearch = m_store.boolean("liveSearch").value_or(false);
    m_layout = windowLayoutFrom(m_store.text("windowLayout"));
    m_appearance = appearanceFrom(m_store.text("appearance"));
    m_rememberFolder = m_store.boolean("rememberFolder").value_or(true);
    m_searchOnRecall = m_store.boolean("searchOnRecall").value_or(true);
    if (auto data = m_store.data("savedSearches")) {
        if (auto list = decodeSavedSearches(*data))
            m_savedSearches = std::move(*list);
        else
            m_savedUnreadable = true;
    }
    // Stored folders are standardised like every other folder; a relative or empty one
    // (edited by hand, or written by an older version) reads as unavailable.
    for (const std::string& stored :
         m_store.paths("recentFolders").value_or(std::vector<std::string>{})) {
        auto folder = standardFolder(stored);
        if (folder && std::find(m_recentFolders.begin(), m_recentFolders.end(), *folder) ==
                          m_recentFolders.end())
            m_recentFolders.push_back(std::move(*folder));
    }
    if (m_rememberFolder) {
        if (auto last = m_store.path("lastFolder"))
            if (auto folder = standardFolder(*last))
                m_folder = std::move(*folder);
    }
}

void SearchModel::setLiveSearch(bool value) {
    m_liveSearch = value;
    Q_EMIT liveSearchChanged();
    m_store.setBoolean("liveSearch", value);
    scheduleLiveSearch();
}

void SearchModel::setLayout(WindowLayout value) {
    m_layout = value;
    Q_EMIT layoutChanged();
    m_store.setText("windowLayout", rawValue(value));
    resizeWindow();
}

void SearchModel::setAppearance(AppearanceMode value) {
    m_appearance = value;
    Q_EMIT appearanceChanged();
    m_store.setText("appearance", rawValue(value));
}

void SearchModel::setRememberFolder(bool value) {
    m_rememberFolder = value;
    Q_EMIT rememberFolderChanged();
    m_store.setBoolean("rememberFolder", value);
}

void SearchModel::setSearchOnRecall(bool value) {
    m_searchOnRecall = value;
    Q_EMIT searchOnRecallChanged();
    m_store.setBoolean("searchOnRecall", value);
}

SearchCriteria SearchModel::criteria() const {
    return {m_folder,        m_pattern.toStdString(), m_recursive,
            m_caseSensitive, m_includeHidden,         m_fullPath};
}

bool SearchModel::criteriaChanged() const {
    return m_executedCriteria && !(*m_executedCriteria == criteria());
}

bool SearchModel::patternUsable() const {
    return !m_pattern.isEmpty() && !RegexMatcher::compileError(m_pattern.toStdString());
}

void SearchModel::assignFolder(const std::string& value) {
    auto folder = standardFolder(value);
    if (!folder)
        return;
    m_folder = std::move(*folder);
    Q_EMIT folderChanged();
}

const std::vector<const SearchHit*>& SearchModel::orderedHits() const {
    if (m_orderedValid)
        return m_ordered;
    OrderedChange& change = m_orderedChange;
    change.from = change.to;
    change.to = m_orderedVersion;
    change.added.clear();
    change.previous.clear();
    const bool grows = m_orderedExtendable && m_orderedFrom <= m_hits.size();
    if (grows) {
        change.kind = OrderedChange::Kind::grown;
    } else {
        change.kind =
            m_hitsReplaced ? OrderedChange::Kind::replaced : OrderedChange::Kind::rearranged;
        // The earlier order costs nothing to keep: its buffer is not needed any more.
        if (!m_hitsReplaced)
            change.previous.swap(m_orderedIndex);
        m_orderedIndex.clear();
        m_orderedFrom = 0;
    }
    m_hitsReplaced = false;
    const size_t kept = m_orderedIndex.size();
    const bool filtering = m_filters.active();
    const Timestamp now = Clock::now();
    for (size_t i = m_orderedFrom; i < m_hits.size(); ++i)
        if (!filtering || m_filters.matches(m_hits[i], now))
            m_orderedIndex.push_back(uint32_t(i));
    m_ordered.resize(m_orderedIndex.size());
    for (size_t k = 0; k < m_orderedIndex.size(); ++k)
        m_ordered[k] = &m_hits[m_orderedIndex[k]];
    mergeHits(m_ordered, kept, m_sortOrder, &m_orderedIndex, grows ? &change.added : nullptr);
    m_orderedFrom = m_hits.size();
    m_orderedExtendable = true;
    m_orderedValid = true;

    // A date filter's threshold moves with the clock: the list stays true until the next
    // midnight, or until the first listed item is seven or thirty days old.
    m_orderedExpiry.reset();
    std::optional<std::chrono::seconds> window;
    switch (m_filters.modified) {
    case ModifiedFilter::any:
        break;
    case ModifiedFilter::today:
        if (!m_ordered.empty()) // 30 hours past a midnight is always within the next day
            m_orderedExpiry = startOfDay(startOfDay(now) + std::chrono::hours(30));
        break;
    case ModifiedFilter::week:
        window = std::chrono::seconds(604'800);
        break;
    case ModifiedFilter::month:
        window = std::chrono::seconds(2'592'000);
        break;
    }
    if (window)
        for (const SearchHit* hit : m_ordered)
            if (!m_orderedExpiry || hit->modified + *window < *m_orderedExpiry)
                m_orderedExpiry = hit->modified + *window;
    armDateExpiry();
    return m_ordered;
}

const SearchModel::OrderedChange& SearchModel::orderedChange() const {
    orderedHits();
    return m_orderedChange;
}

const std::vector<uint32_t>& SearchModel::orderedPositions() const {
    orderedHits();
    return m_orderedIndex;
}

void SearchModel::armDateExpiry() const {
    if (!m_orderedExpiry) {
        m_dateTimer->stop();
        return;
    }
    using namespace std::chrono;
    // Capped, so that a wall clock set forward is noticed within the hour.
    auto wait = ceil<milliseconds>(*m_orderedExpiry - Clock::now());
    m_dateTimer->start(std::clamp(wait, milliseconds(1), milliseconds(hours(1))));
}

std::vector<std::string> SearchModel::selectedURLs() const {
    std::vector<std::string> out;
    if (m_selection.empty())
        return out;
    for (const SearchHit* hit : orderedHits())
        if (m_selection.count(hit->url))
            out.push_back(hit->url);
    return out;
}

QString SearchModel::folderName() const {
    return shownName(m_folder);
}

std::vector<std::string> SearchModel::itemsOr(const UrlList& urls) const {
    return urls ? *urls : selectedURLs();
}

void SearchModel::attachWindow(const std::shared_ptr<SearchWindow>& window) {
    auto current = m_window.lock();
    if (current == window)
        return;
    if (current)
        current->closeWindow();
    m_window = window;
    resizeWindow();
    std::weak_ptr<SearchWindow> weak = window;
    QTimer::singleShot(0, this, [this, weak] {
        if (auto w = weak.lock())
            w->activate();
        setFocusRequest(QUuid::createUuid());
    });
}

void SearchModel::resizeWindow() {
    auto window = m_window.lock();
    if (!window)
        return;
    const ContentSizes sizes = contentSizes(m_layout, compactIdle());
    window->setContentSizes(sizes.minWidth, sizes.minHeight, sizes.width, sizes.height);
}

} // namespace qb
