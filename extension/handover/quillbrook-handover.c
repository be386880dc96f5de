#include "quillbrook-handover.h"

#include "search/PercentEncoding.h"

#include <string.h>
#include <sys/stat.h>

gboolean qb_handover_is_folder(const char* path, gpointer data) {
    (void)data;
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

/* The path without trailing separators, except the root itself. */
static char* trimmed(const char* path) {
    gsize n = strlen(path);
    while (n > 1 && path[n - 1] == '/')
        --n;
    return g_strndup(path, n);
}

static char* parent_of(const char* path) {
    char* p = trimmed(path);
    char* slash = strrchr(p, '/');
    if (!slash || slash == p) {
        g_free(p);
        return g_strdup("/");
    }
    *slash = '\0';
    return p;
}

char* qb_handover_choose_folder(const char* targeted, const char* const* selected, gsize count,
                                QbIsFolder is_folder, gpointer data) {
    const char* chosen = targeted;
    if (count == 1 && selected && selected[0])
        chosen = selected[0];
    if (!chosen || chosen[0] != '/')
        return NULL;
    if (is_folder && is_folder(chosen, data))
        return trimmed(chosen);
    return parent_of(chosen);
}

char* qb_handover_launch_url(const char* folder) {
    GString* url = g_string_new("quillbrook://search");
    if (folder && folder[0] == '/') {
        char* path = trimmed(folder);
        char* value = qb_percent_encode_path(path);
        g_string_append(url, "?folder=");
        g_string_append(url, value);
        g_free(value);
        g_free(path);
    }
    return g_string_free(url, FALSE);
}
