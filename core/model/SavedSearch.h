#pragma once
// A named search the user kept, the window layouts and appearances, and their stored forms.

#include <QByteArray>
#include <QString>
#include <QUuid>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

struct SavedSearch {
    QUuid id;
    QString title;
    std::string folder; // path bytes
    QString pattern;
    bool recursive = true;
    bool caseSensitive = false;
    bool includeHidden = false;
    bool fullPath = false;
    bool operator==(const SavedSearch&) const = default;
};

// The stored JSON text of a list: compact, upper-case ids, folders as directory file URLs.
QByteArray encodeSavedSearches(const std::vector<SavedSearch>& list);
// The list, or nothing when any element is unreadable.
std::optional<std::vector<SavedSearch>> decodeSavedSearches(const QByteArray& json);

enum class WindowLayout { focused, workspace, compact };
enum class AppearanceMode { system, light, dark };

// The search window's content size and its minimum for a layout; compact is smaller until the
// first search.
struct ContentSizes {
    int minWidth, minHeight, width, height;
};
constexpr ContentSizes contentSizes(WindowLayout layout, bool compactIdle) {
    switch (layout) {
    case WindowLayout::workspace:
        return {940, 450, 1120, 700};
    case WindowLayout::compact:
        return compactIdle ? ContentSizes{700, 260, 740, 300} : ContentSizes{700, 450, 740, 570};
    case WindowLayout::focused:
        break;
    }
    return {700, 450, 940, 650};
}

QString rawValue(WindowLayout layout);
QString rawValue(AppearanceMode mode);
// Exact raw values only; anything else gives the first case.
WindowLayout windowLayoutFrom(const std::optional<QString>& text);
AppearanceMode appearanceFrom(const std::optional<QString>& text);

} // namespace qb
