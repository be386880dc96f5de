// Saved searches and recent folders; every change is written to the store at once.

#include "SearchModel.h"
#include "SearchModel_p.h"

#include <algorithm>

namespace qb {

void SearchModel::startSaving() {
    setSaveName(m_pattern);
    setShowSave(true);
}

void SearchModel::save() {
    QString name = m_saveName.trimmed();
    if (name.isEmpty() || m_pattern.isEmpty() || !patternUsable())
        return;
    SavedSearch saved{QUuid::createUuid(), name,        m_folder,
                      m_pattern,           m_recursive, m_caseSensitive,
                      m_includeHidden,     m_fullPath};
    auto list = m_savedSearches;
    list.push_back(std::move(saved));
    setSavedSearches(std::move(list));
    persistSaved();
    setShowSave(false);
}

void SearchModel::removeSaved(const QUuid& id) {
    auto list = m_savedSearches;
    std::erase_if(list, [&](const SavedSearch& s) { return s.id == id; });
    setSavedSearches(std::move(list));
    persistSaved();
}

void SearchModel::recall(const SavedSearch& saved) {
    setFolder(saved.folder);
    setPattern(saved.pattern);
    setRecursive(saved.recursive);
    setCaseSensitive(saved.caseSensitive);
    setIncludeHidden(saved.includeHidden);
    setFullPath(saved.fullPath);
    if (m_searchOnRecall)
        search();
}

void SearchModel::remember(const std::string& path) {
    auto standard = standardFolder(path);
    if (!standard)
        return;
    const std::string& folder = *standard;
    auto list = m_recentFolders;
    std::erase(list, folder);
    list.insert(list.begin(), folder);
    if (list.size() > size_t(kRecentFolderLimit))
        list.resize(kRecentFolderLimit);
    setRecentFolders(list);
    m_store.setPaths("recentFolders", list);
    if (m_rememberFolder)
        m_store.setPath("lastFolder", folder);
}

void SearchModel::persistSaved() {
    m_store.setData("savedSearches", encodeSavedSearches(m_savedSearches), m_savedUnreadable);
    m_savedUnreadable = false;
}

} // namespace qb
