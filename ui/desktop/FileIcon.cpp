#include "ui/desktop/FileIcon.h"

#include "search/ContentTypes.h"
#include "search/PathText.h"
#include "search/SearchRecords.h"
#include "ui/widgets/Symbols.h"

#include <QCache>
#include <QHash>
#include <gio/gio.h>

namespace qb {
namespace {

// Icons by content type: a search lists few types, so this stays small.
QIcon iconForType(const std::string& type) {
    static QHash<QByteArray, QIcon> byType;
    const QByteArray key = QByteArray::fromStdString(type);
    if (auto it = byType.constFind(key); it != byType.constEnd())
        return *it;
    QIcon icon;
    const std::string gioType = type == kGenericDataType ? "application/octet-stream" : type;
    QStringList names;
    if (GIcon* gicon = g_content_type_get_icon(gioType.c_str())) {
        if (G_IS_THEMED_ICON(gicon)) {
            for (const gchar* const* n = g_themed_icon_get_names(G_THEMED_ICON(gicon)); n && *n;
                 ++n)
                names << QString::fromUtf8(*n);
        }
        g_object_unref(gicon);
    }
    if (gchar* generic = g_content_type_get_generic_icon_name(gioType.c_str())) {
        names << QString::fromUtf8(generic);
        g_free(generic);
    }
    names << QStringLiteral("text-x-generic");
    for (const QString& name : names) {
        icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            break;
    }
    if (icon.isNull())
        icon = symbol(type == kFolderType ? QStringLiteral("folder.fill")
                                          : QStringLiteral("doc.text.magnifyingglass"));
    byType.insert(key, icon);
    return icon;
}

QCache<QByteArray, QIcon>& cache() {
    static QCache<QByteArray, QIcon> icons(FileIcon::kCacheLimit);
    return icons;
}

} // namespace

QIcon FileIcon::icon(const std::string& url, const std::string& contentType) {
    const QByteArray key = QByteArray::fromStdString(url);
    if (QIcon* cached = cache().object(key))
        return *cached;
    QIcon icon = iconForType(contentType);
    cache().insert(key, new QIcon(icon));
    return icon;
}

QIcon FileIcon::icon(const SearchHit& hit) {
    return icon(hit.url, hit.isDirectory ? std::string(kFolderType) : hit.contentTypeIdentifier);
}

QIcon FileIcon::iconForPath(const std::string& path, bool isDirectory) {
    return icon(path,
                isDirectory ? std::string(kFolderType) : contentTypeForName(lastComponent(path)));
}

} // namespace qb
