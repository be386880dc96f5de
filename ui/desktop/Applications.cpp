#include "ui/desktop/Applications.h"

#include "search/ContentTypes.h"
#include "search/HitOrdering.h"
#include "search/PathText.h"
#include "ui/desktop/LaunchContext.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace qb {
namespace {

ApplicationEntry entryFor(GAppInfo* info) {
    ApplicationEntry entry;
    if (const char* id = g_app_info_get_id(info))
        entry.id = id;
    entry.name = QString::fromUtf8(g_app_info_get_display_name(info));
    if (GIcon* icon = g_app_info_get_icon(info)) {
        if (G_IS_THEMED_ICON(icon)) {
            const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
            if (names && names[0])
                entry.iconName = QString::fromUtf8(names[0]);
        } else if (G_IS_FILE_ICON(icon)) {
            if (gchar* path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)))) {
                entry.iconName = QString::fromUtf8(path);
                g_free(path);
            }
        }
    }
    return entry;
}

std::vector<ApplicationEntry> entries(GList* list) {
    std::vector<ApplicationEntry> out;
    for (GList* l = list; l; l = l->next) {
        auto* info = G_APP_INFO(l->data);
        if (g_app_info_get_id(info))
            out.push_back(entryFor(info));
    }
    g_list_free_full(list, g_object_unref);
    return out;
}

struct Launch {
    std::function<void(std::optional<QString>)> done;
};

void launched(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Launch> launch(static_cast<Launch*>(data));
    GError* error = nullptr;
    if (g_app_info_launch_uris_finish(G_APP_INFO(source), result, &error)) {
        launch->done(std::nullopt);
    } else {
        launch->done(error ? QString::fromUtf8(error->message)
                           : QCoreApplication::translate("qb::Applications",
                                                         "The application could not start."));
        g_clear_error(&error);
    }
}

} // namespace

void readApplicationsAhead() {
    // GIO keeps what it read, behind a lock of its own, for every later call on any thread.
    (void)QtConcurrent::run([] {
        g_list_free_full(g_app_info_get_all(), g_object_unref);
        g_list_free_full(g_app_info_get_all_for_type("text/plain"), g_object_unref);
    });
}

std::vector<ApplicationEntry> applicationsForPath(const std::string& path, bool isDirectory) {
    std::string type = isDirectory ? kFolderType : contentTypeForName(lastComponent(path));
    if (type == kGenericDataType)
        type = "application/octet-stream";
    auto list = entries(g_app_info_get_all_for_type(type.c_str()));
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return compareNames(a.id, b.id) < 0; });
    return list;
}

std::vector<ApplicationEntry> allApplications() {
    std::vector<ApplicationEntry> out;
    GList* all = g_app_info_get_all();
    for (GList* l = all; l; l = l->next) {
        auto* info = G_APP_INFO(l->data);
        if (g_app_info_should_show(info) && g_app_info_get_id(info))
            out.push_back(entryFor(info));
    }
    g_list_free_full(all, g_object_unref);
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return compareNames(a.name.toStdString(), b.name.toStdString()) < 0;
    });
    return out;
}

void launchApplication(const std::string& id, const std::vector<std::string>& paths,
                       std::function<void(std::optional<QString>)> done) {
    GDesktopAppInfo* info = g_desktop_app_info_new(id.c_str());
    if (!info) {
        done(QCoreApplication::translate("qb::Applications",
                                         "The application “%1” could not be found.")
                 .arg(QString::fromStdString(id)));
        return;
    }
    std::vector<std::string> texts;
    texts.reserve(paths.size());
    for (const auto& path : paths)
        texts.push_back(fileUrlFromPath(path));
    withLaunchContext([info, texts = std::move(texts),
                       done = std::move(done)](GAppLaunchContext* context) mutable {
        GList* uris = nullptr;
        for (auto it = texts.rbegin(); it != texts.rend(); ++it)
            uris = g_list_prepend(uris, const_cast<char*>(it->c_str()));
        g_app_info_launch_uris_async(G_APP_INFO(info), uris, context, nullptr, launched,
                                     new Launch{std::move(done)});
        g_list_free(uris);
        g_object_unref(info);
    });
}

QIcon applicationIcon(const ApplicationEntry& entry) {
    if (entry.iconName.startsWith(QLatin1Char('/')))
        return QIcon(entry.iconName);
    QIcon icon = QIcon::fromTheme(entry.iconName);
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("application-x-executable")) : icon;
}

} // namespace qb
