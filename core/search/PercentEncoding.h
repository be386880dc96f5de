/* Percent-encoding of path bytes, the one form the launch URL's folder value and the trash's
 * Path= lines share. Plain C on GLib, so the file manager's module can link it without the
 * rest of the search core. */
#pragma once

#include <glib.h>

G_BEGIN_DECLS

/* Every byte of a path outside the URL's unreserved characters and "/" as %XX (upper-case
 * hex), so "&", "=", "+", "#", "%", spaces and bytes that are not UTF-8 survive. Free with
 * g_free. */
char* qb_percent_encode_path(const char* path);

/* The bytes that text encodes, with "+" left a plus sign; NULL for a malformed escape or a
 * NUL (escaped or not), which no path or query name may hold. Free with g_free. */
char* qb_percent_decode(const char* text, gsize length);

G_END_DECLS
