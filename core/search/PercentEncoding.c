#include "PercentEncoding.h"

#include <string.h>

char* qb_percent_encode_path(const char* path) {
    return g_uri_escape_bytes((const guint8*)path, strlen(path), "/");
}

char* qb_percent_decode(const char* text, gsize length) {
    /* GLib's unescaping is strict (a stray "%" fails) and leaves "+" alone: only form
     * decoding would make it a space. */
    GBytes* bytes = g_uri_unescape_bytes(text, (gssize)length, NULL, NULL);
    if (!bytes)
        return NULL;
    gsize size = 0;
    const char* data = g_bytes_get_data(bytes, &size);
    char* out = NULL;
    if (size == 0)
        out = g_strdup(""); /* empty bytes may come without a buffer */
    else if (!memchr(data, '\0', size))
        out = g_strndup(data, size);
    g_bytes_unref(bytes);
    return out;
}
