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

/* The decoded value of the first item named "folder" in a query, if it is an absolute path. */
static char* folder_item(const char* query, const char* end) {
    for (const char* start = query;;) {
        const char* amp = memchr(start, '&', (gsize)(end - start));
        const char* item_end = amp ? amp : end;
        const char* eq = memchr(start, '=', (gsize)(item_end - start));
        char* name = qb_percent_decode(start, (gsize)((eq ? eq : item_end) - start));
        gboolean named = name && strcmp(name, "folder") == 0;
        g_free(name);
        if (named) {
            char* value = eq ? qb_percent_decode(eq + 1, (gsize)(item_end - eq - 1)) : NULL;
            if (value && value[0] != '/')
                g_clear_pointer(&value, g_free);
            return value;
        }
        if (!amp)
            return NULL;
        start = amp + 1;
    }
}

static gboolean equals(const char* text, gsize length, const char* word) {
    return length == strlen(word) && memcmp(text, word, length) == 0;
}

gboolean qb_handover_read_launch_url(const char* url, gsize length, char** folder) {
    *folder = NULL;
    if (length > (1u << 20))
        return FALSE;
    const char* end = url + length;
    const char* colon = memchr(url, ':', length);
    if (!colon)
        return FALSE;
    gsize scheme = (gsize)(colon - url);
    if (!equals(url, scheme, "quillbrook") && !equals(url, scheme, "tarnwick"))
        return FALSE;
    const char* host = colon + 1;
    if (end - host < 2 || memcmp(host, "//", 2) != 0)
        return FALSE;
    host += 2;
    const char* host_end = host;
    while (host_end < end && *host_end != '/' && *host_end != '?' && *host_end != '#')
        ++host_end;
    if (!equals(host, (gsize)(host_end - host), "search"))
        return FALSE;
    const char* fragment = memchr(host_end, '#', (gsize)(end - host_end));
    if (fragment)
        end = fragment;
    const char* query = memchr(host_end, '?', (gsize)(end - host_end));
    if (query)
        *folder = folder_item(query + 1, end);
    return TRUE;
}
