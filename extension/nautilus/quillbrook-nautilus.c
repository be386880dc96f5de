/* The file manager's "Quillbrook Search…" item: in the menu of selected items and of the
 * window's background, it opens the launch URL for the chosen folder with Quillbrook. */

#include "quillbrook-handover.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <nautilus-extension.h>

#define QB_TYPE_MENU_PROVIDER (qb_menu_provider_get_type())
G_DECLARE_FINAL_TYPE(QbMenuProvider, qb_menu_provider, QB, MENU_PROVIDER, GObject)

struct _QbMenuProvider {
    GObject parent;
};

static void qb_menu_provider_iface_init(NautilusMenuProviderInterface* iface);

G_DEFINE_DYNAMIC_TYPE_EXTENDED(QbMenuProvider, qb_menu_provider, G_TYPE_OBJECT, G_TYPE_FLAG_FINAL,
                               G_IMPLEMENT_INTERFACE_DYNAMIC(NAUTILUS_TYPE_MENU_PROVIDER,
                                                             qb_menu_provider_iface_init))

static char* path_of(NautilusFileInfo* info) {
    GFile* location = nautilus_file_info_get_location(info);
    char* path = location ? g_file_get_path(location) : NULL;
    if (location)
        g_object_unref(location);
    return path;
}

/* The file manager knows whether its items are folders; no need to ask the disk. */
static gboolean listed_is_folder(const char* path, gpointer data) {
    NautilusFileInfo* info = data;
    if (info && nautilus_file_info_get_file_type(info) == G_FILE_TYPE_DIRECTORY)
        return TRUE;
    if (info)
        return FALSE;
    return qb_handover_is_folder(path, NULL);
}

static void open_url(NautilusMenuItem* item, gpointer user_data) {
    (void)item;
    const char* url = user_data;
    GError* error = NULL;
    GDesktopAppInfo* app = g_desktop_app_info_new(QB_HANDOVER_APPLICATION);
    if (app) {
        GList uris = {(gpointer)url, NULL, NULL};
        g_app_info_launch_uris(G_APP_INFO(app), &uris, NULL, &error);
        g_object_unref(app);
    } else {
        g_app_info_launch_default_for_uri(url, NULL, &error);
    }
    /* A failure to start the application is not the file manager's to report. */
    g_clear_error(&error);
}

/* Nautilus makes one action per item name for the whole window, so the selection's item and
 * the background's need names of their own: with one name, the background's item (built
 * last) would answer for both. */
#define QB_SELECTION_ITEM "com.local.tarnwick.finder::search-selection"
#define QB_BACKGROUND_ITEM "com.local.tarnwick.finder::search-folder"

/* The item's words in the languages the program speaks; a table, as two strings need no
 * message catalogue of their own. */
typedef struct {
    const char* language;
    const char* label;
    const char* tip;
} Words;

static const Words words[] = {
    {"de", "Mit Quillbrook suchen…", "Dateinamen mit einem regulären Ausdruck durchsuchen"},
    {"fr", "Rechercher avec Quillbrook…",
     "Rechercher dans les noms de fichiers avec une expression régulière"},
};

/* The first of the user's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that has words here,
 * else English. */
static const Words* words_for_user(void) {
    static const Words english = {"en", QB_HANDOVER_TITLE,
                                  "Search filenames with a regular expression"};
    for (const char* const* name = g_get_language_names(); *name; ++name) {
        if (g_str_has_prefix(*name, "en"))
            return &english;
        for (gsize i = 0; i < G_N_ELEMENTS(words); ++i)
            if (g_str_equal(*name, words[i].language))
                return &words[i];
    }
    return &english;
}

static GList* item_for(const char* name, char* folder) {
    char* url = qb_handover_launch_url(folder);
    g_free(folder);
    const Words* w = words_for_user();
    NautilusMenuItem* item = nautilus_menu_item_new(name, w->label, w->tip, "system-search");
    g_signal_connect_data(item, "activate", G_CALLBACK(open_url), url,
                          (GClosureNotify)(void (*)(void))g_free, 0);
    return g_list_append(NULL, item);
}

static GList* get_file_items(NautilusMenuProvider* provider, GList* files) {
    (void)provider;
    guint count = g_list_length(files);
    if (count == 0)
        return NULL;
    NautilusFileInfo* first = files->data;
    char* first_path = path_of(first);
    if (!first_path)
        return item_for(QB_SELECTION_ITEM, NULL);
    /* Several items: the folder the window shows, which holds them. */
    GFile* location = nautilus_file_info_get_location(first);
    GFile* parent = location ? g_file_get_parent(location) : NULL;
    char* shown = parent ? g_file_get_path(parent) : NULL;
    const char* selected[] = {first_path};
    char* folder =
        qb_handover_choose_folder(shown, count == 1 ? selected : NULL, count == 1 ? 1 : 0,
                                  listed_is_folder, count == 1 ? first : NULL);
    g_free(shown);
    g_free(first_path);
    if (parent)
        g_object_unref(parent);
    if (location)
        g_object_unref(location);
    return item_for(QB_SELECTION_ITEM, folder);
}

static GList* get_background_items(NautilusMenuProvider* provider, NautilusFileInfo* current) {
    (void)provider;
    char* path = current ? path_of(current) : NULL;
    char* folder = qb_handover_choose_folder(path, NULL, 0, qb_handover_is_folder, NULL);
    g_free(path);
    return item_for(QB_BACKGROUND_ITEM, folder);
}

static void qb_menu_provider_iface_init(NautilusMenuProviderInterface* iface) {
    iface->get_file_items = get_file_items;
    iface->get_background_items = get_background_items;
}

static void qb_menu_provider_class_init(QbMenuProviderClass* klass) {
    (void)klass;
}

static void qb_menu_provider_class_finalize(QbMenuProviderClass* klass) {
    (void)klass;
}

static void qb_menu_provider_init(QbMenuProvider* self) {
    (void)self;
}

static GType types[1];

void nautilus_module_initialize(GTypeModule* module) {
    qb_menu_provider_register_type(module);
    types[0] = QB_TYPE_MENU_PROVIDER;
}

void nautilus_module_shutdown(void) {}

void nautilus_module_list_types(const GType** out_types, int* num_types) {
    *out_types = types;
    *num_types = G_N_ELEMENTS(types);
}
