#pragma once
// The application's one state object: the search state machine, folder choice, saved
// searches and preferences, and the file commands with their undo history. Every field is
// written on the GUI thread only, and each assignment emits its change signal.

#include "Desktop.h"
#include "Preferences.h"
#include "SavedSearch.h"
#include "fileops/FileActionRecords.h"
#include "fileops/FileUndoRecord.h"
#include "search/HitOrdering.h"
#include "search/RenamePlanner.h"
#include "search/ResultFilters.h"
#include "search/SearchRecords.h"

#include <QMimeData>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUuid>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace qb {

using UrlList = std::optional<std::vector<std::string>>; // none: the selection

class SearchModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool liveSearch READ liveSearch WRITE setLiveSearch NOTIFY liveSearchChanged)
    Q_PROPERTY(bool showFilters READ showFilters WRITE setShowFilters NOTIFY showFiltersChanged)
    Q_PROPERTY(bool editingPattern READ editingPattern WRITE setEditingPattern NOTIFY
                   editingPatternChanged)
    Q_PROPERTY(bool showInfo READ showInfo WRITE setShowInfo NOTIFY showInfoChanged)
    Q_PROPERTY(QString pattern READ pattern WRITE setPattern NOTIFY patternChanged)
    Q_PROPERTY(bool recursive READ recursive WRITE setRecursive NOTIFY recursiveChanged)
    Q_PROPERTY(
        bool caseSensitive READ caseSensitive WRITE setCaseSensitive NOTIFY caseSensitiveChanged)
    Q_PROPERTY(
        bool includeHidden READ includeHidden WRITE setIncludeHidden NOTIFY includeHiddenChanged)
    Q_PROPERTY(bool fullPath READ fullPath WRITE setFullPath NOTIFY fullPathChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(bool hasSearched READ hasSearched WRITE setHasSearched NOTIFY hasSearchedChanged)
    Q_PROPERTY(bool cancelled READ cancelled WRITE setCancelled NOTIFY cancelledChanged)
    Q_PROPERTY(qint64 scanned READ scanned WRITE setScanned NOTIFY scannedChanged)
    Q_PROPERTY(qint64 skipped READ skipped WRITE setSkipped NOTIFY skippedChanged)
    Q_PROPERTY(bool limited READ limited WRITE setLimited NOTIFY limitedChanged)
    Q_PROPERTY(double elapsed READ elapsed WRITE setElapsed NOTIFY elapsedChanged)
    Q_PROPERTY(bool fileActionRunning READ fileActionRunning WRITE setFileActionRunning NOTIFY
                   fileActionRunningChanged)
    Q_PROPERTY(bool showHelp READ showHelp WRITE setShowHelp NOTIFY showHelpChanged)
    Q_PROPERTY(bool showSave READ showSave WRITE setShowSave NOTIFY showSaveChanged)
    Q_PROPERTY(QString saveName READ saveName WRITE setSaveName NOTIFY saveNameChanged)
    Q_PROPERTY(bool rememberFolder READ rememberFolder WRITE setRememberFolder NOTIFY
                   rememberFolderChanged)
    Q_PROPERTY(bool searchOnRecall READ searchOnRecall WRITE setSearchOnRecall NOTIFY
                   searchOnRecallChanged)
public:
    static constexpr int kRecentFolderLimit = 6;
    static constexpr auto kLiveSearchDelay = std::chrono::milliseconds(450);

    // Reads the store once; writes happen on later assignments only.
    SearchModel(PreferencesStore& store, Desktop& desktop, QObject* parent = nullptr);
    // Stops and joins any search; lets a running file operation finish first.
    ~SearchModel() override;

    const FileHistory& undoHistory() const { return m_undoHistory; }
    void setUndoHistory(FileHistory value) {
        m_undoHistory = std::move(value);
        Q_EMIT undoHistoryChanged();
    }
    const FileHistory& redoHistory() const { return m_redoHistory; }
    void setRedoHistory(FileHistory value) {
        m_redoHistory = std::move(value);
        Q_EMIT redoHistoryChanged();
    }
    bool liveSearch() const { return m_liveSearch; }
    void setLiveSearch(bool value);
    const ResultFilters& filters() const { return m_filters; }
    void setFilters(ResultFilters value) {
        m_filters = std::move(value);
        m_orderedValid = false;
        m_orderedExtendable = false;
        Q_EMIT filtersChanged();
        Q_EMIT orderedHitsChanged();
    }
    bool showFilters() const { return m_showFilters; }
    void setShowFilters(bool value) {
        m_showFilters = std::move(value);
        Q_EMIT showFiltersChanged();
    }
    bool editingPattern() const { return m_editingPattern; }
    void setEditingPattern(bool value) {
        m_editingPattern = std::move(value);
        Q_EMIT editingPatternChanged();
    }
    const std::vector<std::string>& infoURLs() const { return m_infoURLs; }
    void setInfoURLs(std::vector<std::string> value) {
        m_infoURLs = std::move(value);
        Q_EMIT infoURLsChanged();
    }
    bool showInfo() const { return m_showInfo; }
    void setShowInfo(bool value) {
        m_showInfo = std::move(value);
        Q_EMIT showInfoChanged();
    }
    const std::string& folder() const { return m_folder; }
    // The plain assignment, standardised; a relative or empty path is ignored. setFolder()
    // switches folders.
    void assignFolder(const std::string& value);
    const QString& pattern() const { return m_pattern; }
    void setPattern(QString value) {
        m_pattern = std::move(value);
        Q_EMIT patternChanged();
    }
    bool recursive() const { return m_recursive; }
    void setRecursive(bool value) {
        m_recursive = std::move(value);
        Q_EMIT recursiveChanged();
    }
    bool caseSensitive() const { return m_caseSensitive; }
    void setCaseSensitive(bool value) {
        m_caseSensitive = std::move(value);
        Q_EMIT caseSensitiveChanged();
    }
    bool includeHidden() const { return m_includeHidden; }
    void setIncludeHidden(bool value) {
        m_includeHidden = std::move(value);
        Q_EMIT includeHiddenChanged();
    }
    bool fullPath() const { return m_fullPath; }
    void setFullPath(bool value) {
        m_fullPath = std::move(value);
        Q_EMIT fullPathChanged();
    }
    const HitList& hits() const { return m_hits; }
    void setHits(HitList value) { replaceHits(std::move(value), QUuid(), false); }
    const std::set<std::string>& selection() const { return m_selection; }
    void setSelection(std::set<std::string> value) {
        m_selection = std::move(value);
        Q_EMIT selectionChanged();
    }
    bool running() const { return m_running; }
    void setRunning(bool value) {
        m_running = std::move(value);
        Q_EMIT runningChanged();
    }
    bool hasSearched() const { return m_hasSearched; }
    void setHasSearched(bool value) {
        m_hasSearched = std::move(value);
        Q_EMIT hasSearchedChanged();
    }
    bool cancelled() const { return m_cancelled; }
    void setCancelled(bool value) {
        m_cancelled = std::move(value);
        Q_EMIT cancelledChanged();
    }
    qint64 scanned() const { return m_scanned; }
    void setScanned(qint64 value) {
        m_scanned = std::move(value);
        Q_EMIT scannedChanged();
    }
    qint64 skipped() const { return m_skipped; }
    void setSkipped(qint64 value) {
        m_skipped = std::move(value);
        Q_EMIT skippedChanged();
    }
    // What skipped counts, and why: the first SkippedItems::kListed items in walk order and
    // the counts per reason (adding up to skipped). From the same run as skipped, reset and
    // replaced with it; reasonText() words an item's reason.
    const SkippedItems& skippedItems() const { return m_skippedItems; }
    void setSkippedItems(SkippedItems value) {
        m_skippedItems = std::move(value);
        Q_EMIT skippedItemsChanged();
    }
    bool limited() const { return m_limited; }
    void setLimited(bool value) {
        m_limited = std::move(value);
        Q_EMIT limitedChanged();
    }
    double elapsed() const { return m_elapsed; }
    void setElapsed(double value) {
        m_elapsed = std::move(value);
        Q_EMIT elapsedChanged();
    }
    const std::optional<QString>& error() const { return m_error; }
    void setError(std::optional<QString> value) {
        m_error = std::move(value);
        Q_EMIT errorChanged();
    }
    bool fileActionRunning() const { return m_fileActionRunning; }
    void setFileActionRunning(bool value) {
        m_fileActionRunning = std::move(value);
        Q_EMIT fileActionRunningChanged();
    }
    const std::optional<QString>& fileActionStatus() const { return m_fileActionStatus; }
    void setFileActionStatus(std::optional<QString> value) {
        m_fileActionStatus = std::move(value);
        Q_EMIT fileActionStatusChanged();
    }
    const std::optional<QString>& fileActionError() const { return m_fileActionError; }
    void setFileActionError(std::optional<QString> value) {
        m_fileActionError = std::move(value);
        Q_EMIT fileActionErrorChanged();
    }
    const std::vector<std::string>& lastCreatedItems() const { return m_lastCreatedItems; }
    void setLastCreatedItems(std::vector<std::string> value) {
        m_lastCreatedItems = std::move(value);
        Q_EMIT lastCreatedItemsChanged();
    }
    bool showHelp() const { return m_showHelp; }
    void setShowHelp(bool value) {
        m_showHelp = std::move(value);
        Q_EMIT showHelpChanged();
    }
    bool showSave() const { return m_showSave; }
    void setShowSave(bool value) {
        m_showSave = std::move(value);
        Q_EMIT showSaveChanged();
    }
    const QString& saveName() const { return m_saveName; }
    void setSaveName(QString value) {
        m_saveName = std::move(value);
        Q_EMIT saveNameChanged();
    }
    const QUuid& focusRequest() const { return m_focusRequest; }
    void setFocusRequest(QUuid value) {
        m_focusRequest = std::move(value);
        Q_EMIT focusRequestChanged();
    }
    const SortOrder& sortOrder() const { return m_sortOrder; }
    void setSortOrder(SortOrder value) {
        m_sortOrder = std::move(value);
        m_orderedValid = false;
        m_orderedExtendable = false;
        Q_EMIT sortOrderChanged();
        Q_EMIT orderedHitsChanged();
    }
    const std::vector<SavedSearch>& savedSearches() const { return m_savedSearches; }
    void setSavedSearches(std::vector<SavedSearch> value) {
        m_savedSearches = std::move(value);
        Q_EMIT savedSearchesChanged();
    }
    const std::vector<std::string>& recentFolders() const { return m_recentFolders; }
    void setRecentFolders(std::vector<std::string> value) {
        m_recentFolders = std::move(value);
        Q_EMIT recentFoldersChanged();
    }
    const WindowLayout& layout() const { return m_layout; }
    void setLayout(WindowLayout value);
    const AppearanceMode& appearance() const { return m_appearance; }
    void setAppearance(AppearanceMode value);
    bool rememberFolder() const { return m_rememberFolder; }
    void setRememberFolder(bool value);
    bool searchOnRecall() const { return m_searchOnRecall; }
    void setSearchOnRecall(bool value);
    const std::optional<SearchCriteria>& executedCriteria() const { return m_executedCriteria; }
    void setExecutedCriteria(std::optional<SearchCriteria> value) {
        m_executedCriteria = std::move(value);
        Q_EMIT executedCriteriaChanged();
    }

    // Derived values.
    SearchCriteria criteria() const;
    bool criteriaChanged() const;
    // Cached; it changes only where orderedHitsChanged() is emitted.
    const std::vector<const SearchHit*>& orderedHits() const;
    std::vector<std::string> selectedURLs() const;
    QString folderName() const;
    bool compactIdle() const { return m_layout == WindowLayout::compact && !m_hasSearched; }
    // Not empty and compiling as an ICU expression with no options.
    bool patternUsable() const;
    const QUuid& generation() const { return m_generation; }

    // Search lifecycle.
    void search();
    void cancel();
    void scheduleLiveSearch();
    // Takes the folder standardised ("." and ".." resolved, no doubled or trailing
    // separators); a relative or empty path is ignored.
    void setFolder(const std::string& folder);
    void chooseFolder();
    void receive(const QString& url);
    // A drop of one folder: the folder is checked off the GUI thread, then searched; anything
    // else is refused with a message. False when the data is not one item at all.
    bool acceptFolderProviders(const QMimeData& data);
    bool acceptFolderDrop(const std::vector<std::string>& urls);
    void copyPaths(const UrlList& urls = std::nullopt);
    void open(const UrlList& urls = std::nullopt);
    void quickLook(const UrlList& urls = std::nullopt);
    void reveal(const UrlList& urls = std::nullopt);
    // The applications that can open the first of the items (it alone decides the list).
    std::vector<ApplicationEntry> applicationsFor(const std::vector<std::string>& items) const;
    void openWith(const std::vector<std::string>& items, const std::string& applicationId);
    void chooseApplication(const std::vector<std::string>& items);
    void apply(const SearchUpdate& update, const QUuid& token);
    void finish(const QUuid& token);
    void fail(const QString& message, const QUuid& token);

    // Saved searches, recent folders and preferences.
    void startSaving();
    void save();
    void removeSaved(const QUuid& id);
    void recall(const SavedSearch& saved);
    void remember(const std::string& folder);
    void persistSaved();

    // The hosting window.
    void attachWindow(const std::shared_ptr<SearchWindow>& window);
    void resizeWindow();

    // File commands.
    void moveItems(const UrlList& items, bool copy);
    void newFolder(const UrlList& items = std::nullopt);
    void compressItems(const UrlList& items = std::nullopt);
    void trashItems(const UrlList& items = std::nullopt);
    void duplicateItems(const UrlList& items = std::nullopt);
    void renameItem(const std::string& item);
    // Renames the items (the selection when absent) by a find pattern and a replacement, as
    // one undoable operation. The plan is made again on the worker against the folders as
    // they are then; a plan with any problem renames nothing and says why.
    void renameMatches(const RenameRules& rules, const UrlList& items = std::nullopt);
    void undoFileAction(bool redo);
    void undoOrRedo(bool redo);
    void performFileAction(const QString& title, bool history,
                           std::function<FileActionResult()> operation);
    std::string preferredDestination(const std::vector<std::string>& items) const;

Q_SIGNALS:
    void undoHistoryChanged();
    void redoHistoryChanged();
    void liveSearchChanged();
    void filtersChanged();
    void showFiltersChanged();
    void editingPatternChanged();
    void infoURLsChanged();
    void showInfoChanged();
    void folderChanged();
    void patternChanged();
    void recursiveChanged();
    void caseSensitiveChanged();
    void includeHiddenChanged();
    void fullPathChanged();
    void hitsChanged();
    void selectionChanged();
    void runningChanged();
    void hasSearchedChanged();
    void cancelledChanged();
    void scannedChanged();
    void skippedChanged();
    void skippedItemsChanged();
    void limitedChanged();
    void elapsedChanged();
    void errorChanged();
    void fileActionRunningChanged();
    void fileActionStatusChanged();
    void fileActionErrorChanged();
    void lastCreatedItemsChanged();
    void showHelpChanged();
    void showSaveChanged();
    void saveNameChanged();
    void focusRequestChanged();
    void sortOrderChanged();
    void savedSearchesChanged();
    void recentFoldersChanged();
    void layoutChanged();
    void appearanceChanged();
    void rememberFolderChanged();
    void searchOnRecallChanged();
    void executedCriteriaChanged();
    // orderedHits may have changed: with hits, filters or order, or because a date filter's
    // threshold (midnight, seven or thirty days back) passed an item, when filtersChanged()
    // is emitted too. A view of the ordered hits needs only this signal.
    void orderedHitsChanged();
    // A search or file operation has fully ended (for waiting in tests and tools).
    void searchEnded();
    void fileActionEnded();

private:
    struct SearchTask;

    // run: the search whose cumulative updates the list comes from; extendable: the cached
    // order of the previous list still holds for the hits they share.
    void replaceHits(HitList value, const QUuid& run, bool extendable) {
        m_hits = std::move(value);
        m_hitsRun = run;
        m_orderedValid = false;
        m_orderedExtendable = extendable;
        Q_EMIT hitsChanged();
        Q_EMIT orderedHitsChanged();
    }
    struct FileTask;

    std::vector<std::string> itemsOr(const UrlList& urls) const;
    void startSearchTask(const SearchOptions& options, const QUuid& token);
    void reapSearchTasks();
    void runInBackground(std::function<FileActionResult()> operation,
                         std::function<void(const FileActionResult&)> done);
    // setError(std::nullopt), written so that GCC under ThreadSanitizer does not misread it
    // as the use of an uninitialised string.
    void clearError() {
        m_error.reset();
        Q_EMIT errorChanged();
    }
    void pruneHits(const std::vector<std::string>& removed);
    void armDateExpiry() const;
    void refreshAfterFileAction();
    void loadPreferences();

    PreferencesStore& m_store;
    Desktop& m_desktop;

    FileHistory m_undoHistory;
    FileHistory m_redoHistory;
    bool m_liveSearch = false;
    ResultFilters m_filters;
    bool m_showFilters = false;
    bool m_editingPattern = false;
    std::vector<std::string> m_infoURLs;
    bool m_showInfo = false;
    std::string m_folder;
    QString m_pattern;
    bool m_recursive = true;
    bool m_caseSensitive = false;
    bool m_includeHidden = false;
    bool m_fullPath = false;
    HitList m_hits;
    std::set<std::string> m_selection;
    bool m_running = false;
    bool m_hasSearched = false;
    bool m_cancelled = false;
    qint64 m_scanned = 0;
    qint64 m_skipped = 0;
    SkippedItems m_skippedItems;
    bool m_limited = false;
    double m_elapsed = 0;
    std::optional<QString> m_error;
    bool m_fileActionRunning = false;
    std::optional<QString> m_fileActionStatus;
    std::optional<QString> m_fileActionError;
    std::vector<std::string> m_lastCreatedItems;
    bool m_showHelp = false;
    bool m_showSave = false;
    QString m_saveName;
    QUuid m_focusRequest;
    SortOrder m_sortOrder;
    std::vector<SavedSearch> m_savedSearches;
    std::vector<std::string> m_recentFolders;
    WindowLayout m_layout = WindowLayout::focused;
    AppearanceMode m_appearance = AppearanceMode::system;
    bool m_rememberFolder = true;
    bool m_searchOnRecall = true;
    std::optional<SearchCriteria> m_executedCriteria;
    QTimer* m_liveTimer = nullptr;
    quint64 m_dropGeneration = 0;  // only the latest drop's check applies
    QTimer* m_dateTimer = nullptr; // ends the ordered cache when a date filter's threshold passes
    std::vector<std::shared_ptr<SearchTask>> m_searchTasks;
    std::shared_ptr<SearchTask> m_task; // the running search, if any
    std::shared_ptr<FileTask> m_fileTask;
    QUuid m_generation = QUuid::createUuid();
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::weak_ptr<SearchWindow> m_window;
    bool m_savedUnreadable = false;
    mutable std::vector<const SearchHit*> m_ordered;
    mutable bool m_orderedValid = false;
    // A search's updates only add hits: the order of the earlier ones is kept (as positions
    // in the hit list, which later snapshots share) and the newcomers are merged in.
    mutable std::vector<uint32_t> m_orderedIndex;
    mutable size_t m_orderedFrom = 0;         // the hits m_orderedIndex covers
    mutable bool m_orderedExtendable = false; // it is true for the current filters and order
    QUuid m_hitsRun;                          // the search whose updates the hits come from
    mutable std::optional<Timestamp> m_orderedExpiry; // when the cached list stops being true
};

} // namespace qb
