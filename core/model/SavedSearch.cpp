#include "SavedSearch.h"

#include "search/PathText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace qb {

QByteArray encodeSavedSearches(const std::vector<SavedSearch>& list) {
    QJsonArray array;
    for (const SavedSearch& s : list) {
        std::string url = fileUrlFromPath(s.folder);
        if (url.empty() || url.back() != '/')
            url.push_back('/');
        array.append(QJsonObject{
            {"id", s.id.toString(QUuid::WithoutBraces).toUpper()},
            {"title", s.title},
            {"folder", QString::fromStdString(url)},
            {"pattern", s.pattern},
            {"recursive", s.recursive},
            {"caseSensitive", s.caseSensitive},
            {"includeHidden", s.includeHidden},
            {"fullPath", s.fullPath},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<std::vector<SavedSearch>> decodeSavedSearches(const QByteArray& json) {
    QJsonParseError error{};
    QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    std::vector<SavedSearch> out;
    for (const QJsonValue& v : doc.array()) {
        if (!v.isObject())
            return std::nullopt;
        QJsonObject o = v.toObject();
        for (const char* key : {"id", "title", "folder", "pattern"})
            if (!o.value(key).isString())
                return std::nullopt;
        for (const char* key : {"recursive", "caseSensitive", "includeHidden", "fullPath"})
            if (!o.value(key).isBool())
                return std::nullopt;
        SavedSearch s;
        s.id = QUuid::fromString(o.value("id").toString());
        if (s.id.isNull())
            return std::nullopt;
        auto folder = pathFromFileUrl(o.value("folder").toString().toStdString());
        if (!folder)
            return std::nullopt;
        s.folder = standardisePath(*folder);
        s.title = o.value("title").toString();
        s.pattern = o.value("pattern").toString();
        s.recursive = o.value("recursive").toBool();
        s.caseSensitive = o.value("caseSensitive").toBool();
        s.includeHidden = o.value("includeHidden").toBool();
        s.fullPath = o.value("fullPath").toBool();
        out.push_back(std::move(s));
    }
    return out;
}

QString rawValue(WindowLayout layout) {
    switch (layout) {
    case WindowLayout::workspace:
        return "workspace";
    case WindowLayout::compact:
        return "compact";
    default:
        return "focused";
    }
}

QString rawValue(AppearanceMode mode) {
    switch (mode) {
    case AppearanceMode::light:
        return "light";
    case AppearanceMode::dark:
        return "dark";
    default:
        return "system";
    }
}

WindowLayout windowLayoutFrom(const std::optional<QString>& text) {
    if (text == QStringLiteral("workspace"))
        return WindowLayout::workspace;
    if (text == QStringLiteral("compact"))
        return WindowLayout::compact;
    return WindowLayout::focused;
}

AppearanceMode appearanceFrom(const std::optional<QString>& text) {
    if (text == QStringLiteral("light"))
        return AppearanceMode::light;
    if (text == QStringLiteral("dark"))
        return AppearanceMode::dark;
    return AppearanceMode::system;
}

} // namespace qb
